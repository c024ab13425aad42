#pragma once
// Single-line text with a 3-D effect, shared by the toolbars' captions, the
// tooltip and the popup menus.
#include <windows.h>

#include <string_view>

#include "geometry.h"
#include "paint_plan.h"

namespace mz::paint {

struct TextStyle {
  Font3D effect = Font3D::none;
  // Codes 0..8 place the measured text in the rectangle (see
  // text_placement); any other value is the platform's DrawText flags,
  // except those that measure only or modify the text.
  int alignment = 7;
  // The text's cell (the whole rectangle with platform flags) is filled
  // with `back` before the layers are drawn.
  bool opaque = false;
  bool gray = false;    // Font3D::none only: the platform's grayed text
  // COLORREFs, or with the high bit set system colour indexes.
  COLORREF text = 0;
  COLORREF back = 0;
  COLORREF shadow = 0;
  COLORREF highlight = 0;
  int drop_depth = 1;
};

// Draws `text` in `rect` with `font`, layer by layer (text_layers). An "&"
// marks the next character as a mnemonic, as the caption measurement has it.
// A font turned by 270 degrees reads top to bottom; its text is placed by
// the alignment code, centred for platform flags.
void draw_text(HDC dc, std::wstring_view text, Rect rect, HFONT font, const TextStyle& style);

}  // namespace mz::paint
