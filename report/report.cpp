#include "report/report.h"

#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <utility>

#include "app/headless/replay.h"
#include "app/headless/visible_drawing.h"
#include "app/list_text.h"
#include "race/numtext.h"
#include "app/race_dlg.h"
#include "file/activity.h"
#include "file/disk_file.h"
#include "file/race_file.h"
#include "report/output_file.h"
#include "res/activity_messages.h"
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
    {"km", 0},   {"400m", 1}, {"200m", 2}, {"100m", 3},
    {"kmh", 4},  {"mile", 5}, {"mph", 6}};
constexpr Choice kLanguages[] = {{"ja", 0}, {"en", 1}};
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

// Digits only, at most four of them after leading zeros.
bool ParseSmallNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  value = ParseInt(text);
  return true;
}

bool ParseSize(const std::string& text, int& w, int& h) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  if (!ParseSmallNumber(text.substr(0, x), w) ||
      !ParseSmallNumber(text.substr(x + 1), h))
    return false;
  // Big enough to draw a graph, small enough for an image in memory.
  return w >= 16 && h >= 16 && w <= 10000 && h <= 10000;
}

enum OptionId {
  kHelp = 'h',
  kJobs = 'j',
  kEntered = 256,
  kPriority,
  kCondition,
  kUnit,
  kAxis,
  kCsv,
  kGraph,
  kSize,
  kPdf,
  kCompare,
  kSplit,
  kCourse,
  kTrack,
  kRace,
  kLang,
};

const option kLongOptions[] = {
    {"entered", no_argument, nullptr, kEntered},
    {"priority", required_argument, nullptr, kPriority},
    {"condition", required_argument, nullptr, kCondition},
    {"unit", required_argument, nullptr, kUnit},
    {"axis", required_argument, nullptr, kAxis},
    {"csv", required_argument, nullptr, kCsv},
    {"graph", required_argument, nullptr, kGraph},
    {"size", required_argument, nullptr, kSize},
    {"pdf", required_argument, nullptr, kPdf},
    {"compare", required_argument, nullptr, kCompare},
    {"split", required_argument, nullptr, kSplit},
    {"course", required_argument, nullptr, kCourse},
    {"track", required_argument, nullptr, kTrack},
    {"race", required_argument, nullptr, kRace},
    {"jobs", required_argument, nullptr, kJobs},
    {"lang", required_argument, nullptr, kLang},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

std::string OptionName(int id) {
  for (const option& o : kLongOptions)
    if (o.name != nullptr && o.val == id) return std::string("--") + o.name;
  return "-" + std::string(1, static_cast<char>(id));
}

struct NamedOutput {
  const char* option;
  const std::string* pattern;
};

// Every output of every race is a new file: none is a race file, none is
// written twice.
bool CheckOutputs(const Options& o, std::string& error) {
  const NamedOutput outputs[] = {
      {"--csv", &o.csvPath},
      {"--graph", &o.graphPath},
      {"--pdf", &o.pdfPath},
      {"--race", &o.racePath}};
  std::vector<FileKey> races;
  std::vector<std::string> inputs = o.raceFiles;
  if (!o.comparePath.empty()) inputs.push_back(o.comparePath);
  for (const std::string& race : inputs) races.push_back(KeyOfFile(race));
  struct Written {
    FileKey key;
    std::string name;
    const char* option;
  };
  std::vector<Written> written;
  for (const std::string& race : o.raceFiles) {
    for (const NamedOutput& out : outputs) {
      if (out.pattern->empty() || *out.pattern == "-") continue;
      const std::string name = OutputName(*out.pattern, race);
      const FileKey key = KeyOfFile(name);
      for (std::size_t r = 0; r < races.size(); ++r) {
        if (SameFile(key, races[r])) {
          error = std::string(out.option) + " " + name +
                  " would overwrite the race file " + inputs[r];
          return false;
        }
      }
      for (const Written& w : written) {
        if (SameFile(key, w.key)) {
          error = std::string(out.option) + " " + name + " is also written by " +
                  w.option + " " + w.name;
          return false;
        }
      }
      written.push_back({key, name, out.option});
    }
  }
  return true;
}

}  // namespace

