#pragma once
// How a dock area's background is laid down: whether it is painted at all,
// whether it is rendered once into a cached bitmap, and where the
// background picture goes (centred, stretched over the area, or tiled from
// the area's origin). The colour fill always covers the whole area first.
#include <cstdint>
#include <optional>

#include "geometry.h"

namespace mz::paint {

// PictureBackgroundStyle.
enum class BackgroundStyle : uint8_t { centred = 0, stretched = 1, tiled = 2 };

struct BackgroundPicture {
  Size size;  // natural size
  bool icon = false;
};

struct BackgroundPlan {
  bool painted = false;  // an area a pixel wide or high is skipped
  bool cached = false;   // stretched and tiled pictures are rendered once and copied afterwards
  std::optional<Rect> picture = std::nullopt;  // centred or stretched: where the picture is drawn
  std::optional<Size> tile = std::nullopt;     // tiled: the step of the tiles, the first at the area's origin
  constexpr bool operator==(const BackgroundPlan&) const = default;
};

BackgroundPlan plan_background(Size area, const std::optional<BackgroundPicture>& picture, BackgroundStyle style);

}  // namespace mz::paint
