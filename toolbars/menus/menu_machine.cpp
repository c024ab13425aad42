#include "menu_machine.h"

#include <cwctype>

namespace mz::menus {

namespace {

using Kind = MenuAction::Kind;

constexpr uint16_t code(MenuKey key) { return static_cast<uint16_t>(key); }

bool is_alt_key(uint16_t key) {
  return key == code(MenuKey::alt) || key == code(MenuKey::left_alt) || key == code(MenuKey::right_alt);
}

// Keys that only change how other keys read. They always pass, so the host
// never sees one go down without seeing it come up.
bool is_modifier(uint16_t key) {
  switch (static_cast<MenuKey>(key)) {
    case MenuKey::shift:
    case MenuKey::ctrl:
    case MenuKey::alt:
    case MenuKey::caps_lock:
    case MenuKey::left_win:
    case MenuKey::right_win:
    case MenuKey::num_lock:
    case MenuKey::scroll_lock:
      return true;
    default:
      return key >= code(MenuKey::left_shift) && key <= code(MenuKey::right_alt);
  }
}

// The one slot that records the fate of all three Alt keys, and of every other key its own.
uint16_t slot_of(uint16_t key) { return is_alt_key(key) ? code(MenuKey::alt) : key; }

bool selectable(const MenuItem& item) { return item.shown && item.kind != ItemKind::separator; }
bool usable(const MenuItem& item) { return selectable(item) && item.enabled; }

// The next selectable item after `from` in `direction` (+1 or -1), wrapping
// at the ends; from -1 the first (or, going up, the last). -1 when none.
int step(const MenuItems& items, int from, int direction) {
  const int count = static_cast<int>(items.size());
  if (count == 0) return -1;
  int at = from < 0 || from >= count ? (direction > 0 ? count - 1 : 0) : from;
  for (int tried = 0; tried < count; ++tried) {
    at = (at + direction + count) % count;
    if (selectable(items[at])) return at;
  }
  return -1;
}

int first_selectable(const MenuItems& items) { return step(items, -1, +1); }
int last_selectable(const MenuItems& items) { return step(items, -1, -1); }

// PageUp and PageDown: the first (last) selectable item now in view, or, when
// the highlight is already there, one page of in-view items further, stopping
// at the first (last) item instead of wrapping.
int page(const MenuItems& items, int highlight, int direction) {
  const int count = static_cast<int>(items.size());
  int edge = -1;
  int page_size = 0;
  for (int i = 0; i < count; ++i) {
    const int at = direction < 0 ? i : count - 1 - i;
    if (!selectable(items[at]) || !items[at].in_view) continue;
    if (edge < 0) edge = at;
    ++page_size;
  }
  if (edge < 0) return direction < 0 ? first_selectable(items) : last_selectable(items);
  if (highlight != edge) return edge;
  int at = highlight;
  for (int moved = 0; moved < page_size; ++moved) {
    const int next = step(items, at, direction);
    if (next < 0 || (direction < 0) != (next < at)) break;
    at = next;
  }
  return at;
}

wchar_t fold(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c))); }

// The first usable item whose mnemonic is `character`, case-insensitively.
int find_mnemonic(const MenuItems& items, wchar_t character) {
  if (character == 0) return -1;
  for (int i = 0; i < static_cast<int>(items.size()); ++i)
    if (usable(items[i]) && items[i].mnemonic != 0 && fold(items[i].mnemonic) == fold(character)) return i;
  return -1;
}

const MenuItems* bar_items(const MenuView& view, int bar) {
  if (bar < 0 || bar >= static_cast<int>(view.bars.size())) return nullptr;
  return &view.bars[bar];
}

const PopupView* popup_at(const MenuView& view, int level) {
  if (level < 0 || level >= static_cast<int>(view.popups.size())) return nullptr;
  return &view.popups[level];
}

const MenuItems& items_of(const MenuView& view, const ItemRef& ref) {
  static const MenuItems none;
  if (ref.place == Place::bar) {
    const MenuItems* items = bar_items(view, ref.list);
    return items ? *items : none;
  }
  const PopupView* popup = ref.place == Place::popup ? popup_at(view, ref.list) : nullptr;
  return popup ? popup->items : none;
}

