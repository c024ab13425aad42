#pragma once
// What lies under a point of the host window among the docked toolbars: a
// dock area, a toolbar in it, or one of its tools, over the result of the
// last layout pass.
#include <cstdint>
#include <optional>

#include "dock_layout.h"

namespace mz {

// The control's WhereIs answers, numbered as hosts see them.
enum class WhereIs : uint8_t {
  top_dock = 0,
  bottom_dock = 1,
  left_dock = 2,
  right_dock = 3,
  toolbar = 4,
  tool = 5,
  menu = 6,
  none = 7,
};

struct DockHit {
  WhereIs where = WhereIs::none;
  int toolbar = 0;                  // the toolbar's id, on a toolbar or tool
  std::optional<size_t> tool;       // the index of the tool in its toolbar's input
  bool more_tools = false;          // on the toolbar's More Tools button
  Rect tool_rect;                   // the tool's rectangle, on a tool
};

// An area holds the points of its rectangle with its right and bottom edges;
// toolbars and tools hold their half-open rectangles. Tools that are not
// shown are never hit.
DockHit hit_test(const DockCut& cut, Point point);

}  // namespace mz
