// The program's words for a refused record or split.
#pragma once

#include <string>

#include "file/activity_error.h"

namespace qv {

// The message shown for error, UTF-8; empty for Kind::None.
std::string ActivityErrorText(const ActivityError& error);

}  // namespace qv
