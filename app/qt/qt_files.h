// Race files on Qt: the file dialogs and atomic writes through QSaveFile.
#pragma once

#include <optional>
#include <string>

#include "app/platform.h"

class QWidget;

namespace qv::qt {

class QtFileSystem final : public IFileSystem {
 public:
  ReadResult ReadAll(const std::string& path, std::size_t maxBytes) override;
  WriteStatus WriteAll(const std::string& path, std::string_view bytes) override;
};

// The open and save dialogs of the race file (UTF-8 path, or nullopt on
// cancel).
std::optional<std::string> AskOpenFileName(QWidget* parent);
std::optional<std::string> AskSaveFileName(QWidget* parent);

}  // namespace qv::qt
