// The input panel: conversions between its controls and the entered table.
#include <algorithm>
#include <cstddef>

#include "race/numtext.h"
#include "app/race_dlg.h"
#include "race/editing.h"
#include "race/race_math.h"
#include "res/resource.h"

namespace qv {

namespace {

constexpr int kCsPerSecond = 100;
constexpr int kCsPerMinute = 6000;
constexpr int kCsPerHour = 360000;

// A list without a selection reads as its first entry.
long long Index(const IComboBox& combo) {
  return std::max(combo.GetCurSel(), 0);
}

// Only the race's own sections are shown.
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

// Only a race file or a record can bring a time the lists have no entries
// for; the panel then shows the nearest time it can, and a change keeps the
// section's value unless that time is edited.
void CRaceDlg::SetComboTimeHMS(int hourId, int minId, int secId, int csId,
                               int t) {
  const int v = std::clamp(t, 0, kPanelMaxHms);
  m_platform.ComboBox(hourId).SetCurSel(v / kCsPerHour);
  m_platform.ComboBox(minId).SetCurSel(v % kCsPerHour / kCsPerMinute);
  m_platform.ComboBox(secId).SetCurSel(v % kCsPerHour % kCsPerMinute /
                                       kCsPerSecond);
  m_platform.ComboBox(csId).SetCurSel(v % kCsPerSecond);
}

void CRaceDlg::SetComboTimeMS(int minId, int secId, int csId, int t) {
  const int v = std::clamp(t, 0, kPanelMaxMs);
  m_platform.ComboBox(minId).SetCurSel(v / kCsPerMinute);
  m_platform.ComboBox(secId).SetCurSel(v % kCsPerMinute / kCsPerSecond);
  m_platform.ComboBox(csId).SetCurSel(v % kCsPerSecond);
}

PanelReading CRaceDlg::ReadPanel() {
  PanelReading p;
  p.startKm = m_platform.TextControl(IDC_START_KM).GetText();
  p.endKm = m_platform.TextControl(IDC_END_KM).GetText();
  p.loss = GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS);
  p.arrival =
      GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS);
  p.lap = GetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS);
  p.pace = GetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS);
  return p;
}

void CRaceDlg::ShowPanel(const PanelReading& p) {
  m_platform.TextControl(IDC_START_KM).SetText(p.startKm);
  SetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS, p.loss);
  m_platform.TextControl(IDC_END_KM).SetText(p.endKm);
  SetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS,
                  p.arrival);
  SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS, p.lap);
  SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, p.pace);
}

void CRaceDlg::ShowSection(int i) {
  if (!InRace(m_race, i)) return;
  ShowPanel(PanelShowing(m_race.sections[static_cast<std::size_t>(i)]));
  m_platform.TextControl(IDC_SECTION_NO).SetText(FormatInt(i + 1));
}

}  // namespace qv
