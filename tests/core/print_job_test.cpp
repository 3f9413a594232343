// The print command on the recording print job: the page layout, the rows
// it copies from the list, the comment, the fit to the page and the failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {
namespace {

using headless::DrawOp;
using Record = doubles::PrintJob::Record;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kDarkGreen{0, 128, 0};

struct Text {
  int x;
  int y;
  std::string text;
  friend bool operator==(const Text&, const Text&) = default;
};

void PrintTo(const Text& t, std::ostream* os) {
  *os << "(" << t.x << ", " << t.y << ", \"" << t.text << "\")";
}

class PrintTest : public ::testing::Test {
 protected:
  PrintTest() { dlg.OnInitDialog(); }

  // Entered sections of 5 km each, 25 minutes a lap, no loss.
  void EnterSections(int n) {
    dlg.m_nSections = dlg.m_nInputIndex = n;
    for (int i = 0; i < n; ++i) {
      dlg.m_startKm[i] = 5.0 * i;
      dlg.m_endKm[i] = 5.0 * (i + 1);
      dlg.m_loss[i] = 0;
      dlg.m_departure[i] = 150000 * i;
      dlg.m_arrival[i] = 150000 * (i + 1);
      dlg.m_lap[i] = 150000;
      dlg.m_pace[i] = 30000;
    }
  }

  void ComputeByLap() {
    platform.Combo(IDC_PRIORITY).SetCurSel(1);
    dlg.OnCompute();
  }

  // What a load does: the entered rows only, no calculation.
  void ListEnteredRows() {
    platform.List().DeleteAllItems();
    for (int i = 0; i < dlg.m_nSections; ++i) dlg.InsertEnteredRow(i);
  }

  std::shared_ptr<Record> Print(int horzRes = 2400, int vertRes = 100000,
                                int externalLeading = 0) {
    auto job =
        std::make_unique<doubles::PrintJob>(horzRes, vertRes, externalLeading);
    auto record = job->record();
    platform.printJobs.push_back(std::move(job));
    dlg.OnPrint();
    return record;
  }

  // The handle of the table font the job created.
  static int TableFont(const Record& r) {
    for (const DrawOp& op : r.ops)
      if (op.kind == DrawOp::Kind::CreateFont && op.height == 35)
        return op.handle;
    return -1;
  }

  // Texts written with the table font (the graph writes with its own).
  static std::vector<Text> TableTexts(const Record& r) {
    std::vector<Text> texts;
    const int font = TableFont(r);
    for (const DrawOp& op : r.ops)
      if (op.kind == DrawOp::Kind::TextOut && op.font == font)
        texts.push_back({op.x, op.y, op.text});
    return texts;
  }

  static std::vector<Text> TextsAtY(const Record& r, int y) {
    std::vector<Text> texts;
    for (const Text& t : TableTexts(r))
      if (t.y == y) texts.push_back(t);
    return texts;
  }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
};

// ---------------------------------------------------------------- layout

struct LayoutCase {
  int horzRes;
  int externalLeading;
  // Worked out by hand: CU = (PW - 100) / 8, LP = h + h / 2 with h = 35 +
  // leading, columns CU, +CU/2, +CU/2, then +CU five times. The comment
  // starts at x = HW / 4, four pitches below the graph, which is HW = PW / 2
  // high and starts at GT = 100 + 8 * LP.
  int lp;
  int x[8];
  int commentX;
  int commentY;
};

const LayoutCase kLayoutCases[] = {
    // CU = 2300 / 8 = 287, CU/2 = 143, h = 35, LP = 52; 516 + 1200 + 208.
    {2400, 0, 52, {287, 430, 573, 860, 1147, 1434, 1721, 2008}, 300, 1924},
    // CU = 2262 / 8 = 282, CU/2 = 141, h = 38, LP = 57; 556 + 1181 + 228.
    {2362, 3, 57, {282, 423, 564, 846, 1128, 1410, 1692, 1974}, 295, 1965},
    // CU = 2420 / 8 = 302, CU/2 = 151, h = 40, LP = 60; 580 + 1260 + 240.
    {2520, 5, 60, {302, 453, 604, 906, 1208, 1510, 1812, 2114}, 315, 2080},
};

TEST_F(PrintTest, EventNameHeaderRowsAndCommentStandAtTheirPositions) {
  for (const LayoutCase& c : kLayoutCases) {
    SCOPED_TRACE(c.horzRes);
    platform.List().DeleteAllItems();
    EnterSections(2);
    platform.Combo(IDC_SPEED_UNIT).SetCurSel(4);
    ComputeByLap();
    platform.Text(IDC_EVENT_NAME).SetText("湖畔マラソン");
    platform.Text(IDC_COMMENT).SetText("x\r\n");
    const auto r = Print(c.horzRes, 100000, c.externalLeading);

    const std::vector<Text> texts = TableTexts(*r);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], (Text{c.x[0], 100, "湖畔マラソン"}));
    EXPECT_EQ(texts.back(), (Text{c.commentX, c.commentY, "x"}));

