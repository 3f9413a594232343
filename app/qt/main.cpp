#include <QApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "app/qt/qt_platform.h"
#include "app/race_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qv::qt::SetUpApplication();
  // quorvane [RACE-FILE] (the desktop entry's %f): Qt has taken its own
  // options out already; encodeName gives back the name's bytes as the
  // system passed them.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  if (args.size() > 1) {
    std::fputs("使い方: quorvane [レースファイル]\n", stderr);
    return 2;
  }
  qv::qt::Platform platform;
  if (args.size() == 1) {
    const QByteArray name = QFile::encodeName(args.first());
    platform.OpenOnStart(std::string(name.constData(),
                                     static_cast<std::size_t>(name.size())));
  }
  qv::CRaceApp raceApp(platform);
  raceApp.InitInstance();
  return 0;
}
