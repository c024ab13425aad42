#include "control_windows.h"

#include "error_info.h"
#include "module.h"

namespace mz::com {
namespace {

constexpr wchar_t kPlaceholderClass[] = L"MzBarsWndClass";
constexpr wchar_t kTrackerClass[] = L"MzTracker";

LRESULT CALLBACK tracker_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kMessageHoverLost) {
    if (auto* control = reinterpret_cast<HookClient*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
      quietly([&] { control->hover_lost(); });
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void register_class(const wchar_t* name, UINT style, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = module_instance();
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

// The hooks pass every message on; what the control does with keys and mouse
// messages comes with its menus and keyboard handling.
LRESULT CALLBACK get_message_hook(int code, WPARAM wparam, LPARAM lparam) {
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK call_window_procedure_hook(int code, WPARAM wparam, LPARAM lparam) {
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK keyboard_hook(int code, WPARAM wparam, LPARAM lparam) {
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Tells the hover worker of the control whose host window gets the message
// that the pointer is still being tracked there.
LRESULT CALLBACK mouse_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const HWND target = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lparam)->hwnd;
    quietly([&] {
      ControlListLock lock;
      if (ThreadControlList* record = existing_thread_controls()) {
        for (HookClient* control : record->controls)
          if (target && control->host_window() == target) control->mouse_message_for_host();
      }
    });
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

struct HookSpec {
  int id;
  HOOKPROC procedure;
};
constexpr HookSpec kHooks[kHookCount] = {
    {WH_GETMESSAGE, get_message_hook},
    {WH_CALLWNDPROC, call_window_procedure_hook},
    {WH_MOUSE, mouse_hook},
    {WH_KEYBOARD, keyboard_hook},
};

}  // namespace

void register_window_classes() {
  register_class(kPlaceholderClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, DefWindowProcW);
  register_class(kTrackerClass, CS_DBLCLKS, tracker_procedure);
}

void unregister_window_classes() {
  UnregisterClassW(kPlaceholderClass, module_instance());
  UnregisterClassW(kTrackerClass, module_instance());
}

HWND create_placeholder_window(HWND parent, const RECT& position, bool visible) {
  return CreateWindowExW(0, kPlaceholderClass, L"", WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0),
                         position.left, position.top, position.right - position.left,
                         position.bottom - position.top, parent, nullptr, module_instance(), nullptr);
}

HWND create_tracker_window(HookClient& control) {
  HWND window = CreateWindowExW(0, kTrackerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module_instance(),
                                nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
  return window;
}

void install_thread_hooks(ThreadControlList& record) {
  for (size_t i = 0; i < kHookCount; ++i) {
    if (!record.hooks[i])
      record.hooks[i] = SetWindowsHookExW(kHooks[i].id, kHooks[i].procedure, nullptr, GetCurrentThreadId());
  }
}

void remove_thread_hooks(ThreadControlList& record) {
  for (HHOOK& hook : record.hooks) {
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}

// --- Host hover worker -----------------------------------------------------------

namespace {

// The worker thread holds a reference to the library, so that the library is
// not unloaded under it; it gives the reference back as it ends.
DWORD WINAPI hover_thread(void* parameter) {
  {
    std::unique_ptr<std::shared_ptr<HoverWorker>> worker(static_cast<std::shared_ptr<HoverWorker>*>(parameter));
    (*worker)->run();
  }
  FreeLibraryAndExitThread(module_instance(), 0);
}

}  // namespace

std::shared_ptr<HoverWorker> HoverWorker::start(HWND host, HWND tracker) {
  auto worker = std::make_shared<HoverWorker>(host, tracker);
  HMODULE library = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&hover_thread),
                          &library))
    return worker;
  auto* handed_over = new std::shared_ptr<HoverWorker>(worker);
  HANDLE thread = CreateThread(nullptr, 0, hover_thread, handed_over, 0, nullptr);
  if (thread) {
    CloseHandle(thread);
  } else {
    delete handed_over;
    FreeLibrary(library);
  }
  return worker;
}

HoverWorker::HoverWorker(HWND host, HWND tracker)
    : host_(host), tracker_(tracker), hover_event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

HoverWorker::~HoverWorker() {
  if (hover_event_) CloseHandle(hover_event_);
}

void HoverWorker::stop() {
  stopped_ = true;
  SetEvent(hover_event_);
}

void HoverWorker::run() {
  while (!stopped_) {
    Sleep(100);
    POINT position{};
    if (stopped_ || !GetCursorPos(&position)) continue;
    const bool moved = position.x != last_position_.x || position.y != last_position_.y;
    // Only the host window itself counts: over one of its child windows the
    // mouse hook sees messages for the child, never for the host.
    if (moved && WindowFromPoint(position) == host_) {
      const bool tracked = WaitForSingleObject(hover_event_, 100) == WAIT_OBJECT_0;
      if (stopped_) break;
      if (!tracked) {
        ++reports_;
        SendMessageW(tracker_, kMessageHoverLost, 0, 0);
      }
    }
    last_position_ = position;
    ++polls_;
  }
}

}  // namespace mz::com
