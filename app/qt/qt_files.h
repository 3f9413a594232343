// Race files on Qt: the file dialogs and atomic writes through QSaveFile.
#pragma once

#include <optional>
#include <string>

#include "app/platform.h"

class QFileDialog;
class QWidget;

namespace qv::qt {

class QtFileSystem final : public IFileSystem {
 public:
  ReadResult ReadAll(const std::string& path, std::size_t maxBytes) override;
  WriteStatus WriteAll(const std::string& path,
                       std::string_view bytes) override;
};

// The open and save dialogs of the race file (UTF-8 path, or nullopt on
// cancel).
std::optional<std::string> AskOpenFileName(QWidget* parent);
std::optional<std::string> AskSaveFileName(QWidget* parent);
// The open dialog of a watch's record: FIT, TCX and GPX files first.
std::optional<std::string> AskOpenRecordName(QWidget* parent);

// Sets up a dialog as the two above do: Qt's own dialog, no initial name, no
// default extension, the text-file and all-files filters with the first
// selected, and on save the prompt before an existing file is replaced.
void SetUpRaceFileDialog(QFileDialog& dialog, bool save);
// Runs the dialog; the chosen file's name in the file system's encoding,
// none when cancelled.
std::optional<std::string> ChosenFileName(QFileDialog& dialog);

}  // namespace qv::qt
