// The benchmarks' race: 45 one-kilometre sections, every third with a loss,
// arrivals growing a little slower each kilometre.
#pragma once

#include "app/race_dlg.h"

inline void Enter45Sections(qv::CRaceDlg& dlg) {
  dlg.m_nSections = dlg.m_nInputIndex = qv::MAX_SECTIONS;
  for (int i = 0; i < qv::MAX_SECTIONS; ++i) {
    dlg.m_startKm[i] = i * 1.0;
    dlg.m_endKm[i] = i + 1.0;
    dlg.m_loss[i] = 100 * (i % 3);
    dlg.m_arrival[i] = 30000 * (i + 1) + 300 * i;
    dlg.m_departure[i] = i == 0 ? 0 : dlg.m_arrival[i - 1] + dlg.m_loss[i];
    dlg.m_lap[i] = 30000;
    dlg.m_pace[i] = 30000;
  }
}
