#pragma once
// Pieces every window of the tester is built from: its class, the object it
// was created for, child controls in the window's font, and tool tips.
#include <windows.h>

namespace quarrow::ui {

// Registers a window class of this program once: arrow pointer, button-face
// background.
void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC proc);

// The object a window was created for (its creation parameter), kept in the
// window's user data from WM_NCCREATE until WM_NCDESTROY.
template <class T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  auto* object = reinterpret_cast<T*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return object;
}

// A visible child control with id `id`, drawn in `font`.
HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, int id, const RECT& bounds,
                 HFONT font);

// The tool tip window of `owner`.
HWND CreateTipWindow(HWND owner);

// Shows `text` as the tip of `tool`, a child of `owner`. With
// LPSTR_TEXTCALLBACKA the owner is asked for the text each time the tip shows.
void AddTip(HWND tips, HWND owner, HWND tool, const char* text);

}  // namespace quarrow::ui
