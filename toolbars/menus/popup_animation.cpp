#include "popup_animation.h"

#include <algorithm>

namespace mz::menus {

namespace {
constexpr int kStepsPerItem = 3;
constexpr int kMostSteps = 20;
}  // namespace

Animation opening_animation(int menu_animations, bool no_animation, int random_number) {
  if (no_animation) return Animation::none;
  switch (menu_animations) {
    case 1:
      return random_number % 2 == 0 ? Animation::slide : Animation::unfold;
    case 2:
      return Animation::unfold;
    case 3:
      return Animation::slide;
    default:
      return Animation::none;
  }
}

int animation_steps(Animation animation, int shown_items) {
  if (animation == Animation::none) return 1;
  // Clamped before multiplying, so no item count overflows.
  return std::clamp(std::clamp(shown_items, 0, kMostSteps) * kStepsPerItem, 1, kMostSteps);
}

Rect animation_start_rect(const PopupPlacement& placement) {
  const Rect& r = placement.rect;
  const int x = placement.leftward ? r.right : r.left;
  const int y = placement.upward ? r.bottom : r.top;
  return {x, y, x, y};
}

Rect animation_step_rect(Animation animation, const PopupPlacement& placement, int steps_left) {
  const Rect& r = placement.rect;
  if (animation == Animation::none || steps_left <= 1) return r;
  // On 64-bit values: a rectangle across the whole int range is wider than an
  // int. A part of it between its edges fits again.
  Rect step = r;
  if (animation == Animation::unfold) {
    const int64_t width = (int64_t{r.right} - r.left) / steps_left;
    if (placement.leftward)
      step.left = static_cast<int>(r.right - width);
    else
      step.right = static_cast<int>(r.left + width);
  }
  const int64_t height = (int64_t{r.bottom} - r.top) / steps_left;
  if (placement.upward)
    step.top = static_cast<int>(r.bottom - height);
  else
    step.bottom = static_cast<int>(r.top + height);
  return step;
}

}  // namespace mz::menus
