// Full, fitted and minimum lengths, thickness and grab handles of docked
// toolbars.
#include "toolbar_extents.h"

#include <gtest/gtest.h>

#include "bar_builders.h"

namespace mz {
namespace {

using test::bar;
using test::kept;
using test::sep;
using test::style97;
using test::tool;

constexpr Orientation kV = Orientation::vertical;

TEST(ToolbarExtents, GrabHandle) {
  struct Case {
    bool floating, handles, floatable;
    int expected;
  } cases[] = {
      {true, true, true, 3}, {false, false, true, 3}, {false, true, true, 10}, {false, true, false, 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(grab_width(c.floating, c.handles, c.floatable), c.expected)
        << c.floating << c.handles << c.floatable;
}

struct LengthCase {
  const char* name;
  ToolbarInput bar;
  int expected;
};

TEST(ToolbarExtents, FullLength) {
  BarShape menu_bar{.menu_bar = true};
  BarShape menu_column{.orientation = kV, .menu_bar = true};
  const LengthCase cases[] = {
      {"grab + 2 + tools + 2", bar({tool(), tool(), sep(), tool()}), 7 + 2 + 2 + 66 + 6},
      {"empty toolbar: 22 for the tools", bar({}), 7 + 2 + 22},
      {"empty menu bar: 16", bar({}, menu_bar), 7 + 2 + 16},
      {"empty vertical menu bar: 14", bar({}, menu_column), 7 + 2 + 14},
      {"only separators count as empty", bar({sep(), sep()}), 7 + 2 + 22},
      {"separators first, last or doubled take no room", bar({sep(), tool(), sep(), sep(), tool(), sep()}),
       7 + 2 + 2 + 22 + 6 + 22},
      {"More Tools button", bar({tool(), tool()}, {.more_tools = true}), 7 + 2 + 2 + 44 + 11},
      {"More Tools button, large icons", bar({tool(), tool()}, {.large_icons = true, .more_tools = true}),
       7 + 2 + 2 + 44 + 20},
      {"vertical: heights", bar({tool(22, 22, kV), tool(30, 22, kV)}, {.orientation = kV}), 7 + 2 + 2 + 52},
  };
  for (const LengthCase& c : cases) EXPECT_EQ(full_length(c.bar), c.expected) << c.name;
}

TEST(ToolbarExtents, Thickness) {
  const LengthCase cases[] = {
      {"thickest tool + 4", bar({tool(22, 22), tool(40, 30)}), 34},
      {"vertical: widest tool + 4", bar({tool(22, 22, kV), tool(30, 40, kV)}, {.orientation = kV}), 44},
      {"empty: as thick as a picture tool", bar({}), 26},
      {"empty, 32-pixel pictures", bar({}, {.picture_size = 32}), 42},
      {"separators alone are empty", bar({sep()}), 26},
  };
  for (const LengthCase& c : cases) EXPECT_EQ(thickness(c.bar), c.expected) << c.name;
}

struct FittedCase {
  const char* name;
  ToolbarInput bar;
  int space;
  int expected;
};

TEST(ToolbarExtents, FittedLength) {
  // full length of the five-tool bars below: 7 + 2 + 2 + 4 * 22 + 6 = 105
  BarShape customizing97 = style97();
  customizing97.customizing = true;
  const FittedCase cases[] = {
      {"97, nothing keeps its place: first tool + 12 + 2", bar({tool(), tool(), sep(), tool(), tool()}, style97()),
       0, 7 + 2 + 22 + 14},
      {"97: the tools that keep their place", bar({kept(), kept(), sep(), tool(), tool()}, style97()), 0,
       7 + 2 + 44 + 14},
      {"97: separators between kept tools count, others do not",
       bar({kept(), tool(), sep(), kept(), tool(), sep()}, style97()), 0, 7 + 2 + 22 + 6 + 22 + 14},
      {"97 customizing: every tool, no chevron", bar({tool(), tool(), sep(), tool(), tool()}, customizing97), 0, 105},
      {"97: never longer than the full length", bar({tool()}, style97()), 0, 7 + 2 + 2 + 22},
      {"2000: leading tools that fit after the allowance", bar({tool(), tool(), sep(), tool(), tool()}), 70,
       7 + 2 + 13 + 44},
      {"2000: ample space gives the full length", bar({tool(), tool(), sep(), tool(), tool()}), 200, 105},
      {"2000: no space, only the allowance", bar({tool(), tool()}), 0, 7 + 2 + 13},
      {"2000, large icons: 20-pixel allowance", bar({tool(), tool(), sep(), tool()}, {.large_icons = true}), 70,
       7 + 2 + 22 + 22},
      {"2000 vertical: the same allowance; the separator where the overflow starts does not count",
       bar({tool(22, 22, kV), tool(22, 22, kV), sep(kV), tool(22, 22, kV)}, {.orientation = kV}), 70,
       7 + 2 + 13 + 22 + 22},
      {"2000: the separator where the overflow starts does not count", bar({tool(), tool(), sep(), tool()}), 75,
       7 + 2 + 13 + 44},
      {"2000: a separator counts when a tool after it fits", bar({tool(), sep(), tool(), tool()}), 80,
       7 + 2 + 13 + 22 + 6 + 22},
      {"2000 menu bar fits like 97", bar({kept(), kept(), tool()}, {.menu_bar = true}), 0, 7 + 2 + 44 + 14},
  };
  for (const FittedCase& c : cases) EXPECT_EQ(fitted_length(c.bar, c.space), c.expected) << c.name;
}

TEST(ToolbarExtents, LengthInItsBand) {
  const std::vector<BarTool> tools = {tool(), tool()};
  const LengthCase cases[] = {
      {"a toolbar takes its full length", bar(tools), 7 + 2 + 2 + 44},
      {"a stretched toolbar spans the row", bar(tools, {.stretched = true}), 500},
      {"a stretched toolbar spans the column", bar(tools, {.orientation = kV, .stretched = true}), 500},
      {"the menu bar spans the row", bar(tools, {.menu_bar = true}), 500},
      {"the menu bar in a column takes its full length", bar(tools, {.orientation = kV, .menu_bar = true}),
       7 + 2 + 2 + 44},
  };
  for (const LengthCase& c : cases) EXPECT_EQ(band_length(c.bar, 500), c.expected) << c.name;
}

TEST(ToolbarExtents, MinimumLength) {
  const std::vector<BarTool> long_bar = {sep(), tool(30), tool(), tool(), tool(), tool(), tool()};
  BarShape customizing{.customizing = true};
  const LengthCase cases[] = {
      {"2000: grab + first tool + 42", bar(long_bar, {.grab = 10}), 10 + 30 + 42},
      {"2000: never more than the full length", bar({tool(30)}), 7 + 2 + 2 + 30},
      {"2000, no tools: the full length", bar({sep()}), 7 + 2 + 22},
      {"97: the full length", bar(long_bar, style97()), 7 + 2 + 2 + 30 + 5 * 22},
      {"menu bar: the full length", bar(long_bar, {.menu_bar = true}), 7 + 2 + 2 + 30 + 5 * 22},
      {"customizing: the full length", bar(long_bar, customizing), 7 + 2 + 2 + 30 + 5 * 22},
  };
  for (const LengthCase& c : cases) EXPECT_EQ(minimum_length(c.bar), c.expected) << c.name;
}

}  // namespace
}  // namespace mz
