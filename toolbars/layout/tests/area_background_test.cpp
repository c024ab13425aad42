// Where a dock area's background picture goes, and when the background is
// cached or not painted at all.
#include "area_background.h"

#include <gtest/gtest.h>

namespace mz::paint {
namespace {

TEST(AreaBackground, Table) {
  using S = BackgroundStyle;
  constexpr Size kArea{300, 50};
  const BackgroundPicture bitmap{{40, 20}, false};
  const BackgroundPicture icon{{32, 32}, true};
  struct Case {
    const char* name;
    Size area;
    std::optional<BackgroundPicture> picture;
    BackgroundStyle style;
    BackgroundPlan plan;
  };
  const Case cases[] = {
      {"colour only", kArea, std::nullopt, S::tiled, {.painted = true}},
      {"centred at natural size, painted each time", kArea, bitmap, S::centred,
       {.painted = true, .picture = Rect{130, 15, 170, 35}}},
      {"centred icon: 2 pixels smaller on each side", kArea, icon, S::centred,
       {.painted = true, .picture = Rect{136, 11, 164, 39}}},
      {"picture larger than the area: centred over it", {20, 10}, bitmap, S::centred,
       {.painted = true, .picture = Rect{-10, -5, 30, 15}}},
      {"stretched over the area, cached", kArea, bitmap, S::stretched,
       {.painted = true, .cached = true, .picture = Rect{0, 0, 300, 50}}},
      {"tiled from the origin, cached", kArea, bitmap, S::tiled,
       {.painted = true, .cached = true, .tile = Size{40, 20}}},
      {"empty picture: colour only, no endless tiling", kArea, BackgroundPicture{{0, 20}}, S::tiled, {.painted = true}},
      {"area 1 pixel high: skipped", {300, 1}, bitmap, S::tiled, {}},
      {"area 1 pixel wide: skipped", {1, 50}, bitmap, S::centred, {}},
      {"empty area: skipped", {0, 0}, std::nullopt, S::centred, {}},
      {"2 x 2 area: painted", {2, 2}, std::nullopt, S::centred, {.painted = true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BackgroundPlan plan = plan_background(c.area, c.picture, c.style);
    EXPECT_EQ(plan.painted, c.plan.painted);
    EXPECT_EQ(plan.cached, c.plan.cached);
    EXPECT_EQ(plan.picture, c.plan.picture);
    EXPECT_EQ(plan.tile, c.plan.tile);
  }
}

}  // namespace
}  // namespace mz::paint
