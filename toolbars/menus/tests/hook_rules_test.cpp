#include "hook_rules.h"

#include <gtest/gtest.h>

namespace mz::menus {
namespace {

TEST(HookRules, KeypadDigitsAreDigitsWhileNumLockIsOn) {
  struct Case {
    uint16_t key;
    bool num_lock;
    uint16_t result;
  };
  const Case cases[] = {
      {0x60, true, '0'},   {0x65, true, '5'},   {0x69, true, '9'},
      {0x60, false, 0x60}, {0x69, false, 0x69},  // Num Lock off: the keypad key stays
      {0x6A, true, 0x6A},  // keypad multiply is no digit
      {0x5F, true, 0x5F},  // sleep, just below the keypad digits
      {'7', true, '7'},    {'A', true, 'A'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(keypad_digit_as_digit(c.key, c.num_lock), c.result) << std::hex << c.key << " num lock " << c.num_lock;
}

TEST(HookRules, TheCaptureRelayMovesOnlyOverAnotherProcessWhileCaptured) {
  const Point cursor{300, 200};
  const Point origin{120, 80};
  struct Case {
    bool other_process;
    bool captured;
    std::optional<Point> move;
  };
  const Case cases[] = {
      {true, true, Point{180, 120}},
      {true, false, std::nullopt},
      {false, true, std::nullopt},  // over its own windows the capturing window gets its moves itself
      {false, false, std::nullopt},
  };
  for (const Case& c : cases) {
    const CaptureRelayView view{cursor, c.other_process, c.captured, origin};
    EXPECT_EQ(capture_relay_move(view), c.move) << c.other_process << c.captured;
  }
  // A capturing window right of and below the cursor gets negative coordinates.
  EXPECT_EQ(capture_relay_move({{10, 10}, true, true, {50, 60}}), (Point{-40, -50}));
}

TEST(HookRules, TheHotToolWorkerAsksOrReportsByTheWindowUnderTheCursor) {
  struct Case {
    const char* name;
    HotToolView view;
    HotToolStep step;
  };
  const Case cases[] = {
      {"another window", {}, HotToolStep::tool_left},
      {"the same window", {.same_window = true}, HotToolStep::ask_control},
      {"a popup menu", {.over_menu = true}, HotToolStep::ask_control},
      {"a tooltip", {.over_tooltip = true}, HotToolStep::wait},
      {"inside an event", {.raising_event = true}, HotToolStep::wait},
      {"an edit tool is hot", {.hot_tool_edits = true, .same_window = true}, HotToolStep::wait},
      {"a combo tool is hot, cursor elsewhere", {.hot_tool_edits = true}, HotToolStep::wait},
  };
  for (const Case& c : cases) EXPECT_EQ(hot_tool_step(c.view), c.step) << c.name;
}

}  // namespace
}  // namespace mz::menus
