#include "caption_cache.h"

namespace mz {

void CaptionCache::new_font() {
  ++generation_;
  texts_.clear();
}

std::optional<Size> CaptionCache::text_extent(const std::wstring& text) {
  auto found = texts_.find(text);
  if (found == texts_.end()) return std::nullopt;
  found->second.pass = pass_;
  return found->second.extent;
}

void CaptionCache::store_text(const std::wstring& text, Size extent) { texts_[text] = {generation_, pass_, extent}; }

void CaptionCache::store(const PlacedTool* tool, Size extent) { tools_[tool] = {generation_, pass_, extent}; }

std::optional<Size> CaptionCache::find(const PlacedTool* tool) const {
  auto found = tools_.find(tool);
  if (found == tools_.end() || found->second.generation != generation_) return std::nullopt;
  return found->second.extent;
}

void CaptionCache::end_pass() {
  const auto unused = [&](const auto& entry) { return entry.second.pass != pass_; };
  std::erase_if(tools_, unused);
  std::erase_if(texts_, unused);
  ++pass_;
}

}  // namespace mz
