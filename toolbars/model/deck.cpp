#include "deck.h"

#include <algorithm>
#include <unordered_set>

#include "colour.h"
#include "property_ranges.h"
#include "text_case.h"

namespace mz {
namespace {

// Where a new item goes for a 1-based Index (0 is the front, negative appends).
size_t insert_position(long index, size_t size) {
  if (index < 0) return size;
  if (index == 0) return 0;
  return std::min(static_cast<size_t>(index - 1), size);
}

bool has_control_window(ToolType type) { return type == ToolType::combo_box || type == ToolType::edit; }

}  // namespace

// The change of a placed-level field: the placed tool's, or the tool's own.
Change placed_change(ChangeScope scope, const ToolRef& ref) {
  return ref.is_placed() ? Change{.scope = scope, .placed = ref.placed.get()} : Change{scope, ref.tool.get()};
}

bool change_all_takes_text(int property) { return property == static_cast<int>(ChangeAllProperty::name); }

// --- The control's Tools -----------------------------------------------------

Outcome<std::shared_ptr<Tool>> Deck::add_tool(std::wstring_view id, int32_t type, long index) {
  using Result = Outcome<std::shared_ptr<Tool>>;
  // Separators exist only as placed tools, and a tool needs an ID to be found.
  if (id.empty() || is_separator_id(id) || type == static_cast<int32_t>(ToolType::separator))
    return Result(ErrorCode::invalid_index);
  if (!kToolTypeRange.contains(type)) return Result(ErrorCode::invalid_property_value);
  if (tools_.find(id)) return Result(ErrorCode::duplicate_id);

  auto tool = std::make_shared<Tool>(std::wstring(id), static_cast<ToolType>(type));
  tools_.insert(insert_position(index, tools_.size()), tool);
  // A tool added again is no longer one the user removed.
  if (removed_folded_.erase(fold_case(id)) > 0)
    std::erase_if(removed_tool_ids_, [&](const std::wstring& removed) { return equal_ignoring_case(removed, id); });
  changed({ChangeScope::tools, tool.get()});
  return Result{tool};
}

void Deck::remove_tool(std::shared_ptr<Tool> tool) {
  long pos = tools_.position_of(tool.get());
  if (pos < 0) return;
  tools_.erase(static_cast<size_t>(pos));

  PendingEvents events;
  for (const auto& toolbar : toolbars_) {
    for (long at = toolbar->tools.position_of_id(tool->id); at >= 0; at = toolbar->tools.position_of_id(tool->id))
      take_out_placed(toolbar->tools, static_cast<size_t>(at), events);
  }
  for (const auto& other : tools_) {
    if (PlacedToolList* menu = other->menu()) {
      for (long at = menu->position_of_id(tool->id); at >= 0; at = menu->position_of_id(tool->id))
        menu->erase(static_cast<size_t>(at));
    }
  }
  if (!modes.design_time) note_removed_tool(tool->id);
  changed({ChangeScope::tools, tool.get()});
  fire(events);
}

void Deck::discard_all() {
  while (toolbars_.size() > 0) toolbars_.erase(toolbars_.size() - 1);
  while (tools_.size() > 0) tools_.erase(tools_.size() - 1);
  removed_tool_ids_.clear();
  removed_folded_.clear();
  forget_original_state();
}

void Deck::note_removed_tool(std::wstring_view id) {
  if (removed_folded_.insert(fold_case(id)).second) removed_tool_ids_.emplace_back(id);
}

void Deck::clear_tools() {
  std::vector<std::shared_ptr<Tool>> removed = tools_.take_all();
  if (removed.empty()) return;
  // Every placed tool of a removed tool goes, from the toolbars and from the
  // menus of the removed tools (a host may still hold them); what is left
  // is tidied once per list rather than once per tool.
  std::unordered_set<std::wstring> ids;
  for (const auto& tool : removed) ids.insert(fold_case(tool->id));
  auto shows_removed = [&](const PlacedTool& placed) { return !placed.is_separator() && ids.contains(fold_case(placed.id)); };

  PendingEvents events;
  for (const auto& toolbar : toolbars_) {
    auto shared = shared_toolbar(toolbar.get());
    auto taken = toolbar->tools.take_if(shows_removed);
    auto strays = toolbar->tools.take_stray_separators();
    for (auto* list : {&taken, &strays})
      for (auto& placed : *list) events.push_back({Modified::tool_removed, shared, std::move(placed)});
  }
  for (const auto& tool : removed)
    if (PlacedToolList* menu = tool->menu()) menu->take_if(shows_removed);
  if (!modes.design_time)
    for (const auto& tool : removed) note_removed_tool(tool->id);
  changed({ChangeScope::tools});
  fire(events);
}

// --- Placed tools --------------------------------------------------------------

bool Deck::is_live(const PlacedToolList& list) const {
  if (const Toolbar* toolbar = list.toolbar()) return toolbar->in_collection;
  const Tool* menu_tool = list.menu_tool();
  return menu_tool && menu_tool->in_collection && menu_tool->menu() == &list;
}

bool Deck::menu_contains(const Tool& menu_tool, const Tool& target) const {
  // Each menu is looked into once, however many menus share it.
  std::unordered_set<const Tool*> seen{&menu_tool};
  std::vector<const Tool*> pending{&menu_tool};
  while (!pending.empty()) {
    const PlacedToolList* menu = pending.back()->menu();
    pending.pop_back();
    if (!menu) continue;
    for (const auto& placed : *menu) {
      std::shared_ptr<Tool> inner = tools_.find(placed->id);
      if (!inner) continue;
      if (inner.get() == &target) return true;
      if (seen.insert(inner.get()).second) pending.push_back(inner.get());
    }
  }
  return false;
}

Outcome<std::shared_ptr<PlacedTool>> Deck::add_placed(PlacedToolList& list, std::wstring_view id, int32_t type,
                                                      long index) {
  using Result = Outcome<std::shared_ptr<PlacedTool>>;
  if (!is_live(list)) return Result(ErrorCode::cannot_perform);

  std::shared_ptr<PlacedTool> placed;
  size_t pos = 0;
  if (is_separator_id(id) || type == static_cast<int32_t>(ToolType::separator)) {
    // A separator goes before an existing tool that is not itself a
    // separator, and never first.
    if (index <= 1 || static_cast<size_t>(index) > list.size() || list.at(static_cast<size_t>(index - 1))->is_separator())
      return Result(ErrorCode::cannot_perform);
    placed = make_placed_separator();
    pos = static_cast<size_t>(index - 1);
  } else {
    std::shared_ptr<Tool> tool = tools_.find(id);
    if (const Tool* owner = list.menu_tool(); owner && tool && (tool.get() == owner || menu_contains(*tool, *owner)))
      return Result(ErrorCode::cannot_perform);
    if (!tool) {
      auto added = add_tool(id, type, -1);
      if (!added.ok()) return Result(added.error());
      tool = added.value();
    }
    placed = place_tool(tool);
    pos = insert_position(index, list.size());
  }
  list.insert(pos, placed);
  changed({.scope = ChangeScope::placed_tools, .list = &list});
  if (Toolbar* toolbar = list.toolbar()) fire({{Modified::tool_added, shared_toolbar(toolbar), placed}});
  return Result{placed};
}

void Deck::take_out_placed(PlacedToolList& list, size_t pos, PendingEvents& events) {
  std::shared_ptr<PlacedTool> removed = list.erase(pos);
  Toolbar* toolbar = list.toolbar();
  if (!toolbar) return;
  auto shared = shared_toolbar(toolbar);
  events.push_back({Modified::tool_removed, shared, removed});

  // A separator left first, last or next to another one goes too.
  auto is_sep = [&](size_t at) { return list.at(at)->is_separator(); };
  const bool has_left = pos > 0, has_right = pos < list.size();
  size_t extra = list.size();
  if (has_right && is_sep(pos) && (!has_left || is_sep(pos - 1)))
    extra = pos;
  else if (has_left && !has_right && is_sep(pos - 1))
    extra = pos - 1;
  if (extra < list.size()) events.push_back({Modified::tool_removed, shared, list.erase(extra)});
}

void Deck::remove_placed(PlacedToolList& list, size_t pos) {
  if (pos >= list.size()) return;
  PendingEvents events;
  take_out_placed(list, pos, events);
  changed({.scope = ChangeScope::placed_tools, .list = &list});
  fire(events);
}

void Deck::clear_placed(PlacedToolList& list) {
  PendingEvents events;
  while (!list.empty()) take_out_placed(list, list.size() - 1, events);
  changed({.scope = ChangeScope::placed_tools, .list = &list});
  fire(events);
}

void Deck::fire(const PendingEvents& events) {
  for (const auto& event : events) events_.toolbar_modified(event.change, event.toolbar, event.placed);
}

std::shared_ptr<Toolbar> Deck::shared_toolbar(const Toolbar* toolbar) const {
  long pos = toolbars_.position_of(toolbar);
  return pos < 0 ? nullptr : toolbars_.at(static_cast<size_t>(pos));
}

template <class Fn>
void Deck::for_each_placed_list(Fn&& fn) {
  for (const auto& toolbar : toolbars_) fn(toolbar->tools);
  for (const auto& tool : tools_)
    if (PlacedToolList* menu = tool->menu()) fn(*menu);
}

// --- Tool properties -----------------------------------------------------------

std::shared_ptr<Tool> Deck::tool_of(PlacedTool& placed) const {
  if (auto linked = placed.link.lock(); linked && (linked->in_collection || linked->internal)) return linked;
  if (placed.is_separator()) return nullptr;
  auto found = tools_.find(placed.id);
  placed.link = found;
  return found;
}

const Tool& Deck::read_tool(const ToolRef& ref) const {
  if (!ref.is_placed()) return *ref.tool;
  if (auto tool = tool_of(*ref.placed)) return *tool;
  static const Tool separator(std::wstring(kSeparatorId), ToolType::separator);
  static const Tool blank(L"", ToolType::button);
  return ref.placed->is_separator() ? separator : blank;
}

Outcome<Tool*> Deck::write_tool(const ToolRef& ref) {
  if (ref.is_placed()) return Outcome<Tool*>(ErrorCode::property_read_only);
  return Outcome<Tool*>{ref.tool.get()};
}

PlacedFields& Deck::placed_fields(const ToolRef& ref) { return ref.is_placed() ? ref.placed->fields : ref.tool->own; }

const std::wstring& Deck::id_of(const ToolRef& ref) const { return ref.is_placed() ? ref.placed->id : ref.tool->id; }

ErrorCode Deck::set_id(const ToolRef& ref, std::wstring_view id) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  Tool& tool = *target.value();
  if (tool.id == id) return ErrorCode::none;
  // Placed tools with this ID would turn into separators; a tool without an
  // ID could not be found.
  if (id.empty() || is_separator_id(id)) return ErrorCode::invalid_property_value;
  if (!tool.in_collection) {
    tool.id = id;
    changed({ChangeScope::tools, &tool});
    return ErrorCode::none;
  }
  if (auto other = tools_.find(id); other && other.get() != &tool) return ErrorCode::duplicate_id;

