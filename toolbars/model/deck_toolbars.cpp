#include <algorithm>

#include "deck.h"
#include "property_ranges.h"
#include "text_case.h"
#include "text_case.h"

namespace mz {
namespace {

// Copies of placed tools that belong to no list and are linked to no tool.
std::vector<PlacedTool> detached_copies(const PlacedToolList& list) {
  std::vector<PlacedTool> copies;
  copies.reserve(list.size());
  for (const auto& placed : list) {
    PlacedTool copy = *placed;
    copy.owner = nullptr;
    copy.link.reset();
    copies.push_back(std::move(copy));
  }
  return copies;
}

}  // namespace

Outcome<std::shared_ptr<Toolbar>> Deck::add_toolbar(const std::wstring* name, int32_t style) {
  using Result = Outcome<std::shared_ptr<Toolbar>>;
  const bool menu_bar = style == static_cast<int32_t>(ToolbarStyle::menu_bar);
  if (menu_bar && toolbars_.has_menu_bar()) return Result(ErrorCode::only_one_menu_bar);
  std::wstring chosen = name ? *name : toolbars_.next_default_name();
  if (chosen.empty() || toolbars_.find(chosen)) return Result(ErrorCode::invalid_name);
  if (style != 0 && !menu_bar) return Result(ErrorCode::general_failure);

  auto toolbar = std::make_shared<Toolbar>(std::move(chosen), static_cast<ToolbarStyle>(style));
  toolbar->stock = modes.design_time;
  toolbar->display_more_tools = !menu_bar && (modes.design_time || modes.designer);
  toolbars_.append(toolbar);
  changed({.scope = ChangeScope::toolbars, .toolbar = toolbar.get()});
  fire({{Modified::toolbar_created, toolbar, nullptr}});
  return Result{toolbar};
}

void Deck::remove_toolbar(std::shared_ptr<Toolbar> toolbar) {
  if (toolbars_.position_of(toolbar.get()) < 0) return;
  fire({{Modified::toolbar_destroyed, toolbar, nullptr}});
  // The handler may already have removed it.
  long pos = toolbars_.position_of(toolbar.get());
  if (pos < 0) return;
  toolbars_.erase(static_cast<size_t>(pos));
  changed({.scope = ChangeScope::toolbars, .toolbar = toolbar.get()});
}

PlacedTool* Deck::more_tools_button(Toolbar& toolbar) {
  if (modes.design_time || !toolbar.display_more_tools || toolbar.is_menu_bar()) return nullptr;
  return &internal_.more_tools_button(toolbar);
}

void Deck::clear_toolbars() {
  std::vector<std::shared_ptr<Toolbar>> all(toolbars_.begin(), toolbars_.end());
  for (const auto& toolbar : all) remove_toolbar(toolbar);
}

ErrorCode Deck::set_toolbar_name(Toolbar& toolbar, std::wstring_view name) {
  if (toolbar.name == name) return ErrorCode::none;
  if (name.empty()) return ErrorCode::invalid_property_value;
  if (auto other = toolbars_.find(name); other && other.get() != &toolbar) return ErrorCode::invalid_property_value;
  toolbar.name = name;
  changed({.scope = ChangeScope::toolbar_look, .toolbar = &toolbar});
  return ErrorCode::none;
}

ErrorCode Deck::set_allow_hiding(Toolbar& toolbar, bool allow) {
  if (toolbar.is_menu_bar()) return ErrorCode::property_read_only;
  if (toolbar.allow_hiding != allow) {
    toolbar.allow_hiding = allow;
    changed({.scope = ChangeScope::toolbar_look, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_caption_alignment(Toolbar& toolbar, int alignment) {
  if (!kCaptionAlignmentRange.contains(alignment)) return ErrorCode::invalid_property_value;
  if (toolbar.caption_alignment != alignment) {
    toolbar.caption_alignment = static_cast<uint8_t>(alignment);
    changed({.scope = ChangeScope::toolbar_size, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_display_more_tools(Toolbar& toolbar, bool display) {
  if (toolbar.is_menu_bar()) return ErrorCode::invalid_property_value;
  if (toolbar.display_more_tools != display) {
    toolbar.display_more_tools = display;
    changed({.scope = ChangeScope::toolbar_size, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

int16_t Deck::docked_row(const Toolbar& toolbar) const {
  return toolbar.floating() ? toolbar.floating_row : toolbar.docked_row;
}

int16_t Deck::docked_column(const Toolbar& toolbar) const {
  return toolbar.floating() ? toolbar.floating_column : toolbar.docked_column;
}

ErrorCode Deck::set_docked_row(Toolbar& toolbar, int row) {
  if (!kDockedRowRange.contains(row)) return ErrorCode::invalid_property_value;
  if (toolbar.docked_row != row) {
    toolbar.docked_row = static_cast<int16_t>(row);
    changed({.scope = ChangeScope::toolbar_position, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_docked_column(Toolbar& toolbar, int column) {
  if (!kDockedColumnRange.contains(column)) return ErrorCode::invalid_property_value;
  if (toolbar.docked_column != column) {
    toolbar.docked_column = static_cast<int16_t>(column);
    changed({.scope = ChangeScope::toolbar_position, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_docked_status(Toolbar& toolbar, int status) {
  const auto code = dock_code_of(status);
  if (!code || !toolbar.dock_flags.allows(*code)) return ErrorCode::invalid_property_value;
  const DockCode old = toolbar.docked_status;
  if (old == *code) return ErrorCode::none;
  if (*code == DockCode::floating) toolbar.return_dock = old;
  toolbar.docked_status = *code;
  changed({.scope = ChangeScope::toolbar_position, .toolbar = &toolbar});
  if (is_dock_area(old) && is_dock_area(*code) && toolbar.in_collection)
    fire({{Modified::toolbar_docked, shared_toolbar(&toolbar), nullptr}});
  return ErrorCode::none;
}

ErrorCode Deck::set_dock_flags(Toolbar& toolbar, int32_t flags) {
  if (!kDockFlagsRange.contains(flags)) return ErrorCode::invalid_property_value;
  if (toolbar.dock_flags != DockFlags(flags)) {
    toolbar.dock_flags = DockFlags(flags);
    changed({.scope = ChangeScope::toolbar_position, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

void Deck::set_floating_height(Toolbar& toolbar, int32_t height) {
  if (toolbar.floating_height == height) return;
  // A floating frame keeps its perimeter: what it gains in height it gives
  // up in width.
  if (toolbar.floating()) {
    int64_t width = int64_t{toolbar.floating_width} + toolbar.floating_height - height;
    toolbar.floating_width = static_cast<int32_t>(std::clamp<int64_t>(width, 16, INT32_MAX));
  }
  toolbar.floating_height = height;
  changed({.scope = ChangeScope::toolbar_position, .toolbar = &toolbar});
}

ErrorCode Deck::set_font3d(Toolbar& toolbar, int font3d) {
  if (!kFont3DRange.contains(font3d)) return ErrorCode::invalid_property_value;
  if (toolbar.font3d != font3d) {
    toolbar.font3d = static_cast<uint8_t>(font3d);
    changed({.scope = ChangeScope::toolbar_look, .toolbar = &toolbar});
  }
  return ErrorCode::none;
}

void Deck::set_stock(Toolbar& toolbar, bool stock) {
  if (toolbar.stock == stock) return;
  toolbar.stock = stock;
  if (stock) {
    toolbar.last_loaded = detached_copies(toolbar.tools);
  } else {
    toolbar.last_loaded.reset();
  }
  changed({.scope = ChangeScope::data, .toolbar = &toolbar});
}

ErrorCode Deck::set_toolbar_visible(Toolbar& toolbar, bool visible) {
  if (toolbar.is_menu_bar() && visible != toolbar.visible) return ErrorCode::invalid_property_value;
  if (!visible && !toolbar.allow_hiding) return ErrorCode::invalid_property_value;
  if (toolbar.visible == visible) return ErrorCode::none;
  toolbar.visible = visible;
  changed({.scope = ChangeScope::toolbar_position, .toolbar = &toolbar});
  if (toolbar.in_collection)
    fire({{visible ? Modified::toolbar_opened : Modified::toolbar_closed, shared_toolbar(&toolbar), nullptr}});
  return ErrorCode::none;
}

void Deck::keep_original_state() {
  forget_original_state();
  for (const auto& toolbar : toolbars_) original_toolbars_[fold_case(toolbar->name)] = detached_copies(toolbar->tools);
  for (const auto& tool : tools_)
    if (const PlacedToolList* menu = tool->menu()) original_menus_[fold_case(tool->id)] = detached_copies(*menu);
}

void Deck::forget_original_state() {
  original_toolbars_.clear();
  original_menus_.clear();
}

std::vector<std::shared_ptr<PlacedTool>> Deck::restore_placed(const std::vector<PlacedTool>& source,
                                                              PlacedToolList& list) {
  while (!list.empty()) list.erase(list.size() - 1);
  std::vector<std::shared_ptr<PlacedTool>> added;
  for (const PlacedTool& original : source) {
    std::shared_ptr<Tool> tool;
    if (!original.is_separator()) {
      tool = tools_.find(original.id);
      if (!tool) continue;
    }
    auto copy = std::make_shared<PlacedTool>(original);
    copy->link = tool;
    list.insert(list.size(), copy);
    added.push_back(copy);
  }
  return added;
}

void Deck::restore_menus(const std::vector<std::shared_ptr<PlacedTool>>& placed, std::unordered_set<const Tool*>& seen) {
  for (const auto& item : placed) {
    std::shared_ptr<Tool> tool = item->link.lock();
    if (!tool || !tool->menu() || !seen.insert(tool.get()).second) continue;
    auto original = original_menus_.find(fold_case(tool->id));
    if (original == original_menus_.end()) continue;
    restore_menus(restore_placed(original->second, *tool->menu()), seen);
  }
}

ErrorCode Deck::reset_toolbar(Toolbar& toolbar, bool last_loaded) {
  if (!toolbar.stock || !toolbar.in_collection) return ErrorCode::cannot_perform;
  // The original state is the one kept when saved state is loaded at run
  // time; without a copy to restore from there is nothing to reset to.
  const std::vector<PlacedTool>* kept = nullptr;
  if (last_loaded) {
    if (toolbar.last_loaded) kept = &*toolbar.last_loaded;
  } else if (auto it = original_toolbars_.find(fold_case(toolbar.name)); it != original_toolbars_.end()) {
    kept = &it->second;
  }
  if (!kept) return ErrorCode::cannot_perform;

  const std::vector<PlacedTool> source = *kept;
  // The rebuild reports only the tools it adds to the toolbar; the menus of
  // its menu tools go back to their original sub-tools the same way.
  auto added = restore_placed(source, toolbar.tools);
  std::unordered_set<const Tool*> seen;
  restore_menus(added, seen);
  auto shared = shared_toolbar(&toolbar);
  PendingEvents events;
  for (const auto& placed : added) events.push_back({Modified::tool_added, shared, placed});
  changed({.scope = ChangeScope::placed_tools, .list = &toolbar.tools});
  fire(events);
  return ErrorCode::none;
}

}  // namespace mz
