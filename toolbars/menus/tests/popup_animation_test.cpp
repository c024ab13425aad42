#include "popup_animation.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "geometry_print.h"

namespace mz::menus {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

TEST(PopupAnimation, OpeningAnimationFromTheSettingAndTheRandomNumber) {
  struct Case {
    int menu_animations;
    bool no_animation;
    int random_number;
    Animation animation;
  };
  const Case cases[] = {
      {0, false, 4, Animation::none},   {1, false, 4, Animation::slide}, {1, false, 0, Animation::slide},
      {1, false, 7, Animation::unfold}, {1, false, -3, Animation::unfold}, {1, false, kMin, Animation::slide},
      {1, true, 4, Animation::none},    {2, false, 4, Animation::unfold}, {2, true, 4, Animation::none},
      {3, false, 7, Animation::slide},  {3, true, 7, Animation::none},   {4, false, 4, Animation::none},
      {-1, false, 4, Animation::none},
  };
  for (const Case& c : cases)
    EXPECT_EQ(opening_animation(c.menu_animations, c.no_animation, c.random_number), c.animation)
        << c.menu_animations << (c.no_animation ? " no animation " : " ") << c.random_number;
}

TEST(PopupAnimation, ThreeStepsPerShownItemFromOneToTwenty) {
  struct Case {
    Animation animation;
    int shown_items;
    int steps;
  };
  const Case cases[] = {
      {Animation::none, 5, 1},    {Animation::unfold, 0, 1},  {Animation::unfold, -5, 1},
      {Animation::unfold, 1, 3},  {Animation::slide, 6, 18},  {Animation::slide, 7, 20},
      {Animation::slide, 1000, 20}, {Animation::unfold, kMax, 20}, {Animation::unfold, kMin, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(animation_steps(c.animation, c.shown_items), c.steps)
        << static_cast<int>(c.animation) << " with " << c.shown_items << " items";
}

// A 300 x 300 popup at (100, 200) in each direction it can open.
struct Direction {
  const char* name;
  bool leftward;
  bool upward;
  Rect start;
};
constexpr Rect kFull{100, 200, 400, 500};
const Direction kDirections[] = {
    {"down and right", false, false, {100, 200, 100, 200}},
    {"leftward", true, false, {400, 200, 400, 200}},
    {"upward", false, true, {100, 500, 100, 500}},
    {"upward and leftward", true, true, {400, 500, 400, 500}},
};

PopupPlacement placed(const Direction& d, Rect rect = kFull) { return {rect, d.leftward, d.upward, false}; }

TEST(PopupAnimation, TheWindowStartsEmptyAtTheCornerItOpensFrom) {
  for (const Direction& d : kDirections) EXPECT_EQ(animation_start_rect(placed(d)), d.start) << d.name;
}

// Three steps of each animation in each direction: width/n by height/n
// (unfold) or full width by height/n (slide) at the opening corner.
TEST(PopupAnimation, EachStepGrowsTheWindowFromTheOpeningCorner) {
  struct Case {
    Animation animation;
    int direction;  // index into kDirections
    Rect steps[3];  // n = 3, 2, 1
  };
  const Case cases[] = {
      {Animation::unfold, 0, {{100, 200, 200, 300}, {100, 200, 250, 350}, kFull}},
      {Animation::unfold, 1, {{300, 200, 400, 300}, {250, 200, 400, 350}, kFull}},
      {Animation::unfold, 2, {{100, 400, 200, 500}, {100, 350, 250, 500}, kFull}},
      {Animation::unfold, 3, {{300, 400, 400, 500}, {250, 350, 400, 500}, kFull}},
      {Animation::slide, 0, {{100, 200, 400, 300}, {100, 200, 400, 350}, kFull}},
      {Animation::slide, 1, {{100, 200, 400, 300}, {100, 200, 400, 350}, kFull}},
      {Animation::slide, 2, {{100, 400, 400, 500}, {100, 350, 400, 500}, kFull}},
      {Animation::slide, 3, {{100, 400, 400, 500}, {100, 350, 400, 500}, kFull}},
  };
  for (const Case& c : cases) {
    const Direction& d = kDirections[c.direction];
    for (int n = 3; n >= 1; --n)
      EXPECT_EQ(animation_step_rect(c.animation, placed(d), n), c.steps[3 - n])
          << d.name << (c.animation == Animation::unfold ? " unfold" : " slide") << " n " << n;
  }
}

// Over a whole opening, as the stepper drives it: every step keeps the
// opening corner, never shrinks, and the last one is the full rectangle.
TEST(PopupAnimation, AWholeOpeningGrowsToTheFullRectangle) {
  const Rect odd{7, 11, 7 + 193, 11 + 317};
  for (const Animation animation : {Animation::none, Animation::unfold, Animation::slide}) {
    for (const Direction& d : kDirections) {
      const PopupPlacement placement = placed(d, odd);
      const Rect start = animation_start_rect(placement);
      const std::string where = std::string(d.name) + " animation " + std::to_string(static_cast<int>(animation));
      Rect previous = start;
      for (int n = animation_steps(animation, 9); n > 0; --n) {
        const Rect step = animation_step_rect(animation, placement, n);
        EXPECT_EQ(d.leftward ? step.right : step.left, d.leftward ? start.right : start.left) << where << " n " << n;
        EXPECT_EQ(d.upward ? step.bottom : step.top, d.upward ? start.bottom : start.top) << where << " n " << n;
        EXPECT_GE(step.width(), previous.width()) << where << " n " << n;
        EXPECT_GE(step.height(), previous.height()) << where << " n " << n;
        previous = step;
      }
      EXPECT_EQ(previous, odd) << where;
    }
  }
}

TEST(PopupAnimation, StepsOutsideTheRangeAndHugeRectanglesStayInside) {
  const Direction& down = kDirections[0];
  const Direction& both = kDirections[3];
  struct Case {
    const char* name;
    Animation animation;
    PopupPlacement placement;
    int steps_left;
    Rect rect;
  };
  const Case cases[] = {
      {"no steps left: the full rectangle", Animation::unfold, placed(down), 0, kFull},
      {"negative steps left: the full rectangle", Animation::slide, placed(down), -4, kFull},
      {"no animation: the full rectangle", Animation::none, placed(down), 3, kFull},
      {"the whole int range, halved", Animation::unfold, placed(down, {kMin, kMin, kMax, kMax}), 2,
       {kMin, kMin, -1, -1}},
      {"the whole int range, halved, from the far corner", Animation::unfold, placed(both, {kMin, kMin, kMax, kMax}),
       2, {0, 0, kMax, kMax}},
      {"the whole int range, sliding", Animation::slide, placed(both, {kMin, kMin, kMax, kMax}), 2,
       {kMin, 0, kMax, kMax}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(animation_step_rect(c.animation, c.placement, c.steps_left), c.rect) << c.name;
}

}  // namespace
}  // namespace mz::menus
