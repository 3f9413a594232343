// What must hold for any bytes given to the race file reader: it loads a
// section count of 0 to 45 or refuses the file, and a race it loaded comes
// back from a save and a load as the same race (distances as their "%g"
// text), after which another save and load changes nothing.
//
// Shared by the fuzz target and the test that replays its corpus.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "race/numtext.h"
#include "file/race_file.h"

namespace qv::fuzz {

// The race a save and a load give back for a race that was read.
inline RaceFileData AfterRoundTrip(RaceFileData race) {
  for (RaceFileSection& s : race.sections) {
    s.startKm = ParseDouble(FormatG(s.startKm));
    s.endKm = ParseDouble(FormatG(s.endKm));
  }
  return race;
}

// Empty when the races are equal (the race's own comparison, so no field
// escapes it); otherwise the first part that differs.
inline std::string DifferenceBetween(const RaceFileData& a,
                                     const RaceFileData& b) {
  if (a == b) return {};
  if (a.eventName != b.eventName) return "event name";
  if (a.priority != b.priority || a.condition != b.condition ||
      a.speedUnit != b.speedUnit || a.inputAssist != b.inputAssist ||
      a.graphAxis != b.graphAxis)
    return "settings";
  if (a.sections.size() != b.sections.size()) return "section count";
  for (std::size_t k = 0; k < a.sections.size(); ++k)
    if (!(a.sections[k] == b.sections[k]))
      return std::string("section ").append(FormatInt(static_cast<int>(k)));
  if (a.comment != b.comment) return "comment";
  return "race";
}

inline bool HoldsReplacement(const std::string& text) {
  return text.find("\xEF\xBF\xBD") != std::string::npos;  // U+FFFD
}

// An empty text when every invariant holds, otherwise what broke.
inline std::string CheckRaceFileInvariants(std::string_view bytes) {
  const RaceReadResult first = ReadRaceFile(bytes);
  if (first.status == RaceReadStatus::TooLarge)
    return bytes.size() > kRaceFileMaxBytes ? "" : "small file refused";
  if (first.status == RaceReadStatus::BadSectionCount) return {};
  const RaceFileData& race = first.race;
  if (race.sections.size() > static_cast<std::size_t>(kRaceFileMaxSections))
    return "section count out of range";

  const RaceWriteResult saved = WriteRaceFile(race);
  if (saved.status == RaceWriteStatus::BadEventName)
    return HoldsReplacement(race.eventName) ? "" : "event name refused";
  if (saved.status == RaceWriteStatus::BadComment)
    return HoldsReplacement(race.comment) ? "" : "comment refused";
  // Bare LFs grow by a byte each on the way back: a file near the limit may
  // become one the reader refuses, and save says so instead.
  if (saved.status == RaceWriteStatus::TooLarge) return {};
  if (saved.status != RaceWriteStatus::Ok) return "save refused";

  const RaceReadResult second = ReadRaceFile(saved.bytes);
  if (second.status != RaceReadStatus::Ok) return "saved file refused";
  const std::string diff = DifferenceBetween(AfterRoundTrip(race), second.race);
  if (!diff.empty()) return std::string("round trip changed the ").append(diff);

  const RaceWriteResult again = WriteRaceFile(second.race);
  if (again.status != RaceWriteStatus::Ok) return "second save refused";
  const RaceReadResult third = ReadRaceFile(again.bytes);
  if (third.status != RaceReadStatus::Ok) return "second load refused";
  if (!DifferenceBetween(second.race, third.race).empty() ||
      WriteRaceFile(third.race).bytes != again.bytes)
    return "second round trip not stable";
  return {};
}

}  // namespace qv::fuzz
