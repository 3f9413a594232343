#include "race/numtext.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <system_error>

namespace qv {

namespace {

std::string ToChars(double v, std::chars_format fmt, int precision) {
  char buf[512];
  auto res = std::to_chars(buf, buf + sizeof buf, v, fmt, precision);
  if (res.ec != std::errc()) return "0";
  return std::string(buf, res.ptr);
}

// isspace() of the C locale.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For a decimal number text that is out of the double range: true when it is
// too large, false when too small.
bool MagnitudeIsLarge(const char* p, const char* last) {
  long long pos = 0;  // decimal position of the first non-zero digit
  bool seenPoint = false;
  bool found = false;
  long long intDigits = 0;
  long long leadingFracZeros = 0;
  for (; p != last && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      seenPoint = true;
      continue;
    }
    if (!found && *p == '0') {
      if (seenPoint) ++leadingFracZeros;
      continue;
    }
    found = true;
    if (!seenPoint) ++intDigits;
  }
  pos = intDigits > 0 ? intDigits : -leadingFracZeros;
  long long exponent = 0;
  if (p != last) {
    ++p;
    bool neg = false;
    if (p != last && (*p == '+' || *p == '-')) neg = *p++ == '-';
    for (; p != last; ++p) {
      if (exponent < 100000000) exponent = exponent * 10 + (*p - '0');
    }
    if (neg) exponent = -exponent;
  }
  return pos + exponent > 0;
}

}  // namespace

std::string FormatInt(int v) {
  char buf[16];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string Format02d(int v) {
  std::string s = FormatInt(v);
  // "%02d" pads to a width of two, a minus sign counting as a character.
  if (s.size() < 2) s.insert(0, 2 - s.size(), '0');
  return s;
}

std::string FormatG(double v) {
  if (std::isnan(v)) return std::signbit(v) ? "-nan" : "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  return ToChars(v, std::chars_format::general, 6);
}

std::string Format1f(double v) {
  if (std::isnan(v)) return std::signbit(v) ? "-nan" : "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  return ToChars(v, std::chars_format::fixed, 1);
}

namespace {

// Both parsers start alike: blanks, then an optional sign. Whether it was
// a minus; i is left on what follows.
bool SkipBlanksAndSign(std::string_view text, std::size_t& i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    return text[i++] == '-';
  return false;
}

}  // namespace

int ParseInt(std::string_view text) {
  std::size_t i = 0;
  const bool negative = SkipBlanksAndSign(text, i);
  long long value = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;  // saturate, keep consuming digits
  }
  return static_cast<int>(negative ? -value : value);
}

double ParseDouble(std::string_view text) {
  std::size_t i = 0;
  const bool negative = SkipBlanksAndSign(text, i);
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  // An exponent counts only when at least one digit follows it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  double value = 0.0;
  const char* first = text.data() + start;
  const char* last = text.data() + end;
  auto res = std::from_chars(first, last, value, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // from_chars leaves value untouched; strtod gives HUGE_VAL on overflow
    // and 0 on underflow. Tell them apart by the decimal magnitude.
    value = MagnitudeIsLarge(first, last) ? HUGE_VAL : 0.0;
  } else if (res.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::optional<double> ParseDecimal(std::string_view text) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  int digits = 0;
  int points = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9')
      ++digits;
    else if (c == '.')
      ++points;
    else
      return std::nullopt;
  }
  // A long run of digits is still a number: ParseDouble saturates.
  if (digits == 0 || points > 1) return std::nullopt;
  return ParseDouble(text);
}

}  // namespace qv
