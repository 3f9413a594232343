// quorvane-report: loads a race file, computes it with the dialog's own code
// on the headless platform and writes the list, a CSV, the graph and the
// printed page. This part is free of Qt; rendering comes in through Renderer.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "app/headless/headless_platform.h"

namespace qv::report {

struct Options {
  std::string raceFile;
  bool entered = false;
  // Combo selections to make before computing; -1 keeps what load left.
  int priority = -1;
  int calcMode = -1;
  int speedUnit = -1;
  int graphAxis = -1;
  std::string csvPath;    // "-" is standard output
  std::string graphPath;  // .png or .svg
  int width = 0;          // --size; 0 = the graph area's size on screen
  int height = 0;
  std::string pdfPath;
};

enum class ParseResult { Ok, Help, UsageError };

ParseResult ParseArgs(const std::vector<std::string>& args, Options& options,
                      std::string& error);
std::string UsageText();

// The list's rows, cells separated by tabs, one row a line.
std::string ListText(const headless::ListView& list);
// RFC 4180: CR LF line ends, the column headers first.
std::string CsvText(const headless::ListView& list);

class Renderer {
 public:
  virtual ~Renderer() = default;
  // The graph area's client rectangle in the dialog on screen.
  virtual Rect ScreenGraphArea() = 0;
  // Renders the recorded graph at width x height to a .png or .svg file.
  virtual bool SaveGraph(const std::string& path,
                         const std::vector<headless::DrawOp>& ops, int width,
                         int height) = 0;
  // A print job that writes the page to a PDF file; nullptr on failure.
  virtual std::unique_ptr<IPrintJob> OpenPdf(const std::string& path) = 0;
};

// Exit status: 0 success, 1 the race file cannot be opened or is refused (or
// an output cannot be written), with the message on err.
int Run(const Options& options, Renderer& renderer, std::ostream& out,
        std::ostream& err);

}  // namespace qv::report