  const std::wstring old_id = tool.id;
  tools_.rename(tool, std::wstring(id));
  auto carry = [&](PlacedTool& placed) {
    if (equal_ignoring_case(placed.id, old_id)) placed.id = id;
  };
  for_each_placed_list([&](PlacedToolList& list) {
    for (const auto& placed : list) carry(*placed);
  });
  // The kept copies that Reset restores follow the rename too.
  for (const auto& toolbar : toolbars_)
    if (toolbar->last_loaded)
      for (auto& placed : *toolbar->last_loaded) carry(placed);
  for (auto& [name, copies] : original_toolbars_)
    for (auto& placed : copies) carry(placed);
  for (auto& [menu_id, copies] : original_menus_)
    for (auto& placed : copies) carry(placed);
  if (auto menu = original_menus_.extract(fold_case(old_id)); !menu.empty()) {
    menu.key() = fold_case(id);
    original_menus_.insert(std::move(menu));
  }
  changed({ChangeScope::tools, &tool});
  return ErrorCode::none;
}

ErrorCode Deck::set_group(const ToolRef& ref, std::wstring_view group) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  Tool& tool = *target.value();
  if (tool.group == group) return ErrorCode::none;
  tool.group = group;
  if (!group.empty() && tool.in_collection) {
    bool other_checked = false;
    bool first_found = false;
    for (const auto& member : tools_) {
      if (!equal_ignoring_case(member->group, group)) continue;
      if (!first_found) {
        tool.group_allow_all_up = member->group_allow_all_up;
        first_found = true;
      }
      if (member.get() != &tool && member->state == 1) other_checked = true;
    }
    if (tool.state == 1 && other_checked) tool.state = 0;
  }
  changed({ChangeScope::tool_look, &tool});
  return ErrorCode::none;
}

