// Recognising an activity record, reading it and making a race of it.
#include "file/activity.h"

#include <time.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "race/numtext.h"
#include "file/cp932.h"
#include "file/activity_readers.h"
#include "file/race_file.h"
#include "race/cell_format.h"
#include "race/race_math.h"
#include "res/strings.h"

namespace qv {

namespace {

constexpr double kEarthRadiusM = 6371008.8;
constexpr double kPi = 3.14159265358979323846;

double HaversineM(double lat1, double lon1, double lat2, double lon2) {
  const double rad = kPi / 180.0;
  const double dLat = (lat2 - lat1) * rad;
  const double dLon = (lon2 - lon1) * rad;
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1 * rad) * std::cos(lat2 * rad) *
                       std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * kEarthRadiusM * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

// Hundredths of a second from milliseconds, half up.
int HundredthsFromMs(double ms) {
  return Trunc(std::floor(ms / 10.0 + 0.5));
}

std::string KmText(std::int64_t metres) {
  std::string frac = FormatInt(static_cast<int>(metres % 1000));
  frac.insert(0, 3 - frac.size(), '0');
  return FormatInt(Saturate(metres / 1000)) + "." + frac;
}

std::string LocalTimeText(std::int64_t ms) {
  const time_t t = static_cast<time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
  struct tm local {};
  if (localtime_r(&t, &local) == nullptr) return "";
  return FormatInt(local.tm_year + 1900) + "/" + Format02d(local.tm_mon + 1) +
         "/" + Format02d(local.tm_mday) + " " + Format02d(local.tm_hour) +
         ":" + Format02d(local.tm_min) + ":" + Format02d(local.tm_sec);
}

// Text a race file can hold: a character code page 932 cannot store (an
// emoji in a watch's activity name, a stray byte) becomes '?', so that an
// imported race can always be saved. Each character is tried once.
std::string Storable(std::string text) {
  if (Utf8ToCp932(text)) return text;
  std::map<std::string, bool, std::less<>> storable;
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const std::string ch = text.substr(i, n);
    auto it = storable.find(ch);
    if (it == storable.end())
      it = storable.emplace(ch, Utf8ToCp932(ch).has_value()).first;
    out += it->second ? ch : "?";
    i += n;
  }
  return out;
}

// One line of valid UTF-8: a name from a file or a path may hold line
// breaks or stray bytes, and the event name is one line of the race file.
std::string OneLine(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
      ++i;
      continue;
    }
    const std::size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                          : c >= 0xE0 && c <= 0xEF ? 3
                          : c >= 0xF0 && c <= 0xF4 ? 4
                                                   : 0;
    bool ok = n != 0 && i + n <= s.size();
    for (std::size_t k = 1; ok && k < n; ++k)
      ok = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    if (ok && n > 2) {  // no overlong forms, surrogates or beyond U+10FFFF
      const unsigned char d = static_cast<unsigned char>(s[i + 1]);
      ok = !((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) ||
             (c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90));
    }
    if (ok) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    }
  }
  return Storable(std::move(out));
}

std::string Stem(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string::npos || dot == 0 ? fileName
                                              : fileName.substr(0, dot);
}

std::string CountText(std::size_t n) {
  return FormatInt(static_cast<int>(std::min<std::size_t>(n, 2147483647)));
}

// A track's number as the user counts them, from 1.
std::string TrackNumber(std::size_t index) {
  return CountText(std::min<std::size_t>(index, 2147483646) + 1);
}

using Kind = ActivityError::Kind;

// A count as an error's payload.
std::int64_t Payload(std::size_t n) {
  return static_cast<std::int64_t>(
      std::min<std::size_t>(n, static_cast<std::size_t>(INT64_MAX)));
}

struct Split {
  std::int64_t endM;
  int arrival;
};

// The longest race a race file holds: INT_MAX hundredths, rounded half up.
constexpr std::int64_t kMaxRaceMs = std::int64_t{INT_MAX} * 10 + 4;

// A lap's time in ms: the watch's elapsed time, else the span of its stamps;
// none when it has neither.
std::optional<std::int64_t> LapMs(const ActivityLap& lap) {
  if (lap.elapsedMs && *lap.elapsedMs >= 0) return lap.elapsedMs;
  if (lap.startMs && lap.endMs && *lap.endMs >= *lap.startMs)
    return *lap.endMs - *lap.startMs;
  return std::nullopt;
}

