// The format readers behind ReadActivity. Each fills the laps, the timed
// points, the name and the device of a record and returns the refusal, if
// any. A new format is one more function here and a row in the table of
// formats in activity.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file/activity.h"

namespace qv::activity {

// What decoding a FIT file cost: a step per message, per field definition
// and per field value read, a few per byte of the file at most.
struct FitStats {
  std::uint64_t steps = 0;
};

ActivityError ReadFit(std::string_view bytes, ActivityRecord& out,
                      FitStats* stats = nullptr);
ActivityError ReadTcx(std::string_view bytes, ActivityRecord& out);
ActivityError ReadGpx(std::string_view bytes, ActivityRecord& out);

inline void AddLap(ActivityRecord& record, const ActivityLap& lap) {
  if (record.laps.size() <= static_cast<std::size_t>(kMaxSections))
    record.laps.push_back(lap);
  ++record.lapCount;
}

// The points of a record of one track (FIT, TCX), made on first use.
inline std::vector<ActivityPoint>& OnlyTrack(ActivityRecord& record) {
  if (record.tracks.empty()) record.tracks.emplace_back();
  return record.tracks.front().points;
}

// The first timed point stays for the race start; later ones only with a
// distance or a position.
inline bool KeepsPoint(const std::vector<ActivityPoint>& points,
                       const ActivityPoint& point) {
  return points.empty() || point.HasDistance() || point.HasPosition();
}

// An XML file's bytes as expat is to read them. UTF-16 (with a byte-order
// mark, or without one and starting with "<") and the Japanese encodings a
// declaration names (Shift_JIS read as CP932, Windows-31J, CP932, EUC-JP,
// ISO-2022-JP) come converted to UTF-8; UTF-8, US-ASCII and ISO-8859-1 are
// left to expat. error: an encoding not read, or bytes not of it (with the
// line).
struct XmlText {
  bool converted = false;
  std::string utf8;  // with converted, the whole text
  ActivityError error;  // XmlEncoding or XmlBadChar
};
// limit: only the first bytes, as far as they convert, and no refusal for
// bytes not of the encoding (enough to find the root element).
XmlText XmlAsUtf8(std::string_view bytes, std::size_t limit = SIZE_MAX);

// The root element's local name ("gpx", "TrainingCenterDatabase"), after an
// optional BOM, XML declaration, comments, processing instructions and
// DOCTYPE, in any encoding XmlAsUtf8 reads (other declared ones are looked
// at as ASCII); empty when the bytes do not start like XML.
std::string XmlRootName(std::string_view bytes);

// xsd:dateTime ("2024-05-01T09:30:15.5Z", "+09:00", no zone = UTC).
std::optional<std::int64_t> ParseIsoTimeMs(std::string_view text);

// FIT's CRC-16, continued from crc over bytes.
std::uint16_t FitCrc(std::uint16_t crc, std::string_view bytes);

}  // namespace qv::activity
