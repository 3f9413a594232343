#include "res/dialog_templates.h"

#include "res/resource.h"
#include "res/strings.h"

namespace qv {

namespace {

using K = ControlKind;

constexpr unsigned kKmEdit = ctl::kRight | ctl::kAutoHScroll | ctl::kTabStop;
constexpr unsigned kCombo = ctl::kDropDownList | ctl::kVScroll | ctl::kTabStop;
constexpr unsigned kButton = ctl::kTabStop;

constexpr ControlTemplate kMainControls[] = {
    {-1, K::GroupBox, N_("距離/経過時間の入力/修正"), 4, 3, 176, 184, ctl::kNone},
    {-1, K::GroupBox, N_("出発地点"), 23, 38, 64, 63, ctl::kNone},
    {IDC_START_KM, K::Edit, "", 32, 47, 29, 13, kKmEdit},
    {-1, K::Static, "km", 65, 49, 10, 10, ctl::kNone},
    {-1, K::Static, N_("ロスタイム"), 39, 64, 34, 8, ctl::kNone},
    {-1, K::GroupBox, N_("到着地点"), 88, 38, 87, 63, ctl::kNone},
    {IDC_END_KM, K::Edit, "", 94, 47, 29, 13, kKmEdit},
    {-1, K::Static, "km", 127, 49, 10, 10, ctl::kNone},
    {-1, K::Static, N_("到着時間"), 105, 63, 32, 10, ctl::kNone},
    {-1, K::Static, N_("区間ラップ"), 14, 106, 32, 8, ctl::kNone},
    {-1, K::Static, N_("速度（時間/距離）"), 110, 105, 54, 10, ctl::kNone},
    {IDC_SECTION_LIST, K::ListView, "", 7, 222, 361, 110,
     ctl::kReport | ctl::kBorder | ctl::kTabStop},
    {IDC_APPEND, K::PushButton, N_("末尾追加"), 123, 155, 46, 23, kButton},
    {IDC_GRAPH, K::Static, "", 186, 7, 183, 154, ctl::kSunken},
    {IDC_COMPUTE, K::PushButton, N_("計算実行"), 314, 168, 54, 33, kButton},
    {IDC_LOAD, K::PushButton, N_("読込"), 134, 11, 19, 19, kButton},
    {IDC_SAVE, K::PushButton, N_("保存"), 156, 11, 18, 19, kButton},
    {IDC_CLEAR, K::PushButton, N_("データ消去"), 49, 194, 40, 20, kButton},
    {-1, K::Static, N_("大会名"), 8, 15, 22, 10, ctl::kNone},
    {IDC_EVENT_NAME, K::Edit, "", 29, 12, 102, 14,
     ctl::kAutoHScroll | ctl::kTabStop},
    {IDC_SECTION_NO, K::Static, "1", 11, 42, 10, 12,
     ctl::kRight | ctl::kSunken},
    {-1, K::GroupBox, N_("区間"), 7, 31, 170, 111, ctl::kNone},
    {IDC_CHANGE, K::PushButton, N_("変更"), 16, 161, 28, 15, kButton},
    {IDC_DELETE, K::PushButton, N_("削除"), 80, 161, 29, 15, kButton},
    {-1, K::GroupBox, N_("データ入力/修正/削除"), 10, 145, 166, 39, ctl::kNone},
    {IDC_INSERT, K::PushButton, N_("挿入"), 47, 161, 30, 15, kButton},
    {IDC_WINDOW_COLOR, K::PushButton, N_("Window色"), 7, 193, 37, 20, kButton},
    {IDC_PRINT, K::PushButton, N_("印刷"), 265, 174, 40, 27, kButton},
    {IDC_LOSS_MIN, K::ComboBox, "", 25, 74, 20, 112, kCombo},
    {IDC_LOSS_SEC, K::ComboBox, "", 45, 74, 20, 112, kCombo},
    {-1, K::Static, N_("分"), 28, 89, 8, 8, ctl::kNone},
    {-1, K::Static, N_("秒"), 49, 89, 9, 8, ctl::kNone},
    {IDC_ARR_HOUR, K::ComboBox, "", 90, 74, 20, 112, kCombo},
    {IDC_ARR_MIN, K::ComboBox, "", 110, 74, 20, 112, kCombo},
    {IDC_ARR_SEC, K::ComboBox, "", 130, 74, 20, 112, kCombo},
    {-1, K::Static, N_("秒"), 132, 89, 9, 8, ctl::kNone},
    {-1, K::Static, N_("分"), 113, 89, 8, 8, ctl::kNone},
    {-1, K::Static, N_("時"), 94, 89, 8, 8, ctl::kNone},
    {IDC_ARR_CS, K::ComboBox, "", 153, 74, 20, 145, kCombo},
    {-1, K::Static, N_("0.01秒"), 153, 89, 19, 8, ctl::kNone},
    {IDC_LAP_HOUR, K::ComboBox, "", 13, 115, 20, 112, kCombo},
    {IDC_LAP_MIN, K::ComboBox, "", 33, 115, 20, 112, kCombo},
    {IDC_LAP_SEC, K::ComboBox, "", 53, 115, 20, 112, kCombo},
    {IDC_LAP_CS, K::ComboBox, "", 76, 115, 20, 154, kCombo},
    {IDC_PACE_MIN, K::ComboBox, "", 110, 115, 20, 112, kCombo},
    {IDC_PACE_SEC, K::ComboBox, "", 130, 115, 20, 112, kCombo},
    {IDC_PACE_CS, K::ComboBox, "", 153, 115, 20, 165, kCombo},
    {-1, K::Static, N_("時"), 16, 131, 8, 8, ctl::kNone},
    {-1, K::Static, N_("分"), 36, 131, 8, 8, ctl::kNone},
    {-1, K::Static, N_("秒"), 56, 131, 9, 8, ctl::kNone},
    {-1, K::Static, N_("0.01秒"), 77, 131, 19, 8, ctl::kNone},
    {-1, K::Static, N_("分"), 113, 131, 8, 8, ctl::kNone},
    {-1, K::Static, N_("秒"), 133, 131, 9, 8, ctl::kNone},
    {-1, K::Static, N_("0.01秒"), 153, 131, 19, 8, ctl::kNone},
    {IDC_PRIORITY, K::ComboBox, "", 215, 206, 53, 67, kCombo},
    {-1, K::Static, N_("優先する時間"), 171, 209, 42, 10, ctl::kNone},
    {IDC_SPEED_UNIT, K::ComboBox, "", 317, 205, 52, 88, kCombo},
    {IDC_INPUT_ASSIST, K::ComboBox, "", 140, 192, 32, 54, kCombo},
    {-1, K::Static, N_("速度表示"), 288, 210, 29, 10, ctl::kNone},
    {-1, K::Static, N_("入力補助機能"), 95, 195, 42, 10, ctl::kNone},
    {IDC_GRAPH_AXIS, K::ComboBox, "", 215, 171, 31, 54, kCombo},
    {IDC_CALC_MODE, K::ComboBox, "", 215, 189, 31, 54, kCombo},
    {-1, K::Static, N_("グラフ軸"), 185, 175, 29, 10, ctl::kNone},
    {-1, K::Static, N_("計算条件"), 183, 192, 28, 10, ctl::kNone},
    {IDC_LOSS_CS, K::ComboBox, "", 65, 74, 20, 148, kCombo},
    {-1, K::Static, N_("0.01秒"), 65, 89, 19, 8, ctl::kNone},
    {IDC_COMMENT, K::Edit, "", 7, 346, 361, 37,
     ctl::kMultiline | ctl::kVScroll | ctl::kAutoVScroll | ctl::kWantReturn |
         ctl::kBorder | ctl::kTabStop},
    {-1, K::Static,
     N_("コメント欄（当日の天候、体調、トピックスなど、ご自由にお書きください。"
        "行末には改行を入れてください。）"),
     7, 335, 324, 9, ctl::kNone},
};

constexpr ControlTemplate kAboutControls[] = {
    {-1, K::Icon, "", 11, 17, 20, 20, ctl::kNone},
    {-1, K::Static, "Quorvane V2.01", 40, 10, 119, 8, ctl::kNone},
    {-1, K::Static, N_("区間タイムの記録・計算・グラフ"), 40, 25, 119, 8,
     ctl::kNone},
    {-1, K::Static, N_("Quorvane 開発チーム"), 41, 39, 119, 8, ctl::kNone},
    {IDOK, K::PushButton, "OK", 178, 7, 32, 14, ctl::kDefault | ctl::kTabStop},
};

constexpr unsigned kPopupStyles =
    dlgstyle::kCaption | dlgstyle::kSysMenu | dlgstyle::kModalFrame;

constexpr DialogTemplate kMainDialog = {
    IDD_RACE_DIALOG,
    "Quorvane",
    0,
    0,
    375,
    390,
    kFontFace,
    9,
    kPopupStyles | dlgstyle::kAppWindow,
    kMainControls,
};

constexpr DialogTemplate kAboutDialog = {
    IDD_ABOUTBOX, N_("ﾊﾞｰｼﾞｮﾝ情報 Quorvane"), 0, 0, 217, 55, kFontFace, 9,
    kPopupStyles, kAboutControls,
};

}  // namespace

const DialogTemplate& MainDialogTemplate() { return kMainDialog; }
const DialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

std::string_view LoadStringResource(int id) {
  if (id == IDS_ABOUTBOX) return kAboutMenuText;
  return {};
}

}  // namespace qv