// The watch's own clock between the previous lap's end stamp and this lap's
// start (whole seconds: some watches leave one, some overlap by one), but
// never so far back that this lap would end before the previous one.
std::int64_t GapMs(const ActivityLap& previous, const ActivityLap& lap,
                   std::int64_t lapMs) {
  if (!previous.endMs || !lap.startMs) return 0;
  return std::max(*lap.startMs - *previous.endMs, -lapMs);
}

// Arrivals follow the watch's clock: each lap's time and the gap before it,
// summed exactly in ms and rounded once per arrival; distances are exact
// sums of cm. At most 46 laps of at most 10^16 units each (the readers'
// bounds), and the time is refused as soon as it passes a race's: the sums
// cannot overflow.
ActivityError ByLaps(const ActivityRecord& record,
                     std::optional<std::int64_t> officialM,
                     std::vector<Split>& out, std::int64_t& measuredM) {
  const std::vector<ActivityLap>& laps = record.laps;
  if (laps.empty()) return {Kind::NoLaps};
  if (record.lapCount > static_cast<std::size_t>(kMaxSections))
    return {Kind::TooManyLaps, 0, Payload(record.lapCount)};
  std::int64_t cumMs = 0, totalCm = 0;
  for (std::size_t k = 0; k < laps.size(); ++k) {
    const std::optional<std::int64_t> ms = LapMs(laps[k]);
    if (!ms) return {Kind::BadLap, Payload(k + 1)};
    if (k > 0) cumMs += GapMs(laps[k - 1], laps[k], *ms);
    cumMs += *ms;
    if (cumMs > kMaxRaceMs) return {Kind::TooLong};
    totalCm += laps[k].distanceCm;
    out.push_back({0, static_cast<int>((cumMs + 5) / 10)});
  }
  measuredM = (totalCm + 50) / 100;
  if (totalCm == 0) return {Kind::ZeroDistance};
  if (out.back().arrival == 0) return {Kind::ZeroTime};
  std::int64_t cumCm = 0;
  for (std::size_t k = 0; k < laps.size(); ++k) {
    cumCm += laps[k].distanceCm;
    std::int64_t endM = (cumCm + 50) / 100;
    if (officialM) {
      endM = k + 1 == laps.size()
                 ? *officialM
                 : std::llround(static_cast<double>(cumCm) /
                                static_cast<double>(totalCm) *
                                static_cast<double>(*officialM));
    }
    out[k].endM = endM;
  }
  return {};
}

// The longest run, in file order, whose keys never go back: the indexes
// into idx kept. O(n log n), so a day at 1 Hz costs nothing to speak of.
template <class Key>
std::vector<std::uint32_t> LongestRun(const std::vector<std::uint32_t>& idx,
                                      Key key) {
  std::vector<std::uint32_t> tails;  // per length, the run's last position
  std::vector<std::uint32_t> before(idx.size());
  constexpr std::uint32_t kNone = UINT32_MAX;
  for (std::uint32_t i = 0; i < idx.size(); ++i) {
    const auto k = key(idx[i]);
    const auto at = std::upper_bound(
        tails.begin(), tails.end(), k,
        [&](const auto& v, std::uint32_t t) { return v < key(idx[t]); });
    before[i] = at == tails.begin() ? kNone : *(at - 1);
    if (at == tails.end()) tails.push_back(i);
    else *at = i;
  }
  std::vector<std::uint32_t> kept(tails.size());
  std::uint32_t i = tails.empty() ? kNone : tails.back();
  for (std::size_t n = kept.size(); n-- > 0; i = before[i]) kept[n] = idx[i];
  return kept;
}

// Faster than this between two kept points, a point is a stray fix.
constexpr double kMaxSpeedMs = 100.0;

