// Writes the application icon at every desktop size as PNG files:
//   quorvane_make_icons <folder>   (the repository keeps them in res/icons)
#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "app/qt/qt_icon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvane_make_icons <folder>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  for (int size : qv::qt::kIconSizes) {
    const QString path =
        dir.filePath(QStringLiteral("quorvane-%1.png").arg(size));
    if (!qv::qt::RenderAppIcon(size).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
