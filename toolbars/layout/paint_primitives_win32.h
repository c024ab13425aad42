#pragma once
// The drawing operations the paint plans are made of: solid fills, 3-D edges,
// lines and filled polygons, the checkerboard of checked buttons.
#include <windows.h>

#include "geometry.h"
#include "paint_colours_win32.h"
#include "paint_plan.h"

namespace mz::paint {

// A solid fill; the fast opaque fill when the device shows the colour as it
// is, a brush otherwise.
void fill_rect(HDC dc, Rect rect, COLORREF colour);

// One-pixel lines on the edge's sides: the upper-left ones first, then the
// lower-right ones over the corners they share.
void draw_edge(HDC dc, const Edge& edge, const Colours& colours);

void draw_shape(HDC dc, const Shape& shape, const Colours& colours);

// Sets the pixels of `rect` where checker_pixel(p) holds, p in the DC's own
// coordinates (the dock area's), so neighbouring buttons line up; leaves the
// others as they are.
void draw_checkerboard(HDC dc, Rect rect, COLORREF colour);

}  // namespace mz::paint