    // The speed header names km whatever the unit.
    const char* headers[8] = {"区間",         "出発",     "到着",
                              "ロスタイム",   "出発時間", "到着時間",
                              "ラップタイム", "速度/ｋｍ"};
    const std::vector<Text> headerRow = TextsAtY(*r, 100 + 2 * c.lp);
    ASSERT_EQ(headerRow.size(), 8u);
    for (int k = 0; k < 8; ++k)
      EXPECT_EQ(headerRow[static_cast<std::size_t>(k)],
                (Text{c.x[k], 100 + 2 * c.lp, headers[k]}));

    // One empty pitch after the header, then one row a pitch.
    EXPECT_TRUE(TextsAtY(*r, 100 + 3 * c.lp).empty());
    for (int i = 0; i <= 2; ++i) {
      const int y = 100 + 4 * c.lp + i * c.lp;
      const std::vector<Text> row = TextsAtY(*r, y);
      ASSERT_EQ(row.size(), 8u) << "row " << i;
      for (int k = 0; k < 8; ++k)
        EXPECT_EQ(row[static_cast<std::size_t>(k)],
                  (Text{c.x[k], y, platform.List().GetItemText(i, k)}));
    }
    EXPECT_EQ(TextsAtY(*r, 100 + 4 * c.lp)[7].text, "12.00 km/h");
    EXPECT_EQ(TextsAtY(*r, 100 + 6 * c.lp)[0].text, "全区間");

    // Black on the initial background above the comment.
    int black = 0;
    const int font = TableFont(*r);
    for (const DrawOp& op : r->ops) {
      if (op.kind != DrawOp::Kind::TextOut || op.font != font ||
          op.y >= c.commentY)
        continue;
      ++black;
      EXPECT_EQ(op.textColor, kBlack) << op.text;
      EXPECT_EQ(op.background, (Rgb{255, 255, 255})) << op.text;
    }
    EXPECT_EQ(black, 1 + 8 + 3 * 8);
  }
}

// ---------------------------------------------------------------- rows

struct RowCountCase {
  const char* name;
  int sections;
  bool compute;       // else the list shows entered rows only
  int extraListRows;  // rows the list holds beyond m_nSections + 1
};

TEST_F(PrintTest, PrintsSectionsPlusOneRowsWhateverTheListHolds) {
  const RowCountCase cases[] = {
      {"after a calculation", 10, true, 0},
      {"entered rows only", 10, false, 0},
      {"no sections, calculated", 0, true, 0},
      {"no sections, empty list", 0, false, 0},
      {"list longer than the race", 3, true, 4},
  };
  for (const RowCountCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform.List().DeleteAllItems();
    EnterSections(c.sections + c.extraListRows);
    if (c.compute) {
      ComputeByLap();
    } else {
      ListEnteredRows();
    }
    dlg.m_nSections = c.sections;  // a list with stale rows beyond the race

    const auto r = Print();
    const int lp = 52;
    int rows = 0;
    for (int i = 0; i < 60; ++i) {
      const std::vector<Text> row = TextsAtY(*r, 100 + 4 * lp + i * lp);
      if (row.empty()) continue;
      ASSERT_EQ(row.size(), 8u);
      EXPECT_EQ(i, rows) << "rows are consecutive";
      ++rows;
      for (int k = 0; k < 8; ++k)
        EXPECT_EQ(row[static_cast<std::size_t>(k)].text,
                  platform.List().GetItemText(i, k));
    }
    EXPECT_EQ(rows, c.sections + 1);

    const std::vector<Text> last = TextsAtY(*r, 100 + 4 * lp + c.sections * lp);
    ASSERT_EQ(last.size(), 8u);
    if (c.compute && c.extraListRows == 0) {
      EXPECT_EQ(last[0].text, "全区間");
    } else if (!c.compute) {
      // The list has no row m_nSections: its cells print empty.
      for (const Text& t : last) EXPECT_EQ(t.text, "");
    }
  }
}

