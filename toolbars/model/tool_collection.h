#pragma once
// The control's master list of tools, in collection order, with a hashed
// index by case-folded ID so that lookups by ID do not grow with the number
// of tools. The index is kept in step with inserts, removals and renames.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tool.h"

namespace mz {

class ToolCollection {
 public:
  size_t size() const { return items_.size(); }
  const std::shared_ptr<Tool>& at(size_t pos) const { return items_[pos]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  std::shared_ptr<Tool> find(std::wstring_view id) const;
  // 0-based position of a tool of this collection, or -1.
  long position_of(const Tool* tool) const;

  // Inserts before the 0-based position pos (clamped to the end).
  void insert(size_t pos, std::shared_ptr<Tool> tool);
  std::shared_ptr<Tool> erase(size_t pos);
  // Empties the collection and hands its tools over, in order.
  std::vector<std::shared_ptr<Tool>> take_all();
  // Gives a tool of this collection a new ID; the caller has checked that no
  // other tool uses it.
  void rename(Tool& tool, std::wstring new_id);

 private:
  std::vector<std::shared_ptr<Tool>> items_;
  std::unordered_map<std::wstring, std::shared_ptr<Tool>> by_id_;
};

}  // namespace mz
