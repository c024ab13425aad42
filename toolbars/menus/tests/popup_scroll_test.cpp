#include "popup_scroll.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "geometry_print.h"

namespace mz::menus {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kWidth = 120;

using Spot = PopupScroll::Spot;
using Hit = PopupScroll::Hit;

// What the popup shows in one scroll position.
struct Shown {
  int first;
  int offset;
  Rect top;
  Rect bottom;
  int first_in_view;
  int last_in_view;
};

// Checks every observable of a position, and that in_view agrees with the
// range of items in view for every index (and none outside the items).
void expect_shown(const PopupScroll& s, int items, const Shown& expected, const std::string& where) {
  EXPECT_EQ(s.first(), expected.first) << where;
  EXPECT_EQ(s.offset(), expected.offset) << where;
  EXPECT_EQ(s.top_area(kWidth), expected.top) << where;
  EXPECT_EQ(s.bottom_area(kWidth), expected.bottom) << where;
  EXPECT_EQ(s.first_in_view(), expected.first_in_view) << where;
  EXPECT_EQ(s.last_in_view(), expected.last_in_view) << where;
  for (int item = -1; item <= items; ++item) {
    const bool inside = expected.first_in_view >= 0 && item >= expected.first_in_view && item <= expected.last_in_view;
    EXPECT_EQ(s.in_view(item), inside) << where << " item " << item;
  }
}

PopupScroll scrolled_down(std::vector<int> heights, int client, int times) {
  PopupScroll s(std::move(heights), client, true);
  for (int i = 0; i < times; ++i) EXPECT_TRUE(s.scroll_down()) << "step " << i;
  return s;
}

// Items of 20 with separators of 5 in a client of 60: the areas are 20 high
// (the tallest item), so a separator never leaves a sliver. Each step down
// moves the items up by the height of the item that left; the top area comes
// once the first item left, the bottom area goes once the last item is in the
// client. Scrolling up walks back through the same positions.
TEST(PopupScroll, ScrollingMovesItemsByTheHeightOfTheItemThatLeftAndSetsTheAreas) {
  const std::vector<int> heights{20, 5, 20, 20, 5, 20, 20};  // tops 0 20 25 45 65 70 90, total 110
  const int count = static_cast<int>(heights.size());
  const Rect top{0, 0, kWidth, 20};
  const Rect bottom{0, 40, kWidth, 60};
  const Shown walk[] = {
      {0, 0, {}, bottom, 0, 1},
      {1, 20, top, bottom, -1, -1},  // the separator sits under the top area, item 2 reaches under it
      {2, 25, top, bottom, 3, 3},
      {3, 45, top, bottom, 4, 4},
      {4, 65, top, {}, 6, 6},  // 45 pixels of content left: the last item is in the client
  };
  PopupScroll s(heights, 60, true);
  ASSERT_TRUE(s.scrolling());
  EXPECT_FALSE(s.scroll_up());
  for (size_t i = 0; i < std::size(walk); ++i) {
    expect_shown(s, count, walk[i], "down to " + std::to_string(i));
    EXPECT_EQ(s.scroll_down(), i + 1 < std::size(walk)) << "down from " << i;
  }
  expect_shown(s, count, walk[std::size(walk) - 1], "past the end");
  for (size_t i = std::size(walk); i-- > 0;) {
    expect_shown(s, count, walk[i], "up to " + std::to_string(i));
    EXPECT_EQ(s.scroll_up(), i > 0) << "up from " << i;
  }
}

TEST(PopupScroll, APopupThatIsNotAskedToScrollOrWhoseItemsFitShowsEveryItem) {
  struct Case {
    const char* name;
    std::vector<int> heights;
    int client;
    bool must_scroll;
  };
  const Case cases[] = {
      {"not asked to scroll, though taller", {20, 20, 20}, 30, false},
      {"asked, but the items fill the client exactly", {20, 20, 20}, 60, true},
      {"asked, no items", {}, 0, true},
      {"negative heights count as nothing", {-20, 10, -5}, 10, true},
  };
  for (const Case& c : cases) {
    PopupScroll s(c.heights, c.client, c.must_scroll);
    const int count = static_cast<int>(c.heights.size());
    EXPECT_FALSE(s.scrolling()) << c.name;
    expect_shown(s, count, {0, 0, {}, {}, count > 0 ? 0 : -1, count - 1}, c.name);
    EXPECT_FALSE(s.scroll_down()) << c.name;
    EXPECT_FALSE(s.scroll_up()) << c.name;
    for (int item = 0; item < count; ++item) EXPECT_FALSE(s.show(item)) << c.name;
  }
}

// Ten items of 20 in a client of 100: from the first position items 0-3 are
// in view; from first shown f in 1..4 items f+1..f+3; the last position is
// first shown 5, with items 6-9 in view and no bottom area.
TEST(PopupScroll, ShowScrollsTheLeastThatBringsAnItemIntoView) {
  struct Case {
    int from;  // first shown before
    int item;
    bool moved;
    int first;  // first shown after
  };
  const Case cases[] = {
      {0, 2, false, 0}, {0, 3, false, 0}, {0, 4, true, 1}, {0, 9, true, 5}, {2, 6, true, 3},
      {5, 9, false, 5}, {5, 6, false, 5}, {5, 5, true, 4}, {5, 0, true, 0}, {3, 3, true, 2},
      {3, 1, true, 0},  {3, -1, false, 3}, {3, 10, false, 3},
  };
  for (const Case& c : cases) {
    PopupScroll s = scrolled_down(std::vector<int>(10, 20), 100, c.from);
    const std::string where = "from " + std::to_string(c.from) + " show " + std::to_string(c.item);
    EXPECT_EQ(s.show(c.item), c.moved) << where;
    EXPECT_EQ(s.first(), c.first) << where;
    if (c.item >= 0 && c.item < 10) {
      EXPECT_TRUE(s.in_view(c.item)) << where;
    }
  }
}

// An item taller than the room between the two areas can never be in view:
// show() stops before its top would pass under the top area, and ends.
TEST(PopupScroll, ShowEndsForAnItemThatCannotBeInView) {
  struct Case {
    const char* name;
    std::vector<int> heights;
    int client;
    int item;
    int first;  // first shown after
  };
  const Case cases[] = {
      // Areas 30 high: item 2 is below the room at first shown 0, under the top area at 1.
      {"taller than the room between the areas", {10, 10, 30, 10, 10, 10}, 70, 2, 0},
      // The one tall item makes the areas as high as the client: nothing is ever in view.
      {"taller than the client", {20, 200, 20, 20}, 100, 1, 0},
      {"after it: stops before the item passes under the top area", {20, 200, 20, 20}, 100, 3, 1},
  };
  for (const Case& c : cases) {
    PopupScroll s(c.heights, c.client, true);
    EXPECT_EQ(s.show(c.item), c.first != 0) << c.name;
    EXPECT_EQ(s.first(), c.first) << c.name;
    EXPECT_FALSE(s.in_view(c.item)) << c.name;
  }
}

// Ten items of 20, 120 wide, in a client of 100, first shown 2: the content
// is moved up by 40, the top area is [0; 20), the bottom area [80; 100).
TEST(PopupScroll, HitTellsTheAreasFromTheItemsUnderThem) {
  std::vector<Rect> items;
  for (int i = 0; i < 10; ++i) items.push_back({0, 20 * i, kWidth, 20 * i + 20});
  const PopupScroll s = scrolled_down(std::vector<int>(10, 20), 100, 2);
  struct Case {
    Point point;
    Hit hit;
  };
  const Case cases[] = {
      {{10, 5}, {Spot::top_area, -1}},      // over item 2, which is under the top area
      {{10, 19}, {Spot::top_area, -1}},     //
      {{10, 20}, {Spot::item, 3}},          // content y 60
      {{10, 79}, {Spot::item, 5}},          // content y 119
      {{10, 80}, {Spot::bottom_area, -1}},  // over item 6
      {{10, 99}, {Spot::bottom_area, -1}},  //
      {{10, 100}, {}},                      // below the client, where item 7 would be
      {{10, -1}, {}},                       // above the client
      {{kWidth, 30}, {}},                   // right of the items
      {{kWidth, 5}, {}},                    // right of the top area
  };
  for (const Case& c : cases)
    EXPECT_EQ(s.hit(c.point, items, kWidth), c.hit) << c.point.x << ", " << c.point.y;
  // A popup that does not scroll passes every point to the item under it.
  EXPECT_EQ(PopupScroll().hit({10, 150}, items, kWidth), (Hit{Spot::item, 7}));
}

TEST(PopupScroll, RelayoutRebuildsTheStateAndKeepsTheFirstShownItemAsFarAsItCan) {
  struct Case {
    const char* name;
    int from;  // first shown of ten items of 20 in a client of 100
    std::vector<int> heights;
    int client;
    bool must_scroll;
    bool scrolling;
    int first;
    Rect bottom;
  };
  const Case cases[] = {
      {"items added", 3, std::vector<int>(12, 20), 100, true, true, 3, {0, 80, kWidth, 100}},
      {"items removed: the last position of fewer items", 5, std::vector<int>(7, 20), 100, true, true, 2, {}},
      {"a taller client: the items now fit", 5, std::vector<int>(10, 20), 200, true, false, 0, {}},
      {"items removed until they fit", 4, std::vector<int>(5, 20), 100, true, false, 0, {}},
      {"an item grown", 1, {20, 20, 40, 20, 20, 20, 20, 20, 20, 20}, 100, true, true, 1, {0, 60, kWidth, 100}},
  };
  for (const Case& c : cases) {
    PopupScroll s = scrolled_down(std::vector<int>(10, 20), 100, c.from);
    s.relayout(c.heights, c.client, c.must_scroll);
    EXPECT_EQ(s.scrolling(), c.scrolling) << c.name;
    EXPECT_EQ(s.first(), c.first) << c.name;
    EXPECT_EQ(s.bottom_area(kWidth), c.bottom) << c.name;
  }
}

// A client shorter than the two areas: they share it, half each, so a click
// is never in both; nothing is in view.
TEST(PopupScroll, AreasShareAClientShorterThanBoth) {
  const PopupScroll s = scrolled_down({20, 20, 20, 20, 20}, 30, 1);
  expect_shown(s, 5, {1, 20, {0, 0, kWidth, 15}, {0, 15, kWidth, 30}, -1, -1}, "client 30");
}

// Heights and client at the int limit: the content moves past INT_MAX, which
// offset() reports clamped, and the areas stay inside the client.
TEST(PopupScroll, SizesNearTheIntLimitDoNotOverflow) {
  PopupScroll s({kMax, kMax, kMax}, kMax, true);
  expect_shown(s, 3, {0, 0, {}, {0, 0, kWidth, kMax}, -1, -1}, "first position");
  ASSERT_TRUE(s.scroll_down());
  ASSERT_TRUE(s.scroll_down());
  EXPECT_FALSE(s.scroll_down());
  expect_shown(s, 3, {2, kMax, {0, 0, kWidth, kMax}, {}, -1, -1}, "last position");
  const std::vector<Rect> items{{0, 0, kWidth, kMax}};
  EXPECT_EQ(s.hit({10, 10}, items, kWidth), (Hit{Spot::top_area, -1}));
}

}  // namespace
}  // namespace mz::menus
