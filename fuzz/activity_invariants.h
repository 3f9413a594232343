// What must hold for any bytes given to the activity import: the reader
// gives a record or a refusal with a message, never both; and a record
// split by laps or by distance gives a race of 1 to 45 chained sections
// (or a refusal), ending on the official distance when one is given.
//
// Shared by the fuzz target and the test that replays its corpus.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "race/numtext.h"
#include "file/activity.h"
#include "file/activity_readers.h"
#include "race/race_math.h"
#include "res/activity_messages.h"

namespace qv::fuzz {

inline std::string CheckSections(const Race& race,
                                 const std::optional<double>& officialKm) {
  if (race.sections.empty() ||
      race.sections.size() > static_cast<std::size_t>(kMaxSections))
    return "section count";
  double km = 0.0;
  int arrival = 0;
  for (std::size_t i = 0; i < race.sections.size(); ++i) {
    const RaceFileSection& s = race.sections[i];
    const std::string at = " in section " + FormatInt(static_cast<int>(i));
    if (!std::isfinite(s.endKm) || s.startKm != km || s.endKm < s.startKm)
      return "points" + at;
    if (s.departure != arrival || s.arrival < s.departure || s.loss != 0 ||
        s.lap != s.arrival - s.departure)
      return "times" + at;
    if (s.pace != Trunc(s.lap / (s.endKm - s.startKm))) return "pace" + at;
    km = s.endKm;
    arrival = s.arrival;
  }
  if (officialKm &&
      std::llround(km * 1000) != std::llround(*officialKm * 1000))
    return "finish off the official distance";
  return {};
}

// A FIT file's CRCs made to match, so that the fuzzer's mutations reach the
// messages instead of stopping at the checks: the header CRC, and the file
// CRC after the data size the header gives (the bytes are cut or padded to
// it). Empty when the bytes do not start like a FIT file.
inline std::string WithFitCrcsFixed(std::string_view bytes) {
  if (bytes.size() < 14 || bytes.substr(8, 4) != ".FIT") return {};
  std::string fixed(bytes);
  const auto byte = [&](std::size_t i) {
    return static_cast<std::size_t>(static_cast<unsigned char>(fixed[i]));
  };
  const std::size_t headerSize = byte(0) < 14 ? 12 : 14;
  if (headerSize == 14) {
    const std::uint16_t crc = activity::FitCrc(0, fixed.substr(0, 12));
    fixed[12] = static_cast<char>(crc & 0xFF);
    fixed[13] = static_cast<char>(crc >> 8);
  }
  const std::size_t dataSize =
      std::min<std::size_t>(byte(4) | byte(5) << 8 | byte(6) << 16 |
                                byte(7) << 24,
                            1u << 16);
  fixed.resize(std::max<std::size_t>(byte(0), headerSize) + dataSize, '\0');
  const std::uint16_t crc = activity::FitCrc(0, fixed);
  fixed += static_cast<char>(crc & 0xFF);
  fixed += static_cast<char>(crc >> 8);
  return fixed;
}

inline std::string CheckOneInput(std::string_view bytes) {
  const ActivityReadResult read = ReadActivity(bytes, "fuzz.fit");
  if (read.record.has_value() == static_cast<bool>(read.error))
    return "record and refusal disagree";
  if (!read.record)
    return ActivityErrorText(read.error).empty() ? "a refusal without words"
                                                 : "";
  const ActivitySplit splits[] = {
      {ActivitySplit::Kind::Laps, 1.0, std::nullopt, std::nullopt},
      {ActivitySplit::Kind::Laps, 1.0, 42.195, std::nullopt},
      {ActivitySplit::Kind::EveryKm, 0.1, std::nullopt, std::nullopt},
      {ActivitySplit::Kind::EveryKm, 1.0, 5.0, std::nullopt},
      {ActivitySplit::Kind::EveryKm, 1.0, std::nullopt, 1},  // a second track
  };
  for (const ActivitySplit& split : splits) {
    const ActivityRaceResult r = ActivityToRace(*read.record, split);
    if (r.race.has_value() == static_cast<bool>(r.error))
      return "race and refusal disagree";
    if (r.error && ActivityErrorText(r.error).empty())
      return "a refusal without words";
    if (!r.race) continue;
    if (std::string broken = CheckSections(*r.race, split.officialKm);
        !broken.empty())
      return broken;
  }
  return {};
}

// An empty text when every invariant holds, otherwise what broke.
inline std::string CheckActivityInvariants(std::string_view bytes) {
  if (std::string broken = CheckOneInput(bytes); !broken.empty())
    return broken;
  const std::string fixed = WithFitCrcsFixed(bytes);
  if (fixed.empty()) return {};
  if (std::string broken = CheckOneInput(fixed); !broken.empty())
    return "with the CRCs fixed: " + broken;
  return {};
}

}  // namespace qv::fuzz
