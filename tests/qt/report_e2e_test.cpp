// quorvane-report end to end: the real executable on race files made here.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

namespace {

struct Ran {
  int code = -1;
  QString out, err;
};

// QV_REPORT_BIN in the environment names another build to check.
const QString kReport =
    qEnvironmentVariable("QV_REPORT_BIN", QStringLiteral(QV_REPORT_BIN));

// Two sections: 0-5 km in 25:00, a minute lost, 5-10 km arriving at 52:00;
// comment 晴れ (code page 932). Another computed by speed in km/h.
const char kTwoSections[] =
    "Spring\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n5\r\n150000\r\n"
    "150000\r\n0\r\n5\r\n6000\r\n156000\r\n10\r\n312000\r\n156000\r\n0\r\n"
    "\x90\xb0\x82\xea\r\r\n";
const char kBySpeedKmh[] =
    "Speed\r\n2\r\n0\r\n4\r\n0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n2.5\r\n0\r\n0\r\n"
    "30000\r\n2.5\r\n1000\r\n0\r\n4\r\n0\r\n0\r\n24000\r\n";
// A watch's record of two 1 km laps, in 5:00 and 4:40.
const char kTwoLapTcx[] =
    "<?xml version='1.0'?><TrainingCenterDatabase><Activities><Activity><Lap "
    "StartTime='2024-05-01T00:30:00Z'><TotalTimeSeconds>300</TotalTimeSeconds>"
    "<DistanceMeters>1000</DistanceMeters></Lap><Lap StartTime='2024-05-01T00:"
    "35:00Z'><TotalTimeSeconds>280</TotalTimeSeconds><DistanceMeters>1000"
    "</DistanceMeters></Lap></Activity></Activities></TrainingCenterDatabase>";

class ReportTest : public ::testing::Test {
 protected:
  // Runs a program, quorvane-report unless named, in the folder; setup may
  // redirect or limit it first.
  Ran Run(const QStringList& args,
          const std::function<void(QProcess&)>& setup = {},
          const QString& program = kReport) {
    QProcess p;
    p.setWorkingDirectory(dir.path());
    if (setup) setup(p);
    p.start(program, args);
    const bool ended =
        p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
  }
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    return name;
  }
  // Every file under a folder of it, by relative path, with its bytes.
  std::map<QString, QByteArray> Contents(const QString& folder = ".") {
    std::map<QString, QByteArray> files;
    const QDir root(dir.filePath(folder));
    for (QDirIterator it(root.path(), QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
      QFile f(it.next());
      files[root.relativeFilePath(f.fileName())] =
          f.open(QIODevice::ReadOnly) ? f.readAll() : "?";
    }
    return files;
  }
  QTemporaryDir dir;
};

// Nothing is written on a usage error, and a write that fails leaves the old
// output whole. Every run has SIGXFSZ at its default, which the tool must
// set aside, and a file-size limit.
TEST_F(ReportTest, UsageErrorsAndFailedWritesLeaveEveryFileAlone) {
  Write("r.txt", kTwoSections);
  Write("s.txt", kBySpeedKmh);
  Write("old.csv", "old\n");
  ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
  Write("sub/r.txt", kTwoSections);
  ASSERT_TRUE(QFile::link(dir.filePath("r.txt"), dir.filePath("link.txt")));
  const auto before = Contents();
  const auto check = [&](const char* args, const char* stdoutFile, int code,
                         const QString& message) {
    SCOPED_TRACE(args);
    const Ran r = Run(QProcess::splitCommand(QString(args)), [&](QProcess& p) {
      if (*stdoutFile != '\0') p.setStandardOutputFile(stdoutFile);
      p.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
      });
    });
    EXPECT_TRUE(r.code == code && r.err.contains(message) &&
                (code == 1 || r.out.isEmpty()))
        << r.err.toStdString();
    EXPECT_TRUE(Contents() == before);
  };
  // A race file as an output however spelled, two outputs on one file, many
  // races to one output; empty names, repeats, a size without a graph.
  for (const char* args :
       {"--csv sub/../r.txt r.txt", "--pdf link.txt r.txt",
        "--csv {name}.txt r.txt s.txt", "--compare s.txt --csv ./s.txt r.txt",
        "--graph x.png --pdf x.png r.txt", "--csv {name}.csv r.txt sub/r.txt",
        "--csv all.csv r.txt s.txt", "--csv \"\" r.txt", "--pdf= r.txt",
        "--unit km --unit kmh r.txt", "--csv a.csv --csv=b.csv r.txt",
        "--size 100x100 r.txt", "-j 0 r.txt", "--jobs=two r.txt",
        "--entered=yes r.txt", "--race r.txt r.txt", "--race - r.txt",
        "--race x.txt --csv x.txt r.txt", "--split lap r.txt",
        "--split 1 --split laps r.txt", "--course 0 r.txt", "--course= r.txt"})
    check(args, "", 2, "Usage: quorvane-report");
  // On a full disk (standard output or a file) or beyond the limit.
  for (const auto& [args, stdoutFile, failed] :
       {std::tuple{"r.txt", "/dev/full", "標準出力"},
        {"--csv - r.txt", "/dev/full", "標準出力"},
        {"--csv /dev/full r.txt", "", "/dev/full"},
        {"--pdf /dev/full r.txt", "", "/dev/full"},
        {"--csv old.csv r.txt", "", "old.csv"}})
    check(args, stdoutFile, 1,
          QString("出力ファイルに書き込めません: ") + failed);
}

