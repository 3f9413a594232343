// The section list: its columns and rows, written from the one table of
// texts (race/section_rows.h).
#include <cstddef>

#include "app/race_dlg.h"
#include "race/section_rows.h"

namespace qv {

namespace {

// Each column's share of the list's width, in percent: the eight fill it
// without a scroll bar, and the first holds "全区間".
constexpr int kColumnPercent[kListColumnCount + 1] = {8,  9,  9,  12, 16,
                                                      16, 16, 14, 14};

void InsertRow(IListView& list, int i, const ListRow& row) {
  list.InsertItem(i, row.empty() ? std::string() : row[0]);
  for (std::size_t k = 1; k < row.size(); ++k)
    list.SetItemText(static_cast<int>(k), row[k]);
}

}  // namespace

void CRaceDlg::InsertColumns() {
  // Measured once, before the first column takes room.
  const int width = m_listSections->ClientWidth();
  for (int k = 0; k < kListColumnCount; ++k) {
    m_listSections->InsertColumn(k, Tr(OutputLanguage(), kListHeaders[k]),
                                 width * kColumnPercent[k] / 100);
  }
}

SectionRows CRaceDlg::ListRows() const {
  return qv::ListRows(
      m_race, m_listComputed && m_computation ? &*m_computation : nullptr,
      m_comparison ? &*m_comparison : nullptr, OutputLanguage());
}

void CRaceDlg::ShowRows() {
  m_listSections->DeleteAllItems();
  const SectionRows table = ListRows();
  for (std::size_t i = 0; i < table.rows.size(); ++i)
    InsertRow(*m_listSections, static_cast<int>(i), table.rows[i]);
}

void CRaceDlg::ShowEnteredRows() {
  m_listComputed = false;
  ShowRows();
}

void CRaceDlg::InsertEnteredRow(int i) {
  InsertRow(*m_listSections, i,
            EnteredRow(m_race.sections.at(static_cast<std::size_t>(i)), i,
                       OutputLanguage()));
}

void CRaceDlg::ShowDifferenceColumn(bool show) {
  const bool shown = m_listSections->GetColumnCount() > kDifferenceColumn;
  if (show && !shown) {
    m_listSections->InsertColumn(
        kDifferenceColumn,
        Tr(OutputLanguage(), kListHeaders[kDifferenceColumn]),
        m_listSections->ClientWidth() * kColumnPercent[kDifferenceColumn] /
            100);
  } else if (!show && shown) {
    m_listSections->DeleteColumn(kDifferenceColumn);
  }
}

}  // namespace qv