// ---------------------------------------------------------------- font

TEST_F(PrintTest, TableFontIsSelectedForItsTextsAndRestoredAfter) {
  EnterSections(2);
  ComputeByLap();
  platform.Text(IDC_COMMENT).SetText("晴れ\r\n");
  const auto r = Print();

  // Created, then selected in place of the stock font, before any text;
  // the comment line is the last text, then the stock font comes back and
  // the table font is deleted.
  const auto& ops = r->ops;
  const std::size_t n = ops.size();
  std::size_t created = n, selected = n, firstText = n, lastText = n;
  std::size_t restore = n, deleted = n;
  for (std::size_t i = 0; i < n; ++i) {
    const DrawOp& op = ops[i];
    if (op.kind == DrawOp::Kind::CreateFont && created == n) created = i;
    if (op.kind == DrawOp::Kind::SelectFont && selected == n) selected = i;
    if (op.kind == DrawOp::Kind::TextOut) {
      if (firstText == n) firstText = i;
      lastText = i;
    }
    if (created == n) continue;
    const int font = ops[created].handle;
    if (op.kind == DrawOp::Kind::SelectFont && op.handle == 0 &&
        op.previous == font)
      restore = i;
    if (op.kind == DrawOp::Kind::DeleteFont && op.handle == font) deleted = i;
  }
  ASSERT_LT(created, n);
  EXPECT_EQ(ops[created].height, 35);
  EXPECT_EQ(ops[created].text, kFontFace);
  ASSERT_LT(selected, n);
  EXPECT_EQ(ops[selected].handle, ops[created].handle);
  EXPECT_EQ(ops[selected].previous, 0);
  ASSERT_LT(lastText, n);
  EXPECT_EQ(ops[lastText].text, "晴れ");
  EXPECT_LT(created, selected);
  EXPECT_LT(selected, firstText);
  EXPECT_LT(lastText, restore);
  EXPECT_LT(restore, deleted);
  EXPECT_LT(deleted, n);
  // The context ends with the stock font and pen.
  EXPECT_EQ(ops.back().font, 0);
  EXPECT_EQ(ops.back().pen, 0);
}

// ---------------------------------------------------------------- comment

struct CommentCase {
  const char* name;
  const char* comment;
  std::vector<std::pair<int, std::string>> lines;  // pitch index, text
};

