#pragma once
// The control's hidden tracker window "MzTracker": a child of the host
// window that is never visible, created on first use. It carries the
// control's timers (hover 77, capture relay 88, tooltip 99), the tooltip
// window "MzToolTip", the hot-tool worker, and the internal messages 4025 to
// 4039 that hooks, workers and popups post to it; each message goes to one
// named handler of the control (TrackerClient).
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "MzDeck2_h.h"

namespace mz::menus {

class HotToolWorker;

// The tracker window's internal messages. Their numbers are fixed: other
// windows and the hooks post them.
enum class TrackerMessage : UINT {
  hot_tool_left = 4025,
  customize = 4027,
  mdi_restore = 4028,
  mdi_minimize = 4029,
  mdi_close = 4030,
  toolbar_context_menu = 4031,
  refresh_colours = 4032,
  drop_down = 4033,
  hover_lost = 4035,
  mdi_system_menu = 4036,
  show_floaters = 4037,
  popup_escape = 4038,
  realize_palette = 4039,
};

// The control's side of the tracker window. The first group is what the
// control does today; the second are routes whose handling comes with the
// feature named at each, and which do nothing until that feature overrides
// them.
class TrackerClient {
 public:
  // 4035: the hover worker saw the pointer over the host window without the
  // mouse hook seeing it: the hooks are installed afresh.
  virtual void hover_lost() = 0;
  // 4032: the system colours changed: everything the control drew is drawn again.
  virtual void refresh_colours() = 0;
  // Timer 99: the tooltip of `tool` is due; its text, or nothing when it has
  // none to show. Whoever made the tool hot started the timer and cancels it
  // as soon as the tool is no longer hot, so the cursor is still over it.
  virtual std::optional<std::wstring> tooltip_text(const std::wstring& tool) = 0;
  // The hot-tool worker's question: which part of the control is at this
  // screen point (mzWhereIsNone when none is).
  virtual Constants_WhereIs where_is(POINT screen) = 0;

  // 4025, hot tracking: the cursor left the hot tool; it is looked up again.
  virtual void hot_tool_left() {}
  // 4027, customizer: its internal popup item "&Customize" was chosen.
  virtual void open_customizer() {}
  // 4028 to 4030, multiple-document hosts: restore, minimize or close the
  // active child window.
  virtual void mdi_child_command(TrackerMessage) {}
  // 4031, customizer: the toolbar context menu at the point in `lparam`.
  virtual void toolbar_context_menu(WPARAM, LPARAM) {}
  // 4033, menus: run a tool's drop-down.
  virtual void run_drop_down(WPARAM, LPARAM) {}
  // 4036, multiple-document hosts: the child's system menu at a rectangle.
  virtual void mdi_system_menu(WPARAM, LPARAM) {}
  // 4037, floating toolbars: an ancestor of the host was shown or hidden.
  virtual void show_floaters(bool) {}
  // 4038, menus: Esc in a popup shrank the popup chain.
  virtual void popup_escape(WPARAM, LPARAM) {}
  // 4039, painting: the palette changed and is realized again.
  virtual void realize_palette() {}
  // WM_KEYDOWN, menus: a key redirected from a focus window.
  virtual void redirected_key(WPARAM, LPARAM) {}
  // Timer 77, menus: the highlight rested for the hover delay.
  virtual void hover_elapsed() {}

 protected:
  ~TrackerClient() = default;
};

class TrackerWindow {
 public:
  explicit TrackerWindow(TrackerClient& client) : client_(client) {}
  TrackerWindow(const TrackerWindow&) = delete;
  TrackerWindow& operator=(const TrackerWindow&) = delete;
  // Stops the timers and the hot-tool worker and destroys the windows.
  ~TrackerWindow();

  // The window, created on first use as a child of `host` (and moved to
  // `host` when the control moved to another window).
  HWND window(HWND host);
  // The window if it exists, else null.
  HWND handle() const { return window_; }

  // Hover timer 77; hover_elapsed() when it fires. Restarting replaces it.
  void start_hover(UINT delay);
  void stop_hover();

  // Capture relay timer 88, every 60 ms; see capture_relay_move().
  void start_capture_relay();
  void stop_capture_relay();

  // Tooltip timer 99 for `tool`, `delay` ms; when it fires the tip shows the
  // text tooltip_text(tool) gives, if any. Cancelling stops the timer and
  // hides the tip.
  void start_tooltip(const std::wstring& tool, UINT delay);
  void cancel_tooltip();
  // The tooltip window if it was created, else null.
  HWND tooltip_window() const { return tooltip_; }

  // The hot-tool worker, from the moment a tool becomes hot until none is.
  void start_hot_tool_worker();
  void stop_hot_tool_worker();
  // What the worker reads: the control raises an event; the hot tool is an
  // edit or combo-box tool.
  void set_raising_event(bool raising);
  void set_hot_tool_edits(bool edits);
  // The running worker (null when none), for tests.
  std::shared_ptr<const HotToolWorker> hot_tool_worker() const;

  // A message of the window, for its window procedure: its result, or
  // nothing when the default handling applies.
  std::optional<LRESULT> handle(UINT message, WPARAM wparam, LPARAM lparam);
  // The window is being destroyed by its parent or by this object.
  void forget_window();

 private:
  void show_tooltip();
  void relay_capture();

  TrackerClient& client_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  std::wstring tooltip_tool_;
  std::shared_ptr<HotToolWorker> hot_tool_worker_;
  bool raising_event_ = false;
  bool hot_tool_edits_ = false;
};

// The tracker and tooltip window classes live as long as the library.
void register_tracker_classes(HINSTANCE instance);
void unregister_tracker_classes(HINSTANCE instance);

}  // namespace mz::menus
