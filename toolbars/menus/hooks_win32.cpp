#include "hooks_win32.h"

#include <algorithm>
#include <vector>

#include "error_info.h"
#include "hook_rules.h"
#include "tracker_window_win32.h"

namespace mz::menus {
namespace {

using com::ControlListLock;
using com::existing_thread_controls;

// The thread's live controls at this moment, taken under the lock so that the
// hook can call them without it: their handlers may raise events, and an
// event handler may create or destroy controls.
std::vector<HookClient*> live_controls() {
  ControlListLock lock;
  const com::ThreadControlList* record = existing_thread_controls();
  return record ? record->controls : std::vector<HookClient*>{};
}

bool still_live(const HookClient* control) {
  ControlListLock lock;
  const com::ThreadControlList* record = existing_thread_controls();
  return record && std::ranges::find(record->controls, control) != record->controls.end();
}

// Calls `visit` for each control of the snapshot that is still live, in list
// order, until it returns true. A message whose window `target` died during
// a call counts as handled: nobody must act on it any more.
template <class Visit>
bool visit_controls(HWND target, Visit visit) {
  for (HookClient* control : live_controls()) {
    if (!still_live(control)) continue;
    if (visit(*control)) return true;
    if (target && !IsWindow(target)) return true;
  }
  return false;
}

bool is_nonclient_mouse_message(UINT message) { return message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK; }

bool is_sizing_border(UINT hit) { return hit >= HTSIZEFIRST && hit <= HTSIZELAST; }

HWND top_level_of(HWND window) { return window ? GetAncestor(window, GA_ROOT) : nullptr; }

void post_to_tracker(const HookClient& control, TrackerMessage message, WPARAM wparam = 0) {
  if (HWND tracker = control.tracker_window()) PostMessageW(tracker, static_cast<UINT>(message), wparam, 0);
}

// Each hook procedure runs its body under quietly(), so an exception never
// leaves the hook, and always passes the message on down the chain. A message
// a control ate is reported as handled.
template <class Body>
LRESULT pass_on(int code, WPARAM wparam, LPARAM lparam, Body body) {
  bool handled = false;
  com::quietly([&] { handled = body(); });
  const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
  return handled ? 1 : next;
}

KeyPress key_press(WPARAM key, LPARAM flags) {
  KeyPress press;
  press.key = keypad_digit_as_digit(static_cast<uint16_t>(key), (GetKeyState(VK_NUMLOCK) & 1) != 0);
  press.released = (flags & (1u << 31)) != 0;
  press.alt = (flags & (1u << 29)) != 0;
  press.ctrl = GetKeyState(VK_CONTROL) < 0;
  press.shift = GetKeyState(VK_SHIFT) < 0;
  return press;
}

LRESULT CALLBACK keyboard_hook(int code, WPARAM wparam, LPARAM lparam) {
  // A no-remove peek shows the key without taking it: only Alt counts there,
  // so that the menu bar can arm before the host sees the key.
  const bool wanted = code == HC_ACTION || (code == HC_NOREMOVE && wparam == VK_MENU);
  return pass_on(code, wparam, lparam, [&] {
    if (!wanted) return false;
    const KeyPress press = key_press(wparam, lparam);
    return visit_controls(GetFocus(), [&](HookClient& control) { return control.key_message(press); });
  });
}

LRESULT CALLBACK mouse_hook(int code, WPARAM wparam, LPARAM lparam) {
  return pass_on(code, wparam, lparam, [&] {
    if (code != HC_ACTION) return false;
    const auto& hook = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lparam);
    const MouseEvent event{static_cast<UINT>(wparam), hook.hwnd, hook.pt, hook.wHitTestCode};
    return visit_controls(hook.hwnd, [&](HookClient& control) {
      if (hook.hwnd && control.host_window() == hook.hwnd) control.mouse_message_for_host();
      return control.mouse_message(event);
    });
  });
}

LRESULT CALLBACK get_message_hook(int code, WPARAM wparam, LPARAM lparam) {
  return pass_on(code, wparam, lparam, [&] {
    auto& message = *reinterpret_cast<MSG*>(lparam);
    if (code != HC_ACTION || wparam != PM_REMOVE || !is_nonclient_mouse_message(message.message)) return false;
    const auto hit = static_cast<UINT>(message.wParam);
    if (is_sizing_border(hit)) return false;
    const MouseEvent event{message.message, message.hwnd, message.pt, hit};
    const bool eaten = visit_controls(message.hwnd, [&](HookClient& control) {
      return control.host_window() == message.hwnd && control.nonclient_mouse_message(event);
    });
    // A taken message cannot be refused: an eaten one reaches its window as nothing.
    if (eaten) message.message = WM_NULL;
    return false;
  });
}

// The sent messages the controls act on; every other message sent on the
// thread passes at the cost of this test.
bool watched(UINT message) {
  switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_PALETTECHANGED:
    case WM_SHOWWINDOW:
    case WM_SIZE:
    case WM_NCACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      return true;
    default:
      return false;
  }
}