static_assert(kMaxJobs == 64, "the usage text names the cap");

std::string UsageText() {
  return "Usage: quorvane-report [options] RACE-FILE...\n"
         "\n"
         "Loads each race file as the dialog's load command does (a FIT, TCX or\n"
         "GPX record as the window imports it), computes it\n"
         "as its compute command does and writes the section list to standard\n"
         "output, one row a line, the cells separated by tabs. With more than\n"
         "one race file every line starts with the file's name and a tab.\n"
         "\n"
         "Options:\n"
         "  --entered                 list the entered rows, do not compute\n"
         "  --priority arrival|lap|speed\n"
         "  --condition gross|net\n"
         "  --unit km|400m|200m|100m|kmh|mile|mph\n"
         "  --axis normal|reversed    select these before computing\n"
         "  --csv FILE                the list as CSV (- for standard output)\n"
         "  --graph FILE.png|FILE.svg the graph as the dialog shows it\n"
         "  --size WIDTHxHEIGHT       the graph's size in pixels\n"
         "  --pdf FILE                the printed page as PDF\n"
         "  --compare FILE            a race to compare with: a ninth column\n"
         "                            and its curve on the graph; a FIT, TCX\n"
         "                            or GPX record is cut as the race is,\n"
         "                            by --split, --course and --track\n"
         "  --race FILE               the race as a race file, as the window\n"
         "                            saves it\n"
         "  --split laps, --split KM  cut a FIT, TCX or GPX record by its laps\n"
         "                            or every KM km (default: laps for 2\n"
         "                            to 45 laps, else 1 km)\n"
         "  --course KM               the record's official distance\n"
         "  --track N                 the record's Nth track, counting every\n"
         "                            track of a GPX file from 1 (default: the\n"
         "                            first with times)\n"
         "  -j, --jobs N              N races at once, at most 64 (default: "
         "one per\n"
         "                            processor)\n"
         "  --lang ja|en              the language of the list, the CSV, the\n"
         "                            graph and the page (default: ja)\n"
         "  -h, --help                this text\n"
         "\n"
         "In output names {name} stands for the race file's name without its\n"
         "folder and extension; with more than one race file every output\n"
         "name needs it. Output folders must exist.\n"
         "\n"
         "Exit status: 0 success, 1 a race file cannot be opened or is\n"
         "refused or an output cannot be written, 2 usage error.\n";
}

