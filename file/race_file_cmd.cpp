// Load and save commands.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/race_dlg.h"
#include "file/race_file.h"
#include "race/cell_format.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

static_assert(kRaceFileMaxSections == kMaxSections);

namespace {

// A setting's combo follows a loaded value only when it has that entry; the
// member keeps the file's value either way.
template <typename Setting>
void SelectIfInRange(IComboBox* combo, Setting setting, int entries) {
  const int value = static_cast<int>(setting);
  if (combo != nullptr && value >= 0 && value < entries)
    combo->SetCurSel(value);
}

}  // namespace

void CRaceDlg::OnLoad() {
  if (IsModified() && !m_platform.AskYesNo(kMsgConfirmLoad)) return;
  const std::optional<std::string> path = m_platform.GetOpenFileName();
  // A watch's record picked here is imported, not read as a race file.
  if (path) OpenAsStep(*path, false, NotRecord::Load);
}

std::optional<std::string> CRaceDlg::ReadFileAt(const std::string& path,
                                                std::size_t maxBytes) {
  ReadResult file = m_platform.Files().ReadAll(path, maxBytes);
  switch (file.status) {
    case ReadStatus::Ok:
      return std::move(file.bytes);
    case ReadStatus::OpenFailed:
      m_platform.MessageBox(kMsgOpenFailed);
      break;
    case ReadStatus::TooLarge:
      m_platform.MessageBox(kMsgFileTooLarge);
      break;
    case ReadStatus::ReadFailed:
      m_platform.MessageBox(kMsgReadFailed);
      break;
  }
  return std::nullopt;
}

std::optional<Race> CRaceDlg::ParseRaceBytes(std::string_view bytes) {
  RaceReadResult read = ReadRaceFile(bytes);
  switch (read.status) {
    case RaceReadStatus::Ok:
      break;
    case RaceReadStatus::TooLarge:
      m_platform.MessageBox(kMsgFileTooLarge);
      return std::nullopt;
    case RaceReadStatus::BadSectionCount:
      m_platform.MessageBox(kMsgBadSectionCount);
      return std::nullopt;
  }
  return std::move(read.race);
}

std::optional<Race> CRaceDlg::ReadRaceFileAt(const std::string& path) {
  const std::optional<std::string> bytes = ReadFileAt(path, kRaceFileMaxBytes);
  if (!bytes) return std::nullopt;
  return ParseRaceBytes(*bytes);
}

bool CRaceDlg::LoadRaceFile(const std::string& path) {
  // The whole file is read and checked before anything in the dialog
  // changes, so a refused file leaves the race as it was.
  std::optional<Race> read = ReadRaceFileAt(path);
  if (!read) return false;
  const RaceSnapshot before = TakeSnapshot();
  ShowRace(std::move(*read));
  m_raceFilePath = path;
  m_history.Command(before, TakeSnapshot(), RaceHistory::Kind::Load);
  return true;
}

void CRaceDlg::ShowRace(Race race) {
  m_race = std::move(race);
  m_editEventName->SetText(m_race.eventName);
  m_editComment->SetText(m_race.comment.str());
  SelectIfInRange(m_comboPriority, m_race.priority, 3);
  SelectIfInRange(m_comboCalcMode, m_race.condition, 2);
  SelectIfInRange(m_comboSpeedUnit, m_race.speedUnit, kSpeedUnitCount);
  SelectIfInRange(m_comboInputAssist, m_race.inputAssist, 2);
  SelectIfInRange(m_comboGraphAxis, m_race.graphAxis, 2);
  // The list's rows are all new: a selection made in the old race must not
  // let change, insert or delete act on a section of this one.
  m_nSelected = -1;

  ShowEnteredRows();

  if (SectionCount() > 0) {
    ShowSection(SectionCount() - 1);
  } else {
    // No last section to show: the panel reads as after clear.
    m_editStartKm->SetText("0");
    m_editEndKm->SetText("0");
    for (const TimeCombo& c : kTimeCombos) m_platform.ComboBox(c.id).SetCurSel(0);
    m_staticSectionNo->SetText("1");
  }
}

void CRaceDlg::OnOpenComparison() {
  const std::optional<std::string> path = m_platform.GetOpenFileName();
  if (!path) return;
  LoadComparison(*path, [this](const ActivityRecord& record) {
    return m_platform.AskActivitySplit(record);
  });
}

bool CRaceDlg::LoadComparison(const std::string& path,
                              const SplitChooser& choose) {
  ReadRace read = ReadRaceOrRecord(path, choose, NotRecord::Load);
  if (read.from == Opened::No) return false;
  m_comparisonRace = std::make_unique<Race>(std::move(read.race));
  m_comparisonPath = path;
  return true;
}

void CRaceDlg::DropComparison() {
  m_comparisonRace.reset();
  m_comparison.reset();
  m_comparisonPath.clear();
  ShowDifferenceColumn(false);
}

void CRaceDlg::OnSave() { Save(); }

bool CRaceDlg::Save() {
  // Text the file cannot give back is reported before a name is asked for.
  const RaceWriteResult written = WriteRaceFile(CurrentRace());
  switch (written.status) {
    case RaceWriteStatus::Ok:
      break;
    case RaceWriteStatus::BadEventName:
      m_platform.MessageBox(kMsgEventNameUnstorable);
      return false;
    case RaceWriteStatus::BadComment:
      m_platform.MessageBox(kMsgCommentUnstorable);
      return false;
    case RaceWriteStatus::BadSectionCount:
      m_platform.MessageBox(kMsgBadSectionCount);
      return false;
    case RaceWriteStatus::TooLarge:
      m_platform.MessageBox(kMsgSaveTooLarge);
      return false;
  }

  const std::optional<std::string> path = m_platform.GetSaveFileName();
  if (!path) return false;

  // The platform replaces the file only once every byte is on disk.
  switch (m_platform.Files().WriteAll(*path, written.bytes)) {
    case WriteStatus::Ok:
      m_raceFilePath = *path;
      return true;
    case WriteStatus::OpenFailed:
      m_platform.MessageBox(kMsgOutputOpenFailed);
      return false;
    case WriteStatus::WriteFailed:
      m_platform.MessageBox(kMsgOutputWriteFailed);
      return false;
  }
  return false;
}

}  // namespace qv
