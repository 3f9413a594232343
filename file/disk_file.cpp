#include "file/disk_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace qv {

ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes) {
  ReadResult result;
  // O_NONBLOCK: opening a named pipe returns at once instead of waiting.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return result;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return result;
  }
  if (static_cast<std::size_t>(st.st_size) > maxBytes) {
    ::close(fd);
    result.status = ReadStatus::TooLarge;
    return result;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      result.status = ReadStatus::ReadFailed;
      return result;
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(n));
    if (bytes.size() > maxBytes) {
      ::close(fd);
      result.status = ReadStatus::TooLarge;
      return result;
    }
  }
  ::close(fd);
  result.status = ReadStatus::Ok;
  result.bytes = std::move(bytes);
  return result;
}

FileKey KeyOfFile(const std::string& name) {
  FileKey key;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
  const std::filesystem::path resolved =
      std::filesystem::weakly_canonical(absolute, ec);
  key.path = (ec ? absolute.lexically_normal() : resolved).string();
  struct stat st {};
  if (::stat(name.c_str(), &st) == 0) key.inode = {st.st_dev, st.st_ino};
  return key;
}

bool SameFile(const FileKey& a, const FileKey& b) {
  return a.path == b.path || (a.inode && b.inode && *a.inode == *b.inode);
}

}  // namespace qv
