// Reading a race file from the disk, shared by every platform.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "app/platform.h"

namespace qv {

// Reads the whole of a regular file. Anything else (a folder, a named pipe,
// a device) is OpenFailed at once: a pipe would wait for a writer and a
// device might never end. More than maxBytes gives TooLarge.
ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes);

// What a file name stands for: its absolute path with links and ".."
// resolved, and the file's device and inode when it exists.
struct FileKey {
  std::string path;
  std::optional<std::pair<dev_t, ino_t>> inode;
};
FileKey KeyOfFile(const std::string& name);
// The same file: the same resolved path, or one existing file under two
// names (a hard link, another spelling).
bool SameFile(const FileKey& a, const FileKey& b);

}  // namespace qv
