#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/qt/command_line.h"
#include "app/qt/qt_platform.h"
#include "app/race_app.h"
#include "res/i18n.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// 0, or 1 when the text could not be written.
int Print(const std::string& text, FILE* to, int status) {
  const bool ok = std::fputs(text.c_str(), to) >= 0 && std::fflush(to) == 0;
  return ok ? status : 1;
}

}  // namespace

int main(int argc, char** argv) {
  using qv::qt::CommandLine;
  // The language first: the help is in it too. Without its catalogue the
  // program stays Japanese, cells and captions alike.
  const qv::Language language = qv::LanguageFromEnvironment();
  if (!qv::SetLanguages(language, language))
    std::fputs("quorvane: the English texts (quorvane.mo) are not installed; "
               "the window stays Japanese\n",
               stderr);
  // quorvane [RACE-FILE] (the desktop entry's %f). The help and the version
  // need no display, so they are answered before Qt starts.
  CommandLine line = qv::qt::ParseCommandLine(Arguments(argc, argv));
  if (line.action == CommandLine::Action::Help)
    return Print(qv::qt::HelpText(), stdout, 0);
  if (line.action == CommandLine::Action::Version)
    return Print(qv::qt::VersionText(), stdout, 0);

  QApplication app(argc, argv);
  qv::qt::SetUpApplication();
  // Qt has taken its own options out of argv; the race file's name is
  // passed on as its bytes, whatever the locale makes of them.
  line = qv::qt::ParseCommandLine(Arguments(argc, argv));
  if (line.action == CommandLine::Action::UsageError) {
    if (!line.error.empty()) std::fprintf(stderr, "%s\n", line.error.c_str());
    Print(qv::qt::UsageText(), stderr, 2);
    return 2;
  }
  qv::qt::Platform platform;
  if (line.raceFile) platform.OpenOnStart(*line.raceFile);
  qv::CRaceApp raceApp(platform);
  raceApp.InitInstance();
  return 0;
}
