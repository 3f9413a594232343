// Resource and control IDs of the program's dialogs.
#pragma once

namespace qv {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_RACE_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;
// System-menu command of the version item.
inline constexpr int IDM_ABOUTBOX = 0x0010;

// Main dialog controls.
inline constexpr int IDC_SECTION_LIST = 1000;
inline constexpr int IDC_START_KM = 1001;
inline constexpr int IDC_END_KM = 1012;
inline constexpr int IDC_APPEND = 1026;
inline constexpr int IDC_COMPUTE = 1038;
inline constexpr int IDC_LOAD = 1039;
inline constexpr int IDC_SAVE = 1040;
inline constexpr int IDC_CLEAR = 1041;
inline constexpr int IDC_EVENT_NAME = 1042;
inline constexpr int IDC_CHANGE = 1043;
inline constexpr int IDC_DELETE = 1044;
inline constexpr int IDC_INSERT = 1045;
inline constexpr int IDC_GRAPH = 1047;
inline constexpr int IDC_SECTION_NO = 1048;
inline constexpr int IDC_WINDOW_COLOR = 1053;
inline constexpr int IDC_PRINT = 1055;
// Loss time: minutes, seconds, hundredths.
inline constexpr int IDC_LOSS_MIN = 1057;
inline constexpr int IDC_LOSS_SEC = 1058;
inline constexpr int IDC_LOSS_CS = 1070;
// Arrival time: hours, minutes, seconds, hundredths.
inline constexpr int IDC_ARR_HOUR = 1059;
inline constexpr int IDC_ARR_MIN = 1060;
inline constexpr int IDC_ARR_SEC = 1061;
inline constexpr int IDC_ARR_CS = 1062;
// Lap time: hours, minutes, seconds, hundredths.
inline constexpr int IDC_LAP_HOUR = 1063;
inline constexpr int IDC_LAP_MIN = 1064;
inline constexpr int IDC_LAP_SEC = 1065;
inline constexpr int IDC_LAP_CS = 1066;
// Pace per km: minutes, seconds, hundredths.
inline constexpr int IDC_PACE_MIN = 1067;
inline constexpr int IDC_PACE_SEC = 1068;
inline constexpr int IDC_PACE_CS = 1069;
// Settings.
inline constexpr int IDC_PRIORITY = 1071;
inline constexpr int IDC_SPEED_UNIT = 1072;
inline constexpr int IDC_INPUT_ASSIST = 1073;
inline constexpr int IDC_GRAPH_AXIS = 1074;
inline constexpr int IDC_CALC_MODE = 1075;
inline constexpr int IDC_COMMENT = 1076;

// The panel's time lists and their entry counts; each lists its own indexes
// as "%02d" and is at entry 0 for an empty race.
struct TimeCombo {
  int id;
  int count;
};
inline constexpr TimeCombo kTimeCombos[] = {
    {IDC_LOSS_MIN, 60},  {IDC_LOSS_SEC, 60},  {IDC_ARR_MIN, 60},
    {IDC_ARR_SEC, 60},   {IDC_LAP_MIN, 60},   {IDC_LAP_SEC, 60},
    {IDC_PACE_MIN, 60},  {IDC_PACE_SEC, 60},  {IDC_ARR_HOUR, 100},
    {IDC_LAP_HOUR, 100},  {IDC_LOSS_CS, 100},  {IDC_ARR_CS, 100},
    {IDC_LAP_CS, 100},   {IDC_PACE_CS, 100},
};

}  // namespace qv
