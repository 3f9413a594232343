// The input panel and the section editing commands as the dialog runs
// them (the editing rules themselves: tests/race/editing_test.cpp), undo
// and redo.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "race/editing.h"
#include "race_fixture.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"

namespace qv::testing {
namespace {

using InputCommands = RaceFixture;

// Each command reads the panel, edits the clicked section as race/editing.h
// says and shows the result: every row again, numbered, or append's row
// before the totals and its proposal. A section the lists cannot show
// reads back as shown, so a change without an edit touches nothing.
// Editing never computes.
TEST_F(InputCommands, CommandsEditAsTheRaceFunctionsAndShowTheResult) {
  using Edit = EditResult (*)(Race&, int, const PanelReading&);
  const struct {
    void (CRaceDlg::*command)();
    Edit edit;
    const char* endKm;  // typed into the panel, if anything
  } steps[] = {
      {&CRaceDlg::OnChange, ChangeSection, nullptr},
      {&CRaceDlg::OnChange, ChangeSection, "12"},
      {&CRaceDlg::OnInsert, InsertSection, nullptr},
      {&CRaceDlg::OnDelete,
       [](Race& r, int i, const PanelReading&) { return DeleteSection(r, i); },
       nullptr},
      {&CRaceDlg::OnAppend,
       [](Race& r, int, const PanelReading& p) { return AppendSection(r, p); },
       "20"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::Message() << "step " << (&step - steps));
    platform.yesNoAnswers.assign(1, true);
    dlg.OnClearData();
    Enter({{0, 5, 0, 0, 150000, 150000, 30000},
           {12.5, 123.4567, 360000, 0, 43200000, 10800000, INT_MIN}});
    for (int k = 0; k < 2; ++k) dlg.InsertEnteredRow(k);
    platform.List().InsertItem(2, kTotalsRowText);
    dlg.m_computation.emplace();
    Click({1});
    if (step.endKm != nullptr) platform.Text(IDC_END_KM).SetText(step.endKm);
    const PanelReading panel = dlg.ReadPanel();
    Race expected = dlg.m_race;
    const bool changes = step.edit(expected, 1, panel) == EditResult::Changed;
    dlg.RunCommand(step.command, CRaceDlg::Step::Edit);
    EXPECT_EQ(dlg.m_race, expected);
    EXPECT_EQ(dlg.IsModified(), changes);
    EXPECT_EQ(dlg.m_computation, ComputedRace{});
    const int n = dlg.SectionCount();
    const bool appended = step.command == &CRaceDlg::OnAppend;
    EXPECT_EQ(Rows(), changes && !appended ? n : n + 1);
    EXPECT_EQ(Cell(n - 1, 0), std::to_string(n));
    if (appended) {
      EXPECT_EQ(dlg.ReadPanel(),
                ProposeNext(panel, expected.sections[2], true));
      EXPECT_EQ(Text(IDC_SECTION_NO), "4");
    }
  }
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(1);
  dlg.OnAppend();
  EXPECT_EQ(dlg.ReadPanel(), (PanelReading{"27.5", "", 0, 0, 0, 0}));
  // The lists as hours, minutes, seconds and hundredths, both ways.
  const std::vector<int> lists = {1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const PanelReading read{"5", "10", 6203, 372304, 1836708, 55011};
  Fill("5", "10", lists);
  EXPECT_EQ(dlg.ReadPanel(), read);
  dlg.ShowPanel({"5", "10", 0, 0, 0, 0});
  dlg.ShowPanel(read);
  EXPECT_EQ(Lists(), lists);
  // A full race says so and stays as it is.
  dlg.m_race.sections.assign(MAX_SECTIONS, {});
  const Race full = dlg.m_race;
  dlg.OnInsert();
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_race, full);
  EXPECT_EQ(platform.messages,
            (std::vector<std::string>(2, std::string(kMsgSectionsFull))));
}

// Undo and redo: random command sequences, then every step undone and
// redone, the race and the unsaved state checked at each one.
class Undo : public RaceFixture,
             public ::testing::WithParamInterface<unsigned> {};

TEST_P(Undo, UndoAllGivesTheFirstRaceAndRedoAllTheLast) {
  std::mt19937 rng(GetParam());
  auto pick = [&](int n) { return static_cast<int>(rng() % unsigned(n)); };
  filetest::ScratchDir dir;
  const std::string saved = dir.File("saved.txt");
  // The race each undo step finds; cleared: made by clear, unchanged since.
  struct Point {
    RaceSnapshot race;
    bool cleared;
  };
  std::vector<Point> points{{dlg.TakeSnapshot(), true}};
  std::size_t savedPoint = SIZE_MAX;  // the last saved or loaded
  const int ids[] = {IDC_APPEND, IDC_CHANGE, IDC_INSERT, IDC_DELETE,
                     IDC_CLEAR,  IDC_SAVE,   IDC_LOAD,   IDC_COMMENT};
  for (int step = 0; step < 60; ++step) {
    const RaceSnapshot before = dlg.TakeSnapshot();
    const bool unsavedBefore = dlg.IsModified();
    const int id = ids[pick(8)];
    if (id != IDC_APPEND) Click({pick(dlg.SectionCount() + 1)});
    platform.Text(IDC_END_KM).SetText(std::to_string(1 + pick(40)));
    for (int list : {IDC_ARR_MIN, IDC_LAP_SEC, IDC_LOSS_SEC})
      platform.Combo(list).SetCurSel(pick(60));
    platform.yesNoAnswers.assign(1, pick(2));
    if (id == IDC_SAVE) platform.saveAnswers.assign(1, saved);
    if (id == IDC_LOAD) platform.openAnswers.assign(1, saved);
    if (id == IDC_LOAD && !std::filesystem::exists(saved)) continue;
    if (id == IDC_COMMENT) {
      platform.Text(IDC_COMMENT).SetText("c" + std::to_string(step));
      dlg.OnUserEdit(IDC_COMMENT);
      dlg.OnUserEdit(IDC_COMMENT);
    } else {
      ASSERT_TRUE(dlg.OnCommand(id));
      if (pick(3) == 0) dlg.OnCommand(IDC_COMPUTE);
    }
    const bool changed = !before.SameRace(dlg.TakeSnapshot());
    if (changed && id != IDC_COMMENT) points.push_back({{}, false});
    // Changed without a step of its own: no longer what was saved.
    if (id == IDC_COMMENT || (!changed && dlg.IsModified())) {
      points.back().cleared = false;
      if (savedPoint == points.size() - 1) savedPoint = SIZE_MAX;
    }
    points.back().race = dlg.TakeSnapshot();
    if (!dlg.IsModified() &&
        (id == IDC_SAVE || (id == IDC_LOAD && (changed || unsavedBefore))))
      savedPoint = points.size() - 1;
    if (!dlg.IsModified() && id == IDC_CLEAR) points.back().cleared = true;
  }
  auto expectShown = [&](std::size_t k) {
    EXPECT_TRUE(dlg.TakeSnapshot().SameRace(points[k].race)) << k;
    // Only the last save or load and a cleared race are nothing to lose.
    EXPECT_EQ(dlg.IsModified(), k != savedPoint && !points[k].cleared) << k;
    EXPECT_EQ(Rows(), static_cast<int>(points[k].race.race.sections.size()))
        << k;  // the entered rows
  };
  for (std::size_t k = points.size() - 1; k-- > 0;) {
    ASSERT_TRUE(dlg.Undo());
    expectShown(k);
  }
  EXPECT_FALSE(dlg.Undo());
  for (std::size_t k = 1; k < points.size(); ++k) {
    ASSERT_TRUE(dlg.Redo());
    expectShown(k);
  }
  EXPECT_FALSE(dlg.Redo());
  // A command after an undo starts a new branch: what was undone is gone.
  dlg.OnCommand(IDC_APPEND);
  ASSERT_TRUE(dlg.Undo());
  EXPECT_TRUE(dlg.CanRedo());
  dlg.OnCommand(IDC_APPEND);
  EXPECT_FALSE(dlg.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(Seeds, Undo, ::testing::Range(1u, 17u));

// The same race: the race (every value of it counts: RaceEquality), the
// texts, shared or not, and the settings lists' selections.
TEST(RaceSnapshot, SameRaceIsTheRaceTheTextsAndTheLists) {
  RaceSnapshot a;
  a.race.sections.assign(1, {std::nan(""), 1, 2, 3, 4, 5, 6});
  RaceSnapshot b = a;
  b.race.comment = std::string();  // empty, stored or not
  EXPECT_TRUE(a.SameRace(b));
  b.race.comment = "c";
  EXPECT_FALSE(a.SameRace(b));
  b = a;
  b.race.eventName = "e";
  EXPECT_FALSE(a.SameRace(b));
  b = a;
  b.settingsLists[4] = 1;
  EXPECT_FALSE(a.SameRace(b));
}

// A long comment typed into between edits: the history forgets its oldest
// steps rather than keep a copy of the comment for every one, and the
// steps it keeps undo in order.
TEST_F(InputCommands, UndoHistoryKeepsLongTextsWithinItsBudget) {
  constexpr int kRounds = 24;
  constexpr std::size_t kLength = RaceHistory::kTextBudget / 16;
  std::string comment(kLength, 'x');
  for (int round = 0; round < kRounds; ++round) {
    comment[static_cast<std::size_t>(round)] = 'y';
    platform.Text(IDC_COMMENT).SetText(comment);
    dlg.OnUserEdit(IDC_COMMENT);
    dlg.OnUserEdit(IDC_COMMENT);
    ASSERT_TRUE(dlg.OnCommand(IDC_APPEND));
  }
  int steps = 0;
  while (dlg.Undo()) {
    ++steps;
    // Undoing append k shows the race before it: k sections, the comment
    // as typed in round k.
    const int round = kRounds - steps;
    ASSERT_EQ(dlg.SectionCount(), round);
    ASSERT_EQ(Rows(), round);  // the list shows them
    const std::string shown = Text(IDC_COMMENT);
    ASSERT_EQ(shown.size(), kLength);
    ASSERT_EQ(std::count(shown.begin(), shown.begin() + kRounds, 'y'),
              round + 1);
  }
  EXPECT_GE(steps, 8);
  EXPECT_LE(steps, 17);
}

}  // namespace
}  // namespace qv::testing
