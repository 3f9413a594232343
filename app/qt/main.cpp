#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/qt/qt_platform.h"
#include "app/race_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
  // The program speaks Japanese, so Qt's own texts (file and print dialogs,
  // Yes/No buttons) do too, whatever the user's locale.
  QTranslator qtJapanese;
  if (qtJapanese.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                      QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtJapanese);
  }
  qv::qt::Platform platform;
  qv::CRaceApp raceApp(platform);
  raceApp.InitInstance();
  return 0;
}
