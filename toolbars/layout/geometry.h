#pragma once
// Points, sizes and half-open rectangles in pixels, and the helpers that let
// horizontal and vertical toolbars share one code path: `pick` reads the
// length along a toolbar (x or width for a horizontal one, y or height for a
// vertical one), `perp` the thickness across it.
#include "toolbars/model/dock_code.h"

namespace mz {

struct Point {
  int x = 0, y = 0;
  constexpr bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0, height = 0;
  constexpr bool operator==(const Size&) const = default;
};

// [left; right) x [top; bottom).
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr Point origin() const { return {left, top}; }
  constexpr Size size() const { return {width(), height()}; }
  constexpr bool operator==(const Rect&) const = default;
};

constexpr Rect rect_at(Point origin, Size size) {
  return {origin.x, origin.y, origin.x + size.width, origin.y + size.height};
}

constexpr Rect moved(Rect r, Point by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }
// The rectangle in the coordinates whose origin is `origin`.
constexpr Rect relative_to(Rect r, Point origin) { return moved(r, {-origin.x, -origin.y}); }
// Smaller by `by` on each side (larger for a negative `by`).
constexpr Rect shrunk(Rect r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

constexpr int pick(Orientation o, Point p) { return o == Orientation::horizontal ? p.x : p.y; }
constexpr int perp(Orientation o, Point p) { return o == Orientation::horizontal ? p.y : p.x; }
constexpr int pick(Orientation o, Size s) { return o == Orientation::horizontal ? s.width : s.height; }
constexpr int perp(Orientation o, Size s) { return o == Orientation::horizontal ? s.height : s.width; }

constexpr void set_pick(Orientation o, Size& s, int value) {
  (o == Orientation::horizontal ? s.width : s.height) = value;
}
constexpr void set_perp(Orientation o, Size& s, int value) {
  (o == Orientation::horizontal ? s.height : s.width) = value;
}

// The near and far edges of a rectangle along and across an orientation.
constexpr int pick_start(Orientation o, const Rect& r) { return o == Orientation::horizontal ? r.left : r.top; }
constexpr int pick_end(Orientation o, const Rect& r) { return o == Orientation::horizontal ? r.right : r.bottom; }
constexpr int perp_start(Orientation o, const Rect& r) { return o == Orientation::horizontal ? r.top : r.left; }
constexpr int perp_end(Orientation o, const Rect& r) { return o == Orientation::horizontal ? r.bottom : r.right; }

// A size or point from its length along and its thickness across.
constexpr Size oriented_size(Orientation o, int along, int across) {
  return o == Orientation::horizontal ? Size{along, across} : Size{across, along};
}
constexpr Point oriented_point(Orientation o, int along, int across) {
  return o == Orientation::horizontal ? Point{along, across} : Point{across, along};
}

}  // namespace mz