ErrorCode Deck::set_group_allow_all_up(const ToolRef& ref, bool allow) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  Tool& tool = *target.value();
  tool.group_allow_all_up = allow;
  if (!tool.group.empty() && tool.in_collection) {
    for (const auto& member : tools_)
      if (equal_ignoring_case(member->group, tool.group)) member->group_allow_all_up = allow;
  }
  changed({ChangeScope::tool_look, &tool});
  return ErrorCode::none;
}

ErrorCode Deck::set_state(const ToolRef& ref, int state) {
  if (!kToolStateRange.contains(state)) return ErrorCode::invalid_property_value;
  std::shared_ptr<Tool> tool = ref.is_placed() ? tool_of(*ref.placed) : ref.tool;
  if (!tool) return ErrorCode::cannot_perform;
  if (tool->state == state) return ErrorCode::none;
  if (state == 0 && !tool->group_allow_all_up) return ErrorCode::none;
  if (state == 1 && !tool->group.empty() && tool->in_collection) {
    for (const auto& member : tools_)
      if (member != tool && equal_ignoring_case(member->group, tool->group)) member->state = 0;
  }
  tool->state = static_cast<uint8_t>(state);
  changed({ChangeScope::tool_look, tool.get()});

  if (!ref.is_placed()) {
    events_.tool_click(ref);
    return ErrorCode::none;
  }
  switch (tool->type()) {
    case ToolType::menu:
      // Opening and closing the menu belongs to the menu loop.
      break;
    case ToolType::state_button:
    case ToolType::drop_down_state:
      events_.tool_click(ref);
      break;
    default:
      // Any other placed tool behaves as if clicked: it fires and pops up again.
      if (state == 1) {
        events_.tool_click(ref);
        tool->state = 0;
        changed({ChangeScope::tool_look, tool.get()});
      }
      break;
  }
  return ErrorCode::none;
}

