// The TCX and GPX readers: one pass of expat over the bytes, fed in chunks
// so that its buffer stays small, keeping only the elements a race needs.
#include <expat.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "race/numtext.h"
#include "file/activity_readers.h"
#include "res/strings.h"

namespace qv::activity {

namespace {

// The elements either format looks at; everything else is Other.
enum class Tok : std::uint8_t {
  Other,
  Tcd, Activities, Activity, Notes, Creator, Name, Lap, TotalTimeSeconds,
  DistanceMeters, Track, Trackpoint, Time, Position, LatitudeDegrees,
  LongitudeDegrees,
  Gpx, Metadata, Trk, Trkseg, Trkpt, GpxName, GpxTime,
};

std::string_view LocalName(const char* name) {
  std::string_view n(name);
  const std::size_t colon = n.rfind(':');
  return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

Tok TokenOf(std::string_view n, bool gpx) {
  if (gpx) {
    if (n == "gpx") return Tok::Gpx;
    if (n == "metadata") return Tok::Metadata;
    if (n == "trk") return Tok::Trk;
    if (n == "trkseg") return Tok::Trkseg;
    if (n == "trkpt") return Tok::Trkpt;
    if (n == "name") return Tok::GpxName;
    if (n == "time") return Tok::GpxTime;
    return Tok::Other;
  }
  static constexpr std::pair<std::string_view, Tok> kTcx[] = {
      {"Trackpoint", Tok::Trackpoint}, {"Time", Tok::Time},
      {"DistanceMeters", Tok::DistanceMeters},
      {"LatitudeDegrees", Tok::LatitudeDegrees},
      {"LongitudeDegrees", Tok::LongitudeDegrees},
      {"Position", Tok::Position}, {"Track", Tok::Track}, {"Lap", Tok::Lap},
      {"TotalTimeSeconds", Tok::TotalTimeSeconds},
      {"Activity", Tok::Activity}, {"Activities", Tok::Activities},
      {"Notes", Tok::Notes}, {"Creator", Tok::Creator}, {"Name", Tok::Name},
      {"TrainingCenterDatabase", Tok::Tcd}};
  for (const auto& [text, tok] : kTcx)
    if (n == text) return tok;
  return Tok::Other;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A whole decimal number, nothing else around it but blanks.
std::optional<double> Number(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), v,
                      std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() ||
      !std::isfinite(v))
    return std::nullopt;
  return v;
}

// The text kept of one element; longer ones (a name, a note) are cut at a
// character boundary.
constexpr std::size_t kMaxText = 1024;

class XmlReader {
 public:
  XmlReader(bool gpx, ActivityRecord& out) : m_gpx(gpx), m_out(out) {}

  std::string Read(std::string_view file) {
    // The handlers get UTF-8: expat converts what it reads itself, and the
    // rest comes converted, its declaration overridden.
    const XmlText text = XmlAsUtf8(file);
    if (!text.error.empty()) return text.error;
    const std::string_view bytes =
        text.converted ? std::string_view(text.utf8) : file;
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(text.converted ? "UTF-8" : nullptr), &XML_ParserFree);
    if (!parser) return kMsgReadFailed;
    m_parser = parser.get();
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &XmlReader::OnStart, &XmlReader::OnEnd);
    XML_SetCharacterDataHandler(m_parser, &XmlReader::OnText);
    // Entities are refused outright: nothing is fetched from outside the
    // file and nothing can expand beyond its size.
    XML_SetEntityDeclHandler(m_parser, &XmlReader::OnEntityDecl);
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);

