// The input panel: time lists, distance edits, showing and storing a section.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "app/headless/headless_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"

namespace {

using namespace qv;

constexpr int kArr[4] = {IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS};
constexpr int kLap[4] = {IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS};
constexpr int kLoss[3] = {IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS};
constexpr int kPace[3] = {IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS};

class InputPanel : public ::testing::Test {
 protected:
  void SetUp() override { dlg.OnInitDialog(); }

  void Select4(const int (&ids)[4], std::vector<int> idx) {
    for (int k = 0; k < 4; ++k) platform.Combo(ids[k]).SetCurSel(idx[k]);
  }
  void Select3(const int (&ids)[3], std::vector<int> idx) {
    for (int k = 0; k < 3; ++k) platform.Combo(ids[k]).SetCurSel(idx[k]);
  }
  std::vector<int> Shown4(const int (&ids)[4]) {
    std::vector<int> v;
    for (int id : ids) v.push_back(platform.Combo(id).GetCurSel());
    return v;
  }
  std::vector<int> Shown3(const int (&ids)[3]) {
    std::vector<int> v;
    for (int id : ids) v.push_back(platform.Combo(id).GetCurSel());
    return v;
  }
  std::string Text(int id) { return platform.Text(id).GetText(); }

  headless::Platform platform;
  CRaceDlg dlg{platform};
};

// ------------------------------------------------------------ lists to time

TEST_F(InputPanel, FourPartListsReadAsHundredths) {
  struct Case {
    std::vector<int> idx;
    int expected;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, 0},          {{23, 59, 59, 99}, 8639999},
      {{3, 25, 45, 67}, 1234567},  // 3*360000 + 25*6000 + 45*100 + 67
      {{1, 0, 0, 0}, 360000},     {{0, 30, 0, 0}, 180000},
      {{0, 0, 1, 1}, 101},
  };
  for (const Case& c : cases) {
    Select4(kArr, c.idx);
    EXPECT_EQ(
        dlg.GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS),
        c.expected)
        << c.expected;
  }
}

TEST_F(InputPanel, ThreePartListsReadAsHundredths) {
  struct Case {
    std::vector<int> idx;
    int expected;
  };
  const Case cases[] = {
      {{0, 0, 0}, 0},         {{0, 5, 25}, 525},  // 5.25 s of loss
      {{59, 59, 99}, 359999}, {{5, 0, 0}, 30000}, {{1, 1, 1}, 6101},
  };
  for (const Case& c : cases) {
    Select3(kLoss, c.idx);
    EXPECT_EQ(dlg.GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS),
              c.expected)
        << c.expected;
  }
}

// ------------------------------------------------------------ time to lists

TEST_F(InputPanel, FourPartTimeSelectsEachUnit) {
  struct Case {
    int t;
    std::vector<int> idx;
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0}},
      {8639999, {23, 59, 59, 99}},
      {1234567, {3, 25, 45, 67}},
      {360000, {1, 0, 0, 0}},
      {359999, {0, 59, 59, 99}},
      {6000, {0, 1, 0, 0}},
      // Times the lists have no entries for show the nearest they can.
      {8640000, {23, 59, 59, 99}},
      {9000000, {23, 59, 59, 99}},
      {INT_MAX, {23, 59, 59, 99}},
      {-1, {0, 0, 0, 0}},
      {-360000, {0, 0, 0, 0}},
      {INT_MIN, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Select4(kLap, {7, 7, 7, 7});  // every list must be set, not left as is
    dlg.SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS,
                        c.t);
    EXPECT_EQ(Shown4(kLap), c.idx) << c.t;
  }
}

TEST_F(InputPanel, ThreePartTimeSelectsEachUnit) {
  struct Case {
    int t;
    std::vector<int> idx;
  };
  const Case cases[] = {
      {0, {0, 0, 0}},          {525, {0, 5, 25}},       {359999, {59, 59, 99}},
      {30000, {5, 0, 0}},      {6099, {1, 0, 99}},      {360000, {59, 59, 99}},
      {8639999, {59, 59, 99}}, {INT_MAX, {59, 59, 99}}, {-525, {0, 0, 0}},
      {INT_MIN, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    Select3(kPace, {7, 7, 7});
    dlg.SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, c.t);
    EXPECT_EQ(Shown3(kPace), c.idx) << c.t;
  }
}

// ------------------------------------------------------------ distances