const MenuItem* item_of(const MenuView& view, const ItemRef& ref) {
  const MenuItems& items = items_of(view, ref);
  if (ref.index < 0 || ref.index >= static_cast<int>(items.size())) return nullptr;
  return &items[ref.index];
}

bool is_open_menu(const MenuItem* item) { return item && usable(*item) && item->kind == ItemKind::menu; }

ItemRef on_bar(int bar, int index) { return {Place::bar, bar, index}; }
ItemRef in_popup(int level, int index) { return {Place::popup, level, index}; }

MenuAction action(Kind kind, ItemRef item = {}, int level = -1, bool keyboard = false) {
  MenuAction action;
  action.kind = kind;
  action.item = item;
  action.level = level;
  action.keyboard = keyboard;
  return action;
}

}  // namespace

ShortcutScope MenuMachine::shortcut_scope(const FocusFacts& focus) const {
  if (focus.focus_role()) return ShortcutScope::all_tools;
  return levels_.empty() ? ShortcutScope::none : ShortcutScope::popup_tools;
}

// ---- Keys ----

MenuResult MenuMachine::key(const MenuView& view, const KeyInput& input, const FocusFacts& focus) {
  const uint16_t slot = slot_of(input.key);
  if (slot >= eaten_.size()) return {};  // not a key code of the platform
  const bool alt = is_alt_key(input.key);
  MenuResult out;
  if (input.released) {
    if (alt) alt_released(view, out.actions);
    out.eat = eaten_[slot];
    eaten_[slot] = false;
    return out;
  }
  // A held Alt repeats its down: it keeps the fate of the first one and does
  // nothing more, or holding Alt in menu mode would leave and re-arm.
  if (alt && alt_down_) {
    out.eat = eaten_[slot];
    return out;
  }
  alt_down_ = alt_down_ || alt;
  out = key_down(view, input, focus);
  eaten_[slot] = out.eat;
  return out;
}

MenuResult MenuMachine::key_down(const MenuView& view, const KeyInput& input, const FocusFacts& focus) {
  MenuResult out;
  if (input.shortcut != ShortcutClaim::none) {
    disarm();
    if (input.shortcut == ShortcutClaim::ends_menu) leave_mode(out.actions);
    out.eat = true;
    return out;
  }
  if (is_alt_key(input.key) && !input.ctrl) return alt_key(view, focus);
  // Any other key between Alt's down and up, AltGr included, means Alt was
  // a modifier this time, not a request for the menu bar.
  disarm();
  const bool takes_part = !levels_.empty() || focus.focus_role();
  if (is_modifier(input.key) || !takes_part) return out;
  const bool alt_held = input.alt && !input.ctrl;
  if (in_menu_mode()) {
    // The control's own edit and combo-box windows keep their keys; the
    // host's do not, or menus would not work from a form with a text box.
    if (alt_held || !focus.focus_in_tool) out = navigate(view, input);
    return out;
  }
  if (alt_held && focus.focus_role()) out.eat = alt_mnemonic(view, input.character, out.actions);
  return out;
}

// The release of an armed Alt enters menu mode on the menu bar's first tool.
void MenuMachine::alt_released(const MenuView& view, MenuActions& out) {
  alt_down_ = false;
  if (state_ != MenuState::alt_armed) return;
  state_ = MenuState::idle;
  const MenuItems* bar = bar_items(view, view.menu_bar);
  const int first = bar ? first_selectable(*bar) : -1;
  if (first < 0) return;
  enter_mode(out);
  state_ = MenuState::menu_bar;
  bar_ = view.menu_bar;
  highlight_bar(first, out);
}

