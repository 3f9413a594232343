#include "race/section_rows.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "race/numtext.h"
#include "race/cell_format.h"
#include "race/comparison.h"
#include "race/race_math.h"
#include "res/strings.h"

namespace qv {

const char* const kListHeaders[kListColumnCount + 1] = {
    N_("区間"),     N_("出発"),         N_("到着"),
    N_("ロスタイム"), N_("出発時間"),     N_("到着時間"),
    N_("ラップタイム"), N_("速度"),       N_("比較差")};

namespace {

// An entered or a computed section's cells: both carry the same times.
template <typename Section>
ListRow Cells(std::string first, const Section& s, int speed, int unit,
              Language lang) {
  return {std::move(first),
          KmText(s.startKm),
          KmText(s.endKm),
          MinutesText(s.loss, lang),
          HoursText(s.departure, lang),
          HoursText(s.arrival, lang),
          HoursText(s.lap, lang),
          SpeedText(speed, unit, lang)};
}

}  // namespace

ListRow EnteredRow(const RaceFileSection& s, int i, Language lang) {
  return Cells(FormatInt(i + 1), s, s.pace, 0, lang);
}

ListRow ComputedRow(const ComputedRace& computed, int i, SpeedUnit unit,
                    const ComputedRace* comparison, Language lang) {
  const int n = static_cast<int>(computed.sections.size());
  const ComputedSection& c =
      i == n ? computed.totals : computed.sections[static_cast<std::size_t>(i)];
  ListRow row =
      Cells(i == n ? std::string(kTotalsRowText.In(lang)) : FormatInt(i + 1),
            c, SpeedValue(c.pace, static_cast<int>(unit)),
            static_cast<int>(unit), lang);
  if (comparison != nullptr) {
    // The current arrival minus the comparison's time at the same point;
    // empty where the comparison has no time.
    const std::optional<int> other = TimeAt(*comparison, c.endKm);
    row.push_back(other ? DifferenceText(SatSub(c.arrival, *other), lang)
                        : std::string());
  }
  return row;
}

SectionRows ListRows(const Race& race, const ComputedRace* computed,
                     const ComputedRace* comparison, Language lang) {
  SectionRows table;
  const int columns = kListColumnCount + (comparison != nullptr ? 1 : 0);
  for (int k = 0; k < columns; ++k) table.headers.push_back(Tr(lang, kListHeaders[k]));
  const int sections = static_cast<int>(race.sections.size());
  const int computedCount =
      computed != nullptr ? static_cast<int>(computed->sections.size()) : 0;
  for (int i = 0; i < std::max(sections, computedCount); ++i) {
    table.rows.push_back(
        i < computedCount
            ? ComputedRow(*computed, i, race.speedUnit, comparison, lang)
            : EnteredRow(race.sections[static_cast<std::size_t>(i)], i, lang));
  }
  if (computed != nullptr)
    table.rows.push_back(
        ComputedRow(*computed, computedCount, race.speedUnit, comparison, lang));
  return table;
}

}  // namespace qv
