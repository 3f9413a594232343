#include "app/qt/qt_files.h"

#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include "file/disk_file.h"
#include "res/i18n.h"

namespace qv::qt {

namespace {

// The dialog shows what stands before the last parentheses (the details are
// hidden) and matches the patterns inside them: Qt splits patterns at blanks
// only, and "*.*" would miss names without a dot.
const char kTextFilesFilter[] = N_("TXTﾌｧｲﾙ(*.TXT;*.txt) (*.TXT *.txt)");
const char kAllFilesFilter[] = N_("すべてのﾌｧｲﾙ (*.*) (*)");
// Watches write FIT in capitals.
const char kRecordFilter[] =
    N_("GPSの記録 (*.fit *.tcx *.gpx) "
       "(*.fit *.tcx *.gpx *.FIT *.TCX *.GPX *.Fit *.Tcx *.Gpx)");

QString PathToQt(const std::string& path) {
  return QFile::decodeName(
      QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::optional<std::string> RunDialog(QWidget* parent, bool save) {
  QFileDialog dialog(parent);
  SetUpRaceFileDialog(dialog, save);
  return ChosenFileName(dialog);
}

}  // namespace

std::optional<std::string> ChosenFileName(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  const QByteArray name = QFile::encodeName(files.first());
  return std::string(name.constData(), static_cast<std::size_t>(name.size()));
}

void SetUpRaceFileDialog(QFileDialog& dialog, bool save) {
  // Qt's own dialog everywhere, so the filters read the same on every
  // desktop.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave
                            : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // A name typed without an extension is used as typed.
  dialog.setDefaultSuffix(QString());
  dialog.setNameFilters({QString::fromUtf8(Tr(kTextFilesFilter)),
                         QString::fromUtf8(Tr(kAllFilesFilter))});
  dialog.selectNameFilter(QString::fromUtf8(Tr(kTextFilesFilter)));
}

std::optional<std::string> AskOpenFileName(QWidget* parent) {
  return RunDialog(parent, false);
}

std::optional<std::string> AskSaveFileName(QWidget* parent) {
  return RunDialog(parent, true);
}

std::optional<std::string> AskOpenRecordName(QWidget* parent) {
  QFileDialog dialog(parent);
  SetUpRaceFileDialog(dialog, false);
  dialog.setNameFilters({QString::fromUtf8(Tr(kRecordFilter)),
                         QString::fromUtf8(Tr(kAllFilesFilter))});
  dialog.selectNameFilter(QString::fromUtf8(Tr(kRecordFilter)));
  return ChosenFileName(dialog);
}

ReadResult QtFileSystem::ReadAll(const std::string& path,
                                 std::size_t maxBytes) {
  return ReadRegularFile(path, maxBytes);
}

WriteStatus QtFileSystem::WriteAll(const std::string& path,
                                   std::string_view bytes) {
  // QSaveFile writes a temporary file beside the target and renames it over
  // the target at commit(); until then the old file is untouched, and an
  // uncommitted temporary file is removed when the object goes.
  QSaveFile file(PathToQt(path));
  // Unbuffered, so each write reports what reached the file: through the
  // buffer a short write at the end goes unnoticed and commit() succeeds
  // with a truncated file.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return WriteStatus::OpenFailed;
  const char* data = bytes.data();
  qint64 left = static_cast<qint64>(bytes.size());
  while (left > 0) {
    const qint64 n = file.write(data, left);
    if (n <= 0) {
      file.cancelWriting();
      return WriteStatus::WriteFailed;
    }
    data += n;
    left -= n;
  }
  if (!file.commit()) return WriteStatus::WriteFailed;
  return WriteStatus::Ok;
}

}  // namespace qv::qt
