// The application icon (icon 128): a stopwatch over a running track, drawn
// in code so that every size is sharp and no image file has to ship with
// the program. res/icons holds the same pictures for the desktop.
#pragma once

#include <QIcon>
#include <QImage>

namespace qv::qt {

// The icon at size x size pixels, transparent around the picture.
QImage RenderAppIcon(int size);

// The window icon: the sizes a window's title, task bar and switcher use
// (16 to 64 pixels). The desktop's larger ones come from res/icons.
QIcon AppIcon();

// The sizes written to res/icons.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

}  // namespace qv::qt
