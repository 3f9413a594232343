// A race to compare the current one with: a previous race or a plan, read
// from a race file and computed as the current race is computed.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "race/race.h"

namespace qv {

// The computed sections of the comparison race: where each starts and
// ends, and its departure and arrival on the race clock.
struct ComparisonTimes {
  int count = 0;
  std::array<double, kMaxSections> startKm{};
  std::array<double, kMaxSections> endKm{};
  std::array<int, kMaxSections> departure{};
  std::array<int, kMaxSections> arrival{};

  // The farthest point and the latest time of the race, for the graph's
  // axes.
  double FarthestKm() const;
  int LatestTime() const;
};

// Computes a race read from a file with its own stored priority (arrival
// when the stored one is out of range) and the given condition, through the
// same calculation as the current race; sections past kMaxSections are
// left out.
ComparisonTimes ComputeComparison(const Race& race, Condition condition);

// The elapsed time at distance d: the arrival of the first section that
// arrives at d; otherwise the time interpolated in the first section that
// starts before d and arrives beyond it; none where no section holds d.
std::optional<int> TimeAt(const ComparisonTimes& race, double d);

// A difference of two times in the list's minutes format, "+" when the
// current race is slower, "-" when it is faster, no sign for none.
std::string DifferenceText(int difference);

}  // namespace qv
