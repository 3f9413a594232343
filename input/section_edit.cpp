// The section editing commands: append, change, insert, delete and the
// selection by a click in the list.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "race/numtext.h"
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
void RebuildEnteredList(CRaceDlg& dlg, int) { dlg.ShowEnteredRows(); }

// Section k (at least 1) starts where section k - 1 arrives, departing
// after its loss time.
void JoinToPrevious(std::vector<RaceFileSection>& sections, int k) {
  RaceFileSection& s = sections[static_cast<std::size_t>(k)];
  const RaceFileSection& previous = sections[static_cast<std::size_t>(k) - 1];
  s.departure = SatAdd(s.loss, previous.arrival);
  s.startKm = previous.endKm;
}

}  // namespace

void CRaceDlg::OnAppend() {
  const int n = TableCount(SectionCount());
  if (n >= MAX_SECTIONS) {
    m_platform.MessageBox(kMsgSectionsFull);
    return;
  }

  m_race.sections.resize(static_cast<std::size_t>(n) + 1);
  StoreSection(n);
  InsertEnteredRow(n);  // before a totals row, if the list shows one
  ITextControl& endKm = m_platform.TextControl(IDC_END_KM);
  m_platform.TextControl(IDC_START_KM).SetText(endKm.GetText());
  m_platform.TextControl(IDC_SECTION_NO).SetText(FormatInt(n + 2));
  MarkModified();

  m_race.inputAssist =
      InputAssist{m_platform.ComboBox(IDC_INPUT_ASSIST).GetCurSel()};
  if (m_race.inputAssist == InputAssist::On) {
    // Propose a section as long and as fast as the one just added.
    const RaceFileSection& s = m_race.sections[static_cast<std::size_t>(n)];
    SetEditKm(IDC_END_KM, 2.0 * s.endKm - s.startKm);
    SetComboTimeMS(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS, s.loss);
    SetComboTimeHMS(
        IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS,
        Saturate(2LL * s.arrival - static_cast<long long>(s.departure)));
    SetComboTimeHMS(IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS,
                    s.lap);
    SetComboTimeMS(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS, s.pace);
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
  const int n = TableCount(SectionCount());
  if (i < 0 || i >= n) return;

  const RaceFileSection before = m_race.sections[static_cast<std::size_t>(i)];
  StoreChangedSection(i);
  if (m_race.sections[static_cast<std::size_t>(i)] == before) return;
  // The next section starts where this one now ends; sections further on
  // keep what they have.
  if (i + 1 < n) JoinToPrevious(m_race.sections, i + 1);
  MarkModified();
  RebuildEnteredList(*this, n);
}

void CRaceDlg::OnInsert() {
  const int i = m_nSelected;
  const int n = TableCount(SectionCount());
  if (i < 0 || i >= n) return;
  if (n >= MAX_SECTIONS) {
    m_platform.MessageBox(kMsgSectionsFull);
    return;
  }

  m_race.sections.insert(m_race.sections.begin() + i, RaceFileSection{});
  StoreSection(i);
  // The section that was at i now follows the new one.
  JoinToPrevious(m_race.sections, i + 1);
  MarkModified();
  RebuildEnteredList(*this, SectionCount());
}

void CRaceDlg::OnDelete() {
  const int i = m_nSelected;
  const int n = TableCount(SectionCount());
  if (i < 0 || i >= n) return;

  m_race.sections.erase(m_race.sections.begin() + i);
  // The section that moved into the gap joins the one before it; a new
  // first section starts at the race start.
  if (i < n - 1) {
    if (i == 0) {
      RaceFileSection& first = m_race.sections.front();
      first.departure = first.loss;
      first.startKm = 0.0;
    } else {
      JoinToPrevious(m_race.sections, i);
    }
  }
  MarkModified();
  RebuildEnteredList(*this, SectionCount());
}

void CRaceDlg::OnClickSectionList(long* result) {
  m_nSelected = m_platform.ListView(IDC_SECTION_LIST).GetFirstSelected();
  // The totals row and empty space leave the panel as it is.
  if (m_nSelected >= 0 && m_nSelected < TableCount(SectionCount())) {
    ShowSection(m_nSelected);
  }
  if (result != nullptr) *result = 0;
}

}  // namespace qv