TEST_F(InputPanel, DistanceEditReadsLikeAtof) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"12.5km", 12.5},
      {"abc", 0.0},
      {"-", 0.0},
      {"", 0.0},
      {"12,5", 12.0},                     // only the point separates decimals
      {"\xEF\xBC\x91\xEF\xBC\x92", 0.0},  // full-width 12
      {"  42.195", 42.195},
      {"-3.5", -3.5},
      {"1e2", 100.0},
      {"10.0", 10.0},
      {".5", 0.5},
  };
  for (const Case& c : cases) {
    platform.Text(IDC_START_KM).SetText(c.text);
    EXPECT_EQ(dlg.GetEditKm(IDC_START_KM), c.expected) << c.text;
  }
}

TEST_F(InputPanel, DistanceEditShowsGFormat) {
  struct Case {
    double km;
    const char* expected;
  };
  const Case cases[] = {
      {42.195, "42.195"},    {5.0, "5"},         {0.0, "0"},
      {123.4567, "123.457"}, {-2.5, "-2.5"},     {10.0, "10"},
      {1e7, "1e+07"},        {0.0001, "0.0001"}, {1234567.0, "1.23457e+06"},
  };
  for (const Case& c : cases) {
    dlg.SetEditKm(IDC_END_KM, c.km);
    EXPECT_EQ(Text(IDC_END_KM), c.expected) << c.km;
  }
}

// ------------------------------------------------------------ show

