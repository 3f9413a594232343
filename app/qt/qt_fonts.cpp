#include "app/qt/qt_fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <mutex>

#include "res/strings.h"

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
  // hasFamily knows a family by every one of its names: the list of
  // families gives each under the locale's language ("IPA Pゴシック" under
  // Japanese), and the name kept is the one asked for, so a picture names
  // the same font under every locale.
  static std::mutex cacheLock;
  static QHash<QString, QStringList> known;
  {
    const std::lock_guard<std::mutex> lock(cacheLock);
    const auto it = known.constFind(face);
    if (it != known.constEnd()) return *it;
  }
  QStringList families;
  for (const QString& f : wanted) {
    if (QFontDatabase::hasFamily(f)) families << f;
  }
  if (families.isEmpty()) families = wanted;
  const std::lock_guard<std::mutex> lock(cacheLock);
  known.insert(face, families);
  return families;
}

QFont DialogFont(const QString& face, int points) {
  QFont font;
  font.setFamilies(FontFamiliesFor(face));
  font.setPointSize(points > 0 ? points : 9);
  return font;
}

QFont DialogFont() { return DialogFont(QString::fromUtf8(kFontFace), 9); }

QFont FontByCellHeight(const QString& face, int pixelHeight) {
  QFont font;
  font.setFamilies(FontFamiliesFor(face));
  // The height asked for is the whole character cell (ascent plus descent),
  // while a pixel size is the em: scale by the face's own cell-to-em ratio,
  // measured once at a large size. The report tool renders on several
  // threads, so the cache is shared under a lock (measuring twice is
  // harmless, the result is the same).
  static std::mutex cacheLock;
  static QHash<QString, double> cellPerEm;
  double ratio = 0.0;
  {
    const std::lock_guard<std::mutex> lock(cacheLock);
    ratio = cellPerEm.value(face, 0.0);
  }
  if (ratio <= 0.0) {
    QFont probe = font;
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    ratio = cell > 0 ? cell / 1000.0 : 1.0;
    const std::lock_guard<std::mutex> lock(cacheLock);
    cellPerEm.insert(face, ratio);
  }
  const int height = pixelHeight > 0 ? pixelHeight : 1;
  font.setPixelSize(std::max(1, static_cast<int>(height / ratio + 0.5)));
  return font;
}

}  // namespace qv::qt
