// The print command: one page with the event name, the table of the section
// list, the graph and the comment.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/race_dlg.h"
#include "race/race_math.h"
#include "res/strings.h"

namespace qv {

namespace {

constexpr int kMaxColumns = 9;
// The list's own header for column 7 is "速度"; the page names the unit.
// The ninth column is there only while a race is compared with.
constexpr const char* kPrintHeaders[kMaxColumns] = {
    N_("区間"),     N_("出発"),         N_("到着"),
    N_("ロスタイム"), N_("出発時間"),     N_("到着時間"),
    N_("ラップタイム"), N_("速度/ｋｍ"), N_("比較差")};

constexpr int kTableFontHeight = 35;
// Top margin of the event name, and what the table leaves free on the right.
constexpr long long kMargin = 100;
// The graph leaves its text colour at dark green; the comment is printed in
// it. Set here as well, so the comment's colour does not hang on the graph.
constexpr Rgb kCommentColor{0, 128, 0};
// The graph's horizontal-axis caption starts 70 units below the plot
// rectangle, in a 30-unit font.
constexpr long long kGraphCaptionDepth = 70 + 30;
// A bound on the line height the metrics may report, so the layout
// arithmetic stays far from overflow whatever a printer driver says.
constexpr long long kMaxLineHeight = 1000000;

// The comment's lines: each line feed ends one, a carriage return before it
// is dropped. Text after the last line feed is a line too, so a comment
// typed without a final line break still prints completely.
std::vector<std::string_view> CommentLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t feed = text.find('\n', start);
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (feed == std::string_view::npos) break;
    start = feed + 1;
  }
  return lines;
}

void ReportFailure(IPlatform& platform, IPrintJob& job) {
  job.AbortDoc();
  platform.MessageBox(kMsgPrintFailed);
}

}  // namespace

void CRaceDlg::OnPrint() {
  std::unique_ptr<IPrintJob> job = m_platform.PrintDialog();
  if (!job) return;

  if (job->StartDoc(kAppTitle) < 0) {
    ReportFailure(m_platform, *job);
    return;
  }
  const long long pageWidth = job->HorzRes();
  const long long pageHeight = job->VertRes();
  if (job->StartPage() < 0) {
    ReportFailure(m_platform, *job);
    return;
  }

  IDrawContext& dc = job->Dc();
  const FontHandle tableFont = dc.CreateFont(kTableFontHeight, kFontFace);
  const FontHandle previousFont = dc.SelectFont(tableFont);

  const TextMetrics metrics = dc.GetTextMetrics();
  const long long lineHeight =
      std::clamp(static_cast<long long>(metrics.height) +
                     static_cast<long long>(metrics.externalLeading),
                 0LL, kMaxLineHeight);
  const long long pitch = lineHeight + lineHeight / 2;
  const SectionRows table = ListRows();
  const int columns =
      std::clamp(static_cast<int>(table.headers.size()), 8, kMaxColumns);
  const long long unit = (pageWidth - kMargin) / 8;
  long long columnX[kMaxColumns];
  columnX[0] = unit;
  columnX[1] = columnX[0] + unit / 2;
  columnX[2] = columnX[1] + unit / 2;
  if (columns == kMaxColumns) {
    // The difference column takes the half units of the left margin and of
    // the arrival point's column: the time columns keep their width.
    columnX[0] = unit / 2;
    columnX[1] = unit;
    columnX[2] = unit + unit / 2;
    columnX[3] = 2 * unit;
  }
  for (int k = columns == kMaxColumns ? 4 : 3; k < columns; ++k)
    columnX[k] = columnX[k - 1] + unit;
  const long long halfWidth = pageWidth / 2;

  // One row for each section and the totals row.
  const int lastRow = SectionCount();
  // What the list shows, row for row; a row or cell it does not have
  // prints empty and keeps its place.
  const auto cell = [&table](int row, int column) -> std::string_view {
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    if (r >= table.rows.size() || c >= table.rows[r].size()) return {};
    return table.rows[r][c];
  };
  // A column whose widest text reaches the next column's place pushes that
  // column on, a space clear of it; columns that fit keep their places.
  const long long space = dc.TextWidth(" ");
  long long tableRight = 0;
  for (int k = 0; k < columns; ++k) {
    long long widest = dc.TextWidth(kPrintHeaders[k]);
    for (int i = 0; i <= lastRow; ++i)
      widest = std::max<long long>(widest, dc.TextWidth(cell(i, k)));
    tableRight = columnX[k] + widest;
    if (k + 1 < columns)
      columnX[k + 1] = std::max(columnX[k + 1], tableRight + space);
  }
  const long long firstRowY = kMargin + 4 * pitch;
  const long long graphTop = firstRowY + (lastRow + 2) * pitch;

  const std::string& comment = m_race.comment.str();
  const std::vector<std::string_view> lines = CommentLines(comment);
  const long long commentTop = graphTop + halfWidth + 4 * pitch;

  // Everything goes on the one page: content taller than the printable area
  // is shrunk to fit rather than cut off at the bottom.
  long long bottom = graphTop + halfWidth + kGraphCaptionDepth;
  if (!lines.empty()) {
    bottom = std::max(
        bottom, commentTop + static_cast<long long>(lines.size()) * pitch);
  }
  // So is a table pushed past the page's right edge.
  double scale = 1.0;
  if (pageHeight > 0 && bottom > pageHeight)
    scale = static_cast<double>(pageHeight) / static_cast<double>(bottom);
  if (pageWidth > 0 && tableRight > pageWidth)
    scale = std::min(scale, static_cast<double>(pageWidth) /
                                static_cast<double>(tableRight));
  if (scale < 1.0) job->SetScale(scale);

  dc.TextOut(Saturate(unit), Saturate(kMargin), m_race.eventName);
  for (int k = 0; k < columns; ++k) {
    dc.TextOut(Saturate(columnX[k]), Saturate(kMargin + 2 * pitch),
               Tr(OutputLanguage(), kPrintHeaders[k]));
  }
  for (int i = 0; i <= lastRow; ++i) {
    const int y = Saturate(firstRowY + i * pitch);
    for (int k = 0; k < columns; ++k)
      dc.TextOut(Saturate(columnX[k]), y, cell(i, k));
  }

  if (m_race.graphAxis == GraphAxis::Normal) {
    PrintGraph(dc, Saturate(halfWidth), Saturate(graphTop));
  } else {
    PrintGraphReversed(dc, Saturate(halfWidth), Saturate(graphTop));
  }

  dc.SetTextColor(kCommentColor);
  long long y = commentTop;
  for (std::string_view line : lines) {
    // An empty line prints nothing but keeps its place.
    if (!line.empty()) dc.TextOut(Saturate(halfWidth / 4), Saturate(y), line);
    y += pitch;
  }

  dc.SelectFont(previousFont);
  dc.DeleteFont(tableFont);

  if (job->EndPage() < 0) {
    ReportFailure(m_platform, *job);
    return;
  }
  if (job->EndDoc() < 0) m_platform.MessageBox(kMsgPrintFailed);
}

}  // namespace qv
