// What toolbars and tools look like per state and style: grab bars,
// chevrons, frames, checkerboards, arrows, separators, image and caption
// rectangles and the layers of the caption effects.
#include "paint_plan.h"

#include "bar_builders.h"
#include "tool_placement.h"
#include "toolbar_extents.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace mz::paint {
namespace {

constexpr Orientation kH = Orientation::horizontal;
constexpr Orientation kV = Orientation::vertical;
constexpr Size kCaption{40, 15};
constexpr Size kPicture16{16, 16};

}  // namespace

// Readable failures.
void PrintTo(const Edge& e, std::ostream* os) {
  static constexpr const char* kKinds[] = {"raised inner", "raised outer", "sunken outer"};
  *os << kKinds[static_cast<int>(e.kind)] << " {" << e.rect.left << "," << e.rect.top << ","
      << e.rect.right << "," << e.rect.bottom << "} sides " << int(e.sides);
}
void PrintTo(const Shape& s, std::ostream* os) {
  *os << "role " << int(s.role) << (s.filled ? " filled" : " line");
  for (const Point& p : s.points) *os << " (" << p.x << "," << p.y << ")";
}
void PrintTo(const TextLayer& l, std::ostream* os) {
  *os << "ink " << int(l.ink) << " at (" << l.offset.x << "," << l.offset.y << ")";
}

