#include "app/race_app.h"

#include "app/race_dlg.h"

namespace qv {

namespace {

constexpr ColorPair kPairs[kColorSchemeCount] = {
    {{238, 238, 238}, {0, 0, 0}},       {{221, 255, 221}, {204, 51, 51}},
    {{255, 255, 204}, {204, 51, 51}},   {{221, 221, 255}, {204, 51, 51}},
    {{221, 170, 255}, {204, 51, 51}},   {{102, 102, 102}, {255, 255, 255}},
};

}  // namespace

const ColorPair& ColorScheme(int index) {
  if (index < 0 || index >= kColorSchemeCount) index = 0;
  return kPairs[index];
}

bool CRaceApp::InitInstance() {
  CRaceDlg dlg(m_platform, this);
  m_platform.RunModal(dlg);
  return false;
}

void CRaceApp::SetColorScheme(int index) {
  const ColorPair& pair = ColorScheme(index);
  m_platform.SetDialogColors(pair.background, pair.text);
}

}  // namespace qv
