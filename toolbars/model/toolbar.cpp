#include "toolbar.h"

#include "text_case.h"

namespace mz {

Toolbar::Toolbar(std::wstring toolbar_name, ToolbarStyle style) : name(std::move(toolbar_name)), style_(style) {
  if (style == ToolbarStyle::menu_bar) allow_hiding = false;
}

std::shared_ptr<Toolbar> ToolbarCollection::find(std::wstring_view name) const {
  for (const auto& toolbar : items_)
    if (equal_ignoring_case(toolbar->name, name)) return toolbar;
  return nullptr;
}

long ToolbarCollection::position_of(const Toolbar* toolbar) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == toolbar) return static_cast<long>(i);
  return -1;
}

bool ToolbarCollection::has_menu_bar() const {
  for (const auto& toolbar : items_)
    if (toolbar->is_menu_bar()) return true;
  return false;
}

std::wstring ToolbarCollection::next_default_name() {
  for (;;) {
    std::wstring name = L"ToolBar" + std::to_wstring(name_counter_++);
    if (!find(name)) return name;
  }
}

void ToolbarCollection::append(std::shared_ptr<Toolbar> toolbar) {
  toolbar->in_collection = true;
  items_.push_back(std::move(toolbar));
}

std::shared_ptr<Toolbar> ToolbarCollection::erase(size_t pos) {
  std::shared_ptr<Toolbar> removed = items_[pos];
  items_.erase(items_.begin() + static_cast<long>(pos));
  removed->in_collection = false;
  return removed;
}

}  // namespace mz
