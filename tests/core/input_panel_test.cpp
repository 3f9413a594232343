// The input panel: time lists, distance edits, showing and storing a section.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"

namespace {

using namespace qv;

using Ids = std::vector<int>;
const Ids kArr = {IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS};
const Ids kLap = {IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS};
const Ids kLoss = {IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS};
const Ids kPace = {IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS};

class InputPanel : public ::testing::Test {
 protected:
  void SetUp() override { dlg.OnInitDialog(); }

  void Select(const Ids& ids, const std::vector<int>& idx) {
    for (std::size_t k = 0; k < ids.size(); ++k)
      platform.Combo(ids[k]).SetCurSel(idx[k]);
  }
  std::vector<int> Shown(const Ids& ids) {
    std::vector<int> v;
    for (int id : ids) v.push_back(platform.Combo(id).GetCurSel());
    return v;
  }
  std::string Text(int id) { return platform.Text(id).GetText(); }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
};

// ------------------------------------------------------------ time lists

struct TimeCase {
  int t;
  std::vector<int> idx;
  bool exact;  // else the lists show the nearest time they can
};

TEST_F(InputPanel, FourPartListsAndHundredths) {
  const TimeCase cases[] = {
      {0, {0, 0, 0, 0}, true},
      {8639999, {23, 59, 59, 99}, true},
      {1234567, {3, 25, 45, 67}, true},  // 3*360000 + 25*6000 + 45*100 + 67
      {359999, {0, 59, 59, 99}, true},
      {101, {0, 0, 1, 1}, true},
      {8640000, {23, 59, 59, 99}, false},
      {INT_MAX, {23, 59, 59, 99}, false},
      {-1, {0, 0, 0, 0}, false},
      {INT_MIN, {0, 0, 0, 0}, false},
  };
  for (const TimeCase& c : cases) {
    if (c.exact) {
      Select(kArr, c.idx);
      EXPECT_EQ(dlg.GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC,
                                    IDC_ARR_CS),
                c.t);
    }
    Select(kLap, {7, 7, 7, 7});  // every list must be set, not left as is
    dlg.SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS,
                        c.t);
    EXPECT_EQ(Shown(kLap), c.idx) << c.t;
  }
}

TEST_F(InputPanel, ThreePartListsAndHundredths) {
  const TimeCase cases[] = {
      {0, {0, 0, 0}, true},           {525, {0, 5, 25}, true},  // 5.25 s
      {359999, {59, 59, 99}, true},   {6099, {1, 0, 99}, true},
      {6101, {1, 1, 1}, true},        {360000, {59, 59, 99}, false},
      {INT_MAX, {59, 59, 99}, false}, {-525, {0, 0, 0}, false},
      {INT_MIN, {0, 0, 0}, false},
  };
  for (const TimeCase& c : cases) {
    if (c.exact) {
      Select(kLoss, c.idx);
      EXPECT_EQ(dlg.GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS),
                c.t);
    }
    Select(kPace, {7, 7, 7});
    dlg.SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, c.t);
    EXPECT_EQ(Shown(kPace), c.idx) << c.t;
  }
}

TEST_F(InputPanel, ListWithoutSelectionReadsAsZero) {
  doubles::Platform bare;  // lists never filled or selected
  CRaceDlg raw(bare);
  EXPECT_EQ(
      raw.GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS),
      0);
  EXPECT_EQ(raw.GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS), 0);
}

// ------------------------------------------------------------ distances

// ------------------------------------------------------------ show, store

