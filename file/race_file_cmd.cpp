// Load and save commands.
#include <cstddef>
#include <optional>
#include <string>

#include "app/race_dlg.h"
#include "file/race_file.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

static_assert(kRaceFileMaxSections == MAX_SECTIONS);

namespace {

// A setting's combo follows a loaded value only when it has that entry; the
// member keeps the file's value either way.
void SelectIfInRange(IComboBox* combo, int value, int entries) {
  if (combo != nullptr && value >= 0 && value < entries)
    combo->SetCurSel(value);
}

}  // namespace

void CRaceDlg::OnLoad() {
  if (m_bModified && !m_platform.AskYesNo(kMsgConfirmLoad)) return;
  const std::optional<std::string> path = m_platform.GetOpenFileName();
  if (!path) return;
  LoadRaceFile(*path);
}

std::optional<RaceFileData> CRaceDlg::ReadRaceFileAt(const std::string& path) {
  const ReadResult file = m_platform.Files().ReadAll(path, kRaceFileMaxBytes);
  switch (file.status) {
    case ReadStatus::Ok:
      break;
    case ReadStatus::OpenFailed:
      m_platform.MessageBox(kMsgOpenFailed);
      return std::nullopt;
    case ReadStatus::TooLarge:
      m_platform.MessageBox(kMsgFileTooLarge);
      return std::nullopt;
    case ReadStatus::ReadFailed:
      m_platform.MessageBox(kMsgReadFailed);
      return std::nullopt;
  }
  RaceReadResult read = ReadRaceFile(file.bytes);
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

bool CRaceDlg::LoadRaceFile(const std::string& path) {
  // The whole file is read and checked before anything in the dialog
  // changes, so a refused file leaves the race as it was.
  const std::optional<RaceFileData> read = ReadRaceFileAt(path);
  if (!read) return false;
  const RaceFileData& race = *read;

  m_editEventName->SetText(race.eventName);

  m_nPriority = race.priority;
  m_nCalcMode = race.calcMode;
  m_nSpeedUnit = race.speedUnit;
  m_nInputAssist = race.inputAssist;
  m_nGraphAxis = race.graphAxis;
  m_nSections = race.sectionCount;
  m_nInputIndex = race.sectionCount;
  SelectIfInRange(m_comboPriority, m_nPriority, 3);
  SelectIfInRange(m_comboCalcMode, m_nCalcMode, 2);
  SelectIfInRange(m_comboSpeedUnit, m_nSpeedUnit, 5);
  SelectIfInRange(m_comboInputAssist, m_nInputAssist, 2);
  SelectIfInRange(m_comboGraphAxis, m_nGraphAxis, 2);
  // The list's rows are all new: a selection made in the old race must not
  // let change, insert or delete act on a section of this one.
  m_nSelected = -1;

  m_listSections->DeleteAllItems();
  for (int k = 0; k < m_nSections; ++k) {
    SetEnteredSection(k, race.sections[static_cast<std::size_t>(k)]);
    InsertEnteredRow(k);
  }

  m_editComment->SetText(race.comment);

  if (m_nSections > 0) {
    ShowSection(m_nSections - 1);
  } else {
    // No last section to show: the panel reads as after clear.
    m_editStartKm->SetText("0");
    m_editEndKm->SetText("0");
    for (const TimeCombo& c : kTimeCombos) m_platform.ComboBox(c.id).SetCurSel(0);
    m_staticSectionNo->SetText("1");
  }
  MarkSaved();
  m_raceFilePath = path;
  return true;
}

void CRaceDlg::OnOpenComparison() {
  const std::optional<std::string> path = m_platform.GetOpenFileName();
  if (path) LoadComparison(*path);
}

bool CRaceDlg::LoadComparison(const std::string& path) {
  std::optional<RaceFileData> read = ReadRaceFileAt(path);
  if (!read) return false;
  m_comparisonRace = std::make_unique<RaceFileData>(std::move(*read));
  m_comparisonPath = path;
  return true;
}

void CRaceDlg::DropComparison() {
  m_comparisonRace.reset();
  m_comparison.reset();
  m_comparisonPath.clear();
  ShowDifferenceColumn(false);
}

void CRaceDlg::OnSave() {
  RaceFileData race;
  race.eventName = m_editEventName->GetText();
  race.priority = m_nPriority;
  race.calcMode = m_nCalcMode;
  race.speedUnit = m_nSpeedUnit;
  race.inputAssist = m_nInputAssist;
  race.graphAxis = m_nGraphAxis;
  race.sectionCount = m_nSections;
  for (int k = 0; k < m_nSections && k < MAX_SECTIONS; ++k) {
    race.sections[static_cast<std::size_t>(k)] = EnteredSection(k);
  }
  race.comment = m_editComment->GetText();

  // Text the file cannot give back is reported before a name is asked for.
  const RaceWriteResult written = WriteRaceFile(race);
  switch (written.status) {
    case RaceWriteStatus::Ok:
      break;
    case RaceWriteStatus::BadEventName:
      m_platform.MessageBox(kMsgEventNameUnstorable);
      return;
    case RaceWriteStatus::BadComment:
      m_platform.MessageBox(kMsgCommentUnstorable);
      return;
    case RaceWriteStatus::BadSectionCount:
      m_platform.MessageBox(kMsgBadSectionCount);
      return;
    case RaceWriteStatus::TooLarge:
      m_platform.MessageBox(kMsgSaveTooLarge);
      return;
  }

  const std::optional<std::string> path = m_platform.GetSaveFileName();
  if (!path) return;

  // The platform replaces the file only once every byte is on disk.
  switch (m_platform.Files().WriteAll(*path, written.bytes)) {
    case WriteStatus::Ok:
      MarkSaved();
      m_raceFilePath = *path;
      break;
    case WriteStatus::OpenFailed:
      m_platform.MessageBox(kMsgOutputOpenFailed);
      break;
    case WriteStatus::WriteFailed:
      m_platform.MessageBox(kMsgOutputWriteFailed);
      break;
  }
}

}  // namespace qv
