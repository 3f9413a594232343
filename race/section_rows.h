// The section list's texts as one table: the list shows it, the page
// prints it, the CSV and quorvane-report's list write it. A function of
// values, so nothing ever reads a cell back from the list.
#pragma once

#include <string>
#include <vector>

#include "race/compute.h"
#include "race/race.h"
#include "res/i18n.h"

namespace qv {

inline constexpr int kListColumnCount = 8;
inline constexpr int kSpeedColumn = 7;
// "比較差", shown while there is a race to compare with.
inline constexpr int kDifferenceColumn = 8;
extern const char* const kListHeaders[kListColumnCount + 1];

using ListRow = std::vector<std::string>;

struct SectionRows {
  std::vector<std::string> headers;
  std::vector<ListRow> rows;
};

// Entered section i as its row: the pace as time per km in every unit; no
// difference cell.
ListRow EnteredRow(const RaceFileSection& s, int i, Language lang);
// Row i of a computation, the totals at i == its section count; the
// difference from the comparison's time at the same point when given.
ListRow ComputedRow(const ComputedRace& computed, int i, SpeedUnit unit,
                    const ComputedRace* comparison, Language lang);

// What the list shows: the race's entered rows; or, after a compute, the
// computation's rows, the sections appended since as entered rows, and the
// totals row last. comparison (its computation) adds the ninth column.
// The texts are in the language given, headers included.
SectionRows ListRows(const Race& race, const ComputedRace* computed,
                     const ComputedRace* comparison, Language lang);

}  // namespace qv
