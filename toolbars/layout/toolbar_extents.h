#pragma once
// The lengths and thickness of a docked toolbar that the dock areas arrange
// toolbars by. Lengths run along the toolbar and include its grab handle
// and border; all are in pixels.
#include "toolbar_input.h"

namespace mz {

// The grab handle's length: 3 for a floating toolbar or one without grab
// handles, else 10 when it may float (room for the second bar) and 7 when not.
int grab_width(bool floating, bool display_grab_handles, bool floatable);

// The length of the tools alone, each at its own size, with the More Tools
// button when shown: never less than an empty toolbar's 22 (a menu bar's 16,
// or 14 vertically).
int tools_full_length(const ToolbarInput& bar);

// The whole length with every tool shown.
int full_length(const ToolbarInput& bar);

// The length the toolbar takes in a dock area `area_length` long: a
// stretched toolbar, and the menu bar in a row, span the area; others take
// their full length.
int band_length(const ToolbarInput& bar, int area_length);

// The length the toolbar asks for when offered `space`: 97 style, the menu
// bar and the customizer keep the tools that keep their place (room for the
// chevron outside the customizer); 2000 style keeps the leading tools that
// fit in `space` after the More Tools allowance. Never more than the full
// length.
int fitted_length(const ToolbarInput& bar, int space);

// The shortest the 2000 style shrinks the toolbar to: the grab handle, its
// first tool and the overflow allowance. Other styles, the menu bar and the
// customizer never shrink: their minimum is the full length, which also
// bounds the minimum.
int minimum_length(const ToolbarInput& bar);

// The thickness of the toolbar on one line: its thickest tool + 4. An empty
// toolbar is as thick as one with a single picture tool.
int thickness(const ToolbarInput& bar);

}  // namespace mz
