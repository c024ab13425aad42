#include "area_background.h"

namespace mz::paint {

BackgroundPlan plan_background(Size area, const std::optional<BackgroundPicture>& picture, BackgroundStyle style) {
  BackgroundPlan plan;
  if (area.width <= 1 || area.height <= 1) return plan;
  plan.painted = true;
  // An empty picture draws nothing (and would tile forever).
  if (!picture || picture->size.width <= 0 || picture->size.height <= 0) return plan;

  const Size size = picture->size;
  switch (style) {
    case BackgroundStyle::stretched:
      plan.cached = true;
      plan.picture = rect_at({0, 0}, area);
      break;
    case BackgroundStyle::tiled:
      plan.cached = true;
      plan.tile = size;
      break;
    case BackgroundStyle::centred: {
      Rect at = rect_at({(area.width - size.width) / 2, (area.height - size.height) / 2}, size);
      // Icons are drawn 2 pixels smaller on each side.
      if (picture->icon) at = {at.left + 2, at.top + 2, at.right - 2, at.bottom - 2};
      plan.picture = at;
      break;
    }
  }
  return plan;
}

}  // namespace mz::paint
