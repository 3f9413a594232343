// The TCX reader: the first activity's laps, its track points, its notes as
// the name and its creator as the device.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "file/activity_readers.h"
#include "file/xml_driver.h"

namespace qv::activity {

namespace {

enum Tcx : XmlToken {
  kOther,
  kTcd, kActivities, kActivity, kNotes, kCreator, kName, kLap,
  kTotalTimeSeconds, kDistanceMeters, kTrack, kTrackpoint, kTime, kPosition,
  kLatitudeDegrees, kLongitudeDegrees,
};

class TcxHandler final : public XmlHandler {
 public:
  explicit TcxHandler(ActivityRecord& out) : m_out(out) {}

  // The first lap, from 1, whose time or distance is not one; 0: none.
  int BadLap() const { return m_badLap; }

  XmlToken TokenOf(std::string_view n) const override {
    static constexpr std::pair<std::string_view, Tcx> kNames[] = {
        {"Trackpoint", kTrackpoint}, {"Time", kTime},
        {"DistanceMeters", kDistanceMeters},
        {"LatitudeDegrees", kLatitudeDegrees},
        {"LongitudeDegrees", kLongitudeDegrees},
        {"Position", kPosition}, {"Track", kTrack}, {"Lap", kLap},
        {"TotalTimeSeconds", kTotalTimeSeconds},
        {"Activity", kActivity}, {"Activities", kActivities},
        {"Notes", kNotes}, {"Creator", kCreator}, {"Name", kName},
        {"TrainingCenterDatabase", kTcd}};
    for (const auto& [text, tok] : kNames)
      if (n == text) return tok;
    return kOther;
  }
  XmlToken Root() const override { return kTcd; }

  bool Start(const XmlElements& e, const char** attrs) override {
    // Under Activities, or a multisport session's FirstSport: the first.
    if (e.Up(0) == kActivity) ++m_activities;
    if (m_activities != 1) return false;
    switch (e.Up(0)) {
      case kLap:
        if (e.Up(1) == kActivity) {
          m_lap = ActivityLap{};
          if (const char* start = XmlAttr(attrs, "StartTime"))
            m_lap.startMs = ParseIsoTimeMs(start);
          m_inLap = true;
        }
        return false;
      case kTrackpoint:
        m_point = ActivityPoint{};
        m_pointTime.reset();
        m_lat.reset();
        m_lon.reset();
        return false;
      case kNotes: return e.Up(1) == kActivity;
      case kName: return e.Up(1) == kCreator && e.Up(2) == kActivity;
      case kTotalTimeSeconds:
      case kTime:
      case kDistanceMeters:
      case kLatitudeDegrees:
      case kLongitudeDegrees:
        return true;
      default:
        return false;
    }
  }

  void End(const XmlElements& e, std::string_view text) override {
    if (m_activities != 1) return;
    switch (e.Up(0)) {
      case kNotes:
        if (e.Up(1) == kActivity) m_out.name = XmlCut(text);
        break;
      case kName:
        if (e.Up(1) == kCreator && e.Up(2) == kActivity)
          m_out.device = XmlCut(text);
        break;
      case kLap:
        if (e.Up(1) == kActivity && m_inLap) {
          AddLap(m_out, m_lap);
          m_inLap = false;
        }
        break;
      case kTotalTimeSeconds:
        if (e.Up(1) == kLap && m_inLap) {
          std::int64_t ms = 0;
          if (LapValue(text, 1000.0, ms)) m_lap.elapsedMs = ms;
        }
        break;
      case kDistanceMeters:
        if (e.Up(1) == kLap && m_inLap)
          LapValue(text, 100.0, m_lap.distanceCm);
        else if (e.Up(1) == kTrackpoint)
          m_point.distanceM = XmlNumber(text).value_or(
              std::numeric_limits<double>::quiet_NaN());
        break;
      case kTime:
        if (e.Up(1) == kTrackpoint) m_pointTime = ParseIsoTimeMs(text);
        break;
      case kLatitudeDegrees:
        if (e.Up(1) == kPosition) m_lat = XmlNumber(text);
        break;
      case kLongitudeDegrees:
        if (e.Up(1) == kPosition) m_lon = XmlNumber(text);
        break;
      case kTrackpoint:
        if (m_pointTime)
          KeepXmlPoint(OnlyTrack(m_out), m_point, *m_pointTime, m_lat, m_lon);
        break;
      default:
        break;
    }
  }

 private:
  // Seconds or metres to exact integer ms or cm; a negative or absurd
  // value refuses the lap rather than bending the sums.
  bool LapValue(std::string_view text, double scale, std::int64_t& into) {
    const std::optional<double> v = XmlNumber(text);
    if (!v || *v < 0 || *v > 1e12) {
      if (m_badLap == 0)
        m_badLap = static_cast<int>(
            std::min<std::size_t>(m_out.lapCount + 1, 2147483647));
      return false;
    }
    into = std::llround(*v * scale);
    return true;
  }

  ActivityRecord& m_out;
  int m_badLap = 0;
  int m_activities = 0;
  bool m_inLap = false;
  ActivityLap m_lap;
  ActivityPoint m_point;
  std::optional<std::int64_t> m_pointTime;
  std::optional<double> m_lat, m_lon;
};

}  // namespace

ActivityError ReadTcx(std::string_view bytes, ActivityRecord& out) {
  TcxHandler handler(out);
  if (ActivityError error = ReadXml(bytes, handler)) return error;
  if (handler.BadLap() != 0)
    return {ActivityError::Kind::BadLap, handler.BadLap()};
  return {};
}

}  // namespace qv::activity
