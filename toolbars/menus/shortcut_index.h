#pragma once
// The tools that carry each shortcut code, in collection order, so that a
// key press finds its owner without walking the control's tools: the index
// is built once after the tools changed and then answers every key at the
// same cost however many tools there are.
#include <array>
#include <memory>
#include <vector>

#include "shortcut.h"
#include "toolbars/model/tool_collection.h"

namespace mz::menus {

class ShortcutIndex {
 public:
  // The tools or their shortcuts changed: the next lookup builds the index again.
  void invalidate() { built_ = false; }
  // The first tool carrying `code` that `usable` accepts, in collection
  // order; null for code 0, a code out of range, or no such tool.
  template <class Usable>
  std::shared_ptr<Tool> owner(const ToolCollection& tools, int code, Usable usable) {
    if (code <= kShortcutNone || code >= kShortcutCount) return nullptr;
    if (!built_) build(tools);
    for (const std::weak_ptr<Tool>& held : owners_[code])
      if (std::shared_ptr<Tool> tool = held.lock(); tool && usable(*tool)) return tool;
    return nullptr;
  }

 private:
  void build(const ToolCollection& tools);

  std::array<std::vector<std::weak_ptr<Tool>>, kShortcutCount> owners_;
  bool built_ = false;
};

}  // namespace mz::menus
