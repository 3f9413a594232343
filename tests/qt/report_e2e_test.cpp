// quorvane-report end to end: the real executable on race files made here,
// its outputs checked against values worked out by hand.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

namespace {

struct Result {
  int exitCode = -1;
  QString out;
  QString err;
};

Result RunReport(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(QV_REPORT_BIN), args);
  process.waitForFinished(60000);
  Result r;
  r.exitCode =
      process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.out = QString::fromUtf8(process.readAllStandardOutput());
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

QString Lines(std::initializer_list<const char*> lines) {
  QString s;
  for (const char* l : lines) s += QString::fromUtf8(l) + QLatin1Char('\n');
  return s;
}

TEST_F(ReportTest, ListTextOfEveryCalculationAndUnit) {
  const QString two = Write("two.txt", kTwoSections);
  struct Case {
    QStringList options;
    QString expected;
  };
  const Case cases[] = {
      {{},
       Lines({"1\t0 km\t5 "
              "km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t00時25分00秒00\t"
              "05分00秒00",
              "2\t5 km\t10 "
              "km\t01分00秒00\t00時26分00秒00\t00時52分00秒00\t00時27分00秒00\t"
              "05分24秒00",
              "全区間\t0 km\t10 "
              "km\t01分00秒00\t00時00分00秒00\t00時52分00秒00\t00時52分00秒00\t"
              "05分12秒00"})},
      {{"--condition", "net"},
       Lines({"1\t0 km\t5 "
              "km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t00時25分00秒00\t"
              "05分00秒00",
              "2\t5 km\t10 "
              "km\t00分00秒00\t00時25分00秒00\t00時51分00秒00\t00時26分00秒00\t"
              "05分12秒00",
              "全区間\t0 km\t10 "
              "km\t00分00秒00\t00時00分00秒00\t00時51分00秒00\t00時51分00秒00\t"
              "05分06秒00"})},
      {{"--priority", "lap"},
       Lines({"1\t0 km\t5 "
              "km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t00時25分00秒00\t"
              "05分00秒00",
              "2\t5 km\t10 "
              "km\t01分00秒00\t00時26分00秒00\t00時52分00秒00\t00時26分00秒00\t"
              "05分12秒00",
              "全区間\t0 km\t10 "
              "km\t01分00秒00\t00時00分00秒00\t00時52分00秒00\t00時52分00秒00\t"
              "05分12秒00"})},
      {{"--unit=400m"},
       Lines({"1\t0 km\t5 "
              "km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t00時25分00秒00\t"
              "02分00秒00",
              "2\t5 km\t10 "
              "km\t01分00秒00\t00時26分00秒00\t00時52分00秒00\t00時27分00秒00\t"
              "02分09秒60",
              "全区間\t0 km\t10 "
              "km\t01分00秒00\t00時00分00秒00\t00時52分00秒00\t00時52分00秒00\t"
              "02分04秒80"})},
      {{"--unit", "kmh", "--axis", "reversed"},
       Lines({"1\t0 km\t5 "
              "km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t00時25分00秒00\t"
              "12.00 km/h",
              "2\t5 km\t10 "
              "km\t01分00秒00\t00時26分00秒00\t00時52分00秒00\t00時27分00秒00\t"
              "11.11 km/h",
              "全区間\t0 km\t10 "
              "km\t01分00秒00\t00時00分00秒00\t00時52分00秒00\t00時52分00秒00\t"
              "11.53 km/h"})},
      {{"--entered"},
       Lines({"1\t0 km\t5 "
              "km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t00時25分00秒00\t"
              "00分00秒00",
              "2\t5 km\t10 "
              "km\t01分00秒00\t00時26分00秒00\t00時52分00秒00\t00時26分00秒00\t"
              "00分00秒00"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.join(QLatin1Char(' ')).toStdString());
    const Result r = RunReport(c.options + QStringList{two});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), c.expected.toStdString());
  }
}

TEST_F(ReportTest, BySpeedInKmhAndAZeroLengthSection) {
  Result r = RunReport({Write("speed.txt", kBySpeedKmh)});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.toStdString(), Lines({"1\t0 km\t2.5 "
                                        "km\t00分00秒00\t00時00分00秒00\t00時12"
                                        "分30秒00\t00時12分30秒00\t12.00 km/h",
                                        "2\t2.5 km\t4 "
                                        "km\t00分10秒00\t00時12分40秒00\t00時18"
                                        "分40秒00\t00時06分00秒00\t15.00 km/h",
                                        "全区間\t0 km\t4 "
                                        "km\t00分10秒00\t00時00分00秒00\t00時18"
                                        "分40秒00\t00時18分40秒00\t12.85 km/h"})
                                     .toStdString());
  r = RunReport({Write("zero.txt", kZeroLength)});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.toStdString(), Lines({"1\t3 km\t3 "
                                        "km\t00分00秒00\t00時00分00秒00\t00時03"
                                        "分20秒00\t00時03分20秒00\t00分00秒00",
                                        "全区間\t0 km\t3 "
                                        "km\t00分00秒00\t00時00分00秒00\t00時03"
                                        "分20秒00\t00時03分20秒00\t01分06秒66"})
                                     .toStdString());
}

TEST_F(ReportTest, FailuresAndUsage) {
  Result r = RunReport({Path("missing/none.txt")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("ファイルが開けません")));
  EXPECT_TRUE(r.out.isEmpty());

  r = RunReport({Write("many.txt", kTooManySections)});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("区間数が正しくありません")));

  for (const QStringList& bad :
       {QStringList{}, QStringList{"--unit", "mph", "x.txt"},
        QStringList{"a.txt", "b.txt"}, QStringList{"--bogus", "a.txt"},
        QStringList{"--graph", "out.gif", "a.txt"},
        QStringList{"--size", "0x5", "a.txt"}, QStringList{"--csv"}}) {
    SCOPED_TRACE(bad.join(QLatin1Char(' ')).toStdString());
    r = RunReport(bad);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Usage: quorvane-report")));
  }
  r = RunReport({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.out.contains(QStringLiteral("Usage: quorvane-report")));
}

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

}  // namespace
