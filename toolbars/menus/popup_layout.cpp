#include "popup_layout.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "popup_scroll.h"

namespace mz::menus {
namespace {

using i64 = int64_t;

// A submenu overlaps its parent popup by this much, on either side.
constexpr i64 kSubmenuOverlap = 3;

int to_int(i64 value) {
  return static_cast<int>(std::clamp<i64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

i64 non_negative(int value) { return std::max(value, 0); }

// The work area along one axis: [lo; hi), never reversed.
struct Range {
  i64 lo, hi;
  i64 length() const { return hi - lo; }
};
Range across_of(const Rect& work) { return {work.left, std::max<i64>(work.left, work.right)}; }
Range down_of(const Rect& work) { return {work.top, std::max<i64>(work.top, work.bottom)}; }

struct Across {
  i64 start;
  bool leftward;
};

struct Down {
  i64 start;
  i64 length;
  bool upward = false;
  bool must_scroll = false;
};

// Open at `initial`; crossing the right edge, open leftward with the right
// edge at `far_end`; crossing the left edge that way, open rightward from
// `near_start` after all.
Across flip_across(Across initial, i64 near_start, i64 far_end, i64 width, Range work) {
  Across result = initial;
  if (!result.leftward && result.start + width > work.hi) result = {far_end - width, true};
  if (result.leftward && result.start < work.lo) result = {near_start, false};
  return result;
}

// Cut to `room`, scrolling when the content does not fit.
Down cut(i64 start_edge, i64 height, i64 room, bool upward) {
  const i64 length = std::min(height, std::max<i64>(room, 0));
  return {upward ? start_edge - length : start_edge, length, upward, length < height};
}

// Pinned to the work area's bottom when too low, then to its top, cut and
// scrolling, when still too tall.
Down pin_down(i64 top, i64 height, Range work) {
  if (top + height <= work.hi) return {top, height};
  if (work.hi - height >= work.lo) return {work.hi - height, height};
  return cut(work.lo, height, work.length(), false);
}

Down point_down(i64 y, i64 height, Range work) {
  if (y < work.lo) return cut(y, height, work.hi - y, false);
  if (y + height <= work.hi) return {y, height};
  if (y - height >= work.lo) return {y - height, height, true, false};
  return pin_down(y, height, work);
}

// Below the tool; too low, above it when there is more room there, else cut
// at the bottom.
Down below_tool_down(const Rect& tool, i64 height, Range work) {
  if (tool.bottom + height <= work.hi) return {tool.bottom, height};
  const i64 above = tool.top - work.lo;
  const i64 below = work.hi - tool.bottom;
  return above > below ? cut(tool.top, height, above, true) : cut(tool.bottom, height, below, false);
}

// The last step: into the work area, horizontally showing the left part of
// a popup wider than the area, vertically cut to the area's height.
i64 settle_across(i64 start, i64 width, Range work) {
  if (start + width > work.hi) start = work.hi - width;
  return std::max(start, work.lo);
}

Down settle_down(Down down, Range work) {
  if (down.length > work.length()) down = {down.start, work.length(), down.upward, true};
  if (down.start < work.lo) down.start = work.lo;
  if (down.start + down.length > work.hi) down.start = work.hi - down.length;
  return down;
}

PopupPlacement placement(Across across, i64 width, Down down, const Rect& work_area) {
  const Range h = across_of(work_area);
  const Range v = down_of(work_area);
  const i64 left = settle_across(across.start, width, h);
  down = settle_down(down, v);
  return {{to_int(left), to_int(down.start), to_int(left + width), to_int(down.start + down.length)},
          across.leftward,
          down.upward,
          down.must_scroll};
}

struct Fitted {
  Across across;
  Down down;
};

Fitted fit(const PointAnchor& anchor, i64 width, i64 height, const Rect& work_area) {
  const i64 x = anchor.point.x;
  Across initial{x, false};
  if (anchor.align == PopupAlign::right) initial = {x - width, true};
  if (anchor.align == PopupAlign::center) initial = {x - width / 2, false};
  return {flip_across(initial, x, x, width, across_of(work_area)),
          point_down(anchor.point.y, height, down_of(work_area))};
}

Fitted fit(const SubmenuAnchor& anchor, i64 width, i64 height, const Rect& work_area) {
  const i64 right_of_parent = i64{anchor.parent_popup.right} - kSubmenuOverlap;
  const i64 left_of_parent = i64{anchor.parent_popup.left} + kSubmenuOverlap;
  return {flip_across({right_of_parent, false}, right_of_parent, left_of_parent, width, across_of(work_area)),
          pin_down(anchor.item.top, height, down_of(work_area))};
}

Fitted fit(const ToolAnchor& anchor, i64 width, i64 height, const Rect& work_area) {
  const Rect& tool = anchor.tool;
  const Range h = across_of(work_area);
  if (anchor.dock == DockCode::left || anchor.dock == DockCode::right) {
    // Beside the tool; a toolbar on the right edge opens leftward at once.
    const Across initial = anchor.dock == DockCode::right ? Across{tool.left - width, true} : Across{tool.right, false};
    return {flip_across(initial, tool.right, tool.left, width, h), pin_down(tool.top, height, down_of(work_area))};
  }
  return {flip_across({tool.left, false}, tool.left, tool.right, width, h),
          below_tool_down(tool, height, down_of(work_area))};
}

}  // namespace

Size popup_size(std::span<const Size> shown_items, int laid_out_width, Size frame) {
  i64 width = non_negative(laid_out_width);
  i64 height = 0;
  for (const Size& item : shown_items) {
    width = std::max(width, non_negative(item.width));
    height += non_negative(item.height);
  }
  return {to_int(width + 2 * non_negative(frame.width)), to_int(height + 2 * non_negative(frame.height))};
}

Size overflow_popup_size(Size toolbar_layout, Size frame) {
  return popup_size(std::span<const Size>(&toolbar_layout, 1), 0, frame);
}

int32_t popup_menu_flags(std::optional<int64_t> given) {
  if (!given || *given < 0 || *given > PopupMenuFlags::kRightAlign) return PopupMenuFlags::kLeftButton;
  return static_cast<int32_t>(*given);
}

PopupAlign popup_align(int32_t flags) {
  if (flags & PopupMenuFlags::kRightAlign) return PopupAlign::right;
  if (flags & PopupMenuFlags::kCenterAlign) return PopupAlign::center;
  return PopupAlign::left;
}

PopupPlacement fit_popup(const PopupAnchor& anchor, Size size, const Rect& work_area) {
  const i64 width = non_negative(size.width);
  const i64 height = non_negative(size.height);
  const Fitted fitted =
      std::visit([&](const auto& a) { return fit(a, width, height, work_area); }, anchor);
  return placement(fitted.across, width, fitted.down, work_area);
}

PopupPlacement refit_popup(const PopupPlacement& current, Size size, const Rect& work_area) {
  const i64 width = non_negative(size.width);
  const i64 height = non_negative(size.height);
  const Range v = down_of(work_area);
  const Across across{current.leftward ? current.rect.right - width : i64{current.rect.left}, current.leftward};
  const Down down = current.upward ? cut(current.rect.bottom, height, current.rect.bottom - v.lo, true)
                                   : cut(current.rect.top, height, v.hi - current.rect.top, false);
  return placement(across, width, down, work_area);
}

ScrollAreas initial_scroll_areas(std::span<const int> item_heights, Size client, bool must_scroll) {
  const PopupScroll scroll(std::vector<int>(item_heights.begin(), item_heights.end()), client.height, must_scroll);
  return {scroll.top_area(client.width), scroll.bottom_area(client.width), scroll.last_in_view() + 1};
}

}  // namespace mz::menus