    constexpr std::size_t kChunk = 1u << 20;
    std::size_t pos = 0;
    do {
      const std::size_t n = std::min(kChunk, bytes.size() - pos);
      const bool last = pos + n == bytes.size();
      if (XML_Parse(m_parser, bytes.data() + pos, static_cast<int>(n),
                    last) != XML_STATUS_OK) {
        if (m_entity) return kMsgXmlEntity;
        if (m_wrongRoot) return kMsgXmlWrongRoot;
        return std::string(kMsgXmlMalformed) +
               FormatInt(static_cast<int>(std::min<XML_Size>(
                   XML_GetCurrentLineNumber(m_parser), 2147483647))) +
               kMsgXmlMalformedEnd;
      }
      pos += n;
    } while (pos < bytes.size());
    if (m_badLap != 0)
      return FormatInt(m_badLap) + kMsgImportBadLap;
    if (m_gpx) {
      const auto timed = std::find_if(
          m_out.tracks.begin(), m_out.tracks.end(),
          [](const ActivityTrack& t) { return !t.points.empty(); });
      m_out.defaultTrack =
          timed == m_out.tracks.end()
              ? 0
              : static_cast<std::size_t>(timed - m_out.tracks.begin());
    }
    return "";
  }

 private:
  static void OnEntityDecl(void* self, const XML_Char*, int, const XML_Char*,
                           int, const XML_Char*, const XML_Char*,
                           const XML_Char*, const XML_Char*) {
    auto* r = static_cast<XmlReader*>(self);
    r->m_entity = true;
    XML_StopParser(r->m_parser, XML_FALSE);
  }

  static void OnStart(void* self, const XML_Char* name,
                      const XML_Char** attrs) {
    static_cast<XmlReader*>(self)->Start(name, attrs);
  }
  static void OnEnd(void* self, const XML_Char*) {
    static_cast<XmlReader*>(self)->End();
  }
  static void OnText(void* self, const XML_Char* s, int len) {
    auto* r = static_cast<XmlReader*>(self);
    if (r->m_collecting && r->m_text.size() < kMaxText)
      r->m_text.append(s, static_cast<std::size_t>(len));
  }

  static const char* Attr(const XML_Char** attrs, std::string_view name) {
    for (; attrs[0] != nullptr; attrs += 2)
      if (LocalName(attrs[0]) == name) return attrs[1];
    return nullptr;
  }

  // The token n levels above the current element (0 = itself).
  Tok Up(std::size_t n) const {
    return n < m_stack.size() ? m_stack[m_stack.size() - 1 - n] : Tok::Other;
  }

  void Start(const char* name, const XML_Char** attrs) {
    const Tok tok = TokenOf(LocalName(name), m_gpx);
    if (m_stack.empty() && tok != (m_gpx ? Tok::Gpx : Tok::Tcd)) {
      m_wrongRoot = true;
      XML_StopParser(m_parser, XML_FALSE);
      return;
    }
    m_stack.push_back(tok);
    m_text.clear();
    m_collecting = false;
    if (m_gpx) StartGpx(tok, attrs);
    else StartTcx(tok, attrs);
  }

  void StartTcx(Tok tok, const XML_Char** attrs) {
    // Under Activities, or a multisport session's FirstSport: the first.
    if (tok == Tok::Activity) ++m_activities;
    if (m_activities != 1) return;
    switch (tok) {
      case Tok::Lap:
        if (Up(1) == Tok::Activity) {
          m_lap = ActivityLap{};
          if (const char* start = Attr(attrs, "StartTime"))
            m_lap.startMs = ParseIsoTimeMs(start);
          m_inLap = true;
        }
        break;
      case Tok::Trackpoint:
        m_point = ActivityPoint{};
        m_pointTime.reset();
        m_lat.reset();
        m_lon.reset();
        break;
      case Tok::Notes: m_collecting = Up(1) == Tok::Activity; break;
      case Tok::Name:
        m_collecting = Up(1) == Tok::Creator && Up(2) == Tok::Activity;
        break;
      case Tok::TotalTimeSeconds:
      case Tok::Time:
      case Tok::DistanceMeters:
      case Tok::LatitudeDegrees:
      case Tok::LongitudeDegrees:
        m_collecting = true;
        break;
      default:
        break;
    }
  }

  void StartGpx(Tok tok, const XML_Char** attrs) {
    switch (tok) {
      case Tok::Trk:
        m_out.tracks.emplace_back();
        break;
      case Tok::Trkpt:
        m_point = ActivityPoint{};
        m_pointTime.reset();
        m_lat.reset();
        m_lon.reset();
        if (Up(1) == Tok::Trkseg) {
          const char* lat = Attr(attrs, "lat");
          const char* lon = Attr(attrs, "lon");
          if (lat && lon) {
            m_lat = Number(lat);
            m_lon = Number(lon);
          }
        }
        break;
      case Tok::GpxName:
        m_collecting = Up(1) == Tok::Metadata || Up(1) == Tok::Gpx ||
                       Up(1) == Tok::Trk;
        break;
      case Tok::GpxTime:
        m_collecting = Up(1) == Tok::Trkpt;
        break;
      default:
        break;
    }
  }

  void End() {
    // A stopped parser may still report the end of an empty root element
    // that was never pushed.
    if (m_stack.empty()) return;
    const std::string_view text = Trim(m_text);
    if (m_gpx) EndGpx(text);
    else if (m_activities == 1) EndTcx(text);
    m_collecting = false;
    m_text.clear();
    m_stack.pop_back();
  }

  void EndTcx(std::string_view text) {
    switch (Up(0)) {
      case Tok::Notes:
        if (Up(1) == Tok::Activity) m_out.name = Cut(text);
        break;
      case Tok::Name:
        if (Up(1) == Tok::Creator && Up(2) == Tok::Activity)
          m_out.device = Cut(text);
        break;
      case Tok::Lap:
        if (Up(1) == Tok::Activity && m_inLap) {
          AddLap(m_out, m_lap);
          m_inLap = false;
        }
        break;
      case Tok::TotalTimeSeconds:
        if (Up(1) == Tok::Lap && m_inLap) {
          std::int64_t ms = 0;
          if (LapValue(text, 1000.0, ms)) m_lap.elapsedMs = ms;
        }
        break;
      case Tok::DistanceMeters:
        if (Up(1) == Tok::Lap && m_inLap)
          LapValue(text, 100.0, m_lap.distanceCm);
        else if (Up(1) == Tok::Trackpoint)
          m_point.distanceM =
              Number(text).value_or(std::numeric_limits<double>::quiet_NaN());
        break;
      case Tok::Time:
        if (Up(1) == Tok::Trackpoint) m_pointTime = ParseIsoTimeMs(text);
        break;
      case Tok::LatitudeDegrees:
        if (Up(1) == Tok::Position) m_lat = Number(text);
        break;
      case Tok::LongitudeDegrees:
        if (Up(1) == Tok::Position) m_lon = Number(text);
        break;
      case Tok::Trackpoint:
        if (m_pointTime) {
          KeepPoint(OnlyTrack(m_out));
        }
        break;
      default:
        break;
    }
  }

  void EndGpx(std::string_view text) {
    switch (Up(0)) {
      case Tok::GpxName:
        if (Up(1) == Tok::Metadata || Up(1) == Tok::Gpx) {
          if (m_out.name.empty() || !m_nameFromMetadata) {
            m_out.name = Cut(text);
            m_nameFromMetadata = !m_out.name.empty();
          }
        } else if (Up(1) == Tok::Trk) {
          m_out.tracks.back().name = Cut(text);
          if (m_out.name.empty() && !m_trkNamed) {
            m_out.name = m_out.tracks.back().name;
            m_trkNamed = true;
          }
        }
        break;
      case Tok::GpxTime:
        if (Up(1) == Tok::Trkpt) m_pointTime = ParseIsoTimeMs(text);
        break;
      case Tok::Trkpt:
        if (Up(1) == Tok::Trkseg && Up(2) == Tok::Trk && m_pointTime)
          KeepPoint(m_out.tracks.back().points);
        break;
      default:
        break;
    }
  }

  void KeepPoint(std::vector<ActivityPoint>& into) {
    m_point.timeMs = *m_pointTime;
    if (m_lat && m_lon && *m_lat >= -90.0 && *m_lat <= 90.0 &&
        *m_lon >= -180.0 && *m_lon <= 180.0) {
      m_point.latDeg = *m_lat;
      m_point.lonDeg = *m_lon;
    }
    if (KeepsPoint(into, m_point)) into.push_back(m_point);
  }

  // Seconds or metres to exact integer ms or cm; a negative or absurd
  // value refuses the lap rather than bending the sums.
  bool LapValue(std::string_view text, double scale, std::int64_t& into) {
    const std::optional<double> v = Number(text);
    if (!v || *v < 0 || *v > 1e12) {
      if (m_badLap == 0)
        m_badLap = static_cast<int>(
            std::min<std::size_t>(m_out.lapCount + 1, 2147483647));
      return false;
    }
    into = std::llround(*v * scale);
    return true;
  }

  static std::string Cut(std::string_view text) {
    if (text.size() > kMaxText) {
      text = text.substr(0, kMaxText);
      while (!text.empty() &&
             (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.remove_suffix(1);
      if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0)
        text.remove_suffix(1);
    }
    return std::string(text);
  }

  const bool m_gpx;
  ActivityRecord& m_out;
  XML_Parser m_parser = nullptr;
  std::vector<Tok> m_stack;
  std::string m_text;
  bool m_collecting = false;
  bool m_entity = false;
  bool m_wrongRoot = false;
  int m_badLap = 0;
  int m_activities = 0;
  bool m_inLap = false;
  ActivityLap m_lap;
  bool m_nameFromMetadata = false;
  bool m_trkNamed = false;
  ActivityPoint m_point;
  std::optional<std::int64_t> m_pointTime;
  std::optional<double> m_lat, m_lon;
};

