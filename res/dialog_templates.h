// The program's dialog templates as plain data: every control of the main
// dialog (102) and of the version dialog (100), in template order, with its
// rectangle in dialog units. The window layer builds its widgets from these
// rows; nothing here depends on a window system.
#pragma once

#include <span>
#include <string_view>

namespace qv {

enum class ControlKind {
  GroupBox,
  Static,
  Edit,
  PushButton,
  ComboBox,
  ListView,
  Icon,  // the application icon (icon 128)
};

// Control styles, combined with |.
namespace ctl {
inline constexpr unsigned kNone = 0;
inline constexpr unsigned kRight = 1u << 0;  // text right-aligned
inline constexpr unsigned kAutoHScroll = 1u << 1;
inline constexpr unsigned kMultiline = 1u << 2;
inline constexpr unsigned kVScroll = 1u << 3;  // vertical scroll bar
inline constexpr unsigned kAutoVScroll = 1u << 4;
inline constexpr unsigned kWantReturn = 1u << 5;  // Enter inserts a new line
inline constexpr unsigned kBorder = 1u << 6;
inline constexpr unsigned kSunken = 1u << 7;        // sunken client edge
inline constexpr unsigned kReport = 1u << 8;        // list view, report style
inline constexpr unsigned kDropDownList = 1u << 9;  // combo box, no typing
inline constexpr unsigned kDefault = 1u << 10;      // default push button
inline constexpr unsigned kTabStop = 1u << 11;
}  // namespace ctl

// Dialog styles.
namespace dlgstyle {
inline constexpr unsigned kCaption = 1u << 0;
inline constexpr unsigned kSysMenu = 1u << 1;
inline constexpr unsigned kModalFrame = 1u << 2;
inline constexpr unsigned kAppWindow = 1u << 3;  // shown in the task bar
}  // namespace dlgstyle

// One control. id -1 marks a control no handler uses. For a combo box, h is
// the height of its open drop-down list.
struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* caption;
  int x, y, w, h;
  unsigned styles;
};

struct DialogTemplate {
  int id;
  const char* caption;
  int x, y, w, h;
  const char* fontFace;
  int fontPoints;
  unsigned styles;
  std::span<const ControlTemplate> controls;
};

// The main dialog (102) and the version dialog (100).
const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

// The string table; an empty text for an ID it does not hold.
std::string_view LoadStringResource(int id);

}  // namespace qv