TEST_F(InputPanel, ShowSectionFillsEveryControlAndTheNumber) {
  dlg.m_startKm[4] = 12.5;
  dlg.m_endKm[4] = 123.4567;
  dlg.m_loss[4] = 525;         // 00:05.25
  dlg.m_arrival[4] = 1234567;  // 3:25:45.67
  dlg.m_lap[4] = 366101;       // 1:01:01.01
  dlg.m_pace[4] = 30000;       // 5:00.00
  dlg.ShowSection(4);
  EXPECT_EQ(Text(IDC_START_KM), "12.5");
  EXPECT_EQ(Text(IDC_END_KM), "123.457");
  EXPECT_EQ(Shown3(kLoss), (std::vector<int>{0, 5, 25}));
  EXPECT_EQ(Shown4(kArr), (std::vector<int>{3, 25, 45, 67}));
  EXPECT_EQ(Shown4(kLap), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(Shown3(kPace), (std::vector<int>{5, 0, 0}));
  EXPECT_EQ(Text(IDC_SECTION_NO), "5");
}

TEST_F(InputPanel, ShowSectionOutsideTheTablesChangesNothing) {
  platform.Text(IDC_START_KM).SetText("7");
  Select3(kLoss, {1, 2, 3});
  for (int i : {-1, MAX_SECTIONS, MAX_SECTIONS + 1, INT_MAX, INT_MIN}) {
    dlg.ShowSection(i);
    EXPECT_EQ(Text(IDC_START_KM), "7") << i;
    EXPECT_EQ(Shown3(kLoss), (std::vector<int>{1, 2, 3})) << i;
    EXPECT_EQ(Text(IDC_SECTION_NO), "1") << i;
  }
}

TEST_F(InputPanel, ShowingTheLastTableEntryWorks) {
  dlg.m_startKm[MAX_SECTIONS - 1] = 3.0;
  dlg.ShowSection(MAX_SECTIONS - 1);
  EXPECT_EQ(Text(IDC_START_KM), "3");
  EXPECT_EQ(Text(IDC_SECTION_NO), "45");
}

// ------------------------------------------------------------ store

TEST_F(InputPanel, StoreSectionWritesEveryValue) {
  platform.Text(IDC_START_KM).SetText("12.5km");
  platform.Text(IDC_END_KM).SetText("20");
  Select3(kLoss, {1, 2, 3});     // 6203
  Select4(kArr, {2, 0, 0, 50});  // 720050
  Select4(kLap, {0, 40, 0, 0});  // 240000
  Select3(kPace, {4, 30, 0});    // 27000
  dlg.m_arrival[1] = 100000;
  dlg.StoreSection(2);
  EXPECT_EQ(dlg.m_startKm[2], 12.5);
  EXPECT_EQ(dlg.m_endKm[2], 20.0);
  EXPECT_EQ(dlg.m_loss[2], 6203);
  EXPECT_EQ(dlg.m_arrival[2], 720050);
  EXPECT_EQ(dlg.m_departure[2], 106203);  // previous arrival + own loss
  EXPECT_EQ(dlg.m_lap[2], 240000);
  EXPECT_EQ(dlg.m_pace[2], 27000);
}

TEST_F(InputPanel, FirstSectionDepartsAfterItsLossAlone) {
  Select3(kLoss, {0, 5, 25});
  Select4(kArr, {5, 0, 0, 0});
  dlg.StoreSection(0);
  EXPECT_EQ(dlg.m_loss[0], 525);
  EXPECT_EQ(dlg.m_departure[0], 525);
}

TEST_F(InputPanel, LaterSectionDepartsAfterThePreviousArrivalAndItsLoss) {
  dlg.m_arrival[2] = 500000;
  Select3(kLoss, {1, 0, 0});  // 6000
  Select4(kArr, {0, 0, 0, 1});
  dlg.StoreSection(3);
  EXPECT_EQ(dlg.m_departure[3], 506000);
  // A later change of section 2's arrival does not reach section 3 by itself.
  dlg.m_arrival[2] = 1;
  EXPECT_EQ(dlg.m_departure[3], 506000);
  dlg.StoreSection(3);
  EXPECT_EQ(dlg.m_departure[3], 6001);
}

TEST_F(InputPanel, StoreSectionLeavesCountSelectionListAndNumberAlone) {
  dlg.m_nSections = 2;
  dlg.m_nInputIndex = 2;
  dlg.m_nSelected = 1;
  platform.List().InsertItem(0, "x");
  platform.Text(IDC_SECTION_NO).SetText("9");
  dlg.StoreSection(5);
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(dlg.m_nInputIndex, 2);
  EXPECT_EQ(dlg.m_nSelected, 1);
  EXPECT_EQ(platform.List().GetItemCount(), 1);
  EXPECT_EQ(Text(IDC_SECTION_NO), "9");
}

TEST_F(InputPanel, StoreSectionOutsideTheTablesWritesNothing) {
  platform.Text(IDC_START_KM).SetText("9");
  platform.Text(IDC_END_KM).SetText("9");
  Select3(kLoss, {9, 9, 9});
  Select4(kArr, {9, 9, 9, 9});
  for (int i : {-1, MAX_SECTIONS, INT_MAX, INT_MIN}) dlg.StoreSection(i);
  for (int k = 0; k < MAX_SECTIONS; ++k) {
    EXPECT_EQ(dlg.m_startKm[k], 0.0) << k;
    EXPECT_EQ(dlg.m_endKm[k], 0.0) << k;
    EXPECT_EQ(dlg.m_loss[k], 0) << k;
    EXPECT_EQ(dlg.m_arrival[k], 0) << k;
    EXPECT_EQ(dlg.m_departure[k], 0) << k;
  }
}

TEST_F(InputPanel, DepartureSaturatesAfterAHugeArrivalFromAFile) {
  dlg.m_arrival[0] = INT_MAX;
  Select3(kLoss, {0, 1, 0});
  dlg.StoreSection(1);
  EXPECT_EQ(dlg.m_departure[1], INT_MAX);

  dlg.m_arrival[0] = INT_MIN;
  dlg.StoreSection(1);
  EXPECT_EQ(dlg.m_departure[1], INT_MIN + 100);
}

// ------------------------------------------------------------ round trips

TEST_F(InputPanel, ShowThenStoreKeepsSixSignificantDigits) {
  dlg.m_startKm[0] = 1.0000001;
  dlg.m_endKm[0] = 123.4567;
  dlg.ShowSection(0);
  dlg.StoreSection(0);
  EXPECT_EQ(dlg.m_startKm[0], 1.0);
  EXPECT_EQ(dlg.m_endKm[0], 123.457);
}

TEST_F(InputPanel, LossOfFiveAndAQuarterSecondsRoundTrips) {
  Select3(kLoss, {0, 5, 25});
  dlg.StoreSection(0);
  EXPECT_EQ(dlg.m_loss[0], 525);
  Select3(kLoss, {3, 3, 3});
  dlg.ShowSection(0);
  EXPECT_EQ(Shown3(kLoss), (std::vector<int>{0, 5, 25}));
}

// ------------------------------------------------------------ unshowable

// Only a race file can bring these. The panel shows the nearest time it
// can; the table keeps the value until the panel is stored.
TEST_F(InputPanel, UnshowableTimesShowClampedAndStayInTheTable) {
  dlg.m_loss[0] = 360000;      // 60:00.00
  dlg.m_arrival[0] = 8640000;  // 24:00:00.00
  dlg.m_lap[0] = -5;
  dlg.m_pace[0] = INT_MIN;
  dlg.ShowSection(0);
  EXPECT_EQ(Shown3(kLoss), (std::vector<int>{59, 59, 99}));
  EXPECT_EQ(Shown4(kArr), (std::vector<int>{23, 59, 59, 99}));
  EXPECT_EQ(Shown4(kLap), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Shown3(kPace), (std::vector<int>{0, 0, 0}));
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

TEST_F(InputPanel, ListWithoutSelectionReadsAsZero) {
  headless::Platform bare;  // lists never filled or selected
  CRaceDlg raw(bare);
  EXPECT_EQ(
      raw.GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS),
      0);
  EXPECT_EQ(raw.GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS), 0);
}

}  // namespace