int Digits(std::string_view s, std::size_t at, std::size_t n, bool& ok) {
  int v = 0;
  if (at + n > s.size()) {
    ok = false;
    return 0;
  }
  for (std::size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9') ok = false;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<std::int64_t> ParseIsoTimeMs(std::string_view s) {
  s = Trim(s);
  bool ok = s.size() >= 19 && s[4] == '-' && s[7] == '-' &&
            (s[10] == 'T' || s[10] == 't' || s[10] == ' ') && s[13] == ':' &&
            s[16] == ':';
  if (!ok) return std::nullopt;
  const int year = Digits(s, 0, 4, ok);
  const int month = Digits(s, 5, 2, ok);
  const int day = Digits(s, 8, 2, ok);
  const int hour = Digits(s, 11, 2, ok);
  const int minute = Digits(s, 14, 2, ok);
  const int second = Digits(s, 17, 2, ok);
  if (!ok || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour > 24 || minute > 59 ||
      second > 59)
    return std::nullopt;
  // xsd:dateTime's end of the day: exactly 24:00:00, the next midnight.
  if (hour == 24 && (minute != 0 || second != 0 ||
                     (s.size() > 19 && s[19] == '.')))
    return std::nullopt;
  std::size_t at = 19;
  std::int64_t ms = 0;
  if (at < s.size() && s[at] == '.') {
    ++at;
    int scale = 100;
    const std::size_t first = at;
    for (; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at) {
      ms += (s[at] - '0') * scale;
      scale /= 10;
    }
    if (at == first) return std::nullopt;
  }
  std::int64_t offsetS = 0;
  if (at < s.size()) {
    if ((s[at] == 'Z' || s[at] == 'z') && at + 1 == s.size()) {
      ++at;
    } else if ((s[at] == '+' || s[at] == '-') && s.size() - at == 6 &&
               s[at + 3] == ':') {
      const int oh = Digits(s, at + 1, 2, ok);
      const int om = Digits(s, at + 4, 2, ok);
      if (!ok || oh > 23 || om > 59) return std::nullopt;
      offsetS = (oh * 3600 + om * 60) * (s[at] == '-' ? -1 : 1);
      at = s.size();
    } else {
      return std::nullopt;
    }
  }
  const std::int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month),
                    static_cast<unsigned>(day));
  const std::int64_t secs =
      days * 86400 + hour * 3600 + minute * 60 + second - offsetS;
  return secs * 1000 + ms;
}

