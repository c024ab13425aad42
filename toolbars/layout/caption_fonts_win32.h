#pragma once
// The fonts a toolbar's captions use.
#include <windows.h>

namespace mz::paint {

// The control's font (not owned), its copy turned by 270 degrees for
// vertical toolbars (made on first use, owned), and the drop-shadow depth of
// the font.
class CaptionFonts {
 public:
  explicit CaptionFonts(HFONT font);
  CaptionFonts(const CaptionFonts&) = delete;
  CaptionFonts& operator=(const CaptionFonts&) = delete;
  ~CaptionFonts();

  HFONT normal() const { return font_; }
  // Reads top to bottom. Only an outline font turns, so a font that is not
  // one is replaced by "Arial" in the turned copy.
  HFONT rotated();
  int drop_depth() const { return drop_depth_; }

 private:
  HFONT font_;
  HFONT rotated_ = nullptr;
  int drop_depth_ = 1;
};

}  // namespace mz::paint
