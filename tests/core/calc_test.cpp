// The three calculations, gross and net, and the totals entry.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "app/race_app.h"
#include "race/race_math.h"
#include "race_fixture.h"

namespace qv::testing {
namespace {

enum Priority { kArrival = 0, kLap = 1, kSpeed = 2 };
enum Mode { kGross = 0, kNet = 1 };

struct Expected {
  int loss;
  int departure;
  int arrival;
  int lap;
  int pace;
};

class CalcTest : public RaceFixture {
 protected:
  // A two-section race: 0-5 km in 25:00, then a minute lost and 5-10 km
  // arriving at 52:00.
  void EnterTwoSectionRace() {
    Enter({{0, 5, 0, 0, 150000, 150000, 0},
           {5, 10, 6000, 156000, 312000, 156000, 0}});
  }

  void ExpectRows(const std::vector<Expected>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(dlg.m_calcLoss[i], rows[i].loss);
      EXPECT_EQ(dlg.m_calcDeparture[i], rows[i].departure);
      EXPECT_EQ(dlg.m_calcArrival[i], rows[i].arrival);
      EXPECT_EQ(dlg.m_calcLap[i], rows[i].lap);
      EXPECT_EQ(dlg.m_calcPace[i], rows[i].pace);
    }
  }
};

struct RaceCase {
  Priority priority;
  Mode mode;
  std::vector<Expected> rows;  // section 0, section 1, totals
};

TEST_F(CalcTest, TwoSectionRaceRowByRow) {
  const std::vector<RaceCase> cases = {
      {kArrival,
       kGross,
       {{0, 0, 150000, 150000, 30000},
        {6000, 156000, 312000, 162000, 32400},
        {6000, 0, 312000, 312000, 31200}}},
      {kArrival,
       kNet,
       {{0, 0, 150000, 150000, 30000},
        {0, 150000, 306000, 156000, 31200},
        {0, 0, 306000, 306000, 30600}}},
      {kLap,
       kGross,
       {{0, 0, 150000, 150000, 30000},
        {6000, 156000, 312000, 156000, 31200},
        {6000, 0, 312000, 312000, 31200}}},
      {kLap,
       kNet,
       {{0, 0, 150000, 150000, 30000},
        {0, 150000, 306000, 156000, 31200},
        {0, 0, 306000, 306000, 30600}}},
  };
  for (const RaceCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "priority " << c.priority << " mode "
                                      << c.mode);
    EnterTwoSectionRace();
    Compute(c.priority, c.mode);
    EXPECT_EQ(dlg.m_nPriority, c.priority);
    EXPECT_EQ(dlg.m_nCalcMode, c.mode);
    ExpectRows(c.rows);
    EXPECT_EQ(dlg.m_calcStartKm[2], 0.0);
    EXPECT_EQ(dlg.m_calcEndKm[2], 10.0);
    EXPECT_EQ(platform.List().GetItemCount(), 3);
  }
}

TEST_F(CalcTest, TwoSectionRaceListCells) {
  EnterTwoSectionRace();
  Compute(kArrival, kGross);
  const std::vector<std::vector<std::string>> expected = {
      {"1", "0 km", "5 km", "00分00秒00", "00時00分00秒00", "00時25分00秒00",
       "00時25分00秒00", "05分00秒00"},
      {"2", "5 km", "10 km", "01分00秒00", "00時26分00秒00", "00時52分00秒00",
       "00時27分00秒00", "05分24秒00"},
      {"全区間", "0 km", "10 km", "01分00秒00", "00時00分00秒00",
       "00時52分00秒00", "00時52分00秒00", "05分12秒00"},
  };
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 8; ++c) EXPECT_EQ(Cell(r, c), expected[r][c]) << r << "," << c;
}

TEST_F(CalcTest, BySpeedUsesTheEnteredPace) {
  // 2.5 km at 5:00/km, then 0.1 km at 4:59.99/km after 30 s lost.
  Enter({{0, 2.5, 0, 0, 0, 0, 30000}, {2.5, 2.6, 3000, 0, 0, 0, 29999}});
  Compute(kSpeed, kGross);
  ExpectRows({{0, 0, 75000, 75000, 30000},
              {3000, 78000, 80999, 2999, 29999},
              {3000, 0, 80999, 80999, 31153}});
  Compute(kSpeed, kNet);
  ExpectRows({{0, 0, 75000, 75000, 30000},
              {0, 75000, 77999, 2999, 29999},
              {0, 0, 77999, 77999, 29999}});
}

