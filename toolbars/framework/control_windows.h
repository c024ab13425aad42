#pragma once
// The control's design-time placeholder window, and the host window's
// property that names the control living in it. The tracker window, the
// thread's hooks and the workers are in toolbars/menus.
#include <windows.h>

namespace mz::com {

// The host window's property that names the control living in it.
inline constexpr wchar_t kControlProperty[] = L"MzControlProp";

// The window classes live as long as the library.
void register_window_classes();
void unregister_window_classes();

// The design-time placeholder, a child of the container's window; it stays
// hidden at run time, where the control draws into its host window instead.
HWND create_placeholder_window(HWND parent, const RECT& position, bool visible);

// What the placeholder shows, in `bounds` of any device context (its window,
// or a container's view of the control): button face inside a raised edge,
// with the control's toolbox picture in the middle.
void draw_placeholder(HDC dc, const RECT& bounds);

}  // namespace mz::com
