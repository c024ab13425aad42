// Tool sizes on docked toolbars, by type, display style, caption alignment,
// picture size and orientation.
#include "tool_metrics.h"

#include <gtest/gtest.h>

#include <vector>

namespace mz {
namespace {

constexpr Orientation kH = Orientation::horizontal;
constexpr Orientation kV = Orientation::vertical;
constexpr Size kCaption{40, 15};

struct SizeCase {
  const char* name;
  ToolType type;
  uint8_t display_style;
  Orientation orientation;
  CaptionAlignment alignment;
  bool large_icons;
  bool menu_bar;
  Size expected;
};

BarLook bar_for(const SizeCase& c) {
  return {.orientation = c.orientation,
          .picture_size = c.large_icons ? 32 : 16,
          .large_icons = c.large_icons,
          .caption_alignment = c.alignment,
          .menu_bar = c.menu_bar,
          .font_height = 13};
}

TEST(ToolMetrics, SizeTable) {
  using A = CaptionAlignment;
  using T = ToolType;
  const SizeCase cases[] = {
      {"image only", T::button, 0, kH, A::right_of_image, false, false, {22, 22}},
      {"image only, large icons", T::button, 0, kH, A::right_of_image, true, false, {38, 38}},
      {"text only", T::button, 1, kH, A::right_of_image, false, false, {46, 21}},
      {"text only in menus shows the image", T::button, 2, kH, A::right_of_image, false, false, {22, 22}},
      {"image and caption right", T::button, 3, kH, A::right_of_image, false, false, {68, 22}},
      {"image and caption left", T::button, 3, kH, A::left_of_image, false, false, {68, 22}},
      {"image and caption above", T::button, 3, kH, A::top_of_image, false, false, {46, 43}},
      {"image and caption below, large icons", T::button, 3, kH, A::bottom_of_image, true, false, {46, 59}},
      {"label shows its caption by default", T::label, 0, kH, A::right_of_image, false, false, {46, 21}},
      {"dropdown arrow", T::drop_down, 0, kH, A::right_of_image, false, false, {31, 22}},
      {"dropdown state arrow, large icons", T::drop_down_state, 0, kH, A::right_of_image, true, false, {57, 38}},
      {"menu tool on a toolbar: caption, wider, arrow", T::menu, 0, kH, A::right_of_image, false, false, {57, 21}},
      {"menu tool on the menu bar: wider, lower", T::menu, 3, kH, A::right_of_image, false, true, {48, 19}},
      {"combo box without caption", T::combo_box, 0, kH, A::right_of_image, false, false, {79, 15}},
      {"combo box, caption beside", T::combo_box, 3, kH, A::right_of_image, false, false, {127, 15}},
      {"edit, caption below", T::edit, 3, kH, A::bottom_of_image, false, false, {81, 38}},
      {"separator across a row", T::separator, 0, kH, A::right_of_image, false, false, {6, 4}},
      {"separator down a column", T::separator, 0, kV, A::right_of_image, false, false, {4, 6}},
      {"vertical: turned caption", T::button, 1, kV, A::right_of_image, false, false, {21, 46}},
      {"vertical: right of image becomes below", T::button, 3, kV, A::right_of_image, false, false, {22, 68}},
      {"vertical: above becomes right of image", T::button, 3, kV, A::top_of_image, false, false, {43, 46}},
      {"vertical: menu tool higher, arrow", T::menu, 0, kV, A::right_of_image, false, false, {30, 48}},
      {"vertical: combo box shows its image", T::combo_box, 0, kV, A::right_of_image, false, false, {22, 22}},
  };
  for (const SizeCase& c : cases) {
    const ToolLook tool{.type = c.type, .display_style = c.display_style, .caption = kCaption, .ctl_width = 75};
    EXPECT_EQ(tool_size(tool, bar_for(c)), c.expected) << c.name;
  }
}

TEST(ToolMetrics, PictureSizeOfAToolbar) {
  EXPECT_EQ(toolbar_picture_size(true, 20), 32);
  EXPECT_EQ(toolbar_picture_size(false, 24), 24);
  EXPECT_EQ(toolbar_picture_size(false, 0), 16);
}

TEST(ToolMetrics, MoreToolsButton) {
  EXPECT_EQ(more_tools_length(false), 11);
  EXPECT_EQ(more_tools_length(true), 20);
}

struct WideningCase {
  const char* name;
  Orientation orientation;
  CaptionAlignment alignment;
  std::vector<Size> expected;
};

TEST(ToolMetrics, ToolbarWidensItsTools) {
  using A = CaptionAlignment;
  const std::vector<ToolLook> tools = {
      {.type = ToolType::button, .display_style = 3, .caption = kCaption},
      {.type = ToolType::button},
      {.type = ToolType::separator},
      {.type = ToolType::combo_box, .ctl_width = 75},
      {.type = ToolType::drop_down},
  };
  const WideningCase cases[] = {
      {"caption beside: own widths", kH, A::right_of_image, {{68, 22}, {22, 22}, {6, 4}, {79, 15}, {31, 22}}},
      {"caption above: all but separators and windows as wide as the widest", kH, A::top_of_image,
       {{46, 43}, {46, 22}, {6, 4}, {79, 15}, {46, 22}}},
      {"caption below: the same", kH, A::bottom_of_image, {{46, 43}, {46, 22}, {6, 4}, {79, 15}, {46, 22}}},
      {"vertical: every tool as wide as the widest", kV, A::right_of_image,
       {{31, 68}, {31, 22}, {31, 6}, {31, 22}, {31, 22}}},
  };
  for (const WideningCase& c : cases) {
    const BarLook bar{.orientation = c.orientation, .caption_alignment = c.alignment, .font_height = 13};
    EXPECT_EQ(toolbar_tool_sizes(tools, bar), c.expected) << c.name;
  }
}


TEST(ToolMetrics, ContentOnAToolbarAndInAMenu) {
  using T = ToolType;
  struct Case {
    const char* name;
    ToolType type;
    uint8_t display_style;
    ToolContent toolbar;
    ToolContent menu;
  };
  constexpr ToolContent kImage{true, false}, kText{false, true}, kBoth{true, true};
  const Case cases[] = {
      {"default", T::button, 0, kImage, kBoth},
      {"default label", T::label, 0, kText, kBoth},
      {"text only always", T::button, 1, kText, kText},
      {"text only in menus: image on a toolbar, caption in a menu", T::button, 2, kImage, kText},
      {"image and text", T::state_button, 3, kBoth, kBoth},
      {"menu tool, default", T::menu, 0, kText, kText},
      {"menu tool, text only in menus", T::menu, 2, kText, kText},
      {"menu tool, image and text: both in a menu only", T::menu, 3, kText, kBoth},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(content_on_toolbar(c.type, c.display_style), c.toolbar);
    EXPECT_EQ(content_in_menu(c.type, c.display_style), c.menu);
  }
}

}  // namespace
}  // namespace mz
