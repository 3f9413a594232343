// Why a record is refused or cannot be cut as asked: a kind and its small
// payload. ActivityErrorText (res/activity_messages.h) words it; callers
// decide by the kind.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace qv {

struct ActivityError {
  enum class Kind : std::uint8_t {
    None,
    FileTooLarge,
    NoMemory,
    ReadFailed,
    NotActivity,
    FitBadHeader,
    FitHeaderCrc,
    FitFileCrc,
    FitTruncated,
    FitUndefinedMessage,
    FitTrailingBytes,
    FitNotActivity,
    XmlMalformed,  // number: the line
    XmlEntity,
    XmlWrongRoot,
    XmlEncoding,  // name: the encoding as the file spells it
    XmlBadChar,   // name: the encoding; number: the line
    BadLap,       // number: the lap, from 1
    NoTime,
    NoLaps,
    NoPoints,
    TooFewPoints,
    ZeroDistance,
    ZeroTime,
    TooLong,
    TooManySections,  // count: the sections it would make
    TooManyLaps,      // count: the record's laps
    BadSplit,
    BadOfficial,
    BadTrack,  // a track number that is not one (the report's --track)
    NoTrack,   // number: the track asked, from 1; count: the file's tracks
  };
  ActivityError() = default;
  ActivityError(Kind kind, std::int64_t number = 0, std::int64_t count = 0,
                std::string name = {})
      : kind(kind), number(number), count(count), name(std::move(name)) {}

  Kind kind = Kind::None;
  std::int64_t number = 0;
  std::int64_t count = 0;
  std::string name;

  explicit operator bool() const { return kind != Kind::None; }
  bool operator==(const ActivityError&) const = default;
};

}  // namespace qv
