// The compute command: the race's settings from the lists, the calculation
// of race/compute.h, then the rows and the graph.
#include <algorithm>
#include <array>
#include <cstddef>

#include "app/race_dlg.h"
#include "race/race_math.h"

namespace qv {

int CRaceDlg::RoundAboveFourTenths(double x) {
  return qv::RoundAboveFourTenths(x);
}

void CRaceDlg::OnCompute() {
  // The race file stores these settings: a new one is a change of the race
  // (the history sees it), and so unsaved work.
  m_race.priority = Priority{m_comboPriority->GetCurSel()};
  m_race.condition = Condition{m_comboCalcMode->GetCurSel()};
  m_race.graphAxis = GraphAxis{m_comboGraphAxis->GetCurSel()};
  m_race.speedUnit = SpeedUnit{m_comboSpeedUnit->GetCurSel()};

  // The race to compare with counts its losses as this one does.
  if (m_comparisonRace) {
    m_comparison = ComputeComparison(*m_comparisonRace, m_race.condition);
  } else {
    m_comparison.reset();
  }
  ShowDifferenceColumn(m_comparison.has_value());
  Calculate();

  m_graphShown = m_race.graphAxis == GraphAxis::Normal ? GraphShown::Normal
                                                       : GraphShown::Reversed;
  RedrawGraph();
}

void CRaceDlg::Calculate() {
  m_computation = Compute(m_race);
  m_listComputed = true;
  ShowRows();
}

const ComputedSection& CRaceDlg::ComputedRow(int i) const {
  static const ComputedSection kNone;
  if (!m_computation || i < 0) return kNone;
  const std::vector<ComputedSection>& sections = m_computation->sections;
  if (static_cast<std::size_t>(i) < sections.size())
    return sections[static_cast<std::size_t>(i)];
  return static_cast<std::size_t>(i) == sections.size() ? m_computation->totals
                                                        : kNone;
}

}  // namespace qv
