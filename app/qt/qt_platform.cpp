#include "app/qt/qt_platform.h"
