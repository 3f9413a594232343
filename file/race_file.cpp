#include "file/race_file.h"

#include <algorithm>
#include <optional>

#include "race/numtext.h"
#include "file/cp932.h"

namespace qv {

namespace {

constexpr char kCtrlZ = '\x1A';

// Lines by position; a line the text does not have reads as empty.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : m_text(text) {}

  bool AtEnd() const { return m_pos >= m_text.size(); }
  // Every line not read yet, line ends included.
  std::string_view Rest() const {
    return AtEnd() ? std::string_view() : m_text.substr(m_pos);
  }

  // The next line without its LF.
  std::string_view Next() {
    if (AtEnd()) return {};
    const std::size_t lf = m_text.find('\n', m_pos);
    const std::size_t end = lf == std::string_view::npos ? m_text.size() : lf;
    const std::string_view line = m_text.substr(m_pos, end - m_pos);
    m_pos = lf == std::string_view::npos ? m_text.size() : lf + 1;
    return line;
  }

 private:
  std::string_view m_text;
  std::size_t m_pos = 0;
};

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += '\n';
}

}  // namespace

// Both translations copy the runs between line ends whole: a race file
// may be 16 MiB.
std::string TextModeToDisk(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t lf = std::min(text.find('\n', pos), text.size());
    out.append(text.substr(pos, lf - pos));
    if (lf == text.size()) break;
    out += "\r\n";
    pos = lf + 1;
  }
  return out;
}

std::string TextModeFromDisk(std::string_view bytes) {
  const std::size_t eof = bytes.find(kCtrlZ);
  if (eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  std::string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t crlf = std::min(bytes.find("\r\n", pos), bytes.size());
    out.append(bytes.substr(pos, crlf - pos));
    if (crlf == bytes.size()) break;
    out += '\n';  // the LF stands for the pair
    pos = crlf + 2;
  }
  return out;
}

bool LooksLikeRaceFile(std::string_view bytes) {
  const std::size_t eof = bytes.find(kCtrlZ);
  if (eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  std::size_t pos = bytes.find('\n');
  for (int line = 0; line < 6; ++line) {
    if (pos == std::string_view::npos) return false;
    const std::size_t start = pos + 1;
    pos = bytes.find('\n', start);
    std::string_view text = bytes.substr(
        start, (pos == std::string_view::npos ? bytes.size() : pos) - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
      text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
      text.remove_suffix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
      text.remove_prefix(1);
    if (text.empty() ||
        text.find_first_not_of("0123456789") != std::string_view::npos)
      return false;
  }
  return true;
}

RaceReadResult ReadRaceFile(std::string_view bytes) {
  RaceReadResult result;
  if (bytes.size() > kRaceFileMaxBytes) {
    result.status = RaceReadStatus::TooLarge;
    return result;
  }
  const std::string text = TextModeFromDisk(bytes);
  LineReader lines(text);
  RaceFileData& race = result.race;

  race.eventName = Cp932ToUtf8(lines.Next());
  race.priority = Priority{ParseInt(lines.Next())};
  race.condition = Condition{ParseInt(lines.Next())};
  race.speedUnit = SpeedUnit{ParseInt(lines.Next())};
  race.inputAssist = InputAssist{ParseInt(lines.Next())};
  race.graphAxis = GraphAxis{ParseInt(lines.Next())};
  const int count = ParseInt(lines.Next());
  if (count < 0 || count > kRaceFileMaxSections) {
    result = RaceReadResult{};
    result.status = RaceReadStatus::BadSectionCount;
    return result;
  }
  race.sections.resize(static_cast<std::size_t>(count));

  for (RaceFileSection& s : race.sections) {
    s.startKm = ParseDouble(lines.Next());
    s.loss = ParseInt(lines.Next());
    s.departure = ParseInt(lines.Next());
    s.endKm = ParseDouble(lines.Next());
    s.arrival = ParseInt(lines.Next());
    s.lap = ParseInt(lines.Next());
    s.pace = ParseInt(lines.Next());
  }

  // Every remaining line, blank ones included, followed by one LF.
  std::string comment(lines.Rest());
  if (!comment.empty() && comment.back() != '\n') comment += '\n';
  race.comment = Cp932ToUtf8(comment);
  return result;
}

RaceWriteResult WriteRaceFile(const RaceFileData& race) {
  RaceWriteResult result;
  if (race.sections.size() > static_cast<std::size_t>(kRaceFileMaxSections)) {
    result.status = RaceWriteStatus::BadSectionCount;
    return result;
  }
  // LF and Ctrl-Z never occur inside a double-byte character, so looking
  // for them in the converted bytes is safe.
  const std::optional<std::string> name = Utf8ToCp932(race.eventName);
  if (!name || name->find('\n') != std::string::npos ||
      name->find(kCtrlZ) != std::string::npos) {
    result.status = RaceWriteStatus::BadEventName;
    return result;
  }
  const std::optional<std::string> comment = Utf8ToCp932(race.comment.str());
  if (!comment || comment->find(kCtrlZ) != std::string::npos) {
    result.status = RaceWriteStatus::BadComment;
    return result;
  }

  std::string text;
  AddLine(text, *name);
  AddLine(text, FormatInt(static_cast<int>(race.priority)));
  AddLine(text, FormatInt(static_cast<int>(race.condition)));
  AddLine(text, FormatInt(static_cast<int>(race.speedUnit)));
  AddLine(text, FormatInt(static_cast<int>(race.inputAssist)));
  AddLine(text, FormatInt(static_cast<int>(race.graphAxis)));
  AddLine(text, FormatInt(static_cast<int>(race.sections.size())));
  for (const RaceFileSection& s : race.sections) {
    AddLine(text, FormatG(s.startKm));
    AddLine(text, FormatInt(s.loss));
    AddLine(text, FormatInt(s.departure));
    AddLine(text, FormatG(s.endKm));
    AddLine(text, FormatInt(s.arrival));
    AddLine(text, FormatInt(s.lap));
    AddLine(text, FormatInt(s.pace));
  }
  // The comment ends the file as it stands, without a line end of its own.
  text += *comment;
  result.bytes = TextModeToDisk(text);
  // Each line break grows by a byte on disk, so only the finished file
  // tells whether it can be read back.
  if (result.bytes.size() > kRaceFileMaxBytes) {
    result.status = RaceWriteStatus::TooLarge;
    result.bytes.clear();
    result.bytes.shrink_to_fit();
  }
  return result;
}

}  // namespace qv
