#include "control_windows.h"

#include "module.h"

namespace mz::com {
namespace {

constexpr wchar_t kPlaceholderClass[] = L"MzBarsWndClass";

}  // namespace

void register_window_classes() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = DefWindowProcW;
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
