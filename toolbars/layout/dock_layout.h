#pragma once
// One layout pass over the dock areas: the toolbars of each band are put on
// lines along their area, each at its preferred offset when there is room,
// pushed back or shortened when there is not, and moved onto a new line of
// the band when not even their shortest fits; then the four areas are cut
// out of the host window's inner rectangle. Results are returned; nothing is
// written back.
#include <array>
#include <span>
#include <vector>

#include "geometry.h"
#include "tool_placement.h"
#include "toolbar_input.h"

namespace mz {

// A docked toolbar as its band sees it.
struct AreaToolbar {
  int id = 0;
  ToolbarInput bar;
  int preferred_offset = 0;  // along the band from the area's near edge
};

using AreaBand = std::vector<AreaToolbar>;

struct LaidOutToolbar {
  int id = 0;
  int band = 1;  // from 1
  Rect rect;
  Placement placement;
  bool wrapped = false;     // on a later line of its band than the first
  bool compressed = false;  // shorter than its full length, or tools in overflow
};

struct AreaLayout {
  std::vector<LaidOutToolbar> toolbars;  // band by band, in position order
  int thickness = 0;                     // the lines of all bands; 0 when empty
};

// Lays out the bands of an area `length` long, the first line starting at
// `origin` (along: the area's near edge; across: one pixel inside it).
AreaLayout lay_out_area(Orientation o, Point origin, int length, std::span<const AreaBand> bands);

// The four areas in the order of their dock codes: top, bottom, left, right.
using DockAreaBands = std::array<std::vector<AreaBand>, 4>;

struct DockCut {
  std::array<Rect, 4> areas;  // in the coordinates of the inner rectangle given
  std::array<AreaLayout, 4> layouts;
  Rect client;  // what is left for the host's client area
};

// Cuts the areas out of `inner` (the host's client rectangle before the cut):
// the top and bottom areas across its whole width, then the left and right
// ones between them, each as thick as its toolbars plus one pixel but no
// thicker than the room still free. An empty area stays one pixel thick and
// takes nothing from the client rectangle.
DockCut cut_dock_areas(Rect inner, const DockAreaBands& bands);

// Moves every rectangle of the layout by `by`.
void translate(AreaLayout& layout, Point by);

// The index of an area in DockCut and DockAreaBands (top 0 ... right 3).
int area_index(DockCode dock);

}  // namespace mz
