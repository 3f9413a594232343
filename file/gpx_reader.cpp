// The GPX reader: every track's timed points, and the file's name (the
// metadata's, else the first track's).
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "file/activity_readers.h"
#include "file/xml_driver.h"

namespace qv::activity {

namespace {

enum Gpx : XmlToken {
  kOther, kGpx, kMetadata, kTrk, kTrkseg, kTrkpt, kName, kTime,
};

class GpxHandler final : public XmlHandler {
 public:
  explicit GpxHandler(ActivityRecord& out) : m_out(out) {}

  XmlToken TokenOf(std::string_view n) const override {
    if (n == "gpx") return kGpx;
    if (n == "metadata") return kMetadata;
    if (n == "trk") return kTrk;
    if (n == "trkseg") return kTrkseg;
    if (n == "trkpt") return kTrkpt;
    if (n == "name") return kName;
    if (n == "time") return kTime;
    return kOther;
  }
  XmlToken Root() const override { return kGpx; }

  bool Start(const XmlElements& e, const char** attrs) override {
    switch (e.Up(0)) {
      case kTrk:
        m_out.tracks.emplace_back();
        return false;
      case kTrkpt:
        m_point = ActivityPoint{};
        m_pointTime.reset();
        m_lat.reset();
        m_lon.reset();
        if (e.Up(1) == kTrkseg) {
          const char* lat = XmlAttr(attrs, "lat");
          const char* lon = XmlAttr(attrs, "lon");
          if (lat && lon) {
            m_lat = XmlNumber(lat);
            m_lon = XmlNumber(lon);
          }
        }
        return false;
      case kName:
        return e.Up(1) == kMetadata || e.Up(1) == kGpx || e.Up(1) == kTrk;
      case kTime:
        return e.Up(1) == kTrkpt;
      default:
        return false;
    }
  }

  void End(const XmlElements& e, std::string_view text) override {
    switch (e.Up(0)) {
      case kName:
        if (e.Up(1) == kMetadata || e.Up(1) == kGpx) {
          if (m_out.name.empty() || !m_nameFromMetadata) {
            m_out.name = XmlCut(text);
            m_nameFromMetadata = !m_out.name.empty();
          }
        } else if (e.Up(1) == kTrk) {
          m_out.tracks.back().name = XmlCut(text);
          if (m_out.name.empty() && !m_trkNamed) {
            m_out.name = m_out.tracks.back().name;
            m_trkNamed = true;
          }
        }
        break;
      case kTime:
        if (e.Up(1) == kTrkpt) m_pointTime = ParseIsoTimeMs(text);
        break;
      case kTrkpt:
        if (e.Up(1) == kTrkseg && e.Up(2) == kTrk && m_pointTime)
          KeepXmlPoint(m_out.tracks.back().points, m_point, *m_pointTime,
                       m_lat, m_lon);
        break;
      default:
        break;
    }
  }

 private:
  ActivityRecord& m_out;
  bool m_nameFromMetadata = false;
  bool m_trkNamed = false;
  ActivityPoint m_point;
  std::optional<std::int64_t> m_pointTime;
  std::optional<double> m_lat, m_lon;
};

}  // namespace

ActivityError ReadGpx(std::string_view bytes, ActivityRecord& out) {
  GpxHandler handler(out);
  if (ActivityError error = ReadXml(bytes, handler)) return error;
  const auto timed =
      std::find_if(out.tracks.begin(), out.tracks.end(),
                   [](const ActivityTrack& t) { return !t.points.empty(); });
  out.defaultTrack =
      timed == out.tracks.end()
          ? 0
          : static_cast<std::size_t>(timed - out.tracks.begin());
  return {};
}

}  // namespace qv::activity
