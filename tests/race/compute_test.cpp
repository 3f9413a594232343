// The calculation on its own: a race value in, the computed sections out,
// with nothing of the dialog or a platform linked.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>

#include "race/compute.h"
#include "race/race_math.h"

namespace qv {
namespace {

// Settings only a race file can bring: a priority past the list computes by
// speed, a condition past it as net.
TEST(Compute, SettingsOutOfRangeComputeAsTheLastEntry) {
  Race base;
  base.sections = {{0, 100, 100, 5, 150100, 150000, 30000},
                   {5, 200, 150300, 10, 300000, 149700, 29940}};
  for (int priority : {-1, 3, 7}) {
    Race odd = base, speed = base;
    odd.priority = Priority{priority};
    odd.condition = Condition{5};
    speed.priority = Priority::Speed;
    speed.condition = Condition::Net;
    const ComputedRace a = Compute(odd), b = Compute(speed);
    EXPECT_EQ(a.sections, b.sections) << priority;
    EXPECT_EQ(a.totals, b.totals) << priority;
  }
}

TEST(Compute, TimesSaturateAndZeroLengthsGivePaceZero) {
  struct Case {
    Priority priority;
    RaceFileSection entered;
    ComputedSection expected;
  };
  const Case cases[] = {
      // (MAX - MIN) + MAX over a tiny length.
      {Priority::Arrival, {0, INT_MAX, INT_MIN, 1e-9, INT_MAX, 0, 0},
       {0, 1e-9, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MAX}},
      {Priority::Lap, {3, 500, 0, 3, 0, 30000, 0},
       {3, 3, 500, 500, 30500, 30000, 0}},
      {Priority::Speed, {0, INT_MAX, 0, 2e200, 0, 0, 1},
       {0, 2e200, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1}},
  };
  for (const Case& c : cases) {
    Race race;
    race.priority = c.priority;
    race.sections = {c.entered};
    const ComputedRace r = Compute(race);
    ASSERT_EQ(r.sections.size(), 1u);
    EXPECT_EQ(r.sections[0], c.expected) << static_cast<int>(c.priority);
  }
  const ComputedRace empty = Compute(Race{});
  EXPECT_TRUE(empty.sections.empty());
  EXPECT_EQ(empty.totals, ComputedSection{});
}

}  // namespace
}  // namespace qv
