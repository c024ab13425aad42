#include "caption_fonts_win32.h"

#include <cwchar>

#include "paint_plan.h"

namespace mz::paint {

namespace {

// A memory context on the display with `font` selected, for reading the
// font's metrics.
class FontProbe {
 public:
  explicit FontProbe(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_) old_ = SelectObject(dc_, font);
  }
  FontProbe(const FontProbe&) = delete;
  FontProbe& operator=(const FontProbe&) = delete;
  ~FontProbe() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

CaptionFonts::CaptionFonts(HFONT font) : font_(font) {
  FontProbe probe(font_);
  TEXTMETRICW metrics{};
  if (probe.dc() && GetTextMetricsW(probe.dc(), &metrics))
    drop_depth_ = drop_shadow_depth(metrics.tmHeight, metrics.tmInternalLeading, GetDeviceCaps(probe.dc(), LOGPIXELSY));
}

CaptionFonts::~CaptionFonts() {
  if (rotated_) DeleteObject(rotated_);
}

HFONT CaptionFonts::rotated() {
  if (rotated_) return rotated_;
  LOGFONTW font{};
  if (!GetObjectW(font_, sizeof(font), &font)) return font_;
  font.lfEscapement = 2700;
  font.lfOrientation = 2700;
  const FontProbe probe(font_);
  const bool outline = probe.dc() && GetOutlineTextMetricsW(probe.dc(), 0, nullptr) != 0;
  if (!outline) {
    wcsncpy(font.lfFaceName, L"Arial", LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  }
  rotated_ = CreateFontIndirectW(&font);
  return rotated_ ? rotated_ : font_;
}

}  // namespace mz::paint
