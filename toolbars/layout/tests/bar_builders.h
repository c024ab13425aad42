#pragma once
// Short spellings of toolbar inputs for the layout tables: a tool of a size,
// a tool that keeps its place, a separator across a row or down a column.
#include <vector>

#include "toolbar_input.h"

namespace mz::test {

inline BarTool tool(int along = 22, int across = 22, Orientation o = Orientation::horizontal) {
  return {.size = oriented_size(o, along, across)};
}
inline BarTool kept(int along = 22, int across = 22, Orientation o = Orientation::horizontal) {
  BarTool t = tool(along, across, o);
  t.auto_wrap = true;
  return t;
}
// A combo-box or edit window that keeps its place.
inline BarTool window(int along, int across = 15) {
  BarTool t = kept(along, across);
  t.window = true;
  return t;
}
inline BarTool sep(Orientation o = Orientation::horizontal) {
  return {.size = oriented_size(o, 6, o == Orientation::horizontal ? 4 : 22), .separator = true};
}

inline ToolbarInput bar(std::vector<BarTool> tools, BarShape shape = {}) { return {shape, std::move(tools)}; }

inline BarShape style97() { return {.style = DeckStyle::office97}; }

}  // namespace mz::test
