// The section graph in the dialog's graph area, on the recording context:
// what its outputs look like, golden_check.sh keeps; here what holds for
// any race.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "graph_test_support.h"

namespace qv::graphtest {
namespace {

// Whatever it draws, the graph deletes every pen and font it made, none
// while it is selected.
TEST(GraphScreen, EveryPenAndFontMadeIsDeleted) {
  for (const bool reversed : {false, true}) {
    GraphFixture f;
    f.SetComputed({{0, 5, 0, 0, 150000, 0, 30000}});
    std::vector<int> made, gone;
    for (const DrawOp& op : f.Draw(reversed)) {
      if (op.kind == Kind::CreatePen || op.kind == Kind::CreateFont)
        made.push_back(op.handle);
      if (op.kind == Kind::DeletePen || op.kind == Kind::DeleteFont) {
        gone.push_back(op.handle);
        EXPECT_EQ(op.pen + op.font, 0);
      }
    }
    std::ranges::sort(made);
    std::ranges::sort(gone);
    EXPECT_EQ(gone, made);
  }
}

// Huge factors (an absurdly long first section, the final km reached in a
// hundredth of a second) and any section count a race file may bring: the
// coordinates saturate and the drawing completes.
TEST(GraphScreen, DegenerateValuesSaturateAndTheDrawingCompletes) {
  GraphFixture f;
  f.SetComputed({{0, 1e12, INT_MAX, INT_MIN, INT_MAX, 0, INT_MIN},
                 {0, 1, 0, 0, 1, 0, INT_MAX}});
  for (int n : {2, -3, 0, 46, 1000}) {
    f.dlg.m_race.sections.resize(static_cast<std::size_t>(std::max(n, 0)));
    EXPECT_EQ(f.Draw(n % 2 == 0).back().kind, Kind::Release) << n;
  }
}

}  // namespace
}  // namespace qv::graphtest