ParseResult ParseArgs(const std::vector<std::string>& args, Options& options,
                      std::string& error) {
  options = Options{};
  std::vector<std::string> storage;
  storage.reserve(args.size() + 1);
  storage.emplace_back("quorvane-report");
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : storage) argv.push_back(a.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(storage.size());

  std::set<int> seen;
  int jobs = 0;
  optind = 0;  // glibc: start afresh
  opterr = 0;  // our own messages
  for (;;) {
    int index = -1;
    const int id = getopt_long(argc, argv.data(), ":hj:", kLongOptions, &index);
    if (id == -1) break;
    if (id == '?') {
      const std::string arg = argv[static_cast<std::size_t>(optind - 1)];
      if (optopt == kEntered || optopt == kHelp)
        error = OptionName(optopt) + " takes no value";
      else if (optopt != 0 && arg.rfind("--", 0) != 0)
        error = "unknown option -" + std::string(1, static_cast<char>(optopt));
      else
        error = "unknown or ambiguous option " + arg;
      return ParseResult::UsageError;
    }
    if (id == ':') {
      error = OptionName(optopt) + " needs a value";
      return ParseResult::UsageError;
    }
    if (id == kHelp) return ParseResult::Help;
    if (!seen.insert(id).second) {
      error = OptionName(id) + " is given more than once";
      return ParseResult::UsageError;
    }
    const std::string value = optarg != nullptr ? optarg : "";
    auto choice = [&](const auto& table, int& out) {
      if (Pick(table, value, out)) return true;
      error = "unknown value for " + OptionName(id) + ": " + value;
      return false;
    };
    auto valueError = [&](const ActivityError& why) {
      return OptionName(id) + ": " + ActivityErrorText(why);
    };
    auto path = [&](std::string& out) {
      out = value;
      if (!out.empty()) return true;
      error = OptionName(id) + " needs a file name";
      return false;
    };
    bool ok = true;
    switch (id) {
      case kEntered:
        options.entered = true;
        break;
      case kPriority:
        ok = choice(kPriorities, options.priority);
        break;
      case kCondition:
        ok = choice(kConditions, options.calcMode);
        break;
      case kUnit:
        ok = choice(kUnits, options.speedUnit);
        break;
      case kLang: {
        int lang = 0;
        ok = choice(kLanguages, lang);
        options.language = lang == 1 ? Language::English : Language::Japanese;
        break;
      }
      case kAxis:
        ok = choice(kAxes, options.graphAxis);
        break;
      case kCsv:
        ok = path(options.csvPath);
        break;
      case kGraph:
        ok = path(options.graphPath);
        break;
      case kPdf:
        ok = path(options.pdfPath);
        break;
      case kCompare:
        ok = path(options.comparePath);
        break;
      case kRace:
        ok = path(options.racePath);
        break;
      // The window's own words for a value it would refuse.
      case kSplit: {
        ActivityError bad;
        const std::optional<ActivitySplit> split =
            ParseActivitySplit(value == "laps", value, "", bad);
        ok = split.has_value();
        if (ok) {
          options.splitLaps = split->kind == ActivitySplit::Kind::Laps;
          options.splitKm = options.splitLaps ? 0.0 : split->everyKm;
        } else {
          error = valueError(bad);
        }
        break;
      }
      case kCourse: {
        ActivityError bad;
        const std::optional<ActivitySplit> split =
            ParseActivitySplit(true, "", value, bad);
        // A blank value is no distance at all.
        ok = split.has_value() && split->officialKm.has_value();
        if (ok)
          options.courseKm = *split->officialKm;
        else
          error = valueError({ActivityError::Kind::BadOfficial});
        break;
      }
      case kTrack:
        ok = ParseSmallNumber(value, options.track) && options.track >= 1;
        if (!ok) error = valueError({ActivityError::Kind::BadTrack});
        break;
      case kSize:
        ok = ParseSize(value, options.width, options.height);
        if (!ok) error = "--size takes WIDTHxHEIGHT, each 16 to 10000 pixels";
        break;
      case kJobs:
        ok = ParseSmallNumber(value, jobs) && jobs >= 1 && jobs <= 1024;
        if (!ok) error = "-j takes a number of races from 1 to 1024";
        break;
      default:
        ok = false;
        error = "unknown option";
        break;
    }
    if (!ok) return ParseResult::UsageError;
  }
  // getopt_long moved the race files after the options in argv.
  for (int i = optind; i < argc; ++i)
    options.raceFiles.emplace_back(argv[static_cast<std::size_t>(i)]);

  if (options.raceFiles.empty()) {
    error = "no race file";
    return ParseResult::UsageError;
  }
  if (!options.graphPath.empty()) {
    const std::optional<offscreen::ImageFormat> format =
        offscreen::ImageFormatOfName(options.graphPath);
    if (!format) {
      error = "--graph takes a .png or .svg file name";
      return ParseResult::UsageError;
    }
    options.graphFormat = *format == offscreen::ImageFormat::Svg
                              ? GraphFormat::Svg
                              : GraphFormat::Png;
  }
  if (options.width > 0 && options.graphPath.empty()) {
    error = "--size needs --graph";
    return ParseResult::UsageError;
  }
  if (options.graphPath == "-" || options.pdfPath == "-" ||
      options.racePath == "-") {
    error = "only --csv writes to standard output";
    return ParseResult::UsageError;
  }
  if (options.raceFiles.size() > 1) {
    for (const NamedOutput& out :
         {NamedOutput{"--csv", &options.csvPath},
          NamedOutput{"--graph", &options.graphPath},
          NamedOutput{"--pdf", &options.pdfPath},
          NamedOutput{"--race", &options.racePath}}) {
      if (out.pattern->empty() || *out.pattern == "-") continue;
      if (out.pattern->find("{name}") == std::string::npos) {
        error = std::string(out.option) +
                " needs {name} in its file name for more than one race file";
        return ParseResult::UsageError;
      }
    }
  }
  if (!CheckOutputs(options, error)) return ParseResult::UsageError;
  const unsigned processors = std::thread::hardware_concurrency();
  options.jobs = std::min(
      jobs > 0 ? jobs : static_cast<int>(std::max(1u, processors)), kMaxJobs);
  return ParseResult::Ok;
}

