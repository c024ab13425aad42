#pragma once
// The size of a tool on a docked toolbar, from what it shows (image,
// caption or both), where its caption sits, its picture size and, for
// combo-box and edit tools, the width of their window. Captions come in as
// measured extents; nothing here measures text.
#include <cstdint>
#include <span>
#include <vector>

#include "geometry.h"
#include "toolbars/model/tool.h"

namespace mz {

enum class CaptionAlignment : uint8_t { top_of_image = 0, bottom_of_image = 1, left_of_image = 2, right_of_image = 3 };

// The alignment a vertical toolbar uses: its captions are turned by 270
// degrees, and the alignment with them (above becomes right of the image,
// below left, left above and right below).
CaptionAlignment turned_alignment(CaptionAlignment alignment);

// What a tool shows on a toolbar, by its type and DisplayStyle.
struct ToolContent {
  bool image = false;
  bool caption = false;
  constexpr bool operator==(const ToolContent&) const = default;
};
ToolContent content_on_toolbar(ToolType type, uint8_t display_style);
// What a tool shows in a popup menu, by its type and DisplayStyle.
ToolContent content_in_menu(ToolType type, uint8_t display_style);

// Everything one tool's size depends on.
struct ToolLook {
  ToolType type = ToolType::button;
  uint8_t display_style = 0;
  Size caption = {};  // measured extent (+2 each), as a horizontal toolbar draws it
  int ctl_width = 0;  // combo-box and edit tools: the width of their window
};

// What the toolbar contributes to its tools' sizes.
struct BarLook {
  Orientation orientation = Orientation::horizontal;
  int picture_size = 16;  // see toolbar_picture_size
  bool large_icons = false;
  CaptionAlignment caption_alignment = CaptionAlignment::right_of_image;
  bool menu_bar = false;
  int font_height = 0;  // of the font combo-box and edit windows use
};

// 32 with large icons, else the largest PictureSize among the toolbar's
// shown tools (0 when it has none, which counts as 16).
int toolbar_picture_size(bool large_icons, int largest_picture_size);

// One tool's own size on the toolbar, before the toolbar widens it.
Size tool_size(const ToolLook& tool, const BarLook& bar);

// The sizes of a toolbar's shown tools, in order: each tool's own size, then
// widened so that a vertical toolbar's tools (separators too) are all as
// wide as the widest, and so that with captions above or below the images
// every tool of a horizontal toolbar but separators, combo boxes and edits
// is as wide as the widest of them.
std::vector<Size> toolbar_tool_sizes(std::span<const ToolLook> tools, const BarLook& bar);

// The More Tools button's length along its toolbar.
constexpr int more_tools_length(bool large_icons) { return large_icons ? 20 : 11; }

}  // namespace mz