MenuResult MenuMachine::alt_key(const MenuView& view, const FocusFacts& focus) {
  MenuResult out;
  if (focus.customizing) return out;
  if (in_menu_mode()) {
    if (levels_.empty() && !focus.focus_role()) return out;
    // Eaten with its up: the platform sees no Alt stroke at all, so it does
    // not start a menu of its own, and a Space pressed while this Alt is
    // still held reaches it as Alt+Space and opens the window menu.
    leave_mode(out.actions);
    out.eat = true;
    return out;
  }
  const MenuItems* bar = bar_items(view, view.menu_bar);
  if (!focus.focus_role() || !bar || first_selectable(*bar) < 0) return out;
  state_ = MenuState::alt_armed;
  out.eat = true;
  return out;
}

bool MenuMachine::alt_mnemonic(const MenuView& view, wchar_t character, MenuActions& out) {
  const int count = static_cast<int>(view.bars.size());
  for (int order = -1; order < count; ++order) {
    const int bar = order < 0 ? view.menu_bar : order;
    if (order >= 0 && bar == view.menu_bar) continue;
    const MenuItems* items = bar_items(view, bar);
    const int index = items ? find_mnemonic(*items, character) : -1;
    if (index < 0) continue;
    choose(view, on_bar(bar, index), Pick::mnemonic, out);
    return true;
  }
  return false;
}

MenuResult MenuMachine::navigate(const MenuView& view, const KeyInput& input) {
  MenuResult out;
  out.eat = true;
  if (input.key == code(MenuKey::space)) {
    if (state_ != MenuState::popup_open) {
      leave_mode(out.actions);
      out.eat = false;
    }
    return out;
  }
  if (levels_.empty())
    bar_key(view, input, out);
  else
    popup_key(view, input, out);
  return out;
}

void MenuMachine::bar_key(const MenuView& view, const KeyInput& input, MenuResult& out) {
  const MenuItems& items = items_of(view, on_bar(bar_, bar_index_));
  switch (static_cast<MenuKey>(input.key)) {
    case MenuKey::left:
    case MenuKey::backspace:
      move_along_bar(view, -1, out.actions);
      return;
    case MenuKey::right:
    case MenuKey::tab:
      move_along_bar(view, +1, out.actions);
      return;
    case MenuKey::home:
      highlight_bar(first_selectable(items), out.actions);
      return;
    case MenuKey::end:
    case MenuKey::page_up:
    case MenuKey::page_down:
      highlight_bar(last_selectable(items), out.actions);
      return;
    case MenuKey::down:
      if (is_open_menu(item_of(view, on_bar(bar_, bar_index_)))) open_from_bar(bar_, bar_index_, true, out.actions);
      return;
    case MenuKey::up:
      return;
    case MenuKey::enter:
      choose(view, on_bar(bar_, bar_index_), Pick::enter, out.actions);
      return;
    case MenuKey::escape:
      leave_mode(out.actions);
      return;
    default:
      if (input.ctrl) return;
      const int index = find_mnemonic(items, input.character);
      if (index >= 0) choose(view, on_bar(bar_, index), Pick::mnemonic, out.actions);
      return;
  }
}

