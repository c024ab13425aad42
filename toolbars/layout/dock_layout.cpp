#include "dock_layout.h"

#include <algorithm>

#include "toolbar_extents.h"

namespace mz {

namespace {

// A toolbar on its line, with the lengths the line is arranged by.
struct LineSlot {
  const AreaToolbar* toolbar;
  int full;     // the length it takes when nothing presses on it
  int shortest; // the length it gives up to before it leaves the line
  int offset = 0, length = 0;
};

// The 2000 style shrinks a toolbar to its minimum before it moves on; the
// 97 style moves it as soon as its full length does not fit.
int shortest_length(const ToolbarInput& bar, int full) {
  return shrinks(bar.shape) ? std::min(minimum_length(bar), full) : full;
}

// Splits a band into lines: a toolbar joins the current line while the
// shortest lengths of the line's toolbars fit in the area; the first
// toolbar of a line always stays on it.
std::vector<std::vector<LineSlot>> lines_of(const AreaBand& band, int length) {
  std::vector<std::vector<LineSlot>> lines;
  int used = 0;
  for (const AreaToolbar& toolbar : band) {
    const int full = band_length(toolbar.bar, length);
    const LineSlot slot{&toolbar, full, shortest_length(toolbar.bar, full)};
    if (lines.empty() || used + slot.shortest > length) {
      lines.emplace_back();
      used = 0;
    }
    lines.back().push_back(slot);
    used += slot.shortest;
  }
  return lines;
}

// Forward, each toolbar goes to its preferred offset but not over the one
// before it; backward, from the far end, each is pushed back so that it ends
// where the next begins, and shortened (right-aligned against the next) when
// that would leave the toolbars before it less than their shortest lengths.
void arrange_line(std::vector<LineSlot>& line, int length) {
  int end = 0;
  for (LineSlot& slot : line) {
    slot.offset = std::max(std::max(slot.toolbar->preferred_offset, 0), end);
    slot.length = slot.full;
    end = slot.offset + slot.length;
  }
  int before = 0;
  std::vector<int> room_before(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    room_before[i] = before;
    before += line[i].shortest;
  }
  int bound = length;
  for (size_t i = line.size(); i-- > 0;) {
    LineSlot& slot = line[i];
    slot.offset = std::min(slot.offset, bound - slot.length);
    if (slot.offset < room_before[i]) {
      slot.offset = room_before[i];
      slot.length = std::max(bound - slot.offset, 0);
    }
    bound = slot.offset;
  }
}

LaidOutToolbar place_on_line(Orientation o, Point origin, int across, int thickness, const LineSlot& slot,
                             int band) {
  const Rect rect = rect_at(oriented_point(o, pick(o, origin) + slot.offset, perp(o, origin) + across),
                            oriented_size(o, slot.length, thickness));
  LaidOutToolbar out;
  out.id = slot.toolbar->id;
  out.band = band;
  out.rect = rect;
  out.placement = place_tools(slot.toolbar->bar, rect);
  out.compressed = slot.length < slot.full || out.placement.compressed;
  return out;
}

// Places one line at `across` and returns its thickness: the thickest of
// its toolbars, which all take that thickness.
int place_line(Orientation o, Point origin, int across, const std::vector<LineSlot>& line, int band,
               bool wrapped, std::vector<LaidOutToolbar>& out) {
  const size_t first = out.size();
  int line_thickness = 0;
  for (const LineSlot& slot : line) {
    out.push_back(place_on_line(o, origin, across, thickness(slot.toolbar->bar), slot, band));
    line_thickness = std::max(line_thickness, out.back().placement.thickness);
  }
  for (size_t i = first; i < out.size(); ++i) {
    const LineSlot& slot = line[i - first];
    if (out[i].placement.thickness != line_thickness)
      out[i] = place_on_line(o, origin, across, line_thickness, slot, band);
    out[i].rect = rect_at(out[i].rect.origin(), oriented_size(o, slot.length, line_thickness));
    out[i].wrapped = wrapped;
  }
  return line_thickness;
}

}  // namespace

AreaLayout lay_out_area(Orientation o, Point origin, int length, std::span<const AreaBand> bands) {
  AreaLayout layout;
  int band_number = 0;
  for (const AreaBand& band : bands) {
    if (band.empty()) continue;
    ++band_number;
    std::vector<std::vector<LineSlot>> lines = lines_of(band, length);
    for (size_t l = 0; l < lines.size(); ++l) {
      arrange_line(lines[l], length);
      layout.thickness += place_line(o, origin, layout.thickness, lines[l], band_number, l > 0, layout.toolbars);
    }
  }
  return layout;
}

int area_index(DockCode dock) {
  switch (dock) {
    case DockCode::bottom: return 1;
    case DockCode::left: return 2;
    case DockCode::right: return 3;
    default: return 0;
  }
}

void translate(AreaLayout& layout, Point by) {
  const auto move = [by](Rect& r) { r = {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; };
  for (LaidOutToolbar& toolbar : layout.toolbars) {
    move(toolbar.rect);
    for (ToolSpot& spot : toolbar.placement.tools)
      if (spot.fate == ToolFate::shown) move(spot.rect);
    if (toolbar.placement.more_tools) move(*toolbar.placement.more_tools);
  }
}

DockCut cut_dock_areas(Rect inner, const DockAreaBands& bands) {
  DockCut cut;
  Rect& client = cut.client;
  client = inner;
  // Each area is laid out from its own corner, one pixel inside across, and
  // moved into place once its thickness has placed it.
  const auto lay_out = [&](DockCode dock, int length, int room) {
    const Orientation o = orientation_of(dock);
    AreaLayout& layout = cut.layouts[area_index(dock)];
    layout = lay_out_area(o, oriented_point(o, 0, 1), length, bands[area_index(dock)]);
    return layout.toolbars.empty() ? 1 : std::clamp(layout.thickness + 1, 1, std::max(room, 1));
  };

  const int top = lay_out(DockCode::top, inner.width(), client.height());
  cut.areas[0] = {inner.left, inner.top, inner.right, inner.top + top};
  if (top > 1) client.top += top;

  const int bottom = lay_out(DockCode::bottom, inner.width(), client.height());
  cut.areas[1] = {inner.left, client.bottom - bottom, inner.right, client.bottom};
  if (bottom > 1) client.bottom -= bottom;

  // The side areas run between the top and bottom areas, over an empty one.
  const int side_top = top > 1 ? cut.areas[0].bottom : cut.areas[0].top;
  const int side_bottom = bottom > 1 ? cut.areas[1].top : cut.areas[1].bottom;
  const int side_length = side_bottom - side_top;

  const int left = lay_out(DockCode::left, side_length, client.width());
  cut.areas[2] = {client.left, side_top, client.left + left, side_bottom};
  if (left > 1) client.left += left;

  const int right = lay_out(DockCode::right, side_length, client.width());
  cut.areas[3] = {client.right - right, side_top, client.right, side_bottom};
  if (right > 1) client.right -= right;

  for (int i = 0; i < 4; ++i) translate(cut.layouts[i], cut.areas[i].origin());
  return cut;
}

}  // namespace mz