TEST_F(CalcTest, TotalsPaceIsFromKmZeroToTheLastArrival) {
  // The first section starts at km 2, but the average runs from km 0.
  Enter({{2, 10, 0, 0, 300000, 0, 0}});
  Compute(kArrival, kGross);
  EXPECT_EQ(dlg.m_calcPace[0], 37500);
  EXPECT_EQ(dlg.m_calcPace[1], 30000);
  EXPECT_EQ(dlg.m_calcStartKm[1], 0.0);
}

// A compute after the section count shrank must not read the totals from
// what the longer race left behind; clear leaves nothing computed either.
TEST_F(CalcTest, NothingStaleAfterTheRaceShrinksOrIsCleared) {
  EnterTwoSectionRace();
  Compute(kLap, kGross);
  ASSERT_NE(dlg.m_calcDeparture[1], 0);
  Enter({{0, 5, 0, 0, 150000, 150000, 0}});
  Compute(kLap, kGross);
  ExpectRows({{0, 0, 150000, 150000, 30000}, {0, 0, 150000, 150000, 30000}});
  EnterTwoSectionRace();
  Compute(kArrival, kGross);
  dlg.OnUserEdit(IDC_EVENT_NAME);
  platform.yesNoAnswers.assign(1, true);
  dlg.OnClearData();
  EXPECT_FALSE(dlg.IsModified());
  EXPECT_EQ((std::vector<int>{dlg.m_nSections, dlg.m_nInputIndex, dlg.m_nSelected}),
            (std::vector<int>{0, 0, -1}));
  for (int i = 0; i < MAX_SECTIONS; ++i) {
    EXPECT_EQ(dlg.m_startKm[i] + dlg.m_endKm[i], 0.0);
    EXPECT_EQ(dlg.m_arrival[i] | dlg.m_departure[i] | dlg.m_loss[i] |
                  dlg.m_lap[i] | dlg.m_pace[i],
              0);
  }
  for (int i = 0; i <= MAX_SECTIONS; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(dlg.m_calcEndKm[i], 0.0);
    EXPECT_EQ(dlg.m_calcLoss[i] | dlg.m_calcDeparture[i] | dlg.m_calcArrival[i] |
                  dlg.m_calcLap[i] | dlg.m_calcPace[i],
              0);
  }
}

// Without an application object the dialog sets its own colours; seven
// presses go round the six pairs and back to the first.
TEST_F(CalcTest, WindowColourCyclesWithoutAnApplication) {
  for (int k = 0; k < 7; ++k) {
    dlg.OnCommand(IDC_WINDOW_COLOR);
    EXPECT_EQ(platform.dialogBackground, ColorScheme(k % kColorSchemeCount).background);
    EXPECT_EQ(platform.dialogText, ColorScheme(k % kColorSchemeCount).text);
  }
  EXPECT_EQ(platform.invalidations, 7);
}

// The version item's command, whatever the four low bits the system uses;
// no other system command opens the version dialog.
TEST_F(CalcTest, OnlyTheVersionSystemCommandShowsTheVersionDialog) {
  for (unsigned low : {0x0u, 0x1u, 0xFu}) dlg.OnSysCommand(IDM_ABOUTBOX | low);
  EXPECT_EQ(platform.aboutDialogs, 3);
  for (unsigned other : {0x0020u, 0xF060u, 0x0000u}) dlg.OnSysCommand(other);
  EXPECT_EQ(platform.aboutDialogs, 3);
}

TEST_F(CalcTest, NoSectionsGiveTheTotalsRowAlone) {
  Compute(kArrival, kGross);
  ASSERT_EQ(platform.List().GetItemCount(), 1);
  EXPECT_EQ(Cell(0, 0), "全区間");
  EXPECT_EQ(Cell(0, 1), "0 km");
  EXPECT_EQ(Cell(0, 2), "0 km");
  EXPECT_EQ(Cell(0, 3), "00分00秒00");
  for (int c = 4; c <= 6; ++c) EXPECT_EQ(Cell(0, c), "00時00分00秒00");
  EXPECT_EQ(Cell(0, 7), "00分00秒00");
  ExpectRows({{0, 0, 0, 0, 0}});
}

TEST_F(CalcTest, ZeroLengthSections) {
  Enter({{3, 3, 500, 500, 20000, 19500, 30000}});
  Compute(kArrival, kGross);
  EXPECT_EQ(dlg.m_calcPace[0], 0);
  Compute(kLap, kGross);
  EXPECT_EQ(dlg.m_calcPace[0], 0);
  Compute(kSpeed, kGross);
  EXPECT_EQ(dlg.m_calcLap[0], 0);
  EXPECT_EQ(dlg.m_calcArrival[0], dlg.m_calcDeparture[0]);
  EXPECT_EQ(dlg.m_calcPace[0], 30000);
}