void MenuMachine::popup_key(const MenuView& view, const KeyInput& input, MenuResult& out) {
  const int level = key_level();
  const ItemRef here = in_popup(level, levels_[level].highlight);
  const MenuItems& items = items_of(view, here);
  const bool child_open = popup_levels() > level + 1 && levels_[level + 1].source == here.index;
  auto go_to = [&](int index) {
    if (index >= 0 && index != here.index) highlight_in_popup(level, index, out.actions);
  };
  switch (static_cast<MenuKey>(input.key)) {
    case MenuKey::up:
    case MenuKey::backspace:
      go_to(step(items, here.index, -1));
      return;
    case MenuKey::down:
      go_to(step(items, here.index, +1));
      return;
    case MenuKey::tab:
      go_to(step(items, here.index, input.shift ? -1 : +1));
      return;
    case MenuKey::home:
      go_to(first_selectable(items));
      return;
    case MenuKey::end:
      go_to(last_selectable(items));
      return;
    case MenuKey::page_up:
      go_to(page(items, here.index, -1));
      return;
    case MenuKey::page_down:
      go_to(page(items, here.index, +1));
      return;
    case MenuKey::left:
      if (level > 0) {
        const int source = levels_[level].source;
        close_from(level, out.actions);
        highlight_in_popup(level - 1, source, out.actions);
      } else if (state_ == MenuState::popup_open) {
        move_along_bar(view, -1, out.actions);
      }
      return;
    case MenuKey::right:
      if (is_open_menu(item_of(view, here))) {
        if (!child_open) {
          open_submenu(level, here.index, true, out.actions);
        } else if (const PopupView* child = popup_at(view, level + 1)) {
          const int first = first_selectable(child->items);
          if (first >= 0) highlight_in_popup(level + 1, first, out.actions);
        }
      } else if (state_ == MenuState::popup_open) {
        move_along_bar(view, +1, out.actions);
      }
      return;
    case MenuKey::enter:
      if (child_open && is_open_menu(item_of(view, here)))
        leave_mode(out.actions);
      else
        choose(view, here, Pick::enter, out.actions);
      return;
    case MenuKey::escape:
      escape(out.actions);
      return;
    default:
      if (input.ctrl) return;
      const int index = find_mnemonic(items, input.character);
      if (index >= 0) choose(view, in_popup(level, index), Pick::mnemonic, out.actions);
      return;
  }
}

// The level the keyboard works in: the deepest one with a highlight, so a
// submenu the mouse opened by resting on its item leaves the keys with the
// parent until Right or the mouse moves into it.
int MenuMachine::key_level() const {
  for (int level = popup_levels() - 1; level > 0; --level)
    if (levels_[level].highlight >= 0) return level;
  return 0;
}

void MenuMachine::escape(MenuActions& out) {
  // Closing a popup un-highlights the item it hangs from; the highlight
  // comes back to that item.
  const int innermost = popup_levels() - 1;
  const int source = levels_[innermost].source;
  if (innermost > 0) {
    close_from(innermost, out);
    highlight_in_popup(innermost - 1, source, out);
  } else if (state_ == MenuState::popup_open) {
    close_from(0, out);
    out.push_back(action(Kind::highlight, on_bar(bar_, source)));
  } else {
    leave_mode(out);
  }
}

// ---- Choosing an item ----

void MenuMachine::choose(const MenuView& view, const ItemRef& ref, Pick pick, MenuActions& out) {
  const MenuItem* item = item_of(view, ref);
  if (!item || !usable(*item)) return;
  const bool keyboard = pick != Pick::mouse;
  switch (item->kind) {
    case ItemKind::menu:
      if (ref.place == Place::bar)
        open_from_bar(ref.list, ref.index, keyboard, out);
      else
        open_submenu(ref.list, ref.index, keyboard, out);
      return;
    case ItemKind::expand:
      if (ref.place != Place::popup) break;
      out.push_back(action(Kind::expand, {}, ref.list));
      if (keyboard) next_pending_ = ref.list;
      return;
    case ItemKind::edit:
    case ItemKind::combo:
      // A tool on a bar ends menu mode; one inside the popups keeps them open.
      if (ref.place == Place::bar) leave_mode(out);
      out.push_back(action(Kind::focus_tool, ref));
      return;
    case ItemKind::drop_down:
      if (pick != Pick::mnemonic) break;
      if (ref.place == Place::bar) leave_mode(out);
      out.push_back(action(Kind::run_drop_down, ref));
      return;
    default:
      break;
  }
  click(view, ref, out);
}

void MenuMachine::click(const MenuView& view, const ItemRef& ref, MenuActions& out) {
  const PopupView* popup = ref.place == Place::popup ? popup_at(view, ref.list) : nullptr;
  if (!popup || !popup->stays_open) leave_mode(out);
  out.push_back(action(Kind::activate, ref));
}

