// The section editing commands: append, change, insert, delete and the
// selection by a click in the list.
#include <algorithm>

#include "app/numtext.h"
#include "app/race_dlg.h"
#include "race/race_math.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

namespace {

// The section count as an index bound: whatever state the dialog is in,
// nothing here reaches past the tables.
int TableCount(int sections) { return std::clamp(sections, 0, MAX_SECTIONS); }

// The list shows the entered rows of sections 0 to n - 1, and no totals row.
void RebuildEnteredList(CRaceDlg& dlg, int n) {
  dlg.Platform().ListView(IDC_SECTION_LIST).DeleteAllItems();
  for (int k = 0; k < n; ++k) dlg.InsertEnteredRow(k);
}

}  // namespace

void CRaceDlg::MoveSections(int from, int count, int to) {
  // The ranges overlap: copied forwards to move down, backwards to move up.
  auto move = [&](auto* table) {
    if (to < from)
      std::copy(table + from, table + from + count, table + to);
    else
      std::copy_backward(table + from, table + from + count, table + to + count);
  };
  move(m_startKm);
  move(m_endKm);
  move(m_arrival);
  move(m_departure);
  move(m_loss);
  move(m_lap);
  move(m_pace);
}

void CRaceDlg::OnAppend() {
  const int n = TableCount(m_nSections);
  if (n >= MAX_SECTIONS) {
    m_platform.MessageBox(kMsgSectionsFull);
    return;
  }

  StoreSection(n);
  InsertEnteredRow(n);  // before a totals row, if the list shows one
  ITextControl& endKm = m_platform.TextControl(IDC_END_KM);
  m_platform.TextControl(IDC_START_KM).SetText(endKm.GetText());
  m_nSections = n + 1;
  m_nInputIndex = m_nSections;
  m_platform.TextControl(IDC_SECTION_NO).SetText(FormatInt(n + 2));
  MarkModified();

  m_nInputAssist = m_platform.ComboBox(IDC_INPUT_ASSIST).GetCurSel();
  if (m_nInputAssist == 0) {
    // Propose a section as long and as fast as the one just added.
    SetEditKm(IDC_END_KM, 2.0 * m_endKm[n] - m_startKm[n]);
    SetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS, m_loss[n]);
    SetComboTimeHMS(
        IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS,
        Saturate(2LL * m_arrival[n] - static_cast<long long>(m_departure[n])));
    SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS,
                    m_lap[n]);
    SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, m_pace[n]);
  } else {
    endKm.SetText("");
    SetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS, 0);
    SetComboTimeHMS(IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS, 0);
    SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS, 0);
    SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, 0);
  }
}

void CRaceDlg::OnChange() {
  const int i = m_nSelected;
  const int n = TableCount(m_nSections);
  if (i < 0 || i >= n) return;

  StoreSection(i);
  // The next section starts where this one now ends; sections further on
  // keep what they have.
  if (i + 1 < n) {
    m_departure[i + 1] = SatAdd(m_loss[i + 1], m_arrival[i]);
    m_startKm[i + 1] = m_endKm[i];
  }
  MarkModified();
  RebuildEnteredList(*this, n);
}

void CRaceDlg::OnInsert() {
  const int i = m_nSelected;
  const int n = TableCount(m_nSections);
  if (i < 0 || i >= n) return;
  if (n >= MAX_SECTIONS) {
    m_platform.MessageBox(kMsgSectionsFull);
    return;
  }

  MoveSections(i, n - i, i + 1);
  StoreSection(i);
  // The section that was at i now follows the new one.
  m_departure[i + 1] = SatAdd(m_loss[i + 1], m_arrival[i]);
  m_startKm[i + 1] = m_endKm[i];
  m_nSections = n + 1;
  m_nInputIndex = m_nSections;
  MarkModified();
  RebuildEnteredList(*this, m_nSections);
}

void CRaceDlg::OnDelete() {
  const int i = m_nSelected;
  const int n = TableCount(m_nSections);
  if (i < 0 || i >= n) return;

  MoveSections(i + 1, n - i - 1, i);
  m_nSections = n - 1;
  m_nInputIndex = m_nSections;
  // The section that moved into the gap joins the one before it; a new
  // first section starts at the race start.
  if (i < n - 1) {
    if (i == 0) {
      m_departure[0] = m_loss[0];
      m_startKm[0] = 0.0;
    } else {
      m_departure[i] = SatAdd(m_loss[i], m_arrival[i - 1]);
      m_startKm[i] = m_endKm[i - 1];
    }
  }
  MarkModified();
  RebuildEnteredList(*this, m_nSections);
}

void CRaceDlg::OnClickSectionList(long* result) {
  m_nSelected = m_platform.ListView(IDC_SECTION_LIST).GetFirstSelected();
  // The totals row and empty space leave the panel as it is.
  if (m_nSelected >= 0 && m_nSelected < TableCount(m_nSections)) {
    ShowSection(m_nSelected);
  }
  if (result != nullptr) *result = 0;
}

}  // namespace qv
