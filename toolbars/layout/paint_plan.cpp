#include "paint_plan.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "tool_images.h"

namespace mz::paint {

namespace {

Shape moved(Shape s, Point by) {
  for (Point& p : s.points) p = {p.x + by.x, p.y + by.y};
  return s;
}

// ---- Toolbar frame ----

// One grab bar: a raised edge drawn as its top, right and bottom sides, then
// its left side.
void add_grab_bar(std::vector<Edge>& out, Rect bar) {
  out.push_back({bar, EdgeKind::raised_inner, kTop | kRight | kBottom});
  out.push_back({bar, EdgeKind::raised_inner, kLeft});
}

std::vector<Edge> grab_bars(const BarFrameInput& bar) {
  const Rect& r = bar.rect;
  const bool horizontal = bar.orientation == Orientation::horizontal;
  const Rect first = horizontal ? Rect{r.left + 4, r.top + 2, r.left + 7, r.bottom - 2}
                                : Rect{r.left + 2, r.top + 4, r.right - 2, r.top + 7};
  std::vector<Edge> out;
  add_grab_bar(out, first);
  // The 97 style marks a toolbar that may float with a second bar; the 2000
  // style keeps the room for it but draws one.
  if (bar.floatable && bar.style == DeckStyle::office97)
    add_grab_bar(out, moved(first, oriented_point(bar.orientation, 3, 0)));
  return out;
}

// The engraved double chevron in the reserve at the far end of a compressed
// toolbar: a light and a shadow line, twice.
std::vector<Shape> compressed_chevron(const BarFrameInput& bar) {
  const Rect& r = bar.rect;
  Shape light{{}, Role::light, false};
  Shape shadow{{}, Role::shadow, false};
  if (bar.orientation == Orientation::horizontal) {
    light.points = {{r.right - 11, r.top + 2}, {r.right - 8, r.top + 5}, {r.right - 7, r.top + 5}, {r.right - 11, r.top + 9}};
    shadow.points = {{r.right - 10, r.top + 2}, {r.right - 8, r.top + 4}, {r.right - 8, r.top + 5}, {r.right - 11, r.top + 8}};
  } else {
    light.points = {{r.right - 9, r.bottom - 11}, {r.right - 6, r.bottom - 8}, {r.right - 6, r.bottom - 7}, {r.right - 2, r.bottom - 11}};
    shadow.points = {{r.right - 9, r.bottom - 10}, {r.right - 7, r.bottom - 8}, {r.right - 6, r.bottom - 8}, {r.right - 3, r.bottom - 11}};
  }
  const Point next = oriented_point(bar.orientation, 4, 0);
  return {light, shadow, moved(light, next), moved(shadow, next)};
}

// ---- Tool ----

bool is_drop_type(ToolType type) { return type == ToolType::drop_down || type == ToolType::drop_down_state; }
bool is_window_tool(ToolType type) { return type == ToolType::combo_box || type == ToolType::edit; }
bool is_state_type(ToolType type) { return type == ToolType::state_button || type == ToolType::drop_down_state; }

// The part at the right end of a tool that holds its arrow, and is left out
// of the image and caption placement.
int arrow_part(ToolType type, const BarLook& bar) {
  const bool has_arrow = is_drop_type(type) || (type == ToolType::menu && !bar.menu_bar);
  if (!has_arrow) return 0;
  return bar.large_icons ? 19 : 9;
}

Edge separator_line(const ToolPaintInput& tool, const ToolBarLook& bar) {
  Rect line = shrunk(tool.rect, 2);
  if (bar.look.orientation == Orientation::horizontal && !tool.line_break)
    return {moved(line, {0, -1}), EdgeKind::sunken_outer, kLeft | kRight};
  line = moved(line, {-1, 0});
  if (tool.line_break && bar.floating) line.right = bar.bar.left + bar.bar.width() - 2;
  return {line, EdgeKind::sunken_outer, kTop | kBottom};
}

Shape triangle(Point a, Point b, Point c, Role role) { return {{a, b, c}, role, true}; }

// The filled down arrow of a dropdown; a disabled one is embossed.
std::vector<Shape> dropdown_arrow(const Rect& r, bool large_icons, bool enabled) {
  int x = r.right - 7;
  int y = r.top + (r.height() - 3) / 2;
  int scale = 1;
  if (large_icons) {
    x = r.right - 18;
    y -= 3;
    scale = 4;
  }
  const Shape arrow = triangle({x, y}, {x + 4 * scale, y}, {x + 2 * scale, y + 2 * scale}, Role::black);
  if (enabled) return {arrow};
  Shape raised = moved(arrow, {1, 1});
  raised.role = Role::highlight;
  Shape sunk = arrow;
  sunk.role = Role::shadow;
  return {raised, sunk};
}

// A menu tool of a toolbar other than the menu bar points to its menu.
Shape menu_arrow(const Rect& r, Orientation orientation) {
  if (orientation == Orientation::vertical)
    return triangle({r.right - 5, r.bottom - 7}, {r.right - 5, r.bottom - 3}, {r.right - 3, r.bottom - 5}, Role::button_text);
  const int y0 = r.top + (r.bottom - r.top - 3) / 2;
  const int y = y0 + (r.bottom - y0) / 2 - 1;
  return triangle({r.right - 7, y}, {r.right - 3, y}, {r.right - 5, y + 2}, Role::button_text);
}

std::optional<Rect> checkerboard(const ToolPaintInput& tool, const BarLook& bar) {
  Rect inside = shrunk(tool.rect, 1);
  if (is_drop_type(tool.type)) inside.right -= bar.large_icons ? 20 : 9;
  if (inside.width() <= 0 || inside.height() <= 0) return std::nullopt;
  // A region whose pixel count does not fit an int is left plain.
  if (static_cast<int64_t>(inside.width()) * inside.height() > INT_MAX) return std::nullopt;
  return inside;
}

// Where the picture goes inside its image box: stretched over its P x P
// place with large icons (clipped there, a pixel lower for a wide picture),
// otherwise centred at its natural size.
ImagePlan image_in_box(Rect box, Size picture, bool large_icons) {
  const Rect place = shrunk(box, 1);
  ImagePlan plan;
  plan.box = box;
  const bool stretches = large_icons && picture.width <= images::kLargeIconSize && picture.height <= images::kLargeIconSize;
  if (stretches) {
    plan.dest = place;
    Rect clip = place;
    if (picture.width > picture.height) clip.bottom += 1;
    plan.clip = clip;
  } else {
    const Point at{place.left + (place.width() - picture.width) / 2, place.top + (place.height() - picture.height) / 2};
    plan.dest = rect_at(at, picture);
  }
  return plan;
}

int centred(int start, int room, int length) { return start + (room - length) / 2; }

struct Placed {
  std::optional<Rect> box;
  std::optional<Rect> caption;
};

// The image box (P + 2 square) and the caption inside the tool's content
// area (1 pixel in from its corner, without the arrow part). Image and
// caption side by side or stacked are centred as one group, 4 pixels apart.
Placed place_content(ToolContent content, Rect area, int picture_size, Size text, CaptionAlignment alignment) {
  const int box = picture_size + 2;
  const int w = area.width(), h = area.height();
  Placed out;
  if (!content.caption) {
    out.box = rect_at({centred(area.left, w, box), centred(area.top, h, box)}, {box, box});
    return out;
  }
  if (!content.image) {
    out.caption = rect_at({centred(area.left, w, text.width), centred(area.top, h, text.height)}, text);
    return out;
  }
  constexpr int kGap = 4;
  switch (alignment) {
    case CaptionAlignment::top_of_image:
    case CaptionAlignment::bottom_of_image: {
      const int top = centred(area.top, h, box + kGap + text.height);
      const bool above = alignment == CaptionAlignment::top_of_image;
      const int box_top = above ? top + text.height + kGap : top;
      const int text_top = above ? top : top + box + kGap;
      out.box = rect_at({centred(area.left, w, box), box_top}, {box, box});
      out.caption = rect_at({centred(area.left, w, text.width), text_top}, text);
      break;
    }
    case CaptionAlignment::left_of_image:
    case CaptionAlignment::right_of_image: {
      const int left = centred(area.left, w, box + kGap + text.width);
      const bool before = alignment == CaptionAlignment::left_of_image;
      const int box_left = before ? left + text.width + kGap : left;
      const int text_left = before ? left : left + box + kGap;
      out.box = rect_at({box_left, centred(area.top, h, box)}, {box, box});
      out.caption = rect_at({text_left, centred(area.top, h, text.height)}, text);
      break;
    }
  }
  return out;
}

// Whether the press shows: the content moves while the mouse holds an
// enabled button down outside the customizer.
bool shows_press(const ToolPaintInput& tool) {
  const ToolState& s = tool.state;
  if (tool.type == ToolType::menu) return s.dropped;
  return s.pressed && s.enabled && !s.customizing && tool.type != ToolType::label && !s.dropped;
}

std::optional<EdgeKind> frame_kind(bool sunken, bool raised) {
  if (sunken) return EdgeKind::sunken_outer;
  if (raised) return EdgeKind::raised_inner;
  return std::nullopt;
}

std::vector<Edge> button_frames(const ToolPaintInput& tool, const BarLook& bar, bool checked, bool pressed) {
  const ToolState& s = tool.state;
  const Rect& r = tool.rect;
  std::optional<EdgeKind> kind;
  if (tool.type == ToolType::label) return {};
  if (tool.type == ToolType::menu) {
    kind = frame_kind(s.dropped, s.hot && s.enabled && !s.customizing);
  } else if (!s.enabled) {
    kind = frame_kind(checked, false);
  } else if (is_drop_type(tool.type) && (s.hot || s.dropped)) {
    const int arrow = bar.large_icons ? 19 : 9;
    const Rect main{r.left, r.top, r.right - arrow, r.bottom};
    const Rect arrow_rect{r.right - arrow, r.top, r.right, r.bottom};
    std::vector<Edge> out;
    if (auto main_kind = frame_kind((pressed && !s.on_arrow) || checked, s.hot)) out.push_back({main, *main_kind});
    const bool arrow_down = s.dropped || (s.pressed && s.on_arrow);
    out.push_back({arrow_rect, arrow_down ? EdgeKind::sunken_outer : EdgeKind::raised_inner});
    return out;
  } else {
    kind = frame_kind(pressed || checked, s.hot);
  }
  if (!kind) return {};
  return {{r, *kind}};
}

Role caption_colour(const ToolPaintInput& tool) {
  if (!tool.state.enabled) return Role::gray_text;
  return tool.tool_fore_color ? Role::tool_fore : Role::control_fore;
}

}  // namespace

// A closed 7-point outline of the ">".
Shape chevron_arrow(Point at, Orientation orientation, int scale) {
  static constexpr Point kRight[] = {{0, 0}, {2, 0}, {4, 2}, {2, 4}, {0, 4}, {2, 2}, {0, 0}};
  std::vector<Point> points;
  for (Point p : kRight) {
    const Point along = oriented_point(orientation, p.x * scale, p.y * scale);
    points.push_back({at.x + along.x, at.y + along.y});
  }
  return {std::move(points), Role::button_text, true};
}

BarFramePlan plan_bar_frame(const BarFrameInput& bar) {
  BarFramePlan plan;
  if (bar.floating) return plan;
  plan.border = Edge{bar.rect, EdgeKind::raised_inner, kAllSides};
  if (bar.display_grab_handles) plan.grab = grab_bars(bar);
  if (bar.compressed && !bar.display_more_tools_button) plan.chevron = compressed_chevron(bar);
  return plan;
}

std::vector<Shape> more_tools_marks(Rect b, Orientation orientation, bool large_icons, bool compressed) {
  const int L = b.left, T = b.top, R = b.right, B = b.bottom;
  std::vector<Shape> out;
  if (orientation == Orientation::horizontal) {
    out.push_back(large_icons ? triangle({L + 3, B - 14}, {L + 10, B - 7}, {L + 17, B - 14}, Role::button_text)
                              : triangle({L + 3, B - 8}, {L + 7, B - 8}, {L + 5, B - 6}, Role::button_text));
  } else {
    out.push_back(large_icons ? triangle({L + 1, B - 10}, {L + 8, B - 17}, {L + 8, B - 3}, Role::button_text)
                              : triangle({L + 1, B - 6}, {L + 3, B - 8}, {L + 3, B - 4}, Role::button_text));
  }
  if (!compressed) return out;
  const bool horizontal = orientation == Orientation::horizontal;
  const Point start = horizontal ? (large_icons ? Point{L + 3, T + 3} : Point{L + 2, T + 4})
                                 : (large_icons ? Point{R - 12, T + 3} : Point{R - 8, T + 2});
  const int scale = large_icons ? 2 : 1;
  const Point step = oriented_point(orientation, 4 * scale, 0);
  out.push_back(chevron_arrow(start, orientation, scale));
  out.push_back(chevron_arrow({start.x + step.x, start.y + step.y}, orientation, scale));
  return out;
}

std::optional<TextPlacement> text_placement(int code) {
  if (code < 0 || code > 8) return std::nullopt;
  static constexpr TextAlign kAcross[] = {TextAlign::start, TextAlign::end, TextAlign::centre};
  static constexpr TextAlign kDown[] = {TextAlign::start, TextAlign::centre, TextAlign::end};
  return TextPlacement{kAcross[code / 3], kDown[code % 3]};
}

Rect place_text(Rect box, Size extent, TextPlacement placement) {
  const auto start = [](TextAlign align, int from, int to, int length) {
    switch (align) {
      case TextAlign::start: return from;
      case TextAlign::end: return to - length;
      case TextAlign::centre: return centred(from, to - from, length);
    }
    return from;
  };
  return rect_at({start(placement.horizontal, box.left, box.right, extent.width),
                  start(placement.vertical, box.top, box.bottom, extent.height)},
                 extent);
}

TooltipPlan plan_tooltip(Rect client, Size text_extent) {
  TooltipPlan plan;
  plan.fill = client;
  plan.edges = {{client, EdgeKind::raised_inner, kLeft | kTop}, {client, EdgeKind::raised_outer, kRight | kBottom}};
  plan.text = place_text(client, text_extent, {TextAlign::centre, TextAlign::centre});
  return plan;
}

std::vector<TextLayer> text_layers(Font3D effect, bool gray, int drop_depth) {
  using I = TextInk;
  switch (effect) {
    case Font3D::none: return {{gray ? I::grayed : I::text, {0, 0}}};
    case Font3D::raised_light: return {{I::highlight, {0, 0}}, {I::text, {1, 1}}};
    case Font3D::raised_heavy: return {{I::highlight, {0, 0}}, {I::shadow, {2, 2}}, {I::text, {1, 1}}};
    case Font3D::inset_light: return {{I::highlight, {1, 1}}, {I::text, {0, 0}}};
    case Font3D::inset_heavy: return {{I::shadow, {0, 0}}, {I::highlight, {2, 2}}, {I::text, {1, 1}}};
    case Font3D::drop_shadow: return {{I::shadow, {drop_depth, drop_depth}}, {I::text, {0, 0}}};
  }
  return {{I::text, {0, 0}}};
}

int drop_shadow_depth(int text_height, int internal_leading, int pixels_per_inch) {
  if (pixels_per_inch <= 0) return 1;
  const int points = (text_height - internal_leading) * 72 / pixels_per_inch;
  return std::max(1, (points + 7) / 10);
}

bool tool_counts_enabled(bool control_enabled, bool tool_enabled, bool run_mode, bool customizing) {
  if (customizing) return true;
  if (!control_enabled) return false;
  return !run_mode || tool_enabled;
}

ToolPlan plan_tool(const ToolPaintInput& tool, const ToolBarLook& bar) {
  const BarLook& look = bar.look;
  const ToolState& s = tool.state;
  ToolPlan plan;
  if (tool.type == ToolType::separator) {
    plan.separator = separator_line(tool, bar);
    return plan;
  }
  if (look.orientation == Orientation::horizontal && is_window_tool(tool.type)) {
    plan.own_window = true;
    return plan;
  }

  if (is_drop_type(tool.type)) plan.arrows = dropdown_arrow(tool.rect, look.large_icons, s.enabled);
  if (tool.type == ToolType::menu && !look.menu_bar) plan.arrows.push_back(menu_arrow(tool.rect, look.orientation));

  const bool checked = s.state_checked && is_state_type(tool.type);
  if (checked && s.enabled && !s.hot) plan.checkerboard = checkerboard(tool, look);
  const bool pressed = shows_press(tool);
  const Point offset = checked || pressed ? Point{1, 1} : Point{0, 0};

  const bool vertical = look.orientation == Orientation::vertical;
  const Size text = vertical ? Size{tool.caption.height, tool.caption.width} : tool.caption;
  const CaptionAlignment alignment = vertical ? turned_alignment(look.caption_alignment) : look.caption_alignment;
  const Rect& r = tool.rect;
  const Rect area{r.left + 1, r.top + 1, r.right - arrow_part(tool.type, look) - 1, r.bottom - 1};
  const Placed placed = place_content(content_on_toolbar(tool.type, tool.display_style), area, look.picture_size, text, alignment);

  if (placed.caption) {
    plan.caption = CaptionPlan{.rect = moved(*placed.caption, offset),
                               .rotated = vertical,
                               .effect = s.enabled ? bar.font3d : Font3D::inset_light,
                               .colour = caption_colour(tool)};
  }
  if (placed.box) {
    plan.image = image_in_box(moved(*placed.box, offset), tool.picture, look.large_icons);
    plan.image->silhouette = !s.enabled && !tool.own_disabled_picture;
  }

  if (s.customizing && s.selected_in_customizer) {
    plan.black_frames = {r, shrunk(r, 1)};
    return plan;
  }
  plan.frames = button_frames(tool, look, checked, pressed);
  return plan;
}

ToolbarPlan plan_toolbar(const BarFrameInput& frame, const Placement& placement, std::span<const ToolPaintInput> tools,
                         const ToolBarLook& bar) {
  BarFrameInput placed_frame = frame;
  placed_frame.compressed = placement.compressed;
  ToolbarPlan plan;
  plan.frame = plan_bar_frame(placed_frame);
  plan.clip = frame.rect;
  const std::size_t count = std::min(tools.size(), placement.tools.size());
  for (std::size_t i = 0; i < count; ++i) {
    const ToolSpot& spot = placement.tools[i];
    if (spot.fate != ToolFate::shown) continue;
    ToolPaintInput tool = tools[i];
    tool.rect = spot.rect;
    tool.line_break = spot.line_length > 0;
    plan.tools.push_back({i, plan_tool(tool, bar)});
  }
  if (placement.more_tools)
    plan.more_tools = more_tools_marks(*placement.more_tools, frame.orientation, bar.look.large_icons, placement.compressed);
  return plan;
}

}  // namespace mz::paint
