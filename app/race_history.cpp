#include "app/race_history.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace qv {

namespace {

// A comment equal to the neighbour's shares its copy.
void ShareTexts(RaceSnapshot& step, const RaceSnapshot& neighbour) {
  if (step.race.comment == neighbour.race.comment)
    step.race.comment = neighbour.race.comment;
}

// What a step adds to the history's memory beside the step below it.
std::size_t OwnBytes(const RaceSnapshot& step, const RaceSnapshot* below) {
  std::size_t bytes = sizeof(RaceSnapshot) + step.race.eventName.size() +
                      step.filePath.size();
  if (below == nullptr || !step.race.comment.SameStorage(below->race.comment))
    bytes += step.race.comment.size();
  return bytes;
}

}  // namespace

bool RaceSnapshot::SameRace(const RaceSnapshot& o) const {
  return race == o.race && settingsLists == o.settingsLists;
}

void RaceHistory::Push(std::deque<Entry>& stack, RaceSnapshot race,
                       std::uint64_t state) {
  const RaceSnapshot* below = stack.empty() ? nullptr : &stack.back().race;
  if (below != nullptr) ShareTexts(race, *below);
  const std::size_t bytes = OwnBytes(race, below);
  stack.push_back(Entry{std::move(race), state, bytes});
  m_bytes += bytes;
  if (stack.size() > kMaxSteps) DropOldest(stack);
  Trim();
}

RaceHistory::Entry RaceHistory::PopBack(std::deque<Entry>& stack) {
  Entry entry = std::move(stack.back());
  stack.pop_back();
  m_bytes -= entry.bytes;
  return entry;
}

void RaceHistory::DropOldest(std::deque<Entry>& stack) {
  m_bytes -= stack.front().bytes;
  stack.pop_front();
  if (stack.empty()) return;
  // The new oldest step no longer shares with anything below it.
  Entry& front = stack.front();
  m_bytes -= front.bytes;
  front.bytes = OwnBytes(front.race, nullptr);
  m_bytes += front.bytes;
}

// The oldest undo steps go first, then the farthest redo steps.
void RaceHistory::Trim() {
  while (m_bytes > m_budget) {
    if (m_undo.size() > 1)
      DropOldest(m_undo);
    else if (m_redo.size() > 1)
      DropOldest(m_redo);
    else
      break;
  }
}

void RaceHistory::Command(const RaceSnapshot& before, const RaceSnapshot& after,
                          Kind kind) {
  const bool changed = !before.SameRace(after);
  m_path = after.filePath;
  if (changed) {
    while (!m_redo.empty()) PopBack(m_redo);
    Push(m_undo, before, m_current);
    m_current = m_next++;
  }
  if (kind == Kind::Clear) m_cleared.insert(m_current);
  if (kind == Kind::Load) m_savedAt[m_path] = m_current;
}

void RaceHistory::Edited() { m_current = m_next++; }

void RaceHistory::Saved(const std::string& path) {
  m_path = path;
  m_savedAt[path] = m_current;
}

std::optional<RaceSnapshot> RaceHistory::Undo(const RaceSnapshot& now) {
  if (m_undo.empty()) return std::nullopt;
  Entry entry = PopBack(m_undo);
  Push(m_redo, now, m_current);
  m_current = entry.state;
  m_path = entry.race.filePath;
  return std::move(entry.race);
}

std::optional<RaceSnapshot> RaceHistory::Redo(const RaceSnapshot& now) {
  if (m_redo.empty()) return std::nullopt;
  Entry entry = PopBack(m_redo);
  Push(m_undo, now, m_current);
  m_current = entry.state;
  m_path = entry.race.filePath;
  return std::move(entry.race);
}

bool RaceHistory::Unsaved() const {
  const auto saved = m_savedAt.find(m_path);
  const bool asSaved = saved != m_savedAt.end() && saved->second == m_current;
  return !asSaved && m_cleared.count(m_current) == 0;
}

}  // namespace qv
