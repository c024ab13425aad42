#include "dock_bands.h"

#include <algorithm>

namespace mz {

namespace {

size_t area_index(DockCode dock) {
  switch (dock) {
    case DockCode::top: return 0;
    case DockCode::bottom: return 1;
    case DockCode::left: return 2;
    default: return 3;
  }
}

constexpr std::array<DockCode, 4> kAreas{DockCode::top, DockCode::bottom, DockCode::left, DockCode::right};

// A row and column read as a point, x the column and y the row.
Point row_column(const DockedToolbar& toolbar) { return {toolbar.column, toolbar.row}; }

bool holds_alone(const Band& band) {
  return std::any_of(band.begin(), band.end(), [](const BandMember& m) { return m.alone; });
}

// Fills the bands of one area from its toolbars, already in band and
// position order.
void fill(AreaBands& area, std::span<const DockedToolbar* const> toolbars) {
  int last_band = 0;
  for (const DockedToolbar* toolbar : toolbars) {
    const int band = perp(area.orientation, row_column(*toolbar));
    if (area.bands.empty() || band != last_band || toolbar->alone || holds_alone(area.bands.back()))
      area.bands.emplace_back();
    area.bands.back().push_back({toolbar->id, toolbar->alone});
    last_band = band;
  }
}

// The span across the area of a band's toolbars: [first; second).
std::pair<int, int> band_span(const std::vector<Rect>& band, Orientation o) {
  int start = perp_start(o, band.front()), end = perp_end(o, band.front());
  for (const Rect& r : band) {
    start = std::min(start, perp_start(o, r));
    end = std::max(end, perp_end(o, r));
  }
  return {start, end};
}

// The band a point across the area asks for (see slot_at).
int band_at(std::span<const std::vector<Rect>> toolbars, Orientation o, int across) {
  for (size_t b = toolbars.size(); b-- > 0;) {
    if (toolbars[b].empty()) continue;
    const auto [start, end] = band_span(toolbars[b], o);
    if (across >= end) return static_cast<int>(b) + 2;
    if (across >= start) return static_cast<int>(b) + 1;
  }
  return 1;
}

// The toolbars [first; second) of the line of a wrapped band that a point
// across the area falls on: toolbars of one line start at the same offset
// across, and the line is the last one starting at or before the point (the
// first line when none does).
std::pair<size_t, size_t> line_at(const std::vector<Rect>& band, Orientation o, int across) {
  size_t begin = 0;
  for (size_t i = 1; i < band.size(); ++i) {
    const int start = perp_start(o, band[i]);
    if (start != perp_start(o, band[i - 1]) && start <= across) begin = i;
  }
  size_t end = begin + 1;
  while (end < band.size() && perp_start(o, band[end]) == perp_start(o, band[begin])) ++end;
  return {begin, end};
}

// The position in a band a point asks for: after the last toolbar of its
// line whose far end it is on or past, at a toolbar it is on, else at the
// line's first toolbar.
int position_at(const std::vector<Rect>& band, Orientation o, Point point) {
  if (band.empty()) return 1;
  const auto [begin, end] = line_at(band, o, perp(o, point));
  const int along = pick(o, point);
  for (size_t d = end; d-- > begin;) {
    if (along >= pick_end(o, band[d])) return static_cast<int>(d) + 2;
    if (along >= pick_start(o, band[d])) return static_cast<int>(d) + 1;
  }
  return static_cast<int>(begin) + 1;
}

}  // namespace

bool sits_alone(const Toolbar& toolbar, DockCode dock) {
  return toolbar.dock_flags.stretched() || (toolbar.is_menu_bar() && orientation_of(dock) == Orientation::horizontal);
}

DockedToolbar docked_toolbar_of(const Toolbar& toolbar, int id) {
  return {.id = id,
          .dock = toolbar.docked_status,
          .row = toolbar.docked_row,
          .column = toolbar.docked_column,
          .alone = sits_alone(toolbar, toolbar.docked_status),
          .visible = toolbar.visible};
}

DockBands DockBands::of(std::span<const DockedToolbar> toolbars) {
  DockBands result;
  for (DockCode dock : kAreas) {
    AreaBands& area = result.area(dock);
    std::vector<const DockedToolbar*> docked;
    for (const DockedToolbar& toolbar : toolbars)
      if (toolbar.visible && toolbar.dock == dock) docked.push_back(&toolbar);
    const Orientation o = area.orientation;
    std::stable_sort(docked.begin(), docked.end(), [o](const DockedToolbar* a, const DockedToolbar* b) {
      const Point pa = row_column(*a), pb = row_column(*b);
      return std::pair(perp(o, pa), pick(o, pa)) < std::pair(perp(o, pb), pick(o, pb));
    });
    fill(area, docked);
  }
  return result;
}

AreaBands& DockBands::area(DockCode dock) { return areas_[area_index(dock)]; }
const AreaBands& DockBands::area(DockCode dock) const { return areas_[area_index(dock)]; }

std::vector<DockedToolbar> DockBands::places() const {
  std::vector<DockedToolbar> result;
  for (DockCode dock : kAreas) {
    const AreaBands& area = this->area(dock);
    for (size_t b = 0; b < area.bands.size(); ++b) {
      for (size_t p = 0; p < area.bands[b].size(); ++p) {
        const BandMember& member = area.bands[b][p];
        const Point at = oriented_point(area.orientation, static_cast<int>(p) + 1, static_cast<int>(b) + 1);
        result.push_back({.id = member.id, .dock = dock, .row = at.y, .column = at.x, .alone = member.alone});
      }
    }
  }
  return result;
}

BandSlot insert(AreaBands& area, BandMember member, BandSlot wanted, bool new_band) {
  std::vector<Band>& bands = area.bands;
  const int count = static_cast<int>(bands.size());
  const int band = std::max(wanted.band, 1);
  if (!new_band && band <= count && !member.alone && !holds_alone(bands[band - 1])) {
    Band& members = bands[band - 1];
    const int position = std::clamp(wanted.position, 1, static_cast<int>(members.size()) + 1);
    members.insert(members.begin() + (position - 1), member);
    return {band, position};
  }
  const int at = std::min(band, count + 1);
  bands.insert(bands.begin() + (at - 1), Band{member});
  return {at, 1};
}

std::optional<bool> remove(AreaBands& area, int id) {
  for (auto band = area.bands.begin(); band != area.bands.end(); ++band) {
    const auto member = std::find_if(band->begin(), band->end(), [id](const BandMember& m) { return m.id == id; });
    if (member == band->end()) continue;
    band->erase(member);
    if (!band->empty()) return false;
    area.bands.erase(band);
    return true;
  }
  return std::nullopt;
}

std::vector<DockedToolbar> reenter(std::span<const DockedToolbar> toolbars, const DockedToolbar& before) {
  std::vector<DockedToolbar> as_before(toolbars.begin(), toolbars.end());
  const auto moved = std::find_if(as_before.begin(), as_before.end(),
                                  [&](const DockedToolbar& t) { return t.id == before.id; });
  if (moved == as_before.end()) return DockBands::of(toolbars).places();
  const DockedToolbar after = *moved;
  *moved = before;
  DockBands bands = DockBands::of(as_before);
  if (before.visible && is_dock_area(before.dock)) remove(bands.area(before.dock), before.id);
  if (after.visible && is_dock_area(after.dock)) {
    AreaBands& area = bands.area(after.dock);
    const Point wanted = row_column(after);
    insert(area, {after.id, after.alone}, {perp(area.orientation, wanted), pick(area.orientation, wanted)}, false);
  }
  return bands.places();
}

BandSlot slot_at(std::span<const std::vector<Rect>> toolbars, Orientation o, Point point) {
  const int band = band_at(toolbars, o, perp(o, point));
  if (band > static_cast<int>(toolbars.size())) return {band, 1};
  return {band, position_at(toolbars[band - 1], o, point)};
}

}  // namespace mz
