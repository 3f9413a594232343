// Reading a race file from the disk, shared by every platform.
#pragma once

#include <cstddef>
#include <string>

#include "app/platform.h"

namespace qv {

// Reads the whole of a regular file. Anything else (a folder, a named pipe,
// a device) is OpenFailed at once: a pipe would wait for a writer and a
// device might never end. More than maxBytes gives TooLarge.
ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace qv