std::string OutputName(const std::string& pattern, const std::string& race) {
  static const std::string kField = "{name}";
  const std::string name = std::filesystem::path(race).stem().string();
  std::string result;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = pattern.find(kField, from);
    if (at == std::string::npos) break;
    result.append(pattern, from, at - from);
    result += name;
    from = at + kField.size();
  }
  result.append(pattern, from, std::string::npos);
  return result;
}

namespace {

// What one race gives: its standard output and its messages.
struct RaceOutcome {
  std::string out;
  std::string err;
  bool ok = true;
};

std::string Reason(int error) {
  char buf[256];
  // The GNU strerror_r: thread-safe, returns the text.
  return strerror_r(error, buf, sizeof buf);
}

void Failure(RaceOutcome& outcome, const char* message, const std::string& path,
             int error = 0) {
  outcome.err += message;
  outcome.err += ": " + path;
  if (error != 0) outcome.err += " (" + Reason(error) + ")";
  outcome.err += '\n';
  outcome.ok = false;
}

// What the window's save says when a race cannot become a file.
const char* RaceWriteMessage(RaceWriteStatus status) {
  switch (status) {
    case RaceWriteStatus::BadEventName: return kMsgEventNameUnstorable;
    case RaceWriteStatus::BadComment: return kMsgCommentUnstorable;
    case RaceWriteStatus::BadSectionCount: return kMsgBadSectionCount;
    default: return kMsgSaveTooLarge;
  }
}

void WriteOutput(RaceOutcome& outcome, const std::string& path,
                 std::string_view bytes, mode_t umask) {
  const OutputResult r = WriteOutputFile(path, bytes, umask);
  if (r.status == OutputStatus::OpenFailed)
    Failure(outcome, kMsgOutputOpenFailed, path, r.error);
  else if (r.status == OutputStatus::WriteFailed)
    Failure(outcome, kMsgOutputWriteFailed, path, r.error);
}

// Each line starts with prefix.
std::string Prefixed(const std::string& text, const std::string& prefix) {
  if (prefix.empty()) return text;
  std::string result;
  result.reserve(text.size() + prefix.size() * 64);
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    end = end == std::string::npos ? text.size() : end + 1;
    result += prefix;
    result.append(text, from, end - from);
    from = end;
  }
  return result;
}