// What a window message sent in the host's window tree means to one control.
void host_message(HookClient& control, const CWPSTRUCT& sent) {
  if (!watched(sent.message)) return;
  const HWND host = control.host_window();
  if (!host) return;
  const HWND top = top_level_of(host);
  const bool host_or_top = sent.hwnd == host || sent.hwnd == top;
  switch (sent.message) {
    case WM_SYSCOLORCHANGE:
      if (host_or_top) post_to_tracker(control, TrackerMessage::refresh_colours);
      break;
    case WM_PALETTECHANGED:
      if (host_or_top) post_to_tracker(control, TrackerMessage::realize_palette);
      break;
    case WM_SHOWWINDOW:
      // Floating toolbars follow the visibility of the host's ancestors.
      if (sent.hwnd != host && IsChild(sent.hwnd, host))
        post_to_tracker(control, TrackerMessage::show_floaters, sent.wParam);
      if (!sent.wParam && (host_or_top || IsChild(sent.hwnd, host))) control.host_hidden();
      break;
    case WM_SIZE:
      if (host_or_top && sent.wParam == SIZE_MINIMIZED) control.host_hidden();
      break;
    case WM_NCACTIVATE:
      if (sent.hwnd == host) control.activation_changed(sent.wParam != FALSE);
      break;
    case WM_ACTIVATEAPP:
      if (sent.hwnd == top) control.activation_changed(sent.wParam != FALSE);
      break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      if (host_or_top) control.native_menu_loop(sent.message == WM_ENTERMENULOOP);
      break;
  }
}

LRESULT CALLBACK call_window_procedure_hook(int code, WPARAM wparam, LPARAM lparam) {
  return pass_on(code, wparam, lparam, [&] {
    if (code != HC_ACTION) return false;
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lparam);
    visit_controls(sent.hwnd, [&](HookClient& control) {
      host_message(control, sent);
      return false;
    });
    // A sent message cannot be eaten here; the hook only observes it.
    return false;
  });
}

struct HookSpec {
  int id;
  HOOKPROC procedure;
};
constexpr HookSpec kHooks[com::kHookCount] = {
    {WH_GETMESSAGE, get_message_hook},
    {WH_CALLWNDPROC, call_window_procedure_hook},
    {WH_MOUSE, mouse_hook},
    {WH_KEYBOARD, keyboard_hook},
};

}  // namespace

void install_thread_hooks(com::ThreadControlList& record) {
  for (size_t i = 0; i < com::kHookCount; ++i) {
    if (!record.hooks[i])
      record.hooks[i] = SetWindowsHookExW(kHooks[i].id, kHooks[i].procedure, nullptr, GetCurrentThreadId());
  }
}

void remove_thread_hooks(com::ThreadControlList& record) {
  for (HHOOK& hook : record.hooks) {
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}

}  // namespace mz::menus
