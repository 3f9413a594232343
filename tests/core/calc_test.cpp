// The three calculations, gross and net, with the totals row; the list's
// cells; the dialog's own commands: clear, close, the version dialog, the
// window colours.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "app/race_app.h"
#include "race/cell_format.h"
#include "race_fixture.h"
#include "res/strings.h"

namespace qv::testing {
namespace {

enum { kArrival, kLap, kSpeed };
enum { kGross, kNet };

class CalcTest : public RaceFixture {
 protected:
  // Loss, departure, arrival, lap and pace of the first `rows` entries.
  std::vector<int> Computed(int rows) {
    std::vector<int> v;
    for (int i = 0; i < rows; ++i)
      v.insert(v.end(), {dlg.ComputedRow(i).loss, dlg.ComputedRow(i).departure,
                         dlg.ComputedRow(i).arrival, dlg.ComputedRow(i).lap,
                         dlg.ComputedRow(i).pace});
    return v;
  }
};

// 0-5 km in 25:00, then a minute lost and 5-10 km arriving at 52:00.
const std::vector<EnteredSection> kTwo = {
    {0, 5, 0, 0, 150000, 150000, 0}, {5, 10, 6000, 156000, 312000, 156000, 0}};

TEST_F(CalcTest, HandWorkedRacesWithTheTotalsRow) {
  // 2.5 km at 5:00/km, then 0.1 km at 4:59.99/km after 30 s lost.
  const std::vector<EnteredSection> paced = {
      {0, 2.5, 0, 0, 0, 0, 30000}, {2.5, 2.6, 3000, 0, 0, 0, 29999}};
  struct Case {
    std::vector<EnteredSection> race;
    int priority, mode;
    std::vector<int> rows;  // each section's, then the totals
  };
  // clang-format off
  const Case cases[] = {
      {kTwo, kArrival, kGross, {0, 0, 150000, 150000, 30000,
          6000, 156000, 312000, 162000, 32400, 6000, 0, 312000, 312000, 31200}},
      {kTwo, kArrival, kNet, {0, 0, 150000, 150000, 30000,
          0, 150000, 306000, 156000, 31200, 0, 0, 306000, 306000, 30600}},
      {kTwo, kLap, kGross, {0, 0, 150000, 150000, 30000,
          6000, 156000, 312000, 156000, 31200, 6000, 0, 312000, 312000, 31200}},
      {kTwo, kLap, kNet, {0, 0, 150000, 150000, 30000,
          0, 150000, 306000, 156000, 31200, 0, 0, 306000, 306000, 30600}},
      {paced, kSpeed, kGross, {0, 0, 75000, 75000, 30000,
          3000, 78000, 80999, 2999, 29999, 3000, 0, 80999, 80999, 31153}},
      {paced, kSpeed, kNet, {0, 0, 75000, 75000, 30000,
          0, 75000, 77999, 2999, 29999, 0, 0, 77999, 77999, 29999}},
      // Net by arrival, a first loss is spent before the start.
      {{{0, 5, 500, 500, 150500, 0, 0}}, kArrival, kNet,
       {0, 0, 150000, 150000, 30000, 0, 0, 150000, 150000, 30000}},
      // The totals pace runs from km 0, though the race starts at km 2.
      {{{2, 10, 0, 0, 300000, 0, 0}}, kArrival, kGross,
       {0, 0, 300000, 300000, 37500, 0, 0, 300000, 300000, 30000}},
      // No length, no pace.
      {{{3, 3, 500, 500, 20000, 19500, 30000}}, kArrival, kGross,
       {500, 500, 20000, 20000, 0, 500, 0, 20000, 20000, 6666}},
      {{}, kArrival, kGross, {0, 0, 0, 0, 0}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const int n = static_cast<int>(c.race.size());
    SCOPED_TRACE(::testing::Message() << n << " sections, priority "
                                      << c.priority << " mode " << c.mode);
    Enter(c.race);
    Compute(c.priority, c.mode);
    EXPECT_EQ(Computed(n + 1), c.rows);
    EXPECT_EQ(dlg.ComputedRow(n).startKm, 0.0);
    EXPECT_EQ(dlg.ComputedRow(n).endKm, n ? c.race.back().endKm : 0.0);
    EXPECT_EQ(Cell(n, 0) + Cell(n + 1, 0), kTotalsRowText);  // the last row
  }
}

// Values only a race file can bring, in a full table whose totals need the
// 46th computed entry: no overflow, no access past the tables.
TEST_F(CalcTest, ExtremeValuesSaturateAndTheTotalsStayInBounds) {
  std::vector<EnteredSection> s = {
      {0, 1e-200, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MAX},
      {-1e200, 1e200, INT_MIN, INT_MAX, INT_MIN, INT_MIN, INT_MIN},
      {HUGE_VAL, HUGE_VAL, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0},
      {-HUGE_VAL, 5, INT_MIN, INT_MIN, INT_MAX, INT_MAX, -1}};
  s.resize(MAX_SECTIONS, {0, 7, 100, 0, 0, 30000, 30000});
  Enter(s);
  for (int p : {kArrival, kLap, kSpeed})
    for (int m : {kGross, kNet})
      for (int unit = 0; unit <= 4; ++unit) Compute(p, m, unit);
  EXPECT_EQ(Cell(MAX_SECTIONS, 0), kTotalsRowText);
  EXPECT_EQ(dlg.ComputedRow(MAX_SECTIONS).endKm, 7);
  Compute(kArrival, kNet);
  EXPECT_EQ(dlg.ComputedRow(0).departure, INT_MIN);  // MIN - MAX
  Compute(kArrival, kGross);
  EXPECT_EQ(dlg.ComputedRow(0).lap, INT_MAX);  // (MAX - MIN) + MAX
  EXPECT_EQ(dlg.ComputedRow(0).pace, INT_MAX);  // over a tiny length
  EXPECT_EQ(dlg.ComputedRow(2).pace, 0);        // infinite minus infinite km
  EXPECT_EQ(dlg.ComputedRow(MAX_SECTIONS).loss, 41 * 100 - 2);
  Compute(kSpeed, kGross);
  EXPECT_EQ(dlg.ComputedRow(1).lap, INT_MIN);  // 2e200 km at INT_MIN per km
  EXPECT_EQ(CRaceDlg::RoundAboveFourTenths(2.41), 3);
}

TEST(CellFormat, Texts) {
  const struct {
    int t;
    const char *hours, *minutes;
  } cases[] = {
      {1234567, "03時25分45秒67", "205分45秒67"},
      {8640000, "24時00分00秒00", "1440分00秒00"},
      // Negative values go through C's truncating division unchanged.
      {-6001, "00時-1分00秒-1", "-1分00秒-1"},
      {INT_MIN, "-5965時-13分-56秒-48", "-357913分-56秒-48"}};
  for (const auto& c : cases) {
    EXPECT_EQ(HoursText(c.t), c.hours);
    EXPECT_EQ(MinutesText(c.t), c.minutes);
  }
  EXPECT_EQ(KmhText(1200) + KmhText(5), "12.00 km/h00.05 km/h");
  EXPECT_EQ(KmText(42.195) + KmText(5.0), "42.195 km5 km");
  // Per km, 400 m, 200 m, 100 m, km/h, and an unknown unit as per km.
  const int speeds[] = {29999, 11999, 5999, 2999, 1200, 29999};
  for (int unit = 0; unit <= 5; ++unit)
    EXPECT_EQ(SpeedValue(29999, unit), speeds[unit]) << unit;
  EXPECT_EQ(SpeedValue(0, 4) + SpeedValue(1, 4), 36000000);
}

// A compute after the race shrank reads nothing the longer race left;
// clear leaves nothing entered, computed, shown or unsaved.
TEST_F(CalcTest, NothingStaleAfterTheRaceShrinksOrIsCleared) {
  Enter(kTwo);
  Compute(kLap, kGross);
  Enter({kTwo[0]});
  Compute(kLap, kGross);
  EXPECT_EQ(Computed(2), (std::vector<int>{0, 0, 150000, 150000, 30000, 0, 0,
                                           150000, 150000, 30000}));
  Enter(kTwo);
  Compute(kArrival, kGross);
  Click({1});
  platform.Text(IDC_COMMENT).SetText("c");
  dlg.OnUserEdit(IDC_COMMENT);
  dlg.OnUserEdit(IDC_COMMENT);
  platform.yesNoAnswers.assign(1, true);
  EXPECT_TRUE(dlg.OnCommand(IDC_CLEAR));
  EXPECT_EQ(platform.questions, std::vector<std::string>{kMsgConfirmClear});
  EXPECT_EQ((std::vector<int>{dlg.SectionCount(), dlg.SectionCount(),
                              dlg.m_nSelected, Rows(), dlg.IsModified()}),
            (std::vector<int>{0, 0, -1, 0, 0}));
  EXPECT_EQ(Text(IDC_START_KM) + Text(IDC_END_KM) + Text(IDC_SECTION_NO) +
                Text(IDC_COMMENT),
            "001");
  EXPECT_EQ(Lists(), std::vector<int>(14, 0));
  EXPECT_EQ(Computed(MAX_SECTIONS + 1),
            std::vector<int>(5 * (MAX_SECTIONS + 1), 0));
  for (int i = 0; i <= MAX_SECTIONS; ++i)
    EXPECT_EQ(dlg.ComputedRow(i).startKm + dlg.ComputedRow(i).endKm, 0.0) << i;
  // The entered sections are gone, not zeroed: none is left to read.
  EXPECT_EQ(dlg.m_race.sections.size(), 0u);
}

// Closing asks only with unsaved work, a name or comment edit too, and ends
// the dialog unless refused.
TEST_F(CalcTest, CloseAsksBeforeLosingUnsavedWork) {
  dlg.OnCancel();
  EXPECT_EQ(platform.endResult, IDCANCEL);
  for (int edited : {IDC_EVENT_NAME, IDC_COMMENT}) {
    platform.endResult.reset();
    dlg.OnUserEdit(edited);
    platform.yesNoAnswers = {false, true, true};
    dlg.OnCancel();
    EXPECT_FALSE(platform.endResult.has_value());
    dlg.OnCancel();
    EXPECT_EQ(platform.endResult, IDCANCEL);
    dlg.OnCommand(IDC_CLEAR);  // nothing unsaved again
  }
  ASSERT_EQ(platform.questions.size(), 6u);
  EXPECT_EQ(platform.questions[4], kMsgConfirmQuit);
}

// Only the version item's command opens the version dialog, whatever the
// four low bits the system uses. Without an application object the dialog
// sets its own colours: seven presses go round the six pairs to the first.
TEST_F(CalcTest, VersionDialogAndWindowColours) {
  for (unsigned low : {0x0u, 0x1u, 0xFu}) dlg.OnSysCommand(IDM_ABOUTBOX | low);
  for (unsigned other : {0x0020u, 0xF060u, 0x0000u}) dlg.OnSysCommand(other);
  EXPECT_EQ(platform.aboutDialogs, 3);
  for (int k = 0; k < 7; ++k) {
    EXPECT_TRUE(dlg.OnCommand(IDC_WINDOW_COLOR));
    EXPECT_EQ(platform.dialogBackground, ColorScheme(k % 6).background);
    EXPECT_EQ(platform.dialogText, ColorScheme(k % 6).text);
  }
  EXPECT_EQ(platform.invalidations, 7);
  EXPECT_EQ(dlg.m_nColor, 1);
}

}  // namespace
}  // namespace qv::testing
