// The print command on the recording print job: the rows it copies from the
// list and the failures. The page itself golden_check.sh keeps.
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

// Rows are the sections and the totals whatever the list holds: before a
// compute it holds the entered rows only, and a row it lacks prints empty.
// The page's own font and pen are in use again at the end.
TEST_F(PrintTest, RowsTheListLacksPrintEmpty) {
  Enter(5, false);
  auto job = std::make_unique<doubles::PrintJob>(2400, 100000);
  const auto r = job->record();
  platform.printJobs.push_back(std::move(job));
  dlg.OnPrint();
  const auto t = TableTexts(*r);
  ASSERT_EQ(t.size(), 9 + 8 * 6u);
  for (int i = 0; i < 8 * 6; ++i)
    EXPECT_EQ(t[9 + i].text, platform.List().GetItemText(i / 8, i % 8)) << i;
  EXPECT_EQ(r->ops.back().font + r->ops.back().pen, 0);
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
