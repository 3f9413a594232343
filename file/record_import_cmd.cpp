// The import of a watch's record: read, cut into sections as the user (or
// quorvane-report's options) says, and shown as the race, unsaved.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/race_dlg.h"
#include "file/activity.h"
#include "file/race_file.h"
#include "race/cell_format.h"
#include "res/activity_messages.h"
#include "res/strings.h"

namespace qv {

namespace {

// A setting keeps what its list shows, when the list shows one.
template <typename Setting>
void TakeIfInRange(const IComboBox* combo, Setting& setting, int entries) {
  const int value = combo != nullptr ? combo->GetCurSel() : -1;
  if (value >= 0 && value < entries) setting = Setting{value};
}

}  // namespace

void CRaceDlg::OnImportRecord() {
  if (IsModified() && !m_platform.AskYesNo(kMsgConfirmLoad)) return;
  const std::optional<std::string> path = m_platform.GetOpenRecordName();
  if (path) ImportRecordFile(*path, false);
}

bool CRaceDlg::ImportRecordFile(const std::string& path, bool askFirst) {
  return OpenAsStep(path, askFirst, NotRecord::Refuse) == Opened::Record;
}

CRaceDlg::Opened CRaceDlg::OpenAsStep(const std::string& path, bool askFirst,
                                      NotRecord notRecord) {
  if (askFirst && IsModified() && !m_platform.AskYesNo(kMsgConfirmLoad))
    return Opened::No;
  const RaceSnapshot before = TakeSnapshot();
  const Opened opened = OpenRaceOrRecord(
      path,
      [this](const ActivityRecord& record) {
        return m_platform.AskActivitySplit(record);
      },
      notRecord);
  // An import is an edit, not a load: the race is not on the disk as one.
  m_history.Command(before, TakeSnapshot(),
                    opened == Opened::RaceFile ? RaceHistory::Kind::Load
                                               : RaceHistory::Kind::Edit);
  return opened;
}

CRaceDlg::Opened CRaceDlg::OpenRaceOrRecord(const std::string& path,
                                            const SplitChooser& choose,
                                            NotRecord notRecord) {
  ReadRace read = ReadRaceOrRecord(path, choose, notRecord);
  if (read.from == Opened::Record) {
    // The other settings stay as the user chose them.
    TakeIfInRange(m_comboCalcMode, read.race.condition, 2);
    TakeIfInRange(m_comboSpeedUnit, read.race.speedUnit, kSpeedUnitCount);
    TakeIfInRange(m_comboInputAssist, read.race.inputAssist, 2);
    TakeIfInRange(m_comboGraphAxis, read.race.graphAxis, 2);
    ShowRace(std::move(read.race));
    OnCompute();
  } else if (read.from == Opened::RaceFile) {
    ShowRace(std::move(read.race));
  } else {
    return Opened::No;
  }
  // Exports must not write over a record either.
  m_raceFilePath = path;
  return read.from;
}

CRaceDlg::ReadRace CRaceDlg::ReadRaceOrRecord(const std::string& path,
                                              const SplitChooser& choose,
                                              NotRecord notRecord) {
  // Read once, as large as a record may be; a race file's own limit is
  // checked by its reader.
  const std::optional<std::string> bytes = ReadFileAt(path, kActivityMaxBytes);
  if (!bytes) return {};
  if (DetectActivityFormat(*bytes) != ActivityFormat::None) {
    std::optional<Race> race = RecordToRace(*bytes, path, choose);
    if (!race) return {};
    return {Opened::Record, std::move(*race)};
  }
  const bool raceShaped = LooksLikeRaceFile(*bytes);
  // XML of another kind says so, unless only a record was asked for.
  ActivityError::Kind refusal = ActivityError::Kind::NotActivity;
  if (notRecord != NotRecord::Refuse && !raceShaped && StartsAsXml(*bytes))
    refusal = ActivityError::Kind::XmlWrongRoot;
  if (notRecord == NotRecord::Refuse || refusal != ActivityError::Kind::NotActivity ||
      (notRecord == NotRecord::LoadIfShaped && !raceShaped)) {
    m_platform.MessageBox(ActivityErrorText({refusal}));
    return {};
  }
  std::optional<Race> race = ParseRaceBytes(*bytes);
  if (!race) return {};
  return {Opened::RaceFile, std::move(*race)};
}

std::optional<Race> CRaceDlg::RecordToRace(std::string_view bytes,
                                           const std::string& path,
                                           const SplitChooser& choose) {
  ActivityReadResult read = ReadActivity(bytes, path);
  if (!read.record) {
    m_platform.MessageBox(ActivityErrorText(read.error));
    return std::nullopt;
  }
  const std::optional<ActivitySplit> split = choose(*read.record);
  if (!split) return std::nullopt;
  ActivityRaceResult made = ActivityToRace(*read.record, *split);
  if (!made.race) {
    m_platform.MessageBox(ActivityErrorText(made.error));
    return std::nullopt;
  }
  // Computed by arrival, which is what a watch measures.
  made.race->priority = Priority::Arrival;
  return std::move(made.race);
}

}  // namespace qv
