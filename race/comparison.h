// A race to compare the current one with: a previous race or a plan, read
// from a race file and computed as the current race is computed.
#pragma once

#include <optional>
#include <string>

#include "race/compute.h"
#include "race/race.h"
#include "res/i18n.h"

namespace qv {

// The farthest point and the latest time of a computed race, for the
// graph's axes.
double FarthestKm(const ComputedRace& race);
int LatestTime(const ComputedRace& race);

// Computes a race read from a file with its own stored priority (arrival
// when the stored one is out of range) and the given condition, through the
// same calculation as the current race.
ComputedRace ComputeComparison(const Race& race, Condition condition);

// The elapsed time at distance d: the arrival of the first section that
// arrives at d; otherwise the time interpolated in the first section that
// starts before d and arrives beyond it; none where no section holds d.
std::optional<int> TimeAt(const ComputedRace& race, double d);

// A difference of two times in the list's minutes format, "+" when the
// current race is slower, "-" when it is faster, no sign for none.
std::string DifferenceText(int difference, Language lang);

}  // namespace qv
