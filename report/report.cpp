#include "report/report.h"

#include <fstream>
#include <ostream>

#include "app/numtext.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv::report {

namespace {

struct Choice {
  const char* name;
  int index;
};

constexpr Choice kPriorities[] = {{"arrival", 0}, {"lap", 1}, {"speed", 2}};
constexpr Choice kConditions[] = {{"gross", 0}, {"net", 1}};
constexpr Choice kUnits[] = {
    {"km", 0}, {"400m", 1}, {"200m", 2}, {"100m", 3}, {"kmh", 4}};
constexpr Choice kAxes[] = {{"normal", 0}, {"reversed", 1}};

template <std::size_t N>
bool Pick(const Choice (&choices)[N], const std::string& value, int& out) {
  for (const Choice& c : choices) {
    if (value == c.name) {
      out = c.index;
      return true;
    }
  }
  return false;
}

bool ParseSize(const std::string& text, int& w, int& h) {
  const auto x = text.find('x');
  if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != x && (text[i] < '0' || text[i] > '9')) return false;
  w = ParseInt(text.substr(0, x));
  h = ParseInt(text.substr(x + 1));
  // Big enough to draw a graph, small enough for an image in memory.
  return w >= 16 && h >= 16 && w <= 10000 && h <= 10000;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  if (s.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char c = s[s.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

std::string CsvField(const std::string& cell) {
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace

std::string UsageText() {
  return "Usage: quorvane-report [options] RACE-FILE\n"
         "\n"
         "Loads a race file as the dialog's load command does, computes it as\n"
         "its compute command does and writes the section list to standard\n"
         "output, one row a line, the cells separated by tabs.\n"
         "\n"
         "Options:\n"
         "  --entered                 list the entered rows, do not compute\n"
         "  --priority arrival|lap|speed\n"
         "  --condition gross|net\n"
         "  --unit km|400m|200m|100m|kmh\n"
         "  --axis normal|reversed    select these before computing\n"
         "  --csv FILE                the list as CSV (- for standard output)\n"
         "  --graph FILE.png|FILE.svg the graph as the dialog shows it\n"
         "  --size WIDTHxHEIGHT       the graph's size in pixels\n"
         "  --pdf FILE                the printed page as PDF\n"
         "  --help                    this text\n"
         "\n"
         "Exit status: 0 success, 1 the file cannot be opened or is refused,\n"
         "2 usage error.\n";
}

ParseResult ParseArgs(const std::vector<std::string>& args, Options& options,
                      std::string& error) {
  options = Options{};
  bool haveFile = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::string value;
    bool hasValue = false;
    if (arg.rfind("--", 0) == 0) {
      const auto eq = arg.find('=');
      if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
        hasValue = true;
      }
    }
    auto next = [&](std::string& out) {
      if (hasValue) {
        out = value;
        return true;
      }
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    auto choice = [&](const auto& table, int& out) {
      std::string v;
      if (!next(v)) return false;
      if (!Pick(table, v, out)) {
        error = "unknown value for " + arg + ": " + v;
        return false;
      }
      return true;
    };
    if (arg == "--help" || arg == "-h") return ParseResult::Help;
    if (arg == "--entered" && !hasValue) {
      options.entered = true;
    } else if (arg == "--priority") {
      if (!choice(kPriorities, options.priority))
        return ParseResult::UsageError;
    } else if (arg == "--condition") {
      if (!choice(kConditions, options.calcMode))
        return ParseResult::UsageError;
    } else if (arg == "--unit") {
      if (!choice(kUnits, options.speedUnit)) return ParseResult::UsageError;
    } else if (arg == "--axis") {
      if (!choice(kAxes, options.graphAxis)) return ParseResult::UsageError;
    } else if (arg == "--csv") {
      if (!next(options.csvPath)) return ParseResult::UsageError;
    } else if (arg == "--graph") {
      if (!next(options.graphPath)) return ParseResult::UsageError;
      if (!EndsWith(options.graphPath, ".png") &&
          !EndsWith(options.graphPath, ".svg")) {
        error = "--graph takes a .png or .svg file name";
        return ParseResult::UsageError;
      }
    } else if (arg == "--size") {
      std::string v;
      if (!next(v)) return ParseResult::UsageError;
      if (!ParseSize(v, options.width, options.height)) {
        error = "--size takes WIDTHxHEIGHT, each 16 to 10000 pixels";
        return ParseResult::UsageError;
      }
    } else if (arg == "--pdf") {
      if (!next(options.pdfPath)) return ParseResult::UsageError;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      error = "unknown option " + args[i];
      return ParseResult::UsageError;
    } else {
      if (haveFile) {
        error = "only one race file";
        return ParseResult::UsageError;
      }
      options.raceFile = args[i];
      haveFile = true;
    }
  }
  if (!haveFile) {
    error = "no race file";
    return ParseResult::UsageError;
  }
  for (const std::string* path :
       {&options.csvPath, &options.graphPath, &options.pdfPath}) {
    if (path->empty()) continue;
    if (*path == "-" && path != &options.csvPath) {
      error = "only --csv writes to standard output";
      return ParseResult::UsageError;
    }
  }
  return ParseResult::Ok;
}

std::string ListText(const headless::ListView& list) {
  std::string text;
  for (int r = 0; r < list.GetItemCount(); ++r) {
    for (int c = 0; c < 8; ++c) {
      if (c > 0) text += '\t';
      text += list.GetItemText(r, c);
    }
    text += '\n';
  }
  return text;
}

std::string CsvText(const headless::ListView& list) {
  std::string text;
  const auto& columns = list.Columns();
  for (std::size_t c = 0; c < 8; ++c) {
    if (c > 0) text += ',';
    text += CsvField(c < columns.size() ? columns[c].header : std::string());
  }
  text += "\r\n";
  for (int r = 0; r < list.GetItemCount(); ++r) {
    for (int c = 0; c < 8; ++c) {
      if (c > 0) text += ',';
      text += CsvField(list.GetItemText(r, c));
    }
    text += "\r\n";
  }
  return text;
}

int Run(const Options& options, Renderer& renderer, std::ostream& out,
        std::ostream& err) {
  headless::Platform platform;
  // Only a graph output needs the screen's size (and with it a font).
  if (options.width > 0)
    platform.graphClientRect = Rect{0, 0, options.width, options.height};
  else if (!options.graphPath.empty())
    platform.graphClientRect = renderer.ScreenGraphArea();
  CRaceDlg dlg(platform);
  dlg.OnInitDialog();

  // Load exactly as the dialog's load command does.
  platform.openAnswers.emplace_back(options.raceFile);
  dlg.OnLoad();
  if (!platform.messages.empty()) {
    for (const std::string& m : platform.messages)
      err << m << ": " << options.raceFile << '\n';
    return 1;
  }

  if (options.priority >= 0)
    platform.Combo(IDC_PRIORITY).SetCurSel(options.priority);
  if (options.calcMode >= 0)
    platform.Combo(IDC_CALC_MODE).SetCurSel(options.calcMode);
  if (options.speedUnit >= 0)
    platform.Combo(IDC_SPEED_UNIT).SetCurSel(options.speedUnit);
  if (options.graphAxis >= 0)
    platform.Combo(IDC_GRAPH_AXIS).SetCurSel(options.graphAxis);
  if (!options.entered) dlg.OnCompute();

  if (options.csvPath == "-") {
    out << CsvText(platform.List());
  } else {
    out << ListText(platform.List());
    if (!options.csvPath.empty() &&
        !WriteFile(options.csvPath, CsvText(platform.List()))) {
      err << kMsgOutputOpenFailed << ": " << options.csvPath << '\n';
      return 1;
    }
  }
  out.flush();

  if (!options.graphPath.empty()) {
    const Rect area = platform.graphClientRect;
    if (!renderer.SaveGraph(options.graphPath, platform.Surface(IDC_GRAPH),
                            area.Width(), area.Height())) {
      err << kMsgOutputOpenFailed << ": " << options.graphPath << '\n';
      return 1;
    }
  }

  if (!options.pdfPath.empty()) {
    std::unique_ptr<IPrintJob> job = renderer.OpenPdf(options.pdfPath);
    if (!job) {
      err << kMsgOutputOpenFailed << ": " << options.pdfPath << '\n';
      return 1;
    }
    platform.printDialogHook = [&job]() { return std::move(job); };
    const std::size_t before = platform.messages.size();
    dlg.OnPrint();
    if (platform.messages.size() != before) {
      err << platform.messages.back() << ": " << options.pdfPath << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace qv::report
