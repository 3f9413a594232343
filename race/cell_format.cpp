#include "race/cell_format.h"

#include "race/numtext.h"
#include "race/race_math.h"

namespace qv {

std::string KmText(double km) { return FormatG(km) + " km"; }

std::string HoursText(int t) {
  const int h = t / 360000;
  int r = t % 360000;
  const int m = r / 6000;
  r = r % 6000;
  const int s = r / 100;
  const int c = r % 100;
  return Format02d(h) + "時" + Format02d(m) + "分" + Format02d(s) + "秒" +
         Format02d(c);
}

std::string MinutesText(int v) {
  const int m = v / 6000;
  const int r = v % 6000;
  return Format02d(m) + "分" + Format02d(r / 100) + "秒" + Format02d(r % 100);
}

std::string KmhText(int v) {
  return Format02d(v / 100) + "." + Format02d(v % 100) + " km/h";
}

double SpeedUnitFactor(int unit) {
  switch (unit) {
    case 1: return 0.4;
    case 2: return 0.2;
    case 3: return 0.1;
    default: return 1.0;
  }
}

int SpeedValue(int pace, int unit) {
  // A pace of 0 in km/h is infinite; Trunc gives 0.
  if (unit == kKmhUnit) return Trunc(KmhHundredths(pace));
  return Trunc(pace * SpeedUnitFactor(unit));
}

}  // namespace qv
