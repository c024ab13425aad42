#pragma once
// The thread that drives a popup's opening animation: once a millisecond it
// sends the popup window the animation timer message, and the window takes a
// step on its own thread and counts the steps left down. The thread ends when
// no steps are left, when the window is gone, or when the control stops it.
#include <windows.h>

#include <atomic>
#include <memory>

#include "hover_worker_win32.h"

namespace mz::menus {

// The WM_TIMER id of an animation step.
constexpr UINT_PTR kAnimationTimerId = 88;

class AnimationStepper final : public Worker {
 public:
  // `steps_left` is shared with the popup window, which decrements it in
  // each step. A step the stepper gave up waiting for still reaches the
  // window when its thread looks at its messages again, possibly after the
  // last one: the window takes a step only while steps are left.
  static std::shared_ptr<AnimationStepper> start(HWND popup, std::shared_ptr<std::atomic<int>> steps_left);
  AnimationStepper(HWND popup, std::shared_ptr<std::atomic<int>> steps_left);

 private:
  void run() override;
  bool more_steps() const;

  HWND popup_;
  std::shared_ptr<std::atomic<int>> steps_left_;
};

}  // namespace mz::menus
