// Tool placement in one docked toolbar: one line, overflow in both styles,
// wrapping, separators and the More Tools button, in rows and columns.
#include "tool_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

#include "bar_builders.h"
#include "toolbar_extents.h"

namespace mz {

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

using test::bar;
using test::kept;
using test::sep;
using test::style97;
using test::tool;

constexpr Orientation kV = Orientation::vertical;

// What the table expects of one tool: its rectangle when shown, else its fate.
struct Spot {
  Rect rect;
  ToolFate fate = ToolFate::shown;
  int line_length = 0;
};
constexpr Spot kHidden{{}, ToolFate::hidden};
constexpr Spot kOverflow{{}, ToolFate::overflow};
Spot at(int left, int top, int right, int bottom) { return {{left, top, right, bottom}}; }
Spot line_break(int left, int top, int right, int bottom) { return {{left, top, right, bottom}, ToolFate::shown, right - left}; }
Spot column_break(int left, int top, int right, int bottom) {
  return {{left, top, right, bottom}, ToolFate::shown, bottom - top};
}

struct PlacementCase {
  const char* name;
  ToolbarInput bar;
  Rect bounds;
  std::vector<Spot> expected;
  bool compressed;
  int lines;
  int thickness;
  std::optional<Rect> more_tools = std::nullopt;
};

BarShape customizing(BarShape shape) {
  shape.customizing = true;
  return shape;
}

// Grab handle 7 throughout: tools start 8 pixels into the toolbar.
const PlacementCase kCases[] = {
    {"all fit: one line, centred",
     bar({tool(), tool(), sep(), tool()}),
     {0, 0, 83, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), at(52, 2, 58, 24), at(58, 2, 80, 24)},
     false, 1, 26},
    {"separators never first, last or doubled",
     bar({sep(), tool(), sep(), sep(), tool(), sep()}),
     {0, 0, 200, 26},
     {kHidden, at(8, 2, 30, 24), at(30, 2, 36, 24), kHidden, at(36, 2, 58, 24), kHidden},
     false, 1, 26},
    {"a thicker rectangle centres the line",
     bar({tool(22, 22), tool(22, 30)}),
     {0, 0, 100, 40},
     {at(8, 9, 30, 31), at(30, 5, 52, 35)},
     false, 1, 40},
    {"empty toolbar",
     bar({}),
     {0, 0, 31, 26},
     {},
     false, 1, 26},
    {"2000 squeezed: leading tools that fit, the rest in overflow",
     bar({tool(), tool(), tool(), tool(), tool()}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), kOverflow, kOverflow, kOverflow},
     true, 1, 26},
    {"asking for the More Tools button without showing it leaves a 2-pixel reserve instead of the chevron",
     bar({tool(), tool(), tool(), tool(), tool()}, {.style = DeckStyle::office97, .display_more_tools = true}),
     {0, 0, 76, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), at(52, 2, 74, 24), kOverflow, kOverflow},
     true, 1, 26},
    {"the chevron takes 12 pixels",
     bar({tool(), tool(), tool(), tool(), tool()}, style97()),
     {0, 0, 76, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), kOverflow, kOverflow, kOverflow},
     true, 1, 26},
    {"2000: every tool after the first misfit goes into overflow",
     bar({tool(22), tool(40), tool(10)}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), kOverflow, kOverflow},
     true, 1, 26},
    {"97 squeezed: overflow from the end, tools that keep their place stay",
     bar({kept(), tool(), tool(), tool(), kept()}, style97()),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), kOverflow, kOverflow, kOverflow, at(30, 2, 52, 24)},
     true, 1, 26},
    {"97: a separator left without its group goes into overflow",
     bar({tool(), tool(), sep(), tool(), tool()}, style97()),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), kOverflow, kOverflow, kOverflow},
     true, 1, 26},
    {"2000: the same separator goes with its group",
     bar({tool(), tool(), sep(), tool(), tool()}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), kOverflow, kOverflow, kOverflow},
     true, 1, 26},
    {"97: a separator that would come first goes into overflow",
     bar({tool(), sep(), kept()}, style97()),
     {0, 0, 40, 26},
     {kOverflow, kOverflow, at(8, 2, 30, 24)},
     true, 1, 26},
    {"2000: a separator that would come first goes into overflow",
     bar({tool(60), sep(), kept()}),
     {0, 0, 70, 26},
     {kOverflow, kOverflow, at(8, 2, 30, 24)},
     true, 1, 26},
    {"97: a tool too long for the toolbar still shows when nothing else would",
     bar({tool(100), tool()}, style97()),
     {0, 0, 70, 26},
     {at(8, 2, 108, 24), kOverflow},
     true, 1, 26},
    {"all AutoWrap, 97: wraps instead of overflowing",
     bar({kept(), kept(), kept(), kept(), kept()}, style97()),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), at(8, 28, 30, 50), at(30, 28, 52, 50), at(8, 54, 30, 76)},
     false, 3, 78},
    {"all AutoWrap, 2000: wraps too",
     bar({kept(), kept(), kept(), kept(), kept()}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), at(8, 28, 30, 50), at(30, 28, 52, 50), at(8, 54, 30, 76)},
     false, 3, 78},
    {"customizing: nothing goes into overflow, the toolbar wraps",
     bar({tool(), tool(), tool(), tool(), tool()}, customizing({})),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), at(8, 28, 30, 50), at(30, 28, 52, 50), at(8, 54, 30, 76)},
     false, 3, 78},
    {"97 too short even for its kept tools: the rest overflow, the kept wrap before the chevron",
     bar({kept(), kept(), kept(), tool(), tool()}, style97()),
     {0, 0, 50, 26},
     {at(8, 2, 30, 24), at(8, 28, 30, 50), at(8, 54, 30, 76), kOverflow, kOverflow},
     true, 3, 78},
    {"2000: kept tools after the overflow wrap before the chevron",
     bar({kept(), tool(), tool(), tool(), kept()}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), kOverflow, kOverflow, at(8, 28, 30, 50)},
     true, 2, 52},
    {"menu bar in 2000 style overflows from the end like 97",
     bar({kept(), tool(), tool(), tool(), kept()}, {.menu_bar = true}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), kOverflow, kOverflow, kOverflow, at(30, 2, 52, 24)},
     true, 1, 26},
    {"wrapping at a separator: it lies between the lines, as long as its line",
     bar({kept(), kept(), sep(), kept(), kept()}, style97()),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), line_break(8, 24, 52, 28), at(8, 28, 30, 50), at(30, 28, 52, 50)},
     false, 2, 52},
    {"a separator never ends a line: it breaks it when its group would not fit after it",
     bar({kept(), sep(), kept()}, style97()),
     {0, 0, 57, 26},
     {at(8, 2, 30, 24), line_break(8, 24, 30, 28), at(8, 28, 30, 50)},
     false, 2, 52},
    {"a window longer than its line is narrowed to it; other tools are not",
     bar({test::window(100), kept(100)}, style97()),
     {0, 0, 70, 26},
     {at(8, 2, 70, 17), at(8, 21, 108, 43)},
     false, 2, 45},
    {"wrapped lines each as thick as their thickest tool + 4",
     bar({kept(22, 22), kept(22, 30), kept(22, 22)}, style97()),
     {0, 0, 60, 26},
     {at(8, 6, 30, 28), at(30, 2, 52, 32), at(8, 36, 30, 58)},
     false, 2, 60},
    {"More Tools button at the far end",
     bar({tool(), tool()}, {.more_tools = true}),
     {0, 0, 66, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24)},
     false, 1, 26, Rect{53, 2, 64, 24}},
    {"More Tools button never goes into overflow",
     bar({tool(), tool(), tool(), tool(), tool()}, {.more_tools = true}),
     {0, 0, 70, 26},
     {at(8, 2, 30, 24), at(30, 2, 52, 24), kOverflow, kOverflow, kOverflow},
     true, 1, 26, Rect{57, 2, 68, 24}},
    {"More Tools button on an empty toolbar",
     bar({}, {.more_tools = true}),
     {0, 0, 31, 26},
     {},
     false, 1, 26, Rect{18, 2, 29, 24}},
    {"vertical: one column",
     bar({tool(22, 22, kV), tool(22, 22, kV)}, {.orientation = kV}),
     {0, 0, 26, 60},
     {at(2, 8, 24, 30), at(2, 30, 24, 52)},
     false, 1, 26},
    {"vertical 2000 squeezed",
     bar({tool(22, 22, kV), tool(22, 22, kV), tool(22, 22, kV), tool(22, 22, kV)}, {.orientation = kV}),
     {0, 0, 26, 70},
     {at(2, 8, 24, 30), at(2, 30, 24, 52), kOverflow, kOverflow},
     true, 1, 26},
    {"vertical, all AutoWrap: wraps into columns at a separator",
     bar({kept(22, 22, kV), kept(22, 22, kV), sep(kV), kept(22, 22, kV), kept(22, 22, kV)},
         {.orientation = kV, .style = DeckStyle::office97}),
     {0, 0, 26, 70},
     {at(2, 8, 24, 30), at(2, 30, 24, 52), column_break(24, 8, 28, 52), at(28, 8, 50, 30), at(28, 30, 50, 52)},
     false, 2, 52},
};

