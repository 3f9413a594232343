// The graph's scales: the step table shared by the time and speed axes, the
// speed value of a section in the chosen unit, and the axis captions.
#pragma once

#include <string>
#include <string_view>

#include "race/cell_format.h"

namespace qv {

// One row of the step table, chosen for an axis's largest value.
struct AxisRow {
  double step = 0;             // hundredths of a second (of a km/h in km/h)
  double divisor = 1;          // grid line k reads k / divisor
  const char* unitLabel;  // "秒", "分" or "時間", marked for translation
  int quotient = 0;            // Trunc(value / step), below 10
};

// The first row whose truncated quotient value / step is below 10. The nine
// table rows end at steps of one hour; beyond them the rows go on in hours
// with steps of 2, 5, 10, 20, 50, ... hours, so every finite value (and,
// through Trunc, every non-finite one) has a row with at most ten lines.
AxisRow ChooseAxisRow(double value);

// The largest speed value over the first n paces (entry 0 alone when n is
// 0): the largest pace times the unit's factor, or in km/h the largest
// 36000000.0 / pace. A later value replaces the running maximum only when
// strictly greater.
double MaxSpeedValue(const int* pace, int n, int unit);

// The height of a section's pace on the speed axis before rounding.
double ScaledSpeed(int pace, int unit, double speedFactor);

std::string TimeCaption(const AxisRow& timeRow, Language lang);
std::string SpeedCaption(int unit, const AxisRow& speedRow, Language lang);
inline constexpr Text kDistanceCaption{N_("距離(km)")};

}  // namespace qv