// The points a split can use, as indexes into points: from the race start
// on, the longest run in which time and then distance never go back, so
// that one stray point is dropped rather than everything after it; and of
// those, none reached from the last one kept faster than 100 m/s.
std::vector<std::uint32_t> KeptPoints(const std::vector<ActivityPoint>& points,
                                      std::int64_t startMs,
                                      bool fileDistance) {
  std::vector<std::uint32_t> idx;
  for (std::uint32_t i = 0; i < points.size(); ++i) {
    const ActivityPoint& p = points[i];
    // Beyond a million km a distance is not one, and the sums of metres
    // stay far from the integer range.
    const bool usable = fileDistance
                            ? p.distanceM >= 0 && p.distanceM <= 1e9
                            : p.HasPosition();
    if (usable && p.timeMs >= startMs) idx.push_back(i);
  }
  idx = LongestRun(idx, [&](std::uint32_t i) { return points[i].timeMs; });
  if (fileDistance)
    idx = LongestRun(idx, [&](std::uint32_t i) { return points[i].distanceM; });
  std::vector<std::uint32_t> kept;
  for (const std::uint32_t i : idx) {
    if (!kept.empty()) {
      const ActivityPoint& last = points[kept.back()];
      const ActivityPoint& p = points[i];
      const double metres =
          fileDistance ? p.distanceM - last.distanceM
                       : HaversineM(last.latDeg, last.lonDeg, p.latDeg, p.lonDeg);
      const double seconds = static_cast<double>(p.timeMs - last.timeMs) / 1000.0;
      if (metres > kMaxSpeedMs * seconds) continue;
    }
    kept.push_back(i);
  }
  return kept;
}

// Calls f(time from the race start in ms, distance from the first kept
// point in m) for each kept point. Two passes call it rather than keeping
// a copy of a day's points.
template <class F>
void ForEachKept(const std::vector<ActivityPoint>& points,
                 const std::vector<std::uint32_t>& kept, std::int64_t startMs,
                 bool fileDistance, F&& f) {
  double m = 0.0;
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const ActivityPoint& p = points[kept[k]];
    const ActivityPoint& first = points[kept.front()];
    if (fileDistance) {
      m = p.distanceM - first.distanceM;
    } else if (k > 0) {
      const ActivityPoint& previous = points[kept[k - 1]];
      m += HaversineM(previous.latDeg, previous.lonDeg, p.latDeg, p.lonDeg);
    }
    f(p.timeMs - startMs, m);
  }
}

bool HasFileDistance(const std::vector<ActivityPoint>& points) {
  return std::any_of(points.begin(), points.end(),
                     [](const ActivityPoint& p) { return p.HasDistance(); });
}

// The distance of the kept points (the last one's) and the time to it.
void Measure(const std::vector<ActivityPoint>& points,
             const std::vector<std::uint32_t>& kept, std::int64_t startMs,
             bool fileDistance, double& measured, std::int64_t& lastMs) {
  ForEachKept(points, kept, startMs, fileDistance,
              [&](std::int64_t ms, double d) { measured = d, lastMs = ms; });
}

// The race starts with the first lap, or else with the track's first point.
std::optional<std::int64_t> StartMs(const ActivityRecord& record,
                                    const std::vector<ActivityPoint>& points) {
  std::optional<std::int64_t> startMs;
  if (!record.laps.empty()) startMs = record.laps.front().startMs;
  if (!startMs && !points.empty()) startMs = points.front().timeMs;
  return startMs;
}

ActivityError EveryKm(const std::vector<ActivityPoint>& points,
                      std::int64_t startMs, std::int64_t everyM,
                      std::optional<std::int64_t> officialM,
                      std::vector<Split>& out, std::int64_t& measuredM) {
  if (points.empty()) return {Kind::NoPoints};
  const bool fileDistance = HasFileDistance(points);
  const std::vector<std::uint32_t> kept =
      KeptPoints(points, startMs, fileDistance);
  if (kept.size() < 2) return {Kind::TooFewPoints};
  const auto forEach = [&](auto&& f) {
    ForEachKept(points, kept, startMs, fileDistance, f);
  };
  double measured = 0.0;  // the largest distance: the last point's
  std::int64_t lastMs = 0;
  Measure(points, kept, startMs, fileDistance, measured, lastMs);
  if (lastMs > kMaxRaceMs) return {Kind::TooLong};
  measuredM = std::llround(measured);
  if (measuredM <= 0) return {Kind::ZeroDistance};
  const std::int64_t totalM = officialM ? *officialM : measuredM;
  const std::int64_t count = (totalM + everyM - 1) / everyM;
  if (count > kMaxSections) return {Kind::TooManySections, 0, count};
  const double factor =
      officialM ? static_cast<double>(*officialM) / measured : 1.0;
  const double total = officialM ? static_cast<double>(*officialM) : measured;

  // Split k (1 .. count-1) lies at k * everyM, short of the total; the
  // finish is the first point at the total.
  std::int64_t k = 1;
  bool first = true, finished = false;
  double prevMs = 0.0, prevM = 0.0;
  forEach([&](std::int64_t ms, double d) {
    if (finished) return;
    if (officialM) d = d == measured ? total : d * factor;
    const double t = static_cast<double>(ms);
    for (; k < count && d >= static_cast<double>(k * everyM); ++k) {
      const double at = static_cast<double>(k * everyM);
      const double when =
          first ? t : prevMs + (t - prevMs) * (at - prevM) / (d - prevM);
      out.push_back({k * everyM, HundredthsFromMs(when)});
    }
    if (d >= total) {
      out.push_back({totalM, HundredthsFromMs(t)});
      finished = true;
    }
    first = false;
    prevMs = t;
    prevM = d;
  });
  return {};
}

