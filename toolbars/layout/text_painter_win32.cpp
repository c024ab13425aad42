#include "text_painter_win32.h"

#include "gdi_objects_win32.h"
#include "paint_colours_win32.h"
#include "paint_primitives_win32.h"

namespace mz::paint {

namespace {

constexpr int kTurned = 2700;  // tenths of a degree

bool is_turned(HFONT font) {
  LOGFONTW description{};
  return GetObjectW(font, sizeof(description), &description) && description.lfEscapement == kTurned;
}

// How each layer draws the text: into `cell` with DrawText's `flags`. A
// turned font starts at the cell's top-right corner and runs down.
struct TextRun {
  std::wstring_view text;
  Rect cell;
  UINT flags = 0;
  bool turned = false;
};

// The extent of a line of text along its baseline and across it, the
// mnemonic markers taken out.
Size line_extent(HDC dc, std::wstring_view text) {
  RECT r{};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

// Platform flags as given, less those that would only measure the text or
// write an ellipsis into the caller's characters.
UINT drawing_flags(int flags) { return static_cast<UINT>(flags) & ~static_cast<UINT>(DT_CALCRECT | DT_MODIFYSTRING); }

TextRun text_run(HDC dc, std::wstring_view text, Rect rect, int alignment, bool turned) {
  constexpr UINT kAtCorner = DT_SINGLELINE | DT_NOCLIP | DT_LEFT | DT_TOP;
  const std::optional<TextPlacement> placement = text_placement(alignment);
  if (!turned) {
    if (!placement) return {text, rect, drawing_flags(alignment), false};
    return {text, place_text(rect, line_extent(dc, text), *placement), kAtCorner, false};
  }
  const Size along = line_extent(dc, text);
  const TextPlacement where = placement.value_or(TextPlacement{TextAlign::centre, TextAlign::centre});
  // A turned underline would not follow the text: the marker is hidden.
  return {text, place_text(rect, {along.height, along.width}, where), kAtCorner | DT_HIDEPREFIX, true};
}

void draw_run(HDC dc, const TextRun& run, Point offset) {
  const Rect& c = run.cell;
  const Rect target = moved(run.turned ? Rect{c.right, c.top, c.right + c.height(), c.top + c.width()} : c, offset);
  RECT r{target.left, target.top, target.right, target.bottom};
  DrawTextW(dc, run.text.data(), static_cast<int>(run.text.size()), &r, run.flags);
}

BOOL CALLBACK draw_grayed_run(HDC dc, LPARAM run, int) {
  draw_run(dc, *reinterpret_cast<const TextRun*>(run), {0, 0});
  return TRUE;
}

// The platform's grayed text: the run drawn into a mask at the origin, then
// half of its pixels painted with a brush of the text colour.
void draw_grayed(HDC dc, TextRun run, Point offset, COLORREF colour) {
  const Rect cell = moved(run.cell, offset);
  run.cell = rect_at({0, 0}, run.cell.size());
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  GrayStringW(dc, brush.get(), draw_grayed_run, reinterpret_cast<LPARAM>(&run), 0, cell.left, cell.top, cell.width(),
              cell.height());
}

COLORREF ink_colour(TextInk ink, const TextStyle& style) {
  switch (ink) {
    case TextInk::highlight: return resolved_colour(style.highlight);
    case TextInk::shadow: return resolved_colour(style.shadow);
    case TextInk::text:
    case TextInk::grayed: return resolved_colour(style.text);
  }
  return resolved_colour(style.text);
}

}  // namespace

void draw_text(HDC dc, std::wstring_view text, Rect rect, HFONT font, const TextStyle& style) {
  if (text.empty()) return;
  const SavedDc saved(dc);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const TextRun run = text_run(dc, text, rect, style.alignment, is_turned(font));
  if (style.opaque) fill_rect(dc, run.cell, resolved_colour(style.back));
  for (const TextLayer& layer : text_layers(style.effect, style.gray, style.drop_depth)) {
    if (layer.ink == TextInk::grayed) {
      draw_grayed(dc, run, layer.offset, ink_colour(layer.ink, style));
      continue;
    }
    SetTextColor(dc, ink_colour(layer.ink, style));
    draw_run(dc, run, layer.offset);
  }
}

}  // namespace mz::paint
