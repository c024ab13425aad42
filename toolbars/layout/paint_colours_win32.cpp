#include "paint_colours_win32.h"

namespace mz::paint {

COLORREF resolved_colour(COLORREF colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return colour;
}

Colours Colours::system(COLORREF control_fore) {
  Colours out;
  const COLORREF fore = resolved_colour(control_fore);
  const auto set = [&](Role role, COLORREF colour) { out.colours_[index(role)] = colour; };
  set(Role::highlight, GetSysColor(COLOR_BTNHIGHLIGHT));
  set(Role::shadow, GetSysColor(COLOR_BTNSHADOW));
  set(Role::light, GetSysColor(COLOR_3DLIGHT));
  set(Role::dark_shadow, GetSysColor(COLOR_3DDKSHADOW));
  set(Role::button_text, GetSysColor(COLOR_BTNTEXT));
  set(Role::gray_text, GetSysColor(COLOR_GRAYTEXT));
  set(Role::black, RGB(0, 0, 0));
  set(Role::tool_fore, fore);
  set(Role::control_fore, fore);
  set(Role::tooltip_back, GetSysColor(COLOR_INFOBK));
  set(Role::tooltip_text, GetSysColor(COLOR_INFOTEXT));
  set(Role::popup_back, GetSysColor(COLOR_BTNFACE));
  set(Role::selection, GetSysColor(COLOR_HIGHLIGHT));
  set(Role::selection_text, GetSysColor(COLOR_HIGHLIGHTTEXT));
  return out;
}

Colours Colours::with(Role role, COLORREF colour) const {
  Colours out = *this;
  out.colours_[index(role)] = resolved_colour(colour);
  return out;
}

}  // namespace mz::paint
