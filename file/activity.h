// Activity records from sports watches and route tools (FIT, TCX, GPX)
// turned into a race. Reading gives an intermediate record of laps and
// timed points; the split step makes the sections from it. Both refuse with
// an ActivityError that says what is wrong, and never half-import.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file/activity_error.h"
#include "race/race.h"

namespace qv {

// Larger files are refused by the caller before they are read.
inline constexpr std::size_t kActivityMaxBytes = 256u * 1024u * 1024u;

// The range of "every N km", in km.
inline constexpr double kActivityMinSplitKm = 0.1;
inline constexpr double kActivityMaxSplitKm = 100.0;
// The official distance's range, in km.
inline constexpr double kActivityMinOfficialKm = 0.001;
inline constexpr double kActivityMaxOfficialKm = 100000.0;

enum class ActivityFormat { None, Fit, Tcx, Gpx };

// By content only. A race file's shape comes first (None); then a FIT
// header that checks out, or XML whose root is TCX's or GPX's; last, ".FIT"
// at byte 8 alone, so that a damaged FIT file is read and refused as one.
// None means the bytes are not an activity record.
ActivityFormat DetectActivityFormat(std::string_view bytes);

// A name ending in .fit, .tcx or .gpx, in any case.
bool HasActivityExtension(std::string_view path);

// An XML declaration first (after a UTF-8 byte-order mark and blanks): no
// race file starts with one, so such bytes that are no record are XML of
// another kind.
bool StartsAsXml(std::string_view bytes);

// Times are milliseconds since 1970-01-01 00:00:00 UTC. The split step
// takes a lap's time from its stamps where the watch gave no elapsed time,
// and adds the watch's own gap between one lap's end and the next's start.
struct ActivityLap {
  std::optional<std::int64_t> startMs;
  std::optional<std::int64_t> endMs;      // FIT only: the lap's time stamp
  std::optional<std::int64_t> elapsedMs;  // none: missing or invalid
  std::int64_t distanceCm = 0;
};

// 32 bytes: a day's points at 1 Hz take under 3 MB.
struct ActivityPoint {
  std::int64_t timeMs = 0;
  // The file's own cumulative distance; NaN where it has none.
  double distanceM = std::numeric_limits<double>::quiet_NaN();
  // Degrees as the file has them (a GPX's seven or more decimals are
  // finer than FIT's semicircles); NaN where there is no position.
  double latDeg = std::numeric_limits<double>::quiet_NaN();
  double lonDeg = std::numeric_limits<double>::quiet_NaN();

  bool HasDistance() const { return !std::isnan(distanceM); }
  bool HasPosition() const {
    return !std::isnan(latDeg) && !std::isnan(lonDeg);
  }
};
static_assert(sizeof(ActivityPoint) == 32);

struct ActivityTrack {
  std::string name;  // may be empty
  // Timed points in file order; after the first, only those with a
  // distance or a position (the others cannot place a split).
  std::vector<ActivityPoint> points;
};

struct ActivityRecord {
  std::string fileName;   // without its folder
  std::string name;       // the file's own name for it, may be empty
  std::string device;     // may be empty
  // The first kMaxSections + 1 laps: more cannot become sections, and a
  // file of millions of tiny lap messages must not fill the memory.
  std::vector<ActivityLap> laps;
  std::size_t lapCount = 0;  // all of them
  // Every track in file order: a GPX's <trk> elements, FIT's and TCX's one
  // unnamed track.
  std::vector<ActivityTrack> tracks;
  // The first track with timed points (0 when none has any).
  std::size_t defaultTrack = 0;
};

struct ActivityReadResult {
  std::optional<ActivityRecord> record;  // empty on refusal
  ActivityError error;                   // the refusal
};

// bytes: the whole file; path: its name, for the event name fallback and
// the comment (any folder is dropped).
ActivityReadResult ReadActivity(std::string_view bytes, std::string_view path);

inline std::size_t ActivityLapCount(const ActivityRecord& record) {
  return record.lapCount;
}

// The points of the record's default track; none when it has no track.
inline const std::vector<ActivityPoint>& DefaultTrackPoints(
    const ActivityRecord& record) {
  static const std::vector<ActivityPoint> kNone;
  return record.defaultTrack < record.tracks.size()
             ? record.tracks[record.defaultTrack].points
             : kNone;
}

// How a record's split starts, the same in the window's dialog and in
// quorvane-report.
struct SplitOffer {
  bool lapsOffered = false;  // a lap at least: whatever the report can cut,
                             // the window can
  bool lapsFirst = false;    // 2 to 45 laps, or a lone lap and no points to
                             // cut by distance; otherwise every 1 km
  bool tooManyLaps = false;  // more laps than a race has sections
};
SplitOffer OfferSplit(const ActivityRecord& record);

struct ActivitySplit {
  enum class Kind { Laps, EveryKm };
  Kind kind = Kind::Laps;
  double everyKm = 1.0;               // with EveryKm, kActivityMinSplitKm..Max
  std::optional<double> officialKm;   // scale every distance to land on it
  // The track to cut, from 0; nullopt: the record's defaultTrack.
  std::optional<std::size_t> track;
};

// A track as every N km would cut it: the distance of its kept points and
// the time from the race's start to the last of them; zeros when it cannot
// be cut. The split dialog shows it and counts the sections with it.
struct TrackMeasure {
  std::int64_t distanceM = 0;
  std::int64_t elapsedMs = 0;
};
TrackMeasure MeasureTrack(const ActivityRecord& record, std::size_t track);
// The sections split makes of the record: its laps, or every N km over
// the official distance or the track's measured one (0 when none).
std::int64_t SplitSections(const ActivityRecord& record,
                           const TrackMeasure& measure,
                           const ActivitySplit& split);
// What the split dialog says the record is: its start, device, the
// track's distance and elapsed time, the laps; a line each.
std::vector<std::string> RecordSummary(const ActivityRecord& record,
                                       const TrackMeasure& measure);
// The shortest split, in tenths of a km, that makes at most 45 sections of
// a distance.
double ShortestSplitKm(std::int64_t distanceM);

// The split as the user types it: every N km (ignored by laps) and the
// official distance (blank: none). Nullopt and the refusal in error
// (BadSplit, BadOfficial) when a number is not one or out of range.
std::optional<ActivitySplit> ParseActivitySplit(bool byLaps,
                                                std::string_view everyKm,
                                                std::string_view officialKm,
                                                ActivityError& error);

struct ActivityRaceResult {
  std::optional<Race> race;
  ActivityError error;
};

// Sections of the entered table by arrival; the race's priority is arrival.
ActivityRaceResult ActivityToRace(const ActivityRecord& record,
                                  const ActivitySplit& split);

}  // namespace qv
