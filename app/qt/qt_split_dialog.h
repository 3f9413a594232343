// The small dialog that asks how to cut a watch's record into sections.
#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "file/activity.h"

class QComboBox;
class QLabel;
class QPushButton;
class QLineEdit;
class QRadioButton;

namespace qv::qt {

class SplitDialog final : public QDialog {
  Q_OBJECT

 public:
  // Starts as OfferSplit says for the record.
  SplitDialog(const ActivityRecord& record, QWidget* parent);

  // The split as typed; nullopt and the refusal in error otherwise.
  std::optional<ActivitySplit> Split(ActivityError& error) const;

  QRadioButton* ByLaps() const { return m_byLaps; }
  QRadioButton* ByKm() const { return m_byKm; }
  QLineEdit* EveryKm() const { return m_everyKm; }
  QLineEdit* OfficialKm() const { return m_officialKm; }
  // The file's tracks, where it holds several; nullptr otherwise.
  QComboBox* Tracks() const { return m_tracks; }

  void accept() override;

 private:
  // The counts beside the choices, and OK only for a split that fits.
  void ShowCounts();
  std::size_t Track() const;

  const std::size_t m_laps;
  std::vector<TrackMeasure> m_measures;  // one a track
  QLabel* m_unit = nullptr;
  QPushButton* m_ok = nullptr;
  QRadioButton* m_byLaps;
  QRadioButton* m_byKm;
  QLineEdit* m_everyKm;
  QLineEdit* m_officialKm;
  QComboBox* m_tracks = nullptr;
};

// Runs the dialog; nullopt on Cancel.
std::optional<ActivitySplit> AskActivitySplit(const ActivityRecord& record,
                                              QWidget* parent);

}  // namespace qv::qt
