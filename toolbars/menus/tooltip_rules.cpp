#include "tooltip_rules.h"

#include <algorithm>

#include "shortcut.h"

namespace mz::menus {

bool tooltip_timer_starts(const TooltipSituation& s) {
  if (!s.show_tooltips || s.mouse_button_held) return false;
  if (s.separator || s.menu_tool) return false;
  if (s.in_popup && !s.overflow_popup) return false;
  return !s.pressed_or_dropped && !s.other_tool_pressed;
}

std::optional<std::wstring> tooltip_text(std::wstring_view tooltip, std::wstring_view caption, int shortcut,
                                         bool show_shortcuts) {
  std::wstring text(tooltip.empty() ? caption : tooltip);
  if (const auto amp = text.find(L'&'); amp != std::wstring::npos) text.erase(amp, 1);
  if (text.find_first_not_of(L' ') == std::wstring::npos) return std::nullopt;
  return tooltip_with_shortcut(text, shortcut, show_shortcuts);
}

namespace {

// Moves [start; start + length) inside [low; high) when it fits; a span
// longer than the range keeps its start at `low`.
int clamp_span(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

Rect tooltip_rect(Size text_extent, Point cursor, int cursor_height, const Rect& screen) {
  const Size size{text_extent.width + 4, text_extent.height + 4};
  const Point wanted{cursor.x, cursor.y + cursor_height / 2 + 2};
  return rect_at({clamp_span(wanted.x, size.width, screen.left, screen.right),
                  clamp_span(wanted.y, size.height, screen.top, screen.bottom)},
                 size);
}

}  // namespace mz::menus