namespace {

// The root's name; nullopt when the bytes end before it is known and are
// not the whole file.
std::optional<std::string> RootOf(std::string_view b, bool whole) {
  std::size_t i = 0;
  if (b.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  const auto skipBlanks = [&] {
    while (i < b.size() &&
           (b[i] == ' ' || b[i] == '\t' || b[i] == '\r' || b[i] == '\n'))
      ++i;
  };
  // Bounded so that a file of blanks and comments is not scanned forever.
  for (int items = 0; items < 1000; ++items) {
    skipBlanks();
    if (i >= b.size()) return std::nullopt;
    if (b[i] != '<') return "";
    const std::string_view rest = b.substr(i);
    std::size_t end;
    if (rest.substr(0, 4) == "<!--") {
      end = rest.find("-->");
      if (end == std::string_view::npos) return std::nullopt;
      i += end + 3;
    } else if (rest.substr(0, 2) == "<?") {
      end = rest.find("?>");
      if (end == std::string_view::npos) return std::nullopt;
      i += end + 2;
    } else if (rest.substr(0, 9) == "<!DOCTYPE") {
      const std::size_t open = rest.find_first_of("[>");
      if (open == std::string_view::npos) return std::nullopt;
      if (rest[open] == '[') {
        const std::size_t close = rest.find("]", open);
        if (close == std::string_view::npos) return std::nullopt;
        end = rest.find('>', close);
      } else {
        end = open;
      }
      if (end == std::string_view::npos) return std::nullopt;
      i += end + 1;
    } else {
      std::size_t j = 1;
      while (j < rest.size() &&
             std::strchr(" \t\r\n/>", rest[j]) == nullptr)
        ++j;
      if (j == rest.size() && !whole) return std::nullopt;
      std::string_view name = rest.substr(1, j - 1);
      if (const std::size_t colon = name.rfind(':');
          colon != std::string_view::npos)
        name.remove_prefix(colon + 1);
      return std::string(name);
    }
  }
  return "";
}

// Where the bytes come from: iconv's name for them, or nullptr when expat
// reads them itself.
struct XmlSource {
  const char* from = nullptr;
  std::string name;      // for messages, as the file spells it
  std::size_t skip = 0;  // a byte-order mark
  bool known = true;
};

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// XML's EncName: anything else is left for expat to call malformed.
bool IsEncodingName(std::string_view n) {
  const auto letter = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  };
  if (n.empty() || n.size() > 64 || !letter(n[0])) return false;
  for (char c : n)
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_' &&
        c != '-')
      return false;
  return true;
}