void Deck::click(const std::shared_ptr<PlacedTool>& placed) {
  const std::shared_ptr<Tool> tool = tool_of(*placed);
  if (!tool || tool->type() == ToolType::menu) return;
  const ToolRef ref{nullptr, placed};
  const bool toggles = tool->type() == ToolType::state_button || tool->type() == ToolType::drop_down_state;
  if (!toggles || (tool->state == 1 && !tool->group_allow_all_up)) {
    events_.tool_click(ref);
    return;
  }
  set_state(ref, tool->state == 1 ? 0 : 1);
}

ErrorCode Deck::set_shortcut(const ToolRef& ref, int shortcut) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  Tool& tool = *target.value();
  if (!kShortcutRange.contains(shortcut)) return ErrorCode::invalid_property_value;
  if (tool.shortcut == shortcut) return ErrorCode::none;
  if (shortcut != 0 && tool.in_collection) {
    for (const auto& other : tools_)
      if (other.get() != &tool && other->shortcut == shortcut) return ErrorCode::shortcut_in_use;
  }
  tool.shortcut = static_cast<uint8_t>(shortcut);
  changed({ChangeScope::tool_size, &tool});
  return ErrorCode::none;
}

ErrorCode Deck::set_type(const ToolRef& ref, int type) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  if (!kToolTypeRange.contains(type)) return ErrorCode::invalid_property_value;
  Tool& tool = *target.value();
  if (tool.type() == static_cast<ToolType>(type)) return ErrorCode::none;
  tool.set_type(static_cast<ToolType>(type));
  changed({ChangeScope::tool_size, &tool});
  return ErrorCode::none;
}

