// The dialog shell: binding, initialisation, the command table, the keys,
// clear and the window colours.
#include "app/race_dlg.h"

#include <iterator>
#include <optional>

#include "race/numtext.h"
#include "app/race_app.h"
#include "race/cell_format.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

namespace {

struct TextCombo {
  int id;
  const char* const* entries;
  int count;
};

constexpr const char* kPriorityEntries[] = {N_("到着時間"), N_("ラップタイム"),
                                            N_("速度")};
// As a race file stores the unit: per mile and mph came last.
constexpr const char* kSpeedUnitEntries[] = {
    N_("時間/ｋｍ"),  N_("時間/400ｍ"),  N_("時間/200ｍ"), N_("時間/100ｍ"),
    N_("時速(km/ｈ)"), N_("時間/マイル"), N_("時速(mph)")};
constexpr const char* kAssistEntries[] = {N_("有り"), N_("無し")};
constexpr const char* kAxisEntries[] = {N_("正規"), N_("反転")};
constexpr const char* kCalcModeEntries[] = {N_("グロス"), N_("ネット")};

constexpr TextCombo kTextCombos[] = {
    {IDC_PRIORITY, kPriorityEntries, 3},
    {IDC_SPEED_UNIT, kSpeedUnitEntries, kSpeedUnitCount},
    {IDC_INPUT_ASSIST, kAssistEntries, 2},
    {IDC_GRAPH_AXIS, kAxisEntries, 2},
    {IDC_CALC_MODE, kCalcModeEntries, 2},
};

using Handler = void (CRaceDlg::*)();
using Kind = RaceHistory::Kind;

using Step = CRaceDlg::Step;

struct CommandEntry {
  int id;
  Handler handler;
  // Whether the command can change the race and so is a step of the
  // history. Compute changes the race when it takes a new setting from its
  // list; load and clear record their own steps, as only they know whether
  // the file was loaded or the race cleared.
  Step step;
};

// Button commands, in the order of the command table.
constexpr CommandEntry kCommands[] = {
    {IDC_APPEND, &CRaceDlg::OnAppend, Step::Edit},
    {IDC_COMPUTE, &CRaceDlg::OnCompute, Step::Edit},
    {IDC_LOAD, &CRaceDlg::OnLoad, Step::Own},
    {IDC_SAVE, &CRaceDlg::OnSave, Step::Save},
    {IDC_CLEAR, &CRaceDlg::OnClearData, Step::Own},
    {IDC_CHANGE, &CRaceDlg::OnChange, Step::Edit},
    {IDC_DELETE, &CRaceDlg::OnDelete, Step::Edit},
    {IDC_INSERT, &CRaceDlg::OnInsert, Step::Edit},
    {IDC_WINDOW_COLOR, &CRaceDlg::OnWindowColor, Step::None},
    {IDC_PRINT, &CRaceDlg::OnPrint, Step::None},
};

}  // namespace

CRaceDlg::CRaceDlg(IPlatform& platform, CRaceApp* app)
    : m_platform(platform), m_app(app) {}

void CRaceDlg::DoDataExchange() {
  m_editComment = &m_platform.TextControl(IDC_COMMENT);
  m_comboCalcMode = &m_platform.ComboBox(IDC_CALC_MODE);
  m_comboGraphAxis = &m_platform.ComboBox(IDC_GRAPH_AXIS);
  m_comboInputAssist = &m_platform.ComboBox(IDC_INPUT_ASSIST);
  m_comboPriority = &m_platform.ComboBox(IDC_PRIORITY);
  m_comboSpeedUnit = &m_platform.ComboBox(IDC_SPEED_UNIT);
  m_staticGraph = &m_platform.TextControl(IDC_GRAPH);
  m_staticSectionNo = &m_platform.TextControl(IDC_SECTION_NO);
  m_editEventName = &m_platform.TextControl(IDC_EVENT_NAME);
  m_editEndKm = &m_platform.TextControl(IDC_END_KM);
  m_editStartKm = &m_platform.TextControl(IDC_START_KM);
  m_listSections = &m_platform.ListView(IDC_SECTION_LIST);
}

