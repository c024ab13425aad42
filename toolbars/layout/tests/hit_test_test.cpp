// What lies under a point of the host window: an area, a toolbar, a tool,
// the More Tools button, or nothing.
#include "hit_test.h"

#include <gtest/gtest.h>

#include <vector>

#include "bar_builders.h"

namespace mz {
namespace {

using test::bar;
using test::sep;
using test::tool;

struct HitCase {
  const char* name;
  Point point;
  WhereIs where;
  int toolbar = 0;
  std::optional<size_t> tool = std::nullopt;
  bool more_tools = false;
};

TEST(HitTest, FindsAreasToolbarsAndTools) {
  DockAreaBands bands;
  // A leading separator is never drawn, so it can never be hit.
  bands[0] = {{{7, bar({sep(), tool(), tool()})}}};
  bands[2] = {{{9, bar({tool(22, 22, Orientation::vertical)}, {.orientation = Orientation::vertical, .more_tools = true})}}};
  const DockCut cut = cut_dock_areas({0, 0, 400, 300}, bands);
  // Top area (0,0)-(400,27), its toolbar (0,1)-(55,27) with tools at x 8..30
  // and 30..52; the left area runs from y 27 down, its toolbar (1,27)-(27,...).
  ASSERT_EQ(cut.areas[0], (Rect{0, 0, 400, 27}));
  const Rect left_bar = cut.layouts[2].toolbars.at(0).rect;
  ASSERT_TRUE(cut.layouts[2].toolbars[0].placement.more_tools);
  const Rect button = *cut.layouts[2].toolbars[0].placement.more_tools;
  const HitCase cases[] = {
      {"the first tool", {10, 10}, WhereIs::tool, 7, 1},
      {"the second tool", {30, 10}, WhereIs::tool, 7, 2},
      {"the grab handle is the toolbar", {3, 10}, WhereIs::toolbar, 7},
      {"past the toolbar's last tool, inside it", {53, 10}, WhereIs::toolbar, 7},
      {"past the toolbar: the area", {60, 10}, WhereIs::top_dock},
      {"the pixel line above the toolbars is the area", {10, 0}, WhereIs::top_dock},
      {"the area's right edge is in it", {400, 10}, WhereIs::top_dock},
      {"the More Tools button", {button.left, button.top}, WhereIs::tool, 9, std::nullopt, true},
      {"a column's toolbar", {left_bar.left, left_bar.top + 2}, WhereIs::toolbar, 9},
      {"below the column's toolbar: the left area", {5, 290}, WhereIs::left_dock},
      {"the empty bottom area", {200, 299}, WhereIs::bottom_dock},
      {"the empty right area", {399, 100}, WhereIs::right_dock},
      {"the client area", {200, 150}, WhereIs::none},
      {"outside the window", {-5, 10}, WhereIs::none},
  };
  for (const HitCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DockHit hit = hit_test(cut, c.point);
    EXPECT_EQ(hit.where, c.where);
    EXPECT_EQ(hit.toolbar, c.toolbar);
    EXPECT_EQ(hit.tool, c.tool);
    EXPECT_EQ(hit.more_tools, c.more_tools);
  }
}

}  // namespace
}  // namespace mz