void MenuMachine::open_from_bar(int bar, int index, bool keyboard, MenuActions& out) {
  if (!in_menu_mode()) enter_mode(out);
  close_from(0, out);
  if (bar_ != bar) {
    if (bar_index_ >= 0) out.push_back(action(Kind::highlight, on_bar(bar_, -1)));
    bar_ = bar;
    bar_index_ = -1;
  }
  highlight_bar(index, out);
  levels_.assign(1, Level{index, -1});
  state_ = MenuState::popup_open;
  out.push_back(action(Kind::open_popup, on_bar(bar, index), 0, keyboard));
  if (keyboard) first_pending_ = 0;
}

void MenuMachine::open_submenu(int level, int index, bool keyboard, MenuActions& out) {
  if (popup_levels() > level + 1 && levels_[level + 1].source == index) return;
  close_from(level + 1, out);
  if (levels_[level].highlight != index) highlight_in_popup(level, index, out);
  levels_.push_back(Level{index, -1});
  out.push_back(action(Kind::open_popup, in_popup(level, index), level + 1, keyboard));
  if (keyboard) first_pending_ = level + 1;
}

void MenuMachine::move_along_bar(const MenuView& view, int direction, MenuActions& out) {
  const MenuItems* items = bar_items(view, bar_);
  const int next = items ? step(*items, bar_index_, direction) : -1;
  if (next < 0) return;
  const bool was_open = !levels_.empty();
  close_from(0, out);
  highlight_bar(next, out);
  if (was_open && is_open_menu(&(*items)[next])) open_from_bar(bar_, next, true, out);
}

// ---- Highlight, closing, mode ----

void MenuMachine::highlight_bar(int index, MenuActions& out) {
  if (index < 0 || index == bar_index_) return;
  bar_index_ = index;
  out.push_back(action(Kind::highlight, on_bar(bar_, index)));
}

// A keyboard move in `level`: deeper popups hang from the item it leaves, so they close.
void MenuMachine::highlight_in_popup(int level, int index, MenuActions& out) {
  close_from(level + 1, out);
  levels_[level].highlight = index;
  out.push_back(action(Kind::highlight, in_popup(level, index)));
}

// The mouse over `index` of `level`: an open submenu stays until a sibling
// opens, and the levels above point back at the items their children hang
// from, so the highlight path runs from the bar to the pointer.
void MenuMachine::point_at(int level, int index, MenuActions& out) {
  for (int above = 0; above < level; ++above) {
    const int source = levels_[above + 1].source;
    if (levels_[above].highlight == source) continue;
    levels_[above].highlight = source;
    out.push_back(action(Kind::highlight, in_popup(above, source)));
  }
  if (levels_[level].highlight == index) return;
  levels_[level].highlight = index;
  out.push_back(action(Kind::highlight, in_popup(level, index)));
}

void MenuMachine::close_from(int level, MenuActions& out) {
  if (level >= popup_levels()) return;
  out.push_back(action(Kind::close_popups, {}, level));
  levels_.resize(level);
  if (first_pending_ >= level) first_pending_ = -1;
  if (next_pending_ >= level) next_pending_ = -1;
  if (pressed_.place == Place::popup && pressed_.list >= level) pressed_ = {};
  if (levels_.empty() && state_ == MenuState::popup_open) state_ = MenuState::menu_bar;
}

void MenuMachine::disarm() {
  if (state_ == MenuState::alt_armed) state_ = MenuState::idle;
}

void MenuMachine::enter_mode(MenuActions& out) { out.push_back(action(Kind::enter_menu_mode)); }

void MenuMachine::leave_mode(MenuActions& out) {
  if (!in_menu_mode()) return;
  out.push_back(action(Kind::leave_menu_mode));
  state_ = MenuState::idle;
  bar_ = -1;
  bar_index_ = -1;
  levels_.clear();
  first_pending_ = -1;
  next_pending_ = -1;
  pressed_ = {};
  press_closes_ = false;
}

// ---- Mouse ----

