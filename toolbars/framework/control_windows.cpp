#include "control_windows.h"

#include <algorithm>

#include "module.h"

namespace mz::com {
namespace {

constexpr wchar_t kPlaceholderClass[] = L"MzBarsWndClass";
constexpr int kToolboxBitmap = 1;

LRESULT CALLBACK placeholder_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      if (HDC dc = BeginPaint(window, &paint)) {
        RECT client{};
        GetClientRect(window, &client);
        draw_placeholder(dc, client);
        EndPaint(window, &paint);
      }
      return 0;
    }
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

// The toolbox picture centred in `bounds`, as far as it fits.
void draw_toolbox_picture(HDC dc, const RECT& bounds) {
  HBITMAP picture = LoadBitmapW(module_instance(), MAKEINTRESOURCEW(kToolboxBitmap));
  if (!picture) return;
  BITMAP size{};
  HDC memory = CreateCompatibleDC(dc);
  if (memory && GetObjectW(picture, sizeof size, &size)) {
    HGDIOBJ old = SelectObject(memory, picture);
    const int width = std::min<LONG>(size.bmWidth, bounds.right - bounds.left);
    const int height = std::min<LONG>(size.bmHeight, bounds.bottom - bounds.top);
    BitBlt(dc, bounds.left + (bounds.right - bounds.left - width) / 2,
           bounds.top + (bounds.bottom - bounds.top - height) / 2, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  }
  if (memory) DeleteDC(memory);
  DeleteObject(picture);
}

}  // namespace

void draw_placeholder(HDC dc, const RECT& bounds) {
  RECT inside = bounds;
  FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &inside, EDGE_RAISED, BF_RECT | BF_ADJUST);
  draw_toolbox_picture(dc, inside);
}

void register_window_classes() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = placeholder_procedure;
  window_class.hInstance = module_instance();
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kPlaceholderClass;
  RegisterClassExW(&window_class);
}

void unregister_window_classes() { UnregisterClassW(kPlaceholderClass, module_instance()); }

HWND create_placeholder_window(HWND parent, const RECT& position, bool visible) {
  return CreateWindowExW(0, kPlaceholderClass, L"", WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0),
                         position.left, position.top, position.right - position.left,
                         position.bottom - position.top, parent, nullptr, module_instance(), nullptr);
}

}  // namespace mz::com
