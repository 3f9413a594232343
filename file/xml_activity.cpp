// The XML under the TCX and GPX readers: the expat driver, the encodings
// read, the root element's name and xsd:dateTime.
#include <expat.h>

#include <algorithm>
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

#include "file/activity_readers.h"
#include "file/iconv_converter.h"
#include "file/xml_driver.h"

namespace qv::activity {

namespace {

std::string_view LocalName(const char* name) {
  std::string_view n(name);
  const std::size_t colon = n.rfind(':');
  return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The text kept of one element; longer ones (a name, a note) are cut.
constexpr std::size_t kMaxText = 1024;

}  // namespace

class XmlDriver {
 public:
  explicit XmlDriver(XmlHandler& handler) : m_handler(handler) {}

  ActivityError Read(std::string_view file) {
    // The handlers get UTF-8: expat converts what it reads itself, and the
    // rest comes converted, its declaration overridden.
    const XmlText text = XmlAsUtf8(file);
    if (text.error) return text.error;
    const std::string_view bytes =
        text.converted ? std::string_view(text.utf8) : file;
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(text.converted ? "UTF-8" : nullptr), &XML_ParserFree);
    if (!parser) return {ActivityError::Kind::ReadFailed};
    m_parser = parser.get();
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &XmlDriver::OnStart, &XmlDriver::OnEnd);
    XML_SetCharacterDataHandler(m_parser, &XmlDriver::OnText);
    // Entities are refused outright: nothing is fetched from outside the
    // file and nothing can expand beyond its size.
    XML_SetEntityDeclHandler(m_parser, &XmlDriver::OnEntityDecl);
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);

    constexpr std::size_t kChunk = 1u << 20;
    std::size_t pos = 0;
    do {
      const std::size_t n = std::min(kChunk, bytes.size() - pos);
      const bool last = pos + n == bytes.size();
      if (XML_Parse(m_parser, bytes.data() + pos, static_cast<int>(n),
                    last) != XML_STATUS_OK) {
        if (m_entity) return {ActivityError::Kind::XmlEntity};
        if (m_wrongRoot) return {ActivityError::Kind::XmlWrongRoot};
        const XML_Size line = XML_GetCurrentLineNumber(m_parser);
        return {ActivityError::Kind::XmlMalformed,
                static_cast<std::int64_t>(
                    std::min<XML_Size>(line, INT64_MAX))};
      }
      pos += n;
    } while (pos < bytes.size());
    return {};
  }

 private:
  static void OnEntityDecl(void* self, const XML_Char*, int, const XML_Char*,
                           int, const XML_Char*, const XML_Char*,
                           const XML_Char*, const XML_Char*) {
    auto* d = static_cast<XmlDriver*>(self);
    d->m_entity = true;
    XML_StopParser(d->m_parser, XML_FALSE);
  }

  static void OnStart(void* self, const XML_Char* name,
                      const XML_Char** attrs) {
    static_cast<XmlDriver*>(self)->Start(name, attrs);
  }
  static void OnEnd(void* self, const XML_Char*) {
    static_cast<XmlDriver*>(self)->End();
  }
  static void OnText(void* self, const XML_Char* s, int len) {
    auto* d = static_cast<XmlDriver*>(self);
    if (d->m_collecting && d->m_text.size() < kMaxText)
      d->m_text.append(s, static_cast<std::size_t>(len));
  }

  void Start(const char* name, const XML_Char** attrs) {
    const XmlToken tok = m_handler.TokenOf(LocalName(name));
    if (m_elements.m_stack.empty() && tok != m_handler.Root()) {
      m_wrongRoot = true;
      XML_StopParser(m_parser, XML_FALSE);
      return;
    }
    m_elements.m_stack.push_back(tok);
    m_text.clear();
    m_collecting = m_handler.Start(m_elements, attrs);
  }

  void End() {
    // A stopped parser may still report the end of an empty root element
    // that was never pushed.
    if (m_elements.m_stack.empty()) return;
    m_handler.End(m_elements, Trim(m_text));
    m_collecting = false;
    m_text.clear();
    m_elements.m_stack.pop_back();
  }

  XmlHandler& m_handler;
  XML_Parser m_parser = nullptr;
  XmlElements m_elements;
  std::string m_text;
  bool m_collecting = false;
  bool m_entity = false;
  bool m_wrongRoot = false;
};

ActivityError ReadXml(std::string_view bytes, XmlHandler& handler) {
  return XmlDriver(handler).Read(bytes);
}

const char* XmlAttr(const char** attrs, std::string_view localName) {
  for (; attrs[0] != nullptr; attrs += 2)
    if (LocalName(attrs[0]) == localName) return attrs[1];
  return nullptr;
}

std::optional<double> XmlNumber(std::string_view text) {
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

std::string XmlCut(std::string_view text) {
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

void KeepXmlPoint(std::vector<ActivityPoint>& into, ActivityPoint point,
                  std::int64_t timeMs, std::optional<double> lat,
                  std::optional<double> lon) {
  point.timeMs = timeMs;
  if (lat && lon && *lat >= -90.0 && *lat <= 90.0 && *lon >= -180.0 &&
      *lon <= 180.0) {
    point.latDeg = *lat;
    point.lonDeg = *lon;
  }
  if (KeepsPoint(into, point)) into.push_back(point);
}

namespace {

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

ActivityError Unsupported(const std::string& name) {
  return {ActivityError::Kind::XmlEncoding, 0, 0, name};
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
  Converter conv("UTF-8", source.from);
  if (!conv.Ok()) {
    text.error = Unsupported(source.name);
    return text;
  }
  text.converted = true;
  const std::string_view in = bytes.substr(source.skip, limit);
  text.utf8.reserve(in.size());
  std::size_t pos = 0;
  // EILSEQ, or EINVAL for a character cut at the end: the whole file must
  // convert; a head may stop anywhere.
  if (conv.Run(in, pos, text.utf8) == Converter::Stop::Invalid &&
      limit == SIZE_MAX) {
    const auto line = std::count(text.utf8.begin(), text.utf8.end(), '\n');
    text.error = {ActivityError::Kind::XmlBadChar, line + 1, 0, source.name};
    text.utf8.clear();
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

}  // namespace qv::activity
