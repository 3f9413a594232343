// Conversions and integer arithmetic shared by the calculation, the list and
// the graphs. Times are int hundredths of a second; none of these can
// overflow, whatever a race file brings.
#pragma once

#include <climits>
#include <cmath>

namespace qv {

// Truncation toward zero; 0 for infinities and not-a-number (a division by a
// zero length), saturated at the int range otherwise.
inline int Trunc(double x) {
  if (!std::isfinite(x)) return 0;
  if (x >= 2147483647.0) return INT_MAX;
  if (x <= -2147483648.0) return INT_MIN;
  return static_cast<int>(x);
}

// Truncation plus one when the dropped fraction is above 0.4; the graphs'
// rounding. +inf gives 1, -inf and not-a-number 0.
inline int RoundAboveFourTenths(double x) {
  if (std::isnan(x)) return 0;
  if (std::isinf(x)) return x > 0 ? 1 : 0;
  const int t = Trunc(x);
  if (x - static_cast<double>(t) > 0.4 && t != INT_MAX) return t + 1;
  return t;
}

inline int Saturate(long long v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

inline int SatAdd(int a, int b) {
  return Saturate(static_cast<long long>(a) + b);
}

inline int SatSub(int a, int b) {
  return Saturate(static_cast<long long>(a) - b);
}

}  // namespace qv
