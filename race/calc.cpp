// The compute command and the three calculations.
//
// Sums and differences of times saturate at the int range: a race file can
// bring any value, and the race clock must never wrap around.
#include <algorithm>
#include <iterator>

#include "app/race_dlg.h"
#include "race/race_math.h"

namespace qv {

namespace {

double Length(const double* start, const double* end, int i) {
  return end[i] - start[i];
}

}  // namespace

int CRaceDlg::RoundAboveFourTenths(double x) {
  return qv::RoundAboveFourTenths(x);
}

void CRaceDlg::OnCompute() {
  const int stored[] = {m_nPriority, m_nCalcMode, m_nGraphAxis, m_nSpeedUnit};
  m_nPriority = m_comboPriority->GetCurSel();
  m_nCalcMode = m_comboCalcMode->GetCurSel();
  m_nGraphAxis = m_comboGraphAxis->GetCurSel();
  m_nSpeedUnit = m_comboSpeedUnit->GetCurSel();
  // The race file stores these settings: a new one is unsaved work.
  const int taken[] = {m_nPriority, m_nCalcMode, m_nGraphAxis, m_nSpeedUnit};
  if (!std::equal(std::begin(stored), std::end(stored), std::begin(taken)))
    MarkModified();

  // The race to compare with counts its losses as this one does.
  if (m_comparisonRace) {
    m_comparison = ComputeComparison(*m_comparisonRace, m_nCalcMode);
  } else {
    m_comparison.reset();
  }
  ShowDifferenceColumn(m_comparison.has_value());
  Calculate();

  if (m_nGraphAxis == 0) {
    DrawGraph();
  } else {
    DrawGraphReversed();
  }
}

void CRaceDlg::Calculate() {
  if (m_nPriority == 0) {
    CalcByArrival();
  } else if (m_nPriority == 1) {
    CalcByLap();
  } else {
    CalcBySpeed();
  }
}

void CRaceDlg::CalcByArrival() {
  m_listSections->DeleteAllItems();
  const bool net = m_nCalcMode != 0;
  for (int i = 0; i < m_nSections; ++i) {
    m_calcStartKm[i] = m_startKm[i];
    m_calcEndKm[i] = m_endKm[i];
    if (!net) {
      m_calcDeparture[i] = m_departure[i];
      m_calcArrival[i] = m_arrival[i];
      m_calcLoss[i] = m_loss[i];
      m_calcLap[i] = SatAdd(SatSub(m_arrival[i], m_departure[i]), m_loss[i]);
    } else {
      if (i == 0) {
        m_calcDeparture[i] = SatSub(m_departure[0], m_loss[0]);
        m_calcArrival[i] = SatSub(m_arrival[0], m_loss[0]);
      } else {
        m_calcDeparture[i] = m_calcArrival[i - 1];
        m_calcArrival[i] = SatAdd(m_calcArrival[i - 1],
                                  SatSub(m_arrival[i], m_departure[i]));
      }
      m_calcLoss[i] = 0;
      m_calcLap[i] = SatSub(m_calcArrival[i], m_calcDeparture[i]);
    }
    m_calcPace[i] = Trunc(static_cast<double>(m_calcLap[i]) /
                          Length(m_calcStartKm, m_calcEndKm, i));
    InsertComputedRow(i);
  }
  AddTotalsRow();
}

void CRaceDlg::CalcByLap() { CalcChained(true); }

void CRaceDlg::CalcBySpeed() { CalcChained(false); }

void CRaceDlg::CalcChained(bool fromLap) {
  m_listSections->DeleteAllItems();
  const bool net = m_nCalcMode != 0;
  for (int i = 0; i < m_nSections; ++i) {
    m_calcStartKm[i] = m_startKm[i];
    m_calcEndKm[i] = m_endKm[i];
    const double length = Length(m_calcStartKm, m_calcEndKm, i);
    if (fromLap) {
      m_calcLap[i] = m_lap[i];
      m_calcPace[i] = Trunc(static_cast<double>(m_calcLap[i]) / length);
    } else {
      m_calcPace[i] = m_pace[i];
      m_calcLap[i] = Trunc(length * static_cast<double>(m_pace[i]));
    }
    m_calcLoss[i] = net ? 0 : m_loss[i];
    const int previous = i == 0 ? 0 : m_calcArrival[i - 1];
    m_calcDeparture[i] = SatAdd(previous, m_calcLoss[i]);
    m_calcArrival[i] = SatAdd(m_calcDeparture[i], m_calcLap[i]);
    InsertComputedRow(i);
  }
  AddTotalsRow();
}

void CRaceDlg::AddTotalsRow() {
  const int n = m_nSections;
  int loss = 0;
  for (int i = 0; i < n; ++i) loss = SatAdd(loss, m_calcLoss[i]);
  m_calcLoss[n] = loss;
  m_calcStartKm[n] = 0.0;
  m_calcEndKm[n] = n > 0 ? m_calcEndKm[n - 1] : 0.0;
  m_calcDeparture[n] = 0;
  m_calcArrival[n] = n > 0 ? m_calcArrival[n - 1] : 0;
  m_calcLap[n] = SatSub(m_calcArrival[n], m_calcDeparture[n]);
  m_calcPace[n] = Trunc(static_cast<double>(m_calcLap[n]) /
                        (m_calcEndKm[n] - m_calcStartKm[n]));
  InsertComputedRow(n);
}

}  // namespace qv
