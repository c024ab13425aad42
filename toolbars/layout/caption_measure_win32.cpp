#include "caption_measure_win32.h"

namespace mz {

namespace {

// The caption a placed tool shows: its own on this toolbar, else its tool's.
const std::wstring* caption_of(Deck& deck, PlacedTool& placed) {
  if (!placed.fields.name.empty()) return &placed.fields.name;
  const std::shared_ptr<Tool> tool = deck.tool_of(placed);
  return tool ? &tool->own.name : nullptr;
}

}  // namespace

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
      const std::wstring* caption = caption_of(deck, *placed);
      captions.store(placed.get(), caption && !caption->empty() ? extent_of(*caption, dc, captions) : Size{});
    }
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  captions.end_pass();
}

}  // namespace mz
