#pragma once
// A docked toolbar as its extents and tool placement see it: the sizes of
// its shown tools and the few toolbar and control settings that change the
// arithmetic. Plain values, built from the model by toolbar_from_model or
// directly by tests.
#include <cstdint>
#include <span>
#include <vector>

#include "geometry.h"

namespace mz {

// The control's Style: 0 draws and lays out like Office 97; 1 and 2 like
// Office 2000.
enum class DeckStyle : uint8_t { office97, office2000 };
constexpr DeckStyle deck_style_of(int style) { return style == 0 ? DeckStyle::office97 : DeckStyle::office2000; }

// One shown tool (hidden tools are left out).
struct BarTool {
  Size size;
  bool separator = false;
  bool auto_wrap = false;  // AutoWrap, or a menu tool: the tool never goes into overflow
  bool window = false;     // the window of a combo-box or edit tool of a row
};

struct BarShape {
  Orientation orientation = Orientation::horizontal;
  DeckStyle style = DeckStyle::office2000;
  int grab = 7;  // see grab_width
  bool menu_bar = false;
  bool stretched = false;  // DockFlags ask it to span its dock area
  bool customizing = false;
  bool large_icons = false;
  int picture_size = 16;  // an empty toolbar is as thick as a tool with this picture
  bool more_tools = false;  // the More Tools button is shown after the tools
  bool display_more_tools = false;  // DisplayMoreToolsButton of a toolbar that is not the menu bar
};

struct ToolbarInput {
  BarShape shape;
  std::vector<BarTool> tools;
};

// Whether the tool keeps its place: it never goes into overflow, and the
// toolbar wraps rather than lose it. While the customizer is open every tool
// does.
constexpr bool keeps_place(const BarTool& tool, const BarShape& shape) { return tool.auto_wrap || shape.customizing; }

// Whether the 2000 style's shrinking applies: not while customizing and not
// to the menu bar, which wrap like the 97 style.
constexpr bool shrinks(const BarShape& shape) {
  return shape.style == DeckStyle::office2000 && !shape.customizing && !shape.menu_bar;
}

// Separators that are never drawn: one that would come first, one that
// follows another drawn separator, one that would come last. True marks them.
std::vector<bool> stray_separators(std::span<const BarTool> tools);

}  // namespace mz
