#include "popup_items.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "toolbars/layout/tool_metrics.h"

namespace mz::menus {

namespace {

using paint::Role;

constexpr int kMinPictureSize = 16;
constexpr int kImageBoxInset = 2;  // from the item's left edge
// Pixels around the tallest thing an item shows.
constexpr int kItemPadding = 4;

int64_t non_negative(int value) { return std::max(value, 0); }
int clamped(int64_t value) { return static_cast<int>(std::min<int64_t>(value, INT_MAX)); }
int centred(int start, int room, int length) { return start + (room - length) / 2; }

bool is_window_tool(ToolType type) { return type == ToolType::combo_box || type == ToolType::edit; }
bool is_state_type(ToolType type) { return type == ToolType::state_button || type == ToolType::drop_down_state; }
bool is_plain(const PopupItemInput& item) { return item.expand || item.type == ToolType::separator; }

// The width of an item with nothing but its image and arrow columns.
int64_t empty_width(int picture_size) {
  return popup_image_column(picture_size) + kPopupCaptionGap + kPopupArrowColumn;
}

int64_t own_width(const PopupItemInput& item, int picture_size) {
  int64_t width = empty_width(picture_size);
  if (is_plain(item)) return width;
  if (content_in_menu(item.type, item.display_style).caption) width += non_negative(item.caption.width);
  if (is_window_tool(item.type)) width += kPopupControlGap + non_negative(item.ctl_width);
  if (item.shortcut.width > 0) width += kPopupShortcutGap + item.shortcut.width;
  return width;
}

int own_height(const PopupItemInput& item, int picture_size) {
  if (item.type == ToolType::separator) return kPopupSeparatorHeight;
  if (item.expand) return kPopupExpandHeight;
  int64_t content = std::max<int64_t>({picture_size + 2, non_negative(item.caption.height),
                                       non_negative(item.shortcut.height)});
  if (is_window_tool(item.type)) content = std::max(content, non_negative(item.ctl_height));
  return clamped(content + kItemPadding);
}

// The colour of everything an item writes: caption, shortcut and marks.
Role ink_role(const PopupItemInput& item, const PopupItemState& state, bool lit) {
  if (!state.enabled) return Role::gray_text;
  if (lit) return Role::selection_text;
  return item.tool_fore_color ? Role::tool_fore : Role::control_fore;
}

// A disabled text is embossed like a disabled toolbar caption, except over
// the selection, where the light emboss would stand out as a second text.
paint::CaptionPlan text_plan(Rect rect, Role ink, bool embossed) {
  paint::CaptionPlan plan;
  plan.rect = rect;
  plan.effect = embossed ? paint::Font3D::inset_light : paint::Font3D::none;
  plan.colour = ink;
  return plan;
}

// A right-pointing triangle 4 pixels wide and 7 high, in the arrow column.
paint::Shape submenu_arrow(Rect item, Role ink) {
  const int x = item.right - kPopupArrowColumn + 6;
  const int y = centred(item.top, item.height(), 7);
  return {{{x, y}, {x, y + 6}, {x + 3, y + 3}}, ink, true};
}

// Two down-pointing chevrons, 5 pixels wide and 9 high, centred.
std::vector<paint::Shape> expand_chevrons(Rect item, Role ink) {
  const int x = centred(item.left, item.width(), 5);
  const int y = centred(item.top, item.height(), 9);
  std::vector<paint::Shape> out;
  for (const int top : {y, y + 4}) {
    paint::Shape chevron = paint::chevron_arrow({x, top}, Orientation::vertical, 1);
    chevron.role = ink;
    out.push_back(std::move(chevron));
  }
  return out;
}

// A check mark 7 pixels square, 3 pixels thick, centred in the image box.
std::vector<paint::Shape> check_mark(Rect box, Role ink) {
  const int x = centred(box.left, box.width(), 7);
  const int y = centred(box.top, box.height(), 7);
  std::vector<paint::Shape> out;
  for (int k = 0; k < 3; ++k) out.push_back({{{x, y + 2 + k}, {x + 2, y + 4 + k}, {x + 7, y - 1 + k}}, ink, false});
  return out;
}

// The picture centred in its box at natural size; one larger than the box's
// inside is cut there so it stays within its item.
paint::ImagePlan image_plan(Rect box, Size picture, int picture_size) {
  paint::ImagePlan plan;
  plan.box = box;
  const Rect inside = shrunk(box, 1);
  plan.dest = paint::place_text(inside, picture, {paint::TextAlign::centre, paint::TextAlign::centre});
  if (picture.width > picture_size || picture.height > picture_size) plan.clip = inside;
  return plan;
}

std::optional<PopupFill> item_fill(Rect rect, const PopupItemState& state, bool lit) {
  if (lit) return PopupFill{rect, Role::selection};
  if (state.rarely_used) return PopupFill{rect, Role::light};
  return std::nullopt;
}

// A run of rarely used items is one block whose first item draws its top
// edge in shadow and whose last item draws its bottom edge in highlight.
std::optional<paint::Edge> run_edge(Rect rect, const PopupItemState& state) {
  if (!state.rarely_used) return std::nullopt;
  const paint::Sides sides = (state.run_starts ? paint::kTop : 0) | (state.run_ends ? paint::kBottom : 0);
  if (!sides) return std::nullopt;
  return paint::Edge{rect, paint::EdgeKind::sunken_outer, sides};
}

}  // namespace

images::ToolImageState popup_image_state(ToolType type, const PopupItemState& state, bool active_colors) {
  images::ToolImageState out;
  out.pressed_or_checked = state.checked && is_state_type(type);
  out.hot = state.hot || state.submenu_open;
  out.enabled = state.enabled;
  out.active_colors = active_colors;
  return out;
}

int popup_picture_size(int largest_picture_size) { return std::max(largest_picture_size, kMinPictureSize); }

std::vector<Size> popup_item_sizes(std::span<const PopupItemInput> items, int picture_size) {
  const int p = popup_picture_size(picture_size);
  int64_t widest = 0;
  for (const PopupItemInput& item : items) widest = std::max(widest, own_width(item, p));
  std::vector<Size> sizes;
  sizes.reserve(items.size());
  for (const PopupItemInput& item : items) sizes.push_back({clamped(widest), own_height(item, p)});
  return sizes;
}

std::vector<Rect> stack_popup_items(std::span<const Size> sizes) {
  std::vector<Rect> rects;
  rects.reserve(sizes.size());
  int64_t top = 0;
  for (const Size& size : sizes) {
    const int64_t bottom = top + non_negative(size.height);
    rects.push_back({0, clamped(top), static_cast<int>(non_negative(size.width)), clamped(bottom)});
    top = bottom;
  }
  return rects;
}

PopupItemPlan plan_popup_item(const PopupItemInput& item, Rect rect, const PopupItemState& state, int picture_size,
                              Size picture, bool own_disabled_picture) {
  const int p = popup_picture_size(picture_size);
  PopupItemPlan plan;
  plan.rect = rect;
  const bool lit = (state.hot || state.submenu_open) && item.type != ToolType::separator;
  plan.fill = item_fill(rect, state, lit);
  if (const auto edge = run_edge(rect, state)) plan.edges.push_back(*edge);

  if (item.type == ToolType::separator) {
    // An etched line across the item's middle: shadow over highlight.
    const int y = rect.top + (rect.height() - 2) / 2;
    plan.edges.push_back({{rect.left + 1, y, rect.right - 1, y + 2}, paint::EdgeKind::sunken_outer,
                          paint::kTop | paint::kBottom});
    return plan;
  }
  const Role ink = ink_role(item, state, lit);
  if (item.expand) {
    plan.marks = expand_chevrons(rect, state.enabled && !lit ? Role::button_text : ink);
    return plan;
  }

  const ToolContent content = content_in_menu(item.type, item.display_style);
  const Rect box = rect_at({rect.left + kImageBoxInset, centred(rect.top, rect.height(), p + 2)}, {p + 2, p + 2});
  const bool checked = state.checked && is_state_type(item.type);
  if (checked) plan.edges.push_back({box, paint::EdgeKind::sunken_outer, paint::kAllSides});
  if (content.image && picture.width > 0 && picture.height > 0) {
    plan.image = image_plan(box, picture, p);
    plan.image->silhouette = !state.enabled && !own_disabled_picture;
  } else if (checked) {
    plan.marks = check_mark(box, ink);
  }
  if (item.type == ToolType::menu) plan.marks.push_back(submenu_arrow(rect, ink));

  const bool embossed = !state.enabled && !lit;
  const int text_left = rect.left + popup_image_column(p) + kPopupCaptionGap;
  const Size caption = content.caption ? item.caption : Size{};
  const Rect caption_rect = rect_at({text_left, centred(rect.top, rect.height(), caption.height)}, caption);
  if (content.caption) plan.caption = text_plan(caption_rect, ink, embossed);
  if (is_window_tool(item.type)) {
    plan.control = rect_at({caption_rect.right + kPopupControlGap, centred(rect.top, rect.height(), item.ctl_height)},
                           {item.ctl_width, item.ctl_height});
  }
  if (item.shortcut.width > 0) {
    const Rect column{rect.left, rect.top, rect.right - kPopupArrowColumn, rect.bottom};
    plan.shortcut = text_plan(paint::place_text(column, item.shortcut, {paint::TextAlign::end, paint::TextAlign::centre}),
                              ink, embossed);
  }
  return plan;
}

paint::Shape scroll_arrow(Rect area, bool up) {
  const int x = centred(area.left, area.width(), 8);
  const int y = centred(area.top, area.height(), 4);
  const int base = up ? y + 3 : y;
  const int tip = up ? y : y + 3;
  return {{{x, base}, {x + 7, base}, {x + 4, tip}, {x + 3, tip}}, Role::button_text, true};
}

}  // namespace mz::menus
