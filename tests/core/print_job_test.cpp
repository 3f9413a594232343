// The print command on the recording print job: the page layout, the rows
// it copies from the list, the comment, the fit to the page and the failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graph_test_support.h"
#include "res/strings.h"

namespace qv::graphtest {
namespace {

using Record = doubles::PrintJob::Record;

class PrintTest : public ::testing::Test {
 protected:
  PrintTest() { dlg.OnInitDialog(); }

  // n sections of 5 km, 25 minutes each: computed by lap, or only listed
  // as a load leaves them.
  void Enter(int n, bool compute = true) {
    platform.List().DeleteAllItems();
    dlg.m_nSections = dlg.m_nInputIndex = n;
    for (int i = 0; i < n; ++i) {
      dlg.m_startKm[i] = 5.0 * i;
      dlg.m_endKm[i] = 5.0 * (i + 1);
      dlg.m_lap[i] = 150000;
      if (!compute) dlg.InsertEnteredRow(i);
    }
    platform.Combo(IDC_PRIORITY).SetCurSel(1);
    if (compute) dlg.OnCompute();
  }

  std::shared_ptr<Record> Print(int width = 2400, int height = 100000,
                                int leading = 0) {
    auto job = std::make_unique<doubles::PrintJob>(width, height, leading);
    auto record = job->record();
    platform.printJobs.push_back(std::move(job));
    dlg.OnPrint();
    return record;
  }

