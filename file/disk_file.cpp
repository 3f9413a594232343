#include "file/disk_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

}  // namespace qv
