#include "caption_measure_win32.h"

#include "toolbar_paint.h"

namespace mz {

// The text's extent with its mnemonic marker taken out, plus 2 each way.
Size CaptionMeasure::extent_of(const std::wstring& text, HDC dc, CaptionCache& captions) {
  if (const std::optional<Size> known = captions.text_extent(text)) return *known;
  RECT r{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  const Size extent{r.right - r.left + 2, r.bottom - r.top + 2};
  captions.store_text(text, extent);
  return extent;
}

void CaptionMeasure::measure(Deck& deck, HFONT font, CaptionCache& captions) {
  if (font != font_) {
    font_ = font;
    captions.new_font();
  }
  HDC dc = GetDC(nullptr);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font);
  for (const auto& toolbar : deck.toolbars()) {
    for (const auto& placed : toolbar->tools) {
      if (placed->is_separator()) continue;
      const std::wstring caption = paint::shown_caption(deck, *placed);
      captions.store(placed.get(), caption.empty() ? Size{} : extent_of(caption, dc, captions));
    }
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  captions.end_pass();
}

}  // namespace mz
