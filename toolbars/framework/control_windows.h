#pragma once
// The control's own windows (its placeholder window and the hidden tracker
// window that carries its timers and internal messages), the four message
// hooks of each thread, and the host hover worker.
#include <windows.h>

#include <atomic>
#include <memory>

#include "process_state.h"

namespace mz::com {

// The host window's property that names the control living in it.
inline constexpr wchar_t kControlProperty[] = L"MzControlProp";

// Internal message to the tracker window: the pointer moved over the host
// window and no mouse message for it passed the thread's mouse hook.
constexpr UINT kMessageHoverLost = 4035;

// The window classes live as long as the library.
void register_window_classes();
void unregister_window_classes();

// The design-time placeholder, a child of the container's window; it stays
// hidden at run time, where the control draws into its host window instead.
HWND create_placeholder_window(HWND parent, const RECT& position, bool visible);
// The hidden tracker window of a control; its messages go to the control.
HWND create_tracker_window(HookClient& control);

// Installs, for the calling thread only, each of its four hooks that is not
// installed yet; removes those that are.
void install_thread_hooks(ThreadControlList& record);
void remove_thread_hooks(ThreadControlList& record);

// Watches the pointer every 100 ms from a thread of its own. When the pointer
// has moved over the host window and, within 100 ms, no mouse message for that
// window passed the mouse hook (which calls signal()), it sends
// kMessageHoverLost to the tracker window. The worker and the control share
// this object, so the worker never touches a control that is gone.
class HoverWorker {
 public:
  static std::shared_ptr<HoverWorker> start(HWND host, HWND tracker);
  HoverWorker(HWND host, HWND tracker);
  HoverWorker(const HoverWorker&) = delete;
  HoverWorker& operator=(const HoverWorker&) = delete;
  ~HoverWorker();

  void signal() { SetEvent(hover_event_); }
  void set_host(HWND host) { host_ = host; }
  // How many times the worker has looked at the pointer, and how many times
  // it reported the pointer lost.
  long polls() const { return polls_; }
  long reports() const { return reports_; }
  // Ends the worker; it lets go of this object when it wakes.
  void stop();
  // The worker thread's loop.
  void run();

 private:
  std::atomic<HWND> host_;
  HWND tracker_;
  HANDLE hover_event_;
  std::atomic<bool> stopped_{false};
  std::atomic<long> polls_{0};
  std::atomic<long> reports_{0};
  POINT last_position_{-20000, -20000};
};

}  // namespace mz::com
