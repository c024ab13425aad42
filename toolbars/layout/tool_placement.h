#pragma once
// Where the tools of one docked toolbar go inside its rectangle: which are
// shown, which go into overflow (the More Tools menu lists them), which
// separators are not drawn, where lines break when the toolbar wraps, and
// the More Tools button. Results are returned; nothing is written back.
#include <cstdint>
#include <optional>
#include <vector>

#include "geometry.h"
#include "toolbar_input.h"

namespace mz {

enum class ToolFate : uint8_t { shown, hidden, overflow };

struct ToolSpot {
  Rect rect;  // empty unless shown
  ToolFate fate = ToolFate::shown;
  // A shown separator that ends a line of a wrapped toolbar lies across the
  // toolbar, between the lines, as long as the line it ends; 0 otherwise.
  int line_length = 0;
};

struct Placement {
  std::vector<ToolSpot> tools;  // one per input tool, in order
  std::optional<Rect> more_tools;
  bool compressed = false;  // some tools are in overflow
  int lines = 1;
  int thickness = 0;  // one line: at least the rectangle's; wrapped: the sum of the lines
};

// Places the tools of `bar` in `bounds`, the toolbar's rectangle.
//  - When all tools fit they are shown in one line after the grab handle.
//  - Otherwise tools go into overflow until the rest fit before the end
//    reserve (the chevron, or the More Tools button): the 97 style, the menu
//    bar and the customizer take them from the end; the 2000 style keeps the
//    leading tools that fit and puts every tool from the first that does not
//    into overflow. Tools that keep their place never go into overflow.
//  - When the tools left still do not fit, the toolbar wraps onto more lines.
Placement place_tools(const ToolbarInput& bar, Rect bounds);

}  // namespace mz
