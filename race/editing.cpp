#include "race/editing.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "race/numtext.h"
#include "race/race_math.h"

namespace qv {

namespace {

bool InRace(const Race& race, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < race.sections.size();
}

// The loss is spent at the start point, after arriving there. The previous
// arrival may come from a file, hence the saturating sum.
RaceFileSection FromPanel(const PanelReading& p,
                          const RaceFileSection* previous) {
  RaceFileSection s;
  s.startKm = ParseDouble(p.startKm);
  s.endKm = ParseDouble(p.endKm);
  s.loss = p.loss;
  s.arrival = p.arrival;
  s.departure =
      previous != nullptr ? SatAdd(previous->arrival, p.loss) : p.loss;
  s.lap = p.lap;
  s.pace = p.pace;
  return s;
}

// Section k (at least 1) starts where section k - 1 arrives, departing
// after its loss.
void JoinToPrevious(std::vector<RaceFileSection>& sections, std::size_t k) {
  RaceFileSection& s = sections[k];
  const RaceFileSection& previous = sections[k - 1];
  s.departure = SatAdd(s.loss, previous.arrival);
  s.startKm = previous.endKm;
}

}  // namespace

PanelReading PanelShowing(const RaceFileSection& s) {
  return {FormatG(s.startKm),
          FormatG(s.endKm),
          std::clamp(s.loss, 0, kPanelMaxMs),
          std::clamp(s.arrival, 0, kPanelMaxHms),
          std::clamp(s.lap, 0, kPanelMaxHms),
          std::clamp(s.pace, 0, kPanelMaxMs)};
}

PanelReading ProposeNext(const PanelReading& appended, const RaceFileSection& s,
                         bool assist) {
  PanelReading next;
  next.startKm = appended.endKm;
  if (!assist) return next;
  next.endKm = FormatG(2.0 * s.endKm - s.startKm);
  next.loss = s.loss;
  next.arrival =
      Saturate(2LL * s.arrival - static_cast<long long>(s.departure));
  next.lap = s.lap;
  next.pace = s.pace;
  return next;
}

EditResult AppendSection(Race& race, const PanelReading& panel) {
  std::vector<RaceFileSection>& sections = race.sections;
  if (sections.size() >= static_cast<std::size_t>(kMaxSections))
    return EditResult::Full;
  const RaceFileSection s =
      FromPanel(panel, sections.empty() ? nullptr : &sections.back());
  sections.push_back(s);
  return EditResult::Changed;
}

EditResult ChangeSection(Race& race, int i, const PanelReading& panel) {
  if (!InRace(race, i)) return EditResult::Unchanged;
  std::vector<RaceFileSection>& sections = race.sections;
  const std::size_t k = static_cast<std::size_t>(i);
  const RaceFileSection& was = sections[k];
  RaceFileSection now = FromPanel(panel, k > 0 ? &sections[k - 1] : nullptr);
  const PanelReading shown = PanelShowing(was);
  if (panel.startKm == shown.startKm) now.startKm = was.startKm;
  if (panel.endKm == shown.endKm) now.endKm = was.endKm;
  if (panel.arrival == shown.arrival) now.arrival = was.arrival;
  if (panel.lap == shown.lap) now.lap = was.lap;
  if (panel.pace == shown.pace) now.pace = was.pace;
  if (panel.loss == shown.loss) {
    now.loss = was.loss;
    now.departure = was.departure;
  }
  if (now == was) return EditResult::Unchanged;
  sections[k] = now;
  // Sections further on keep what they have.
  if (k + 1 < sections.size()) JoinToPrevious(sections, k + 1);
  return EditResult::Changed;
}

EditResult InsertSection(Race& race, int i, const PanelReading& panel) {
  if (!InRace(race, i)) return EditResult::Unchanged;
  std::vector<RaceFileSection>& sections = race.sections;
  if (sections.size() >= static_cast<std::size_t>(kMaxSections))
    return EditResult::Full;
  const std::size_t k = static_cast<std::size_t>(i);
  const RaceFileSection s =
      FromPanel(panel, k > 0 ? &sections[k - 1] : nullptr);
  sections.insert(sections.begin() + i, s);
  JoinToPrevious(sections, k + 1);
  return EditResult::Changed;
}

EditResult DeleteSection(Race& race, int i) {
  if (!InRace(race, i)) return EditResult::Unchanged;
  std::vector<RaceFileSection>& sections = race.sections;
  const std::size_t k = static_cast<std::size_t>(i);
  sections.erase(sections.begin() + i);
  if (k == 0 && !sections.empty()) {
    RaceFileSection& first = sections.front();
    first.departure = first.loss;
    first.startKm = 0.0;
  } else if (k > 0 && k < sections.size()) {
    JoinToPrevious(sections, k);
  }
  return EditResult::Changed;
}

}  // namespace qv
