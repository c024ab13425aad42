#pragma once
// A popup menu's outer size from its items, where it hangs from (a screen
// point, its source item in a parent popup, or a menu tool on a toolbar) and
// how it is fitted to the work area: flipped leftward or upward, pinned, cut
// with scrolling, and finally shifted inside. Pure arithmetic over sizes and
// rectangles; the popup window reads the results.
//
// All placement arithmetic runs on 64-bit values, so anchors, sizes and work
// areas anywhere in the int range never overflow; a result edge that would
// leave the int range (only the right edge of a popup wider than the room up
// to INT_MAX) is clamped to it. A work area with a negative width or height
// counts as empty.
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

#include "toolbars/layout/geometry.h"

namespace mz::menus {

// Width: the widest shown item or the laid-out width, whichever is larger;
// height: the shown items stacked without gaps; plus the frame on both sides.
// Negative inputs count as 0; a total past INT_MAX is clamped to it.
Size popup_size(std::span<const Size> shown_items, int laid_out_width, Size frame);

// A toolbar's overflow popup takes its toolbar layout's size plus the frame.
Size overflow_popup_size(Size toolbar_layout, Size frame);

// The flags of a popup opened at a point. Missing or out of 0..8 means 1
// (left button, left aligned).
struct PopupMenuFlags {
  static constexpr int32_t kLeftAlign = 0;
  static constexpr int32_t kLeftButton = 1;
  static constexpr int32_t kRightButton = 2;
  static constexpr int32_t kCenterAlign = 4;
  static constexpr int32_t kRightAlign = 8;
};
int32_t popup_menu_flags(std::optional<int64_t> given);

enum class PopupAlign : uint8_t { left, center, right };
PopupAlign popup_align(int32_t flags);

// An explicit screen point: the popup's left edge is the point, or its right
// edge, or its middle.
struct PointAnchor {
  Point point;
  PopupAlign align = PopupAlign::left;
};

// A submenu beside its source item of a parent popup (screen rectangles).
struct SubmenuAnchor {
  Rect item;
  Rect parent_popup;
};

// A menu tool on a toolbar (the tool's screen rectangle). A floating
// toolbar's menu opens as from a horizontal docked one.
struct ToolAnchor {
  Rect tool;
  DockCode dock = DockCode::top;
};

using PopupAnchor = std::variant<PointAnchor, SubmenuAnchor, ToolAnchor>;

struct PopupPlacement {
  Rect rect;                 // outer screen rectangle, possibly cut to the work area
  bool leftward = false;     // right edge at the anchor
  bool upward = false;       // bottom edge at the anchor
  bool must_scroll = false;  // the rectangle is shorter than the content
  constexpr bool operator==(const PopupPlacement&) const = default;
};

PopupPlacement fit_popup(const PopupAnchor& anchor, Size size, const Rect& work_area);

// After the shown items changed in an open popup: `size` is the new full
// size. The popup keeps its edge at the anchor (top, or bottom when it opened
// upward; left, or right when it opened leftward) and is cut against the work
// area, scrolling when the content does not fit and no longer when it does.
PopupPlacement refit_popup(const PopupPlacement& current, Size size, const Rect& work_area);

// The scroll areas of a freshly opened popup, in client coordinates (inside
// the frame), and the 1-based index of the last item fully shown (0: none),
// as a fresh PopupScroll has them.
// A popup that does not scroll has no areas and shows all its items. One that
// scrolls starts at its first item: the top area is empty until it scrolls,
// the bottom area is a strip one item high (the tallest shown item, so a
// trailing separator never leaves a sliver) across the bottom of the client.
struct ScrollAreas {
  Rect top;
  Rect bottom;
  int last_shown = 0;
  constexpr bool operator==(const ScrollAreas&) const = default;
};
ScrollAreas initial_scroll_areas(std::span<const int> item_heights, Size client, bool must_scroll);

}  // namespace mz::menus
