#include "hit_test.h"

namespace mz {

namespace {

bool holds(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
bool holds_with_edges(const Rect& r, Point p) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

DockHit hit_on_toolbar(const LaidOutToolbar& toolbar, Point point) {
  DockHit hit;
  hit.where = WhereIs::tool;
  hit.toolbar = toolbar.id;
  const std::vector<ToolSpot>& spots = toolbar.placement.tools;
  for (size_t i = 0; i < spots.size(); ++i) {
    if (spots[i].fate == ToolFate::shown && holds(spots[i].rect, point)) {
      hit.tool = i;
      hit.tool_rect = spots[i].rect;
      return hit;
    }
  }
  if (toolbar.placement.more_tools && holds(*toolbar.placement.more_tools, point)) {
    hit.more_tools = true;
    hit.tool_rect = *toolbar.placement.more_tools;
    return hit;
  }
  hit.where = WhereIs::toolbar;
  return hit;
}

}  // namespace

DockHit hit_test(const DockCut& cut, Point point) {
  for (size_t i = 0; i < cut.areas.size(); ++i) {
    if (!holds_with_edges(cut.areas[i], point)) continue;
    for (const LaidOutToolbar& toolbar : cut.layouts[i].toolbars)
      if (holds(toolbar.rect, point)) return hit_on_toolbar(toolbar, point);
    DockHit area;
    area.where = static_cast<WhereIs>(i);
    return area;
  }
  return {};
}

}  // namespace mz
