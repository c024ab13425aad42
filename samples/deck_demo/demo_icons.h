#pragma once
// Small pictures for the demo's tools, drawn in code: each is a 16 x 16
// bitmap on a white ground (the bottom-left pixel's colour, which the
// control shows transparent) with a simple coloured figure.
#include <windows.h>

namespace demo {

enum class Figure { page, folder, disk, printer, scissors, copies, clipboard, bold, italic, undo, align, grid };

// A new bitmap the caller owns.
HBITMAP draw_icon(Figure figure);

}  // namespace demo