namespace {

Edge raised(Rect r, Sides sides = kAllSides) { return {r, EdgeKind::raised_inner, sides}; }
Edge sunken(Rect r, Sides sides = kAllSides) { return {r, EdgeKind::sunken_outer, sides}; }

// ---- Toolbar frame ----

struct GrabCase {
  const char* name;
  Rect rect;
  Orientation orientation;
  DeckStyle style;
  bool floatable;
  bool display_grab_handles;
  std::vector<Edge> grab;
};

TEST(PaintPlanBar, GrabBarsPerStyle) {
  constexpr Rect kRow{0, 0, 100, 26};
  constexpr Rect kColumn{0, 0, 26, 100};
  constexpr Sides kTRB = kTop | kRight | kBottom;
  const GrabCase cases[] = {
      {"97, floatable: two bars", kRow, kH, DeckStyle::office97, true, true,
       {raised({4, 2, 7, 24}, kTRB), raised({4, 2, 7, 24}, kLeft), raised({7, 2, 10, 24}, kTRB),
        raised({7, 2, 10, 24}, kLeft)}},
      {"2000, floatable: one bar", kRow, kH, DeckStyle::office2000, true, true,
       {raised({4, 2, 7, 24}, kTRB), raised({4, 2, 7, 24}, kLeft)}},
      {"97, not floatable: one bar", kRow, kH, DeckStyle::office97, false, true,
       {raised({4, 2, 7, 24}, kTRB), raised({4, 2, 7, 24}, kLeft)}},
      {"97, vertical, floatable: bars across, the second lower", kColumn, kV, DeckStyle::office97, true, true,
       {raised({2, 4, 24, 7}, kTRB), raised({2, 4, 24, 7}, kLeft), raised({2, 7, 24, 10}, kTRB),
        raised({2, 7, 24, 10}, kLeft)}},
      {"2000, vertical", kColumn, kV, DeckStyle::office2000, true, true,
       {raised({2, 4, 24, 7}, kTRB), raised({2, 4, 24, 7}, kLeft)}},
      {"no grab handles", kRow, kH, DeckStyle::office97, true, false, {}},
  };
  for (const GrabCase& c : cases) {
    SCOPED_TRACE(c.name);
    const BarFramePlan plan = plan_bar_frame({.rect = c.rect,
                                              .orientation = c.orientation,
                                              .style = c.style,
                                              .display_grab_handles = c.display_grab_handles,
                                              .floatable = c.floatable});
    EXPECT_EQ(plan.border, raised(c.rect));
    EXPECT_EQ(plan.grab, c.grab);
    EXPECT_TRUE(plan.chevron.empty());
  }
}

// A floatable toolbar draws two grab bars in the 97 style and one in the
// 2000 style, but its first tool starts at the same place in both.
TEST(PaintPlanBar, FirstToolStartsAtTheSameXWithOneOrTwoGrabBars) {
  constexpr Rect kRect{0, 0, 200, 26};
  int first_tool_left[2] = {};
  std::size_t grab_edges[2] = {};
  const DeckStyle styles[] = {DeckStyle::office97, DeckStyle::office2000};
  for (int i = 0; i < 2; ++i) {
    const BarShape shape{.style = styles[i], .grab = grab_width(false, true, true)};
    const Placement placement = place_tools(test::bar({test::tool(), test::tool()}, shape), kRect);
    first_tool_left[i] = placement.tools[0].rect.left;
    grab_edges[i] = plan_bar_frame({.rect = kRect, .style = styles[i], .floatable = true}).grab.size();
  }
  EXPECT_EQ(first_tool_left[0], first_tool_left[1]);
  EXPECT_EQ(grab_edges[0], 4u);  // two bars of two edges each
  EXPECT_EQ(grab_edges[1], 2u);
  // Both bars end before the first tool.
  const BarFramePlan plan97 = plan_bar_frame({.rect = kRect, .style = DeckStyle::office97, .floatable = true});
  EXPECT_LE(plan97.grab.back().rect.right, first_tool_left[0]);
}

TEST(PaintPlanBar, FloatingToolbarHasNoFrame) {
  const BarFramePlan plan =
      plan_bar_frame({.rect = {0, 0, 100, 26}, .style = DeckStyle::office97, .floating = true, .compressed = true});
  EXPECT_FALSE(plan.border);
  EXPECT_TRUE(plan.grab.empty());
  EXPECT_TRUE(plan.chevron.empty());
}

TEST(PaintPlanBar, CompressedChevronLines) {
  const auto line = [](Role role, std::vector<Point> points) { return Shape{std::move(points), role, false}; };
  struct Case {
    const char* name;
    Rect rect;
    Orientation orientation;
    std::vector<Shape> chevron;
  };
  const Case cases[] = {
      {"row: two pairs 4 pixels apart", {10, 0, 110, 26}, kH,
       {line(Role::light, {{99, 2}, {102, 5}, {103, 5}, {99, 9}}),
        line(Role::shadow, {{100, 2}, {102, 4}, {102, 5}, {99, 8}}),
        line(Role::light, {{103, 2}, {106, 5}, {107, 5}, {103, 9}}),
        line(Role::shadow, {{104, 2}, {106, 4}, {106, 5}, {103, 8}})}},
      {"column: pairs 4 pixels apart downwards", {0, 10, 26, 110}, kV,
       {line(Role::light, {{17, 99}, {20, 102}, {20, 103}, {24, 99}}),
        line(Role::shadow, {{17, 100}, {19, 102}, {20, 102}, {23, 99}}),
        line(Role::light, {{17, 103}, {20, 106}, {20, 107}, {24, 103}}),
        line(Role::shadow, {{17, 104}, {19, 106}, {20, 106}, {23, 103}})}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BarFrameInput bar{.rect = c.rect, .orientation = c.orientation, .compressed = true};
    EXPECT_EQ(plan_bar_frame(bar).chevron, c.chevron);

    BarFrameInput with_button = bar;
    with_button.display_more_tools_button = true;
    EXPECT_TRUE(plan_bar_frame(with_button).chevron.empty()) << "the More Tools button shows the overflow instead";
    BarFrameInput whole = bar;
    whole.compressed = false;
    EXPECT_TRUE(plan_bar_frame(whole).chevron.empty());
  }
}

// ---- Tools ----

ToolBarLook bar_look(Orientation o = kH, CaptionAlignment alignment = CaptionAlignment::right_of_image,
                     bool large_icons = false) {
  return {.look = {.orientation = o,
                   .picture_size = large_icons ? 32 : 16,
                   .large_icons = large_icons,
                   .caption_alignment = alignment},
          .font3d = Font3D::raised_heavy,
          .bar = {0, 0, 300, 40}};
}

ToolPaintInput tool_at(ToolType type, Rect rect, ToolState state = {}, uint8_t display_style = 0) {
  return {.type = type, .display_style = display_style, .rect = rect, .state = state, .caption = kCaption,
          .picture = kPicture16};
}

struct FrameCase {
  const char* name;
  ToolType type;
  Rect rect;
  ToolState state;
  std::vector<Edge> frames;
};

TEST(PaintPlanTool, ButtonFramesPerState) {
  using T = ToolType;
  constexpr Rect kButton{0, 0, 22, 22};
  constexpr Rect kDrop{0, 0, 31, 22};
  constexpr Rect kDropMain{0, 0, 22, 22};
  constexpr Rect kDropArrow{22, 0, 31, 22};
  constexpr Rect kMenu{0, 0, 57, 21};
  const FrameCase cases[] = {
      {"normal: no frame", T::button, kButton, {}, {}},
      {"hot: raised", T::button, kButton, {.hot = true}, {raised(kButton)}},
      {"pressed: sunken", T::button, kButton, {.hot = true, .pressed = true}, {sunken(kButton)}},
      {"checked: sunken", T::state_button, kButton, {.state_checked = true}, {sunken(kButton)}},
      {"hot checked: sunken", T::state_button, kButton, {.hot = true, .state_checked = true}, {sunken(kButton)}},
      {"a plain button is never checked", T::button, kButton, {.state_checked = true}, {}},
      {"disabled hot: no frame", T::button, kButton, {.hot = true, .enabled = false}, {}},
      {"disabled pressed: no frame", T::button, kButton, {.hot = true, .pressed = true, .enabled = false}, {}},
      {"disabled checked: sunken", T::state_button, kButton, {.state_checked = true, .enabled = false},
       {sunken(kButton)}},
      {"label: never framed", T::label, kButton, {.hot = true, .pressed = true}, {}},
      {"customizer: a press does not show", T::button, kButton, {.hot = true, .pressed = true, .customizing = true},
       {raised(kButton)}},
      {"dropdown, normal: no frame", T::drop_down, kDrop, {}, {}},
      {"dropdown, hot: both parts raised", T::drop_down, kDrop, {.hot = true},
       {raised(kDropMain), raised(kDropArrow)}},
      {"dropdown, dropped: arrow sunken", T::drop_down, kDrop, {.dropped = true}, {sunken(kDropArrow)}},
      {"dropdown, pressed on the arrow", T::drop_down, kDrop, {.hot = true, .pressed = true, .on_arrow = true},
       {raised(kDropMain), sunken(kDropArrow)}},
      {"dropdown, pressed on the main part", T::drop_down, kDrop, {.hot = true, .pressed = true},
       {sunken(kDropMain), raised(kDropArrow)}},
      {"dropdown state, checked and hot", T::drop_down_state, kDrop, {.hot = true, .state_checked = true},
       {sunken(kDropMain), raised(kDropArrow)}},
      {"menu tool, hot: raised", T::menu, kMenu, {.hot = true}, {raised(kMenu)}},
      {"menu tool, open: sunken", T::menu, kMenu, {.dropped = true}, {sunken(kMenu)}},
      {"menu tool, pressed but not open: raised", T::menu, kMenu, {.hot = true, .pressed = true}, {raised(kMenu)}},
      {"menu tool, hot in the customizer: no frame", T::menu, kMenu, {.hot = true, .customizing = true}, {}},
      {"menu tool, hot and disabled: no frame", T::menu, kMenu, {.hot = true, .enabled = false}, {}},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolPlan plan = plan_tool(tool_at(c.type, c.rect, c.state), bar_look());
    EXPECT_EQ(plan.frames, c.frames);
    EXPECT_TRUE(plan.black_frames.empty());
  }

  // With large icons the arrow part is 19 pixels.
  const ToolPlan large = plan_tool(tool_at(T::drop_down, {0, 0, 57, 38}, {.hot = true}),
                                   bar_look(kH, CaptionAlignment::right_of_image, true));
  EXPECT_EQ(large.frames, (std::vector<Edge>{raised({0, 0, 38, 38}), raised({38, 0, 57, 38})}));
}

TEST(PaintPlanTool, CustomizerSelectionIsTwoBlackFrames) {
  const Rect r{10, 2, 32, 24};
  const ToolPlan plan = plan_tool(
      tool_at(ToolType::state_button, r, {.hot = true, .state_checked = true, .customizing = true, .selected_in_customizer = true}),
      bar_look());
  EXPECT_EQ(plan.black_frames, (std::vector<Rect>{r, {11, 3, 31, 23}}));
  EXPECT_TRUE(plan.frames.empty());
}

TEST(PaintPlanTool, WindowToolsOfARowDrawTheirOwnFrame) {
  for (ToolType type : {ToolType::combo_box, ToolType::edit}) {
    const ToolPlan row = plan_tool(tool_at(type, {0, 0, 79, 15}, {.hot = true, .pressed = true}), bar_look());
    EXPECT_TRUE(row.own_window);
    EXPECT_TRUE(row.frames.empty());
    EXPECT_FALSE(row.image);

    // Down a column they are drawn as buttons.
    const ToolPlan column = plan_tool(tool_at(type, {0, 0, 22, 22}, {.hot = true}), bar_look(kV));
    EXPECT_FALSE(column.own_window);
    EXPECT_EQ(column.frames, std::vector<Edge>{raised({0, 0, 22, 22})});
  }
}

// The checkerboard is counted from the dock area's origin: a region that
// starts at an odd or an even position continues the same pattern.
TEST(PaintPlanTool, CheckerboardAlignsAcrossButtons) {
  const ToolBarLook bar = bar_look();
  const ToolPlan first = plan_tool(tool_at(ToolType::state_button, {3, 2, 25, 24}, {.state_checked = true}), bar);
  const ToolPlan second = plan_tool(tool_at(ToolType::state_button, {25, 2, 47, 24}, {.state_checked = true}), bar);
  ASSERT_TRUE(first.checkerboard);
  ASSERT_TRUE(second.checkerboard);
  EXPECT_EQ(*first.checkerboard, (Rect{4, 3, 24, 23}));
  EXPECT_EQ(*second.checkerboard, (Rect{26, 3, 46, 23}));

  // Along one row of the area the set pixels alternate without a break at
  // the boundary between the two buttons.
  const int y = 5;
  std::vector<int> set_columns;
  for (const Rect& region : {*first.checkerboard, *second.checkerboard})
    for (int x = region.left; x < region.right; ++x)
      if (checker_pixel({x, y})) set_columns.push_back(x);
  ASSERT_FALSE(set_columns.empty());
  for (int x : set_columns) EXPECT_EQ(x % 2, 1) << x;
  EXPECT_EQ(set_columns.size(), 20u);

  // Diagonal neighbours match, direct neighbours differ.
  EXPECT_TRUE(checker_pixel({0, 0}));
  EXPECT_TRUE(checker_pixel({1, 1}));
  EXPECT_FALSE(checker_pixel({1, 0}));
  EXPECT_FALSE(checker_pixel({0, 1}));
}

TEST(PaintPlanTool, CheckerboardRegionAndWhenItShows) {
  using T = ToolType;
  struct Case {
    const char* name;
    ToolType type;
    Rect rect;
    ToolState state;
    bool large_icons;
    std::optional<Rect> region;
  };
  const Case cases[] = {
      {"checked", T::state_button, {0, 0, 22, 22}, {.state_checked = true}, false, Rect{1, 1, 21, 21}},
      {"hot checked: sunken, but plain", T::state_button, {0, 0, 22, 22}, {.hot = true, .state_checked = true}, false,
       std::nullopt},
      {"disabled checked: plain", T::state_button, {0, 0, 22, 22}, {.state_checked = true, .enabled = false}, false,
       std::nullopt},
      {"dropdown state: without the 9-pixel arrow part", T::drop_down_state, {0, 0, 31, 22}, {.state_checked = true},
       false, Rect{1, 1, 21, 21}},
      {"dropdown state, large icons: without 20 pixels", T::drop_down_state, {0, 0, 57, 38}, {.state_checked = true},
       true, Rect{1, 1, 36, 37}},
      {"huge but countable", T::state_button, {0, 0, 40000, 40000}, {.state_checked = true}, false,
       Rect{1, 1, 39999, 39999}},
      {"pixel count beyond int: not drawn", T::state_button, {0, 0, 70000, 70000}, {.state_checked = true}, false,
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(plan_tool(tool_at(c.type, c.rect, c.state), bar_look(kH, CaptionAlignment::right_of_image, c.large_icons))
                  .checkerboard,
              c.region);
  }
}

TEST(PaintPlanTool, HotCheckedButtonIsSunkenWithoutCheckerboard) {
  const ToolPlan plan =
      plan_tool(tool_at(ToolType::state_button, {0, 0, 22, 22}, {.hot = true, .state_checked = true}), bar_look());
  EXPECT_EQ(plan.frames, std::vector<Edge>{sunken({0, 0, 22, 22})});
  EXPECT_FALSE(plan.checkerboard);
  ASSERT_TRUE(plan.image);
  EXPECT_EQ(plan.image->box, (Rect{3, 3, 21, 21})) << "checked content moves 1 pixel down-right";
}

TEST(PaintPlanTool, DropDownArrowGeometry) {
  const auto filled = [](Role role, Point a, Point b, Point c) { return Shape{{a, b, c}, role, true}; };
  struct Case {
    const char* name;
    ToolType type;
    Rect rect;
    Orientation orientation;
    bool large_icons;
    bool enabled;
    std::vector<Shape> arrows;
  };
  const Case cases[] = {
      {"small, enabled: black", ToolType::drop_down, {10, 4, 41, 26}, kH, false, true,
       {filled(Role::black, {34, 13}, {38, 13}, {36, 15})}},
      {"small, disabled: embossed", ToolType::drop_down_state, {10, 4, 41, 26}, kH, false, false,
       {filled(Role::highlight, {35, 14}, {39, 14}, {37, 16}), filled(Role::shadow, {34, 13}, {38, 13}, {36, 15})}},
      {"large icons: 16 x 8, 3 pixels higher", ToolType::drop_down, {0, 0, 57, 38}, kH, true, true,
       {filled(Role::black, {39, 14}, {55, 14}, {47, 22})}},
      {"menu tool of a row: points down", ToolType::menu, {0, 0, 57, 21}, kH, false, true,
       {filled(Role::button_text, {50, 14}, {54, 14}, {52, 16})}},
      {"menu tool of a column: points right", ToolType::menu, {0, 0, 22, 68}, kV, false, true,
       {filled(Role::button_text, {17, 61}, {17, 65}, {19, 63})}},
      {"button: none", ToolType::button, {0, 0, 22, 22}, kH, false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolPlan plan = plan_tool(tool_at(c.type, c.rect, {.enabled = c.enabled}),
                                    bar_look(c.orientation, CaptionAlignment::right_of_image, c.large_icons));
    EXPECT_EQ(plan.arrows, c.arrows);
  }
}

TEST(PaintPlanTool, MenuToolOnTheMenuBarHasNoArrow) {
  ToolBarLook bar = bar_look();
  bar.look.menu_bar = true;
  EXPECT_TRUE(plan_tool(tool_at(ToolType::menu, {0, 0, 48, 19}, {.hot = true}), bar).arrows.empty());
}

struct PlaceCase {
  const char* name;
  ToolType type;
  uint8_t display_style;
  Rect rect;
  Orientation orientation;
  CaptionAlignment alignment;
  ToolState state;
  std::optional<Rect> box;
  std::optional<Rect> caption;
};

// Tool rectangles are the sizes tool_metrics gives for a 16-pixel picture
// and a 40 x 15 caption.
TEST(PaintPlanTool, ImageAndCaptionPlacement) {
  using A = CaptionAlignment;
  using T = ToolType;
  const PlaceCase cases[] = {
      {"image only: box centred", T::button, 0, {0, 0, 22, 22}, kH, A::right_of_image, {}, Rect{2, 2, 20, 20},
       std::nullopt},
      {"text only: caption centred", T::button, 1, {0, 0, 46, 21}, kH, A::right_of_image, {}, std::nullopt,
       Rect{3, 3, 43, 18}},
      {"label by default: text only", T::label, 0, {0, 0, 46, 21}, kH, A::right_of_image, {}, std::nullopt,
       Rect{3, 3, 43, 18}},
      {"text only in menus: image on a toolbar", T::button, 2, {0, 0, 22, 22}, kH, A::right_of_image, {},
       Rect{2, 2, 20, 20}, std::nullopt},
      {"menu tool: text only, arrow part left out", T::menu, 3, {0, 0, 57, 21}, kH, A::right_of_image, {},
       std::nullopt, Rect{4, 3, 44, 18}},
      {"caption right of the image", T::button, 3, {0, 0, 68, 22}, kH, A::right_of_image, {}, Rect{3, 2, 21, 20},
       Rect{25, 3, 65, 18}},
      {"caption left of the image", T::button, 3, {0, 0, 68, 22}, kH, A::left_of_image, {}, Rect{47, 2, 65, 20},
       Rect{3, 3, 43, 18}},
      {"caption above the image", T::button, 3, {0, 0, 46, 43}, kH, A::top_of_image, {}, Rect{14, 22, 32, 40},
       Rect{3, 3, 43, 18}},
      {"caption below the image", T::button, 3, {0, 0, 46, 43}, kH, A::bottom_of_image, {}, Rect{14, 3, 32, 21},
       Rect{3, 25, 43, 40}},
      {"dropdown: centred without its arrow part", T::drop_down, 0, {0, 0, 31, 22}, kH, A::right_of_image, {},
       Rect{2, 2, 20, 20}, std::nullopt},
      {"widened tool: caption stays centred", T::button, 3, {0, 0, 80, 43}, kH, A::bottom_of_image, {},
       Rect{31, 3, 49, 21}, Rect{20, 25, 60, 40}},
      {"pressed: 1 pixel down-right", T::button, 3, {0, 0, 68, 22}, kH, A::right_of_image,
       {.hot = true, .pressed = true}, Rect{4, 3, 22, 21}, Rect{26, 4, 66, 19}},
      {"dropped menu tool: 1 pixel down-right", T::menu, 0, {0, 0, 57, 21}, kH, A::right_of_image, {.dropped = true},
       std::nullopt, Rect{5, 4, 45, 19}},
      {"pressed label: does not move", T::label, 0, {0, 0, 46, 21}, kH, A::right_of_image,
       {.hot = true, .pressed = true}, std::nullopt, Rect{3, 3, 43, 18}},
      {"pressed dropdown while dropped: does not move", T::drop_down, 0, {0, 0, 31, 22}, kH, A::right_of_image,
       {.hot = true, .pressed = true, .dropped = true}, Rect{2, 2, 20, 20}, std::nullopt},
      {"column, right of image turns to below", T::button, 3, {0, 0, 22, 68}, kV, A::right_of_image, {},
       Rect{2, 3, 20, 21}, Rect{3, 25, 18, 65}},
      {"column, above turns to right of image", T::button, 3, {0, 0, 43, 46}, kV, A::top_of_image, {},
       Rect{3, 14, 21, 32}, Rect{25, 3, 40, 43}},
      {"column, text only: turned caption", T::button, 1, {0, 0, 21, 46}, kV, A::right_of_image, {}, std::nullopt,
       Rect{3, 3, 18, 43}},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolPlan plan =
        plan_tool(tool_at(c.type, c.rect, c.state, c.display_style), bar_look(c.orientation, c.alignment));
    ASSERT_EQ(plan.image.has_value(), c.box.has_value());
    if (c.box) {
      EXPECT_EQ(plan.image->box, *c.box);
    }
    ASSERT_EQ(plan.caption.has_value(), c.caption.has_value());
    if (c.caption) {
      EXPECT_EQ(plan.caption->rect, *c.caption);
      EXPECT_EQ(plan.caption->rotated, c.orientation == kV);
    }
  }
}

TEST(PaintPlanTool, PictureInItsBox) {
  struct Case {
    const char* name;
    bool large_icons;
    int picture_size;
    Rect rect;
    Size picture;
    Rect dest;
    std::optional<Rect> clip;
  };
  const Case cases[] = {
      {"small icons: natural size", false, 16, {0, 0, 22, 22}, {16, 16}, {3, 3, 19, 19}, std::nullopt},
      {"larger toolbar picture size: centred", false, 24, {0, 0, 30, 30}, {16, 16}, {7, 7, 23, 23}, std::nullopt},
      {"large icons: 16 x 16 stretched to 32 x 32", true, 32, {0, 0, 38, 38}, {16, 16}, {3, 3, 35, 35},
       Rect{3, 3, 35, 35}},
      {"large icons, wide picture: clip a pixel taller", true, 32, {0, 0, 38, 38}, {32, 16}, {3, 3, 35, 35},
       Rect{3, 3, 35, 36}},
      {"large icons, tall picture: clip as is", true, 32, {0, 0, 38, 38}, {16, 32}, {3, 3, 35, 35},
       Rect{3, 3, 35, 35}},
      {"large icons, picture over 32: natural size, centred", true, 32, {0, 0, 38, 38}, {48, 40}, {-5, -1, 43, 39},
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolBarLook bar = bar_look(kH, CaptionAlignment::right_of_image, c.large_icons);
    bar.look.picture_size = c.picture_size;
    ToolPaintInput tool = tool_at(ToolType::button, c.rect);
    tool.picture = c.picture;
    const ToolPlan plan = plan_tool(tool, bar);
    ASSERT_TRUE(plan.image);
    EXPECT_EQ(plan.image->dest, c.dest);
    EXPECT_EQ(plan.image->clip, c.clip);
  }
}

TEST(PaintPlanTool, DisabledImageSilhouetteOnlyWithoutOwnPicture) {
  struct Case {
    bool enabled;
    bool own_disabled_picture;
    bool silhouette;
  };
  for (const Case& c : {Case{true, false, false}, Case{false, false, true}, Case{false, true, false}}) {
    ToolPaintInput tool = tool_at(ToolType::button, {0, 0, 22, 22}, {.enabled = c.enabled});
    tool.own_disabled_picture = c.own_disabled_picture;
    const ToolPlan plan = plan_tool(tool, bar_look());
    ASSERT_TRUE(plan.image);
    EXPECT_EQ(plan.image->silhouette, c.silhouette) << c.enabled << c.own_disabled_picture;
  }
}

// ---- Captions ----

TEST(PaintPlanTool, CaptionColourAndEffect) {
  struct Case {
    const char* name;
    bool enabled;
    bool tool_fore_color;
    Font3D bar_effect;
    Role colour;
    Font3D effect;
  };
  const Case cases[] = {
      {"enabled: the control's colour, the toolbar's effect", true, false, Font3D::raised_heavy, Role::control_fore,
       Font3D::raised_heavy},
      {"enabled, own colour", true, true, Font3D::drop_shadow, Role::tool_fore, Font3D::drop_shadow},
      {"disabled: gray, embossed whatever the toolbar's effect", false, true, Font3D::raised_heavy, Role::gray_text,
       Font3D::inset_light},
      {"disabled on a flat toolbar: still embossed", false, false, Font3D::none, Role::gray_text,
       Font3D::inset_light},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolBarLook bar = bar_look();
    bar.font3d = c.bar_effect;
    ToolPaintInput tool = tool_at(ToolType::button, {0, 0, 46, 21}, {.enabled = c.enabled}, 1);
    tool.tool_fore_color = c.tool_fore_color;
    const ToolPlan plan = plan_tool(tool, bar);
    ASSERT_TRUE(plan.caption);
    EXPECT_EQ(plan.caption->colour, c.colour);
    EXPECT_EQ(plan.caption->effect, c.effect);
    EXPECT_EQ(plan.caption->highlight, Role::highlight);
    EXPECT_EQ(plan.caption->shadow, Role::black);
  }
}

TEST(PaintPlanText, EffectLayers) {
  using I = TextInk;
  struct Case {
    const char* name;
    Font3D effect;
    bool gray;
    std::vector<TextLayer> layers;
  };
  const Case cases[] = {
      {"none", Font3D::none, false, {{I::text, {0, 0}}}},
      {"none, gray: grayed drawing", Font3D::none, true, {{I::grayed, {0, 0}}}},
      {"raised light", Font3D::raised_light, false, {{I::highlight, {0, 0}}, {I::text, {1, 1}}}},
      {"raised heavy", Font3D::raised_heavy, false, {{I::highlight, {0, 0}}, {I::shadow, {2, 2}}, {I::text, {1, 1}}}},
      {"inset light: the disabled caption's emboss", Font3D::inset_light, false,
       {{I::highlight, {1, 1}}, {I::text, {0, 0}}}},
      {"inset heavy", Font3D::inset_heavy, false, {{I::shadow, {0, 0}}, {I::highlight, {2, 2}}, {I::text, {1, 1}}}},
      {"drop shadow at its depth", Font3D::drop_shadow, false, {{I::shadow, {3, 3}}, {I::text, {0, 0}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(text_layers(c.effect, c.gray, 3), c.layers);
  }
}

TEST(PaintPlanText, DropShadowDepth) {
  struct Case {
    int height, leading, ppi, depth;
  };
  const Case cases[] = {
      {16, 3, 96, 1},   // 9 points
      {17, 3, 96, 1},   // 10 points
      {21, 3, 96, 2},   // 13 points: the second pixel
      {40, 4, 96, 3},   // 27 points
      {27, 0, 72, 3},   // 27 points at 72 pixels per inch
      {8, 2, 96, 1},    // 4 points: never less than 1
      {16, 3, 0, 1},    // no resolution: the least depth rather than a division by zero
  };
  for (const Case& c : cases)
    EXPECT_EQ(drop_shadow_depth(c.height, c.leading, c.ppi), c.depth) << c.height << " " << c.leading << " " << c.ppi;
}

// ---- Separators ----

TEST(PaintPlanTool, SeparatorLines) {
  struct Case {
    const char* name;
    Orientation orientation;
    bool floating;
    bool line_break;
    Rect rect;
    Edge line;
  };
  const Case cases[] = {
      {"row: vertical etched line, 1 pixel up", kH, false, false, {20, 2, 26, 24},
       sunken({22, 3, 24, 21}, kLeft | kRight)},
      {"column: horizontal etched line, 1 pixel left", kV, false, false, {2, 20, 24, 26},
       sunken({3, 22, 21, 24}, kTop | kBottom)},
      {"line break of a row: horizontal", kH, false, true, {11, 21, 111, 27}, sunken({12, 23, 108, 25}, kTop | kBottom)},
      {"line break of a floating row: to the toolbar's width - 2", kH, true, true, {11, 21, 111, 27},
       sunken({12, 23, 118, 25}, kTop | kBottom)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolBarLook bar = bar_look(c.orientation);
    bar.floating = c.floating;
    bar.bar = {0, 0, 120, 60};
    ToolPaintInput tool = tool_at(ToolType::separator, c.rect, {.hot = true});
    tool.line_break = c.line_break;
    const ToolPlan plan = plan_tool(tool, bar);
    EXPECT_EQ(plan.separator, c.line);
    EXPECT_TRUE(plan.frames.empty());
    EXPECT_FALSE(plan.image);
  }
}

TEST(PaintPlanTool, ToolCountsEnabled) {
  struct Case {
    bool control, tool, run_mode, customizing, enabled;
  };
  const Case cases[] = {
      {true, true, true, false, true},    {true, false, true, false, false}, {false, true, true, false, false},
      {true, false, false, false, true},  // design mode: the tool's own Enabled does not show
      {false, true, false, false, false}, {false, false, true, true, true},  // the customizer enables all
  };
  for (const Case& c : cases)
    EXPECT_EQ(tool_counts_enabled(c.control, c.tool, c.run_mode, c.customizing), c.enabled)
        << c.control << c.tool << c.run_mode << c.customizing;
}


// ---- More Tools button ----

TEST(PaintPlanMoreTools, TriangleAndChevron) {
  const auto filled = [](std::vector<Point> points) { return Shape{std::move(points), Role::button_text, true}; };
  struct Case {
    const char* name;
    Rect button;
    Orientation orientation;
    bool large_icons;
    bool compressed;
    std::vector<Shape> marks;
  };
  const Case cases[] = {
      {"row: triangle near the bottom", {100, 2, 111, 24}, kH, false, false,
       {filled({{103, 16}, {107, 16}, {105, 18}})}},
      {"row, compressed: and two arrows pointing right", {100, 2, 111, 24}, kH, false, true,
       {filled({{103, 16}, {107, 16}, {105, 18}}),
        filled({{102, 6}, {104, 6}, {106, 8}, {104, 10}, {102, 10}, {104, 8}, {102, 6}}),
        filled({{106, 6}, {108, 6}, {110, 8}, {108, 10}, {106, 10}, {108, 8}, {106, 6}})}},
      {"row, large icons, compressed: twice the size, 8 apart", {100, 2, 120, 40}, kH, true, true,
       {filled({{103, 26}, {110, 33}, {117, 26}}),
        filled({{103, 5}, {107, 5}, {111, 9}, {107, 13}, {103, 13}, {107, 9}, {103, 5}}),
        filled({{111, 5}, {115, 5}, {119, 9}, {115, 13}, {111, 13}, {115, 9}, {111, 5}})}},
      {"column: triangle pointing left", {2, 100, 24, 111}, kV, false, false,
       {filled({{3, 105}, {5, 103}, {5, 107}})}},
      {"column, large icons", {2, 100, 40, 120}, kV, true, false, {filled({{3, 110}, {10, 103}, {10, 117}})}},
      {"column, compressed: two arrows pointing down", {2, 100, 24, 111}, kV, false, true,
       {filled({{3, 105}, {5, 103}, {5, 107}}),
        filled({{16, 102}, {16, 104}, {18, 106}, {20, 104}, {20, 102}, {18, 104}, {16, 102}}),
        filled({{16, 106}, {16, 108}, {18, 110}, {20, 108}, {20, 106}, {18, 108}, {16, 106}})}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(more_tools_marks(c.button, c.orientation, c.large_icons, c.compressed), c.marks);
  }
}

// ---- Text painter placement and the tooltip ----

TEST(PaintPlanText, AlignmentCodes) {
  constexpr Rect kBox{10, 10, 110, 40};
  constexpr Size kText{40, 14};
  struct Case {
    int code;
    std::optional<Rect> rect;  // nothing: the code is drawing flags
  };
  const Case cases[] = {
      {0, Rect{10, 10, 50, 24}},  {1, Rect{10, 18, 50, 32}},  {2, Rect{10, 26, 50, 40}},
      {3, Rect{70, 10, 110, 24}}, {4, Rect{70, 18, 110, 32}}, {5, Rect{70, 26, 110, 40}},
      {6, Rect{40, 10, 80, 24}},  {7, Rect{40, 18, 80, 32}},  {8, Rect{40, 26, 80, 40}},
      {9, std::nullopt},          {-1, std::nullopt},         {37, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const std::optional<TextPlacement> placement = text_placement(c.code);
    ASSERT_EQ(placement.has_value(), c.rect.has_value());
    if (placement) {
      EXPECT_EQ(place_text(kBox, kText, *placement), *c.rect);
    }
  }
}

TEST(PaintPlanText, Tooltip) {
  const Rect client{0, 0, 80, 20};
  const TooltipPlan plan = plan_tooltip(client, {50, 13});
  EXPECT_EQ(plan.fill, client);
  EXPECT_EQ(plan.back, Role::tooltip_back);
  EXPECT_EQ(plan.edges, (std::vector<Edge>{{client, EdgeKind::raised_inner, kLeft | kTop},
                                           {client, EdgeKind::raised_outer, kRight | kBottom}}));
  EXPECT_EQ(plan.text, (Rect{15, 3, 65, 16}));
  EXPECT_EQ(plan.text_colour, Role::tooltip_text);
}


// ---- A whole toolbar from its placement ----

std::vector<std::size_t> planned_indices(const ToolbarPlan& plan) {
  std::vector<std::size_t> out;
  for (const PlannedTool& t : plan.tools) out.push_back(t.index);
  return out;
}

TEST(PaintPlanToolbar, PaintsShownToolsOnlyAndTheChevronWhenCompressed) {
  using test::sep;
  using test::tool;
  constexpr Rect kRect{0, 0, 100, 26};
  // The leading separator is never drawn; the last two tools go into overflow.
  const Placement placement =
      place_tools(test::bar({sep(), tool(), tool(), tool(), tool(), tool()}, test::style97()), kRect);
  const std::vector<ToolPaintInput> inputs(6, tool_at(ToolType::button, {}, {.hot = true}));
  const ToolbarPlan plan = plan_toolbar({.rect = kRect, .style = DeckStyle::office97}, placement, inputs, bar_look());

  EXPECT_EQ(planned_indices(plan), (std::vector<std::size_t>{1, 2, 3}));
  EXPECT_EQ(plan.clip, kRect);
  EXPECT_EQ(plan.frame.chevron.size(), 4u) << "compressed without a More Tools button";
  EXPECT_TRUE(plan.more_tools.empty());
  // Each tool is planned at its placed rectangle.
  const Rect placed[] = {{8, 2, 30, 24}, {30, 2, 52, 24}, {52, 2, 74, 24}};
  for (std::size_t i = 0; i < plan.tools.size(); ++i)
    EXPECT_EQ(plan.tools[i].plan.frames, std::vector<Edge>{raised(placed[i])}) << i;
}

TEST(PaintPlanToolbar, SeparatorEndingALineLiesAcross) {
  using test::kept;
  using test::sep;
  constexpr Rect kRect{0, 0, 70, 52};
  const Placement placement = place_tools(test::bar({kept(), kept(), sep(), kept(), kept()}, test::style97()), kRect);
  const std::vector<ToolPaintInput> inputs(5, tool_at(ToolType::separator, {}));
  const ToolbarPlan plan = plan_toolbar({.rect = kRect}, placement, inputs, bar_look());
  ASSERT_EQ(plan.tools.size(), 5u);
  ASSERT_TRUE(plan.tools[2].plan.separator);
  EXPECT_EQ(plan.tools[2].plan.separator->sides, kTop | kBottom);
  // A separator inside a line stays upright.
  ASSERT_TRUE(plan.tools[0].plan.separator);
  EXPECT_EQ(plan.tools[0].plan.separator->sides, kLeft | kRight);
  EXPECT_TRUE(plan.frame.chevron.empty());
}

TEST(PaintPlanToolbar, MoreToolsButtonMarks) {
  using test::tool;
  constexpr Rect kRect{0, 0, 100, 26};
  for (bool crowded : {false, true}) {
    SCOPED_TRACE(crowded);
    const BarShape shape{.style = DeckStyle::office2000, .more_tools = true, .display_more_tools = true};
    std::vector<BarTool> tools(crowded ? 6 : 2, tool());
    const Placement placement = place_tools(test::bar(tools, shape), kRect);
    ASSERT_TRUE(placement.more_tools);
    const std::vector<ToolPaintInput> inputs(tools.size(), tool_at(ToolType::button, {}));
    const ToolbarPlan plan = plan_toolbar({.rect = kRect, .display_more_tools_button = true}, placement, inputs,
                                          bar_look());
    // The triangle, and the double chevron only while tools are in overflow.
    EXPECT_EQ(plan.more_tools.size(), crowded ? 3u : 1u);
    EXPECT_TRUE(plan.frame.chevron.empty()) << "the button replaces the engraved chevron";
  }
}

}  // namespace
}  // namespace mz::paint
