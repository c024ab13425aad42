#include "painter_win32.h"

#include <vector>

#include "gdi_objects_win32.h"

namespace mz::paint {

namespace {

void frame_rect(HDC dc, Rect r, COLORREF colour) {
  fill_rect(dc, {r.left, r.top, r.right, r.top + 1}, colour);
  fill_rect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
  fill_rect(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
  fill_rect(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

Size natural_size(HBITMAP bitmap) {
  BITMAP description{};
  if (!GetObjectW(bitmap, sizeof(description), &description)) return {};
  return {description.bmWidth, description.bmHeight};
}

// The shape of a picture of `natural` size drawn over `dest`, in device
// coordinates as clipping wants them: scaled with the picture and moved.
HRGN shape_at(HDC dc, HRGN shape, Size natural, Rect dest) {
  const DWORD size = GetRegionData(shape, 0, nullptr);
  if (size == 0) return nullptr;
  std::vector<BYTE> data(size);
  if (GetRegionData(shape, size, reinterpret_cast<RGNDATA*>(data.data())) == 0) return nullptr;
  POINT at{dest.left, dest.top};
  LPtoDP(dc, &at, 1);
  const XFORM transform{static_cast<FLOAT>(dest.width()) / static_cast<FLOAT>(natural.width), 0, 0,
                        static_cast<FLOAT>(dest.height()) / static_cast<FLOAT>(natural.height),
                        static_cast<FLOAT>(at.x), static_cast<FLOAT>(at.y)};
  return ExtCreateRegion(&transform, size, reinterpret_cast<const RGNDATA*>(data.data()));
}

void copy_bitmap(HDC dc, HBITMAP bitmap, Size natural, Rect dest) {
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  const HGDIOBJ old = SelectObject(source, bitmap);
  if (dest.size() == natural) {
    BitBlt(dc, dest.left, dest.top, natural.width, natural.height, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.width(), dest.height(), source, 0, 0, natural.width, natural.height,
               SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

void draw_caption(HDC dc, const CaptionPlan& plan, std::wstring_view caption, const Colours& colours,
                  CaptionFonts& fonts) {
  const TextStyle style = caption_style(plan, colours, fonts.drop_depth());
  draw_text(dc, caption, plan.rect, plan.rotated ? fonts.rotated() : fonts.normal(), style);
}

}  // namespace

TextStyle caption_style(const CaptionPlan& plan, const Colours& colours, int drop_depth) {
  TextStyle style;
  style.effect = plan.effect;
  style.text = colours(plan.colour);
  style.highlight = colours(plan.highlight);
  style.shadow = colours(plan.shadow);
  style.drop_depth = drop_depth;
  return style;
}

void draw_image(HDC dc, const ImagePlan& plan, const images::ToolImageCache::Image* image, const Colours& colours) {
  if (!image || !image->bitmap || !image->shape) return;
  const Size natural = natural_size(image->bitmap);
  if (natural.width <= 0 || natural.height <= 0 || plan.dest.width() <= 0 || plan.dest.height() <= 0) return;
  const SavedDc saved(dc);
  if (plan.clip) IntersectClipRect(dc, plan.clip->left, plan.clip->top, plan.clip->right, plan.clip->bottom);
  if (plan.silhouette) {
    const Rect lifted = moved(plan.dest, {1, 1});
    const GdiObject<HRGN> shape(shape_at(dc, image->shape, natural, lifted));
    if (shape) {
      const SavedDc around_fill(dc);
      ExtSelectClipRgn(dc, shape.get(), RGN_AND);
      fill_rect(dc, lifted, colours(Role::highlight));
    }
  }
  const GdiObject<HRGN> shape(shape_at(dc, image->shape, natural, plan.dest));
  if (!shape) return;
  ExtSelectClipRgn(dc, shape.get(), RGN_AND);
  copy_bitmap(dc, image->bitmap, natural, plan.dest);
}

void paint_tool(HDC dc, const ToolPlan& plan, const ToolArt& art, const Colours& colours, CaptionFonts& fonts) {
  if (plan.own_window) return;
  const Colours tool_colours = colours.with(Role::tool_fore, art.fore);
  if (plan.separator) draw_edge(dc, *plan.separator, tool_colours);
  for (const Shape& arrow : plan.arrows) draw_shape(dc, arrow, tool_colours);
  if (plan.checkerboard) draw_checkerboard(dc, *plan.checkerboard, tool_colours(Role::highlight));
  if (plan.caption) draw_caption(dc, *plan.caption, art.caption, tool_colours, fonts);
  if (plan.image) draw_image(dc, *plan.image, art.image, tool_colours);
  for (const Rect& frame : plan.black_frames) frame_rect(dc, frame, tool_colours(Role::black));
  for (const Edge& frame : plan.frames) draw_edge(dc, frame, tool_colours);
}

void paint_toolbar(HDC dc, const ToolbarPlan& plan, std::span<const ToolArt> art, const Colours& colours,
                   CaptionFonts& fonts) {
  if (plan.frame.border) draw_edge(dc, *plan.frame.border, colours);
  for (const Edge& bar : plan.frame.grab) draw_edge(dc, bar, colours);
  for (const Shape& line : plan.frame.chevron) draw_shape(dc, line, colours);
  {
    const SavedDc saved(dc);
    IntersectClipRect(dc, plan.clip.left, plan.clip.top, plan.clip.right, plan.clip.bottom);
    for (const PlannedTool& tool : plan.tools)
      paint_tool(dc, tool.plan, tool.index < art.size() ? art[tool.index] : ToolArt{}, colours, fonts);
  }
  for (const Shape& mark : plan.more_tools) draw_shape(dc, mark, colours);
}

void paint_tooltip(HDC dc, const TooltipPlan& plan, std::wstring_view text, HFONT status_font, const Colours& colours) {
  fill_rect(dc, plan.fill, colours(plan.back));
  for (const Edge& edge : plan.edges) draw_edge(dc, edge, colours);
  TextStyle style;
  style.alignment = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;
  style.text = colours(plan.text_colour);
  draw_text(dc, text, plan.text, status_font, style);
}

}  // namespace mz::paint
