#pragma once
// How a popup opens: unfolding from its start corner (growing in width and
// height) or sliding out (full width, growing in height), in a number of
// steps that a stepper thread drives one window step at a time. Pure
// arithmetic over the popup's placement; the popup window applies the
// rectangles.
#include <cstdint>

#include "popup_layout.h"
#include "toolbars/layout/geometry.h"

namespace mz::menus {

enum class Animation : uint8_t { none = 0, unfold = 2, slide = 3 };

// The animation of one opening from the control's MenuAnimations value
// (0 none, 1 random, 2 unfold, 3 slide; any other value none). An opening
// that asks for no animation gets none. Random becomes slide for an even
// `random_number` and unfold for an odd one.
Animation opening_animation(int menu_animations, bool no_animation, int random_number);

// Three steps per shown item, at least 1 and at most 20; 1 without animation.
int animation_steps(Animation animation, int shown_items);

// The empty rectangle the window starts from, at the corner it opens from:
// the top-left one, the right edge when it opens leftward, the bottom edge
// when it opens upward.
Rect animation_start_rect(const PopupPlacement& placement);

// The window's rectangle for the step taken with `steps_left` steps to go
// (> 0; anything less counts as 1): width/n by height/n when unfolding, full
// width by height/n when sliding, the full rectangle without animation. The
// opening corner stays fixed; the last step (n = 1) is the full rectangle.
Rect animation_step_rect(Animation animation, const PopupPlacement& placement, int steps_left);

}  // namespace mz::menus
