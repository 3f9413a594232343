// The section list: its columns and the three row writers.
#include "app/numtext.h"
#include "app/race_dlg.h"
#include "race/cell_format.h"
#include "race/race_math.h"
#include "res/strings.h"

namespace qv {

namespace {

struct ColumnDef {
  const char* header;
  int percent;
};

constexpr ColumnDef kColumns[8] = {
    {"区間", 4},       {"出発", 10},      {"到着", 10},
    {"ロスタイム", 12}, {"出発時間", 17}, {"到着時間", 17},
    {"ラップタイム", 17}, {"速度", 14},
};

constexpr int kSpeedColumn = 7;
constexpr int kDifferenceColumn = 8;
constexpr ColumnDef kDifference = {"比較差", 14};

}  // namespace

void CRaceDlg::InsertColumns() {
  // Measured once, before the first column takes room.
  const int width = m_listSections->ClientWidth();
  for (int k = 0; k < 8; ++k) {
    m_lvColumn.iSubItem = k;
    m_lvColumn.cx = width * kColumns[k].percent / 100;
    m_lvColumn.text = kColumns[k].header;
    m_listSections->InsertColumn(k, m_lvColumn.text, m_lvColumn.cx);
  }
}

void CRaceDlg::InsertEnteredRow(int i) {
  m_lvItem.iItem = i;
  m_lvItem.iSubItem = 0;
  m_lvItem.text = FormatInt(i + 1);
  m_lvItem.iItem = m_listSections->InsertItem(i, m_lvItem.text);
  SetKmCell(m_startKm[i], 1);
  SetKmCell(m_endKm[i], 2);
  SetMinSecCell(m_loss[i], 3);
  SetTimeCell(m_departure[i], 4);
  SetTimeCell(m_arrival[i], 5);
  SetTimeCell(m_lap[i], 6);
  // The entered pace is a time per km in every unit; km/h would misread it.
  m_lvItem.iSubItem = kSpeedColumn;
  m_lvItem.text = MinutesText(m_pace[i]);
  m_listSections->SetItemText(kSpeedColumn, m_lvItem.text);
}

void CRaceDlg::InsertComputedRow(int i) {
  m_lvItem.iItem = i;
  m_lvItem.iSubItem = 0;
  m_lvItem.text = i == m_nSections ? std::string(kTotalsRowText) : FormatInt(i + 1);
  m_lvItem.iItem = m_listSections->InsertItem(i, m_lvItem.text);
  SetKmCell(m_calcStartKm[i], 1);
  SetKmCell(m_calcEndKm[i], 2);
  SetMinSecCell(m_calcLoss[i], 3);
  SetTimeCell(m_calcDeparture[i], 4);
  SetTimeCell(m_calcArrival[i], 5);
  SetTimeCell(m_calcLap[i], 6);
  SetMinSecCell(SpeedValue(m_calcPace[i], m_nSpeedUnit), kSpeedColumn);
  if (m_comparison) SetDifferenceCell(i);
}

void CRaceDlg::ShowDifferenceColumn(bool show) {
  const bool shown = m_listSections->GetColumnCount() > kDifferenceColumn;
  if (show && !shown) {
    m_listSections->InsertColumn(
        kDifferenceColumn, kDifference.header,
        m_listSections->ClientWidth() * kDifference.percent / 100);
  } else if (!show && shown) {
    m_listSections->DeleteColumn(kDifferenceColumn);
  }
}

// The current arrival minus the comparison's time at the same point; empty
// where the comparison has no time.
void CRaceDlg::SetDifferenceCell(int i) {
  const std::optional<int> other = TimeAt(*m_comparison, m_calcEndKm[i]);
  m_lvItem.iSubItem = kDifferenceColumn;
  m_lvItem.text =
      other ? DifferenceText(SatSub(m_calcArrival[i], *other)) : std::string();
  m_listSections->SetItemText(kDifferenceColumn, m_lvItem.text);
}

void CRaceDlg::SetKmCell(double km, int column) {
  m_lvItem.iSubItem = column;
  m_lvItem.text = KmText(km);
  m_listSections->SetItemText(column, m_lvItem.text);
}

void CRaceDlg::SetTimeCell(int t, int column) {
  m_lvItem.iSubItem = column;
  m_lvItem.text = HoursText(t);
  m_listSections->SetItemText(column, m_lvItem.text);
}

void CRaceDlg::SetMinSecCell(int v, int column) {
  m_lvItem.iSubItem = column;
  m_lvItem.text = (column == kSpeedColumn && m_nSpeedUnit == kKmhUnit)
                      ? KmhText(v)
                      : MinutesText(v);
  m_listSections->SetItemText(column, m_lvItem.text);
}

}  // namespace qv
