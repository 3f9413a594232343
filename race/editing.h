// The editing of a race's sections: append, change, insert and delete from
// what the input panel reads, with the links between neighbours kept. Pure
// functions of the race, so the dialog only reads the panel and shows the
// result.
#pragma once

#include <string>

#include "race/race.h"

namespace qv {

// The largest times the panel's lists have entries for: 99:59:59.99 (a
// day-long ultra, a 100-mile race) and 59:59.99.
inline constexpr int kPanelMaxHms = 100 * 360000 - 1;
inline constexpr int kPanelMaxMs = 60 * 6000 - 1;

// The input panel as read or as shown: the distances as their texts, the
// times (hundredths of a second) as the lists select them.
struct PanelReading {
  std::string startKm;
  std::string endKm;
  int loss = 0;
  int arrival = 0;
  int lap = 0;
  int pace = 0;
  friend bool operator==(const PanelReading&, const PanelReading&) = default;
};

// How the panel shows a section: distances as "%g", times clamped into the
// lists' range (only a race file or a record brings a time outside it).
PanelReading PanelShowing(const RaceFileSection& s);

// What the panel proposes after `appended` was stored as section s: the
// next section starts where s ends; with the input assist it is as long and
// as fast as s, without it the rest of the panel is empty.
PanelReading ProposeNext(const PanelReading& appended, const RaceFileSection& s,
                         bool assist);

enum class EditResult {
  Changed,
  Unchanged,  // no such section, or nothing to store
  Full,       // already kMaxSections sections
};

// A new last section from the panel, departing after its loss from the
// previous arrival.
EditResult AppendSection(Race& race, const PanelReading& panel);

// Section i takes what the panel reads, except a field that still reads as
// the section shows it, which keeps its exact value (the lists cannot show
// every time, nor the texts every digit of a distance); the next section
// then starts where it arrives. A change that changes nothing touches
// nothing.
EditResult ChangeSection(Race& race, int i, const PanelReading& panel);

// A new section from the panel before section i, which then starts where
// the new one arrives.
EditResult InsertSection(Race& race, int i, const PanelReading& panel);

// Removes section i; the one moving into its place starts where the
// previous one arrives, or, first now, at km 0 departing after its loss.
EditResult DeleteSection(Race& race, int i);

}  // namespace qv
