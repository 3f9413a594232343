// Dialog units to pixels, as the dialog templates are laid out: from the
// dialog font's average character width and height.
#pragma once

#include <QFont>
#include <QRect>

#include "app/platform.h"

namespace qv::qt {

struct DialogBaseUnits {
  int x = 0;  // average character width, pixels
  int y = 0;  // character height, pixels
};

// A font's base units (needs a running QGuiApplication).
DialogBaseUnits BaseUnitsOf(const QFont& font);
// The dialog font's.
DialogBaseUnits BaseUnits();

// A rectangle in dialog units in pixels: x·baseX/4, y·baseY/8.
QRect DialogUnitsToPixels(int x, int y, int w, int h, DialogBaseUnits base);

// The client rectangle of a main-dialog control as the window shows it
// (inside a sunken edge), origin at its top-left corner.
Rect ControlClientRect(int id);

}  // namespace qv::qt
