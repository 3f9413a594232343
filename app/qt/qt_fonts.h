// The program's font: "ＭＳ Ｐゴシック" where it exists, otherwise the
// Japanese fonts a Debian machine has, so Japanese text always renders.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace qv::qt {

// Families tried in order for a face name the program asks for: the face
// itself, then IPAPGothic (fonts-ipafont-gothic), then Noto Sans CJK JP,
// each only if it is installed (all three when none is).
QStringList FontFamiliesFor(const QString& face);

// A dialog template's font: face and size in points.
QFont DialogFont(const QString& face, int points);

// The dialog font, "ＭＳ Ｐゴシック" 9 pt.
QFont DialogFont();

// A font whose character cell is pixelHeight device units high.
QFont FontByCellHeight(const QString& face, int pixelHeight);

}  // namespace qv::qt
