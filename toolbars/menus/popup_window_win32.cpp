#include "popup_window_win32.h"

#include <windowsx.h>

#include <algorithm>

#include "error_info.h"

namespace mz::menus {
namespace {

constexpr wchar_t kPopupClass[] = L"MzMenu";
constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME;
// Topmost, so that a popup is never hidden behind its host when the host
// itself is a topmost window.
constexpr DWORD kExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_TOPMOST;

HINSTANCE class_instance = nullptr;

LRESULT CALLBACK popup_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* popup = reinterpret_cast<PopupWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!popup) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT result = 0;
  bool handled = false;
  // Nothing thrown by the control's handlers may cross the platform's frames.
  com::quietly([&] {
    result = popup->handle_message(message, wparam, lparam);
    handled = true;
  });
  return handled ? result : DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void register_popup_class(HINSTANCE instance) {
  class_instance = instance;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = popup_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kPopupClass;
  RegisterClassExW(&window_class);
}

void unregister_popup_class(HINSTANCE instance) { UnregisterClassW(kPopupClass, instance); }

Size PopupWindow::frame() {
  RECT rect{0, 0, 0, 0};
  AdjustWindowRectEx(&rect, kStyle, FALSE, kExtendedStyle);
  return {-rect.left, -rect.top};
}

bool PopupWindow::create(HWND owner, const Rect& rect, HANDLE tools, HANDLE menu) {
  destroy();
  window_ = CreateWindowExW(kExtendedStyle, kPopupClass, L"", kStyle, rect.left, rect.top, rect.width(),
                            rect.height(), owner, nullptr, class_instance, nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetPropW(window_, L"mzToolsProp", tools);
  SetPropW(window_, L"MzMenuProp", menu);
  return true;
}

void PopupWindow::destroy() {
  if (window_) {
    const HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (GetCapture() == window) ReleaseCapture();
    RemovePropW(window, L"mzToolsProp");
    RemovePropW(window, L"MzMenuProp");
    DestroyWindow(window);
  }
  free_buffer();
}

void PopupWindow::free_buffer() {
  if (buffer_dc_) {
    SelectObject(buffer_dc_, old_bitmap_);
    DeleteDC(buffer_dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  buffer_dc_ = nullptr;
  bitmap_ = nullptr;
  old_bitmap_ = nullptr;
  buffer_size_ = {};
}

HDC PopupWindow::content(Size size) {
  if (buffer_dc_ && buffer_size_ == size) return buffer_dc_;
  free_buffer();
  HDC screen = GetDC(nullptr);
  bitmap_ = CreateCompatibleBitmap(screen, std::max(size.width, 1), std::max(size.height, 1));
  buffer_dc_ = bitmap_ ? CreateCompatibleDC(screen) : nullptr;
  ReleaseDC(nullptr, screen);
  if (!buffer_dc_) {
    free_buffer();
    return nullptr;
  }
  old_bitmap_ = SelectObject(buffer_dc_, bitmap_);
  buffer_size_ = size;
  return buffer_dc_;
}

void PopupWindow::set_offset(int offset) {
  if (offset_ == offset) return;
  offset_ = offset;
  redraw();
}

void PopupWindow::place(const Rect& rect) {
  if (!window_) return;
  SetWindowPos(window_, HWND_TOPMOST, rect.left, rect.top, rect.width(), rect.height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

void PopupWindow::redraw(const Rect* client_part) {
  if (!window_) return;
  if (!client_part) {
    InvalidateRect(window_, nullptr, FALSE);
    return;
  }
  const RECT part{client_part->left, client_part->top - offset_, client_part->right, client_part->bottom - offset_};
  InvalidateRect(window_, &part, FALSE);
}

void PopupWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client{};
  GetClientRect(window_, &client);
  if (buffer_dc_) BitBlt(dc, 0, 0, client.right, client.bottom, buffer_dc_, 0, offset_, SRCCOPY);
  client_.popup_overlay(level_, dc);
  EndPaint(window_, &ps);
}

void PopupWindow::mouse(PopupMouse kind, PopupButton button, LPARAM lparam) {
  const Point at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (kind) {
    case PopupMouse::move:
      // The platform repeats a move when nothing moved (a window appeared
      // under the pointer): only a real move changes the highlight.
      if (lparam == last_move_) return;
      last_move_ = lparam;
      break;
    case PopupMouse::press:
      SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
      SetCapture(window_);
      break;
    case PopupMouse::release:
      // Letting go of its own capture is not the press being cancelled.
      if (GetCapture() == window_) {
        releasing_ = true;
        ReleaseCapture();
        releasing_ = false;
      }
      break;
  }
  client_.popup_mouse(level_, kind, button, at);
}

LRESULT PopupWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND window = window_;
  switch (message) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CANCELMODE: return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ENABLE:
      if (!wparam) EnableWindow(window, TRUE);
      return 0;
    case WM_MOUSEMOVE: mouse(PopupMouse::move, PopupButton::left, lparam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: mouse(PopupMouse::press, PopupButton::left, lparam); return 0;
    case WM_LBUTTONUP: mouse(PopupMouse::release, PopupButton::left, lparam); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: mouse(PopupMouse::press, PopupButton::right, lparam); return 0;
    case WM_RBUTTONUP: mouse(PopupMouse::release, PopupButton::right, lparam); return 0;
    case WM_CAPTURECHANGED:
      if (!releasing_ && reinterpret_cast<HWND>(lparam) != window) client_.popup_capture_lost(level_);
      return 0;
    case WM_TIMER: client_.popup_timer(level_, wparam); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace mz::menus
