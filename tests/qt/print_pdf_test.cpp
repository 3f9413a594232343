// Printing on Qt: the print command into a PDF, read with poppler, and the
// print dialog.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/qt/qt_print.h"
#include "modal_watcher.h"
#include "res/strings.h"
#include "tests/core/race_fixture.h"

namespace qv {
namespace {

QString Poppler(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The sample race printed through a PDF job as the print dialog gives one:
// into a missing folder, which is reported, then onto one A4 page. Blanks
// aside, the page holds the event, the headers, the first section (2 km in
// 8:05.00, 04分02秒50 a km), the totals (10 km in 40:58.20 with 5 s lost,
// gross 04分05秒82 a km) and the comment's lines.
using PrintPdfTest = testing::RaceFixture;
TEST_F(PrintPdfTest, SampleRaceOnOneA4PageAnUnwritableFileReported) {
  QTemporaryDir dir;
  QString pdf = dir.filePath("missing/p.pdf");
  platform.printDialogHook = [&] { return qt::MakePdfPrintJob(pdf); };
  ASSERT_TRUE(dlg.LoadRaceFile(QV_SOURCE_DIR "/examples/sample-10km.txt"));
  dlg.OnCompute();
  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(platform.messages, std::vector<std::string>{kMsgPrintFailed});
  pdf = dir.filePath("p.pdf");
  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(Poppler("pdfinfo", {pdf})
                  .contains(QRegularExpression(
                      "Pages: +1\n.*\\(A4\\)",
                      QRegularExpression::DotMatchesEverythingOption)));
  const QString text = Poppler("pdftotext", {"-layout", pdf, "-"})
                           .remove(QRegularExpression("\\s"));
  for (const char* expected :
       {"第12回みなと湖畔ロードレース10km",
        "区間出発到着ロスタイム出発時間到着時間ラップタイム速度/ｋｍ",
        "10km2km00分00秒0000時00分00秒0000時08分05秒0000時08分05秒0004分02秒50",
        "全区間0km10km00分05秒0000時00分00秒0000時40分58秒2000時40分58秒2004分"
        "05秒82",
        "晴れ、気温15℃、北西の風やや強め。前半を抑えて、6km手前の給水で5秒ロス"
        "。"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST(PrintDialogTest, CancelPrintsNothing) {
  const qt::test::ModalWatcher watch([](QWidget* w) { w->close(); });
  EXPECT_EQ(qt::RunPrintDialog(nullptr), nullptr);
  EXPECT_EQ(watch.Seen(), 1);
}

}  // namespace
}  // namespace qv
