#include "app/qt/qt_dialog_units.h"

#include <QFontMetrics>
#include <QString>

#include "app/qt/qt_fonts.h"
#include "res/dialog_templates.h"

namespace qv::qt {

namespace {

// The sunken client edge takes two pixels on every side.
constexpr int kSunkenEdge = 2;

// a * b / c rounded half away from zero, as the platform scales dialog
// units.
int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const long long p = static_cast<long long>(a) * b;
  const long long q = p >= 0 ? (2 * p + c) / (2 * c) : (2 * p - c) / (2 * c);
  return static_cast<int>(q);
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics fm(font);
  // The average width of the Latin letters, rounded.
  const int letters = fm.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogBaseUnits{qMax(1, (letters / 26 + 1) / 2), qMax(1, fm.height())};
}

DialogBaseUnits BaseUnits() { return BaseUnitsOf(DialogFont()); }

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
