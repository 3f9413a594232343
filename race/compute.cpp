// Sums and differences of times saturate at the int range: a race file can
// bring any value, and the race clock must never wrap around.
#include "race/compute.h"

#include <cstddef>

#include "race/race_math.h"

namespace qv {

namespace {

double Length(const ComputedSection& c) { return c.endKm - c.startKm; }

// From the entered arrivals: gross keeps them; net takes the losses out of
// the clock, each section departing when the one before arrives.
void ByArrival(const Race& race, bool net, std::vector<ComputedSection>& out) {
  for (std::size_t i = 0; i < race.sections.size(); ++i) {
    const RaceFileSection& e = race.sections[i];
    ComputedSection c;
    c.startKm = e.startKm;
    c.endKm = e.endKm;
    if (!net) {
      c.departure = e.departure;
      c.arrival = e.arrival;
      c.loss = e.loss;
      c.lap = SatAdd(SatSub(e.arrival, e.departure), e.loss);
    } else {
      if (i == 0) {
        c.departure = SatSub(e.departure, e.loss);
        c.arrival = SatSub(e.arrival, e.loss);
      } else {
        c.departure = out[i - 1].arrival;
        c.arrival = SatAdd(out[i - 1].arrival, SatSub(e.arrival, e.departure));
      }
      c.loss = 0;
      c.lap = SatSub(c.arrival, c.departure);
    }
    c.pace = Trunc(static_cast<double>(c.lap) / Length(c));
    out.push_back(c);
  }
}

// From the entered laps or paces: each section departs after the one before
// arrives, plus its loss time when gross.
void Chained(const Race& race, bool net, bool fromLap,
             std::vector<ComputedSection>& out) {
  for (const RaceFileSection& e : race.sections) {
    ComputedSection c;
    c.startKm = e.startKm;
    c.endKm = e.endKm;
    const double length = Length(c);
    if (fromLap) {
      c.lap = e.lap;
      c.pace = Trunc(static_cast<double>(c.lap) / length);
    } else {
      c.pace = e.pace;
      c.lap = Trunc(length * static_cast<double>(e.pace));
    }
    c.loss = net ? 0 : e.loss;
    const int previous = out.empty() ? 0 : out.back().arrival;
    c.departure = SatAdd(previous, c.loss);
    c.arrival = SatAdd(c.departure, c.lap);
    out.push_back(c);
  }
}

ComputedSection Totals(const std::vector<ComputedSection>& sections) {
  ComputedSection t;
  for (const ComputedSection& c : sections) t.loss = SatAdd(t.loss, c.loss);
  t.startKm = 0.0;
  t.endKm = sections.empty() ? 0.0 : sections.back().endKm;
  t.departure = 0;
  t.arrival = sections.empty() ? 0 : sections.back().arrival;
  t.lap = SatSub(t.arrival, t.departure);
  t.pace = Trunc(static_cast<double>(t.lap) / (t.endKm - t.startKm));
  return t;
}

}  // namespace

ComputedRace Compute(const Race& race) {
  ComputedRace result;
  result.sections.reserve(race.sections.size());
  const bool net = race.condition != Condition::Gross;
  if (race.priority == Priority::Arrival) {
    ByArrival(race, net, result.sections);
  } else {
    Chained(race, net, race.priority == Priority::Lap, result.sections);
  }
  result.totals = Totals(result.sections);
  return result;
}

}  // namespace qv
