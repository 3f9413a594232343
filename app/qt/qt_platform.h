// Placeholder until the window exists.
#pragma once
#include "app/headless/headless_platform.h"
namespace qv::qt {
using Platform = qv::headless::Platform;
}