TEST_F(PrintTest, CommentLinesGoOnePitchApartInGreen) {
  const CommentCase cases[] = {
      {"empty", "", {}},
      {"one line with a break", "晴れ\r\n", {{0, "晴れ"}}},
      {"one line without a break", "晴れ", {{0, "晴れ"}}},
      {"CR LF lines", "晴れ\r\n気温18度\r\n", {{0, "晴れ"}, {1, "気温18度"}}},
      {"last line without a break",
       "晴れ\r\n気温18度\r\n風弱い",
       {{0, "晴れ"}, {1, "気温18度"}, {2, "風弱い"}}},
      {"blank line", "前半\r\n\r\n後半\r\n", {{0, "前半"}, {2, "後半"}}},
      {"leading blank lines", "\r\n\r\n終盤\r\n", {{2, "終盤"}}},
      {"bare line feeds", "a\nb", {{0, "a"}, {1, "b"}}},
      {"carriage return inside a line kept", "a\rb\r\n", {{0, "a\rb"}}},
  };
  for (const CommentCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform.List().DeleteAllItems();
    EnterSections(2);
    ComputeByLap();
    platform.Text(IDC_COMMENT).SetText(c.comment);
    const auto r = Print();
    // PW 2400: HW = 1200, x = 300; LP = 52, GT = 100 + 8 * 52 = 516,
    // first line at 516 + 1200 + 4 * 52 = 1924.
    const int font = TableFont(*r);
    std::vector<std::pair<int, std::string>> printed;
    for (const DrawOp& op : r->ops) {
      if (op.kind != DrawOp::Kind::TextOut || op.font != font || op.y < 1924)
        continue;
      EXPECT_EQ(op.x, 300);
      EXPECT_EQ((op.y - 1924) % 52, 0);
      EXPECT_EQ(op.textColor, kDarkGreen);
      printed.emplace_back((op.y - 1924) / 52, op.text);
    }
    EXPECT_EQ(printed, c.lines);
  }
}

// ---------------------------------------------------------------- graph

TEST_F(PrintTest, GraphStandsInTheSquareBelowTheTableByAxis) {
  // PW 2400, LP 52, two sections: HW = 1200, GT = 100 + 8 * 52 = 516, so
  // the plot rectangle runs from (600, 516) to (1800, 1716). The speed
  // caption starts 10 right of it, 50 below its top in the normal
  // orientation and level with its top in the reversed one.
  for (int axis : {0, 1}) {
    SCOPED_TRACE(axis);
    platform.List().DeleteAllItems();
    EnterSections(2);
    platform.Combo(IDC_GRAPH_AXIS).SetCurSel(axis);
    ComputeByLap();
    ASSERT_EQ(dlg.m_nGraphAxis, axis);
    const auto r = Print();

    // The frame is drawn with the pen the page started with.
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const DrawOp& op : r->ops) {
      if (op.kind != DrawOp::Kind::LineTo || op.pen != 0) continue;
      left = std::min({left, op.fromX, op.x});
      right = std::max({right, op.fromX, op.x});
      top = std::min({top, op.fromY, op.y});
      bottom = std::max({bottom, op.fromY, op.y});
    }
    EXPECT_EQ(left, 600);
    EXPECT_EQ(top, 516);
    EXPECT_EQ(right, 1800);
    EXPECT_EQ(bottom, 1716);

    const int font = TableFont(*r);
    const int captionY = axis == 0 ? 566 : 516;
    const bool caption =
        std::any_of(r->ops.begin(), r->ops.end(), [&](const DrawOp& op) {
          return op.kind == DrawOp::Kind::TextOut && op.font != font &&
                 op.x == 1810 && op.y == captionY;
        });
    EXPECT_TRUE(caption);
  }
}

// ---------------------------------------------------------------- fit

struct FitCase {
  const char* name;
  int sections;
  int commentLines;
  int vertRes;
  double scale;  // expected
};

TEST_F(PrintTest, ContentTallerThanThePageIsScaledToFit) {
  // PW 2400, LP 52, HW 1200. GT = 100 + (n + 6) * 52; graph bottom with its
  // caption GT + 1200 + 100; comment lines from GT + 1200 + 208.
  const FitCase cases[] = {
      // n = 45: GT = 2752, comment 4160 + 20 * 52 = 5200.
      {"45 sections, long comment", 45, 20, 3389, 3389.0 / 5200.0},
      // n = 45, no comment: 2752 + 1300 = 4052.
      {"45 sections, no comment", 45, 0, 3389, 3389.0 / 4052.0},
      // n = 3: GT = 568, comment 1976 + 2 * 52 = 2080.
      {"short race", 3, 2, 3389, 1.0},
      {"exactly the page", 3, 2, 2080, 1.0},
      {"one unit too tall", 3, 2, 2079, 2079.0 / 2080.0},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform.List().DeleteAllItems();
    EnterSections(c.sections);
    ComputeByLap();
    std::string comment;
    for (int k = 0; k < c.commentLines; ++k)
      comment += "コメントの行" + std::to_string(k) + "\r\n";
    platform.Text(IDC_COMMENT).SetText(comment);
    const auto r = Print(2400, c.vertRes);
    EXPECT_DOUBLE_EQ(r->scale, c.scale);
    if (c.scale != 1.0) {
      // Set before anything is drawn.
      for (std::size_t i = 0; i < r->opsAtScale; ++i) {
        EXPECT_NE(r->ops[i].kind, DrawOp::Kind::TextOut);
        EXPECT_NE(r->ops[i].kind, DrawOp::Kind::LineTo);
      }
    }
    // The layout itself is unchanged; the job scales it.
    EXPECT_EQ(TextsAtY(*r, 308 + c.sections * 52).size(), 8u);
    EXPECT_EQ(r->calls.back(), "EndDoc");
  }
}

