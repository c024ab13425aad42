#include "tool_collection.h"

#include <algorithm>
#include <utility>

#include "text_case.h"

namespace mz {

std::shared_ptr<Tool> ToolCollection::find(std::wstring_view id) const {
  auto it = by_id_.find(fold_case(id));
  return it == by_id_.end() ? nullptr : it->second;
}

long ToolCollection::position_of(const Tool* tool) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == tool) return static_cast<long>(i);
  return -1;
}

void ToolCollection::insert(size_t pos, std::shared_ptr<Tool> tool) {
  by_id_[fold_case(tool->id)] = tool;
  tool->in_collection = true;
  items_.insert(items_.begin() + static_cast<long>(std::min(pos, items_.size())), std::move(tool));
}

std::shared_ptr<Tool> ToolCollection::erase(size_t pos) {
  std::shared_ptr<Tool> removed = items_[pos];
  items_.erase(items_.begin() + static_cast<long>(pos));
  by_id_.erase(fold_case(removed->id));
  removed->in_collection = false;
  return removed;
}

std::vector<std::shared_ptr<Tool>> ToolCollection::take_all() {
  by_id_.clear();
  for (const auto& tool : items_) tool->in_collection = false;
  return std::exchange(items_, {});
}

void ToolCollection::rename(Tool& tool, std::wstring new_id) {
  auto node = by_id_.extract(fold_case(tool.id));
  tool.id = std::move(new_id);
  if (node.empty()) return;
  node.key() = fold_case(tool.id);
  by_id_.insert(std::move(node));
}

}  // namespace mz
