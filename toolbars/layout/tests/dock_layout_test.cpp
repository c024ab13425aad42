// One layout pass over a dock area (lines of a band, preferred offsets,
// pushing back, shortening, moving onto a new line, line thickness) and the
// cut of the four areas out of the host window.
#include "dock_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "bar_builders.h"

namespace mz {

std::ostream& operator<<(std::ostream& out, const Rect& r);

namespace {

using test::bar;
using test::style97;
using test::tool;

constexpr Orientation kH = Orientation::horizontal;
constexpr Orientation kV = Orientation::vertical;

// A toolbar of `count` tools of 22 x 22 with a grab handle of 7: 22 * count
// + 11 long, 26 thick; in the 2000 style its minimum is 71.
ToolbarInput tools(int count, BarShape shape = {}, int across = 22) {
  std::vector<BarTool> list(count, tool(22, across, shape.orientation));
  return bar(list, shape);
}
AreaToolbar tb(int id, ToolbarInput input, int preferred = 0) { return {id, std::move(input), preferred}; }

BarShape vertical() { return {.orientation = kV}; }
BarShape stretched() { return {.stretched = true}; }

struct Expected {
  int id;
  Rect rect;
  bool wrapped = false;
  bool compressed = false;
};

struct AreaCase {
  const char* name;
  Orientation o;
  int length;
  std::vector<AreaBand> bands;
  std::vector<Expected> toolbars;
  int thickness;
};

TEST(DockLayout, LaysOutTheBandsOfAnArea) {
  const AreaCase cases[] = {
      {"no toolbars: nothing, no thickness", kH, 300, {}, {}, 0},
      {"two toolbars side by side at their full lengths, one pixel inside the area",
       kH, 300, {{tb(1, tools(5)), tb(2, tools(5))}},
       {{1, {0, 1, 121, 27}}, {2, {121, 1, 242, 27}}}, 26},
      {"a preferred offset is kept when there is room", kH, 300,
       {{tb(1, tools(5)), tb(2, tools(5), 150)}},
       {{1, {0, 1, 121, 27}}, {2, {150, 1, 271, 27}}}, 26},
      {"a preferred offset past the end is pulled back to end at the area's end", kH, 300,
       {{tb(1, tools(5)), tb(2, tools(5), 250)}},
       {{1, {0, 1, 121, 27}}, {2, {179, 1, 300, 27}}}, 26},
      {"a preferred offset over the toolbar before starts after it", kH, 300,
       {{tb(1, tools(5), 40), tb(2, tools(5), 60)}},
       {{1, {40, 1, 161, 27}}, {2, {161, 1, 282, 27}}}, 26},
      {"a negative preferred offset counts as 0", kH, 300, {{tb(1, tools(5), -30)}}, {{1, {0, 1, 121, 27}}}, 26},
      {"2000 style: the next toolbar is pushed back and the first shortened, both stay on the line",
       kH, 200, {{tb(1, tools(5)), tb(2, tools(5))}},
       {{1, {0, 1, 79, 27}, false, true}, {2, {79, 1, 200, 27}}}, 26},
      {"2000 style: when the minimums do not fit the next toolbar moves onto a new line", kH, 120,
       {{tb(1, tools(5)), tb(2, tools(5))}},
       {{1, {0, 1, 120, 27}, false, true}, {2, {0, 27, 120, 53}, true, true}}, 52},
      {"97 style: a toolbar that does not fit whole moves onto a new line; the band is both lines thick",
       kH, 200, {{tb(1, tools(5, style97())), tb(2, tools(5, style97()))}},
       {{1, {0, 1, 121, 27}}, {2, {0, 27, 121, 53}, true}}, 52},
      {"bands follow each other across the area", kH, 300, {{tb(1, tools(2))}, {tb(2, tools(3))}},
       {{1, {0, 1, 55, 27}}, {2, {0, 27, 77, 53}}}, 52},
      {"empty bands are skipped", kH, 300, {{}, {tb(2, tools(3))}}, {{2, {0, 1, 77, 27}}}, 26},
      {"toolbars of one line all take its thickest toolbar's thickness", kH, 300,
       {{tb(1, tools(2)), tb(2, tools(2, {}, 30))}},
       {{1, {0, 1, 55, 35}}, {2, {55, 1, 110, 35}}}, 34},
      {"a stretched toolbar spans the area", kH, 300, {{tb(1, tools(2, stretched()))}}, {{1, {0, 1, 300, 27}}}, 26},
      {"a column: lengths run down, one pixel inside across", kV, 300,
       {{tb(1, tools(5, vertical())), tb(2, tools(5, vertical()))}},
       {{1, {1, 0, 27, 121}}, {2, {1, 121, 27, 242}}}, 26},
  };
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(c.name);
    const AreaLayout layout = lay_out_area(c.o, oriented_point(c.o, 0, 1), c.length, c.bands);
    EXPECT_EQ(layout.thickness, c.thickness);
    ASSERT_EQ(layout.toolbars.size(), c.toolbars.size());
    for (size_t i = 0; i < c.toolbars.size(); ++i) {
      const LaidOutToolbar& got = layout.toolbars[i];
      EXPECT_EQ(got.id, c.toolbars[i].id);
      EXPECT_EQ(got.rect, c.toolbars[i].rect) << "toolbar " << got.id;
      EXPECT_EQ(got.wrapped, c.toolbars[i].wrapped) << "toolbar " << got.id;
      EXPECT_EQ(got.compressed, c.toolbars[i].compressed) << "toolbar " << got.id;
    }
  }
}

TEST(DockLayout, ToolsSitInTheirToolbarsLineCentredAcrossIt) {
  const AreaBand band{tb(1, tools(2)), tb(2, tools(2, {}, 30))};
  const AreaLayout layout = lay_out_area(kH, {10, 5}, 300, std::vector<AreaBand>{band});
  ASSERT_EQ(layout.toolbars.size(), 2u);
  // The grab handle of 7 and one pixel come first; the 22-high tool is centred in 34.
  EXPECT_EQ(layout.toolbars[0].placement.tools[0].rect, (Rect{18, 11, 40, 33}));
  EXPECT_EQ(layout.toolbars[1].placement.tools[0].rect, (Rect{73, 7, 95, 37}));
}

TEST(DockLayout, ATooShortFirstToolbarIsShortenedAndItsToolsGoIntoOverflow) {
  const AreaLayout layout = lay_out_area(kH, {0, 1}, 60, std::vector<AreaBand>{{tb(1, tools(5))}});
  ASSERT_EQ(layout.toolbars.size(), 1u);
  const LaidOutToolbar& only = layout.toolbars[0];
  EXPECT_EQ(only.rect, (Rect{0, 1, 60, 27}));
  EXPECT_TRUE(only.compressed);
  EXPECT_TRUE(only.placement.compressed);
  EXPECT_FALSE(only.wrapped);
}

struct CutCase {
  const char* name;
  Rect inner;
  DockAreaBands bands;
  std::array<Rect, 4> areas;
  Rect client;
};

TEST(DockLayout, CutsTheAreasOutOfTheHostWindow) {
  DockAreaBands empty;
  DockAreaBands top_only;
  top_only[0] = {{tb(1, tools(5))}};
  DockAreaBands all_four = top_only;
  all_four[1] = {{tb(2, tools(2))}};
  all_four[2] = {{tb(3, tools(2, vertical()))}};
  all_four[3] = {{tb(4, tools(2, vertical()))}};
  DockAreaBands two_bands_top;
  two_bands_top[0] = {{tb(1, tools(5))}, {tb(2, tools(5))}};
  const CutCase cases[] = {
      {"empty areas are one pixel thick and take nothing", {4, 30, 404, 330}, empty,
       {{{4, 30, 404, 31}, {4, 329, 404, 330}, {4, 30, 5, 330}, {403, 30, 404, 330}}}, {4, 30, 404, 330}},
      {"a toolbar on top takes its thickness and a pixel; the sides start below it", {4, 30, 404, 330}, top_only,
       {{{4, 30, 404, 57}, {4, 329, 404, 330}, {4, 57, 5, 330}, {403, 57, 404, 330}}}, {4, 57, 404, 330}},
      {"all four areas", {0, 0, 400, 300}, all_four,
       {{{0, 0, 400, 27}, {0, 273, 400, 300}, {0, 27, 27, 273}, {373, 27, 400, 273}}}, {27, 27, 373, 273}},
      {"an area is never thicker than the room left", {0, 0, 400, 40}, two_bands_top,
       {{{0, 0, 400, 40}, {0, 39, 400, 40}, {0, 40, 1, 40}, {399, 40, 400, 40}}}, {0, 40, 400, 40}},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DockCut cut = cut_dock_areas(c.inner, c.bands);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(cut.areas[i], c.areas[i]) << "area " << i;
    EXPECT_EQ(cut.client, c.client);
  }
}

TEST(DockLayout, ToolbarsAreMovedWithTheirArea) {
  DockAreaBands bands;
  bands[1] = {{tb(1, tools(2))}};
  bands[3] = {{tb(2, tools(2, vertical()))}};
  const DockCut cut = cut_dock_areas({0, 0, 400, 300}, bands);
  ASSERT_EQ(cut.layouts[1].toolbars.size(), 1u);
  ASSERT_EQ(cut.layouts[3].toolbars.size(), 1u);
  EXPECT_EQ(cut.layouts[1].toolbars[0].rect, (Rect{0, 274, 55, 300}));
  EXPECT_EQ(cut.layouts[1].toolbars[0].placement.tools[0].rect, (Rect{8, 276, 30, 298}));
  // The right area runs from the top (empty) to the bottom area's top edge.
  EXPECT_EQ(cut.layouts[3].toolbars[0].rect, (Rect{374, 0, 400, 55}));
}

}  // namespace
}  // namespace mz
