#include "graph/graph_scale.h"

#include "race/race_math.h"

namespace qv {

namespace {

struct StepRow {
  int step;
  std::string_view unitLabel;
  double divisor;
};

constexpr std::string_view kSeconds = "秒";
constexpr std::string_view kMinutes = "分";
constexpr std::string_view kHours = "時間";

constexpr StepRow kStepTable[] = {
    {100, kSeconds, 1.0},   {200, kSeconds, 0.5},  {1000, kSeconds, 0.1},
    {3000, kMinutes, 2.0},  {6000, kMinutes, 1.0}, {30000, kMinutes, 0.2},
    {60000, kMinutes, 0.1}, {180000, kHours, 2.0}, {360000, kHours, 1.0},
};

constexpr double kHour = 360000.0;

}  // namespace

AxisRow ChooseAxisRow(double value) {
  for (const StepRow& row : kStepTable) {
    const double step = row.step;
    const int q = Trunc(value / step);
    if (q < 10) return AxisRow{step, row.divisor, row.unitLabel, q};
  }
  // Past one hour: 2, 5 and 10 hours times a power of ten. The step grows
  // without bound, so value / step falls below 10 (or the step reaches
  // infinity and the quotient 0); the loop always ends.
  constexpr double kMantissas[] = {2.0, 5.0, 10.0};
  for (double decade = kHour;; decade *= 10.0) {
    for (double m : kMantissas) {
      const double step = decade * m;
      const int q = Trunc(value / step);
      if (q < 10) return AxisRow{step, kHour / step, kHours, q};
    }
  }
}

double MaxSpeedValue(const int* pace, int n, int unit) {
  const int count = n > 0 ? n : 1;
  if (unit == kKmhUnit) {
    double best = KmhHundredths(pace[0]);
    for (int i = 1; i < count; ++i) {
      const double v = KmhHundredths(pace[i]);
      if (v > best) best = v;
    }
    return best;
  }
  int best = pace[0];
  for (int i = 1; i < count; ++i) {
    if (pace[i] > best) best = pace[i];
  }
  return best * SpeedUnitFactor(unit);
}

double ScaledSpeed(int pace, int unit, double speedFactor) {
  if (unit == kKmhUnit) return KmhHundredths(pace) * speedFactor;
  return pace * speedFactor * SpeedUnitFactor(unit);
}

std::string TimeCaption(const AxisRow& timeRow) {
  std::string caption = "Time(";
  caption += timeRow.unitLabel;
  caption += ")";
  return caption;
}

std::string SpeedCaption(int unit, const AxisRow& speedRow) {
  if (unit == kKmhUnit) return "Speed(km/h)";
  std::string caption = "Speed(";
  caption += speedRow.unitLabel;
  switch (unit) {
    case 1:
      caption += "/400m)";
      break;
    case 2:
      caption += "/200m)";
      break;
    case 3:
      caption += "/100m)";
      break;
    default:
      caption += "/km)";
      break;
  }
  return caption;
}

}  // namespace qv
