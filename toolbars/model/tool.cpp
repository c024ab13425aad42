#include "tool.h"

#include <algorithm>

#include "text_case.h"

namespace mz {

bool is_separator_id(std::wstring_view id) { return equal_ignoring_case(id, kSeparatorId); }

PlacedToolList::~PlacedToolList() {
  for (auto& placed : items_) placed->owner = nullptr;
}

long PlacedToolList::position_of(const PlacedTool* placed) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == placed) return static_cast<long>(i);
  return -1;
}

long PlacedToolList::position_of_id(std::wstring_view id) const {
  const std::wstring key = fold_case(id);
  for (size_t i = 0; i < items_.size(); ++i)
    if (fold_case(items_[i]->id) == key) return static_cast<long>(i);
  return -1;
}

void PlacedToolList::insert(size_t pos, std::shared_ptr<PlacedTool> placed) {
  placed->owner = this;
  items_.insert(items_.begin() + static_cast<long>(std::min(pos, items_.size())), std::move(placed));
}

std::shared_ptr<PlacedTool> PlacedToolList::erase(size_t pos) {
  std::shared_ptr<PlacedTool> removed = items_[pos];
  items_.erase(items_.begin() + static_cast<long>(pos));
  removed->owner = nullptr;
  return removed;
}

std::vector<std::shared_ptr<PlacedTool>> PlacedToolList::take_if(
    const std::function<bool(const PlacedTool&)>& taken) {
  std::vector<std::shared_ptr<PlacedTool>> removed;
  std::erase_if(items_, [&](const std::shared_ptr<PlacedTool>& placed) {
    if (!taken(*placed)) return false;
    placed->owner = nullptr;
    removed.push_back(placed);
    return true;
  });
  return removed;
}

std::vector<std::shared_ptr<PlacedTool>> PlacedToolList::take_stray_separators() {
  std::vector<std::shared_ptr<PlacedTool>> removed;
  std::vector<std::shared_ptr<PlacedTool>> kept;
  for (auto& placed : items_) {
    const bool stray = placed->is_separator() && (kept.empty() || kept.back()->is_separator());
    (stray ? removed : kept).push_back(std::move(placed));
  }
  if (!kept.empty() && kept.back()->is_separator()) {
    removed.push_back(std::move(kept.back()));
    kept.pop_back();
  }
  for (auto& placed : removed) placed->owner = nullptr;
  items_ = std::move(kept);
  return removed;
}

Tool::Tool(std::wstring tool_id, ToolType type) : id(std::move(tool_id)), type_(ToolType::button) {
  own.ctl_width = 75;
  set_type(type);
  if (type == ToolType::menu || type == ToolType::separator) auto_wrap = true;
  if (type == ToolType::separator) menu_visibility = 1;
}

void Tool::set_type(ToolType type) {
  type_ = type;
  combo_.reset();
  edit_.reset();
  menu_.reset();
  if (type == ToolType::combo_box) combo_ = std::make_unique<ComboData>();
  if (type == ToolType::edit) edit_ = std::make_unique<EditData>();
  if (type == ToolType::menu) menu_ = std::make_unique<PlacedToolList>(nullptr, this);
}

std::shared_ptr<PlacedTool> place_tool(const std::shared_ptr<Tool>& tool) {
  auto placed = std::make_shared<PlacedTool>();
  placed->id = tool->id;
  placed->fields = tool->own;
  placed->link = tool;
  return placed;
}

std::shared_ptr<PlacedTool> make_placed_separator() {
  auto placed = std::make_shared<PlacedTool>();
  placed->id = std::wstring(kSeparatorId);
  return placed;
}

}  // namespace mz
