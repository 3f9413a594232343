// Printing through the Qt layer into a PDF file, checked with poppler's
// pdftotext, pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/qt/qt_print.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {
namespace {

// The headless window, except that the print dialog hands out a PDF job.
class PdfPlatform final : public IPlatform {
 public:
  IListView& ListView(int id) override { return inner.ListView(id); }
  IComboBox& ComboBox(int id) override { return inner.ComboBox(id); }
  ITextControl& TextControl(int id) override { return inner.TextControl(id); }
  std::unique_ptr<IDrawContext> GetDC(int id) override {
    return inner.GetDC(id);
  }
  Rect GetClientRect(int id) override { return inner.GetClientRect(id); }
  void MessageBox(std::string_view text) override { inner.MessageBox(text); }
  bool AskYesNo(std::string_view text) override { return inner.AskYesNo(text); }
  std::optional<std::string> GetOpenFileName() override {
    return inner.GetOpenFileName();
  }
  std::optional<std::string> GetSaveFileName() override {
    return inner.GetSaveFileName();
  }
  IFileSystem& Files() override { return inner.Files(); }
  std::unique_ptr<IPrintJob> PrintDialog() override {
    ++dialogs;
    if (pdfPath.isEmpty()) return nullptr;
    return qt::MakePdfPrintJob(pdfPath);
  }
  void SetDialogColors(Rgb background, Rgb text) override {
    inner.SetDialogColors(background, text);
  }
  void InvalidateDialog() override { inner.InvalidateDialog(); }
  void ShowAboutDialog() override { inner.ShowAboutDialog(); }
  void EndDialog(int result) override { inner.EndDialog(result); }
  int RunModal(CRaceDlg& dlg) override { return inner.RunModal(dlg); }

  doubles::Platform inner;
  QString pdfPath;
  int dialogs = 0;
};

struct Section {
  double startKm;
  double endKm;
  int loss;
  int lap;
};

// A half marathon in 5 km sections, computed by lap time, gross.
const Section kSampleSections[] = {
    {0.0, 5.0, 840, 130820},  // 8.40 s lost in the start crowd
    {5.0, 10.0, 0, 129255},  {10.0, 15.0, 500, 130010},  // a drink stop
    {15.0, 20.0, 0, 132585}, {20.0, 21.0975, 0, 28130},
};

const char* const kSampleEventName = "第15回 みずうみハーフマラソン";

// The last line has no line break after it: it must print all the same.
const char* const kSampleComment =
    "天候：晴れ、気温14度、北西の風やや強い。\r\n"
    "体調：良好。前夜は7時間睡眠。\r\n"
    "\r\n"
    "10km過ぎの給水で5秒ロス。後半は向かい風で粘った。\r\n"
    "次の目標は1時間30分切り。";

const char* const kSampleCommentLines[] = {
    "天候：晴れ、気温14度、北西の風やや強い。",
    "体調：良好。前夜は7時間睡眠。",
    "10km過ぎの給水で5秒ロス。後半は向かい風で粘った。",
    "次の目標は1時間30分切り。",
};

const char* const kPrintedHeaders[] = {
    "区間",     "出発",     "到着",         "ロスタイム",
    "出発時間", "到着時間", "ラップタイム", "速度/ｋｍ",
};

// Runs a poppler tool; its standard output, or nothing when it fails.
QByteArray RunTool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000) ||
      process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return {};
  return process.readAllStandardOutput();
}

std::string PdfText(const QString& pdf) {
  return RunTool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                  QStringLiteral("-")})
      .toStdString();
}

int PdfPages(const QString& pdf) {
  const QString info =
      QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
  for (const QString& line : info.split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("Pages:")))
      return line.mid(6).trimmed().toInt();
  }
  return -1;
}

// Everything pdftotext gives, with blanks and line breaks taken out, so a
// text split into words or lines by the layout still matches.
std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\n' && c != '\r' && c != '\f') out += c;
  return out;
}

class PrintPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    dlg.OnInitDialog();
  }

  // Types the race into the dialog and computes it, as the user would.
  void EnterSampleRace() {
    platform.inner.Text(IDC_EVENT_NAME).SetText(kSampleEventName);
    platform.inner.Text(IDC_COMMENT).SetText(kSampleComment);
    int n = 0;
    for (const Section& s : kSampleSections) {
      dlg.m_startKm[n] = s.startKm;
      dlg.m_endKm[n] = s.endKm;
      dlg.m_loss[n] = s.loss;
      dlg.m_lap[n] = s.lap;
      ++n;
    }
    dlg.m_nSections = dlg.m_nInputIndex = n;
    platform.inner.Combo(IDC_PRIORITY).SetCurSel(1);   // lap time
    platform.inner.Combo(IDC_CALC_MODE).SetCurSel(0);  // gross
    platform.inner.Combo(IDC_SPEED_UNIT).SetCurSel(0);
    platform.inner.Combo(IDC_GRAPH_AXIS).SetCurSel(0);
    dlg.OnCommand(IDC_COMPUTE);
  }

  QString PdfPath(const char* name) const {
    return dir.filePath(QString::fromLatin1(name));
  }

  QTemporaryDir dir;
  PdfPlatform platform;
  CRaceDlg dlg{platform};
};

TEST_F(PrintPdfTest, SampleRacePrintsOnOnePage) {
  EnterSampleRace();
  const QByteArray keep = qgetenv("QV_PRINTED_SAMPLE_PDF");
  platform.pdfPath =
      keep.isEmpty() ? PdfPath("sample.pdf") : QString::fromLocal8Bit(keep);
  QFile::remove(platform.pdfPath);

  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(platform.dialogs, 1);
  EXPECT_TRUE(platform.inner.messages.empty());
  ASSERT_TRUE(QFileInfo::exists(platform.pdfPath));
  EXPECT_EQ(PdfPages(platform.pdfPath), 1);

  const std::string text = Squeezed(PdfText(platform.pdfPath));
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.find(Squeezed(kSampleEventName)), std::string::npos);
  for (const char* header : kPrintedHeaders)
    EXPECT_NE(text.find(header), std::string::npos) << header;
  EXPECT_NE(text.find("全区間"), std::string::npos);
  // The totals row: 21.0975 km in 1:32:01.40, the laps' 1:31:48.00 and
  // 13.40 s of loss.
  EXPECT_NE(text.find("21.0975km"), std::string::npos);
  EXPECT_NE(text.find("00分13秒40"), std::string::npos);
  EXPECT_NE(text.find("01時32分01秒40"), std::string::npos);
  for (const char* line : kSampleCommentLines)
    EXPECT_NE(text.find(Squeezed(line)), std::string::npos) << line;

  // The page renders: an A4 page at 100 dpi, with ink on it.
  const QString prefix = dir.filePath(QStringLiteral("page"));
  RunTool(QStringLiteral("pdftoppm"),
          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
           QStringLiteral("-singlefile"), platform.pdfPath, prefix});
  QImage page(prefix + QStringLiteral(".png"));
  ASSERT_FALSE(page.isNull());
  // 595 x 842 pt at 100 dpi: 826.4 x 1169.4 pixels.
  EXPECT_NEAR(page.width(), 827, 1);
  EXPECT_NEAR(page.height(), 1170, 1);
  int dark = 0;
  for (int y = 0; y < page.height(); y += 2)
    for (int x = 0; x < page.width(); x += 2)
      if (qGray(page.pixel(x, y)) < 128) ++dark;
  EXPECT_GT(dark, 500);
}

TEST_F(PrintPdfTest, UnwritablePdfIsReportedNotPrinted) {
  EnterSampleRace();
  platform.pdfPath = PdfPath("missing-folder/out.pdf");
  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(platform.inner.messages, std::vector<std::string>{kMsgPrintFailed});
  EXPECT_FALSE(QFileInfo::exists(platform.pdfPath));
}

TEST(PrintDialogTest, OffersAllPagesAndPdfAndCancelsToNothing) {
  bool seen = false;
  QAbstractPrintDialog::PrintDialogOptions options;
  QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::Selection;
  QTimer::singleShot(0, [&] {
    auto* dialog =
        qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    seen = true;
    options = dialog->options();
    range = dialog->printRange();
    dialog->reject();
  });
  const std::unique_ptr<IPrintJob> job = qt::RunPrintDialog(nullptr);
  EXPECT_EQ(job, nullptr);
  ASSERT_TRUE(seen);
  EXPECT_TRUE(options.testFlag(QAbstractPrintDialog::PrintToFile));
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintSelection));
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
  EXPECT_EQ(range, QAbstractPrintDialog::AllPages);
}

}  // namespace
}  // namespace qv
