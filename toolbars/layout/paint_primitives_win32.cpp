#include "paint_primitives_win32.h"

#include <vector>

#include "gdi_objects_win32.h"

namespace mz::paint {

namespace {

RECT to_rect(Rect r) { return {r.left, r.top, r.right, r.bottom}; }
bool is_empty(Rect r) { return r.width() <= 0 || r.height() <= 0; }

struct EdgeColours {
  Role upper_left;
  Role lower_right;
};

EdgeColours edge_colours(EdgeKind kind) {
  switch (kind) {
    case EdgeKind::raised_inner: return {Role::highlight, Role::shadow};
    case EdgeKind::raised_outer: return {Role::light, Role::dark_shadow};
    case EdgeKind::sunken_outer: return {Role::shadow, Role::highlight};
  }
  return {Role::highlight, Role::shadow};
}

// The 8 x 8 monochrome pattern of the checkerboard: 0 bits where
// checker_pixel holds, counted from the pattern's origin.
constexpr WORD kCheckerRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};

// Raster operations over destination and pattern.
constexpr DWORD kDestAndPattern = 0x00A000C9;
constexpr DWORD kDestOrPattern = 0x00FA0089;

}  // namespace

void fill_rect(HDC dc, Rect rect, COLORREF colour) {
  if (is_empty(rect)) return;
  const RECT r = to_rect(rect);
  if (GetNearestColor(dc, colour) == colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
    return;
  }
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &r, brush.get());
}

void draw_edge(HDC dc, const Edge& edge, const Colours& colours) {
  const Rect& r = edge.rect;
  if (is_empty(r)) return;
  const auto [upper_left, lower_right] = edge_colours(edge.kind);
  if (edge.sides & kTop) fill_rect(dc, {r.left, r.top, r.right, r.top + 1}, colours(upper_left));
  if (edge.sides & kLeft) fill_rect(dc, {r.left, r.top, r.left + 1, r.bottom}, colours(upper_left));
  if (edge.sides & kBottom) fill_rect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colours(lower_right));
  if (edge.sides & kRight) fill_rect(dc, {r.right - 1, r.top, r.right, r.bottom}, colours(lower_right));
}

void draw_shape(HDC dc, const Shape& shape, const Colours& colours) {
  if (shape.points.size() < 2) return;
  std::vector<POINT> points;
  points.reserve(shape.points.size());
  for (const Point& p : shape.points) points.push_back({p.x, p.y});
  const COLORREF colour = colours(shape.role);
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  const GdiObject<HBRUSH> brush(shape.filled ? CreateSolidBrush(colour) : nullptr);
  if (!pen || (shape.filled && !brush)) return;
  const SavedDc saved(dc);
  SelectObject(dc, pen.get());
  const int count = static_cast<int>(points.size());
  if (shape.filled) {
    SelectObject(dc, brush.get());
    Polygon(dc, points.data(), count);
  } else {
    Polyline(dc, points.data(), count);
  }
}

void draw_checkerboard(HDC dc, Rect rect, COLORREF colour) {
  if (is_empty(rect)) return;
  const GdiObject<HBITMAP> pattern(CreateBitmap(8, 8, 1, 1, kCheckerRows));
  const GdiObject<HBRUSH> brush(pattern ? CreatePatternBrush(pattern.get()) : nullptr);
  if (!brush) return;
  // Brush patterns are laid from a device point; take the one under the
  // context's own origin so the pattern counts from there.
  POINT origin{0, 0};
  LPtoDP(dc, &origin, 1);
  const SavedDc saved(dc);
  SetBrushOrgEx(dc, (origin.x % 8 + 8) % 8, (origin.y % 8 + 8) % 8, nullptr);
  SelectObject(dc, brush.get());
  // Monochrome patterns draw their 0 bits in the text colour and their 1 bits
  // in the background colour: first clear the pixels to set, then set them.
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  PatBlt(dc, rect.left, rect.top, rect.width(), rect.height(), kDestAndPattern);
  SetTextColor(dc, colour);
  SetBkColor(dc, RGB(0, 0, 0));
  PatBlt(dc, rect.left, rect.top, rect.width(), rect.height(), kDestOrPattern);
}

}  // namespace mz::paint
