#pragma once
// When a hot tool's tooltip timer starts, what the tip says and where it
// goes, over plain values: the tracker window reads the platform's state,
// asks here, and shows the "MzToolTip" window accordingly.
#include <optional>
#include <string>
#include <string_view>

#include "toolbars/layout/geometry.h"

namespace mz::menus {

// What the tooltip timer's start depends on when a tool becomes hot.
struct TooltipSituation {
  bool show_tooltips = true;      // the control's ShowToolTips
  bool mouse_button_held = false;
  bool separator = false;         // the hot tool is a separator
  bool menu_tool = false;         // the hot tool opens a submenu
  bool in_popup = false;          // the tool sits in a popup menu...
  bool overflow_popup = false;    // ...which is a toolbar's overflow popup
  bool pressed_or_dropped = false;
  bool other_tool_pressed = false;
};

bool tooltip_timer_starts(const TooltipSituation& situation);

// The tip's text: the tool's tooltip text, else its caption, without the
// first "&", followed by the shortcut's name in parentheses when asked.
// Nothing when the text holds only spaces (or nothing at all).
std::optional<std::wstring> tooltip_text(std::wstring_view tooltip, std::wstring_view caption, int shortcut,
                                         bool show_shortcuts);

// The tip's rectangle: the text extent plus 4 pixels each way, its top half
// the cursor's height plus 2 pixels below the cursor, moved inside `screen`.
Rect tooltip_rect(Size text_extent, Point cursor, int cursor_height, const Rect& screen);

}  // namespace mz::menus
