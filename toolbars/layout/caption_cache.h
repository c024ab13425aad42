#pragma once
// Caption extents measured by the painter, kept per placed tool and font
// generation. The painter measures a caption once when the caption or the
// font changes and stores it here; layout only reads, so placing tools never
// touches a device context. A new font generation makes every older entry a
// miss without walking the cache.
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "geometry.h"

namespace mz {

struct PlacedTool;

class CaptionCache {
 public:
  // The generation of the font that captions are measured with now.
  uint32_t font_generation() const { return generation_; }
  // The font changed: every stored extent is stale.
  void new_font() { ++generation_; }

  // Stores the measured extent of the tool's caption (text extent + 2 each,
  // as a horizontal toolbar shows it) for the current font.
  void store(const PlacedTool* tool, Size extent) { entries_[tool] = {generation_, extent}; }
  // The tool's caption changed or the tool is gone.
  void forget(const PlacedTool* tool) { entries_.erase(tool); }
  // The stored extent for the current font, or nothing.
  std::optional<Size> find(const PlacedTool* tool) const;

 private:
  struct Entry {
    uint32_t generation;
    Size extent;
  };
  uint32_t generation_ = 0;
  std::unordered_map<const PlacedTool*, Entry> entries_;
};

}  // namespace mz
