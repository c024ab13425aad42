#include "shortcut_index.h"

namespace mz::menus {

void ShortcutIndex::build(const ToolCollection& tools) {
  for (auto& owners : owners_) owners.clear();
  for (size_t i = 0; i < tools.size(); ++i) {
    const std::shared_ptr<Tool>& tool = tools.at(i);
    if (tool->shortcut > kShortcutNone && tool->shortcut < kShortcutCount) owners_[tool->shortcut].push_back(tool);
  }
  built_ = true;
}

}  // namespace mz::menus
