#pragma once
// Measures the captions of the tools on the deck's toolbars into the caption
// cache that layout reads. Each distinct text is measured once per font.
#include <windows.h>

#include <string>

#include "caption_cache.h"
#include "toolbars/model/deck.h"

namespace mz {

class CaptionMeasure {
 public:
  void measure(Deck& deck, HFONT font, CaptionCache& captions);

 private:
  static Size extent_of(const std::wstring& text, HDC dc, CaptionCache& captions);

  HFONT font_ = nullptr;
};

}  // namespace mz