// Bad races are reported and the good ones still done; progress shows on a
// terminal, cleared before each message, and nowhere else. (Outputs and
// messages of many races at once: golden_check.sh.)
TEST_F(ReportTest, ProgressShowsOnATerminalOnly) {
  const QStringList races = {Write("a.txt", kTwoSections), "missing.txt",
                             Write("w.tcx", kTwoLapTcx)};
  QString expected;  // each good race's own list after its name
  for (const QString race : {"a.txt", "w.tcx"})
    for (const QString& line : Run({race}).out.split('\n', Qt::SkipEmptyParts))
      expected += race + '\t' + line + '\n';
  const Ran plain = Run(races);
  EXPECT_TRUE(plain.code == 1 && plain.out == expected &&
              plain.err == "ファイルが開けません: missing.txt\n")
      << plain.err.toStdString();
  // The same races on a pseudo-terminal, their list into a file.
  const Ran shown = Run(QStringList{"-c", "import pty,sys; sys.exit(pty.spawn("
                                    "sys.argv[1:]) >> 8)", "sh", "-c",
                                    "exec \"$0\" \"$@\" >list", kReport} + races,
                        {}, "python3");
  EXPECT_TRUE(shown.code == 1 &&
              shown.out.contains("\r\x1b[Kファイルが開けません: missing.txt") &&
              shown.out.contains("\r3/3 w.tcx") && shown.out.endsWith("\r\x1b[K"))
      << shown.out.toStdString();
  EXPECT_EQ(Contents()["list"], expected.toUtf8());
}

// A run ended by a signal while an output is half written leaves no
// temporary file, and ends as the signal would: strace sends the signal as
// the second output file is about to reach the disk.
TEST_F(ReportTest, SignalsLeaveNoTemporaryFiles) {
  if (QStandardPaths::findExecutable("strace").isEmpty())
    GTEST_SKIP() << "strace is not installed";
  Write("a.txt", kTwoSections);
  Write("b.txt", kTwoSections);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) {
    const Ran r = Run({"-c",
                       "strace -f -qq -o /dev/null -e trace=fsync -e "
                       "inject=fsync:when=2:signal=" +
                           QString::number(signal) +
                           " \"$0\" \"$@\" >/dev/null; echo $?",
                       kReport, "--csv", "{name}.csv", "--graph",
                       "{name}.png", "a.txt", "b.txt"},
                      {}, "sh");
    EXPECT_EQ(r.out.trimmed().toInt(), 128 + signal) << r.err.toStdString();
    static const QRegularExpression whole("^[ab][.](txt|csv|png)$");
    for (const auto& entry : Contents())
      EXPECT_TRUE(whole.match(entry.first).hasMatch())
          << entry.first.toStdString();
  }
}

}  // namespace
