// Texts of the section list's cells; the printout copies them. Japanese
// writes times as 03時25分45秒67, English as runners do, 3:25:45.67.
#pragma once

#include <string>

#include "res/i18n.h"

namespace qv {

std::string KmText(double km);                        // "%g km"
std::string HoursText(int t, Language lang);          // 03時25分45秒67
std::string MinutesText(int v, Language lang);        // 05分00秒00, 5:00.00
// A speed cell: a pace (1/100 s a unit's distance) or a rate (1/100 km/h
// or mph), as SpeedValue gives it; English names a pace's unit.
std::string SpeedText(int v, int unit, Language lang);

// Units 0 to 3 are times per 1 km, 400 m, 200 m and 100 m; 4 is km/h; 5 is
// time per mile and 6 miles per hour.
inline constexpr int kKmhUnit = 4;
inline constexpr int kPerMileUnit = 5;
inline constexpr int kMphUnit = 6;
inline constexpr int kSpeedUnitCount = 7;
inline constexpr double kKmPerMile = 1.609344;

// km/h and mph are rates (faster is more); the others are paces.
inline bool IsRateUnit(int unit) { return unit == kKmhUnit || unit == kMphUnit; }

// What a pace (1/100 s per km) is multiplied by in a pace unit. A unit the
// combo cannot give (only a race file can bring one) counts as time per km.
double SpeedUnitFactor(int unit);

// A pace in 1/100 km/h, untruncated (infinite for a pace of 0).
inline double KmhHundredths(double pace) { return 36000000.0 / pace; }
// A pace as a rate in the unit (km/h or mph), in hundredths, untruncated.
inline double RateHundredths(double pace, int unit) {
  return unit == kMphUnit ? KmhHundredths(pace) / kKmPerMile
                          : KmhHundredths(pace);
}

// The speed value of a pace in the given speed unit, truncated: 1/100 s per
// the unit's distance, or 1/100 km/h or mph (0 for a pace of 0).
int SpeedValue(int pace, int unit);

}  // namespace qv
