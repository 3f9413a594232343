// The undo and redo history of a race: whole-race snapshots (a race is at
// most 45 sections, so a copy is cheaper than a log of inverse edits), and
// which of its states are what was last saved or loaded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "race/race.h"

namespace qv {

// Everything of a race that its file holds, plus the settings lists'
// selections, which load changes with the settings.
struct RaceSnapshot {
  using Section = RaceFileSection;
  // The whole race; its comment's storage is shared with the race on
  // screen and the neighbouring steps (it can be megabytes long and rarely
  // changes from one command to the next).
  Race race;
  // The selections of the five settings lists: priority, condition, speed
  // unit, input assist, graph axis.
  std::array<int, 5> settingsLists{};
  // The race file this race is (or the record it came from): what save
  // writes and exports must not overwrite, so it follows undo and redo.
  std::string filePath;

  // Same race: the race's own comparison (distances bit for bit, so a NaN
  // from a file still equals itself), the texts and the lists.
  bool SameRace(const RaceSnapshot& other) const;
};

class RaceHistory {
 public:
  // Older states are forgotten past this many undo steps, or once the
  // texts the history holds pass the byte budget: a 16 MiB comment edited
  // a thousand times would otherwise take 16 GB. The newest step each way
  // is kept whatever its size.
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kTextBudget = 256u * 1024u * 1024u;

  explicit RaceHistory(std::size_t textBudget = kTextBudget)
      : m_budget(textBudget) {}

  enum class Kind { Edit, Clear, Load };
  // A command ran: before is the race it found, after the race it left.
  // A changed race is a step (and unsaved); a Load took after from its file
  // (saved as it is), a Clear left an empty race that counts as nothing to
  // lose without being the saved one. Only a load or clear that happened is
  // told as one.
  void Command(const RaceSnapshot& before, const RaceSnapshot& after,
               Kind kind);
  // The user typed into the event name or the comment.
  void Edited();
  // The race on screen was saved to path.
  void Saved(const std::string& path);

  bool CanUndo() const { return !m_undo.empty(); }
  bool CanRedo() const { return !m_redo.empty(); }
  // now is the race on screen; the result is the one to show instead.
  std::optional<RaceSnapshot> Undo(const RaceSnapshot& now);
  std::optional<RaceSnapshot> Redo(const RaceSnapshot& now);

  // Whether the race on screen differs from what its file last held, as
  // saved or loaded (and is not a freshly cleared race).
  bool Unsaved() const;

  // The bytes of the texts the history holds (a text shared by two
  // neighbouring steps counted once), never far above the budget.
  std::size_t HeldBytes() const { return m_bytes; }

 private:
  struct Entry {
    RaceSnapshot race;
    std::uint64_t state = 0;
    // The texts of this step that the one below it does not share.
    std::size_t bytes = 0;
  };
  void Push(std::deque<Entry>& stack, RaceSnapshot race, std::uint64_t state);
  Entry PopBack(std::deque<Entry>& stack);
  void DropOldest(std::deque<Entry>& stack);
  void Trim();

  std::deque<Entry> m_undo;
  std::deque<Entry> m_redo;
  // Every distinct race state gets a number; equal numbers, same race.
  std::uint64_t m_current = 0;
  std::uint64_t m_next = 1;
  // The file of the race on screen, and the state each file last held:
  // undo back to a loaded race finds it saved again, unless that file has
  // since been written with another.
  std::string m_path;
  std::map<std::string, std::uint64_t> m_savedAt;
  // States made by clear; the dialog starts as one.
  std::set<std::uint64_t> m_cleared{0};
  std::size_t m_budget;
  std::size_t m_bytes = 0;
};

}  // namespace qv
