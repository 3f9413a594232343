#include "app/qt/qt_files.h"

// Placeholder until race files exist.
namespace qv::qt {

ReadResult QtFileSystem::ReadAll(const std::string&, std::size_t) { return {}; }
WriteStatus QtFileSystem::WriteAll(const std::string&, std::string_view) {
  return WriteStatus::OpenFailed;
}
std::optional<std::string> AskOpenFileName(QWidget*) { return std::nullopt; }
std::optional<std::string> AskSaveFileName(QWidget*) { return std::nullopt; }

}  // namespace qv::qt
