// The format readers behind ReadActivity. Each fills the laps, the timed
// points, the name and the device of a record and returns "" or the
// refusal. A new format is one more function here and a line in
// DetectActivityFormat and ReadActivity.
#pragma once

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

std::string ReadFit(std::string_view bytes, ActivityRecord& out,
                    FitStats* stats = nullptr);
std::string ReadTcx(std::string_view bytes, ActivityRecord& out);
std::string ReadGpx(std::string_view bytes, ActivityRecord& out);

inline void AddLap(ActivityRecord& record, const ActivityLap& lap) {
  if (record.laps.size() <= static_cast<std::size_t>(kMaxSections))
    record.laps.push_back(lap);
  ++record.lapCount;
}

// The first timed point stays for the race start; later ones only with a
// distance or a position.
inline bool KeepsPoint(const std::vector<ActivityPoint>& points,
                       const ActivityPoint& point) {
  return points.empty() || point.HasDistance() || point.HasPosition();
}

// The root element's local name ("gpx", "TrainingCenterDatabase"), after an
// optional BOM, XML declaration, comments, processing instructions and
// DOCTYPE; empty when the bytes do not start like XML.
std::string XmlRootName(std::string_view bytes);

// xsd:dateTime ("2024-05-01T09:30:15.5Z", "+09:00", no zone = UTC).
std::optional<std::int64_t> ParseIsoTimeMs(std::string_view text);

// FIT's CRC-16, continued from crc over bytes.
std::uint16_t FitCrc(std::uint16_t crc, std::string_view bytes);

}  // namespace qv::activity
