// The editing of a race's sections from what the panel reads, and the
// comparison of races, with nothing of the dialog linked.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <utility>
#include <vector>

#include "race/editing.h"

namespace qv {
namespace {

using Sections = std::vector<RaceFileSection>;

// {startKm, loss, departure, endKm, arrival, lap, pace}: A to C not linked,
// so any link an edit makes shows; X holds values the lists cannot show.
const RaceFileSection A{0, 1, 1, 5, 300, 1, 2}, B{6, 2, 9, 10, 600, 3, 4},
    C{11, 3, 8, 15, 900, 5, 6},
    X{1.0 / 3, 360000, -7, 2.0 / 3, 43200000, -5, INT_MIN};
const PanelReading kPanel{"2", "4.5", 4, 480, 420, 180};

Race Of(Sections sections) {
  Race race;
  race.sections = std::move(sections);
  return race;
}

// The panel's section departs after its loss from the previous arrival (a
// first one after its loss alone), the next one starts where it arrives,
// one moving up to first starts at km 0; nothing else moves.
TEST(Editing, AppendInsertAndDeleteLinkTheNeighbours) {
  enum Op { Append, Insert, Delete };
  // clang-format off
  const struct { Op op; int at; Sections after; } cases[] = {
      {Append, 0, {A, B, C, {2, 4, 904, 4.5, 480, 420, 180}}},
      {Insert, 0, {{2, 4, 4, 4.5, 480, 420, 180}, {4.5, 1, 481, 5, 300, 1, 2},
                   B, C}},
      {Insert, 2, {A, B, {2, 4, 604, 4.5, 480, 420, 180},
                   {4.5, 3, 483, 15, 900, 5, 6}}},
      {Insert, 3, {A, B, C}},
      {Delete, 0, {{0, 2, 2, 10, 600, 3, 4}, C}},
      {Delete, 1, {A, {5, 3, 303, 15, 900, 5, 6}}},
      {Delete, 2, {A, B}},
      {Delete, -1, {A, B, C}},
  };
  // clang-format on
  for (const auto& [op, at, after] : cases) {
    Race race = Of({A, B, C});
    const EditResult result = op == Append   ? AppendSection(race, kPanel)
                              : op == Insert ? InsertSection(race, at, kPanel)
                                             : DeleteSection(race, at);
    EXPECT_EQ(race.sections, after) << op << " " << at;
    EXPECT_EQ(result == EditResult::Changed, after.size() != 3);
  }
  // A full race takes no more.
  const Race full = Of(Sections(kMaxSections, B));
  Race race = full;
  EXPECT_EQ(AppendSection(race, kPanel), EditResult::Full);
  EXPECT_EQ(InsertSection(race, 0, kPanel), EditResult::Full);
  EXPECT_EQ(race, full);
}

// A field that still reads as the section shows it keeps its exact value;
// an edited one is stored and the next section starts where it arrives; a
// change that changes nothing touches nothing, not even the next link.
TEST(Editing, ChangeStoresOnlyWhatNoLongerReadsAsShown) {
  const Sections before{A, B, C, X};
  // clang-format off
  const struct { int at; void (*edit)(PanelReading&); Sections after; }
  cases[] = {
      {1, [](PanelReading&) {}, before},
      {1, [](PanelReading& p) { p.startKm = "6.0"; }, before},
      {1, [](PanelReading& p) { p.endKm = "12"; },
       {A, {6, 2, 9, 12, 600, 3, 4}, {12, 3, 603, 15, 900, 5, 6}, X}},
      {1, [](PanelReading& p) { p.loss = 5; },
       {A, {6, 5, 305, 10, 600, 3, 4}, {10, 3, 603, 15, 900, 5, 6}, X}},
      {0, [](PanelReading& p) { p.arrival = 360; },
       {{0, 1, 1, 5, 360, 1, 2}, {5, 2, 362, 10, 600, 3, 4}, C, X}},
      {3, [](PanelReading&) {}, before},
      {3, [](PanelReading& p) { p.loss = 1000; },
       {A, B, C, {1.0 / 3, 1000, 1900, 2.0 / 3, 43200000, -5, INT_MIN}}},
      {4, [](PanelReading&) {}, before},
  };
  // clang-format on
  for (const auto& c : cases) {
    Race race = Of(before);
    PanelReading panel = c.at < 4 ? PanelShowing(before[c.at]) : kPanel;
    c.edit(panel);
    const EditResult result = ChangeSection(race, c.at, panel);
    EXPECT_EQ(race.sections, c.after) << &c - cases;
    EXPECT_EQ(result == EditResult::Changed, c.after != before);
  }
}

// The lists reach 99:59:59.99 and 59:59.99; the next section starts where
// the appended one ends, with the assist as long and as fast.
TEST(Editing, PanelShowingAndTheProposal) {
  EXPECT_EQ(PanelShowing(X),
            (PanelReading{"0.333333", "0.666667", 359999, 35999999, 0, 0}));
  EXPECT_EQ(PanelShowing({-0.0, -1, 0, 0, -1, 0, 0}),
            (PanelReading{"-0", "0", 0, 0, 0, 0}));
  const PanelReading appended{"5", "10.0", 1, 2, 3, 4};
  const RaceFileSection s{5, 100, 30100, 10, 60000, 29900, 5980};
  EXPECT_EQ(ProposeNext(appended, s, true),
            (PanelReading{"10.0", "15", 100, 89900, 29900, 5980}));
  EXPECT_EQ(ProposeNext(appended, s, false),
            (PanelReading{"10.0", "", 0, 0, 0, 0}));
  EXPECT_EQ(ProposeNext(appended, {0, 0, INT_MIN, 0, INT_MAX, 0, 0}, true)
                .arrival,
            INT_MAX);
}

// Every setting and every value of a section counts, distances bit for
// bit: a NaN equals itself (a race equals its copy), -0 is not 0 (a file
// writes it differently).
TEST(RaceEquality, EveryValueCountsAndDistancesCompareByBits) {
  const Race a = Of(Sections(2, {0.0, 1, 2, std::nan(""), 4, 5, 6}));
  const std::vector<void (*)(Race&)> changes = {
      [](Race& r) { r.priority = Priority::Lap; },
      [](Race& r) { r.condition = Condition::Net; },
      [](Race& r) { r.speedUnit = SpeedUnit::Kmh; },
      [](Race& r) { r.inputAssist = InputAssist::Off; },
      [](Race& r) { r.graphAxis = GraphAxis::Reversed; },
      [](Race& r) { r.sections[1].startKm = -0.0; },
      [](Race& r) { r.sections[1].endKm = 3; },
  };
  EXPECT_EQ(a, Race(a));
  for (std::size_t k = 0; k < changes.size(); ++k) {
    Race b = a;
    changes[k](b);
    EXPECT_NE(a, b) << k;
  }
  using S = RaceFileSection;
  for (int S::*field :
       {&S::loss, &S::departure, &S::arrival, &S::lap, &S::pace}) {
    Race b = a;
    ++(b.sections[1].*field);
    EXPECT_NE(a, b);
  }
}

}  // namespace
}  // namespace qv
