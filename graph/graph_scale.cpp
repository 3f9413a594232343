#include "graph/graph_scale.h"

#include "race/race_math.h"

namespace qv {

namespace {

struct StepRow {
  int step;
  const char* unitLabel;
  double divisor;
};

constexpr const char* kSeconds = N_("秒");
constexpr const char* kMinutes = N_("分");
constexpr const char* kHours = N_("時間");

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
  if (IsRateUnit(unit)) {
    double best = RateHundredths(pace[0], unit);
    for (int i = 1; i < count; ++i) {
      const double v = RateHundredths(pace[i], unit);
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
  if (IsRateUnit(unit)) return RateHundredths(pace, unit) * speedFactor;
  return pace * speedFactor * SpeedUnitFactor(unit);
}

std::string TimeCaption(const AxisRow& timeRow, Language lang) {
  return Fill(Tr(lang, N_("Time(%1)")), {Tr(lang, timeRow.unitLabel)});
}

std::string SpeedCaption(int unit, const AxisRow& speedRow, Language lang) {
  if (unit == kKmhUnit) return Tr(lang, N_("Speed(km/h)"));
  if (unit == kMphUnit) return Tr(lang, N_("Speed(mph)"));
  // The pace units, as the speed combo lists them; any other is per km.
  constexpr const char* kPer[] = {"/km", "/400m", "/200m", "/100m", "/km",
                                  "/mile"};
  const char* per = unit >= 0 && unit <= kPerMileUnit ? kPer[unit] : kPer[0];
  return Fill(Tr(lang, N_("Speed(%1%2)")),
              {Tr(lang, speedRow.unitLabel), per});
}

}  // namespace qv
