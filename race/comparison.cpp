#include "race/comparison.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "race/cell_format.h"
#include "race/compute.h"
#include "race/race_math.h"

namespace qv {

double ComparisonTimes::FarthestKm() const {
  double km = 0.0;
  for (int i = 0; i < count; ++i) km = std::max(km, endKm[i]);
  return km;
}

int ComparisonTimes::LatestTime() const {
  int t = 0;
  for (int i = 0; i < count; ++i) t = std::max(t, arrival[i]);
  return t;
}

ComparisonTimes ComputeComparison(const Race& race, Condition condition) {
  Race computed = race;
  if (computed.sections.size() > static_cast<std::size_t>(kMaxSections))
    computed.sections.resize(static_cast<std::size_t>(kMaxSections));
  computed.condition = condition;
  // A priority the list has no entry for computes by arrival here, as the
  // comparison always has.
  const int priority = static_cast<int>(race.priority);
  if (priority < 0 || priority > 2) computed.priority = Priority::Arrival;
  const ComputedRace result = Compute(computed);

  ComparisonTimes times;
  times.count = static_cast<int>(result.sections.size());
  for (std::size_t k = 0; k < result.sections.size(); ++k) {
    times.startKm[k] = result.sections[k].startKm;
    times.endKm[k] = result.sections[k].endKm;
    times.departure[k] = result.sections[k].departure;
    times.arrival[k] = result.sections[k].arrival;
  }
  return times;
}

std::optional<int> TimeAt(const ComparisonTimes& race, double d) {
  for (int i = 0; i < race.count; ++i) {
    if (race.endKm[static_cast<std::size_t>(i)] == d)
      return race.arrival[static_cast<std::size_t>(i)];
  }
  for (int i = 0; i < race.count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double start = race.startKm[k];
    const double end = race.endKm[k];
    if (start < d && end > d) {
      // In double: the difference of two times may not fit an int.
      const double lap = static_cast<double>(race.arrival[k]) -
                         static_cast<double>(race.departure[k]);
      return SatAdd(race.departure[k],
                    Trunc(lap * (d - start) / (end - start)));
    }
  }
  return std::nullopt;
}

std::string DifferenceText(int difference) {
  const int size = difference == INT_MIN ? INT_MAX : std::abs(difference);
  const char* sign = difference > 0 ? "+" : difference < 0 ? "-" : "";
  return sign + MinutesText(size);
}

}  // namespace qv
