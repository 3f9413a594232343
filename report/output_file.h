// Writing an output file so that a failure never leaves a fragment behind or
// spoils the file it was to replace.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace qv::report {

enum class OutputStatus { Ok, OpenFailed, WriteFailed };

struct OutputResult {
  OutputStatus status = OutputStatus::Ok;
  int error = 0;  // errno of the call that failed
};

// A regular file (or a new one) is written to a temporary file beside it
// and renamed over it only when every byte reached the disk; a link is
// followed. A device or a pipe that exists is written directly, as it cannot
// be replaced. umask applies to a new file.
OutputResult WriteOutputFile(const std::string& path, std::string_view bytes,
                             mode_t umask);

// Writes all of bytes to a file descriptor; false (errno set) on failure.
bool WriteAllTo(int fd, std::string_view bytes);

// A new file beside target, created exclusively, that takes target's place
// at Commit. Its name fits the folder's limit however long target's is.
// Removed when the object goes uncommitted, and, once
// RemoveTemporaryFilesOnSignals has run, on a signal that ends the program.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return m_fd; }  // negative (errno set) when not created
  const std::string& Path() const { return m_path; }
  // Closes the file and renames it over target; false (errno set) when
  // either fails, and the temporary file is then removed.
  bool Commit();

 private:
  std::string m_target;
  std::string m_path;
  int m_fd = -1;
  bool m_exists = false;  // m_path names it, not yet renamed
  int m_slot = -1;  // its place in the list the signal handler removes
};

// SIGTERM, SIGINT, SIGHUP and SIGPIPE (those not ignored when the program
// started) remove the temporary files still open, then end the program as
// the signal would have.
void RemoveTemporaryFilesOnSignals();

}  // namespace qv::report
