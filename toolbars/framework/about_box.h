#pragma once
// The control's about box: a small dialog from the library's resources with
// the control's name and version.
#include <windows.h>

namespace mz::com {

// Shows the about box, owned by `owner` (may be null), until it is closed.
void show_about_box(HWND owner);

}  // namespace mz::com
