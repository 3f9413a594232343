// The section editing commands: append, change, insert, delete and the
// selection by a click in the list. The race's editing rules are in
// race/editing.h; these read the panel and show what came of it.
#include "app/race_dlg.h"
#include "race/editing.h"
#include "race/numtext.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

namespace {

// The list shows the entered rows of every section, and no totals row.
void RebuildEnteredList(CRaceDlg& dlg) { dlg.ShowEnteredRows(); }

}  // namespace

void CRaceDlg::OnAppend() {
  const PanelReading panel = ReadPanel();
  if (AppendSection(m_race, panel) == EditResult::Full) {
    m_platform.MessageBox(kMsgSectionsFull);
    return;
  }
  const int n = SectionCount() - 1;
  InsertEnteredRow(n);  // before a totals row, if the list shows one

  m_race.inputAssist =
      InputAssist{m_platform.ComboBox(IDC_INPUT_ASSIST).GetCurSel()};
  ShowPanel(ProposeNext(panel, m_race.sections.back(),
                        m_race.inputAssist == InputAssist::On));
  m_platform.TextControl(IDC_SECTION_NO).SetText(FormatInt(n + 2));
}

void CRaceDlg::OnChange() {
  if (ChangeSection(m_race, m_nSelected, ReadPanel()) != EditResult::Changed)
    return;
  RebuildEnteredList(*this);
}

void CRaceDlg::OnInsert() {
  switch (InsertSection(m_race, m_nSelected, ReadPanel())) {
    case EditResult::Full:
      m_platform.MessageBox(kMsgSectionsFull);
      return;
    case EditResult::Unchanged:
      return;
    case EditResult::Changed:
      break;
  }
  RebuildEnteredList(*this);
}

void CRaceDlg::OnDelete() {
  if (DeleteSection(m_race, m_nSelected) != EditResult::Changed) return;
  RebuildEnteredList(*this);
}

void CRaceDlg::OnClickSectionList(long* result) {
  m_nSelected = m_platform.ListView(IDC_SECTION_LIST).GetFirstSelected();
  // The totals row and empty space leave the panel as it is.
  ShowSection(m_nSelected);
  if (result != nullptr) *result = 0;
}

}  // namespace qv
