#pragma once
// Executes paint plans into any device context: plans, texts, images, colours
// and fonts in, pixels out. No windows and no model objects.
#include <windows.h>

#include <span>
#include <string_view>

#include "caption_fonts_win32.h"
#include "paint_colours_win32.h"
#include "paint_plan.h"
#include "paint_primitives_win32.h"
#include "text_painter_win32.h"
#include "tool_images_win32.h"

namespace mz::paint {

// What a tool draws beyond its plan.
struct ToolArt {
  std::wstring_view caption;                             // Name, or ID when Name is empty
  const images::ToolImageCache::Image* image = nullptr;  // the picture its state shows, or none
  COLORREF fore = 0;                                     // the tool's ForeColor (Role::tool_fore)
};

// The text style of a caption plan: its effect and its roles' colours.
TextStyle caption_style(const CaptionPlan& plan, const Colours& colours, int drop_depth);

// The picture at plan.dest, stretched when that differs from its natural
// size, clipped to its shape there and to plan.clip when set. A silhouette
// plan first fills the shape, 1 pixel right and down, in button highlight.
// Nothing for a missing image, bitmap or shape.
void draw_image(HDC dc, const ImagePlan& plan, const images::ToolImageCache::Image* image, const Colours& colours);

void paint_tool(HDC dc, const ToolPlan& plan, const ToolArt& art, const Colours& colours, CaptionFonts& fonts);

// The frame, then the tools clipped to plan.clip, then the More Tools marks.
// `art` is indexed by PlannedTool::index; a tool beyond it draws its plan
// alone. Leaves the context's clip as it found it.
void paint_toolbar(HDC dc, const ToolbarPlan& plan, std::span<const ToolArt> art, const Colours& colours,
                   CaptionFonts& fonts);

// The tooltip window's client: fill, edges, the text centred, transparent,
// without mnemonic markers.
void paint_tooltip(HDC dc, const TooltipPlan& plan, std::wstring_view text, HFONT status_font, const Colours& colours);

}  // namespace mz::paint