// What makes a FIT file one: a header of 12 or 14 bytes, a data size that
// fits the file, and a header CRC that is 0 or right.
bool FitHeaderChecksOut(std::string_view bytes) {
  const auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  const std::size_t header = byte(0);
  if ((header != 12 && header != 14) || bytes.size() < header) return false;
  const std::uint64_t dataSize =
      byte(4) | byte(5) << 8 | byte(6) << 16 | std::uint64_t{byte(7)} << 24;
  if (header + dataSize + 2 > bytes.size()) return false;
  if (header == 14) {
    const std::uint16_t crc = static_cast<std::uint16_t>(byte(12) | byte(13) << 8);
    if (crc != 0 && crc != activity::FitCrc(0, bytes.substr(0, 12))) return false;
  }
  return true;
}

// What the content tests look at, each worked out once and only when asked.
class Probe {
 public:
  explicit Probe(std::string_view bytes) : m_bytes(bytes) {}

  std::string_view Bytes() const { return m_bytes; }
  // ".FIT" at byte 8.
  bool FitMark() const {
    return m_bytes.size() >= 12 && m_bytes.substr(8, 4) == ".FIT";
  }
  // The XML root's local name, after decoding; empty when not XML.
  const std::string& Root() {
    if (!m_root) m_root = activity::XmlRootName(m_bytes);
    return *m_root;
  }

 private:
  std::string_view m_bytes;
  std::optional<std::string> m_root;
};

ActivityError ReadFitFile(std::string_view bytes, ActivityRecord& out) {
  return activity::ReadFit(bytes, out);
}

struct RecordFormat {
  ActivityFormat format;
  std::string_view extension;  // lower case, without the dot
  bool (*recognises)(Probe& probe);
  ActivityError (*read)(std::string_view bytes, ActivityRecord& out);
};

// By content, the first row that recognises the bytes. A race file's shape
// comes before all of them (its name may read ".FIT" at byte 8 or "<gpx").
constexpr RecordFormat kFormats[] = {
    {ActivityFormat::Fit, "fit",
     [](Probe& p) { return p.FitMark() && FitHeaderChecksOut(p.Bytes()); },
     ReadFitFile},
    {ActivityFormat::Tcx, "tcx",
     [](Probe& p) { return p.Root() == "TrainingCenterDatabase"; },
     activity::ReadTcx},
    {ActivityFormat::Gpx, "gpx", [](Probe& p) { return p.Root() == "gpx"; },
     activity::ReadGpx},
    // Damaged, but meant as FIT: its reader says what is wrong with it.
    {ActivityFormat::Fit, "fit", [](Probe& p) { return p.FitMark(); },
     ReadFitFile},
};

const RecordFormat* FormatOf(std::string_view bytes) {
  if (LooksLikeRaceFile(bytes)) return nullptr;
  Probe probe(bytes);
  for (const RecordFormat& f : kFormats)
    if (f.recognises(probe)) return &f;
  return nullptr;
}

}  // namespace

ActivityFormat DetectActivityFormat(std::string_view bytes) {
  const RecordFormat* f = FormatOf(bytes);
  return f != nullptr ? f->format : ActivityFormat::None;
}

bool StartsAsXml(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  while (!bytes.empty() && (bytes[0] == ' ' || bytes[0] == '\t' ||
                            bytes[0] == '\r' || bytes[0] == '\n'))
    bytes.remove_prefix(1);
  return bytes.substr(0, 5) == "<?xml";
}

