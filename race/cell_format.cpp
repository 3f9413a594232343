#include "race/cell_format.h"

#include "race/numtext.h"
#include "race/race_math.h"

namespace qv {

std::string KmText(double km) { return FormatG(km) + " km"; }

std::string HoursText(int t, Language lang) {
  const int h = t / 360000;
  int r = t % 360000;
  const int m = r / 6000;
  r = r % 6000;
  const int s = r / 100;
  const int c = r % 100;
  if (lang == Language::English)
    return FormatInt(h) + ":" + Format02d(m) + ":" + Format02d(s) + "." +
           Format02d(c);
  return Format02d(h) + "時" + Format02d(m) + "分" + Format02d(s) + "秒" +
         Format02d(c);
}

std::string MinutesText(int v, Language lang) {
  const int m = v / 6000;
  const int r = v % 6000;
  if (lang == Language::English)
    return FormatInt(m) + ":" + Format02d(r / 100) + "." + Format02d(r % 100);
  return Format02d(m) + "分" + Format02d(r / 100) + "秒" + Format02d(r % 100);
}

std::string SpeedText(int v, int unit, Language lang) {
  const bool english = lang == Language::English;
  if (IsRateUnit(unit)) {
    const std::string whole =
        english ? FormatInt(v / 100) : Format02d(v / 100);
    return whole + "." + Format02d(v % 100) +
           (unit == kMphUnit ? " mph" : " km/h");
  }
  if (!english) return MinutesText(v, lang);
  constexpr const char* kPer[] = {" /km", " /400m", " /200m", " /100m", "",
                                  " /mile"};
  const bool named = unit >= 0 && unit <= kPerMileUnit;
  return MinutesText(v, lang) + (named ? kPer[unit] : kPer[0]);
}

double SpeedUnitFactor(int unit) {
  switch (unit) {
    case 1: return 0.4;
    case 2: return 0.2;
    case 3: return 0.1;
    case kPerMileUnit: return kKmPerMile;
    default: return 1.0;
  }
}

int SpeedValue(int pace, int unit) {
  // A pace of 0 as a rate is infinite; Trunc gives 0.
  if (IsRateUnit(unit)) return Trunc(RateHundredths(pace, unit));
  return Trunc(pace * SpeedUnitFactor(unit));
}

}  // namespace qv
