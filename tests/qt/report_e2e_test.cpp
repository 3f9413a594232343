// quorvane-report end to end: the real executable on race files made here,
// its outputs checked against values worked out by hand.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <vector>
#include <functional>
#include <string>
#include <sys/resource.h>

namespace {

struct Result {
  int exitCode = -1;
  QString out;
  QString err;
  QByteArray outBytes;
};

// How the program is started beyond its arguments.
struct Launch {
  QString stdoutFile;                   // instead of a pipe
  std::function<void()> inChild;        // run in the child before exec
  QStringList environment;              // NAME=value, added
  QStringList unsetEnvironment;         // names removed
};

// QV_REPORT_BIN in the environment names another build to check.
QString ReportBinary() {
  return qEnvironmentVariable("QV_REPORT_BIN", QStringLiteral(QV_REPORT_BIN));
}

Result RunReport(const QStringList& args, const Launch& launch = {}) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& name : launch.unsetEnvironment) env.remove(name);
  for (const QString& pair : launch.environment)
    env.insert(pair.section(QLatin1Char('='), 0, 0),
               pair.section(QLatin1Char('='), 1));
  process.setProcessEnvironment(env);
  if (!launch.stdoutFile.isEmpty())
    process.setStandardOutputFile(launch.stdoutFile);
  if (launch.inChild) process.setChildProcessModifier(launch.inChild);
  process.start(ReportBinary(), args);
  process.waitForFinished(120000);
  Result r;
  r.exitCode =
      process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.outBytes = process.readAllStandardOutput();
  r.out = QString::fromUtf8(r.outBytes);
  r.err = QString::fromUtf8(process.readAllStandardError());
  return r;
}