TrackMeasure MeasureTrack(const ActivityRecord& record, std::size_t track) {
  TrackMeasure measure;
  if (track >= record.tracks.size()) return measure;
  const std::vector<ActivityPoint>& points = record.tracks[track].points;
  const std::int64_t startMs = StartMs(record, points).value_or(0);
  const bool fileDistance = HasFileDistance(points);
  const std::vector<std::uint32_t> kept =
      KeptPoints(points, startMs, fileDistance);
  if (kept.size() < 2) return measure;
  double measured = 0.0;
  Measure(points, kept, startMs, fileDistance, measured, measure.elapsedMs);
  measure.distanceM = std::llround(measured);
  return measure;
}

std::int64_t SplitSections(const ActivityRecord& record,
                           const TrackMeasure& measure,
                           const ActivitySplit& split) {
  if (split.kind == ActivitySplit::Kind::Laps)
    return static_cast<std::int64_t>(
        std::min<std::size_t>(record.lapCount, INT64_MAX));
  const std::int64_t everyM = std::llround(split.everyKm * 1000.0);
  const std::int64_t totalM = split.officialKm
                                  ? std::llround(*split.officialKm * 1000.0)
                                  : measure.distanceM;
  if (everyM <= 0 || totalM <= 0) return 0;
  return (totalM + everyM - 1) / everyM;
}

std::vector<std::string> RecordSummary(const ActivityRecord& record,
                                       const TrackMeasure& measure) {
  std::vector<std::string> lines;
  const std::optional<std::int64_t> startMs =
      StartMs(record, DefaultTrackPoints(record));
  if (startMs)
    lines.push_back(Fill(kImportCommentStart, {LocalTimeText(*startMs)}));
  if (!record.device.empty())
    lines.push_back(Fill(kImportCommentDevice, {OneLine(record.device)}));
  if (measure.distanceM > 0) {
    lines.push_back(Fill(kSplitDistance, {KmText(measure.distanceM)}));
    const int elapsed =
        HundredthsFromMs(static_cast<double>(measure.elapsedMs));
    lines.push_back(
        Fill(kSplitElapsed, {HoursText(elapsed, UserLanguage())}));
  }
  lines.push_back(Fill(kSplitLaps, {FormatInt(static_cast<int>(
                                       std::min<std::size_t>(
                                           record.lapCount, 2147483647)))}));
  return lines;
}

double ShortestSplitKm(std::int64_t distanceM) {
  const std::int64_t perSection = (distanceM + kMaxSections - 1) / kMaxSections;
  return static_cast<double>(std::max<std::int64_t>(1, (perSection + 99) / 100)) /
         10.0;
}

SplitOffer OfferSplit(const ActivityRecord& record) {
  const std::size_t laps = ActivityLapCount(record);
  SplitOffer offer;
  offer.lapsOffered = laps >= 1;
  offer.tooManyLaps = laps > static_cast<std::size_t>(kMaxSections);
  offer.lapsFirst = !offer.tooManyLaps &&
                    (laps >= 2 || (laps == 1 && DefaultTrackPoints(record).empty()));
  return offer;
}

bool HasActivityExtension(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string ext;
  for (char c : path.substr(dot + 1))
    ext += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return std::any_of(std::begin(kFormats), std::end(kFormats),
                     [&](const RecordFormat& f) { return f.extension == ext; });
}

std::optional<ActivitySplit> ParseActivitySplit(bool byLaps,
                                                std::string_view everyKm,
                                                std::string_view officialKm,
                                                ActivityError& error) {
  ActivitySplit split;
  split.kind = byLaps ? ActivitySplit::Kind::Laps : ActivitySplit::Kind::EveryKm;
  if (!byLaps) {
    const std::optional<double> km = ParseDecimal(everyKm);
    if (!km || !(*km >= kActivityMinSplitKm && *km <= kActivityMaxSplitKm)) {
      error = {Kind::BadSplit};
      return std::nullopt;
    }
    split.everyKm = *km;
  }
  if (officialKm.find_first_not_of(" \t\r\n") != std::string_view::npos) {
    const std::optional<double> km = ParseDecimal(officialKm);
    if (!km || !(*km >= kActivityMinOfficialKm && *km <= kActivityMaxOfficialKm)) {
      error = {Kind::BadOfficial};
      return std::nullopt;
    }
    split.officialKm = *km;
  }
  return split;
}

