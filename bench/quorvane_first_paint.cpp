// quorvane as app/qt/main.cpp starts it, ending right after its main
// window's first paint: what the start-up benchmark times.
#include <QApplication>

#include "app/qt/qt_platform.h"
#include "app/race_app.h"
#include "bench/first_paint.h"
#include "res/i18n.h"

int main(int argc, char** argv) {
  const qv::Language language = qv::LanguageFromEnvironment();
  qv::SetLanguages(language, language);
  QApplication app(argc, argv);
  qv::qt::SetUpApplication();
  ExitAfterFirstPaintOfAnyWindow();
  qv::qt::Platform platform;
  qv::CRaceApp raceApp(platform);
  raceApp.InitInstance();
  return 1;  // closed before it painted
}
