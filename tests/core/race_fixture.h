// A dialog on the headless platform, initialised as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"

namespace qv::testing {

struct EnteredSection {
  double startKm;
  double endKm;
  int loss;
  int departure;
  int arrival;
  int lap;
  int pace;
};

class RaceFixture : public ::testing::Test {
 protected:
  RaceFixture() { dlg.OnInitDialog(); }

  // Puts sections straight into the entered table.
  void Enter(const std::vector<EnteredSection>& sections) {
    dlg.m_nSections = dlg.m_nInputIndex = static_cast<int>(sections.size());
    for (std::size_t k = 0; k < sections.size(); ++k) {
      const EnteredSection& s = sections[k];
      dlg.m_startKm[k] = s.startKm;
      dlg.m_endKm[k] = s.endKm;
      dlg.m_loss[k] = s.loss;
      dlg.m_departure[k] = s.departure;
      dlg.m_arrival[k] = s.arrival;
      dlg.m_lap[k] = s.lap;
      dlg.m_pace[k] = s.pace;
    }
  }

  // Selects the calculation settings as a user would, then computes.
  void Compute(int priority, int calcMode, int speedUnit = 0, int axis = 0) {
    platform.Combo(IDC_PRIORITY).SetCurSel(priority);
    platform.Combo(IDC_CALC_MODE).SetCurSel(calcMode);
    platform.Combo(IDC_SPEED_UNIT).SetCurSel(speedUnit);
    platform.Combo(IDC_GRAPH_AXIS).SetCurSel(axis);
    dlg.OnCompute();
  }

  std::string Cell(int row, int column) {
    return platform.List().GetItemText(row, column);
  }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
};

}  // namespace qv::testing
