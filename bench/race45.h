// The benchmarks' race: 45 one-kilometre sections, every third with a loss,
// arrivals growing a little slower each kilometre.
#pragma once

#include <cstddef>

#include "app/race_dlg.h"

inline void Enter45Sections(qv::CRaceDlg& dlg) {
  auto& sections = dlg.m_race.sections;
  sections.assign(qv::MAX_SECTIONS, {});
  for (int i = 0; i < qv::MAX_SECTIONS; ++i) {
    qv::RaceFileSection& s = sections[static_cast<std::size_t>(i)];
    s.startKm = i * 1.0;
    s.endKm = i + 1.0;
    s.loss = 100 * (i % 3);
    s.arrival = 30000 * (i + 1) + 300 * i;
    s.departure = i == 0 ? 0 : sections[i - 1u].arrival + s.loss;
    s.lap = 30000;
    s.pace = 30000;
  }
}
