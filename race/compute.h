// The calculation of a race: a function of the race value alone, so the
// dialog, the comparison and quorvane-report all compute through it.
#pragma once

#include <vector>

#include "race/race.h"

namespace qv {

// One computed section: points in km, times in hundredths of a second
// (departure and arrival on the race clock, loss and lap as durations, pace
// per km).
struct ComputedSection {
  double startKm = 0.0;
  double endKm = 0.0;
  int loss = 0;
  int departure = 0;
  int arrival = 0;
  int lap = 0;
  int pace = 0;
  friend bool operator==(const ComputedSection&,
                         const ComputedSection&) = default;
};

struct ComputedRace {
  // One for each entered section, in order.
  std::vector<ComputedSection> sections;
  // The totals row "全区間": from km 0 and time 0 to the last arrival, with
  // the sum of the losses.
  ComputedSection totals;
  friend bool operator==(const ComputedRace&, const ComputedRace&) = default;
};

// Computes by the race's priority and condition: arrival for 0, lap for 1,
// speed for any other value (a race file can bring one); net for any
// condition but gross. Sums and differences of times saturate at the int
// range; a section of length 0 has pace 0 (by arrival or lap).
ComputedRace Compute(const Race& race);

}  // namespace qv
