// The input panel: conversions between its controls and the entered table.
#include <algorithm>

#include "app/numtext.h"
#include "app/race_dlg.h"
#include "race/race_math.h"
#include "res/resource.h"

namespace qv {

namespace {

constexpr int kCsPerSecond = 100;
constexpr int kCsPerMinute = 6000;
constexpr int kCsPerHour = 360000;
// The largest times the lists have entries for: 23:59:59.99 and 59:59.99.
constexpr int kMaxHms = 24 * kCsPerHour - 1;
constexpr int kMaxMs = 60 * kCsPerMinute - 1;

// A list without a selection reads as its first entry.
long long Index(const IComboBox& combo) {
  return std::max(combo.GetCurSel(), 0);
}

bool InTable(int i) { return i >= 0 && i < MAX_SECTIONS; }

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
  if (!InTable(i)) return;
  SetEditKm(IDC_START_KM, m_startKm[i]);
  SetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS, m_loss[i]);
  SetEditKm(IDC_END_KM, m_endKm[i]);
  SetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS,
                  m_arrival[i]);
  SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS, m_lap[i]);
  SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, m_pace[i]);
  m_platform.TextControl(IDC_SECTION_NO).SetText(FormatInt(i + 1));
}

void CRaceDlg::StoreSection(int i) {
  if (!InTable(i)) return;
  m_startKm[i] = GetEditKm(IDC_START_KM);
  m_endKm[i] = GetEditKm(IDC_END_KM);
  m_loss[i] = GetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS);
  m_arrival[i] =
      GetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS);
  // The loss is spent at the start point, after arriving there. The
  // previous arrival may come from a file, hence the saturating sum.
  m_departure[i] = i == 0 ? m_loss[0] : SatAdd(m_arrival[i - 1], m_loss[i]);
  m_lap[i] =
      GetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS);
  m_pace[i] = GetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS);
}

}  // namespace qv
