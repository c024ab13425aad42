#include <algorithm>

#include "deck.h"
#include "text_case.h"

namespace mz {

Outcome<std::shared_ptr<Toolbar>> Deck::add_toolbar(const std::wstring* name, int32_t style) {
  using Result = Outcome<std::shared_ptr<Toolbar>>;
  const bool menu_bar = style == static_cast<int32_t>(ToolbarStyle::menu_bar);
  if (menu_bar && toolbars_.has_menu_bar()) return Result::failure(ErrorCode::only_one_menu_bar);
  std::wstring chosen = name ? *name : toolbars_.next_default_name();
  if (chosen.empty() || toolbars_.find(chosen)) return Result::failure(ErrorCode::invalid_name);
  if (style != 0 && !menu_bar) return Result::failure(ErrorCode::general_failure);

  auto toolbar = std::make_shared<Toolbar>(std::move(chosen), static_cast<ToolbarStyle>(style));
  toolbar->stock = modes.design_time;
  toolbar->display_more_tools = !menu_bar && (modes.design_time || modes.designer);
  toolbars_.append(toolbar);
  changed();
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
  changed();
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
  changed();
  return ErrorCode::none;
}

ErrorCode Deck::set_allow_hiding(Toolbar& toolbar, bool allow) {
  if (toolbar.is_menu_bar()) return ErrorCode::property_read_only;
  if (toolbar.allow_hiding != allow) {
    toolbar.allow_hiding = allow;
    changed();
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_caption_alignment(Toolbar& toolbar, int alignment) {
  if (alignment < 0 || alignment > 3) return ErrorCode::invalid_property_value;
  if (toolbar.caption_alignment != alignment) {
    toolbar.caption_alignment = static_cast<uint8_t>(alignment);
    changed();
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_display_more_tools(Toolbar& toolbar, bool display) {
  if (toolbar.is_menu_bar()) return ErrorCode::invalid_property_value;
  if (toolbar.display_more_tools != display) {
    toolbar.display_more_tools = display;
    changed();
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
  if (row < 1 || row > INT16_MAX) return ErrorCode::invalid_property_value;
  if (toolbar.docked_row != row) {
    toolbar.docked_row = static_cast<int16_t>(row);
    changed();
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_docked_column(Toolbar& toolbar, int column) {
  if (column < 1 || column > INT16_MAX) return ErrorCode::invalid_property_value;
  if (toolbar.docked_column != column) {
    toolbar.docked_column = static_cast<int16_t>(column);
    changed();
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_docked_status(Toolbar& toolbar, int status) {
  if (!is_dock_code(status) || (toolbar.dock_flags & status) == 0) return ErrorCode::invalid_property_value;
  const int old = toolbar.docked_status;
  if (old == status) return ErrorCode::none;
  if (status == dock_floating) toolbar.return_dock = static_cast<uint8_t>(old);
  toolbar.docked_status = static_cast<uint8_t>(status);
  changed();
  if (old != dock_floating && status != dock_floating && toolbar.in_collection)
    fire({{Modified::toolbar_docked, shared_toolbar(&toolbar), nullptr}});
  return ErrorCode::none;
}

ErrorCode Deck::set_dock_flags(Toolbar& toolbar, int32_t flags) {
  if (flags < 0 || flags > kAllDockFlags) return ErrorCode::invalid_property_value;
  if (toolbar.dock_flags != flags) {
    toolbar.dock_flags = flags;
    changed();
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
  changed();
}

ErrorCode Deck::set_font3d(Toolbar& toolbar, int font3d) {
  if (font3d < 0 || font3d > 5) return ErrorCode::invalid_property_value;
  if (toolbar.font3d != font3d) {
    toolbar.font3d = static_cast<uint8_t>(font3d);
    changed();
  }
  return ErrorCode::none;
}

void Deck::set_stock(Toolbar& toolbar, bool stock) {
  if (toolbar.stock == stock) return;
  toolbar.stock = stock;
  if (stock) {
    toolbar.last_loaded.emplace();
    for (const auto& placed : toolbar.tools) {
      PlacedTool copy = *placed;
      copy.owner = nullptr;
      copy.link.reset();
      toolbar.last_loaded->push_back(std::move(copy));
    }
  } else {
    toolbar.last_loaded.reset();
  }
  changed();
}

ErrorCode Deck::set_toolbar_visible(Toolbar& toolbar, bool visible) {
  if (toolbar.is_menu_bar() && visible != toolbar.visible) return ErrorCode::invalid_property_value;
  if (!visible && !toolbar.allow_hiding) return ErrorCode::invalid_property_value;
  if (toolbar.visible == visible) return ErrorCode::none;
  toolbar.visible = visible;
  changed();
  if (toolbar.in_collection)
    fire({{visible ? Modified::toolbar_opened : Modified::toolbar_closed, shared_toolbar(&toolbar), nullptr}});
  return ErrorCode::none;
}

void Deck::keep_original_state() {
  original_toolbars_.clear();
  for (const auto& toolbar : toolbars_) {
    std::vector<PlacedTool>& copies = original_toolbars_[fold_case(toolbar->name)];
    copies.clear();
    for (const auto& placed : toolbar->tools) {
      PlacedTool copy = *placed;
      copy.owner = nullptr;
      copy.link.reset();
      copies.push_back(std::move(copy));
    }
  }
}

void Deck::forget_original_state() { original_toolbars_.clear(); }

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
  // The rebuild reports only the tools it adds.
  while (!toolbar.tools.empty()) toolbar.tools.erase(toolbar.tools.size() - 1);
  auto shared = shared_toolbar(&toolbar);
  PendingEvents events;
  for (const PlacedTool& original : source) {
    std::shared_ptr<Tool> tool;
    if (!original.is_separator()) {
      tool = tools_.find(original.id);
      if (!tool) continue;
    }
    auto copy = std::make_shared<PlacedTool>(original);
    copy->link = tool;
    toolbar.tools.insert(toolbar.tools.size(), copy);
    events.push_back({Modified::tool_added, shared, copy});
  }
  changed();
  fire(events);
  return ErrorCode::none;
}

}  // namespace mz
