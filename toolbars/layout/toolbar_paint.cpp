#include "toolbar_paint.h"

namespace mz::paint {

namespace {

Placement in_area(Placement placement, Point origin) {
  for (ToolSpot& spot : placement.tools)
    if (spot.fate == ToolFate::shown) spot.rect = relative_to(spot.rect, origin);
  if (placement.more_tools) placement.more_tools = relative_to(*placement.more_tools, origin);
  return placement;
}

ToolState state_of(const Tool& tool, const PlacedTool& placed, const DeckPaintLook& look, const ToolMarks& marks) {
  const bool hot = marks.hot == &placed;
  ToolState state;
  state.hot = hot;
  state.pressed = hot && marks.pressed;
  state.on_arrow = hot && marks.on_arrow;
  state.dropped = marks.dropped == &placed;
  state.state_checked = tool.state == 1;
  state.enabled = tool_counts_enabled(look.control_enabled, tool.enabled, look.run_mode, look.layout.customizing);
  state.customizing = look.layout.customizing;
  state.selected_in_customizer = marks.selected == &placed;
  return state;
}

ToolPaintInput tool_input(const Tool* tool, const PlacedTool& placed, const DeckPaintLook& look,
                          const ToolMarks& marks, const CaptionCache& captions) {
  ToolPaintInput input;
  if (!tool) {
    input.type = ToolType::separator;
    return input;
  }
  input.type = tool->type();
  input.display_style = placed.fields.display_style;
  input.state = state_of(*tool, placed, look, marks);
  input.tool_fore_color = placed.fields.fore_color_source == 1;
  input.own_disabled_picture = tool->pictures[static_cast<size_t>(PictureSlot::disabled)] != nullptr;
  input.caption = captions.find(&placed).value_or(Size{});
  return input;
}

}  // namespace

std::wstring shown_caption(const Deck& deck, PlacedTool& placed) {
  if (!placed.fields.name.empty()) return placed.fields.name;
  const std::shared_ptr<Tool> tool = deck.tool_of(placed);
  if (!tool) return {};
  return tool->own.name.empty() ? tool->id : tool->own.name;
}

images::ToolImageState image_state(const ToolState& state, bool active_colors) {
  return {.pressed_or_checked = state.pressed || state.state_checked,
          .hot = state.hot,
          .enabled = state.enabled,
          .active_colors = active_colors};
}

ToolbarPaint toolbar_paint(const Deck& deck, const Toolbar& toolbar, const ModelToolbar& model,
                           const LaidOutToolbar& laid_out, Point area_origin, const DeckPaintLook& look,
                           const ToolMarks& marks, const CaptionCache& captions) {
  ToolbarPaint out;
  const BarShape& shape = model.input.shape;
  out.frame = {.rect = relative_to(laid_out.rect, area_origin),
               .orientation = shape.orientation,
               .style = shape.style,
               .floating = toolbar.floating(),
               .display_grab_handles = toolbar.display_grab_handles,
               .floatable = toolbar.dock_flags.allows(DockCode::floating),
               .compressed = laid_out.placement.compressed,
               .display_more_tools_button = shape.display_more_tools};
  out.placement = in_area(laid_out.placement, area_origin);
  out.bar = {.look = {.orientation = shape.orientation,
                      .picture_size = shape.picture_size,
                      .large_icons = shape.large_icons,
                      .caption_alignment = static_cast<CaptionAlignment>(toolbar.caption_alignment),
                      .menu_bar = shape.menu_bar,
                      .font_height = look.layout.font_height},
             .font3d = static_cast<Font3D>(toolbar.font3d),
             .floating = toolbar.floating(),
             .bar = out.frame.rect};
  out.tools.reserve(model.tools.size());
  out.models.reserve(model.tools.size());
  out.captions.reserve(model.tools.size());
  for (PlacedTool* placed : model.tools) {
    const std::shared_ptr<Tool> tool = placed->is_separator() ? nullptr : deck.tool_of(*placed);
    out.tools.push_back(tool_input(tool.get(), *placed, look, marks, captions));
    out.models.push_back(tool.get());
    out.captions.push_back(tool ? shown_caption(deck, *placed) : std::wstring{});
  }
  return out;
}

}  // namespace mz::paint