// One race on a dialog of its own, made for it alone, so that nothing of
// one race (a setting a file leaves out, the graph drawn) reaches the next.
RaceOutcome RunRace(const Options& o, const std::string& race,
                    const RunContext& context, const Rect& screenArea) {
  RaceOutcome outcome;
  headless::Platform platform;
  // Only a graph output needs the screen's size.
  if (o.width > 0)
    platform.graphClientRect = Rect{0, 0, o.width, o.height};
  else if (!o.graphPath.empty())
    platform.graphClientRect = screenArea;
  CRaceDlg dlg(platform);
  dlg.OnInitDialog();

  // Load exactly as the dialog's load command does; a record, the race or
  // the one compared with, is cut as the options say, where the window
  // would ask.
  const CRaceDlg::SplitChooser choose = [&o](const ActivityRecord& record) {
    ActivitySplit split;
    const bool laps =
        o.splitLaps || (o.splitKm == 0.0 && OfferSplit(record).lapsFirst);
    split.kind = laps ? ActivitySplit::Kind::Laps : ActivitySplit::Kind::EveryKm;
    split.everyKm = o.splitKm > 0.0 ? o.splitKm : 1.0;
    if (o.courseKm > 0.0) split.officialKm = o.courseKm;
    if (o.track > 0) split.track = static_cast<std::size_t>(o.track - 1);
    return std::optional<ActivitySplit>(split);
  };
  // As the window opens a file named on its command line: a record's name
  // takes a record, or a race file known by its shape.
  const CRaceDlg::NotRecord notRecord =
      HasActivityExtension(race) ? CRaceDlg::NotRecord::LoadIfShaped
                                 : CRaceDlg::NotRecord::Load;
  if (dlg.OpenRaceOrRecord(race, choose, notRecord) == CRaceDlg::Opened::No ||
      !platform.messages.empty()) {
    if (platform.messages.empty()) Failure(outcome, kMsgReadFailed, race);
    for (const std::string& m : platform.messages) Failure(outcome, m.c_str(), race);
    return outcome;
  }
  if (!o.comparePath.empty() && !dlg.LoadComparison(o.comparePath, choose)) {
    if (platform.messages.empty())
      Failure(outcome, kMsgReadFailed, o.comparePath);
    for (const std::string& m : platform.messages)
      Failure(outcome, m.c_str(), o.comparePath);
    return outcome;
  }

  if (o.priority >= 0) platform.Combo(IDC_PRIORITY).SetCurSel(o.priority);
  if (o.calcMode >= 0) platform.Combo(IDC_CALC_MODE).SetCurSel(o.calcMode);
  if (o.speedUnit >= 0) platform.Combo(IDC_SPEED_UNIT).SetCurSel(o.speedUnit);
  if (o.graphAxis >= 0) platform.Combo(IDC_GRAPH_AXIS).SetCurSel(o.graphAxis);
  if (!o.entered) dlg.OnCompute();

  const std::string prefix = o.raceFiles.size() > 1 ? race + '\t' : "";
  if (o.csvPath == "-") {
    outcome.out = Prefixed(CsvText(dlg.ListRows()), prefix);
  } else {
    outcome.out = Prefixed(ListText(dlg.ListRows()), prefix);
    if (!o.csvPath.empty())
      WriteOutput(outcome, OutputName(o.csvPath, race),
                  CsvText(dlg.ListRows()), context.umask);
  }

  if (!o.racePath.empty()) {
    const std::string path = OutputName(o.racePath, race);
    const RaceWriteResult written = WriteRaceFile(dlg.CurrentRace());
    if (written.status == RaceWriteStatus::Ok)
      WriteOutput(outcome, path, written.bytes, context.umask);
    else
      Failure(outcome, RaceWriteMessage(written.status), path);
  }

  if (!o.graphPath.empty()) {
    const std::string path = OutputName(o.graphPath, race);
    const Rect area = platform.graphClientRect;
    const std::vector<headless::DrawOp> ops =
        headless::VisibleDrawing(platform.Surface(IDC_GRAPH), area);
    std::string bytes;
    if (context.renderer == nullptr ||
        !context.renderer->RenderImage(
            o.graphFormat == GraphFormat::Svg ? offscreen::ImageFormat::Svg
                                              : offscreen::ImageFormat::Png,
            area.Width(), area.Height(),
            [&ops](IDrawContext& dc) { headless::Replay(ops, dc); }, bytes)) {
      Failure(outcome, kMsgOutputWriteFailed, path);
    } else {
      WriteOutput(outcome, path, bytes, context.umask);
    }
  }

  if (!o.pdfPath.empty()) {
    const std::string path = OutputName(o.pdfPath, race);
    std::string bytes;
    std::unique_ptr<IPrintJob> job;
    if (context.renderer != nullptr) job = context.renderer->NewPdfJob(bytes);
    if (!job) {
      Failure(outcome, kMsgOutputOpenFailed, path);
      return outcome;
    }
    platform.nextPrintJob = std::move(job);
    const std::size_t before = platform.messages.size();
    dlg.OnPrint();
    platform.nextPrintJob.reset();  // the PDF is complete once its job ends
    if (platform.messages.size() != before)
      Failure(outcome, platform.messages.back().c_str(), path);
    else
      WriteOutput(outcome, path, bytes, context.umask);
  }
  return outcome;
}

