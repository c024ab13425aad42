#pragma once
// Popup items and scroll areas painted from their plans into any device
// context. No windows and no model objects.
#include <windows.h>

#include <string_view>

#include "popup_items.h"
#include "toolbars/layout/paint_colours_win32.h"
#include "toolbars/layout/tool_images_win32.h"

namespace mz::menus {

// What an item draws beyond its plan.
struct PopupItemArt {
  std::wstring_view caption;   // with its "&" mnemonic marker, underlined like toolbar captions
  std::wstring_view shortcut;  // the shortcut's display text, drawn as it is
  const images::ToolImageCache::Image* image = nullptr;  // the picture the state shows, or none
  COLORREF fore = 0;  // the tool's ForeColor (Role::tool_fore), used when its ForeColorSource is the tool
};

// Fills the item's rectangle with the popup background, then draws the plan
// with `font`. Leaves the context as it found it.
void paint_popup_item(HDC dc, const PopupItemPlan& plan, const PopupItemArt& art, const paint::Colours& colours,
                      HFONT font);

// The scroll area's background and triangle.
void paint_scroll_area(HDC dc, Rect area, bool up, const paint::Colours& colours);

}  // namespace mz::menus