TEST_F(CalcTest, ByLapArrivalsAreSumsOfLossAndLap) {
  const int loss[] = {0, 1000, 250, 0};
  const int lap[] = {60000, 61000, 59000, 65000};
  std::vector<EnteredSection> s;
  for (int i = 0; i < 4; ++i) s.push_back({i * 1.0, i + 1.0, loss[i], 0, 0, lap[i], 0});
  Enter(s);
  Compute(kLap, kGross);
  int gross = 0;
  for (int i = 0; i < 4; ++i) {
    gross += loss[i] + lap[i];
    EXPECT_EQ(dlg.m_calcArrival[i], gross);
  }
  Compute(kLap, kNet);
  int net = 0;
  for (int i = 0; i < 4; ++i) {
    net += lap[i];
    EXPECT_EQ(dlg.m_calcArrival[i], net);
    EXPECT_EQ(dlg.m_calcLoss[i], 0);
  }
  EXPECT_EQ(dlg.m_calcLoss[4], 0);
  EXPECT_EQ(dlg.m_calcArrival[4], net);
}

// With 44 sections the totals entry is entry 44; with 45 it needs the 46th
// entry of the computed arrays. UBSan's bounds check watches every access.
TEST_F(CalcTest, FullTablesKeepTheTotalsInBounds) {
  for (int n : {44, 45}) {
    SCOPED_TRACE(n);
    std::vector<EnteredSection> s;
    for (int i = 0; i < n; ++i)
      s.push_back({i * 1.0, i + 1.0, 100, 0, (i + 1) * 30100, 30000, 30000});
    Enter(s);
    for (int p : {kArrival, kLap, kSpeed}) {
      for (int m : {kGross, kNet}) {
        Compute(p, m, 4);
        ASSERT_EQ(platform.List().GetItemCount(), n + 1);
        EXPECT_EQ(Cell(n, 0), "全区間");
        EXPECT_EQ(dlg.m_calcEndKm[n], n * 1.0);
      }
    }
    Compute(kLap, kGross);
    EXPECT_EQ(dlg.m_calcArrival[n], n * 30100);
    EXPECT_EQ(dlg.m_calcLoss[n], n * 100);
  }
}

// Values only a race file can bring: no overflow, no undefined conversion.
TEST_F(CalcTest, ExtremeValuesSaturate) {
  Enter({{0, 1e-200, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MAX},
         {-1e200, 1e200, INT_MIN, INT_MAX, INT_MIN, INT_MIN, INT_MIN},
         {HUGE_VAL, HUGE_VAL, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0},
         {-HUGE_VAL, 5, INT_MIN, INT_MIN, INT_MAX, INT_MAX, -1}});
  for (int p : {kArrival, kLap, kSpeed})
    for (int m : {kGross, kNet})
      for (int unit = 0; unit <= 4; ++unit) Compute(p, m, unit);
  // Gross by arrival: (INT_MAX - INT_MIN) + INT_MAX saturates at the top.
  Compute(kArrival, kGross);
  EXPECT_EQ(dlg.m_calcLap[0], INT_MAX);
  // A lap over a tiny length: the pace saturates.
  EXPECT_EQ(dlg.m_calcPace[0], INT_MAX);
  // Infinite minus infinite length: not a number, pace 0.
  EXPECT_EQ(dlg.m_calcPace[2], 0);
  EXPECT_EQ(dlg.m_calcLoss[4], -2);  // INT_MAX, INT_MIN, INT_MAX, INT_MIN
  Compute(kSpeed, kGross);
  EXPECT_EQ(dlg.m_calcLap[1], INT_MIN);  // 2e200 km at INT_MIN per km
}

TEST(RaceMath, TruncAndRoundAboveFourTenths) {
  struct Case {
    double x;
    int trunc;
    int round;
  };
  const Case cases[] = {
      {3.9, 3, 4},        {-3.9, -3, -3},    {2.4, 2, 2},
      {2.41, 2, 3},       {-2.7, -2, -2},    {0.0, 0, 0},
      {0.4, 0, 0},        {0.5, 0, 1},       {NAN, 0, 0},
      {HUGE_VAL, 0, 1},   {-HUGE_VAL, 0, 0}, {3e9, INT_MAX, INT_MAX},
      {-3e9, INT_MIN, INT_MIN},              {2147483646.9, 2147483646, 2147483647},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(Trunc(c.x), c.trunc);
    EXPECT_EQ(RoundAboveFourTenths(c.x), c.round);
    EXPECT_EQ(CRaceDlg::RoundAboveFourTenths(c.x), c.round);
  }
  EXPECT_EQ(SatAdd(INT_MAX, 1), INT_MAX);
  EXPECT_EQ(SatSub(INT_MIN, 1), INT_MIN);
  EXPECT_EQ(SatSub(5, 7), -2);
}

}  // namespace
}  // namespace qv::testing
