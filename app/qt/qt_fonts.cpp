#include "app/qt/qt_fonts.h"

#include <QFontDatabase>

namespace qv::qt {

QStringList FontFamiliesFor(const QString& face) {
  QStringList wanted;
  if (!face.isEmpty()) wanted << face;
  for (const char* f : {"IPAPGothic", "Noto Sans CJK JP"}) {
    if (!wanted.contains(QString::fromLatin1(f))) {
      wanted << QString::fromLatin1(f);
    }
  }
  // Only installed families are asked for: a request for a missing one
  // makes the font system rank every font on the machine as a substitute,
  // which costs more than all the rest of the start-up's text together.
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& f : wanted) {
    if (installed.contains(f, Qt::CaseInsensitive)) families << f;
  }
  return families.isEmpty() ? wanted : families;
}

QFont DialogFont(const QString& face, int points) {
  QFont font;
  font.setFamilies(FontFamiliesFor(face));
  font.setPointSize(points > 0 ? points : 9);
  return font;
}

QFont DialogFont() { return DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 9); }

QFont FontByCellHeight(const QString& face, int pixelHeight) {
  QFont font;
  font.setFamilies(FontFamiliesFor(face));
  font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
  return font;
}

}  // namespace qv::qt
