#include "app/qt/qt_dialog_units.h"

#include <QFontMetrics>
#include <QString>

#include "app/qt/qt_fonts.h"
#include "res/dialog_templates.h"

namespace qv::qt {

namespace {

// The sunken client edge takes two pixels on every side.
constexpr int kSunkenEdge = 2;

int MulDiv(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  // Rounded to nearest, as the window system does.
  return static_cast<int>((p + (p >= 0 ? c / 2 : -c / 2)) / c);
}

}  // namespace

DialogBaseUnits BaseUnits() {
  const QFontMetrics fm(DialogFont());
  static const QString kAlphabet =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int width = fm.horizontalAdvance(kAlphabet);
  return DialogBaseUnits{(width / 26 + 1) / 2, fm.height()};
}

QRect DialogUnitsToPixels(int x, int y, int w, int h, DialogBaseUnits base) {
  return QRect(MulDiv(x, base.x, 4), MulDiv(y, base.y, 8), MulDiv(w, base.x, 4),
               MulDiv(h, base.y, 8));
}

Rect ControlClientRect(int id) {
  const DialogBaseUnits base = BaseUnits();
  for (const ControlTemplate& c : MainDialogTemplate().controls) {
    if (c.id != id) continue;
    const QRect r = DialogUnitsToPixels(c.x, c.y, c.w, c.h, base);
    const int edge = (c.styles & ctl::kSunken) != 0 ? 2 * kSunkenEdge : 0;
    return Rect{0, 0, r.width() - edge, r.height() - edge};
  }
  return Rect{};
}

}  // namespace qv::qt
