#include "report/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace qv::report {

namespace {

OutputResult Failed(OutputStatus status) {
  return OutputResult{status, errno != 0 ? errno : EIO};
}

// A device or a pipe: no temporary file can stand in for it. Opened without
// waiting, so a pipe nobody reads fails instead of hanging the run.
OutputResult WriteDirectly(const std::string& path, std::string_view bytes) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Failed(OutputStatus::OpenFailed);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const OutputResult r = Failed(OutputStatus::OpenFailed);
    ::close(fd);
    return r;
  }
  if (!WriteAllTo(fd, bytes)) {
    const OutputResult r = Failed(OutputStatus::WriteFailed);
    ::close(fd);
    return r;
  }
  if (::close(fd) != 0) return Failed(OutputStatus::WriteFailed);
  return {};
}

}  // namespace

bool WriteAllTo(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

OutputResult WriteOutputFile(const std::string& path, std::string_view bytes,
                             mode_t umask) {
  errno = 0;
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    errno = EISDIR;
    return Failed(OutputStatus::OpenFailed);
  }
  if (exists && !S_ISREG(old.st_mode)) return WriteDirectly(path, bytes);
  if (exists && ::access(path.c_str(), W_OK) != 0)
    return Failed(OutputStatus::OpenFailed);

  // A link is followed, so the file it names is replaced, not the link.
  std::string target = path;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return Failed(OutputStatus::OpenFailed);
    target = real;
    std::free(real);
  }

  // Beside the target, so that the rename replacing it is atomic.
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return Failed(OutputStatus::OpenFailed);
  auto fail = [&temp](int openFd) {
    const OutputResult r = Failed(OutputStatus::WriteFailed);
    if (openFd >= 0) ::close(openFd);
    ::unlink(temp.c_str());
    return r;
  };
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~umask);
  if (::fchmod(fd, mode) != 0) return fail(fd);
  if (!WriteAllTo(fd, bytes)) return fail(fd);
  // On the disk before it takes the old file's place, or a crash could
  // leave an empty file where a good one was.
  if (::fsync(fd) != 0) return fail(fd);
  if (::close(fd) != 0) return fail(-1);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(-1);
  return {};
}

}  // namespace qv::report
