// quorvane's own command line: a race file to open, or the help, the
// version or a usage error. Free of Qt; the names are bytes as given.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv::qt {

struct CommandLine {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::Run;
  std::optional<std::string> raceFile;
  std::string error;  // the first line of a usage error
};

// args without the program's name. -h, --help and --version before "--"
// win over everything else, so they are found before Qt (which needs a
// display) has taken its own options out; after that any other argument
// starting with "-" before "--" is a usage error.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();
// The usage line, after a usage error's first line.
std::string UsageText();

}  // namespace qv::qt
