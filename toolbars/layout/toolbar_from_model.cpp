#include "toolbar_from_model.h"

#include <algorithm>

#include "tool_metrics.h"
#include "toolbar_extents.h"

namespace mz {

namespace {

struct ShownTool {
  PlacedTool* placed;
  const Tool* tool;  // null for a separator
};

// The placed tools the toolbar shows: separators, and the tools that are
// visible themselves and here.
std::vector<ShownTool> shown_tools(Deck& deck, Toolbar& toolbar) {
  std::vector<ShownTool> shown;
  for (const auto& placed : toolbar.tools) {
    if (!placed->fields.visible_here) continue;
    if (placed->is_separator()) {
      shown.push_back({placed.get(), nullptr});
      continue;
    }
    const std::shared_ptr<Tool> tool = deck.tool_of(*placed);
    if (tool && tool->visible) shown.push_back({placed.get(), tool.get()});
  }
  return shown;
}

ToolLook look_of(const ShownTool& shown, const CaptionCache& captions) {
  if (!shown.tool) return {.type = ToolType::separator};
  const PlacedFields& fields = shown.placed->fields;
  return {.type = shown.tool->type(),
          .display_style = fields.display_style,
          .caption = captions.find(shown.placed).value_or(Size{}),
          .ctl_width = fields.ctl_width >= 0 ? fields.ctl_width : shown.tool->own.ctl_width};
}

}  // namespace

ModelToolbar toolbar_from_model(Deck& deck, Toolbar& toolbar, const DeckLook& look, const CaptionCache& captions) {
  const std::vector<ShownTool> shown = shown_tools(deck, toolbar);
  int largest_picture = 0;
  for (const ShownTool& tool : shown)
    if (tool.tool) largest_picture = std::max<int>(largest_picture, tool.tool->picture_size);

  ModelToolbar out;
  BarShape& shape = out.input.shape;
  shape.orientation = orientation_of(toolbar.docked_status);
  shape.style = deck_style_of(look.style);
  shape.grab = grab_width(toolbar.floating(), toolbar.display_grab_handles,
                          toolbar.dock_flags.allows(DockCode::floating));
  shape.menu_bar = toolbar.is_menu_bar();
  shape.stretched = toolbar.dock_flags.stretched();
  shape.customizing = look.customizing;
  shape.large_icons = look.large_icons;
  shape.picture_size = toolbar_picture_size(look.large_icons, largest_picture);
  shape.display_more_tools = toolbar.display_more_tools && !toolbar.is_menu_bar();
  if (toolbar.allow_customize || look.customizer_available) out.more_tools = deck.more_tools_button(toolbar);
  shape.more_tools = out.more_tools != nullptr;

  const BarLook bar{.orientation = shape.orientation,
                    .picture_size = shape.picture_size,
                    .large_icons = look.large_icons,
                    .caption_alignment = static_cast<CaptionAlignment>(toolbar.caption_alignment),
                    .menu_bar = shape.menu_bar,
                    .font_height = look.font_height};
  std::vector<ToolLook> looks;
  looks.reserve(shown.size());
  for (const ShownTool& tool : shown) looks.push_back(look_of(tool, captions));
  const std::vector<Size> sizes = toolbar_tool_sizes(looks, bar);

  out.input.tools.reserve(shown.size());
  out.tools.reserve(shown.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    const Tool* tool = shown[i].tool;
    out.input.tools.push_back({.size = sizes[i],
                               .separator = tool == nullptr,
                               .auto_wrap = tool && (tool->auto_wrap || tool->type() == ToolType::menu),
                               .window = tool && shape.orientation == Orientation::horizontal &&
                                         (tool->type() == ToolType::combo_box || tool->type() == ToolType::edit)});
    out.tools.push_back(shown[i].placed);
  }
  return out;
}

}  // namespace mz