MenuActions MenuMachine::press(const MenuView& view, const ItemRef& spot, const FocusFacts& focus) {
  MenuActions out;
  disarm();
  pressed_ = {};
  press_closes_ = false;
  const MenuItem* item = item_of(view, spot);
  switch (spot.place) {
    case Place::none:
      leave_mode(out);
      break;
    case Place::bar:
      if (!focus.host_active && !focus.customizing) {
        out.push_back(action(Kind::beep));
      } else if (!is_open_menu(item)) {
        // Another tool of the bars: the bar mouse presses it, and its click ends menu mode.
        leave_mode(out);
      } else if (state_ == MenuState::popup_open && bar_ == spot.list && bar_index_ == spot.index) {
        pressed_ = spot;
        press_closes_ = true;
      } else {
        open_from_bar(spot.list, spot.index, false, out);
      }
      break;
    case Place::popup:
      if (!item || !selectable(*item) || spot.list >= popup_levels()) break;
      point_at(spot.list, spot.index, out);
      if (item->enabled) pressed_ = spot;
      break;
  }
  return out;
}

MenuActions MenuMachine::release(const MenuView& view, const ItemRef& spot) {
  MenuActions out;
  const ItemRef pressed = pressed_;
  const bool closes = press_closes_;
  pressed_ = {};
  press_closes_ = false;
  if (pressed.place == Place::none || spot != pressed) return out;
  if (closes)
    leave_mode(out);
  else
    choose(view, pressed, Pick::mouse, out);
  return out;
}

MenuActions MenuMachine::move(const MenuView& view, const ItemRef& spot) {
  MenuActions out;
  const MenuItem* item = item_of(view, spot);
  if (spot.place == Place::bar) {
    if (state_ == MenuState::popup_open && spot.list == bar_ && spot.index != bar_index_ && is_open_menu(item))
      open_from_bar(spot.list, spot.index, false, out);
  } else if (spot.place == Place::popup && item && selectable(*item) && spot.list < popup_levels()) {
    point_at(spot.list, spot.index, out);
  }
  return out;
}

MenuActions MenuMachine::capture_lost() {
  pressed_ = {};
  press_closes_ = false;
  return {};
}

MenuActions MenuMachine::hover_elapsed(const MenuView& view, const ItemRef& ref) {
  MenuActions out;
  const MenuItem* item = item_of(view, ref);
  if (ref.place != Place::popup || ref.list >= popup_levels() || !item || !usable(*item)) return out;
  if (levels_[ref.list].highlight != ref.index) return out;
  switch (item->kind) {
    case ItemKind::menu:
      open_submenu(ref.list, ref.index, false, out);
      break;
    case ItemKind::drop_down:
      out.push_back(action(Kind::run_drop_down, ref));
      break;
    case ItemKind::expand:
      out.push_back(action(Kind::expand, {}, ref.list));
      break;
    default:
      break;
  }
  return out;
}

// ---- The shell's reports ----

MenuActions MenuMachine::popup_menu() {
  MenuActions out;
  leave_mode(out);
  disarm();
  enter_mode(out);
  state_ = MenuState::popup_loop;
  levels_.assign(1, Level{});
  out.push_back(action(Kind::open_popup, {}, 0));
  return out;
}

MenuActions MenuMachine::popup_shown(const MenuView& view, int level) {
  MenuActions out;
  const PopupView* popup = popup_at(view, level);
  if (!popup || level >= popup_levels()) return out;
  int target = -1;
  if (first_pending_ == level) {
    target = first_selectable(popup->items);
    first_pending_ = -1;
  } else if (next_pending_ == level) {
    target = step(popup->items, levels_[level].highlight, +1);
    next_pending_ = -1;
  }
  if (target >= 0) highlight_in_popup(level, target, out);
  return out;
}

MenuActions MenuMachine::popup_closed(int level) {
  MenuActions out;
  if (level < 0 || level >= popup_levels()) return out;
  // The windows are gone already: only the machine's record of them goes.
  MenuActions closed;
  close_from(level, closed);
  if (levels_.empty() && state_ == MenuState::popup_loop) leave_mode(out);
  return out;
}

MenuActions MenuMachine::leave() {
  MenuActions out;
  disarm();
  leave_mode(out);
  return out;
}

}  // namespace mz::menus
