#include "hook_rules.h"

namespace mz::menus {
namespace {

// The platform's virtual-key codes of the keypad digits and the digits.
constexpr uint16_t kNumpad0 = 0x60, kNumpad9 = 0x69, kDigit0 = 0x30;

}  // namespace

uint16_t keypad_digit_as_digit(uint16_t key, bool num_lock_on) {
  if (!num_lock_on || key < kNumpad0 || key > kNumpad9) return key;
  return static_cast<uint16_t>(kDigit0 + (key - kNumpad0));
}

std::optional<Point> capture_relay_move(const CaptureRelayView& view) {
  if (!view.over_other_process || !view.capture_held) return std::nullopt;
  return Point{view.cursor.x - view.capture_client_origin.x, view.cursor.y - view.capture_client_origin.y};
}

HotToolStep hot_tool_step(const HotToolView& view) {
  if (view.raising_event || view.hot_tool_edits || view.over_tooltip) return HotToolStep::wait;
  if (view.same_window || view.over_menu) return HotToolStep::ask_control;
  return HotToolStep::tool_left;
}

}  // namespace mz::menus
