#include <QApplication>

#include "app/qt/qt_platform.h"
#include "app/race_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
  qv::qt::Platform platform;
  qv::CRaceApp raceApp(platform);
  raceApp.InitInstance();
  return 0;
}
