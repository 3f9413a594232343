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

}  // namespace qv::report