// The encoding named by an XML declaration at the very start; empty
// without one.
std::string DeclaredEncoding(std::string_view b) {
  if (b.substr(0, 5) != "<?xml") return "";
  const std::string_view decl =
      b.substr(0, std::min<std::size_t>(b.find("?>"), 1024));
  std::size_t at = decl.find("encoding");
  if (at == std::string_view::npos) return "";
  at = decl.find_first_not_of(" \t\r\n", at + 8);
  if (at == std::string_view::npos || decl[at] != '=') return "";
  at = decl.find_first_not_of(" \t\r\n", at + 1);
  if (at == std::string_view::npos || (decl[at] != '"' && decl[at] != '\''))
    return "";
  const std::size_t end = decl.find(decl[at], at + 1);
  if (end == std::string_view::npos) return "";
  const std::string_view name = decl.substr(at + 1, end - at - 1);
  return IsEncodingName(name) ? std::string(name) : "";
}

XmlSource SourceOf(std::string_view b) {
  using namespace std::string_view_literals;
  if (b.substr(0, 2) == "\xFF\xFE"sv) return {"UTF-16LE", "UTF-16", 2};
  if (b.substr(0, 2) == "\xFE\xFF"sv) return {"UTF-16BE", "UTF-16", 2};
  if (b.substr(0, 2) == "<\0"sv) return {"UTF-16LE", "UTF-16", 0};
  if (b.substr(0, 2) == "\0<"sv) return {"UTF-16BE", "UTF-16", 0};
  if (b.substr(0, 3) == "\xEF\xBB\xBF"sv) return {};
  const std::string name = DeclaredEncoding(b);
  const std::string lower = AsciiLower(name);
  static constexpr std::string_view kExpat[] = {
      "", "utf-8", "utf-16", "utf-16le", "utf-16be", "iso-8859-1", "us-ascii"};
  for (std::string_view n : kExpat)
    if (lower == n) return {};
  // Files that say Shift_JIS come from Windows, whose superset of it reads
  // them. Each encoding also under its registered aliases and common names.
  static constexpr std::pair<std::string_view, const char*> kConverted[] = {
      {"shift_jis", "CP932"},   {"ms_kanji", "CP932"},
      {"csshiftjis", "CP932"},  {"sjis", "CP932"},
      {"x-sjis", "CP932"},      {"windows-31j", "CP932"},
      {"cp932", "CP932"},       {"ms932", "CP932"},
      {"euc-jp", "EUC-JP"},     {"x-euc-jp", "EUC-JP"},
      {"iso-2022-jp", "ISO-2022-JP"}, {"csiso2022jp", "ISO-2022-JP"}};
  for (const auto& [n, from] : kConverted)
    if (lower == n) return {from, name, 0};
  return {nullptr, name, 0, false};
}

