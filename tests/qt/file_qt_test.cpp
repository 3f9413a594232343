// Race files on Qt: the file access through QFile and QSaveFile, and the
// file dialogs.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <csignal>

#include "app/qt/qt_files.h"
#include "app/qt/qt_platform.h"
#include "tests/qt/modal_watcher.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

using filetest::ReadBytes;
using filetest::ScratchDir;
using filetest::WriteBytes;

// Beyond a file-size limit a write fails half-way, as on a full disk, and
// the old file stays. A process dies of SIGXFSZ unless the platform sets it
// aside; QSaveFile, buffered, would commit the first bytes and succeed.
bool WriteBeyondALimitFails(const std::string& path) {
  std::signal(SIGXFSZ, SIG_DFL);
  qt::Platform platform;
  const std::string old = ReadBytes(path);
  const rlimit limit{1000, 1000};
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
         platform.Files().WriteAll(path, std::string(5000, 'n')) ==
             WriteStatus::WriteFailed &&
         ReadBytes(path) == old;
}

// Binary bytes whole, the mode of the file replaced kept, no temporary
// file left; nothing but a regular file read, and a FIFO without a writer
// must not hang the program.
TEST(QtFileSystem, WritesReplacesAndReadsWholeRegularFiles) {
  ScratchDir dir;
  const std::string path = dir.File("大会.txt"), bytes("a\r\nb\0\x1A\x93\r", 8);
  qt::QtFileSystem files;
  ASSERT_EQ(files.WriteAll(path, std::string(100000, 'x')), WriteStatus::Ok);
  EXPECT_EQ(files.ReadAll(path, 100000).bytes, std::string(100000, 'x'));
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_EQ(files.WriteAll(path, bytes), WriteStatus::Ok);
  struct stat st {};
  EXPECT_TRUE(::stat(path.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640);
  EXPECT_EQ(files.ReadAll(path, 8).bytes, bytes);
  EXPECT_EQ(files.ReadAll(path, 7).status, ReadStatus::TooLarge);
  EXPECT_EXIT(std::_Exit(WriteBeyondALimitFails(path) ? 0 : 1),
              ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"大会.txt"});
  std::filesystem::create_directory(dir.Path() / "folder");
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  for (const std::string& other :
       {dir.File("none/x"), dir.File("folder"), std::string("/dev/null"),
        dir.File("pipe")}) {
    ReadResult r;
    EXPECT_TRUE(filetest::ReturnsWithoutAWriter(
        other, [&] { r = files.ReadAll(other, 100); }));
    EXPECT_EQ(r.status, ReadStatus::OpenFailed) << other;
  }
}

// Checks how the next file dialog is set up and picks name in dir in it (an
// empty name cancels).
std::function<void(QDialog*)> Choose(const ScratchDir& dir, QString name,
                                     bool save) {
  return [&dir, name, save](QDialog* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    auto* types = d ? d->findChild<QComboBox*>("fileTypeCombo") : nullptr;
    if (types == nullptr || types->count() != 2) {
      ADD_FAILURE() << "not the race file dialog";
      return void(w->close());  // so that the test goes on
    }
    EXPECT_EQ(types->itemText(0) + "|" + types->itemText(1),
              "TXTﾌｧｲﾙ(*.TXT;*.txt)|すべてのﾌｧｲﾙ (*.*)");
    EXPECT_TRUE(types->currentIndex() == 0 && d->defaultSuffix().isEmpty() &&
                d->acceptMode() == (save ? QFileDialog::AcceptSave
                                         : QFileDialog::AcceptOpen) &&
                d->testOption(QFileDialog::DontUseNativeDialog) &&
                !d->testOption(QFileDialog::DontConfirmOverwrite));
    if (name.isEmpty()) return d->reject();
    d->setDirectory(QString::fromStdString(dir.Path().string()));
    d->selectFile(name);
    // A question about replacing the file comes up inside accept, which
    // returns once it is answered.
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    if (d->isVisible()) d->reject();
  };
}

TEST(RaceFileDialog, CancelOrTheNameAsTypedAskingBeforeReplacing) {
  ScratchDir dir;
  ASSERT_TRUE(WriteBytes(dir.File("大会.txt"), "x"));
  const std::optional<std::string> none, old = dir.File("大会.txt");
  for (const auto& [save, name, replace, chosen] :
       {std::tuple{false, "", false, none},
        {true, "", false, none},
        {false, "大会.txt", false, old},
        {true, "大会.txt", false, none},
        {true, "race", false, std::optional(dir.File("race"))},  // as typed
        {true, "大会.txt", true, old}}) {
    SCOPED_TRACE(std::string(name) + (save ? " save" : " open"));
    const qt::test::Modals modals(replace ? QMessageBox::Yes : QMessageBox::No,
                                  Choose(dir, QString::fromUtf8(name), save));
    EXPECT_EQ(
        save ? qt::AskSaveFileName(nullptr) : qt::AskOpenFileName(nullptr),
        chosen);
    EXPECT_EQ(modals.texts.join("").contains("大会.txt"),
              save && name == std::string("大会.txt"));
  }
}

}  // namespace
}  // namespace qv
