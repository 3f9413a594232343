// The section list's cell texts and rows.
#include "race/cell_format.h"

#include <gtest/gtest.h>

#include <climits>

#include "race_fixture.h"

namespace qv::testing {
namespace {

TEST(CellFormat, Texts) {
  struct TimeCase {
    int t;
    const char* hours;
    const char* minutes;
  };
  const TimeCase times[] = {
      {0, "00時00分00秒00", "00分00秒00"},
      {1234567, "03時25分45秒67", "205分45秒67"},
      {30000, "00時05分00秒00", "05分00秒00"},
      {525, "00時00分05秒25", "00分05秒25"},
      {8639999, "23時59分59秒99", "1439分59秒99"},
      {8640000, "24時00分00秒00", "1440分00秒00"},
      // Negative values go through C's truncating division unchanged.
      {-6001, "00時-1分00秒-1", "-1分00秒-1"},
      {INT_MAX, "5965時13分56秒47", "357913分56秒47"},
      {INT_MIN, "-5965時-13分-56秒-48", "-357913分-56秒-48"},
  };
  for (const TimeCase& c : times) {
    SCOPED_TRACE(c.t);
    EXPECT_EQ(HoursText(c.t), c.hours);
    EXPECT_EQ(MinutesText(c.t), c.minutes);
  }
  EXPECT_EQ(KmhText(1200), "12.00 km/h");
  EXPECT_EQ(KmhText(5), "00.05 km/h");
  EXPECT_EQ(KmhText(0), "00.00 km/h");
  EXPECT_EQ(KmText(42.195), "42.195 km");
  EXPECT_EQ(KmText(5.0), "5 km");
  EXPECT_EQ(KmText(0.0), "0 km");
  EXPECT_EQ(KmText(123.4567), "123.457 km");
}

TEST(CellFormat, SpeedValueByUnit) {
  // unit: pace 30000, then pace 0, then an odd pace
  const int expected[][3] = {
      {30000, 0, 29999}, {12000, 0, 11999}, {6000, 0, 5999},
      {3000, 0, 2999},   {1200, 0, 1200},   {30000, 0, 29999},
  };
  for (int unit = 0; unit <= 5; ++unit) {
    SCOPED_TRACE(unit);
    EXPECT_EQ(SpeedValue(30000, unit), expected[unit][0]);
    EXPECT_EQ(SpeedValue(0, unit), expected[unit][1]);
    EXPECT_EQ(SpeedValue(29999, unit), expected[unit][2]);
  }
  EXPECT_EQ(SpeedValue(1, 4), 36000000);
  EXPECT_EQ(SpeedValue(-30000, 4), -1200);
  EXPECT_EQ(SpeedValue(INT_MIN, 1), -858993459);
}

class SectionListTest : public RaceFixture {};

TEST_F(SectionListTest, ColumnsFromTheClientWidth) {
  const auto& cols = platform.List().Columns();
  ASSERT_EQ(cols.size(), 8u);
  const char* headers[] = {"区間",     "出発",     "到着",         "ロスタイム",
                           "出発時間", "到着時間", "ラップタイム", "速度"};
  const int percent[] = {4, 10, 10, 12, 17, 17, 17, 14};
  const int width = platform.List().ClientWidth();
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(cols[k].header, headers[k]);
    EXPECT_EQ(cols[k].width, width * percent[k] / 100);
  }
}

TEST_F(SectionListTest, SpeedColumnInEveryUnit) {
  Enter({{0, 1, 0, 0, 30000, 30000, 30000}, {1, 1, 0, 0, 30000, 0, 0}});
  const char* expected[] = {"05分00秒00", "02分00秒00", "01分00秒00",
                            "00分30秒00", "12.00 km/h"};
  for (int unit = 0; unit <= 4; ++unit) {
    Compute(0, 0, unit);
    EXPECT_EQ(Cell(0, 7), expected[unit]) << unit;
  }
  // The zero-length second section has pace 0: 0 km/h.
  EXPECT_EQ(Cell(1, 7), "00.00 km/h");
}

TEST_F(SectionListTest, EnteredRowKeepsThePacePerKmUnderKmh) {
  Enter({{0, 1, 0, 0, 30000, 30000, 30000}});
  Compute(0, 0, 4);
  dlg.m_pace[1] = 27000;
  dlg.m_startKm[1] = 1;
  dlg.m_endKm[1] = 2;
  dlg.m_nSections = dlg.m_nInputIndex = 2;
  dlg.InsertEnteredRow(1);
  // The entered row stands before the now stale totals row.
  ASSERT_EQ(platform.List().GetItemCount(), 3);
  EXPECT_EQ(Cell(1, 0), "2");
  EXPECT_EQ(Cell(1, 1), "1 km");
  EXPECT_EQ(Cell(1, 7), "04分30秒00");
  EXPECT_EQ(Cell(2, 0), "全区間");
  EXPECT_EQ(Cell(0, 7), "12.00 km/h");
}

TEST_F(SectionListTest, SpeedComboChangesNothingUntilCompute) {
  Enter({{0, 1, 0, 0, 30000, 30000, 30000}});
  Compute(0, 0, 0);
  platform.Combo(IDC_SPEED_UNIT).SetCurSel(4);
  dlg.InsertEnteredRow(0);  // any list write still formats by the member
  EXPECT_EQ(Cell(0, 7), "05分00秒00");
}

}  // namespace
}  // namespace qv::testing
