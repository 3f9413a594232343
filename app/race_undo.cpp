// Undo and redo of the race: every command that changes it is run between
// two snapshots, and the history keeps the one it found.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

static_assert(kSnapshotSections == MAX_SECTIONS);

namespace {

constexpr int kSettingsLists[] = {IDC_PRIORITY, IDC_CALC_MODE, IDC_SPEED_UNIT,
                                  IDC_INPUT_ASSIST, IDC_GRAPH_AXIS};

// Compute changes the race when it takes a new setting from its list.
bool ChangesRace(int id) {
  return id == IDC_APPEND || id == IDC_CHANGE || id == IDC_INSERT ||
         id == IDC_DELETE || id == IDC_CLEAR || id == IDC_LOAD ||
         id == IDC_COMPUTE;
}

void Recorded(CRaceDlg& dlg, RaceHistory& history, RaceHistory::Kind kind,
              const std::function<void()>& command) {
  const RaceSnapshot before = dlg.TakeSnapshot();
  command();
  history.Command(before, dlg.TakeSnapshot(), dlg.IsModified(), kind);
}

}  // namespace

void CRaceDlg::RunCommand(int id, void (CRaceDlg::*handler)()) {
  if (ChangesRace(id)) {
    const RaceHistory::Kind kind = id == IDC_CLEAR  ? RaceHistory::Kind::Clear
                                   : id == IDC_LOAD ? RaceHistory::Kind::Load
                                                    : RaceHistory::Kind::Edit;
    Recorded(*this, m_history, kind, [&] { (this->*handler)(); });
    return;
  }
  if (id != IDC_SAVE) {
    (this->*handler)();
    return;
  }
  // Save clears the flag only when the file was written; set beforehand,
  // the flag tells a written file from a cancelled or failed save even
  // when there was nothing unsaved.
  const bool unsaved = m_bModified;
  m_bModified = true;
  (this->*handler)();
  if (m_bModified) {
    m_bModified = unsaved;
  } else {
    m_history.Saved();
  }
}

bool CRaceDlg::OpenRaceFile(const std::string& path, bool askFirst) {
  if (askFirst && m_bModified && !m_platform.AskYesNo(kMsgConfirmLoad))
    return false;
  bool loaded = false;
  Recorded(*this, m_history, RaceHistory::Kind::Load,
           [&] { loaded = LoadRaceFile(path); });
  return loaded;
}

bool CRaceDlg::Undo() {
  std::optional<RaceSnapshot> race = m_history.Undo(TakeSnapshot());
  if (!race) return false;
  ApplySnapshot(*race);
  m_bModified = m_history.Unsaved();
  return true;
}

bool CRaceDlg::Redo() {
  std::optional<RaceSnapshot> race = m_history.Redo(TakeSnapshot());
  if (!race) return false;
  ApplySnapshot(*race);
  m_bModified = m_history.Unsaved();
  return true;
}

RaceSnapshot CRaceDlg::TakeSnapshot() const {
  RaceSnapshot race;
  race.eventName = std::make_shared<const std::string>(
      m_editEventName != nullptr ? m_editEventName->GetText() : std::string());
  race.comment = std::make_shared<const std::string>(
      m_editComment != nullptr ? m_editComment->GetText() : std::string());
  race.priority = m_nPriority;
  race.calcMode = m_nCalcMode;
  race.speedUnit = m_nSpeedUnit;
  race.inputAssist = m_nInputAssist;
  race.graphAxis = m_nGraphAxis;
  for (std::size_t k = 0; k < race.settingsLists.size(); ++k)
    race.settingsLists[k] = m_platform.ComboBox(kSettingsLists[k]).GetCurSel();
  race.sections = m_nSections;
  const int n = std::clamp(m_nSections, 0, MAX_SECTIONS);
  for (int k = 0; k < n; ++k) {
    race.table[static_cast<std::size_t>(k)] = EnteredSection(k);
  }
  return race;
}

void CRaceDlg::ApplySnapshot(const RaceSnapshot& race) {
  m_editEventName->SetText(race.eventName ? *race.eventName : std::string());
  m_editComment->SetText(race.comment ? *race.comment : std::string());
  m_nPriority = race.priority;
  m_nCalcMode = race.calcMode;
  m_nSpeedUnit = race.speedUnit;
  m_nInputAssist = race.inputAssist;
  m_nGraphAxis = race.graphAxis;
  for (std::size_t k = 0; k < race.settingsLists.size(); ++k)
    m_platform.ComboBox(kSettingsLists[k]).SetCurSel(race.settingsLists[k]);
  m_nSections = race.sections;
  m_nInputIndex = race.sections;
  const int n = std::clamp(race.sections, 0, MAX_SECTIONS);
  for (int k = 0; k < n; ++k) {
    SetEnteredSection(k, race.table[static_cast<std::size_t>(k)]);
  }
  // A selection past the restored sections must not let change, insert or
  // delete act on a section that is not there.
  if (m_nSelected >= n) m_nSelected = -1;
  m_listSections->DeleteAllItems();
  for (int k = 0; k < n; ++k) InsertEnteredRow(k);
}

}  // namespace qv
