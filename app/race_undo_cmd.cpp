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

namespace {

constexpr int kSettingsLists[] = {IDC_PRIORITY, IDC_CALC_MODE, IDC_SPEED_UNIT,
                                  IDC_INPUT_ASSIST, IDC_GRAPH_AXIS};

}  // namespace

void CRaceDlg::RunCommand(void (CRaceDlg::*handler)(), Step step) {
  switch (step) {
    case Step::Edit: {
      const RaceSnapshot before = TakeSnapshot();
      (this->*handler)();
      m_history.Command(before, TakeSnapshot(), RaceHistory::Kind::Edit);
      return;
    }
    case Step::Save:
      // Only a written file is the saved race; a cancelled or failed save
      // leaves the unsaved state as it was.
      if (Save()) m_history.Saved(m_raceFilePath);
      return;
    case Step::None:
    case Step::Own:
      (this->*handler)();
      return;
  }
}

bool CRaceDlg::OpenRaceFile(const std::string& path, bool askFirst) {
  // A record's name refuses anything but a record, or a race file saved
  // under such a name, known by its shape.
  return OpenAsStep(path, askFirst,
                    HasActivityExtension(path) ? NotRecord::LoadIfShaped
                                               : NotRecord::Load) !=
         Opened::No;
}

bool CRaceDlg::Undo() {
  std::optional<RaceSnapshot> race = m_history.Undo(TakeSnapshot());
  if (!race) return false;
  ApplySnapshot(*race);
  return true;
}

bool CRaceDlg::Redo() {
  std::optional<RaceSnapshot> race = m_history.Redo(TakeSnapshot());
  if (!race) return false;
  ApplySnapshot(*race);
  return true;
}

RaceSnapshot CRaceDlg::TakeSnapshot() const {
  RaceSnapshot snapshot;
  snapshot.race = m_race;
  for (std::size_t k = 0; k < snapshot.settingsLists.size(); ++k)
    snapshot.settingsLists[k] =
        m_platform.ComboBox(kSettingsLists[k]).GetCurSel();
  snapshot.filePath = m_raceFilePath;
  return snapshot;
}

void CRaceDlg::ApplySnapshot(const RaceSnapshot& snapshot) {
  m_race = snapshot.race;
  m_raceFilePath = snapshot.filePath;
  m_editEventName->SetText(m_race.eventName);
  m_editComment->SetText(m_race.comment.str());
  for (std::size_t k = 0; k < snapshot.settingsLists.size(); ++k)
    m_platform.ComboBox(kSettingsLists[k]).SetCurSel(snapshot.settingsLists[k]);
  const int n = SectionCount();
  // A selection past the restored sections must not let change, insert or
  // delete act on a section that is not there.
  if (m_nSelected >= n) m_nSelected = -1;
  ShowEnteredRows();
}

}  // namespace qv
