#include "window_parts.h"

#include <commctrl.h>

namespace quarrow::ui {

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC proc) {
  WNDCLASSA windowClass{};
  if (::GetClassInfoA(instance, name, &windowClass)) return;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = name;
  ::RegisterClassA(&windowClass);
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, int id, const RECT& bounds,
                 HFONT font) {
  const HWND child = ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                       bounds.left, bounds.top, bounds.right - bounds.left,
                                       bounds.bottom - bounds.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                                       nullptr);
  ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

HWND CreateTipWindow(HWND owner) {
  return ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                           0, owner, nullptr,
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(owner, GWLP_HINSTANCE)), nullptr);
}

void AddTip(HWND tips, HWND owner, HWND tool, const char* text) {
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<char*>(text);
  ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace quarrow::ui
