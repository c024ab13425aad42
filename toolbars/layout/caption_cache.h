#pragma once
// Caption extents measured by the painter, kept per placed tool and font
// generation. The painter measures a caption once when the caption or the
// font changes and stores it here; layout only reads, so placing tools never
// touches a device context. A new font generation makes every older entry a
// miss without walking the cache.
//
// Each measuring pass stores every placed tool of the deck; at its end the
// entries of tools and texts it did not use are dropped, so that tools that
// went away and captions that changed do not pile up.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "geometry.h"

namespace mz {

struct PlacedTool;

class CaptionCache {
 public:
  // The generation of the font that captions are measured with now.
  uint32_t font_generation() const { return generation_; }
  // The font changed: every stored extent is stale.
  void new_font();

  // The extent measured for `text` in the current font, or nothing.
  std::optional<Size> text_extent(const std::wstring& text);
  void store_text(const std::wstring& text, Size extent);

  // Stores the measured extent of the tool's caption (text extent + 2 each,
  // as a horizontal toolbar shows it) for the current font.
  void store(const PlacedTool* tool, Size extent);
  // The tool's caption changed or the tool is gone.
  void forget(const PlacedTool* tool) { tools_.erase(tool); }
  // The stored extent for the current font, or nothing.
  std::optional<Size> find(const PlacedTool* tool) const;

  // Ends a measuring pass, which stored every placed tool of the deck.
  void end_pass();

 private:
  struct Entry {
    uint32_t generation = 0;
    uint32_t pass = 0;  // the last pass that used it
    Size extent;
  };

  uint32_t generation_ = 0;
  uint32_t pass_ = 1;
  std::unordered_map<const PlacedTool*, Entry> tools_;
  std::unordered_map<std::wstring, Entry> texts_;
};

}  // namespace mz
