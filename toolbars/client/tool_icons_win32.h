#pragma once
// Small pictures drawn in code for a host's tools (the demo's and the
// tester's), and giving them to the control's tools. Each is a 16 x 16
// bitmap on a white ground (the bottom-left pixel's colour, which the control
// shows transparent) with a simple figure in lines and filled shapes.
#include <windows.h>

#include <span>

#include "MzDeck2_h.h"

namespace mz::client {

enum class Icon {
  page, folder, disk, printer, scissors, copies, clipboard, bold, italic, undo, align, grid,
  log, purge, book, globe, envelope, about, exit,
};

// A new bitmap the caller owns; the letters (bold, italic) depend on the
// system's fonts, the other figures do not.
HBITMAP draw_icon(Icon icon);

struct ToolIcon {
  const wchar_t* id;
  Icon icon;
};

// Gives each tool its picture through PictureBmp; stops at the first failure.
HRESULT give_icons(IMzToolBarControl* control, std::span<const ToolIcon> icons);

}  // namespace mz::client
