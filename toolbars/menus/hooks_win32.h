#pragma once
// The four message hooks of a thread (get-message, call-window-procedure,
// mouse, keyboard), shared by all live controls of the thread: installed by
// the first control that sets up its windows, removed with the last control.
// Each hook walks the thread's live controls in list order and hands them
// what they asked for through HookClient.
#include <windows.h>

#include "process_state.h"
#include "shortcut.h"

namespace mz::menus {

// A mouse message as the mouse hook sees it.
struct MouseEvent {
  UINT message = 0;
  HWND window = nullptr;  // the window the message is for
  POINT screen{};         // the cursor, in screen coordinates
  UINT hit_test = HTNOWHERE;
};

// What the thread's hooks need of a live control. Routes whose handling
// belongs to features built later return "not handled" by default; the
// control overrides them as those features arrive.
class HookClient {
 public:
  // The window the control lives in: the attached one, else its site's.
  virtual HWND host_window() const = 0;
  // The control's tracker window, null until it has one.
  virtual HWND tracker_window() const = 0;
  // A mouse message for the host window passed the mouse hook.
  virtual void mouse_message_for_host() = 0;
  // The host (through its non-client activation) or its top-level window
  // (through application activation) became active or inactive.
  virtual void activation_changed(bool active) = 0;
  // The platform's own menu loop started or ended in the host's window tree.
  virtual void native_menu_loop(bool running) = 0;

  // Another control of the process entered menu mode, or the host went
  // away: this one leaves menu mode without telling the others.
  virtual void leave_menu_mode_alone() {}
  // The host window (or a window around it) was hidden or minimized.
  virtual void host_hidden() { leave_menu_mode_alone(); }

  // A key event (keypad digits already read as digits while Num Lock is on);
  // true eats it. Menus and shortcut keys answer it.
  virtual bool key_message(const KeyPress&) { return false; }
  // Every mouse message of the thread; true eats it. Hot tracking and the
  // menus' clicks outside a popup answer it.
  virtual bool mouse_message(const MouseEvent&) { return false; }
  // A non-client mouse message of the host window, not on a sizing border,
  // as it is taken from the queue; true eats it. The child-window buttons of
  // a multiple-document host answer it.
  virtual bool nonclient_mouse_message(const MouseEvent&) { return false; }

 protected:
  ~HookClient() = default;
};

// Installs, for the calling thread only, each of its four hooks that is not
// installed yet; removes those that are. Callers hold the control-list lock.
void install_thread_hooks(com::ThreadControlList& record);
void remove_thread_hooks(com::ThreadControlList& record);

}  // namespace mz::menus
