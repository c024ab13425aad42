#include "deck_layout.h"

#include <algorithm>

#include "dock_bands.h"

namespace mz {

namespace {

void write_toolbar(Toolbar& toolbar, const LaidOutToolbar& laid_out, Point area_origin) {
  DockedPlace& place = toolbar.place;
  place.left = laid_out.rect.left - area_origin.x;
  place.top = laid_out.rect.top - area_origin.y;
  place.width = laid_out.rect.width();
  place.height = laid_out.rect.height();
  place.wrapped = laid_out.wrapped;
  place.compressed = laid_out.compressed;
}

void write_tool(PlacedTool& tool, const ToolSpot& spot, Point area_origin) {
  const bool shown = spot.fate == ToolFate::shown;
  tool.left = static_cast<int16_t>(shown ? spot.rect.left - area_origin.x : 0);
  tool.top = static_cast<int16_t>(shown ? spot.rect.top - area_origin.y : 0);
  tool.width = static_cast<int16_t>(shown ? spot.rect.width() : 0);
  tool.height = static_cast<int16_t>(shown ? spot.rect.height() : 0);
  tool.overflow = spot.fate == ToolFate::overflow;
  tool.line_length = static_cast<int16_t>(spot.line_length);
}

void find_in(const PlacedToolList& list, const PlacedTool* tool, std::shared_ptr<PlacedTool>& found) {
  for (const auto& placed : list) {
    if (placed.get() == tool) found = placed;
  }
}

}  // namespace

Rect DeckLayout::lay_out(Deck& deck, const DeckLook& look, const CaptionCache& captions, Rect inner) {
  std::vector<DockedToolbar> docked;
  for (size_t i = 0; i < deck.toolbars().size(); ++i) {
    const Toolbar& toolbar = *deck.toolbars().at(i);
    if (!toolbar.floating()) docked.push_back(docked_toolbar_of(toolbar, static_cast<int>(i)));
  }
  const DockBands bands = DockBands::of(docked);

  entries_.assign(deck.toolbars().size(), {});
  DockAreaBands area_bands;
  for (DockCode dock : {DockCode::top, DockCode::bottom, DockCode::left, DockCode::right}) {
    for (const Band& band : bands.area(dock).bands) {
      AreaBand& out = area_bands[area_index(dock)].emplace_back();
      for (const BandMember& member : band) {
        const std::shared_ptr<Toolbar>& toolbar = deck.toolbars().at(static_cast<size_t>(member.id));
        Entry& entry = entries_[member.id];
        entry = {toolbar, toolbar_from_model(deck, *toolbar, look, captions)};
        out.push_back({member.id, entry.model.input, toolbar->place.preferred_offset});
      }
    }
  }
  cut_ = cut_dock_areas(inner, area_bands);

  for (size_t area = 0; area < cut_.layouts.size(); ++area) {
    const Point origin = cut_.areas[area].origin();
    for (const LaidOutToolbar& laid_out : cut_.layouts[area].toolbars) {
      const ModelToolbar& model = entries_[laid_out.id].model;
      write_toolbar(*deck.toolbars().at(static_cast<size_t>(laid_out.id)), laid_out, origin);
      for (size_t t = 0; t < model.tools.size(); ++t) write_tool(*model.tools[t], laid_out.placement.tools[t], origin);
      if (model.more_tools) {
        const ToolSpot button{laid_out.placement.more_tools.value_or(Rect{}),
                              laid_out.placement.more_tools ? ToolFate::shown : ToolFate::hidden};
        write_tool(*model.more_tools, button, origin);
      }
    }
  }
  return cut_.client;
}

DeckHit DeckLayout::hit(Point point) const {
  const DockHit found = hit_test(cut_, point);
  DeckHit hit;
  hit.where = found.where;
  if (found.where != WhereIs::toolbar && found.where != WhereIs::tool) return hit;
  const Entry& entry = entries_.at(static_cast<size_t>(found.toolbar));
  hit.toolbar = entry.toolbar.lock();
  if (!hit.toolbar || !hit.toolbar->in_collection) return {};
  if (found.where != WhereIs::tool) return hit;
  hit.tool_rect = found.tool_rect;
  if (found.more_tools) {
    if (hit.toolbar->more_tools_button.get() == entry.model.more_tools) hit.tool = hit.toolbar->more_tools_button;
  } else {
    find_in(hit.toolbar->tools, entry.model.tools.at(*found.tool), hit.tool);
  }
  // A tool that left its toolbar since the pass is not found there.
  if (!hit.tool) hit.where = WhereIs::toolbar;
  return hit;
}

DeckLayout::Source DeckLayout::source(int id) const {
  if (id < 0 || static_cast<size_t>(id) >= entries_.size()) return {};
  const Entry& entry = entries_[static_cast<size_t>(id)];
  std::shared_ptr<Toolbar> toolbar = entry.toolbar.lock();
  if (!toolbar || !toolbar->in_collection) return {};
  return {std::move(toolbar), &entry.model};
}

Size DeckLayout::area_size(DockCode dock) const {
  const Rect& area = cut_.areas[area_index(dock)];
  if (area.width() == 1 || area.height() == 1) return {};
  return area.size();
}

}  // namespace mz
