#include "band_strip.h"

#include <algorithm>

namespace mz {

std::optional<Rect> band_strip(Orientation o, Rect area, const AreaLayout& layout, int toolbar_id) {
  const auto& toolbars = layout.toolbars;
  const auto it = std::find_if(toolbars.begin(), toolbars.end(),
                               [&](const LaidOutToolbar& t) { return t.id == toolbar_id; });
  if (it == toolbars.end()) return std::nullopt;

  int near = perp_start(o, it->rect);
  int far = perp_end(o, it->rect);
  if (!it->wrapped) {
    for (const LaidOutToolbar& t : toolbars) {
      if (t.band != it->band) continue;
      near = std::min(near, perp_start(o, t.rect));
      far = std::max(far, perp_end(o, t.rect));
    }
  }
  const Point origin = oriented_point(o, pick_start(o, area), near);
  return rect_at(origin, oriented_size(o, pick_end(o, area) - pick_start(o, area), far - near));
}

}  // namespace mz