ActivityReadResult ReadActivity(std::string_view bytes,
                                std::string_view path) {
  ActivityReadResult result;
  if (bytes.size() > kActivityMaxBytes) {
    result.error = {Kind::FileTooLarge};
    return result;
  }
  ActivityRecord record;
  const std::size_t slash = path.rfind('/');
  record.fileName =
      std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
  ActivityError error;
  try {
    const RecordFormat* format = FormatOf(bytes);
    error = format != nullptr ? format->read(bytes, record)
                              : ActivityError{Kind::NotActivity};
  } catch (const std::bad_alloc&) {
    record = ActivityRecord{};
    error = {Kind::NoMemory};
  }
  if (!error && record.laps.empty() &&
      std::all_of(record.tracks.begin(), record.tracks.end(),
                  [](const ActivityTrack& t) { return t.points.empty(); }))
    error = {Kind::NoTime};
  if (error) {
    result.error = std::move(error);
    return result;
  }
  result.record = std::move(record);
  return result;
}

ActivityRaceResult ActivityToRace(const ActivityRecord& record,
                                  const ActivitySplit& split) {
  ActivityRaceResult result;
  std::optional<std::int64_t> officialM;
  if (split.officialKm) {
    const double km = *split.officialKm;
    if (!(km >= kActivityMinOfficialKm && km <= kActivityMaxOfficialKm)) {
      result.error = {Kind::BadOfficial};
      return result;
    }
    officialM = std::llround(km * 1000.0);
  }
  const std::size_t track = split.track.value_or(record.defaultTrack);
  if (split.track && track >= record.tracks.size()) {
    result.error = {Kind::NoTrack,
                    Payload(std::min<std::size_t>(track, INT64_MAX - 1) + 1),
                    Payload(record.tracks.size())};
    return result;
  }
  // A record of no track at all has no points to cut.
  static const std::vector<ActivityPoint> kNoPoints;
  const std::vector<ActivityPoint>& points =
      track < record.tracks.size() ? record.tracks[track].points : kNoPoints;
  const std::optional<std::int64_t> startMs = StartMs(record, points);

  std::vector<Split> splits;
  std::int64_t measuredM = 0;
  ActivityError error;
  if (split.kind == ActivitySplit::Kind::Laps) {
    error = ByLaps(record, officialM, splits, measuredM);
  } else {
    const double n = split.everyKm;
    if (!(n >= kActivityMinSplitKm && n <= kActivityMaxSplitKm)) {
      result.error = {Kind::BadSplit};
      return result;
    }
    error = EveryKm(points, startMs.value_or(0),
                    std::llround(n * 1000.0), officialM, splits, measuredM);
  }
  if (error) {
    result.error = std::move(error);
    return result;
  }

  Race race;
  race.eventName =
      OneLine(record.name.empty() ? Stem(record.fileName) : record.name);
  race.priority = Priority::Arrival;
  double startKm = 0.0;
  int departure = 0;
  for (const Split& s : splits) {
    RaceFileSection section;
    section.startKm = startKm;
    section.endKm = static_cast<double>(s.endM) / 1000.0;
    section.departure = departure;
    section.arrival = s.arrival;
    section.lap = SatSub(s.arrival, departure);
    // As the calculation by arrival has it, so a later switch of the
    // priority gives the same race.
    const double length = section.endKm - section.startKm;
    section.pace = length == 0.0 ? 0 : Trunc(section.lap / length);
    race.sections.push_back(section);
    startKm = section.endKm;
    departure = s.arrival;
  }

  // The comment is the race's, written in the language of what the
  // program produces.
  const Language lang = OutputLanguage();
  std::vector<std::string> lines;
  if (startMs)
    lines.push_back(
        Fill(kImportCommentStart.In(lang), {LocalTimeText(*startMs)}));
  lines.push_back(Fill(kImportCommentFile.In(lang), {OneLine(record.fileName)}));
  if (record.tracks.size() > 1 && track < record.tracks.size()) {
    const std::string& name = record.tracks[track].name;
    lines.push_back(Fill(kImportCommentTrack.In(lang),
                         {TrackNumber(track) + "/" +
                          CountText(record.tracks.size()) +
                          (name.empty() ? "" : " " + OneLine(name))}));
  }
  if (!record.device.empty())
    lines.push_back(
        Fill(kImportCommentDevice.In(lang), {OneLine(record.device)}));
  if (officialM)
    lines.push_back(Fill(kImportCommentMeasured.In(lang), {KmText(measuredM)}));
  // Every line ends, the last too, as a race file's comment reads back:
  // saved and loaded, the race is the same.
  std::string comment;
  for (const std::string& line : lines) comment += line + "\r\n";
  race.comment = std::move(comment);
  result.race = std::move(race);
  return result;
}

}  // namespace qv
