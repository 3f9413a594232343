// Race files on Qt: the file dialogs and the file access through QFile and
// QSaveFile.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/qt/qt_files.h"
#include "app/qt/qt_platform.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

using filetest::ReadBytes;
using filetest::ScratchDir;
using filetest::WriteBytes;

const char kTextFilesCaption[] = "TXTﾌｧｲﾙ(*.TXT;*.txt)";
const char kAllFilesCaption[] = "すべてのﾌｧｲﾙ (*.*)";

// ---------------------------------------------------------------- files

TEST(QtFileSystem, ReadsTheWholeFileAsItIsOrFails) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const std::string bytes("a\r\nb\0\x1A\x93\xFA\r", 9);
  ASSERT_TRUE(WriteBytes(dir.File("大会.txt"), bytes));
  std::filesystem::create_directory(dir.Path() / "folder");
  qt::QtFileSystem files;
  const ReadResult r = files.ReadAll(dir.File("大会.txt"), 9);
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.bytes, bytes);
  for (const char* name : {"none/race.txt", "missing.txt", "folder"})
    EXPECT_EQ(files.ReadAll(dir.File(name), 100).status, ReadStatus::OpenFailed)
        << name;
  const ReadResult big = files.ReadAll(dir.File("大会.txt"), 8);
  EXPECT_EQ(big.status, ReadStatus::TooLarge);
  EXPECT_TRUE(big.bytes.empty());
}

TEST(QtFileSystem, WritesAndReplacesKeepingPermissions) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  qt::QtFileSystem files;
  const std::string path = dir.File("大会.txt");
  EXPECT_EQ(files.WriteAll(path, "first"), WriteStatus::Ok);
  EXPECT_EQ(ReadBytes(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const std::string second(100000, 'x');
  EXPECT_EQ(files.WriteAll(path, second), WriteStatus::Ok);
  EXPECT_EQ(ReadBytes(path), second);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"大会.txt"});
}

// Writes beyond the size limit fail as on a full disk. Buffered, QSaveFile
// would commit the first 1,000 bytes and report success.
TEST(QtFileSystem, WriteFailureHalfWayKeepsTheOldFile) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const std::string path = dir.File("race.txt");
  const std::string old = "the old race\r\n";
  ASSERT_TRUE(WriteBytes(path, old));
  qt::QtFileSystem files;
  WriteStatus status = WriteStatus::Ok;
  {
    filetest::FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.Ok());
    status = files.WriteAll(path, std::string(5000, 'n'));
  }
  EXPECT_EQ(status, WriteStatus::WriteFailed);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"race.txt"});
  // The same write without the limit goes through.
  EXPECT_EQ(files.WriteAll(path, std::string(5000, 'n')), WriteStatus::Ok);
  EXPECT_EQ(ReadBytes(path).size(), 5000u);
}

// A file-size limit fails the write instead of ending the process: the
// platform ignores SIGXFSZ, which a user's process otherwise dies of.
TEST(QtFileSystem, AFileSizeLimitFailsTheWriteInsteadOfEndingTheProgram) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const std::string path = dir.File("race.txt");
  ASSERT_TRUE(WriteBytes(path, "old"));
  EXPECT_EXIT(
      {
        std::signal(SIGXFSZ, SIG_DFL);
        qt::Platform platform;
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const WriteStatus status =
            platform.Files().WriteAll(path, std::string(10000, 'n'));
        std::_Exit(status == WriteStatus::WriteFailed && ReadBytes(path) == "old"
                       ? 0
                       : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(QtFileSystem, NonRegularFilesAreRefusedWithoutWaiting) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  qt::QtFileSystem files;
  ReadResult r;
  EXPECT_TRUE(filetest::ReturnsWithoutAWriter(
      fifo, [&] { r = files.ReadAll(fifo, 100); }));
  EXPECT_EQ(r.status, ReadStatus::OpenFailed);
  EXPECT_EQ(files.ReadAll("/dev/null", 100).status, ReadStatus::OpenFailed);
}

// ---------------------------------------------------------------- dialogs

TEST(RaceFileDialog, FiltersAndOptions) {
  for (bool save : {false, true}) {
    QFileDialog dialog;
    qt::SetUpRaceFileDialog(dialog, save);
    EXPECT_EQ(dialog.acceptMode(),
              save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
    EXPECT_EQ(dialog.nameFilters().size(), 2);
    EXPECT_EQ(dialog.selectedNameFilter().toStdString(), kTextFilesCaption);
    // What the user sees in the file-type list.
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0).toStdString(), kTextFilesCaption);
    EXPECT_EQ(types->itemText(1).toStdString(), kAllFilesCaption);
    EXPECT_EQ(types->currentIndex(), 0);
  }
}

// Runs action on the first modal widget of type T to come up.
template <typename T>
void OnNextModal(std::function<void(T*)> action) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, action, tries] {
    if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      action(w);
      return;
    }
    if (++*tries > 1000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no dialog came up";
      if (QWidget* any = QApplication::activeModalWidget()) any->close();
    }
  });
  timer->start(5);
}

QString QtPath(const std::string& path) { return QString::fromStdString(path); }

TEST(RaceFileDialog, CancelGivesNoName) {
  OnNextModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(qt::AskOpenFileName(nullptr), std::nullopt);
  OnNextModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(qt::AskSaveFileName(nullptr), std::nullopt);
}

TEST(RaceFileDialog, GivesTheChosenNameAsTyped) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  ASSERT_TRUE(WriteBytes(dir.File("大会.txt"), "x"));
  // Open picks an existing file; save takes a name without extension as is.
  for (const char* name : {"大会.txt", "race"}) {
    const bool open = std::string(name) == "大会.txt";
    OnNextModal<QFileDialog>([&](QFileDialog* d) {
      EXPECT_TRUE(d->selectedFiles().value(0).isEmpty() ||
                  QFileInfo(d->selectedFiles().value(0)).isDir());
      d->setDirectory(QtPath(dir.Path().string()));
      d->selectFile(QString::fromUtf8(name));
      QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    });
    EXPECT_EQ(
        open ? qt::AskOpenFileName(nullptr) : qt::AskSaveFileName(nullptr),
        dir.File(name));
  }
}

TEST(RaceFileDialog, SaveAsksBeforeReplacingAFile) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  ASSERT_TRUE(WriteBytes(dir.File("race.txt"), "x"));
  for (bool replace : {false, true}) {
    bool asked = false;
    OnNextModal<QMessageBox>([&](QMessageBox* box) {
      asked = box->text().contains(QStringLiteral("race.txt"));
      box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    OnNextModal<QFileDialog>([&](QFileDialog* d) {
      d->setDirectory(QtPath(dir.Path().string()));
      d->selectFile(QStringLiteral("race.txt"));
      QMetaObject::invokeMethod(
          d, "accept",
          Qt::DirectConnection);  // returns once the question is answered
      if (d->isVisible()) d->reject();
    });
    const std::optional<std::string> name = qt::AskSaveFileName(nullptr);
    EXPECT_TRUE(asked) << replace;
    const std::optional<std::string> expected =
        replace ? std::optional<std::string>(dir.File("race.txt"))
                : std::nullopt;
    EXPECT_EQ(name, expected);
  }
}

}  // namespace
}  // namespace qv