TEST(ToolPlacement, Table) {
  for (const PlacementCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const Placement placement = place_tools(c.bar, c.bounds);
    ASSERT_EQ(placement.tools.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i) {
      const ToolSpot& got = placement.tools[i];
      EXPECT_EQ(got.fate, c.expected[i].fate) << "tool " << i;
      if (got.fate == ToolFate::shown && c.expected[i].fate == ToolFate::shown) {
        EXPECT_EQ(got.rect, c.expected[i].rect) << "tool " << i;
        EXPECT_EQ(got.line_length, c.expected[i].line_length) << "tool " << i;
      }
    }
    EXPECT_EQ(placement.compressed, c.compressed);
    EXPECT_EQ(placement.lines, c.lines);
    EXPECT_EQ(placement.thickness, c.thickness);
    EXPECT_EQ(placement.more_tools, c.more_tools);
  }
}

// The dock areas give a 2000-style toolbar its fitted length for the space
// it has; placed in that length it shows just the tools the length counted.
TEST(ToolPlacement, FittedLengthShowsTheToolsItCounted) {
  const std::vector<BarTool> tools = {tool(), tool(30), sep(), tool(), sep(), tool(40), tool(), sep(), tool()};
  for (Orientation o : {Orientation::horizontal, kV}) {
    std::vector<BarTool> oriented;
    for (const BarTool& t : tools) {
      BarTool turned = t;
      if (o == kV) turned.size = {t.size.height, t.size.width};
      oriented.push_back(turned);
    }
    for (bool more_tools : {false, true}) {
      const ToolbarInput input = bar(oriented, {.orientation = o, .more_tools = more_tools});
      for (int space = 40; space < full_length(input); space += 3) {
        SCOPED_TRACE(testing::Message() << "space " << space << (o == kV ? " vertical" : "")
                                        << (more_tools ? " with More Tools" : ""));
        const int fitted = fitted_length(input, space);
        ASSERT_LE(fitted, space);
        const Placement placement = place_tools(input, rect_at({0, 0}, oriented_size(o, fitted, 26)));
        int shown = 0;
        for (size_t i = 0; i < tools.size(); ++i)
          if (placement.tools[i].fate == ToolFate::shown) shown += pick(o, input.tools[i].size);
        EXPECT_EQ(shown, fitted - 7 - 2 - 13);
        EXPECT_EQ(placement.lines, 1);
      }
    }
  }
}

}  // namespace
}  // namespace mz
