#include "caption_cache.h"

namespace mz {

std::optional<Size> CaptionCache::find(const PlacedTool* tool) const {
  auto found = entries_.find(tool);
  if (found == entries_.end() || found->second.generation != generation_) return std::nullopt;
  return found->second.extent;
}

}  // namespace mz
