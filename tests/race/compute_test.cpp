// The calculation on its own: a race value in, the computed sections out,
// with nothing of the dialog or a platform linked.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <random>

#include "file/race_file.h"
#include "race/comparison.h"
#include "race/compute.h"
#include "race/race_math.h"

namespace qv {
namespace {

Race RandomRace(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % unsigned(n)); };
  // Mostly race-like values, now and then the extremes a file can bring.
  auto time = [&] {
    const int extremes[] = {INT_MIN, INT_MAX, 0, -1};
    return pick(8) == 0 ? extremes[pick(4)] : pick(2000000);
  };
  Race race;
  race.sections.resize(static_cast<std::size_t>(pick(kMaxSections + 1)));
  double km = 0.0;
  for (RaceFileSection& s : race.sections) {
    s.startKm = km;
    km += pick(10) == 0 ? 0.0 : 0.1 * pick(100);
    s.endKm = km;
    s = {s.startKm, time(), time(), s.endKm, time(), time(), time()};
  }
  return race;
}

// What must hold of any computation, whatever the race holds.
void ExpectInvariants(const Race& race, const ComputedRace& r) {
  ASSERT_EQ(r.sections.size(), race.sections.size());
  const int priority = static_cast<int>(race.priority);
  const bool net = race.condition != Condition::Gross;
  int previousArrival = 0, losses = 0;
  for (std::size_t i = 0; i < r.sections.size(); ++i) {
    SCOPED_TRACE(i);
    const RaceFileSection& e = race.sections[i];
    const ComputedSection& c = r.sections[i];
    EXPECT_EQ(c.startKm, e.startKm);
    EXPECT_EQ(c.endKm, e.endKm);
    EXPECT_EQ(c.loss, net ? 0 : e.loss);
    if (priority == 0 && !net) {
      EXPECT_EQ(c.departure, e.departure);
      EXPECT_EQ(c.arrival, e.arrival);
      EXPECT_EQ(c.lap, SatAdd(SatSub(e.arrival, e.departure), e.loss));
    } else if (priority == 0) {
      EXPECT_EQ(c.departure, i == 0 ? SatSub(e.departure, e.loss)
                                    : previousArrival);
      EXPECT_EQ(c.lap, SatSub(c.arrival, c.departure));
    } else {
      // Lap and speed chain each section onto the one before.
      EXPECT_EQ(c.departure, SatAdd(previousArrival, c.loss));
      EXPECT_EQ(c.arrival, SatAdd(c.departure, c.lap));
      if (priority == 1) EXPECT_EQ(c.lap, e.lap);
      else EXPECT_EQ(c.pace, e.pace);
    }
    previousArrival = c.arrival;
    losses = SatAdd(losses, c.loss);
  }
  const ComputedSection& t = r.totals;
  const double lastKm = r.sections.empty() ? 0.0 : r.sections.back().endKm;
  EXPECT_EQ(t.startKm, 0.0);
  EXPECT_EQ(t.endKm, lastKm);
  EXPECT_EQ(t.departure, 0);
  EXPECT_EQ(t.arrival, previousArrival);
  EXPECT_EQ(t.loss, losses);
  EXPECT_EQ(t.lap, previousArrival);
  EXPECT_EQ(t.pace, Trunc(static_cast<double>(t.lap) / lastKm));
}

TEST(Compute, EveryPriorityAndConditionKeepsItsRules) {
  std::mt19937 rng(21);
  for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) {
    Race race = RandomRace(rng);
    for (int priority : {0, 1, 2})
      for (int condition : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << n << " " << priority << " "
                                          << condition);
        race.priority = Priority{priority};
        race.condition = Condition{condition};
        ExpectInvariants(race, Compute(race));
      }
  }
}

// Settings only a race file can bring: a priority past the list computes by
// speed, a condition past it as net.
TEST(Compute, SettingsOutOfRangeComputeAsTheLastEntry) {
  std::mt19937 rng(7);
  const Race base = RandomRace(rng);
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

// The comparison reads a race file and computes it with its own priority,
// by arrival when that is out of range, and the current race's condition.
TEST(Compute, TheComparisonComputesARaceFileWithoutADialog) {
  const RaceReadResult read = ReadRaceFile(
      "Plan\r\n7\r\n0\r\n0\r\n0\r\n0\r\n2\r\n"
      "0\r\n100\r\n100\r\n5\r\n150100\r\n0\r\n0\r\n"
      "5\r\n200\r\n150300\r\n10\r\n300000\r\n0\r\n0\r\n");
  ASSERT_EQ(read.status, RaceReadStatus::Ok);
  for (Condition condition : {Condition::Gross, Condition::Net}) {
    Race byArrival = read.race;
    byArrival.priority = Priority::Arrival;
    byArrival.condition = condition;
    const ComputedRace expected = Compute(byArrival);
    const ComparisonTimes times = ComputeComparison(read.race, condition);
    ASSERT_EQ(times.count, 2);
    for (std::size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(times.departure[k], expected.sections[k].departure) << k;
      EXPECT_EQ(times.arrival[k], expected.sections[k].arrival) << k;
      EXPECT_EQ(times.endKm[k], expected.sections[k].endKm) << k;
    }
  }
  EXPECT_EQ(ComputeComparison(read.race, Condition::Net).arrival[1],
            150000 + 149700);
}

}  // namespace
}  // namespace qv