bool CRaceDlg::OnInitDialog() {
  DoDataExchange();
  InsertColumns();
  for (const TimeCombo& c : kTimeCombos) {
    std::vector<std::string> entries;
    for (int k = 0; k < c.count; ++k) entries.push_back(Format02d(k));
    m_platform.ComboBox(c.id).AddStrings(entries);
  }
  for (const TextCombo& c : kTextCombos) {
    std::vector<std::string> entries;
    for (int k = 0; k < c.count; ++k) entries.emplace_back(Tr(c.entries[k]));
    m_platform.ComboBox(c.id).AddStrings(entries);
  }
  OnClearData();
  // The window opens on a cleared race with nothing to undo.
  m_history = RaceHistory{};
  m_nColor = 0;
  return true;
}

bool CRaceDlg::OnCommand(int id) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == id) {
      RunCommand(entry.handler, entry.step);
      return true;
    }
  }
  return false;
}

void CRaceDlg::OnNotifyClick(int id, long* result) {
  if (id == IDC_SECTION_LIST) OnClickSectionList(result);
}

void CRaceDlg::OnSysCommand(unsigned command) {
  if ((command & 0xFFF0u) == static_cast<unsigned>(IDM_ABOUTBOX)) {
    m_platform.ShowAboutDialog();
  }
}

void CRaceDlg::OnOK() {}

void CRaceDlg::OnCancel() {
  if (IsModified() && !m_platform.AskYesNo(kMsgConfirmQuit)) return;
  m_platform.EndDialog(IDCANCEL);
}

void CRaceDlg::OnUserEdit(int id) {
  // The one place the texts come from the window: the user typed them.
  if (id == IDC_EVENT_NAME) m_race.eventName = m_editEventName->GetText();
  if (id == IDC_COMMENT) m_race.comment = m_editComment->GetText();
  if (id == IDC_EVENT_NAME || id == IDC_COMMENT) m_history.Edited();
}

void CRaceDlg::OnClearData() {
  if (IsModified() && !m_platform.AskYesNo(kMsgConfirmClear)) return;
  const RaceSnapshot before = TakeSnapshot();

  m_nSelected = -1;
  m_race = Race{};

  for (const TimeCombo& c : kTimeCombos) m_platform.ComboBox(c.id).SetCurSel(0);
  for (const TextCombo& c : kTextCombos) m_platform.ComboBox(c.id).SetCurSel(0);

  m_editStartKm->SetText("0");
  m_editEndKm->SetText("0");
  m_editEventName->SetText("");
  m_editComment->SetText("");
  m_staticSectionNo->SetText("1");

  // Nothing stale is ever drawn.
  m_computation.reset();
  ShowEnteredRows();

  BlankGraph();
  // Its own step: only here is it known that the clear happened.
  m_history.Command(before, TakeSnapshot(), RaceHistory::Kind::Clear);
}

void CRaceDlg::BlankGraph() {
  m_graphShown = GraphShown::Blank;
  if (auto dc = m_platform.GetDC(IDC_GRAPH)) {
    dc->FillSolidRect(m_platform.GetClientRect(IDC_GRAPH), Rgb{255, 255, 255});
  }
}

void CRaceDlg::RedrawGraph() {
  switch (m_graphShown) {
    case GraphShown::Nothing:
      break;
    case GraphShown::Blank:
      BlankGraph();
      break;
    case GraphShown::Normal:
      DrawGraph();
      break;
    case GraphShown::Reversed:
      DrawGraphReversed();
      break;
  }
}

void CRaceDlg::OnWindowColor() {
  if (m_app != nullptr) {
    m_app->SetColorScheme(m_nColor);
  } else {
    const ColorPair& pair = ColorScheme(m_nColor);
    m_platform.SetDialogColors(pair.background, pair.text);
  }
  m_platform.InvalidateDialog();
  ++m_nColor;
  if (m_nColor > kColorSchemeCount - 1) m_nColor = 0;
}

const Race& CRaceDlg::CurrentRace() const { return m_race; }

}  // namespace qv
