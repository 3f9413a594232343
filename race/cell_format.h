// Texts of the section list's cells; the printout copies them.
#pragma once

#include <string>

namespace qv {

std::string KmText(double km);        // "%g km"
std::string HoursText(int t);         // 03時25分45秒67
std::string MinutesText(int v);       // 05分00秒00, minutes not limited
std::string KmhText(int v);           // 12.00 km/h from 1/100 km/h

// Speed unit 4 is km/h; units 0 to 3 are times per 1 km, 400 m, 200 m and
// 100 m.
inline constexpr int kKmhUnit = 4;

// What a pace (1/100 s per km) is multiplied by in units 0 to 3. A unit the
// combo cannot give (only a race file can bring one) counts as time per km.
double SpeedUnitFactor(int unit);

// A pace in 1/100 km/h, untruncated (infinite for a pace of 0).
inline double KmhHundredths(double pace) { return 36000000.0 / pace; }

// The speed value of a pace in the given speed unit, truncated: 1/100 s per
// km, 400 m, 200 m or 100 m, or 1/100 km/h for unit 4 (0 for a pace of 0).
int SpeedValue(int pace, int unit);

}  // namespace qv