TEST_F(InputPanel, ShowSectionFillsEveryControlAndTheNumber) {
  for (int i : {4, MAX_SECTIONS - 1}) {
    dlg.m_startKm[i] = 12.5;
    dlg.m_endKm[i] = 123.4567;
    dlg.m_loss[i] = 525;         // 00:05.25
    dlg.m_arrival[i] = 1234567;  // 3:25:45.67
    dlg.m_lap[i] = 366101;       // 1:01:01.01
    dlg.m_pace[i] = 30000;       // 5:00.00
    dlg.ShowSection(i);
    EXPECT_EQ(Text(IDC_START_KM), "12.5");
    EXPECT_EQ(Text(IDC_END_KM), "123.457");
    EXPECT_EQ(Shown(kLoss), (std::vector<int>{0, 5, 25}));
    EXPECT_EQ(Shown(kArr), (std::vector<int>{3, 25, 45, 67}));
    EXPECT_EQ(Shown(kLap), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(Shown(kPace), (std::vector<int>{5, 0, 0}));
    EXPECT_EQ(Text(IDC_SECTION_NO), std::to_string(i + 1));
  }
}

TEST_F(InputPanel, StoreSectionWritesEveryValueAndNothingElse) {
  dlg.m_nSections = dlg.m_nInputIndex = 2;
  dlg.m_nSelected = 1;
  platform.List().InsertItem(0, "x");
  platform.Text(IDC_SECTION_NO).SetText("9");
  platform.Text(IDC_START_KM).SetText("12.5km");
  platform.Text(IDC_END_KM).SetText("20");
  Select(kLoss, {1, 2, 3});     // 6203
  Select(kArr, {2, 0, 0, 50});  // 720050
  Select(kLap, {0, 40, 0, 0});  // 240000
  Select(kPace, {4, 30, 0});    // 27000
  dlg.m_arrival[1] = 100000;
  dlg.StoreSection(2);
  EXPECT_EQ(dlg.m_startKm[2], 12.5);
  EXPECT_EQ(dlg.m_endKm[2], 20.0);
  EXPECT_EQ(dlg.m_loss[2], 6203);
  EXPECT_EQ(dlg.m_arrival[2], 720050);
  EXPECT_EQ(dlg.m_departure[2], 106203);  // previous arrival + own loss
  EXPECT_EQ(dlg.m_lap[2], 240000);
  EXPECT_EQ(dlg.m_pace[2], 27000);
  // The first section departs after its loss alone.
  dlg.StoreSection(0);
  EXPECT_EQ(dlg.m_departure[0], 6203);

  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(dlg.m_nInputIndex, 2);
  EXPECT_EQ(dlg.m_nSelected, 1);
  EXPECT_EQ(platform.List().GetItemCount(), 1);
  EXPECT_EQ(Text(IDC_SECTION_NO), "9");
}

TEST_F(InputPanel, IndexesOutsideTheTablesShowAndStoreNothing) {
  platform.Text(IDC_START_KM).SetText("7");
  platform.Text(IDC_END_KM).SetText("7");
  Select(kLoss, {1, 2, 3});
  Select(kArr, {9, 9, 9, 9});
  Select(kLap, {9, 9, 9, 9});
  Select(kPace, {9, 9, 9});
  for (int i : {-1, MAX_SECTIONS, MAX_SECTIONS + 1, INT_MAX, INT_MIN}) {
    dlg.ShowSection(i);
    dlg.StoreSection(i);
    EXPECT_EQ(Text(IDC_START_KM), "7") << i;
    EXPECT_EQ(Shown(kLoss), (std::vector<int>{1, 2, 3})) << i;
    EXPECT_EQ(Text(IDC_SECTION_NO), "1") << i;
  }
  for (int k = 0; k < MAX_SECTIONS; ++k) {
    const bool untouched = dlg.m_startKm[k] == 0.0 && dlg.m_endKm[k] == 0.0 &&
                           dlg.m_loss[k] == 0 && dlg.m_arrival[k] == 0 &&
                           dlg.m_departure[k] == 0 && dlg.m_lap[k] == 0 &&
                           dlg.m_pace[k] == 0;
    EXPECT_TRUE(untouched) << k;
  }
}

TEST_F(InputPanel, DepartureSaturatesAfterAHugeArrivalFromAFile) {
  dlg.m_arrival[0] = INT_MAX;
  Select(kLoss, {0, 1, 0});
  dlg.StoreSection(1);
  EXPECT_EQ(dlg.m_departure[1], INT_MAX);
  dlg.m_arrival[0] = INT_MIN;
  dlg.StoreSection(1);
  EXPECT_EQ(dlg.m_departure[1], INT_MIN + 100);
}

// Only a race file can bring these. The panel shows the nearest time it
// can; the table keeps the value until the panel is stored.
TEST_F(InputPanel, UnshowableTimesShowClampedAndStayInTheTable) {
  dlg.m_loss[0] = 360000;      // 60:00.00
  dlg.m_arrival[0] = 8640000;  // 24:00:00.00
  dlg.m_lap[0] = -5;
  dlg.m_pace[0] = INT_MIN;
  dlg.ShowSection(0);
  EXPECT_EQ(Shown(kLoss), (std::vector<int>{59, 59, 99}));
  EXPECT_EQ(Shown(kArr), (std::vector<int>{23, 59, 59, 99}));
  EXPECT_EQ(Shown(kLap), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Shown(kPace), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(dlg.m_loss[0], 360000);
  EXPECT_EQ(dlg.m_arrival[0], 8640000);
  EXPECT_EQ(dlg.m_lap[0], -5);
  EXPECT_EQ(dlg.m_pace[0], INT_MIN);

  dlg.StoreSection(0);
  EXPECT_EQ(dlg.m_loss[0], 359999);
  EXPECT_EQ(dlg.m_arrival[0], 8639999);
  EXPECT_EQ(dlg.m_lap[0], 0);
  EXPECT_EQ(dlg.m_pace[0], 0);
}

}  // namespace
