#include "popup_items.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <vector>

#include "geometry_print.h"

namespace mz::menus {
namespace {

using paint::Role;

PopupItemInput item(ToolType type, Size caption = {40, 18}, Size shortcut = {}) {
  PopupItemInput in;
  in.type = type;
  in.caption = caption;
  in.shortcut = shortcut;
  return in;
}

PopupItemInput window_item(ToolType type, Size caption, int ctl_width, int ctl_height) {
  PopupItemInput in = item(type, caption);
  in.ctl_width = ctl_width;
  in.ctl_height = ctl_height;
  return in;
}

PopupItemInput expand_item() {
  PopupItemInput in = item(ToolType::button, {});
  in.expand = true;
  return in;
}

// With 16-pixel pictures an item is 22 (image column) + 4 + its caption,
// window or shortcut + 16 (arrow column) wide.
TEST(PopupItemSizes, WidestItemSetsTheWidthAndEachItemKeepsItsHeight) {
  struct Case {
    const char* name;
    std::vector<PopupItemInput> items;
    int picture_size;
    std::vector<Size> sizes;
  };
  const Case cases[] = {
      {"caption, then a separator 6 high", {item(ToolType::button, {50, 18}), item(ToolType::separator)}, 16,
       {{92, 22}, {92, 6}}},
      {"the widest item sets the width", {item(ToolType::button, {30, 18}), item(ToolType::state_button, {80, 18})}, 16,
       {{122, 22}, {122, 22}}},
      {"a shortcut follows the caption after a gap", {item(ToolType::button, {40, 18}, {36, 20})}, 16, {{134, 24}}},
      {"a submenu uses the arrow column every item keeps", {item(ToolType::menu, {40, 18}), item(ToolType::button)}, 16,
       {{82, 22}, {82, 22}}},
      {"an edit reserves its window after its caption", {window_item(ToolType::edit, {60, 18}, 100, 24)}, 16,
       {{206, 28}}},
      {"a combo box no taller than its caption", {window_item(ToolType::combo_box, {60, 20}, 80, 10)}, 16, {{186, 24}}},
      {"window size on a plain button counts for nothing", {window_item(ToolType::button, {60, 18}, 100, 40)}, 16,
       {{102, 22}}},
      {"the expand tool alone", {expand_item()}, 16, {{42, 13}}},
      {"the expand tool under a wider item", {item(ToolType::button, {40, 18}), expand_item()}, 16,
       {{82, 22}, {82, 13}}},
      {"a larger picture widens the column and the height", {item(ToolType::button, {40, 18})}, 32, {{98, 38}}},
      {"a picture size below 16 counts as 16", {item(ToolType::button, {40, 18})}, 0, {{82, 22}}},
      {"a tall caption sets the height", {item(ToolType::button, {40, 30})}, 16, {{82, 34}}},
      {"negative extents count as zero", {window_item(ToolType::edit, {-5, -5}, -9, -9)}, 16, {{46, 22}}},
      {"sums past the int range are clamped", {window_item(ToolType::edit, {40, 18}, INT_MAX, INT_MAX)}, 16,
       {{INT_MAX, INT_MAX}}},
      {"no items", {}, 16, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(popup_item_sizes(c.items, c.picture_size), c.sizes) << c.name;
}

TEST(PopupItemSizes, ItemsStackFromTheTopWithoutGaps) {
  const std::vector<Size> sizes = {{90, 22}, {90, 6}, {90, 13}};
  EXPECT_EQ(stack_popup_items(sizes), (std::vector<Rect>{{0, 0, 90, 22}, {0, 22, 90, 28}, {0, 28, 90, 41}}));
  const std::vector<Size> huge = {{10, INT_MAX}, {10, 5}};
  EXPECT_EQ(stack_popup_items(huge), (std::vector<Rect>{{0, 0, 10, INT_MAX}, {0, INT_MAX, 10, INT_MAX}}));
  EXPECT_TRUE(stack_popup_items({}).empty());
}

constexpr Rect kItem{0, 0, 200, 22};

PopupItemPlan plan_of(const PopupItemInput& in, const PopupItemState& state, Rect rect = kItem, Size picture = {},
                      bool own_disabled = false, int picture_size = 16) {
  return plan_popup_item(in, rect, state, picture_size, picture, own_disabled);
}

PopupItemState state_of(bool hot, bool enabled, bool open = false) {
  PopupItemState s;
  s.hot = hot;
  s.enabled = enabled;
  s.submenu_open = open;
  return s;
}

TEST(PopupItemPlan, FillAndTextColourPerState) {
  struct Case {
    const char* name;
    bool tool_fore;
    PopupItemState state;
    std::optional<Role> fill;
    Role ink;
    paint::Font3D effect;
  };
  PopupItemState rare = state_of(false, true);
  rare.rarely_used = true;
  PopupItemState rare_hot = rare;
  rare_hot.hot = true;
  const Case cases[] = {
      {"plain", false, state_of(false, true), std::nullopt, Role::control_fore, paint::Font3D::none},
      {"the tool's own fore colour", true, state_of(false, true), std::nullopt, Role::tool_fore, paint::Font3D::none},
      {"hot", false, state_of(true, true), Role::selection, Role::selection_text, paint::Font3D::none},
      {"submenu open", true, state_of(false, true, true), Role::selection, Role::selection_text, paint::Font3D::none},
      {"disabled: gray and embossed", false, state_of(false, false), std::nullopt, Role::gray_text,
       paint::Font3D::inset_light},
      {"disabled hot: highlighted, caption stays gray", false, state_of(true, false), Role::selection, Role::gray_text,
       paint::Font3D::none},
      {"rarely used", false, rare, Role::light, Role::control_fore, paint::Font3D::none},
      {"rarely used and hot", false, rare_hot, Role::selection, Role::selection_text, paint::Font3D::none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupItemInput in = item(ToolType::menu, {40, 18}, {36, 18});
    in.tool_fore_color = c.tool_fore;
    const PopupItemPlan plan = plan_of(in, c.state);
    const std::optional<PopupFill> fill = c.fill ? std::optional(PopupFill{kItem, *c.fill}) : std::nullopt;
    EXPECT_EQ(plan.fill, fill);
    ASSERT_TRUE(plan.caption);
    ASSERT_TRUE(plan.shortcut);
    EXPECT_EQ(plan.caption->colour, c.ink);
    EXPECT_EQ(plan.shortcut->colour, c.ink);
    EXPECT_EQ(plan.caption->effect, c.effect);
    EXPECT_EQ(plan.shortcut->effect, c.effect);
    ASSERT_EQ(plan.marks.size(), 1u);
    EXPECT_EQ(plan.marks[0].role, c.ink);
  }
}

// Caption right of the image column, shortcut at the right end before the
// arrow column, the submenu arrow in that column, all centred vertically.
TEST(PopupItemPlan, CaptionShortcutAndArrowPositions) {
  const PopupItemPlan plan = plan_of(item(ToolType::menu, {40, 18}, {36, 16}), state_of(false, true));
  ASSERT_TRUE(plan.caption);
  EXPECT_EQ(plan.caption->rect, (Rect{26, 2, 66, 20}));
  ASSERT_TRUE(plan.shortcut);
  EXPECT_EQ(plan.shortcut->rect, (Rect{148, 3, 184, 19}));
  ASSERT_EQ(plan.marks.size(), 1u);
  EXPECT_EQ(plan.marks[0], (paint::Shape{{{190, 7}, {190, 13}, {193, 10}}, Role::control_fore, true}));
  EXPECT_FALSE(plan.image);  // a menu tool shows no image by default
  EXPECT_FALSE(plan.control);

  // Moved with the item, and no arrow on tools other than menus.
  const PopupItemPlan lower = plan_of(item(ToolType::button, {40, 18}, {36, 16}), state_of(false, true),
                                      {10, 40, 210, 62});
  ASSERT_TRUE(lower.caption);
  EXPECT_EQ(lower.caption->rect, (Rect{36, 42, 76, 60}));
  ASSERT_TRUE(lower.shortcut);
  EXPECT_EQ(lower.shortcut->rect, (Rect{158, 43, 194, 59}));
  EXPECT_TRUE(lower.marks.empty());
}

TEST(PopupItemPlan, EditAndComboReserveTheirWindowAfterTheCaption) {
  for (const ToolType type : {ToolType::edit, ToolType::combo_box}) {
    const PopupItemPlan plan = plan_of(window_item(type, {60, 18}, 100, 24), state_of(true, true), {0, 0, 206, 28});
    ASSERT_TRUE(plan.caption);
    EXPECT_EQ(plan.caption->rect, (Rect{26, 5, 86, 23}));
    ASSERT_TRUE(plan.control);
    EXPECT_EQ(*plan.control, (Rect{90, 2, 190, 26}));
  }
}

TEST(PopupItemPlan, ImagePerContentAndState) {
  struct Case {
    const char* name;
    ToolType type;
    uint8_t display_style;
    bool enabled;
    bool own_disabled;
    Size picture;
    int picture_size;
    std::optional<paint::ImagePlan> image;
  };
  const Case cases[] = {
      {"centred in its box", ToolType::button, 0, true, false, {16, 16}, 16, paint::ImagePlan{{2, 2, 20, 20}, {3, 3, 19, 19}, std::nullopt, false}},
      {"a small picture centred", ToolType::button, 0, true, false, {8, 10}, 16, paint::ImagePlan{{2, 2, 20, 20}, {7, 6, 15, 16}, std::nullopt, false}},
      {"disabled: silhouette", ToolType::button, 0, false, false, {16, 16}, 16, paint::ImagePlan{{2, 2, 20, 20}, {3, 3, 19, 19}, std::nullopt, true}},
      {"disabled with its own picture", ToolType::button, 0, false, true, {16, 16}, 16, paint::ImagePlan{{2, 2, 20, 20}, {3, 3, 19, 19}, std::nullopt, false}},
      {"larger than the popup's picture size: cut to the box", ToolType::button, 0, true, false, {24, 24}, 16,
       paint::ImagePlan{{2, 2, 20, 20}, {-1, -1, 23, 23}, Rect{3, 3, 19, 19}, false}},
      {"text only", ToolType::button, 1, true, false, {16, 16}, 16, std::nullopt},
      {"menu tool by default", ToolType::menu, 0, true, false, {16, 16}, 16, std::nullopt},
      {"menu tool with image and text", ToolType::menu, 3, true, false, {16, 16}, 16, paint::ImagePlan{{2, 2, 20, 20}, {3, 3, 19, 19}, std::nullopt, false}},
      {"no picture", ToolType::button, 0, true, false, {}, 16, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupItemInput in = item(c.type);
    in.display_style = c.display_style;
    const PopupItemPlan plan = plan_of(in, state_of(false, c.enabled), kItem, c.picture, c.own_disabled, c.picture_size);
    EXPECT_EQ(plan.image, c.image);
  }
}

TEST(PopupItemPlan, CheckedStateButtonsGetASunkenBoxAndACheckMarkWithoutPicture) {
  struct Case {
    const char* name;
    ToolType type;
    Size picture;
    bool hot;
    bool box;
    bool mark;
  };
  const Case cases[] = {
      {"state button with picture", ToolType::state_button, {16, 16}, false, true, false},
      {"state button without picture", ToolType::state_button, {}, false, true, true},
      {"drop-down state without picture, hot", ToolType::drop_down_state, {}, true, true, true},
      {"a plain button does not show its state", ToolType::button, {}, false, false, false},
      {"nor a drop-down", ToolType::drop_down, {16, 16}, false, false, false},
  };
  const paint::Edge box{{2, 2, 20, 20}, paint::EdgeKind::sunken_outer, paint::kAllSides};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupItemState state = state_of(c.hot, true);
    state.checked = true;
    const PopupItemPlan plan = plan_of(item(c.type), state, kItem, c.picture);
    EXPECT_EQ(std::count(plan.edges.begin(), plan.edges.end(), box), c.box ? 1 : 0);
    EXPECT_EQ(plan.marks.empty(), !c.mark);
    for (const paint::Shape& mark : plan.marks) {
      EXPECT_EQ(mark.role, c.hot ? Role::selection_text : Role::control_fore);
      for (const Point& p : mark.points) {
        // Inside the box's inside, the last point of each stroke excepted.
        if (&p == &mark.points.back()) continue;
        EXPECT_GE(p.x, 5);
        EXPECT_LE(p.x, 17);
        EXPECT_GE(p.y, 5);
        EXPECT_LE(p.y, 17);
      }
    }
  }
}

TEST(PopupItemPlan, RarelyUsedRunsAreOneBlockWithMarkedEdges) {
  struct Case {
    const char* name;
    bool rarely_used, starts, ends;
    std::optional<paint::Sides> sides;
  };
  const Case cases[] = {
      {"first of a run", true, true, false, paint::kTop},
      {"inside a run", true, false, false, std::nullopt},
      {"last of a run", true, false, true, paint::kBottom},
      {"a run of one", true, true, true, paint::kTop | paint::kBottom},
      {"not rarely used", false, true, true, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupItemState state = state_of(false, true);
    state.rarely_used = c.rarely_used;
    state.run_starts = c.starts;
    state.run_ends = c.ends;
    const PopupItemPlan plan = plan_of(item(ToolType::button), state);
    if (!c.sides) {
      EXPECT_TRUE(plan.edges.empty());
      continue;
    }
    EXPECT_EQ(plan.edges, (std::vector<paint::Edge>{{kItem, paint::EdgeKind::sunken_outer, *c.sides}}));
  }
}

TEST(PopupItemPlan, SeparatorIsAnEtchedLineAcrossItsMiddleAndNeverHot) {
  const Rect rect{0, 22, 200, 28};
  const PopupItemPlan plan = plan_of(item(ToolType::separator), state_of(true, true), rect);
  EXPECT_FALSE(plan.fill);
  EXPECT_EQ(plan.edges, (std::vector<paint::Edge>{
                            {{1, 24, 199, 26}, paint::EdgeKind::sunken_outer, paint::kTop | paint::kBottom}}));
  EXPECT_FALSE(plan.caption);
  EXPECT_FALSE(plan.image);
  EXPECT_TRUE(plan.marks.empty());
}

// The points' bounding box.
Rect bounds(const std::vector<paint::Shape>& shapes) {
  Rect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const paint::Shape& s : shapes) {
    for (const Point& p : s.points) {
      r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x + 1), std::max(r.bottom, p.y + 1)};
    }
  }
  return r;
}

TEST(PopupItemPlan, ExpandToolIsADoubleChevronDownCentredWithoutCaption) {
  struct Case {
    const char* name;
    PopupItemState state;
    Role ink;
  };
  const Case cases[] = {
      {"plain", state_of(false, true), Role::button_text},
      {"hot", state_of(true, true), Role::selection_text},
  };
  const Rect rect{0, 50, 82, 63};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupItemInput in = expand_item();
    in.caption = {40, 18};
    const PopupItemPlan plan = plan_of(in, c.state, rect, {16, 16});
    EXPECT_FALSE(plan.caption);
    EXPECT_FALSE(plan.image);
    ASSERT_EQ(plan.marks.size(), 2u);
    EXPECT_EQ(bounds(plan.marks), (Rect{38, 52, 43, 61}));
    // Both point down: the tip of each is its lowest point, in the middle.
    for (const paint::Shape& mark : plan.marks) {
      EXPECT_EQ(mark.role, c.ink);
      EXPECT_TRUE(mark.filled);
      const Point lowest = *std::max_element(mark.points.begin(), mark.points.end(),
                                             [](Point a, Point b) { return a.y < b.y; });
      EXPECT_EQ(lowest.x, 40);
    }
  }
}

TEST(PopupItemImages, StateChoosesThePicture) {
  using images::ImageKind;
  struct Case {
    const char* name;
    ToolType type;
    PopupItemState state;
    bool active_colors;
    ImageKind shown;
  };
  PopupItemState checked = state_of(false, true);
  checked.checked = true;
  PopupItemState checked_disabled = checked;
  checked_disabled.enabled = false;
  const Case cases[] = {
      {"plain", ToolType::button, state_of(false, true), false, ImageKind::normal},
      {"ActiveColors, not hot: gray", ToolType::button, state_of(false, true), true, ImageKind::gray},
      {"ActiveColors, hot: in colour", ToolType::button, state_of(true, true), true, ImageKind::normal},
      {"ActiveColors, submenu open: in colour", ToolType::menu, state_of(false, true, true), true, ImageKind::normal},
      {"ActiveColors, disabled: the disabled picture", ToolType::button, state_of(false, false), true,
       ImageKind::disabled},
      {"checked state button: its down picture", ToolType::state_button, checked, true, ImageKind::down},
      {"checked drop-down state, disabled", ToolType::drop_down_state, checked_disabled, false,
       ImageKind::down_disabled},
      {"a plain button does not show its state", ToolType::button, checked, false, ImageKind::normal},
  };
  const images::GivenPictures all{true, true, true, true};
  for (const Case& c : cases) {
    EXPECT_EQ(images::choose_image(all, popup_image_state(c.type, c.state, c.active_colors)).kind, c.shown) << c.name;
  }
}

TEST(PopupItemPlan, ScrollArrowIsAn8By4TriangleCentredInItsArea) {
  EXPECT_EQ(scroll_arrow({0, 0, 100, 16}, true),
            (paint::Shape{{{46, 9}, {53, 9}, {50, 6}, {49, 6}}, Role::button_text, true}));
  EXPECT_EQ(scroll_arrow({0, 0, 100, 16}, false),
            (paint::Shape{{{46, 6}, {53, 6}, {50, 9}, {49, 9}}, Role::button_text, true}));
  for (const Rect area : {Rect{3, 100, 40, 121}, Rect{-20, -10, 80, 0}, Rect{0, 0, 8, 4}}) {
    const paint::Shape up = scroll_arrow(area, true);
    const Rect box = bounds({up});
    EXPECT_EQ(box.size(), (Size{8, 4}));
    EXPECT_LE(std::abs((box.left - area.left) - (area.right - box.right)), 1);
    EXPECT_LE(std::abs((box.top - area.top) - (area.bottom - box.bottom)), 1);
    EXPECT_EQ(bounds({scroll_arrow(area, false)}), box);
  }
}

}  // namespace
}  // namespace mz::menus
