// The calculation on its own: a race value in, the computed sections out,
// with nothing of the dialog or a platform linked.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "race/compute.h"
#include "race/race_math.h"

namespace qv {
namespace {

using Entered = std::vector<RaceFileSection>;
constexpr auto kArrival = Priority::Arrival, kLap = Priority::Lap,
               kSpeed = Priority::Speed;
constexpr auto kGross = Condition::Gross, kNet = Condition::Net;

// Entered as {startKm, loss, departure, endKm, arrival, lap, pace}, computed
// as {startKm, endKm, loss, departure, arrival, lap, pace}.
// 0-5 km in 25:00, then a minute lost and 5-10 km arriving at 52:00.
const Entered kTwo = {{0, 0, 0, 5, 150000, 150000, 0},
                      {5, 6000, 156000, 10, 312000, 156000, 0}};
// 2.5 km at 5:00/km, then 0.1 km at 4:59.99/km after 30 s lost.
const Entered kPaced = {{0, 0, 0, 2.5, 0, 0, 30000},
                        {2.5, 3000, 0, 2.6, 0, 0, 29999}};
constexpr ComputedSection kFirst5 = {0, 5, 0, 0, 150000, 150000, 30000};
constexpr ComputedSection kFirst2_5 = {0, 2.5, 0, 0, 75000, 75000, 30000};
const ComputedRace kPacedNet = {
    {kFirst2_5, {2.5, 2.6, 0, 75000, 77999, 2999, 29999}},
    {0, 2.6, 0, 0, 77999, 77999, 29999}};

TEST(Compute, HandWorkedRacesWithTheTotalsRow) {
  const struct {
    Entered race;
    Priority priority;
    Condition condition;
    ComputedRace expected;
  } cases[] = {
      {kTwo, kArrival, kGross,
       {{kFirst5, {5, 10, 6000, 156000, 312000, 162000, 32400}},
        {0, 10, 6000, 0, 312000, 312000, 31200}}},
      {kTwo, kArrival, kNet,
       {{kFirst5, {5, 10, 0, 150000, 306000, 156000, 31200}},
        {0, 10, 0, 0, 306000, 306000, 30600}}},
      {kTwo, kLap, kGross,
       {{kFirst5, {5, 10, 6000, 156000, 312000, 156000, 31200}},
        {0, 10, 6000, 0, 312000, 312000, 31200}}},
      {kPaced, kSpeed, kGross,
       {{kFirst2_5, {2.5, 2.6, 3000, 78000, 80999, 2999, 29999}},
        {0, 2.6, 3000, 0, 80999, 80999, 31153}}},
      {kPaced, kSpeed, kNet, kPacedNet},
      // Settings only a race file can bring: a priority past the list
      // computes by speed, a condition past it as net.
      {kPaced, Priority{3}, Condition{5}, kPacedNet},
      {kPaced, Priority{-1}, Condition{-1}, kPacedNet},
      // Net by arrival, a first loss is spent before the start.
      {{{0, 500, 500, 5, 150500, 0, 0}}, kArrival, kNet,
       {{kFirst5}, {0, 5, 0, 0, 150000, 150000, 30000}}},
      // The totals pace runs from km 0, though the race starts at km 2.
      {{{2, 0, 0, 10, 300000, 0, 0}}, kArrival, kGross,
       {{{2, 10, 0, 0, 300000, 300000, 37500}},
        {0, 10, 0, 0, 300000, 300000, 30000}}},
      // No length, no pace, by arrival and by lap.
      {{{3, 500, 500, 3, 20000, 19500, 30000}}, kArrival, kGross,
       {{{3, 3, 500, 500, 20000, 20000, 0}}, {0, 3, 500, 0, 20000, 20000, 6666}}},
      {{{3, 500, 0, 3, 0, 30000, 0}}, kLap, kGross,
       {{{3, 3, 500, 500, 30500, 30000, 0}}, {0, 3, 500, 0, 30500, 30500, 10166}}},
      // Values only a race file brings saturate: (MAX - MIN) + MAX over a
      // tiny length; MIN - MAX; MIN + MIN after 2e200 km at MIN per km;
      // infinite minus infinite km has no pace.
      {{{0, INT_MAX, INT_MIN, 1e-9, INT_MAX, 0, 0}}, kArrival, kGross,
       {{{0, 1e-9, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MAX}},
        {0, 1e-9, INT_MAX, 0, INT_MAX, INT_MAX, INT_MAX}}},
      {{{0, INT_MAX, INT_MIN, 1, INT_MIN, 0, 0}}, kArrival, kNet,
       {{{0, 1, 0, INT_MIN, INT_MIN, 0, 0}}, {0, 1, 0, 0, INT_MIN, INT_MIN, INT_MIN}}},
      {{{0, INT_MIN, 0, 2e200, 0, 0, INT_MIN}}, kSpeed, kGross,
       {{{0, 2e200, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}},
        {0, 2e200, INT_MIN, 0, INT_MIN, INT_MIN, 0}}},
      {{{HUGE_VAL, INT_MAX, INT_MAX, HUGE_VAL, INT_MAX, 5, 7}}, kArrival, kGross,
       {{{HUGE_VAL, HUGE_VAL, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0}},
        {0, HUGE_VAL, INT_MAX, 0, INT_MAX, INT_MAX, 0}}},
      // Losses summed past the int range, chained.
      {{{0, INT_MAX, 0, 1, 0, 0, 0}, {1, INT_MAX, 0, 2, 0, 0, 0}}, kLap, kGross,
       {{{0, 1, INT_MAX, INT_MAX, INT_MAX, 0, 0},
         {1, 2, INT_MAX, INT_MAX, INT_MAX, 0, 0}},
        {0, 2, INT_MAX, 0, INT_MAX, INT_MAX, INT_MAX / 2}}},
      {{}, kArrival, kGross, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.race.size() << " sections, priority "
                 << static_cast<int>(c.priority) << " condition "
                 << static_cast<int>(c.condition));
    Race race;
    race.priority = c.priority;
    race.condition = c.condition;
    race.sections = c.race;
    EXPECT_EQ(Compute(race), c.expected);
  }
}

}  // namespace
}  // namespace qv
