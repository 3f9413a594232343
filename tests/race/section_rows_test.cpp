// The section list's texts as a function of the race, its computation and
// the comparison's: what the list shows, the page prints and the CSV holds.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "race/cell_format.h"
#include "race/section_rows.h"

namespace qv {
namespace {

// The first section computed; the second, appended since the compute, shows
// as entered: its pace as a time per km in every unit. A minute faster than
// the plan at 5 km; no difference for a row not computed.
TEST(ListRows, EnteredComputedAndTotalsRows) {
  const ComputedRace computed = {{{0, 5, 6000, 6000, 156000, 150000, 30000}},
                                 {0, 5, 6000, 0, 156000, 156000, 31200}};
  const ComputedRace plan = {{{0, 2, 0, 0, 100000, 100000, 0},
                              {2, 5, 0, 100000, 162000, 62000, 0}}, {}};
  const std::string e1 = "1,0 km,5 km,01分00秒00,00時01分00秒00,00時26分00秒00,"
                         "00時00分00秒00,00分00秒00,",
                    e2 = "2,5 km,5.5 km,00分01秒00,00時26分01秒00,"
                         "00時28分31秒00,00時02分30秒00,04分59秒99,",
                    c1 = "1,0 km,5 km,01分00秒00,00時01分00秒00,"
                         "00時26分00秒00,00時25分00秒00,",
                    totals = "全区間,0 km,5 km,01分00秒00,00時00分00秒00,"
                             "00時26分00秒00,00時26分00秒00,";
  const struct {
    SpeedUnit unit;
    const ComputedRace *computed, *comparison;
    std::string rows;
  } cases[] = {
      {SpeedUnit::Kmh, nullptr, nullptr, e1 + "\n" + e2 + "\n"},
      {SpeedUnit::Per400m, &computed, nullptr,
       c1 + "02分00秒00,\n" + e2 + "\n" + totals + "02分04秒80,\n"},
      {SpeedUnit::Kmh, &computed, &plan,
       c1 + "12.00 km/h,-01分00秒00,\n" + e2 + "\n" + totals +
           "11.53 km/h,-01分00秒00,\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows);
    Race race;
    race.speedUnit = c.unit;
    race.sections = {{0, 6000, 6000, 5, 156000, 0, 0},
                     {5, 100, 156100, 5.5, 171100, 15000, 29999}};
    const SectionRows t =
        ListRows(race, c.computed, c.comparison, Language::Japanese);
    std::string rows;
    for (const ListRow& row : t.rows) {
      for (const std::string& cell : row) rows += cell + ",";
      rows += "\n";
    }
    EXPECT_EQ(rows, c.rows);
    ASSERT_EQ(t.headers.size(), c.comparison ? 9u : 8u);
    EXPECT_EQ(t.headers[7] + t.headers.back(),
              c.comparison ? "速度比較差" : "速度速度");
    // In English the entered pace names its unit, per km whatever the list's.
    EXPECT_EQ(ListRows(race, c.computed, c.comparison, Language::English)
                  .rows[1][7],
              "4:59.99 /km");
  }
}

TEST(CellFormat, Texts) {
  constexpr Language ja = Language::Japanese, en = Language::English;
  const struct {
    int t;
    const char *hours, *minutes, *enHours, *enMinutes;
  } cases[] = {
      {1234567, "03時25分45秒67", "205分45秒67", "3:25:45.67", "205:45.67"},
      {8640000, "24時00分00秒00", "1440分00秒00", "24:00:00.00",
       "1440:00.00"},
      {500, "00時00分05秒00", "00分05秒00", "0:00:05.00", "0:05.00"},
      // Negative values go through C's truncating division unchanged.
      {-6001, "00時-1分00秒-1", "-1分00秒-1", "0:-1:00.-1", "-1:00.-1"},
      {INT_MIN, "-5965時-13分-56秒-48", "-357913分-56秒-48",
       "-5965:-13:-56.-48", "-357913:-56.-48"}};
  for (const auto& c : cases) {
    EXPECT_EQ(HoursText(c.t, ja), c.hours);
    EXPECT_EQ(MinutesText(c.t, ja), c.minutes);
    EXPECT_EQ(HoursText(c.t, en), c.enHours);
    EXPECT_EQ(MinutesText(c.t, en), c.enMinutes);
  }
  EXPECT_EQ(KmText(42.195) + KmText(5.0), "42.195 km5 km");
  // 10 km in 40:58.20: 4:05.82 a km, 6:35.60 a mile (truncated from
  // 6:35.61), 14.64 km/h, 9.09 mph. An unknown unit is per km.
  const struct {
    int unit;
    int value;
    const char *ja, *en;
  } speeds[] = {{0, 24582, "04分05秒82", "4:05.82 /km"},
                {1, 9832, "01分38秒32", "1:38.32 /400m"},
                {2, 4916, "00分49秒16", "0:49.16 /200m"},
                {3, 2458, "00分24秒58", "0:24.58 /100m"},
                {4, 1464, "14.64 km/h", "14.64 km/h"},
                {5, 39560, "06分35秒60", "6:35.60 /mile"},
                {6, 909, "09.09 mph", "9.09 mph"},
                {7, 24582, "04分05秒82", "4:05.82 /km"}};
  for (const auto& c : speeds) {
    SCOPED_TRACE(c.unit);
    EXPECT_EQ(SpeedValue(24582, c.unit), c.value);
    EXPECT_EQ(SpeedText(c.value, c.unit, ja), c.ja);
    EXPECT_EQ(SpeedText(c.value, c.unit, en), c.en);
  }
  EXPECT_EQ(SpeedText(5, kKmhUnit, ja), "00.05 km/h");
  EXPECT_EQ(SpeedValue(0, 4) + SpeedValue(1, 4), 36000000);
  EXPECT_EQ(SpeedValue(0, 6), 0);
}

}  // namespace
}  // namespace qv
