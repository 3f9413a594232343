// The print command on the recording print job: the page layout, the rows
// it copies from the list, the comment, the fit to the page and the failures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph_test_support.h"
#include "res/strings.h"

namespace qv::graphtest {
namespace {

class PrintTest : public ::testing::Test {
 protected:
  PrintTest() { dlg.OnInitDialog(); }

  // n sections of 5 km, 25 minutes each: computed by lap, or only listed
  // as a load leaves them.
  void Enter(int n, bool compute = true) {
    dlg.m_race.sections.resize(n);
    for (int i = 0; i < n; ++i) {
      dlg.m_race.sections[i].startKm = 5.0 * i;
      dlg.m_race.sections[i].endKm = 5.0 * (i + 1);
      dlg.m_race.sections[i].lap = 150000;
    }
    platform.Combo(IDC_PRIORITY).SetCurSel(1);
    if (compute) dlg.OnCompute();
    else dlg.ShowEnteredRows();
  }

  auto Print(int width = 2400, int height = 100000, int leading = 0) {
    auto job = std::make_unique<doubles::PrintJob>(width, height, leading);
    auto record = job->record();
    platform.printJobs.push_back(std::move(job));
    dlg.OnPrint();
    return record;
  }

  // Texts in the table font, the first one created (the graph has its own).
  static std::vector<DrawOp> TableTexts(const doubles::PrintJob::Record& r) {
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
// leading. Name at (CU, 100), header two pitches below, rows from four,
// columns CU, CU/2, CU/2, then CU apart; a square graph PW / 2 high, centred,
// from GT; the comment four pitches below it at PW / 8, green, one a pitch.
TEST_F(PrintTest, PageLayoutByWidthLeadingAndAxis) {
  const struct {
    int width, leading, axis, cu, lp, top;
    const char* comment;
    std::vector<std::string> lines;  // by pitch
  } cases[] = {
      {2400, 0, 0, 287, 52, 516, "晴れ\r\n気温18度\r\n風弱い",
       {"晴れ", "気温18度", "風弱い"}},
      // An empty line prints nothing but keeps its place.
      {2362, 3, 1, 282, 57, 556, "\r\n前半\r\n\r\n後半\r\n",
       {"", "前半", "", "後半"}},
      {2520, 5, 0, 302, 60, 580, "a\rb\nc", {"a\rb", "c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    platform.Combo(IDC_SPEED_UNIT).SetCurSel(4);
    platform.Combo(IDC_GRAPH_AXIS).SetCurSel(c.axis);
    Enter(2);
    platform.Text(IDC_EVENT_NAME).SetText("湖畔マラソン");
    platform.Text(IDC_COMMENT).SetText(c.comment);
    for (int id : {IDC_EVENT_NAME, IDC_COMMENT}) dlg.OnUserEdit(id);
    const auto r = Print(c.width, 100000, c.leading);
    const auto t = TableTexts(*r);
    ASSERT_GE(t.size(), 1 + 4 * 8u);
    EXPECT_EQ(XY(t[0].x, t[0].y), XY(c.cu, 100));
    std::string headers;
    for (int i = 0; i < 32; ++i) {
      const DrawOp& op = t[1 + i];
      const int k = i % 8, row = i / 8;
      EXPECT_EQ(op.x - (k == 0 ? 0 : t[i].x),
                k == 1 || k == 2 ? c.cu / 2 : c.cu);
      EXPECT_EQ(op.y, 100 + (row == 0 ? 2 : row + 3) * c.lp);
      if (row == 0) headers += op.text + " ";  // rows: the next test
    }
    // The speed column names km whatever the unit.
    EXPECT_EQ(headers,
              "区間 出発 到着 ロスタイム 出発時間 到着時間 ラップタイム "
              "速度/ｋｍ ");
    const int half = c.width / 2, l = half - half / 2, rt = half + half / 2;
    const int commentY = c.top + half + 4 * c.lp;
    std::vector<std::string> printed;
    for (const DrawOp& op : t) {
      EXPECT_EQ(op.textColor, op.y < commentY ? kBlack : kGreen) << op.text;
      if (op.y < commentY) continue;
      EXPECT_EQ(XY(op.x, (op.y - commentY) % c.lp), XY(c.width / 8, 0));
      printed.resize((op.y - commentY) / c.lp + 1);
      printed.back() = op.text;
    }
    EXPECT_EQ(printed, c.lines);
    // The frame in the page's own pen, which is in use again at the end.
    const int b = c.top + half;
    EXPECT_EQ(Path(LinesIn(r->ops, kBlack, 1)),
              XY(l, c.top) + " " + XY(l, b) + " " + XY(rt, b) + " " +
                  XY(rt, c.top) + " " + XY(l, c.top));
    EXPECT_TRUE(
        TextsOf(r->ops, kRed).ends_with(c.axis ? "距離(km)" : "Time(分)"));
    EXPECT_EQ(r->ops.back().font + r->ops.back().pen, 0);
  }
}

// PW 2400, LP 52: the graph from 100 + (n + 6) 52, 1200 high and 100 more
// for its caption; comment lines from 208 below it. Rows are the sections
// and the totals whatever the list holds; a row it lacks prints empty.
TEST_F(PrintTest, ContentTallerThanThePageIsScaledToFit) {
  const struct {
    int sections, listed;
    bool compute;
    int comment, height;
    double scale;
  } cases[] = {
      {45, 45, true, 20, 3389, 3389.0 / (2752 + 1408 + 20 * 52)},
      {45, 45, false, 0, 3389, 3389.0 / (2752 + 1300)},
      {3, 7, true, 2, 2080, 1.0},
      {3, 3, false, 2, 2079, 2079.0 / 2080.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sections << " " << c.height);
    Enter(c.listed, c.compute);
    dlg.m_race.sections.resize(c.sections);
    std::string comment;
    for (int k = 0; k < c.comment; ++k) comment += "コメント\r\n";
    platform.Text(IDC_COMMENT).SetText(comment);
    dlg.OnUserEdit(IDC_COMMENT);
    const auto r = Print(2400, c.height);
    EXPECT_DOUBLE_EQ(r->scale, c.scale);
    // Set before anything is drawn; the layout itself is unchanged.
    for (std::size_t i = 0; c.scale != 1.0 && i < r->opsAtScale; ++i)
      EXPECT_TRUE(r->ops[i].kind != Kind::TextOut &&
                  r->ops[i].kind != Kind::LineTo);
    const auto t = TableTexts(*r);
    ASSERT_EQ(t.size(), 9 + 8 * (c.sections + 1u) + c.comment);
    for (int i = 0; i < 8 * (c.sections + 1); ++i)
      EXPECT_EQ(t[9 + i].text, platform.List().GetItemText(i / 8, i % 8));
    EXPECT_EQ(t[9 + 8 * c.sections].y, 308 + c.sections * 52);
  }
}

// One page named after the program; a failing step aborts the document
// with a message; a cancelled dialog leaves the next job alone.
TEST_F(PrintTest, JobIsOneNamedPageFailuresAbortItCancelSkipsIt) {
  Enter(3);
  const struct {
    int startDoc, startPage, endPage, endDoc;
    std::vector<std::string> calls;  // none: cancelled
  } cases[] = {
      {1, 1, 1, 1, {"StartDoc", "StartPage", "EndPage", "EndDoc"}},
      {1, -1, 1, 1, {"StartDoc", "StartPage", "AbortDoc"}},
      {1, 1, -1, 1, {"StartDoc", "StartPage", "EndPage", "AbortDoc"}},
      {-1, 1, 1, 1, {"StartDoc", "AbortDoc"}},
      {1, 1, 1, -1, {"StartDoc", "StartPage", "EndPage", "EndDoc"}},
      {1, 1, 1, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.startDoc << c.startPage << c.endPage << c.endDoc);
    platform.messages.clear();
    platform.printJobs.clear();
    if (c.calls.empty()) platform.printJobs.push_back(nullptr);
    auto job = std::make_unique<doubles::PrintJob>(2400, 3389);
    job->startDocResult = c.startDoc;
    job->startPageResult = c.startPage;
    job->endPageResult = c.endPage;
    job->endDocResult = c.endDoc;
    const auto r = job->record();
    platform.printJobs.push_back(std::move(job));
    dlg.OnPrint();
    EXPECT_EQ(r->docName, c.calls.empty() ? "" : "Quorvane");
    EXPECT_EQ(r->calls, c.calls);
    const bool ok = c.startDoc + c.startPage + c.endPage + c.endDoc == 4;
    EXPECT_EQ(platform.messages,
              std::vector<std::string>(ok ? 0 : 1, std::string(kMsgPrintFailed)));
  }
}

}  // namespace
}  // namespace qv::graphtest
