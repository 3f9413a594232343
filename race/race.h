// A race as a value: what the user enters and what a race file holds. The
// readers (race file, watch records) return one, the calculation is a
// function of it and the dialog shows and edits it.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace qv {

inline constexpr int kMaxSections = 45;

// Each setting is the index of its list's entry. The underlying int keeps
// any value a race file brings, so a file is written back as it was read.
enum class Priority : int { Arrival = 0, Lap = 1, Speed = 2 };
enum class Condition : int { Gross = 0, Net = 1 };
enum class SpeedUnit : int {
  PerKm = 0,
  Per400m = 1,
  Per200m = 2,
  Per100m = 3,
  Kmh = 4
};
enum class InputAssist : int { On = 0, Off = 1 };
enum class GraphAxis : int { Normal = 0, Reversed = 1 };

// One entered section: times in hundredths of a second (departure and
// arrival on the race clock, loss and lap as durations, pace per km),
// points in km from the race start.
struct RaceFileSection {
  double startKm = 0.0;
  int loss = 0;
  int departure = 0;
  double endKm = 0.0;
  int arrival = 0;
  int lap = 0;
  int pace = 0;
  // Distances compare bit for bit: a NaN equals itself, so a race is the
  // same as its copy (undo, the unsaved question), and -0 is not 0, which
  // a file writes differently. Every field, in order: one added to the
  // section and not here fails to compile.
  auto Bits() const {
    const auto& [start, lossTime, depart, end, arrive, lapTime, paceTime] =
        *this;
    return std::tuple(std::bit_cast<std::uint64_t>(start), lossTime, depart,
                      std::bit_cast<std::uint64_t>(end), arrive, lapTime,
                      paceTime);
  }
  friend bool operator==(const RaceFileSection& a, const RaceFileSection& b) {
    return a.Bits() == b.Bits();
  }
};

// A text kept once however many hold it: the race on screen and every
// undo step share a comment of megabytes rather than copy it.
class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string text)  // NOLINT: a text is a shared text
      : m_text(std::make_shared<const std::string>(std::move(text))) {}
  SharedText(const char* text) : SharedText(std::string(text)) {}

  const std::string& str() const {
    static const std::string kEmpty;
    return m_text ? *m_text : kEmpty;
  }
  operator const std::string&() const { return str(); }
  bool empty() const { return str().empty(); }
  std::size_t size() const { return str().size(); }
  bool SameStorage(const SharedText& other) const {
    return m_text == other.m_text;
  }
  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.m_text == b.m_text || a.str() == b.str();
  }
  friend std::ostream& operator<<(std::ostream& out, const SharedText& text);

 private:
  std::shared_ptr<const std::string> m_text;
};

// Texts are UTF-8.
struct Race {
  std::string eventName;
  Priority priority = Priority::Arrival;
  Condition condition = Condition::Gross;
  SpeedUnit speedUnit = SpeedUnit::PerKm;
  InputAssist inputAssist = InputAssist::On;
  GraphAxis graphAxis = GraphAxis::Normal;
  // At most kMaxSections: the race file reader, the record import and the
  // editing (race/editing.h) refuse more, so nothing downstream clamps.
  std::vector<RaceFileSection> sections;
  SharedText comment;
  friend bool operator==(const Race&, const Race&) = default;
};

}  // namespace qv