// ---------------------------------------------------------------- the job

TEST_F(PrintTest, JobIsOneNamedPageFailuresAbortItCancelSkipsIt) {
  struct Case {
    const char* name;
    int startDoc, startPage, endPage, endDoc;
    std::vector<std::string> calls;
    std::vector<std::string> messages;
  };
  const std::vector<std::string> failed{kMsgPrintFailed};
  const Case cases[] = {
      {"success",
       1,
       1,
       1,
       1,
       {"StartDoc", "StartPage", "EndPage", "EndDoc"},
       {}},
      {"page cannot start",
       1,
       -1,
       1,
       1,
       {"StartDoc", "StartPage", "AbortDoc"},
       failed},
      {"page cannot end",
       1,
       1,
       -1,
       1,
       {"StartDoc", "StartPage", "EndPage", "AbortDoc"},
       failed},
      {"document cannot start", -1, 1, 1, 1, {"StartDoc", "AbortDoc"}, failed},
      {"document cannot end",
       1,
       1,
       1,
       -1,
       {"StartDoc", "StartPage", "EndPage", "EndDoc"},
       failed},
  };
  EnterSections(3);
  ComputeByLap();
  platform.Text(IDC_COMMENT).SetText("a\r\nb");
  platform.Text(IDC_EVENT_NAME).SetText("大会");
  const auto rowsBefore = platform.List().Rows();
  const int arrivalBefore = dlg.m_calcArrival[2];
  const bool modifiedBefore = dlg.IsModified();

  // Cancelled: no job, the next one is left alone, no message.
  auto later = std::make_unique<doubles::PrintJob>(2400, 3389);
  const auto laterRecord = later->record();
  platform.printJobs.push_back(nullptr);
  platform.printJobs.push_back(std::move(later));
  dlg.OnPrint();
  EXPECT_TRUE(laterRecord->calls.empty());
  EXPECT_EQ(platform.printJobs.size(), 1u);
  EXPECT_TRUE(platform.messages.empty());
  platform.printJobs.clear();

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform.messages.clear();
    auto job = std::make_unique<doubles::PrintJob>(2400, 3389);
    job->startDocResult = c.startDoc;
    job->startPageResult = c.startPage;
    job->endPageResult = c.endPage;
    job->endDocResult = c.endDoc;
    auto r = job->record();
    platform.printJobs.push_back(std::move(job));
    dlg.OnPrint();
    EXPECT_EQ(r->docName, "Quorvane");
    EXPECT_EQ(r->calls, c.calls);
    EXPECT_EQ(platform.messages, c.messages);
    // Printing changes no data.
    EXPECT_EQ(platform.List().Rows(), rowsBefore);
    EXPECT_EQ(dlg.m_calcArrival[2], arrivalBefore);
    EXPECT_EQ(dlg.m_nSections, 3);
    EXPECT_EQ(platform.Text(IDC_COMMENT).GetText(), "a\r\nb");
    EXPECT_EQ(platform.Text(IDC_EVENT_NAME).GetText(), "大会");
    EXPECT_EQ(dlg.IsModified(), modifiedBefore);
  }
}

}  // namespace
}  // namespace qv