// The progress line on a terminal: done/total and the file, redrawn in
// place at most a few times a second.
class Progress {
 public:
  Progress(Sink& err, bool enabled, std::size_t total)
      : m_err(err), m_enabled(enabled && total > 1), m_total(total) {}

  void Done(std::size_t done, const std::string& race) {
    if (!m_enabled) return;
    const auto now = std::chrono::steady_clock::now();
    if (done < m_total && m_shown && now - m_last < std::chrono::milliseconds(100))
      return;
    m_last = now;
    m_shown = true;
    m_err.Write("\r" + std::to_string(done) + "/" + std::to_string(m_total) +
                " " + race + "\x1b[K");
  }
  // Off the line before a message, and at the end.
  void Clear() {
    if (m_enabled && m_shown) m_err.Write("\r\x1b[K");
    m_shown = false;
  }

 private:
  Sink& m_err;
  bool m_enabled;
  std::size_t m_total;
  bool m_shown = false;
  std::chrono::steady_clock::time_point m_last;
};

}  // namespace

int Run(const Options& options, const RunContext& context, Sink& out,
        Sink& err) {
  const std::size_t total = options.raceFiles.size();
  Rect screenArea{};
  // The same for every race; fonts are asked on this thread alone.
  if (!options.graphPath.empty() && options.width == 0 &&
      context.renderer != nullptr)
    screenArea = context.renderer->ScreenGraphArea();

  Progress progress(err, context.progress, total);
  bool allOk = true;
  bool outOk = true;
  auto passOn = [&](std::size_t i, const RaceOutcome& outcome) {
    allOk = allOk && outcome.ok;
    if (outOk && !outcome.out.empty() && !out.Write(outcome.out)) {
      // Reported once; the files of the other races are still written.
      const int error = errno;
      outOk = false;
      progress.Clear();
      err.Write(std::string(kMsgOutputWriteFailed) + ": " +
                std::string(kStandardOutput) + " (" +
                Reason(error) + ")\n");
    }
    if (!outcome.err.empty()) {
      progress.Clear();
      err.Write(outcome.err);
    }
    progress.Done(i + 1, options.raceFiles[i]);
  };

  const std::size_t workers = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(options.jobs, 1)), total);
  if (workers <= 1) {
    // No thread to start (and no arena for it) when one at a time is all.
    for (std::size_t i = 0; i < total; ++i)
      passOn(i, RunRace(options, options.raceFiles[i], context, screenArea));
    progress.Clear();
    return allOk && outOk ? 0 : 1;
  }

  // Workers take races in order; the main thread passes on each race's
  // outcome in order. A race finished early waits in its slot, and no
  // worker runs further than a few races ahead of what is passed on, so
  // nothing piles up however many races there are.
  const std::size_t window = std::max<std::size_t>(4 * workers, 8);
  std::vector<std::optional<RaceOutcome>> slots(total);
  std::mutex lock;
  std::condition_variable finished;
  std::condition_variable room;
  std::size_t next = 0;
  std::size_t passed = 0;

  auto work = [&]() {
    for (;;) {
      std::size_t i = 0;
      {
        std::unique_lock<std::mutex> guard(lock);
        room.wait(guard,
                  [&] { return next >= total || next < passed + window; });
        if (next >= total) return;
        i = next++;
      }
      RaceOutcome outcome =
          RunRace(options, options.raceFiles[i], context, screenArea);
      {
        const std::lock_guard<std::mutex> guard(lock);
        slots[i] = std::move(outcome);
      }
      finished.notify_all();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (std::size_t w = 0; w < workers; ++w) threads.emplace_back(work);

  for (std::size_t i = 0; i < total; ++i) {
    RaceOutcome outcome;
    {
      std::unique_lock<std::mutex> guard(lock);
      finished.wait(guard, [&] { return slots[i].has_value(); });
      outcome = std::move(*slots[i]);
      slots[i].reset();
      passed = i + 1;
    }
    room.notify_all();
    passOn(i, outcome);
  }
  for (std::thread& t : threads) t.join();
  progress.Clear();
  return allOk && outOk ? 0 : 1;
}

}  // namespace qv::report
