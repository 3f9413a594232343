// The input panel and the section editing commands as the dialog runs
// them (the editing rules themselves: tests/race/editing_test.cpp), undo
// and redo.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "race/editing.h"
#include "race_fixture.h"
#include "res/strings.h"

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
