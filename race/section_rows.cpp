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

const ListColumn kListColumns[kListColumnCount + 1] = {
    {"区間", 4},       {"出発", 10},      {"到着", 10},
    {"ロスタイム", 12}, {"出発時間", 17}, {"到着時間", 17},
    {"ラップタイム", 17}, {"速度", 14},   {"比較差", 14},
};

ListRow EnteredRow(const RaceFileSection& s, int i, int columns) {
  ListRow row = {FormatInt(i + 1),     KmText(s.startKm),
                 KmText(s.endKm),      MinutesText(s.loss),
                 HoursText(s.departure), HoursText(s.arrival),
                 HoursText(s.lap),     MinutesText(s.pace)};
  row.resize(static_cast<std::size_t>(columns));
  return row;
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
  for (int k = 0; k < columns; ++k) table.headers.push_back(kListColumns[k].header);
  const int sections = static_cast<int>(race.sections.size());
  const int computedCount =
      computed != nullptr ? static_cast<int>(computed->sections.size()) : 0;
  for (int i = 0; i < std::max(sections, computedCount); ++i) {
    table.rows.push_back(
        i < computedCount
            ? ComputedRow(*computed, i, race.speedUnit, comparison)
            : EnteredRow(race.sections[static_cast<std::size_t>(i)], i,
                         columns));
  }
  if (computed != nullptr)
    table.rows.push_back(
        ComputedRow(*computed, computedCount, race.speedUnit, comparison));
  return table;
}

}  // namespace qv
