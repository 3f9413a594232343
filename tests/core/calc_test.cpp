// The dialog's own commands: clear, close, the version dialog, the window
// colours. What compute shows, golden_check.sh keeps.
#include <gtest/gtest.h>

#include <vector>

#include "app/race_app.h"
#include "race_fixture.h"
#include "res/strings.h"

namespace qv::testing {
namespace {

using CalcTest = RaceFixture;

const std::vector<EnteredSection> kTwo = {
    {0, 5, 0, 0, 150000, 150000, 30000},
    {5, 10, 6000, 156000, 312000, 156000, 31200}};

// Before a clear, an edit is unsaved work: closing asks and No keeps the
// dialog. Clear leaves nothing entered, computed, shown or unsaved, so
// closing then asks nothing.
TEST_F(CalcTest, ClearLeavesNothingAndCloseAsksOnlyBeforeIt) {
  Enter(kTwo);
  Compute(0, 0);
  Click({1});
  platform.Text(IDC_EVENT_NAME).SetText("c");
  dlg.OnUserEdit(IDC_EVENT_NAME);
  dlg.OnCancel();
  EXPECT_FALSE(platform.endResult.has_value());
  platform.yesNoAnswers.assign(1, true);
  EXPECT_TRUE(dlg.OnCommand(IDC_CLEAR));
  EXPECT_EQ(platform.questions,
            (std::vector<std::string>{std::string(kMsgConfirmQuit),
                                      std::string(kMsgConfirmClear)}));
  EXPECT_EQ((std::vector<int>{dlg.SectionCount(), dlg.m_nSelected, Rows(),
                              dlg.IsModified(), dlg.m_computation.has_value()}),
            (std::vector<int>{0, -1, 0, 0, 0}));
  EXPECT_EQ(Text(IDC_START_KM) + Text(IDC_END_KM) + Text(IDC_SECTION_NO) +
                Text(IDC_EVENT_NAME),
            "001");
  EXPECT_EQ(Lists(), std::vector<int>(14, 0));
  dlg.OnCancel();
  EXPECT_EQ(platform.questions.size(), 2u);
  EXPECT_EQ(platform.endResult, IDCANCEL);
}

// Only the version item's command opens the version dialog, whatever the
// four low bits the system uses. Without an application object the dialog
// sets its own colours: seven presses go round the six pairs to the first.
TEST_F(CalcTest, VersionDialogAndWindowColours) {
  for (unsigned low : {0x0u, 0x1u, 0xFu}) dlg.OnSysCommand(IDM_ABOUTBOX | low);
  for (unsigned other : {0x0020u, 0xF060u, 0x0000u}) dlg.OnSysCommand(other);
  EXPECT_EQ(platform.aboutDialogs, 3);
  for (int k = 0; k < 7; ++k) {
    EXPECT_TRUE(dlg.OnCommand(IDC_WINDOW_COLOR));
    EXPECT_EQ(platform.dialogBackground, ColorScheme(k % 6).background);
    EXPECT_EQ(platform.dialogText, ColorScheme(k % 6).text);
  }
  EXPECT_EQ(platform.invalidations, 7);
  EXPECT_EQ(dlg.m_nColor, 1);
}

}  // namespace
}  // namespace qv::testing
