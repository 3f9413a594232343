#include "app/qt/command_line.h"

#include "res/strings.h"

namespace qv::qt {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (const std::string& a : args) {
    if (a == "--") break;
    if (a == "-h" || a == "--help") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (a == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
  }
  bool options = true;
  for (const std::string& a : args) {
    if (options && a == "--") {
      options = false;
    } else if (options && !a.empty() && a[0] == '-') {
      // "-" too: standard input is no race file.
      line.action = CommandLine::Action::UsageError;
      line.error = Fill(kMsgUnknownOption, {a});
      return line;
    } else if (line.raceFile) {
      line.action = CommandLine::Action::UsageError;
      return line;
    } else {
      line.raceFile = a;
    }
  }
  return line;
}

std::string HelpText() {
  return std::string(kUsageLine) + "\n" + std::string(kHelpText);
}

std::string VersionText() { return "quorvane " QV_VERSION "\n"; }

std::string UsageText() { return std::string(kUsageLine) + "\n"; }

}  // namespace qv::qt
