// A dialog on the headless platform, initialised as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/race_dlg.h"
#include "res/resource.h"
#include "tests/doubles/test_platform.h"

namespace qv::testing {

// Entered sections written in the computed table's order of fields.
using EnteredSection = ComputedSection;

// The panel's time lists: loss, arrival, lap, pace.
inline constexpr int kTimeLists[] = {
    IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS,  IDC_ARR_HOUR, IDC_ARR_MIN,
    IDC_ARR_SEC,  IDC_ARR_CS,   IDC_LAP_HOUR, IDC_LAP_MIN,  IDC_LAP_SEC,
    IDC_LAP_CS,   IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS};

class RaceFixture : public ::testing::Test {
 protected:
  RaceFixture() { dlg.OnInitDialog(); }

  // Puts the sections into the entered table, as a load does.
  void Enter(const std::vector<EnteredSection>& s) {
    dlg.m_race.sections.clear();
    for (const EnteredSection& x : s)
      dlg.m_race.sections.push_back(
          {x.startKm, x.loss, x.departure, x.endKm, x.arrival, x.lap, x.pace});
  }
  // Selects the calculation settings as a user would, then computes.
  void Compute(int priority, int calcMode, int speedUnit = 0, int axis = 0) {
    platform.Combo(IDC_PRIORITY).SetCurSel(priority);
    platform.Combo(IDC_CALC_MODE).SetCurSel(calcMode);
    platform.Combo(IDC_SPEED_UNIT).SetCurSel(speedUnit);
    platform.Combo(IDC_GRAPH_AXIS).SetCurSel(axis);
    dlg.OnCompute();
  }

  void Fill(const std::string& startKm, const std::string& endKm,
            const std::vector<int>& lists) {
    platform.Text(IDC_START_KM).SetText(startKm);
    platform.Text(IDC_END_KM).SetText(endKm);
    for (std::size_t k = 0; k < lists.size(); ++k)
      platform.Combo(kTimeLists[k]).SetCurSel(lists[k]);
  }
  std::vector<int> Lists() {
    std::vector<int> v;
    for (int id : kTimeLists) v.push_back(platform.Combo(id).GetCurSel());
    return v;
  }
  void Click(std::vector<int> rows) {
    platform.List().Select(std::move(rows));
    long result = 99;
    dlg.OnNotifyClick(IDC_SECTION_LIST, &result);
    EXPECT_EQ(result, 0);
  }

  std::string Text(int id) { return platform.Text(id).GetText(); }
  int Rows() { return platform.List().GetItemCount(); }
  std::string Cell(int r, int c) { return platform.List().GetItemText(r, c); }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
};

}  // namespace qv::testing
