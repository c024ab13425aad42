#include "popup_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <vector>

#include "geometry_print.h"

namespace mz::menus {

void PrintTo(const PopupPlacement& p, std::ostream* os) {
  PrintTo(p.rect, os);
  *os << (p.leftward ? " leftward" : "") << (p.upward ? " upward" : "") << (p.must_scroll ? " must-scroll" : "");
}

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
constexpr Rect kWork{0, 0, 800, 600};

PopupPlacement placed(Rect rect, bool leftward = false, bool upward = false, bool must_scroll = false) {
  return {rect, leftward, upward, must_scroll};
}

TEST(PopupLayout, SizeIsTheWidestItemAndTheStackedHeightsInsideTheFrame) {
  struct Case {
    const char* name;
    std::vector<Size> items;
    int laid_out_width;
    Size frame;
    Size size;
  };
  const Case cases[] = {
      {"items", {{100, 20}, {150, 20}, {80, 5}}, 0, {3, 3}, {156, 51}},
      {"laid-out width wider than any item", {{100, 20}}, 180, {3, 3}, {186, 26}},
      {"no items", {}, 0, {3, 3}, {6, 6}},
      {"negative inputs count as zero", {{-5, -7}}, -1, {-2, -2}, {0, 0}},
      {"exactly the int limit", {{kMax - 6, 1}}, 0, {3, 3}, {kMax, 7}},
      {"past the int limit is clamped", {{kMax, kMax}, {kMax, kMax}}, kMax, {3, 3}, {kMax, kMax}},
  };
  for (const Case& c : cases) EXPECT_EQ(popup_size(c.items, c.laid_out_width, c.frame), c.size) << c.name;
  EXPECT_EQ(overflow_popup_size({300, 40}, {3, 3}), (Size{306, 46}));
  EXPECT_EQ(overflow_popup_size({kMax, kMax}, {3, 3}), (Size{kMax, kMax}));
}

TEST(PopupLayout, FlagsOutOfRangeMeanLeftButtonLeftAligned) {
  struct Case {
    std::optional<int64_t> given;
    int32_t flags;
    PopupAlign align;
  };
  const Case cases[] = {
      {std::nullopt, 1, PopupAlign::left}, {-1, 1, PopupAlign::left},   {0, 0, PopupAlign::left},
      {2, 2, PopupAlign::left},            {4, 4, PopupAlign::center},  {6, 6, PopupAlign::center},
      {8, 8, PopupAlign::right},           {9, 1, PopupAlign::left},    {12, 1, PopupAlign::left},
      {int64_t{1} << 40, 1, PopupAlign::left},
  };
  for (const Case& c : cases) {
    const int32_t flags = popup_menu_flags(c.given);
    EXPECT_EQ(flags, c.flags) << testing::PrintToString(c.given);
    EXPECT_EQ(popup_align(flags), c.align) << testing::PrintToString(c.given);
  }
}

struct FitCase {
  const char* name;
  PopupAnchor anchor;
  Size size;
  Rect work;
  PopupPlacement expected;
};

void expect_fits(std::span<const FitCase> cases) {
  for (const FitCase& c : cases) EXPECT_EQ(fit_popup(c.anchor, c.size, c.work), c.expected) << c.name;
}

TEST(PopupLayout, PointAnchorFlipsPinsAndScrolls) {
  const Size popup{200, 300};
  const FitCase cases[] = {
      {"below and right of the point", PointAnchor{{100, 100}}, popup, kWork, placed({100, 100, 300, 400})},
      {"right-edge flip", PointAnchor{{700, 100}}, popup, kWork, placed({500, 100, 700, 400}, true)},
      {"flipped back when leftward crosses the left edge", PointAnchor{{150, 100}}, popup, {0, 0, 300, 600},
       placed({100, 100, 300, 400})},
      {"upward", PointAnchor{{100, 500}}, popup, kWork, placed({100, 200, 300, 500}, false, true)},
      {"pinned to the bottom", PointAnchor{{100, 300}}, {200, 400}, kWork, placed({100, 200, 300, 600})},
      {"pinned to the top and scrolling", PointAnchor{{100, 300}}, {200, 700}, kWork,
       placed({100, 0, 300, 600}, false, false, true)},
      {"anchor above the work area", PointAnchor{{100, 50}}, popup, {0, 100, 800, 600},
       placed({100, 100, 300, 400})},
      {"anchor above the work area, taller than it", PointAnchor{{100, 50}}, {200, 700}, {0, 100, 800, 600},
       placed({100, 100, 300, 600}, false, false, true)},
      {"anchor below the work area", PointAnchor{{100, 700}}, popup, kWork,
       placed({100, 300, 300, 600}, false, true)},
      {"anchor left of the work area", PointAnchor{{-50, 100}}, popup, kWork, placed({0, 100, 200, 400})},
      {"anchor right of the work area", PointAnchor{{900, 100}}, popup, kWork,
       placed({600, 100, 800, 400}, true)},
      {"right-aligned", PointAnchor{{400, 100}, PopupAlign::right}, popup, kWork,
       placed({200, 100, 400, 400}, true)},
      {"right-aligned at the left edge opens rightward", PointAnchor{{100, 100}, PopupAlign::right}, popup,
       kWork, placed({100, 100, 300, 400})},
      {"centred", PointAnchor{{400, 100}, PopupAlign::center}, popup, kWork, placed({300, 100, 500, 400})},
      {"centred at the right edge opens leftward", PointAnchor{{750, 100}, PopupAlign::center}, popup, kWork,
       placed({550, 100, 750, 400}, true)},
      {"wider than the work area shows its left part", PointAnchor{{100, 100}}, {1000, 100}, kWork,
       placed({0, 100, 1000, 200})},
      {"zero-size work area", PointAnchor{{10, 10}}, popup, {0, 0, 0, 0},
       placed({0, 0, 200, 0}, false, false, true)},
      {"reversed work area counts as empty", PointAnchor{{10, 10}}, popup, {100, 100, 0, 0},
       placed({100, 100, 300, 100}, false, false, true)},
      {"zero-size popup", PointAnchor{{100, 100}}, {0, 0}, kWork, placed({100, 100, 100, 100})},
      {"at the int limit", PointAnchor{{kMax, kMax}}, {kMax, kMax}, {0, 0, kMax, kMax},
       placed({0, 0, kMax, kMax}, true, true)},
      {"near the int limit in the whole int range", PointAnchor{{kMax - 10, kMax - 10}}, {kMax, kMax},
       {kMin, kMin, kMax, kMax}, placed({-10, -10, kMax - 10, kMax - 10}, true, true)},
      {"anchor at the int minimum", PointAnchor{{kMin, kMin}}, popup, kWork, placed({0, 0, 200, 300})},
      {"right edge clamped at the int limit", PointAnchor{{kMax - 50, 0}}, {1000, 100}, {kMax - 100, 0, kMax, 600},
       placed({kMax - 100, 0, kMax, 100})},
  };
  expect_fits(cases);
}

TEST(PopupLayout, SubmenuOverlapsItsParentAndPins) {
  const Rect parent{100, 100, 300, 400};
  const Rect item{103, 150, 297, 170};
  const Size popup{200, 100};
  const FitCase cases[] = {
      {"right of the parent, overlapping by 3", SubmenuAnchor{item, parent}, popup, kWork,
       placed({297, 150, 497, 250})},
      {"leftward at the right edge, overlapping by 3", SubmenuAnchor{{553, 150, 747, 170}, {550, 100, 750, 400}},
       popup, kWork, placed({353, 150, 553, 250}, true)},
      {"back to the right when leftward crosses the left edge",
       SubmenuAnchor{{153, 150, 347, 170}, {150, 100, 350, 400}}, popup, {0, 0, 500, 600},
       placed({300, 150, 500, 250})},
      {"pinned to the bottom", SubmenuAnchor{{103, 550, 297, 570}, parent}, popup, kWork,
       placed({297, 500, 497, 600})},
      {"pinned to the top and scrolling", SubmenuAnchor{item, parent}, {200, 700}, kWork,
       placed({297, 0, 497, 600}, false, false, true)},
      {"item above the work area", SubmenuAnchor{{103, 50, 297, 70}, parent}, popup, {0, 100, 800, 600},
       placed({297, 100, 497, 200})},
  };
  expect_fits(cases);
}

TEST(PopupLayout, MenuToolOpensBelowOrBesideItsToolbar) {
  const Size popup{200, 300};
  const FitCase cases[] = {
      {"below a top-docked tool", ToolAnchor{{100, 0, 150, 20}, DockCode::top}, popup, kWork,
       placed({100, 20, 300, 320})},
      {"leftward from the tool's right at the right edge", ToolAnchor{{750, 0, 790, 20}, DockCode::top}, popup,
       kWork, placed({590, 20, 790, 320}, true)},
      {"above a bottom-docked tool", ToolAnchor{{100, 560, 150, 580}, DockCode::bottom}, popup, kWork,
       placed({100, 260, 300, 560}, false, true)},
      {"above, cut and scrolling", ToolAnchor{{100, 560, 150, 580}, DockCode::bottom}, {200, 700}, kWork,
       placed({100, 0, 300, 560}, false, true, true)},
      {"cut below when there is more room there", ToolAnchor{{100, 200, 150, 220}, DockCode::top}, {200, 500},
       kWork, placed({100, 220, 300, 600}, false, false, true)},
      {"equal room above and below stays below", ToolAnchor{{100, 290, 150, 310}, DockCode::top}, {200, 400},
       kWork, placed({100, 310, 300, 600}, false, false, true)},
      {"floating toolbar opens below", ToolAnchor{{100, 200, 150, 220}, DockCode::floating}, popup, kWork,
       placed({100, 220, 300, 520})},
      {"beside a left-docked tool", ToolAnchor{{0, 100, 20, 120}, DockCode::left}, popup, kWork,
       placed({20, 100, 220, 400})},
      {"vertical toolbar near the right edge", ToolAnchor{{700, 100, 720, 120}, DockCode::left}, popup, kWork,
       placed({500, 100, 700, 400}, true)},
      {"right-docked tool opens leftward", ToolAnchor{{780, 100, 800, 120}, DockCode::right}, popup, kWork,
       placed({580, 100, 780, 400}, true)},
      {"right-docked tool with no room on its left", ToolAnchor{{100, 100, 120, 120}, DockCode::right}, popup,
       kWork, placed({120, 100, 320, 400})},
      {"vertical toolbar pinned to the bottom", ToolAnchor{{0, 500, 20, 520}, DockCode::left}, popup, kWork,
       placed({20, 300, 220, 600})},
      {"vertical toolbar taller than the work area", ToolAnchor{{0, 500, 20, 520}, DockCode::left}, {200, 700},
       kWork, placed({20, 0, 220, 600}, false, false, true)},
  };
  expect_fits(cases);
}

// Wherever the anchor is, off whichever edge, a popup no wider than the work
// area ends up inside it, at its own width, cut to the area's height and
// scrolling exactly when it is taller.
TEST(PopupLayout, AnchorsOffEveryEdgeEndInsideTheWorkArea) {
  const Rect work{100, 100, 900, 700};
  const Point points[] = {{50, 400},  {950, 400}, {500, 50},   {500, 750}, {50, 50},
                          {950, 750}, {kMin, 0},  {kMax, kMax}, {500, 400}};
  std::vector<PopupAnchor> anchors;
  for (Point p : points) {
    anchors.push_back(PointAnchor{p});
    anchors.push_back(PointAnchor{p, PopupAlign::right});
    anchors.push_back(PointAnchor{p, PopupAlign::center});
    const Rect box{p.x, p.y, p.x == kMax ? kMax : p.x + 20, p.y == kMax ? kMax : p.y + 20};
    anchors.push_back(SubmenuAnchor{box, box});
    for (DockCode dock : {DockCode::top, DockCode::bottom, DockCode::left, DockCode::right, DockCode::floating})
      anchors.push_back(ToolAnchor{box, dock});
  }
  for (Size size : {Size{200, 300}, Size{200, 700}, Size{800, 600}, Size{0, 0}}) {
    for (size_t i = 0; i < anchors.size(); ++i) {
      const PopupPlacement p = fit_popup(anchors[i], size, work);
      const std::string where = "anchor " + std::to_string(i) + " size " + testing::PrintToString(size);
      EXPECT_GE(p.rect.left, work.left) << where;
      EXPECT_LE(p.rect.right, work.right) << where;
      EXPECT_GE(p.rect.top, work.top) << where;
      EXPECT_LE(p.rect.bottom, work.bottom) << where;
      EXPECT_EQ(p.rect.width(), size.width) << where;
      EXPECT_LE(p.rect.height(), size.height) << where;
      EXPECT_EQ(p.must_scroll, p.rect.height() < size.height) << where;
    }
  }
}

TEST(PopupLayout, RelayoutKeepsTheAnchoredEdgesAndRefitsTheHeight) {
  struct Case {
    const char* name;
    PopupPlacement current;
    Size size;
    PopupPlacement expected;
    Rect work = kWork;
  };
  const Case cases[] = {
      {"grown, still fits", placed({100, 100, 300, 400}), {200, 400}, placed({100, 100, 300, 500})},
      {"grown past the bottom scrolls", placed({100, 100, 300, 400}), {200, 600},
       placed({100, 100, 300, 600}, false, false, true)},
      {"a scrolling popup whose items now fit stops scrolling", placed({100, 0, 300, 600}, false, false, true),
       {200, 400}, placed({100, 0, 300, 400})},
      {"opened upward keeps its bottom", placed({100, 200, 300, 500}, false, true), {200, 400},
       placed({100, 100, 300, 500}, false, true)},
      {"opened upward, past the top scrolls", placed({100, 200, 300, 500}, false, true), {200, 600},
       placed({100, 0, 300, 500}, false, true, true)},
      {"opened leftward keeps its right edge", placed({500, 100, 700, 400}, true), {250, 300},
       placed({450, 100, 700, 400}, true)},
      {"wider past the right edge is shifted back", placed({650, 100, 750, 400}), {200, 300},
       placed({600, 100, 800, 400})},
      {"shrunk", placed({100, 100, 300, 400}), {150, 100}, placed({100, 100, 250, 200})},
      {"zero-size work area", placed({0, 0, 0, 0}), {200, 300}, placed({0, 0, 200, 0}, false, false, true), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(refit_popup(c.current, c.size, c.work), c.expected) << c.name;
}

TEST(PopupLayout, AScrollingPopupStartsWithABottomAreaOneItemHigh) {
  struct Case {
    const char* name;
    std::vector<int> heights;
    Size client;
    bool must_scroll;
    ScrollAreas areas;
  };
  const Case cases[] = {
      {"not scrolling: no areas, every item shown", {20, 20, 20}, {194, 60}, false, {{}, {}, 3}},
      {"scrolling", {20, 20, 20, 20, 20}, {194, 70}, true, {{}, {0, 50, 194, 70}, 2}},
      {"a separator does not make the area a sliver", {20, 5, 20, 5}, {100, 45}, true, {{}, {0, 25, 100, 45}, 2}},
      {"client shorter than an item", {20, 20}, {100, 10}, true, {{}, {0, 0, 100, 10}, 0}},
      {"no items, no room", {}, {0, 0}, true, {{}, {0, 0, 0, 0}, 0}},
      {"heights at the int limit", {kMax, kMax}, {kMax, kMax}, true, {{}, {0, 0, kMax, kMax}, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(initial_scroll_areas(c.heights, c.client, c.must_scroll), c.areas) << c.name;
}

// Forty items of 20 pixels do not fit an 800 x 600 work area: the popup is
// pinned to the top, and its bottom area leaves room for 28 whole items.
TEST(PopupLayout, APopupTallerThanTheWorkAreaOpensPinnedToTheTopWithABottomScrollArea) {
  const std::vector<Size> items(40, Size{150, 20});
  const Size frame{3, 3};
  const Size size = popup_size(items, 0, frame);
  ASSERT_EQ(size, (Size{156, 806}));
  const PopupPlacement p = fit_popup(PointAnchor{{100, 300}}, size, kWork);
  EXPECT_EQ(p, placed({100, 0, 256, 600}, false, false, true));
  const std::vector<int> heights(items.size(), 20);
  const Size client{p.rect.width() - 2 * frame.width, p.rect.height() - 2 * frame.height};
  EXPECT_EQ(initial_scroll_areas(heights, client, p.must_scroll), (ScrollAreas{{}, {0, 574, 150, 594}, 28}));
}

}  // namespace
}  // namespace mz::menus
