// The animation stepper against a real window whose procedure takes the
// steps: it counts the steps left down on each animation timer message, as a
// popup does.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "animation_stepper_win32.h"
#include "toolbars/framework/tests/hosting_support.h"

namespace mz::menus {
namespace {

using test::pump_until;

// What the window saw, kept where its procedure finds it.
struct Steps {
  std::shared_ptr<std::atomic<int>> left;
  int taken = 0;
  int other_thread = 0;   // steps that arrived on a thread other than the window's
  int destroy_after = 0;  // the window destroys itself in the step that makes `taken` this; 0: never
};

LRESULT CALLBACK step_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* steps = reinterpret_cast<Steps*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message != WM_TIMER || wparam != kAnimationTimerId || !steps)
    return DefWindowProcW(window, message, wparam, lparam);
  // A step that was sent while this thread was busy can arrive after the
  // last one; only a step that is left is taken.
  if (*steps->left <= 0) return 0;
  --*steps->left;
  ++steps->taken;
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) ++steps->other_thread;
  if (steps->taken == steps->destroy_after) DestroyWindow(window);
  return 0;
}

const wchar_t* popup_class() {
  static const ATOM atom = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = step_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"AnimationStepperTestPopup";
    return RegisterClassW(&window_class);
  }();
  return reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(atom));
}

HWND make_popup(Steps& steps) {
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, popup_class(), L"", WS_POPUP, 100, 100, 50, 50, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&steps));
  return window;
}

// So many steps that the animation would outlast any test.
constexpr int kEndless = 1'000'000;

TEST(AnimationStepper, TheWindowTakesExactlyItsStepsOnItsOwnThreadAndTheThreadEnds) {
  for (const int count : {1, 5, 20}) {
    Steps steps{std::make_shared<std::atomic<int>>(count)};
    const HWND window = make_popup(steps);
    ASSERT_TRUE(window);
    const auto stepper = AnimationStepper::start(window, steps.left);
    EXPECT_TRUE(pump_until([&] { return stepper->finished(); })) << count << " steps";
    EXPECT_EQ(steps.taken, count);
    EXPECT_EQ(*steps.left, 0);
    EXPECT_EQ(steps.other_thread, 0);
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
  }
}

// The window goes mid-animation, between two steps or inside one (while
// the stepper waits for that step): the thread ends with steps left.
TEST(AnimationStepper, TheThreadEndsWhenTheWindowIsDestroyedMidAnimation) {
  struct Case {
    const char* name;
    int destroy_after;  // 0: the test destroys the window between steps
  };
  for (const Case& c : {Case{"between steps", 0}, Case{"inside a step", 3}}) {
    Steps steps{std::make_shared<std::atomic<int>>(kEndless), 0, 0, c.destroy_after};
    const HWND window = make_popup(steps);
    ASSERT_TRUE(window);
    const auto stepper = AnimationStepper::start(window, steps.left);
    ASSERT_TRUE(pump_until([&] { return steps.taken >= 3; })) << c.name;
    if (c.destroy_after == 0) DestroyWindow(window);
    EXPECT_FALSE(IsWindow(window)) << c.name;
    EXPECT_TRUE(pump_until([&] { return stepper->finished(); })) << c.name;
    EXPECT_GT(*steps.left, 0) << c.name;
  }
}

// The control stops the stepper while the window's thread is blocked and
// never looks at its messages: stopping does not wait for the thread, and
// the thread ends without the window's thread taking a step.
TEST(AnimationStepper, StoppedWhileTheWindowsThreadIsBlockedTheThreadEndsOnItsOwn) {
  Steps steps{std::make_shared<std::atomic<int>>(kEndless)};
  const HWND window = make_popup(steps);
  ASSERT_TRUE(window);
  const auto stepper = AnimationStepper::start(window, steps.left);
  ASSERT_TRUE(pump_until([&] { return steps.taken >= 2; }));
  stepper->stop();
  const int taken = steps.taken;
  // Blocked: no message is pumped, no sent message is received.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!stepper->finished() && std::chrono::steady_clock::now() < deadline) SwitchToThread();
  EXPECT_TRUE(stepper->finished());
  EXPECT_EQ(steps.taken, taken);
  EXPECT_TRUE(IsWindow(window));
  DestroyWindow(window);
}

}  // namespace
}  // namespace mz::menus
