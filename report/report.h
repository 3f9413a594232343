// quorvane-report: loads race files, computes each with the dialog's own code
// on the headless platform and writes the list, a CSV, the graph and the
// printed page. This part is free of Qt; pictures and pages come from an
// offscreen::Renderer, which the program loads only when it needs one.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/headless/headless_platform.h"
#include "app/offscreen_renderer.h"
#include "res/i18n.h"

namespace qv::report {

enum class GraphFormat { None, Png, Svg };

// Races run at once, whatever -j asks: each worker holds a dialog, a
// rendered page and a thread's heap (about 2 MB together), and beyond the
// processors more of them only cost memory.
inline constexpr int kMaxJobs = 64;

struct Options {
  std::vector<std::string> raceFiles;
  bool entered = false;
  // Combo selections to make before computing; -1 keeps what load left.
  int priority = -1;
  int calcMode = -1;
  int speedUnit = -1;
  int graphAxis = -1;
  // Output names; "{name}" stands for the race file's name without its
  // folder and extension. csvPath "-" is standard output.
  std::string csvPath;
  std::string graphPath;
  GraphFormat graphFormat = GraphFormat::None;  // from graphPath's ending
  int width = 0;  // --size; 0 = the graph area's size on screen
  int height = 0;
  std::string pdfPath;
  std::string comparePath;  // --compare: a race to compare each race with
  std::string racePath;     // --race: the race as its race file
  // --split for records: laps, every splitKm, or (neither) laps from two
  // laps on and every 1 km below.
  bool splitLaps = false;
  double splitKm = 0.0;
  double courseKm = 0.0;  // --course: the official distance; 0 = none
  int track = 0;  // --track: a record's track, from 1; 0 = the first timed
  int jobs = 1;  // races run at once, at most kMaxJobs
  // --lang: the language of the outputs; messages follow the locale.
  Language language = Language::Japanese;
  bool NeedsRenderer() const { return !graphPath.empty() || !pdfPath.empty(); }
};

enum class ParseResult { Ok, Help, UsageError };

// Also refuses, before anything is written, an output that names a race
// file or another output of the run.
ParseResult ParseArgs(const std::vector<std::string>& args, Options& options,
                      std::string& error);
std::string UsageText();

// The output name for a race file: every "{name}" replaced.
std::string OutputName(const std::string& pattern, const std::string& race);

// Where standard output and standard error go.
class Sink {
 public:
  virtual ~Sink() = default;
  // False when not all of text was written; errno tells why.
  virtual bool Write(std::string_view text) = 0;
};

// The environment of a run, read once on the main thread.
struct RunContext {
  offscreen::Renderer* renderer = nullptr;  // needed for graphs and PDFs
  mode_t umask = 022;                       // for new output files
  bool progress = false;                    // standard error is a terminal
};

// Runs every race, options.jobs at a time, each on a dialog of its own.
// Standard output and the messages come in the order the files were given.
// Exit status: 0 success; 1 a race could not be opened or was refused, or
// an output could not be written (the other races are still done).
int Run(const Options& options, const RunContext& context, Sink& out,
        Sink& err);

}  // namespace qv::report
