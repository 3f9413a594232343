// Printing on Qt: the dialog's print command into a PDF file, read back with
// poppler, and the print dialog itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "app/qt/qt_print.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"
#include "tests/doubles/test_platform.h"

namespace qv {
namespace {

QString Poppler(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Loads and computes the sample race and prints it into pdf; the messages.
std::vector<std::string> PrintSample(const QString& pdf) {
  doubles::Platform platform;
  CRaceDlg dlg(platform);
  dlg.OnInitDialog();
  EXPECT_TRUE(dlg.LoadRaceFile(QV_SOURCE_DIR "/examples/sample-10km.txt"));
  dlg.OnCompute();
  platform.printDialogHook = [&] { return qt::MakePdfPrintJob(pdf); };
  dlg.OnCommand(IDC_PRINT);
  return platform.messages;
}

TEST(PrintPdfTest, SampleRacePrintsOnOneA4Page) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("sample.pdf");
  EXPECT_TRUE(PrintSample(pdf).empty());
  const QString info = Poppler("pdfinfo", {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(
      "Pages: +1\n.*\\(A4\\)", QRegularExpression::DotMatchesEverythingOption)))
      << info.toStdString();
  // Blanks aside: the event, the headers, the first section (2 km in
  // 8:05.00, 04分02秒50 a km), the totals (10 km in 40:58.20 with 5 s lost,
  // gross 04分05秒82 a km), the comment's lines.
  const QString text = Poppler("pdftotext", {"-layout", pdf, "-"})
                           .remove(QRegularExpression("\\s"));
  for (const char* expected :
       {"第12回みなと湖畔ロードレース10km",
        "区間出発到着ロスタイム出発時間到着時間ラップタイム速度/ｋｍ",
        "10km2km00分00秒0000時00分00秒0000時08分05秒0000時08分05秒0004分02秒50",
        "全区間0km10km00分05秒0000時00分00秒0000時40分58秒2000時40分58秒2004分0"
        "5秒82",
        "晴れ、気温15℃、北西の風やや強め。前半を抑えて、6km手前の給水で5秒ロス"
        "。"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST(PrintPdfTest, UnwritablePdfIsReportedNotPrinted) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("missing-folder/out.pdf");
  EXPECT_EQ(PrintSample(pdf), std::vector<std::string>{kMsgPrintFailed});
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PrintDialogTest, OffersAllPagesAndPdfAndCancelsToNothing) {
  QPrintDialog* seen = nullptr;
  QAbstractPrintDialog::PrintDialogOptions options;
  QTimer::singleShot(0, [&] {
    seen = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (seen == nullptr) return;
    options = seen->options();
    EXPECT_EQ(seen->printRange(), QAbstractPrintDialog::AllPages);
    seen->reject();
  });
  EXPECT_EQ(qt::RunPrintDialog(nullptr), nullptr);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(options & (QAbstractPrintDialog::PrintToFile |
                       QAbstractPrintDialog::PrintPageRange |
                       QAbstractPrintDialog::PrintSelection |
                       QAbstractPrintDialog::PrintCurrentPage),
            QAbstractPrintDialog::PrintToFile);
}

}  // namespace
}  // namespace qv
