// Undo and redo on the dialog: random command sequences, then every step
// undone and redone, the race and the unsaved state checked at each one.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "file/race_file.h"
#include "res/resource.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

struct Point {
  RaceSnapshot race;
  bool cleared = false;  // made by clear, and not changed since
};

class UndoProperty : public ::testing::TestWithParam<unsigned> {
 protected:
  UndoProperty() { dlg.OnInitDialog(); }

  void SetPanel(std::mt19937& rng) {
    auto pick = [&](int n) {
      return std::uniform_int_distribution<int>(0, n - 1)(rng);
    };
    platform.Text(IDC_END_KM).SetText(std::to_string(1 + pick(40)));
    platform.Combo(IDC_ARR_MIN).SetCurSel(pick(60));
    platform.Combo(IDC_LAP_SEC).SetCurSel(pick(60));
    platform.Combo(IDC_LOSS_SEC).SetCurSel(pick(60));
  }

  void Select(int row) {
    platform.List().Select({row});
    long result = 1;
    dlg.OnNotifyClick(IDC_SECTION_LIST, &result);
  }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
  filetest::ScratchDir dir;
};

TEST_P(UndoProperty, UndoAllGivesTheFirstRaceAndRedoAllTheLast) {
  std::mt19937 rng(GetParam());
  auto pick = [&](int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
  };
  const std::string saved = dir.File("saved.txt");

  // points[k]: the race as the k-th undo step finds it, with the unsaved
  // state it must then show; the last is the race on screen.
  std::vector<Point> points{{dlg.TakeSnapshot(), true}};
  std::size_t savedPoint = SIZE_MAX;
  for (int step = 0; step < 60; ++step) {
    const int kind = pick(9);
    // What a command finds: the race as the user left it.
    points.back().race = dlg.TakeSnapshot();
    // Changed without a step of its own: no longer what was saved.
    auto changedInPlace = [&] {
      points.back().cleared = false;
      if (savedPoint == points.size() - 1) savedPoint = SIZE_MAX;
    };
    const RaceSnapshot before = dlg.TakeSnapshot();
    const bool unsavedBefore = dlg.IsModified();
    int id = 0;
    switch (kind) {
      case 0: case 1: SetPanel(rng); id = IDC_APPEND; break;
      case 2: Select(pick(dlg.m_nSections + 1)); SetPanel(rng); id = IDC_CHANGE; break;
      case 3: Select(pick(dlg.m_nSections + 1)); SetPanel(rng); id = IDC_INSERT; break;
      case 4: Select(pick(dlg.m_nSections + 1)); id = IDC_DELETE; break;
      case 5: platform.yesNoAnswers.push_back(pick(2) == 0); id = IDC_CLEAR; break;
      case 6:
        if (pick(2) == 0) {
          platform.saveAnswers.push_back(saved);
          id = IDC_SAVE;
        } else if (std::filesystem::exists(saved)) {
          platform.yesNoAnswers.push_back(true);
          platform.openAnswers.push_back(saved);
          id = IDC_LOAD;
        }
        break;
      case 7:
        platform.Text(IDC_COMMENT).SetText("c" + std::to_string(step));
        dlg.OnUserEdit(IDC_COMMENT);
        points.back().race = dlg.TakeSnapshot();
        changedInPlace();
        continue;
      default:
        dlg.OnCommand(IDC_COMPUTE);
        continue;
    }
    if (id == 0) continue;
    ASSERT_TRUE(dlg.OnCommand(id));
    const RaceSnapshot after = dlg.TakeSnapshot();
    if (!before.SameRace(after)) {
      points.push_back({after, false});
    } else if (dlg.IsModified()) {
      changedInPlace();
    }
    const bool changed = !before.SameRace(after);
    if (!dlg.IsModified() &&
        (id == IDC_SAVE || (id == IDC_LOAD && (changed || unsavedBefore))))
      savedPoint = points.size() - 1;
    if (!dlg.IsModified() && id == IDC_CLEAR) points.back().cleared = true;
  }
  points.back().race = dlg.TakeSnapshot();
  // Only the last save or load and the cleared races are nothing to lose.
  auto expectUnsaved = [&](std::size_t k) {
    return k != savedPoint && !points[k].cleared;
  };
  EXPECT_EQ(dlg.IsModified(), expectUnsaved(points.size() - 1));
  auto expectShown = [&](std::size_t k) {
    EXPECT_TRUE(dlg.TakeSnapshot().SameRace(points[k].race)) << "point " << k;
    EXPECT_EQ(dlg.IsModified(), expectUnsaved(k)) << "point " << k;
    // The list shows the entered rows, one per section.
    EXPECT_EQ(platform.List().GetItemCount(), points[k].race.sections);
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
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoProperty, ::testing::Range(1u, 25u));

// A command after an undo starts a new branch: what was undone is gone.
TEST(UndoTest, ACommandAfterAnUndoDropsTheRedo) {
  doubles::Platform platform;
  CRaceDlg dlg(platform);
  dlg.OnInitDialog();
  dlg.OnCommand(IDC_APPEND);
  dlg.OnCommand(IDC_APPEND);
  ASSERT_TRUE(dlg.Undo());
  EXPECT_TRUE(dlg.CanRedo());
  dlg.OnCommand(IDC_APPEND);
  EXPECT_FALSE(dlg.CanRedo());
  EXPECT_EQ(dlg.m_nSections, 2);
}

}  // namespace
}  // namespace qv
