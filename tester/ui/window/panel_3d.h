#pragma once
// The window's 3-D panels: a sunken or raised frame drawn by the tester
// itself around a line of text, or around a bar filled to a percentage.
// A click on a panel reaches its parent as WM_COMMAND with the panel's id
// (left button) or as WM_CONTEXTMENU (right button).
#include <windows.h>

namespace quarrow::ui {

enum class PanelBevel { kSunken, kRaised };

// Registers the panel class once per process.
void RegisterPanelClass(HINSTANCE instance);

HWND CreatePanel(HWND parent, int id, PanelBevel bevel, const RECT& bounds, HFONT font);

// The bar's fill, 0 to 100; the panel shows the bar while it is above 0.
void SetPanelFill(HWND panel, int percent);
int PanelFill(HWND panel);

}  // namespace quarrow::ui
