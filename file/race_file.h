// The race file: a positional text file of code page 932 lines ending in
// CR LF. Line 1 the event name; lines 2 to 6 the settings; line 7 the
// section count n; seven lines per section (start point, loss, departure,
// arrival point, arrival time, lap, pace); every line after them is the
// comment. Integers are written as "%d", distances as "%g".
//
// These functions turn bytes into a race and back without any dialog, so
// the commands, the tests and the fuzzer share them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "race/race.h"

namespace qv {

inline constexpr int kRaceFileMaxSections = 45;
// Larger files are refused rather than read into memory.
inline constexpr std::size_t kRaceFileMaxBytes = 16u * 1024u * 1024u;

// The file holds a race and nothing more. Settings keep any value the file
// brings; the section count is the size of the race's sections.
using RaceFileData = Race;

enum class RaceReadStatus { Ok, TooLarge, BadSectionCount };

struct RaceReadResult {
  RaceReadStatus status = RaceReadStatus::Ok;
  RaceFileData race;  // meaningful only with Ok
};

// All or nothing: a section count outside 0..45 or more than
// kRaceFileMaxBytes refuses the whole file. Anything else loads: missing
// lines read as empty text (numbers 0), bytes that are not code page 932
// read as U+FFFD.
RaceReadResult ReadRaceFile(std::string_view bytes);

// The shape every race file has, whatever its texts: a line (the event
// name), then five settings and the section count, each a whole number on
// a line of its own. Watch records never have it, so a race whose name or
// comment looks like one is still known as a race.
bool LooksLikeRaceFile(std::string_view bytes);

enum class RaceWriteStatus {
  Ok,
  BadEventName,
  BadComment,
  BadSectionCount,
  TooLarge,  // more than kRaceFileMaxBytes, which the reader would refuse
};

struct RaceWriteResult {
  RaceWriteStatus status = RaceWriteStatus::Ok;
  std::string bytes;  // the whole file with Ok, empty otherwise
};

// Refuses an event name or comment that the file cannot give back: a
// character code page 932 cannot store, Ctrl-Z (which ends the file when
// read) and, in the one-line event name, a line feed.
RaceWriteResult WriteRaceFile(const RaceFileData& race);

// The text-mode translations. On write every LF becomes CR LF. On read the
// file ends at the first Ctrl-Z (0x1A) and each CR LF becomes LF; a CR not
// followed by LF stays.
std::string TextModeToDisk(std::string_view text);
std::string TextModeFromDisk(std::string_view bytes);

}  // namespace qv