std::string Unsupported(const std::string& name) {
  return kMsgXmlEncoding + name + kMsgXmlEncodingEnd;
}

}  // namespace

XmlText XmlAsUtf8(std::string_view bytes, std::size_t limit) {
  XmlText text;
  const XmlSource source = SourceOf(bytes);
  if (!source.known) {
    if (limit == SIZE_MAX) text.error = Unsupported(source.name);
    return text;
  }
  if (source.from == nullptr) return text;
  const iconv_t cd = iconv_open("UTF-8", source.from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    text.error = Unsupported(source.name);
    return text;
  }
  const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, &iconv_close);
  text.converted = true;
  const std::string_view in = bytes.substr(source.skip, limit);
  text.utf8.reserve(in.size());
  // iconv takes a non-const input pointer but never writes through it.
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  for (;;) {
    char chunk[16384];
    char* outPtr = chunk;
    std::size_t outLeft = sizeof chunk;
    const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int err = errno;
    text.utf8.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    if (r != static_cast<std::size_t>(-1)) break;
    if (err == E2BIG) continue;
    // EILSEQ, or EINVAL for a character cut at the end.
    if (limit == SIZE_MAX) {
      const auto line = std::count(text.utf8.begin(), text.utf8.end(), '\n');
      text.error = kMsgXmlBadChar + source.name + kMsgXmlBadCharLine +
                   FormatInt(static_cast<int>(std::min<std::ptrdiff_t>(
                       line + 1, 2147483647))) +
                   kMsgXmlMalformedEnd;
      text.utf8.clear();
    }
    break;
  }
  return text;
}

std::string XmlRootName(std::string_view b) {
  // Enough for any prolog seen in practice; a longer one is converted whole.
  constexpr std::size_t kHead = 64 * 1024;
  const XmlText head = XmlAsUtf8(b, kHead);
  if (!head.converted) return RootOf(b, true).value_or("");
  const bool whole = b.size() <= kHead;
  if (std::optional<std::string> root = RootOf(head.utf8, whole)) return *root;
  if (whole) return "";
  try {
    return RootOf(XmlAsUtf8(b, b.size()).utf8, true).value_or("");
  } catch (const std::bad_alloc&) {
    return "";
  }
}

std::string ReadTcx(std::string_view bytes, ActivityRecord& out) {
  return XmlReader(false, out).Read(bytes);
}

std::string ReadGpx(std::string_view bytes, ActivityRecord& out) {
  return XmlReader(true, out).Read(bytes);
}

}  // namespace qv::activity