QString RunTool(const QStringList& program, const QStringList& args,
                int* code = nullptr) {
  QProcess process;
  process.start(program.front(), program.mid(1) + args);
  process.waitForFinished(60000);
  if (code) *code = process.exitCode();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The race of two sections: 0-5 km in 25:00, a minute lost, 5-10 km arriving
// at 52:00; comment 晴れ (code page 932).
const char kTwoSections[] =
    "Spring\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n"
    "0\r\n0\r\n0\r\n5\r\n150000\r\n150000\r\n0\r\n"
    "5\r\n6000\r\n156000\r\n10\r\n312000\r\n156000\r\n0\r\n"
    "\x90\xb0\x82\xea\r\r\n";

// By speed in km/h (as the file's settings say): 2.5 km at 5:00/km, then
// 10 s lost and 1.5 km at 4:00/km.
const char kBySpeedKmh[] =
    "Speed\r\n2\r\n0\r\n4\r\n0\r\n0\r\n2\r\n"
    "0\r\n0\r\n0\r\n2.5\r\n0\r\n0\r\n30000\r\n"
    "2.5\r\n1000\r\n0\r\n4\r\n0\r\n0\r\n24000\r\n";

// One section that starts and ends at km 3.
const char kZeroLength[] =
    "Zero\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"
    "3\r\n0\r\n0\r\n3\r\n20000\r\n0\r\n0\r\n";

const char kTooManySections[] = "X\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46\r\n";

class ReportTest : public ::testing::Test {
 protected:
  QString Write(const char* name, const char* bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  QString Path(const char* name) {
    return dir.filePath(QString::fromLatin1(name));
  }

  QTemporaryDir dir;
};

TEST_F(ReportTest, CsvReadsBackIntoTheSameCells) {
  const QString two = Write("two.txt", kTwoSections);
  const Result text = RunReport({two});
  const Result csv = RunReport({"--csv", "-", two});
  ASSERT_EQ(csv.exitCode, 0);
  EXPECT_TRUE(csv.out.startsWith(QStringLiteral(
      "区間,出発,到着,ロスタイム,出発時間,到着時間,ラップタイム,速度\r\n")));
  // A CSV file beside the list text on standard output.
  const Result both = RunReport({"--csv", Path("out.csv"), two});
  EXPECT_EQ(both.out, text.out);
  QFile file(Path("out.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()), csv.out);

  // Python's csv module is the independent reader.
  const QString python =
      QStandardPaths::findExecutable(QStringLiteral("python3"));
  ASSERT_FALSE(python.isEmpty()) << "python3 is needed to read the CSV back";
  const QString script = QStringLiteral(
      "import csv,sys\n"
      "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
      "sys.stdout.write(''.join('\\t'.join(r)+'\\n' for r in rows[1:]))\n");
  int code = -1;
  const QString readBack =
      RunTool({python, QStringLiteral("-c"), script}, {Path("out.csv")}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(readBack, text.out);
}

TEST_F(ReportTest, GraphAsPngAndSvg) {
  const QString two = Write("two.txt", kTwoSections);
  Result r = RunReport({"--graph", Path("g.png"), "--size", "400x300", two});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  QImageReader reader(Path("g.png"));
  QImage image = reader.read();
  ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
  EXPECT_EQ(image.size(), QSize(400, 300));
  // The time curve is dark red, the speed curve green, the rest white-ish.
  int red = 0, green = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c == QColor(192, 0, 0)) ++red;
      if (c == QColor(0, 128, 0)) ++green;
    }
  EXPECT_GT(red, 300);
  EXPECT_GT(green, 300);

  // Without --size: the graph area's size on screen.
  r = RunReport({"--graph", Path("screen.png"), two});
  ASSERT_EQ(r.exitCode, 0);
  const QImage screen(Path("screen.png"));
  EXPECT_GT(screen.width(), 150);
  EXPECT_GT(screen.height(), 120);

  r = RunReport({"--graph", Path("g.svg"), "--axis", "reversed", two});
  ASSERT_EQ(r.exitCode, 0);
  QFile svg(Path("g.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QString xml = QString::fromUtf8(svg.readAll());
  EXPECT_TRUE(xml.contains(QStringLiteral("<svg")));
  // Qt writes a text run per script ("Time(" and "分)"), each a <text>
  // element in drawing order; joined they give the captions.
  QString texts;
  const QRegularExpression element(QStringLiteral("<text[^>]*>([^<]*)</text>"));
  for (auto it = element.globalMatch(xml); it.hasNext();)
    texts += it.next().captured(1);
  EXPECT_TRUE(texts.contains(QStringLiteral("Time(分)")));
  EXPECT_TRUE(texts.contains(QStringLiteral("距離(km)")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Speed(分/km)")));
}

TEST_F(ReportTest, PdfOfTheSampleRace) {
  const QString sample =
      QStringLiteral(QV_SOURCE_DIR "/examples/sample-10km.txt");
  const Result r = RunReport({"--pdf", Path("page.pdf"), sample});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out.count(QLatin1Char('\n')), 6);
  EXPECT_TRUE(r.out.split(QLatin1Char('\n'))
                  .at(5)
                  .startsWith(QStringLiteral("全区間\t0 km\t10 km")));
  const QString pdftotext =
      QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  ASSERT_FALSE(pdftotext.isEmpty());
  int code = -1;
  const QString text = RunTool({pdftotext, QStringLiteral("-layout")},
                               {Path("page.pdf"), QStringLiteral("-")}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(text.contains(QStringLiteral("全区間")));
  EXPECT_TRUE(text.contains(QStringLiteral("速度/ｋｍ")));
  EXPECT_EQ(text.count(QLatin1Char('\f')), 1);  // one page
}

// Against an even 05分00秒 a km over 10 km (300000): level at 5 km, two
// minutes behind at the finish (312000). The column and the curve reach the
// CSV and the page; the comparison is an input, never an output.
TEST_F(ReportTest, CompareWithAPlan) {
  const QString two = Write("two.txt", kTwoSections);
  const QString plan = Write(
      "plan.txt",
      "Plan\r\n2\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n10\r\n0\r\n0\r\n30000\r\n");
  Result r = RunReport(
      {"--compare", plan, "--csv", "-", "--pdf", Path("page.pdf"), two});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList rows = r.out.split(QStringLiteral("\r\n"));
  ASSERT_GE(rows.size(), 4);
  EXPECT_TRUE(rows[0].endsWith(QStringLiteral(",比較差")));
  EXPECT_TRUE(rows[1].endsWith(QStringLiteral(",00分00秒00")));
  EXPECT_TRUE(rows[3].endsWith(QStringLiteral(",+02分00秒00")));
  const QString text = RunTool(
      {QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
       QStringLiteral("-layout")},
      {Path("page.pdf"), QStringLiteral("-")});
  EXPECT_TRUE(text.contains(QStringLiteral("比較差")));
  EXPECT_TRUE(text.contains(QStringLiteral("+02分00秒00")));

  r = RunReport({"--compare", plan, "--csv", plan, two});
  EXPECT_EQ(r.exitCode, 2);
  r = RunReport({"--compare", Write("bad.txt", kTooManySections), two});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("bad.txt"))) << r.err.toStdString();
}

// Every file in the folder, by name, with its bytes.
std::map<QString, QByteArray> Contents(const QString& folder) {
  std::map<QString, QByteArray> files;
  for (const QFileInfo& info : QDir(folder).entryInfoList(
           QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    QFile f(info.filePath());
    files[info.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : "?";
  }
  return files;
}

TEST_F(ReportTest, UsageErrorsWriteNothing) {
  const QString race = Write("r.txt", kTwoSections);
  Write("s.txt", kBySpeedKmh);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
  Write("sub/r.txt", kZeroLength);
  ASSERT_TRUE(QFile::link(race, Path("link.txt")));
  const auto before = Contents(dir.path());
  const QString sub = Path("sub");
  const QStringList cases[] = {
      // An output that is a race file, however it is spelled.
      {"--csv", race, race},
      {"--csv", Path("sub/../r.txt"), race},
      {"--pdf", Path("link.txt"), race},
      {"--csv", Path("{name}.txt"), race, Path("s.txt")},
      // Two outputs of one run on one file.
      {"--graph", Path("x.png"), "--pdf", Path("x.png"), race},
      {"--csv", Path("{name}.csv"), race, Path("sub/r.txt")},
      // Empty names, repeats, a size without a graph.
      {"--csv", "", race},
      {"--pdf=", race},
      {"--unit", "km", "--unit", "kmh", race},
      {"--csv", Path("a.csv"), "--csv=" + Path("b.csv"), race},
      {"--size", "100x100", race},
      // Many races, one output name.
      {"--csv", Path("all.csv"), race, Path("s.txt")},
      {"-j", "0", race},
      {"--jobs=two", race},
      {"--entered=yes", race},
  };
  for (const QStringList& args : cases) {
    SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
    const Result r = RunReport(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Usage: quorvane-report")));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(Contents(dir.path()) == before);
    EXPECT_TRUE(Contents(sub).size() == 1);
  }
}

TEST_F(ReportTest, RendersOffscreenWhateverThePlatformNamed) {
  const QString two = Write("two.txt", kTwoSections);
  Launch noDisplay;
  noDisplay.environment = {"QT_QPA_PLATFORM=xcb"};
  noDisplay.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY"};
  const Result r = RunReport(
      {"--graph", Path("g.png"), "--pdf", Path("p.pdf"), two}, noDisplay);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_FALSE(QImage(Path("g.png")).isNull());
  EXPECT_GT(QFileInfo(Path("p.pdf")).size(), 1000);
}

TEST_F(ReportTest, WritesThatFailAreReported) {
  const QString two = Write("two.txt", kTwoSections);
  const struct {
    QStringList args;
    QString stdoutFile;
    QString failed;
  } cases[] = {
      {{two}, "/dev/full", "標準出力"},
      {{"--csv", "-", two}, "/dev/full", "標準出力"},
      {{"--csv", "/dev/full", two}, "", "/dev/full"},
      {{"--pdf", "/dev/full", two}, "", "/dev/full"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
    Launch launch;
    launch.stdoutFile = c.stdoutFile;
    const Result r = RunReport(c.args, launch);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("出力ファイルに書き込めません: ") + c.failed))
        << r.err.toStdString();
  }
}

// The PDF's creation time is the only thing that may differ between runs.
QByteArray WithoutCreationDate(QByteArray pdf) {
  static const QRegularExpression date(
      QStringLiteral("/CreationDate \\(D:[0-9Z+'-]*\\)"));
  return QString::fromLatin1(pdf).remove(date).toLatin1();
}

TEST_F(ReportTest, BatchOfGoodAndBadRaces) {
  const QStringList races = {
      Write("a.txt", kTwoSections), Write("c.txt", kTooManySections),
      Write("b.txt", kBySpeedKmh), Path("missing.txt"),
      Write("e.txt", kZeroLength)};
  std::map<QString, QByteArray> files[2];
  Result results[2];
  const char* jobs[] = {"1", "4"};
  for (int k = 0; k < 2; ++k) {
    const QString out = Path(k == 0 ? "out1" : "out4");
    ASSERT_TRUE(QDir().mkpath(out));
    results[k] =
        RunReport(QStringList{"-j", jobs[k], "--csv", out + "/{name}.csv",
                              "--graph=" + out + "/{name}.png", "--pdf",
                              out + "/{name}.pdf"} +
                  races);
    files[k] = Contents(out);
  }
  const Result& r = results[0];
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(results[1].exitCode, 1);
  EXPECT_EQ(r.outBytes, results[1].outBytes);
  EXPECT_EQ(r.err, results[1].err);
  EXPECT_EQ(r.err.toStdString(),
            ("区間数が正しくありません: " + races[1] +
             "\nファイルが開けません: " + races[3] + "\n")
                .toStdString());

  // Each good race's list, its lines after its file's name, in the order
  // the files were given.
  QString expected;
  for (int i : {0, 2, 4}) {
    const Result one = RunReport({races[i]});
    ASSERT_EQ(one.exitCode, 0);
    for (const QString& line : one.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      expected += races[i] + QLatin1Char('\t') + line + QLatin1Char('\n');
  }
  EXPECT_EQ(r.out.toStdString(), expected.toStdString());

  // The good races' files, the same whatever the parallelism.
  std::vector<QString> names;
  for (const auto& [name, bytes] : files[0]) names.push_back(name);
  EXPECT_EQ(names, (std::vector<QString>{"a.csv", "a.pdf", "a.png", "b.csv",
                                         "b.pdf", "b.png", "e.csv", "e.pdf",
                                         "e.png"}));
  ASSERT_EQ(files[1].size(), files[0].size());
  for (const auto& [name, bytes] : files[0]) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_TRUE(WithoutCreationDate(files[1][name]) == WithoutCreationDate(bytes));
  }
}

// Progress on a terminal (a pseudo-terminal from Python's pty module), and
// not a byte of it when standard error is not one.
TEST_F(ReportTest, ProgressOnATerminalOnly) {
  const QStringList races = {Write("a.txt", kTwoSections),
                             Write("b.txt", kBySpeedKmh),
                             Write("e.txt", kZeroLength)};
  const Result plain = RunReport(races);
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_TRUE(plain.err.isEmpty());

  const QString python =
      QStandardPaths::findExecutable(QStringLiteral("python3"));
  ASSERT_FALSE(python.isEmpty());
  const QString script = QStringLiteral(
      "import os,pty,subprocess,sys\n"
      "m,s=pty.openpty()\n"
      "p=subprocess.Popen(sys.argv[1:],stdout=subprocess.DEVNULL,stderr=s)\n"
      "os.close(s)\n"
      "data=b''\n"
      "while True:\n"
      "  try: chunk=os.read(m,4096)\n"
      "  except OSError: break\n"
      "  if not chunk: break\n"
      "  data+=chunk\n"
      "sys.stdout.buffer.write(data)\n"
      "sys.exit(p.wait())\n");
  int code = -1;
  const QString shown = RunTool({python, QStringLiteral("-c"), script},
                                QStringList{ReportBinary()} + races, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(shown.contains(QStringLiteral("\r3/3 ") + races[2]))
      << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QStringLiteral("\r\x1b[K")));
}

}  // namespace
