// The section list: its columns and the three row writers.
#include <cstddef>
#include <optional>
#include <string>

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
    m_listSections->InsertColumn(k, kColumns[k].header,
                                 width * kColumns[k].percent / 100);
  }
}

void CRaceDlg::InsertEnteredRow(int i) {
  const RaceFileSection& s = m_race.sections.at(static_cast<std::size_t>(i));
  m_listSections->InsertItem(i, FormatInt(i + 1));
  SetKmCell(s.startKm, 1);
  SetKmCell(s.endKm, 2);
  SetMinSecCell(s.loss, 3);
  SetTimeCell(s.departure, 4);
  SetTimeCell(s.arrival, 5);
  SetTimeCell(s.lap, 6);
  // The entered pace is a time per km in every unit; km/h would misread it.
  m_listSections->SetItemText(kSpeedColumn, MinutesText(s.pace));
}

void CRaceDlg::InsertComputedRow(int i) {
  const ComputedSection& c = ComputedRow(i);
  m_listSections->InsertItem(
      i, i == ComputedCount() ? std::string(kTotalsRowText) : FormatInt(i + 1));
  SetKmCell(c.startKm, 1);
  SetKmCell(c.endKm, 2);
  SetMinSecCell(c.loss, 3);
  SetTimeCell(c.departure, 4);
  SetTimeCell(c.arrival, 5);
  SetTimeCell(c.lap, 6);
  SetMinSecCell(SpeedValue(c.pace, static_cast<int>(m_race.speedUnit)),
                kSpeedColumn);
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
  const ComputedSection& c = ComputedRow(i);
  const std::optional<int> other = TimeAt(*m_comparison, c.endKm);
  m_listSections->SetItemText(
      kDifferenceColumn,
      other ? DifferenceText(SatSub(c.arrival, *other)) : std::string());
}

void CRaceDlg::SetKmCell(double km, int column) {
  m_listSections->SetItemText(column, KmText(km));
}

void CRaceDlg::SetTimeCell(int t, int column) {
  m_listSections->SetItemText(column, HoursText(t));
}

void CRaceDlg::SetMinSecCell(int v, int column) {
  m_listSections->SetItemText(
      column,
      (column == kSpeedColumn && m_race.speedUnit == SpeedUnit{kKmhUnit})
          ? KmhText(v)
          : MinutesText(v));
}

}  // namespace qv
