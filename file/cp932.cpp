#include "file/cp932.h"

#include <algorithm>
#include <cstddef>

#include "file/iconv_converter.h"

namespace qv {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Characters typed here that code page 932 stores under another code point,
// with the code point it reads back as.
struct Substitute {
  std::string_view from;
  std::string_view to;
};
constexpr Substitute kSubstitutes[] = {
    {"\xE3\x80\x9C", "\xEF\xBD\x9E"},  // U+301C wave dash -> U+FF5E
    {"\xE2\x80\x96", "\xE2\x88\xA5"},  // U+2016 -> U+2225
    {"\xE2\x88\x92", "\xEF\xBC\x8D"},  // U+2212 minus sign -> U+FF0D
    {"\xC2\xA2", "\xEF\xBF\xA0"},      // U+00A2 cent -> U+FFE0
    {"\xC2\xA3", "\xEF\xBF\xA1"},      // U+00A3 pound -> U+FFE1
    {"\xC2\xAC", "\xEF\xBF\xA2"},      // U+00AC not -> U+FFE2
    {"\xE2\x80\x94", "\xE2\x80\x95"},  // U+2014 em dash -> U+2015
};

// The first bytes of the characters above.
constexpr std::string_view kSubstituteLeads = "\xC2\xE2\xE3";

std::string Substituted(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    // Runs without a candidate are copied whole: a long comment is saved
    // in one pass.
    const std::size_t next = std::min(utf8.find_first_of(kSubstituteLeads, i),
                                      utf8.size());
    out.append(utf8.substr(i, next - i));
    i = next;
    if (i == utf8.size()) break;
    bool replaced = false;
    for (const Substitute& s : kSubstitutes) {
      if (utf8.substr(i, s.from.size()) == s.from) {
        out += s.to;
        i += s.from.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += utf8[i++];
  }
  return out;
}

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Bytes taken by an undecodable character at pos.
std::size_t InvalidLength(std::string_view in, std::size_t pos) {
  if (pos + 1 < in.size() && IsLeadByte(static_cast<unsigned char>(in[pos])) &&
      IsTrailByte(static_cast<unsigned char>(in[pos + 1])))
    return 2;
  return 1;
}

// Without the system's converter only ASCII survives.
std::string AsciiToUtf8(std::string_view in) {
  std::string out;
  std::size_t i = 0;
  while (i < in.size()) {
    if (static_cast<unsigned char>(in[i]) < 0x80) {
      out += in[i++];
    } else {
      out += kReplacement;
      i += InvalidLength(in, i);
    }
  }
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  if (cp932.empty()) return out;
  Converter conv("UTF-8", "CP932");
  if (!conv.Ok()) return AsciiToUtf8(cp932);
  out.reserve(cp932.size());
  std::size_t pos = 0;
  while (conv.Run(cp932, pos, out) == Converter::Stop::Invalid) {
    if (pos >= cp932.size()) break;  // cannot happen, but never loop forever
    out += kReplacement;
    pos += InvalidLength(cp932, pos);
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  const std::string text = Substituted(utf8);
  std::string out;
  if (text.empty()) return out;
  Converter conv("CP932", "UTF-8");
  if (!conv.Ok()) {
    for (char c : text)
      if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
    return text;
  }
  std::size_t pos = 0;
  if (conv.Run(text, pos, out) != Converter::Stop::Done) return std::nullopt;
  // The converter drops some characters silently and stores a few others
  // under look-alikes (U+00A5 as a backslash, U+203E as a tilde); only text
  // that reads back as itself may be saved.
  if (Cp932ToUtf8(out) != text) return std::nullopt;
  return out;
}

}  // namespace qv
