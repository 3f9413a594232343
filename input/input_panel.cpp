// The input panel: conversions between its controls and the entered table.
#include <algorithm>
#include <cstddef>

#include "race/numtext.h"
#include "app/race_dlg.h"
#include "race/race_math.h"
#include "res/resource.h"

namespace qv {

namespace {

constexpr int kCsPerSecond = 100;
constexpr int kCsPerMinute = 6000;
constexpr int kCsPerHour = 360000;
// The largest times the lists have entries for: 99:59:59.99 (a day-long
// ultra, a 100-mile race) and 59:59.99.
constexpr int kMaxHms = 100 * kCsPerHour - 1;
constexpr int kMaxMs = 60 * kCsPerMinute - 1;

// A list without a selection reads as its first entry.
long long Index(const IComboBox& combo) {
  return std::max(combo.GetCurSel(), 0);
}

// Only the race's own sections are shown or stored.
bool InRace(const Race& race, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < race.sections.size();
}

}  // namespace

int CRaceDlg::GetComboTimeHMS(int hourId, int minId, int secId, int csId) {
  const long long t = Index(m_platform.ComboBox(hourId)) * kCsPerHour +
                      Index(m_platform.ComboBox(minId)) * kCsPerMinute +
                      Index(m_platform.ComboBox(secId)) * kCsPerSecond +
                      Index(m_platform.ComboBox(csId));
  return Saturate(t);
}

int CRaceDlg::GetComboTimeMS(int minId, int secId, int csId) {
  const long long t = Index(m_platform.ComboBox(minId)) * kCsPerMinute +
                      Index(m_platform.ComboBox(secId)) * kCsPerSecond +
                      Index(m_platform.ComboBox(csId));
  return Saturate(t);
}

// Only a race file can bring a time the lists have no entries for; the
// panel then shows the nearest time it can, and the table keeps the value
// until the panel is stored.
void CRaceDlg::SetComboTimeHMS(int hourId, int minId, int secId, int csId,
                               int t) {
  const int v = std::clamp(t, 0, kMaxHms);
  m_platform.ComboBox(hourId).SetCurSel(v / kCsPerHour);
  m_platform.ComboBox(minId).SetCurSel(v % kCsPerHour / kCsPerMinute);
  m_platform.ComboBox(secId).SetCurSel(v % kCsPerHour % kCsPerMinute /
                                       kCsPerSecond);
  m_platform.ComboBox(csId).SetCurSel(v % kCsPerSecond);
}

void CRaceDlg::SetComboTimeMS(int minId, int secId, int csId, int t) {
  const int v = std::clamp(t, 0, kMaxMs);
  m_platform.ComboBox(minId).SetCurSel(v / kCsPerMinute);
  m_platform.ComboBox(secId).SetCurSel(v % kCsPerMinute / kCsPerSecond);
  m_platform.ComboBox(csId).SetCurSel(v % kCsPerSecond);
}

double CRaceDlg::GetEditKm(int id) {
  return ParseDouble(m_platform.TextControl(id).GetText());
}

void CRaceDlg::SetEditKm(int id, double km) {
  m_platform.TextControl(id).SetText(FormatG(km));
}

void CRaceDlg::ShowSection(int i) {
  if (!InRace(m_race, i)) return;
  const RaceFileSection& s = m_race.sections[static_cast<std::size_t>(i)];
  SetEditKm(IDC_START_KM, s.startKm);
  SetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS, s.loss);
  SetEditKm(IDC_END_KM, s.endKm);
  SetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS,
                  s.arrival);
  SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS, s.lap);
  SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, s.pace);
  m_platform.TextControl(IDC_SECTION_NO).SetText(FormatInt(i + 1));
}

void CRaceDlg::StoreChangedSection(int i) {
  if (!InRace(m_race, i)) return;
  RaceFileSection& s = m_race.sections[static_cast<std::size_t>(i)];
  const RaceFileSection before = s;
  StoreSection(i);
  // A field that still reads as the section shows it keeps its exact value:
  // the lists cannot show every time a record or a file brings (over 99
  // hours, a pace over an hour per km, a negative value), nor the edits
  // every digit of a distance.
  const auto keepKm = [&](int id, double& km, double was) {
    if (m_platform.TextControl(id).GetText() == FormatG(was)) km = was;
  };
  keepKm(IDC_START_KM, s.startKm, before.startKm);
  keepKm(IDC_END_KM, s.endKm, before.endKm);
  const auto keep = [](int& value, int was, int max) {
    if (value == std::clamp(was, 0, max)) value = was;
  };
  keep(s.arrival, before.arrival, kMaxHms);
  keep(s.lap, before.lap, kMaxHms);
  keep(s.pace, before.pace, kMaxMs);
  if (s.loss == std::clamp(before.loss, 0, kMaxMs)) {
    s.loss = before.loss;
    s.departure = before.departure;
  }
}

void CRaceDlg::StoreSection(int i) {
  if (!InRace(m_race, i)) return;
  RaceFileSection& s = m_race.sections[static_cast<std::size_t>(i)];
  s.startKm = GetEditKm(IDC_START_KM);
  s.endKm = GetEditKm(IDC_END_KM);
  s.loss = GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS);
  s.arrival =
      GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS);
  // The loss is spent at the start point, after arriving there. The
  // previous arrival may come from a file, hence the saturating sum.
  s.departure =
      i == 0 ? s.loss
             : SatAdd(m_race.sections[static_cast<std::size_t>(i) - 1].arrival,
                      s.loss);
  s.lap = GetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS);
  s.pace = GetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS);
}

}  // namespace qv
