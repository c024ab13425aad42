#include "toolbar_extents.h"

#include <algorithm>

#include "tool_metrics.h"

namespace mz {

namespace {

// The tools' length when it would be 2 or less, for an empty toolbar.
int empty_tools_length(const BarShape& shape) {
  if (!shape.menu_bar) return 22;
  return shape.orientation == Orientation::horizontal ? 16 : 14;
}

int floored(int tools_length, const BarShape& shape) {
  return tools_length <= 2 ? empty_tools_length(shape) : tools_length;
}

// The grab handle and border around the tools.
int frame_length(const BarShape& shape) { return shape.grab + 2; }

// The tools' length for the 97 style, the menu bar and the customizer: the
// tools that keep their place with the separators before the last of them,
// or the first tool when none keeps its place.
int kept_tools_length(const ToolbarInput& bar, const std::vector<bool>& stray) {
  const Orientation o = bar.shape.orientation;
  int kept = 0, separators = 0, first = 0;
  bool any = false;
  for (size_t i = 0; i < bar.tools.size(); ++i) {
    if (stray[i]) continue;
    const BarTool& tool = bar.tools[i];
    const int length = pick(o, tool.size);
    if (!any) first = length;
    any = true;
    if (tool.separator) {
      if (kept > 0) separators += length;
    } else if (keeps_place(tool, bar.shape)) {
      kept += separators + length;
      separators = 0;
    }
  }
  return kept > 0 ? kept : first;
}

// The 2000 style's tools' length within `space`: the More Tools allowance
// with its 2-pixel margin (in columns too, where the button needs it as
// much as in rows) and then the tools, in order, as long as each still
// fits. A separator counts only when a tool after it fits too, as placement
// hides the one where the overflow starts.
int leading_tools_length(const ToolbarInput& bar, const std::vector<bool>& stray, int space) {
  const Orientation o = bar.shape.orientation;
  int length = more_tools_length(bar.shape.large_icons) + 2;
  int separators = 0;
  for (size_t i = 0; i < bar.tools.size(); ++i) {
    if (stray[i]) continue;
    const int next = pick(o, bar.tools[i].size);
    if (length + separators + next > space) break;
    if (bar.tools[i].separator) {
      separators += next;
    } else {
      length += separators + next;
      separators = 0;
    }
  }
  return length;
}

}  // namespace

int grab_width(bool floating, bool display_grab_handles, bool floatable) {
  if (floating || !display_grab_handles) return 3;
  return floatable ? 10 : 7;
}

int tools_full_length(const ToolbarInput& bar) {
  const Orientation o = bar.shape.orientation;
  const std::vector<bool> stray = stray_separators(bar.tools);
  int length = 2;
  for (size_t i = 0; i < bar.tools.size(); ++i)
    if (!stray[i]) length += pick(o, bar.tools[i].size);
  if (bar.shape.more_tools) length += more_tools_length(bar.shape.large_icons);
  return floored(length, bar.shape);
}

int full_length(const ToolbarInput& bar) { return frame_length(bar.shape) + tools_full_length(bar); }

int band_length(const ToolbarInput& bar, int area_length) {
  const BarShape& shape = bar.shape;
  const bool spans = shape.stretched || (shape.menu_bar && shape.orientation == Orientation::horizontal);
  return spans ? area_length : full_length(bar);
}

int fitted_length(const ToolbarInput& bar, int space) {
  const BarShape& shape = bar.shape;
  const std::vector<bool> stray = stray_separators(bar.tools);
  int tools;
  if (shrinks(shape)) {
    tools = leading_tools_length(bar, stray, space - frame_length(shape));
  } else {
    tools = kept_tools_length(bar, stray) + (shape.customizing ? 0 : 12) + 2;
  }
  return std::min(frame_length(shape) + floored(tools, shape), full_length(bar));
}

int minimum_length(const ToolbarInput& bar) {
  const BarShape& shape = bar.shape;
  if (!shrinks(shape)) return full_length(bar);
  const Orientation o = shape.orientation;
  auto first = std::find_if(bar.tools.begin(), bar.tools.end(), [](const BarTool& t) { return !t.separator; });
  if (first == bar.tools.end()) return full_length(bar);
  return std::min(shape.grab + pick(o, first->size) + 42, full_length(bar));
}

int thickness(const ToolbarInput& bar) {
  const Orientation o = bar.shape.orientation;
  const std::vector<bool> stray = stray_separators(bar.tools);
  int thickest = 0;
  for (size_t i = 0; i < bar.tools.size(); ++i)
    if (!stray[i] && !bar.tools[i].separator) thickest = std::max(thickest, perp(o, bar.tools[i].size));
  if (thickest == 0) thickest = bar.shape.picture_size + 6;
  return thickest + 4;
}

}  // namespace mz
