// The graph and print tests' dialog, its computation set by hand, and views
// of a recorded drawing.
#pragma once

#include <vector>

#include "app/race_dlg.h"
#include "res/resource.h"
#include "tests/doubles/test_platform.h"

namespace qv::graphtest {

using headless::DrawOp;
using Kind = headless::DrawOp::Kind;

struct GraphFixture {
  doubles::Platform platform;
  CRaceDlg dlg{platform};
  GraphFixture() { dlg.OnInitDialog(); }

  void SetComputed(const std::vector<ComputedSection>& sections) {
    dlg.m_race.sections.resize(sections.size());
    dlg.m_computation = ComputedRace{sections, {}};
  }

  const std::vector<DrawOp>& Draw(bool reversed) {
    platform.ClearSurface(IDC_GRAPH);
    reversed ? dlg.DrawGraphReversed() : dlg.DrawGraph();
    return platform.Surface(IDC_GRAPH);
  }
};

inline std::vector<DrawOp> OpsOf(const std::vector<DrawOp>& ops, Kind kind) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : ops)
    if (op.kind == kind) out.push_back(op);
  return out;
}

}  // namespace qv::graphtest