ErrorCode Deck::set_picture_size(const ToolRef& ref, int size) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  if (!kPictureSizeRange.contains(size)) return ErrorCode::invalid_property_value;
  if (target.value()->picture_size != size) {
    target.value()->picture_size = static_cast<int16_t>(size);
    changed({ChangeScope::tool_size, target.value()});
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_menu_visibility(const ToolRef& ref, int visibility) {
  auto target = write_tool(ref);
  if (!target.ok()) return target.error();
  if (!kMenuVisibilityRange.contains(visibility)) return ErrorCode::invalid_property_value;
  if (target.value()->menu_visibility != visibility) {
    target.value()->menu_visibility = static_cast<uint8_t>(visibility);
    changed({ChangeScope::tool_size, target.value()});
  }
  return ErrorCode::none;
}

bool Deck::visible(const ToolRef& ref) const {
  return ref.is_placed() ? ref.placed->fields.visible_here : ref.tool->visible;
}

ErrorCode Deck::set_visible(const ToolRef& ref, bool visible) {
  bool* field = nullptr;
  if (ref.is_placed()) {
    // Only a toolbar with the Add-or-Remove-Buttons menu hides tools of its own.
    const Toolbar* toolbar = ref.placed->owner ? ref.placed->owner->toolbar() : nullptr;
    if (!toolbar || !toolbar->display_more_tools || !toolbar->allow_customize) return ErrorCode::property_read_only;
    field = &ref.placed->fields.visible_here;
  } else {
    field = &ref.tool->visible;
  }
  if (*field != visible) {
    *field = visible;
    changed(placed_change(ChangeScope::tool_size, ref));
  }
  return ErrorCode::none;
}

Outcome<int16_t> Deck::ctl_width(const ToolRef& ref) const {
  const Tool& tool = read_tool(ref);
  if (!has_control_window(tool.type())) return Outcome<int16_t>(ErrorCode::not_a_placed_property);
  int16_t width = ref.is_placed() ? ref.placed->fields.ctl_width : tool.own.ctl_width;
  return Outcome<int16_t>{width == -1 ? tool.own.ctl_width : width};
}

ErrorCode Deck::set_ctl_width(const ToolRef& ref, int width) {
  if (!has_control_window(read_tool(ref).type())) return ErrorCode::not_a_placed_property;
  // -1 hands a placed tool back to its tool's width; other widths are pixels.
  const PropertyRange& range = ref.is_placed() ? kPlacedCtlWidthRange : kToolCtlWidthRange;
  if (!range.contains(width)) return ErrorCode::invalid_property_value;
  PlacedFields& fields = placed_fields(ref);
  if (fields.ctl_width != width) {
    fields.ctl_width = static_cast<int16_t>(width);
    changed(placed_change(ChangeScope::tool_size, ref));
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_fore_color(const ToolRef& ref, uint32_t colour) {
  if (!is_valid_ole_colour(colour)) return ErrorCode::invalid_property_value;
  PlacedFields& fields = placed_fields(ref);
  if (fields.fore_color != colour) {
    fields.fore_color = colour;
    changed(placed_change(ChangeScope::tool_look, ref));
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_fore_color_source(const ToolRef& ref, int source) {
  if (!kForeColorSourceRange.contains(source)) return ErrorCode::invalid_property_value;
  PlacedFields& fields = placed_fields(ref);
  if (fields.fore_color_source != source) {
    fields.fore_color_source = static_cast<uint8_t>(source);
    changed(placed_change(ChangeScope::tool_look, ref));
  }
  return ErrorCode::none;
}

ErrorCode Deck::set_display_style(const ToolRef& ref, int style) {
  if (!kDisplayStyleRange.contains(style)) return ErrorCode::invalid_property_value;
  PlacedFields& fields = placed_fields(ref);
  if (fields.display_style != style) {
    fields.display_style = static_cast<uint8_t>(style);
    changed(placed_change(ChangeScope::tool_size, ref));
  }
  // The external designer follows the selection through this event.
  if (modes.designer && ref.is_placed() && ref.placed->owner) {
    if (auto toolbar = shared_toolbar(ref.placed->owner->toolbar()))
      fire({{Modified::tool_selected, toolbar, ref.placed}});
  }
  return ErrorCode::none;
}

void Deck::set_name(const ToolRef& ref, std::wstring_view name) {
  PlacedFields& fields = placed_fields(ref);
  if (fields.name != name) {
    fields.name = name;
    changed(placed_change(ChangeScope::tool_size, ref));
  }
}

ErrorCode Deck::change_all(const ToolRef& ref, int property, const ChangeAllValue& value) {
  if (property < 0 || property > static_cast<int>(ChangeAllProperty::name)) return ErrorCode::invalid_property_value;
  if (change_all_takes_text(property) != std::holds_alternative<std::wstring>(value))
    return ErrorCode::invalid_property_value;

  // Check the value once, so that either every placement changes or none.
  const auto prop = static_cast<ChangeAllProperty>(property);
  const int32_t number = std::holds_alternative<int32_t>(value) ? std::get<int32_t>(value) : 0;
  switch (prop) {
    case ChangeAllProperty::ctl_width:
      if (!has_control_window(read_tool(ref).type()) ||
          !(ref.is_placed() ? kPlacedCtlWidthRange : kToolCtlWidthRange).contains(number))
        return ErrorCode::invalid_property_value;
      break;
    case ChangeAllProperty::display_style:
      if (!kDisplayStyleRange.contains(number)) return ErrorCode::invalid_property_value;
      break;
    case ChangeAllProperty::fore_color:
      if (!is_valid_ole_colour(static_cast<uint32_t>(number))) return ErrorCode::invalid_property_value;
      break;
    case ChangeAllProperty::fore_color_source:
      if (!kForeColorSourceRange.contains(number)) return ErrorCode::invalid_property_value;
      break;
    case ChangeAllProperty::name:
      break;
  }
  auto apply = [&](PlacedFields& fields) {
    switch (prop) {
      case ChangeAllProperty::ctl_width: fields.ctl_width = static_cast<int16_t>(number); break;
      case ChangeAllProperty::display_style: fields.display_style = static_cast<uint8_t>(number); break;
      case ChangeAllProperty::fore_color: fields.fore_color = static_cast<uint32_t>(number); break;
      case ChangeAllProperty::fore_color_source: fields.fore_color_source = static_cast<uint8_t>(number); break;
      case ChangeAllProperty::name: fields.name = std::get<std::wstring>(value); break;
    }
  };
  apply(placed_fields(ref));
  const std::wstring id = id_of(ref);
  for_each_placed_list([&](PlacedToolList& list) {
    for (const auto& placed : list)
      if (equal_ignoring_case(placed->id, id)) apply(placed->fields);
  });
  changed({ChangeScope::tool_size});
  return ErrorCode::none;
}

Outcome<PlacedTool*> Deck::placement(const ToolRef& ref) const {
  if (!ref.is_placed() || !ref.placed->owner) return Outcome<PlacedTool*>(ErrorCode::not_a_placed_property);
  return Outcome<PlacedTool*>{ref.placed.get()};
}

Outcome<std::shared_ptr<Tool>> Deck::sub_object_owner(const ToolRef& ref, ToolType type) {
  using Result = Outcome<std::shared_ptr<Tool>>;
  if (modes.design_time) return Result(ErrorCode::unavailable_at_design_time);
  std::shared_ptr<Tool> tool = ref.is_placed() ? tool_of(*ref.placed) : ref.tool;
  if (!tool || tool->type() != type) return Result(ErrorCode::cannot_perform);
  return Result{tool};
}

}  // namespace mz
