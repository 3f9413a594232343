#include "app/qt/qt_fonts.h"

namespace qv::qt {

QStringList FontFamiliesFor(const QString& face) {
  QStringList families;
  if (!face.isEmpty()) families << face;
  for (const char* f : {"IPAPGothic", "Noto Sans CJK JP"}) {
    if (!families.contains(QString::fromLatin1(f))) {
      families << QString::fromLatin1(f);
    }
  }
  return families;
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
