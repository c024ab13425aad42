#include "animation_stepper_win32.h"

#include <utility>

namespace mz::menus {
namespace {

// How long one step may take before the thread stops waiting for it. A popup
// thread that is blocked, or busy destroying the window, never holds the
// stepper longer than this; the stepper then looks again whether it should
// go on.
constexpr UINT kStepTimeoutMs = 100;

}  // namespace

std::shared_ptr<AnimationStepper> AnimationStepper::start(HWND popup, std::shared_ptr<std::atomic<int>> steps_left) {
  auto stepper = std::make_shared<AnimationStepper>(popup, std::move(steps_left));
  launch(stepper);
  return stepper;
}

AnimationStepper::AnimationStepper(HWND popup, std::shared_ptr<std::atomic<int>> steps_left)
    : popup_(popup), steps_left_(std::move(steps_left)) {}

bool AnimationStepper::more_steps() const { return !stopped_ && steps_left_ && *steps_left_ > 0 && IsWindow(popup_); }

void AnimationStepper::run() {
  while (more_steps()) {
    // Sent, not posted: the step is taken on the window's thread before the
    // next one is sent, so steps never pile up in its queue. Block keeps the
    // stepper from handling sent messages of its own; abort-if-hung and the
    // time-out keep it from waiting on a thread that does not answer.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(popup_, WM_TIMER, kAnimationTimerId, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kStepTimeoutMs, &result);
    if (!more_steps()) break;
    Sleep(1);
  }
}

}  // namespace mz::menus