  // Texts in the table font, the first one created (the graph has its own).
  static std::vector<DrawOp> TableTexts(const Record& r) {
    std::vector<DrawOp> texts;
    for (const DrawOp& op : OpsOf(r.ops, Kind::TextOut))
      if (op.font == OpsOf(r.ops, Kind::CreateFont).at(0).handle)
        texts.push_back(op);
    return texts;
  }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
};

// By hand: unit CU = (PW - 100) / 8, pitch LP = h + h / 2 with h = 35 +
// leading. Name at (CU, 100), header two pitches below, rows from four; the
// graph (PW / 2 high) from 100 + (n + 6) LP, the comment four pitches below
// it at PW / 8. Columns CU, CU/2, CU/2, then CU apart.
TEST_F(PrintTest, EventNameHeaderRowsAndCommentStandAtTheirPositions) {
  const struct {
    int width, leading, cu, lp, commentY;
  } cases[] = {
      {2400, 0, 287, 52, 516 + 1200 + 208},
      {2362, 3, 282, 57, 556 + 1181 + 228},
      {2520, 5, 302, 60, 580 + 1260 + 240},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    platform.Combo(IDC_SPEED_UNIT).SetCurSel(4);
    Enter(2);
    platform.Text(IDC_EVENT_NAME).SetText("湖畔マラソン");
    platform.Text(IDC_COMMENT).SetText("x\r\n");
    const auto r = Print(c.width, 100000, c.leading);
    EXPECT_EQ(OpsOf(r->ops, Kind::CreateFont).at(0).height, 35);
    const auto t = TableTexts(*r);
    ASSERT_EQ(t.size(), 1 + 4 * 8 + 1u);
    EXPECT_EQ(std::pair(t[0].x, t[0].y), std::pair(c.cu, 100));
    EXPECT_EQ(std::pair(t[33].x, t[33].y), std::pair(c.width / 8, c.commentY));
    std::string headers;
    for (int i = 0; i < 32; ++i) {
      const DrawOp& op = t[1 + i];
      const int k = i % 8, row = i / 8;
      EXPECT_EQ(op.x - (k == 0 ? 0 : t[i].x), k == 0  ? c.cu
                                              : k < 3 ? c.cu / 2
                                                      : c.cu);
      EXPECT_EQ(op.y, 100 + (row == 0 ? 2 : row + 3) * c.lp);
      if (row > 0) {
        EXPECT_EQ(op.text, platform.List().GetItemText(row - 1, k));
      } else {
        headers += op.text + " ";
      }
    }
    // The speed column names km whatever the unit.
    EXPECT_EQ(headers,
              "区間 出発 到着 ロスタイム 出発時間 到着時間 ラップタイム "
              "速度/ｋｍ ");
    EXPECT_EQ(t[9 + 7].text, "12.00 km/h");
    for (const DrawOp& op : t) {
      EXPECT_TRUE(op.x > 0 && op.x < c.width && op.y > 0) << op.text;
      EXPECT_EQ(op.textColor, &op == &t.back() ? kGreen : kBlack) << op.text;
      EXPECT_EQ(op.background, (Rgb{255, 255, 255})) << op.text;
    }
    // The stock font and pen are back at the end, the table font deleted.
    EXPECT_EQ(r->ops.back().font + r->ops.back().pen, 0);
    EXPECT_EQ(OpsOf(r->ops, Kind::DeleteFont).back().handle,
              OpsOf(r->ops, Kind::CreateFont).at(0).handle);
  }
}

TEST_F(PrintTest, PrintsSectionsPlusOneRowsWhateverTheListHolds) {
  const struct {
    int sections, listed;
    bool compute;
  } cases[] = {{10, 10, true},
               {10, 10, false},
               {0, 0, true},
               {0, 0, false},
               {3, 7, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.listed << " " << c.compute);
    Enter(c.listed, c.compute);
    dlg.m_nSections = c.sections;
    const auto t = TableTexts(*Print());
    // A row the list does not have prints empty.
    ASSERT_EQ(t.size(), 9 + 8 * (c.sections + 1u));
    for (int i = 0; i < 8 * (c.sections + 1); ++i)
      EXPECT_EQ(t[9 + i].text, platform.List().GetItemText(i / 8, i % 8));
  }
}

TEST_F(PrintTest, CommentLinesGoOnePitchApartInGreen) {
  const struct {
    const char* comment;
    std::vector<std::string> lines;  // by pitch
  } cases[] = {
      {"", {}},
      {"晴れ\r\n", {"晴れ"}},
      {"晴れ", {"晴れ"}},
      {"晴れ\r\n気温18度\r\n風弱い", {"晴れ", "気温18度", "風弱い"}},
      {"前半\r\n\r\n後半\r\n", {"前半", "", "後半"}},
      {"\r\n\r\n終盤\r\n", {"", "", "終盤"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r\n", {"a\rb"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.comment);
    Enter(2);
    platform.Text(IDC_COMMENT).SetText(c.comment);
    // PW 2400: x = 300; LP 52; the first line at 516 + 1200 + 4 * 52.
    std::vector<std::string> printed;
    for (const DrawOp& op : TableTexts(*Print())) {
      if (op.y < 1924) continue;
      EXPECT_EQ(op.x, 300);
      EXPECT_EQ((op.y - 1924) % 52, 0);
      EXPECT_EQ(op.textColor, kGreen);
      printed.resize((op.y - 1924) / 52 + 1);
      printed.back() = op.text;
    }
    EXPECT_EQ(printed, c.lines);
  }
}

TEST_F(PrintTest, GraphStandsInTheSquareBelowTheTableByAxis) {
  // PW 2400, two sections: the plot runs from (600, 516) to (1800, 1716),
  // drawn in the page's own pen; the speed caption 10 right of it, 50 below
  // its top, level with it when reversed.
  for (int axis : {0, 1}) {
    SCOPED_TRACE(axis);
    platform.Combo(IDC_GRAPH_AXIS).SetCurSel(axis);
    Enter(2);
    const auto r = Print();
    EXPECT_EQ(Path(LinesIn(r->ops, kBlack, 1)),
              "600,516 600,1716 1800,1716 1800,516 600,516");
    const auto texts = OpsOf(r->ops, Kind::TextOut);
    const auto caption =
        std::ranges::find(texts, "Speed(分/km)", &DrawOp::text);
    ASSERT_NE(caption, texts.end());
    EXPECT_EQ(std::pair(caption->x, caption->y),
              std::pair(1810, 566 - 50 * axis));
  }
}

// PW 2400, LP 52: the graph from 100 + (n + 6) 52, 1200 high and 100 more
// for its caption; comment lines from 208 below it.
TEST_F(PrintTest, ContentTallerThanThePageIsScaledToFit) {
  const struct {
    int sections, comment, height;
    double scale;
  } cases[] = {
      {45, 20, 3389, 3389.0 / (2752 + 1408 + 20 * 52)},
      {45, 0, 3389, 3389.0 / (2752 + 1300)},
      {3, 2, 3389, 1.0},
      {3, 2, 2080, 1.0},
      {3, 2, 2079, 2079.0 / 2080.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sections << " " << c.height);
    Enter(c.sections);
    std::string comment;
    for (int k = 0; k < c.comment; ++k) comment += "コメント\r\n";
    platform.Text(IDC_COMMENT).SetText(comment);
    const auto r = Print(2400, c.height);
    EXPECT_DOUBLE_EQ(r->scale, c.scale);
    // Set before anything is drawn; the layout itself is unchanged.
    for (std::size_t i = 0; c.scale != 1.0 && i < r->opsAtScale; ++i)
      EXPECT_TRUE(r->ops[i].kind != Kind::TextOut &&
                  r->ops[i].kind != Kind::LineTo);
    EXPECT_EQ(TableTexts(*r)[9 + 8 * c.sections].y, 308 + c.sections * 52);
    EXPECT_EQ(r->calls.back(), "EndDoc");
  }
}

TEST_F(PrintTest, JobIsOneNamedPageFailuresAbortItCancelSkipsIt) {
  Enter(3);
  const auto rows = platform.List().Rows();
  // Cancelled: no job, the next one is left alone, no message.
  auto later = std::make_unique<doubles::PrintJob>(2400, 3389);
  const auto laterRecord = later->record();
  platform.printJobs.push_back(nullptr);
  platform.printJobs.push_back(std::move(later));
  dlg.OnPrint();
  EXPECT_TRUE(laterRecord->calls.empty());
  EXPECT_TRUE(platform.messages.empty());
  platform.printJobs.clear();

  const struct {
    int startDoc, startPage, endPage, endDoc;
    const char* calls;
  } cases[] = {
      {1, 1, 1, 1, "StartDoc StartPage EndPage EndDoc"},
      {1, -1, 1, 1, "StartDoc StartPage AbortDoc"},
      {1, 1, -1, 1, "StartDoc StartPage EndPage AbortDoc"},
      {-1, 1, 1, 1, "StartDoc AbortDoc"},
      {1, 1, 1, -1, "StartDoc StartPage EndPage EndDoc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.calls);
    platform.messages.clear();
    auto job = std::make_unique<doubles::PrintJob>(2400, 3389);
    job->startDocResult = c.startDoc;
    job->startPageResult = c.startPage;
    job->endPageResult = c.endPage;
    job->endDocResult = c.endDoc;
    const auto r = job->record();
    platform.printJobs.push_back(std::move(job));
    dlg.OnPrint();
    EXPECT_EQ(r->docName, "Quorvane");
    std::string calls;
    for (const std::string& call : r->calls)
      calls += (calls.empty() ? "" : " ") + call;
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(platform.messages.size(),
              c.startDoc + c.startPage + c.endPage + c.endDoc == 4 ? 0u : 1u);
    EXPECT_TRUE(platform.messages.empty() ||
                platform.messages[0] == kMsgPrintFailed);
    EXPECT_EQ(platform.List().Rows(), rows);  // printing changes no data
  }
}

}  // namespace
}  // namespace qv::graphtest
