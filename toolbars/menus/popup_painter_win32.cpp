#include "popup_painter_win32.h"

#include "toolbars/layout/paint_primitives_win32.h"
#include "toolbars/layout/painter_win32.h"
#include "toolbars/layout/text_painter_win32.h"

namespace mz::menus {

namespace {

using paint::Role;

// Popup texts use no drop shadow; the depth only completes the style.
constexpr int kNoDropDepth = 1;

void draw_item_text(HDC dc, std::wstring_view text, const paint::CaptionPlan& plan, const paint::Colours& colours,
                    HFONT font, int alignment) {
  paint::TextStyle style = paint::caption_style(plan, colours, kNoDropDepth);
  style.alignment = alignment;
  paint::draw_text(dc, text, plan.rect, font, style);
}

}  // namespace

void paint_popup_item(HDC dc, const PopupItemPlan& plan, const PopupItemArt& art, const paint::Colours& colours,
                      HFONT font) {
  const paint::Colours item_colours = colours.with(Role::tool_fore, art.fore);
  paint::fill_rect(dc, plan.rect, item_colours(Role::popup_back));
  if (plan.fill) paint::fill_rect(dc, plan.fill->rect, item_colours(plan.fill->role));
  for (const paint::Edge& edge : plan.edges) paint::draw_edge(dc, edge, item_colours);
  for (const paint::Shape& mark : plan.marks) paint::draw_shape(dc, mark, item_colours);
  if (plan.image) paint::draw_image(dc, *plan.image, art.image, item_colours);
  // The caption is centred in its measured rectangle, its mnemonic
  // underlined; the shortcut ends at its rectangle's right edge, taken as
  // it is written.
  constexpr int kCentred = 7;
  if (plan.caption) draw_item_text(dc, art.caption, *plan.caption, item_colours, font, kCentred);
  if (plan.shortcut) {
    draw_item_text(dc, art.shortcut, *plan.shortcut, item_colours, font,
                   DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOPREFIX);
  }
}

void paint_scroll_area(HDC dc, Rect area, bool up, const paint::Colours& colours) {
  paint::fill_rect(dc, area, colours(Role::popup_back));
  paint::draw_shape(dc, scroll_arrow(area, up), colours);
}

}  // namespace mz::menus
