#include "race/section_rows.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "race/numtext.h"
#include "race/cell_format.h"
#include "race/comparison.h"
#include "race/race_math.h"
#include "res/strings.h"

namespace qv {

const char* const kListHeaders[kListColumnCount + 1] = {
    "区間",     "出発",     "到着",         "ロスタイム", "出発時間",
    "到着時間", "ラップタイム", "速度",         "比較差"};

ListRow EnteredRow(const RaceFileSection& s, int i) {
  return {FormatInt(i + 1),       KmText(s.startKm),     KmText(s.endKm),
          MinutesText(s.loss),    HoursText(s.departure), HoursText(s.arrival),
          HoursText(s.lap),       MinutesText(s.pace)};
}

ListRow ComputedRow(const ComputedRace& computed, int i, SpeedUnit unit,
                    const ComputedRace* comparison) {
  const int n = static_cast<int>(computed.sections.size());
  const ComputedSection& c =
      i == n ? computed.totals : computed.sections[static_cast<std::size_t>(i)];
  const int speed = SpeedValue(c.pace, static_cast<int>(unit));
  ListRow row = {i == n ? std::string(kTotalsRowText) : FormatInt(i + 1),
                 KmText(c.startKm),
                 KmText(c.endKm),
                 MinutesText(c.loss),
                 HoursText(c.departure),
                 HoursText(c.arrival),
                 HoursText(c.lap),
                 unit == SpeedUnit{kKmhUnit} ? KmhText(speed)
                                             : MinutesText(speed)};
  if (comparison != nullptr) {
    // The current arrival minus the comparison's time at the same point;
    // empty where the comparison has no time.
    const std::optional<int> other = TimeAt(*comparison, c.endKm);
    row.push_back(other ? DifferenceText(SatSub(c.arrival, *other))
                        : std::string());
  }
  return row;
}

SectionRows ListRows(const Race& race, const ComputedRace* computed,
                     const ComputedRace* comparison) {
  SectionRows table;
  const int columns = kListColumnCount + (comparison != nullptr ? 1 : 0);
  for (int k = 0; k < columns; ++k) table.headers.push_back(kListHeaders[k]);
  const int sections = static_cast<int>(race.sections.size());
  const int computedCount =
      computed != nullptr ? static_cast<int>(computed->sections.size()) : 0;
  for (int i = 0; i < std::max(sections, computedCount); ++i) {
    table.rows.push_back(
        i < computedCount
            ? ComputedRow(*computed, i, race.speedUnit, comparison)
            : EnteredRow(race.sections[static_cast<std::size_t>(i)], i));
  }
  if (computed != nullptr)
    table.rows.push_back(
        ComputedRow(*computed, computedCount, race.speedUnit, comparison));
  return table;
}

}  // namespace qv
