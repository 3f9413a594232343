#include "app/qt/qt_split_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include <vector>

#include "res/activity_messages.h"
#include "res/strings.h"

namespace qv::qt {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::string Utf8(const QLineEdit* edit) {
  const QByteArray bytes = edit->text().toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

SplitDialog::SplitDialog(const ActivityRecord& record, QWidget* parent)
    : QDialog(parent),
      m_laps(ActivityLapCount(record)),
      m_byLaps(new QRadioButton(Text(kSplitByLaps), this)),
      m_byKm(new QRadioButton(this)),
      m_everyKm(new QLineEdit(QStringLiteral("1"), this)),
      m_officialKm(new QLineEdit(this)) {
  setWindowTitle(Text(kSplitTitle));
  auto* layout = new QVBoxLayout(this);
  for (std::size_t k = 0; k < record.tracks.size(); ++k)
    m_measures.push_back(MeasureTrack(record, k));
  // What the record is: its start, device, distance, time and laps.
  QStringList summary;
  for (const std::string& line : RecordSummary(
           record, record.defaultTrack < m_measures.size()
                       ? m_measures[record.defaultTrack]
                       : TrackMeasure{}))
    summary << QString::fromStdString(line);
  layout->addWidget(new QLabel(summary.join('\n'), this));
  auto* caption = new QLabel(Text(kSplitCaption), this);
  layout->addWidget(caption);

  // "( ) [1] km ごと": the radio button, the distance, the unit.
  auto* grid = new QGridLayout;
  grid->addWidget(m_byLaps, 0, 0, 1, 3);
  grid->addWidget(m_byKm, 1, 0);
  grid->addWidget(m_everyKm, 1, 1);
  m_unit = new QLabel(Text(kSplitKmUnit), this);
  m_unit->setBuddy(m_everyKm);
  grid->addWidget(m_unit, 1, 2);
  auto* official = new QLabel(Text(kSplitOfficial), this);
  official->setBuddy(m_officialKm);
  grid->addWidget(official, 2, 0, 1, 3);
  grid->addWidget(m_officialKm, 3, 1);
  grid->setColumnStretch(2, 1);
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(Text(kSplitCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &SplitDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SplitDialog::reject);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);

  // A long count beside the distance must not squeeze the fields.
  m_everyKm->setFixedWidth(80);
  m_officialKm->setFixedWidth(80);
  m_officialKm->setPlaceholderText(Text(kSplitOfficialNone));
  m_byKm->setAccessibleName(Text(kSplitByKmName));
  m_everyKm->setAccessibleName(Text(kSplitEveryKmName));
  m_officialKm->setAccessibleName(Text(kSplitOfficial));

  const SplitOffer offer = OfferSplit(record);
  m_byLaps->setEnabled(offer.lapsOffered);
  // Without points a distance has nothing to cut.
  const bool points = !DefaultTrackPoints(record).empty();
  m_byKm->setEnabled(points);
  m_everyKm->setEnabled(points);
  (offer.lapsFirst ? m_byLaps : m_byKm)->setChecked(true);
  if (offer.tooManyLaps) {
    auto* note = new QLabel(Text(kSplitTooManyLapsNote), this);
    grid->addWidget(note, 4, 0, 1, 3);
  }
  // Which track is cut, where a file holds several (two logs of one
  // hike): the first with timed points unless the user picks another.
  if (record.tracks.size() > 1) {
    m_tracks = new QComboBox(this);
    for (std::size_t k = 0; k < record.tracks.size(); ++k) {
      const ActivityTrack& t = record.tracks[k];
      QString entry = QString::number(static_cast<qulonglong>(k + 1));
      if (!t.name.empty()) entry += QStringLiteral(": ") + QString::fromStdString(t.name);
      // One arg() call, so a "%2" in a track's name stays as it is.
      entry = Text(kSplitTrackPoints)
                  .arg(entry, QString::number(static_cast<qulonglong>(
                                  t.points.size())));
      m_tracks->addItem(entry);
    }
    m_tracks->setCurrentIndex(static_cast<int>(record.defaultTrack));
    auto* label = new QLabel(
        Text(kSplitTracks).arg(static_cast<qulonglong>(record.tracks.size())),
        this);
    label->setBuddy(m_tracks);
    m_tracks->setAccessibleName(label->text());
    layout->insertWidget(0, label);
    layout->insertWidget(1, m_tracks);
    // A track without points has no distance to cut by.
    std::vector<bool> hasPoints;
    for (const ActivityTrack& t : record.tracks) hasPoints.push_back(!t.points.empty());
    connect(m_tracks, &QComboBox::currentIndexChanged, this,
            [this, hasPoints](int k) {
              const bool has =
                  k >= 0 && hasPoints[static_cast<std::size_t>(k)];
              m_byKm->setEnabled(has);
              m_everyKm->setEnabled(has);
              ShowCounts();
            });
  }
  for (QLineEdit* edit : {m_everyKm, m_officialKm})
    connect(edit, &QLineEdit::textChanged, this, [this] { ShowCounts(); });
  connect(m_byLaps, &QRadioButton::toggled, this, [this] { ShowCounts(); });
  ShowCounts();
  // Typing a distance means cutting by it: the field stays open for that.
  connect(m_everyKm, &QLineEdit::textEdited, m_byKm,
          [this] { m_byKm->setChecked(true); });
}

std::size_t SplitDialog::Track() const {
  if (m_tracks != nullptr)
    return static_cast<std::size_t>(std::max(m_tracks->currentIndex(), 0));
  return 0;
}

void SplitDialog::ShowCounts() {
  const std::size_t track = Track();
  const TrackMeasure measure =
      track < m_measures.size() ? m_measures[track] : TrackMeasure{};
  ActivityRecord laps;
  laps.lapCount = m_laps;
  ActivityError ignored;
  // As typed, whichever choice is picked; a number that is not one counts
  // nothing and OK says why.
  std::optional<ActivitySplit> km =
      ParseActivitySplit(false, Utf8(m_everyKm), Utf8(m_officialKm), ignored);
  const auto count = [](std::int64_t n) {
    return QString::number(static_cast<qlonglong>(n));
  };
  const std::int64_t lapSections =
      SplitSections(laps, measure, ActivitySplit{});
  m_byLaps->setText(
      Text(lapSections > kMaxSections ? kSplitTooManyLapsCount
                                      : kSplitByLapsCount)
          .arg(count(lapSections)));
  std::int64_t kmSections = 0;
  if (km) {
    kmSections = SplitSections(laps, measure, *km);
    const std::int64_t total = km->officialKm
                                   ? std::llround(*km->officialKm * 1000.0)
                                   : measure.distanceM;
    m_unit->setText(
        kmSections > kMaxSections
            ? Text(kSplitTooManyKm)
                  .arg(count(kmSections))
                  .arg(QString::number(ShortestSplitKm(total), 'f', 1))
            : kmSections > 0 ? Text(kSplitKmCount).arg(count(kmSections))
                             : Text(kSplitKmUnit));
  } else {
    m_unit->setText(Text(kSplitKmUnit));
  }
  const std::int64_t chosen = m_byLaps->isChecked() ? lapSections : kmSections;
  m_ok->setEnabled(chosen <= kMaxSections);
}

std::optional<ActivitySplit> SplitDialog::Split(ActivityError& error) const {
  std::optional<ActivitySplit> split = ParseActivitySplit(
      m_byLaps->isChecked(), Utf8(m_everyKm), Utf8(m_officialKm), error);
  if (split && m_tracks != nullptr)
    split->track = static_cast<std::size_t>(m_tracks->currentIndex());
  return split;
}

void SplitDialog::accept() {
  ActivityError error;
  if (Split(error)) {
    QDialog::accept();
    return;
  }
  // The dialog stays, with the wrong number ready to retype.
  QMessageBox::warning(this, Text(kAppTitle),
                       QString::fromStdString(ActivityErrorText(error)));
  QLineEdit* wrong = error.kind == ActivityError::Kind::BadOfficial
                         ? m_officialKm
                         : m_everyKm;
  wrong->setFocus();
  wrong->selectAll();
}

std::optional<ActivitySplit> AskActivitySplit(const ActivityRecord& record,
                                              QWidget* parent) {
  SplitDialog dialog(record, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  ActivityError error;
  return dialog.Split(error);
}

}  // namespace qv::qt
