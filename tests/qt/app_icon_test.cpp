// The application icon: drawn at every size, the same pictures as the PNG
// files the desktop gets, and the desktop entry that names it.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include "app/qt/qt_icon.h"

namespace qv::qt {
namespace {

const QString kSourceDir = QStringLiteral(QV_SOURCE_DIR);

int OpaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255) ++n;
  return n;
}

TEST(AppIconTest, EverySizeHasAPictureWithTransparentCorners) {
  for (int size : kIconSizes) {
    SCOPED_TRACE(size);
    const QImage icon = RenderAppIcon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0);
    // Most of the square is picture.
    EXPECT_GT(OpaquePixels(icon), size * size / 3);
  }
  EXPECT_EQ(RenderAppIcon(0).size(), QSize(1, 1));
}

TEST(AppIconTest, ResIconsAreTheDrawnPictures) {
  for (int size : kIconSizes) {
    SCOPED_TRACE(size);
    const QString path =
        kSourceDir + QStringLiteral("/res/icons/quorvane-%1.png").arg(size);
    QImage stored(path);
    ASSERT_FALSE(stored.isNull()) << path.toStdString();
    const QImage drawn = RenderAppIcon(size);
    EXPECT_EQ(stored.convertToFormat(QImage::Format_ARGB32),
              drawn.convertToFormat(QImage::Format_ARGB32))
        << "regenerate with quorvane_make_icons res/icons";
  }
  // The window icon carries the small sizes a window shows.
  const QList<QSize> sizes = AppIcon().availableSizes();
  for (int size : {16, 32, 48}) EXPECT_TRUE(sizes.contains(QSize(size, size)));
}

TEST(AppIconTest, DesktopEntryStartsTheProgramWithItsIcon) {
  QFile file(kSourceDir + QStringLiteral("/res/quorvane.desktop"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines =
      QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  EXPECT_EQ(lines.value(0), QStringLiteral("[Desktop Entry]"));
  EXPECT_TRUE(lines.contains(QStringLiteral("Type=Application")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Name=Quorvane")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Exec=quorvane %f")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Icon=quorvane")));
}

}  // namespace
}  // namespace qv::qt
