#include "dock_window_win32.h"

#include "control_windows.h"

namespace mz {

namespace {

constexpr wchar_t kDockClass[] = L"MzDock";

HINSTANCE class_instance = nullptr;

}  // namespace

void register_dock_window_class(HINSTANCE instance) {
  class_instance = instance;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = DockWindow::procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kDockClass;
  RegisterClassExW(&window_class);
}

void unregister_dock_window_class(HINSTANCE instance) { UnregisterClassW(kDockClass, instance); }

HWND DockWindow::window(HWND host, int code) {
  if (window_) return window_;
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, kDockClass, L"", WS_POPUP, 0, 0, 0, 0, host,
                            nullptr, class_instance, this);
  if (!window_) return nullptr;
  SetPropW(window_, kDockProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(code)));
  SetPropW(window_, com::kControlProperty, GetPropW(host, com::kControlProperty));
  return window_;
}

void DockWindow::cover(const RECT& screen) const {
  if (!window_) return;
  SetWindowPos(window_, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOOWNERZORDER);
}

void DockWindow::destroy() {
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK DockWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<DockWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && self) {
    // The host's destruction takes its owned windows with it.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    RemovePropW(window, kDockProperty);
    RemovePropW(window, com::kControlProperty);
    self->window_ = nullptr;
    self = nullptr;
  }
  LRESULT result = 0;
  if (self && self->owner_.dock_window_message(window, message, wparam, lparam, result)) return result;
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace mz
