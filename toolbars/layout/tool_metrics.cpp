#include "tool_metrics.h"

#include <algorithm>

namespace mz {

namespace {

constexpr int kSeparatorLength = 6;
constexpr int kSeparatorThickness = 4;  // before it is stretched to its line

bool is_window_tool(ToolType type) { return type == ToolType::combo_box || type == ToolType::edit; }

bool caption_beside(CaptionAlignment alignment) {
  return alignment == CaptionAlignment::left_of_image || alignment == CaptionAlignment::right_of_image;
}

// The window of a combo-box or edit tool takes the place of the image.
Size window_tool_size(const ToolLook& tool, const BarLook& bar, bool caption, Size text) {
  const int window_height = bar.font_height + 2;
  if (!caption) return {tool.ctl_width + 4, window_height};
  if (caption_beside(bar.caption_alignment)) return {text.width + tool.ctl_width + 12, window_height};
  return {std::max(tool.ctl_width, text.width) + 6, bar.font_height + text.height + 10};
}

Size content_size(ToolContent content, Size text, int picture, CaptionAlignment alignment) {
  if (!content.caption) return {picture + 6, picture + 6};
  if (!content.image) return {text.width + 6, text.height + 6};
  if (caption_beside(alignment)) return {text.width + picture + 12, std::max(text.height, picture) + 6};
  return {std::max(text.width, picture) + 6, picture + text.height + 12};
}

}  // namespace

CaptionAlignment turned_alignment(CaptionAlignment alignment) {
  switch (alignment) {
    case CaptionAlignment::top_of_image: return CaptionAlignment::right_of_image;
    case CaptionAlignment::bottom_of_image: return CaptionAlignment::left_of_image;
    case CaptionAlignment::left_of_image: return CaptionAlignment::top_of_image;
    case CaptionAlignment::right_of_image: return CaptionAlignment::bottom_of_image;
  }
  return alignment;
}

ToolContent content_on_toolbar(ToolType type, uint8_t display_style) {
  if (type == ToolType::menu) return {.image = false, .caption = true};
  switch (display_style) {
    case 1: return {.image = false, .caption = true};  // text only
    case 2: return {.image = true, .caption = false};  // text only in menus
    case 3: return {.image = true, .caption = true};   // image and text
    default:
      if (type == ToolType::label) return {.image = false, .caption = true};
      return {.image = true, .caption = false};
  }
}

ToolContent content_in_menu(ToolType type, uint8_t display_style) {
  switch (display_style) {
    case 1:
    case 2: return {.image = false, .caption = true};  // text only always, or in menus
    case 3: return {.image = true, .caption = true};   // image and text
    default: return {.image = type != ToolType::menu, .caption = true};
  }
}

int toolbar_picture_size(bool large_icons, int largest_picture_size) {
  if (large_icons) return 32;
  return largest_picture_size > 0 ? largest_picture_size : 16;
}

Size tool_size(const ToolLook& tool, const BarLook& bar) {
  const Orientation o = bar.orientation;
  if (tool.type == ToolType::separator) return oriented_size(o, kSeparatorLength, kSeparatorThickness);

  const bool vertical = o == Orientation::vertical;
  const ToolContent content = content_on_toolbar(tool.type, tool.display_style);
  if (!vertical && is_window_tool(tool.type)) return window_tool_size(tool, bar, content.caption, tool.caption);

  // Vertical captions are drawn turned, so their extent is turned too.
  const Size text = vertical ? Size{tool.caption.height, tool.caption.width} : tool.caption;
  const CaptionAlignment alignment = vertical ? turned_alignment(bar.caption_alignment) : bar.caption_alignment;
  Size size = content_size(content, text, bar.picture_size, alignment);

  if (tool.type == ToolType::menu) {
    if (vertical) {
      size.height += 2;
    } else {
      size.width += 2;
      if (bar.menu_bar) size.height -= 2;
    }
  }
  const bool has_arrow = tool.type == ToolType::drop_down || tool.type == ToolType::drop_down_state ||
                         (tool.type == ToolType::menu && !bar.menu_bar);
  if (has_arrow) size.width += bar.large_icons ? 19 : 9;
  return size;
}

std::vector<Size> toolbar_tool_sizes(std::span<const ToolLook> tools, const BarLook& bar) {
  std::vector<Size> sizes;
  sizes.reserve(tools.size());
  for (const ToolLook& tool : tools) sizes.push_back(tool_size(tool, bar));

  const bool vertical = bar.orientation == Orientation::vertical;
  const bool caption_stacked = !caption_beside(bar.caption_alignment);
  if (!vertical && !caption_stacked) return sizes;

  auto widened = [&](size_t i) {
    return vertical || (tools[i].type != ToolType::separator && !is_window_tool(tools[i].type));
  };
  int widest = 0;
  for (size_t i = 0; i < sizes.size(); ++i)
    if (widened(i)) widest = std::max(widest, sizes[i].width);
  for (size_t i = 0; i < sizes.size(); ++i)
    if (widened(i)) sizes[i].width = widest;
  return sizes;
}

}  // namespace mz
