#pragma once
// The decisions of the thread's hooks and of the tracker's timers and
// workers, over plain values, so that the Win32 side only gathers the state
// and acts on the answer.
#include <cstdint>
#include <optional>

#include "toolbars/layout/geometry.h"

namespace mz::menus {

// The numeric keypad's digit keys stand for the digit keys while Num Lock
// is on, so they match the same mnemonics and shortcuts. Any other key, or
// any key with Num Lock off, stays what it is.
uint16_t keypad_digit_as_digit(uint16_t key, bool num_lock_on);

// What the capture relay sees at one tick.
struct CaptureRelayView {
  Point cursor;                   // screen coordinates
  bool over_other_process = false;  // the window under the cursor belongs to another process
  bool capture_held = false;      // a window of this thread holds the mouse capture
  Point capture_client_origin;    // that window's client origin, in screen coordinates
};

// The point, in the capturing window's client coordinates, of the mouse move
// to post to it; nothing when no move is due. While the cursor is over another
// process's window the capturing window gets no mouse messages of its own,
// so this keeps a drag tracking outside the application.
std::optional<Point> capture_relay_move(const CaptureRelayView& view);

// What the hot-tool worker sees at one poll.
struct HotToolView {
  bool raising_event = false;     // the control is inside an event handler
  bool hot_tool_edits = false;    // the hot tool is an edit or combo-box tool
  bool over_tooltip = false;      // the window under the cursor is a tooltip
  bool same_window = false;       // it is the window the worker saw last time
  bool over_menu = false;         // it is one of the control's popup menus
};

enum class HotToolStep {
  wait,         // nothing to do this time
  ask_control,  // ask the control which of its parts is under the cursor
  tool_left,    // the cursor left the hot tool: tell the tracker window
};

HotToolStep hot_tool_step(const HotToolView& view);

}  // namespace mz::menus
