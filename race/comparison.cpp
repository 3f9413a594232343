#include "race/comparison.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "race/cell_format.h"
#include "race/compute.h"
#include "race/race_math.h"

namespace qv {

double FarthestKm(const ComputedRace& race) {
  double km = 0.0;
  for (const ComputedSection& s : race.sections) km = std::max(km, s.endKm);
  return km;
}

int LatestTime(const ComputedRace& race) {
  int t = 0;
  for (const ComputedSection& s : race.sections) t = std::max(t, s.arrival);
  return t;
}

ComputedRace ComputeComparison(const Race& race, Condition condition) {
  Race computed = race;
  computed.condition = condition;
  // A priority the list has no entry for computes by arrival here, as the
  // comparison always has.
  const int priority = static_cast<int>(race.priority);
  if (priority < 0 || priority > 2) computed.priority = Priority::Arrival;
  return Compute(computed);
}

std::optional<int> TimeAt(const ComputedRace& race, double d) {
  for (const ComputedSection& s : race.sections)
    if (s.endKm == d) return s.arrival;
  for (const ComputedSection& s : race.sections) {
    if (s.startKm < d && s.endKm > d) {
      // In double: the difference of two times may not fit an int.
      const double lap = static_cast<double>(s.arrival) -
                         static_cast<double>(s.departure);
      return SatAdd(s.departure,
                    Trunc(lap * (d - s.startKm) / (s.endKm - s.startKm)));
    }
  }
  return std::nullopt;
}

std::string DifferenceText(int difference, Language lang) {
  const int size = difference == INT_MIN ? INT_MAX : std::abs(difference);
  const char* sign = difference > 0 ? "+" : difference < 0 ? "-" : "";
  return sign + MinutesText(size, lang);
}

}  // namespace qv
