// The undo history on its own: steps of edits, imports, loads, a save and
// a clear, then undone and redone; after each, which race and file are on
// screen and whether they are unsaved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/race_history.h"

namespace qv {
namespace {

RaceSnapshot Step(const std::string& name, const std::string& path) {
  RaceSnapshot s;
  s.race.eventName = name;
  s.filePath = path;
  return s;
}

TEST(RaceHistory, UndoAndRedoThroughImportsLoadsSavesAndClears) {
  using Kind = RaceHistory::Kind;
  RaceHistory history;
  struct Expected {
    std::string name, path;
    bool unsaved;
  };
  // A cleared race; a.txt loaded; typed into; saved as b.txt; a record
  // imported; c.txt loaded; cleared.
  std::vector<Expected> shown = {{"", "", false}};
  RaceSnapshot now = Step("", "");
  const auto command = [&](RaceSnapshot after, Kind kind, bool unsaved) {
    history.Command(now, after, kind);
    now = after;
    shown.push_back({now.race.eventName, now.filePath, unsaved});
    EXPECT_EQ(history.Unsaved(), unsaved) << now.race.eventName;
  };
  command(Step("A", "a.txt"), Kind::Load, false);
  history.Edited();
  now.race.eventName = shown.back().name = "A typed";
  shown.back().unsaved = true;
  EXPECT_TRUE(history.Unsaved());
  history.Saved("b.txt");
  now.filePath = shown.back().path = "b.txt";
  shown.back().unsaved = false;
  EXPECT_FALSE(history.Unsaved());
  command(Step("Run", "run.fit"), Kind::Edit, true);
  command(Step("C", "c.txt"), Kind::Load, false);
  command(Step("", "c.txt"), Kind::Clear, false);
  // A command that changes nothing is no step and leaves the state.
  history.Command(now, now, Kind::Edit);
  for (std::size_t k = shown.size() - 1; k-- > 0;) {
    SCOPED_TRACE("undo to " + std::to_string(k));
    const std::optional<RaceSnapshot> back = history.Undo(now);
    ASSERT_TRUE(back);
    now = *back;
    EXPECT_EQ(now.race.eventName, shown[k].name);
    EXPECT_EQ(now.filePath, shown[k].path);
    EXPECT_EQ(history.Unsaved(), shown[k].unsaved);
  }
  EXPECT_FALSE(history.CanUndo());
  for (std::size_t k = 1; k < shown.size(); ++k) {
    SCOPED_TRACE("redo to " + std::to_string(k));
    now = *history.Redo(now);
    EXPECT_EQ(now.filePath, shown[k].path);
    EXPECT_EQ(history.Unsaved(), shown[k].unsaved);
  }
  // Another race saved over b.txt: the race b.txt held before is no longer
  // what it holds.
  history.Saved("b.txt");
  EXPECT_FALSE(history.Unsaved());
  for (int k = 0; k < 3; ++k) now = *history.Undo(now);
  EXPECT_EQ(now.filePath, "b.txt");
  EXPECT_TRUE(history.Unsaved());
}

}  // namespace
}  // namespace qv
