// Menu mode of the control: what the menu state machine is shown of the bars
// and the open popups, the actions it returns performed (popups opened and
// closed, highlights drawn, tools clicked), the keys the keyboard hook hands
// over with the shortcut keys looked up first, and the clicks outside the
// popups that end menu mode.
#include "control_object.h"

#include <algorithm>

#include "dispatch_ids.h"
#include "event_args_win32.h"
#include "mnemonic.h"
#include "toolbar_paint.h"

namespace mz::com {

namespace {

using Kind = menus::MenuAction::Kind;
using menus::ItemRef;
using menus::Place;

menus::ItemKind item_kind(const Tool* tool, const PlacedTool& placed) {
  if (placed.is_separator()) return menus::ItemKind::separator;
  if (!tool) return menus::ItemKind::other;
  switch (tool->type()) {
    case ToolType::menu: return menus::ItemKind::menu;
    case ToolType::drop_down:
    case ToolType::drop_down_state: return menus::ItemKind::drop_down;
    case ToolType::state_button: return menus::ItemKind::state;
    case ToolType::edit: return menus::ItemKind::edit;
    case ToolType::combo_box: return menus::ItemKind::combo;
    case ToolType::separator: return menus::ItemKind::separator;
    default: return menus::ItemKind::other;
  }
}

bool shown_on_bar(const Toolbar& toolbar, const PlacedTool& placed) {
  return toolbar.visible && !toolbar.floating() && placed.fields.visible_here && !placed.overflow && placed.width > 0;
}

HWND root_of(HWND window) { return window ? GetAncestor(window, GA_ROOT) : nullptr; }

bool is_button_down(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

bool has_class(HWND window, const wchar_t* name) {
  wchar_t class_name[32] = {};
  return window && GetClassNameW(window, class_name, 32) && lstrcmpiW(class_name, name) == 0;
}

}  // namespace

// ---- What menu mode sees ----

bool ControlObject::usable(const Tool& tool) const {
  return deck_.modes.customizing || (properties_.enabled && (design_time() || tool.enabled));
}

menus::MenuItem ControlObject::menu_item(PlacedTool& placed, bool shown) const {
  const std::shared_ptr<Tool> tool = deck_.tool_of(placed);
  menus::MenuItem item;
  item.kind = item_kind(tool.get(), placed);
  item.shown = shown;
  item.enabled = tool && usable(*tool);
  item.mnemonic = menus::mnemonic_of(paint::shown_caption(deck_, placed));
  return item;
}

menus::MenuView ControlObject::menu_view() {
  menus::MenuView view;
  const ToolbarCollection& toolbars = deck_.toolbars();
  for (size_t bar = 0; bar < toolbars.size(); ++bar) {
    const Toolbar& toolbar = *toolbars.at(bar);
    menus::MenuItems& items = view.bars.emplace_back();
    for (const std::shared_ptr<PlacedTool>& placed : toolbar.tools)
      items.push_back(menu_item(*placed, shown_on_bar(toolbar, *placed)));
    if (toolbar.is_menu_bar() && toolbar.visible && !toolbar.floating()) view.menu_bar = static_cast<int>(bar);
  }
  for (const std::unique_ptr<OpenPopup>& popup : popups_) {
    menus::PopupView& shown = view.popups.emplace_back();
    for (size_t i = 0; i < popup->items.size(); ++i) {
      menus::MenuItem item = menu_item(*popup->items[i], true);
      item.in_view = popup->scroll.in_view(static_cast<int>(i));
      shown.items.push_back(item);
    }
  }
  return view;
}

std::shared_ptr<PlacedTool> ControlObject::menu_tool_at(const ItemRef& ref) const {
  if (ref.index < 0) return nullptr;
  const auto index = static_cast<size_t>(ref.index);
  if (ref.place == Place::bar) {
    const ToolbarCollection& toolbars = deck_.toolbars();
    if (ref.list < 0 || static_cast<size_t>(ref.list) >= toolbars.size()) return nullptr;
    const PlacedToolList& tools = toolbars.at(static_cast<size_t>(ref.list))->tools;
    return index < tools.size() ? tools.at(index) : nullptr;
  }
  if (ref.place == Place::popup && ref.list >= 0 && static_cast<size_t>(ref.list) < popups_.size()) {
    const OpenPopup& popup = *popups_[static_cast<size_t>(ref.list)];
    return index < popup.items.size() ? popup.items[index] : nullptr;
  }
  return nullptr;
}

menus::FocusFacts ControlObject::focus_facts() const {
  menus::FocusFacts focus;
  const HWND host = site_.host_window();
  const HWND top = root_of(host);
  focus.host_active = host && IsWindowEnabled(host) && GetActiveWindow() == top && root_of(GetFocus()) == top;
  focus.customizing = deck_.modes.customizing;
  return focus;
}

// ---- Performing what menu mode decided ----

void ControlObject::perform_menu(menus::MenuActions actions) {
  // A handler may release the host's last reference to the control.
  ComPtr<IMzToolBarControl> keep_alive(this);
  const uint64_t generation = ++menu_generation_;
  std::vector<std::shared_ptr<PlacedTool>> tools;
  for (const menus::MenuAction& action : actions) tools.push_back(menu_tool_at(action.item));
  for (size_t i = 0; i < actions.size(); ++i) {
    // Copies: the lists grow while they are walked.
    const menus::MenuAction action = actions[i];
    const std::shared_ptr<PlacedTool> tool = tools[i];
    switch (action.kind) {
      case Kind::enter_menu_mode: enter_menu_mode(); break;
      case Kind::leave_menu_mode: end_menu_mode(); break;
      case Kind::highlight: highlight(action.item, tool); break;
      case Kind::open_popup: {
        const menus::MenuActions shown = open_popup(action.level, tool);
        if (generation != menu_generation_) return;
        for (const menus::MenuAction& next : shown) {
          actions.push_back(next);
          tools.push_back(menu_tool_at(next.item));
        }
        break;
      }
      case Kind::close_popups: close_popups(action.level); break;
      case Kind::activate:
        if (tool) activate_menu_tool(action.item, tool);
        break;
      case Kind::run_drop_down:
        if (tool) run_menu_drop_down(action.item, tool);
        break;
      case Kind::focus_tool:
      case Kind::expand:
        // The tool windows and the personalized popups are not built yet.
        break;
      case Kind::beep: MessageBeep(MB_OK); break;
    }
    // Host code ran and handed menu mode on: what is left was decided for a
    // state that is gone.
    if (generation != menu_generation_) return;
  }
}

void ControlObject::enter_menu_mode() {
  // Only one control of the thread is in menu mode. Leaving may run host
  // code that destroys controls, so each one is looked up again first.
  for (menus::HookClient* other : other_live_controls()) {
    if (still_live(other)) other->leave_menu_mode_alone();
  }
  tracker_.cancel_tooltip();
}

void ControlObject::end_menu_mode() {
  close_popups(0);
  tracker_.stop_hover();
  popup_menu_tool_.reset();
  if (std::shared_ptr<PlacedTool> highlighted = std::exchange(bar_highlight_, nullptr)) repaint_band_of(*highlighted);
}

std::vector<menus::HookClient*> ControlObject::other_live_controls() const {
  ControlListLock lock;
  std::vector<menus::HookClient*> others = thread_controls().controls;
  std::erase(others, static_cast<const menus::HookClient*>(this));
  return others;
}

bool ControlObject::still_live(const menus::HookClient* control) {
  ControlListLock lock;
  return std::ranges::find(thread_controls().controls, control) != thread_controls().controls.end();
}

// Another control entered menu mode, or the host went away: this one leaves
// without telling the others.
void ControlObject::leave_menu_mode_alone() {
  if (menu_machine_.in_menu_mode() || menu_machine_.state() == menus::MenuState::alt_armed)
    perform_menu(menu_machine_.leave());
}

// The host lost the activation to a window of another thread or program
// (the popups never take it): menu mode ends.
void ControlObject::activation_changed(bool active) {
  active_ = active;
  const HWND front = GetForegroundWindow();
  if (!active && (!front || GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId())) leave_menu_mode_alone();
}

void ControlObject::highlight(const ItemRef& ref, const std::shared_ptr<PlacedTool>& tool) {
  if (ref.place == Place::bar) {
    std::shared_ptr<PlacedTool> before = std::exchange(bar_highlight_, tool);
    if (before && before != tool) repaint_band_of(*before);
    if (tool) repaint_band_of(*tool);
    return;
  }
  if (ref.place != Place::popup || ref.list < 0 || static_cast<size_t>(ref.list) >= popups_.size()) return;
  OpenPopup& popup = *popups_[static_cast<size_t>(ref.list)];
  const int before = std::exchange(popup.hot, ref.index);
  if (before == ref.index) return;
  tracker_.stop_hover();
  if (ref.index >= 0 && popup.scroll.show(ref.index)) {
    popup.window.set_offset(popup.scroll.offset());
  }
  repaint_popup_item(popup, before);
  repaint_popup_item(popup, ref.index);
  const std::shared_ptr<PlacedTool> left =
      before >= 0 && static_cast<size_t>(before) < popup.items.size() ? popup.items[static_cast<size_t>(before)] : nullptr;
  if (ref.index >= 0 && tool) start_item_hover(*tool);
  // The hot tool inside the popups changed; the events come last, since the
  // host may close the popup in them.
  if (left && !left->is_separator())
    fire(DISPID_DMzToolBarsEvents_ToolExit, {dispatch_argument(tool_object({nullptr, left}).get())});
  if (tool && !tool->is_separator())
    fire(DISPID_DMzToolBarsEvents_ToolEnter, {dispatch_argument(tool_object({nullptr, tool}).get())});
}

void ControlObject::activate_menu_tool(const ItemRef& ref, const std::shared_ptr<PlacedTool>& tool) {
  if (ref.place == Place::popup) {
    if (const std::shared_ptr<Tool> owner = deck_.tool_of(*tool)) owner->recently_used = true;
  }
  deck_.click(tool);
}

// The drop-down of a tool runs: the tool shows dropped while the host
// handles ToolDropDown at the point below it (beside it on a vertical
// toolbar, at the popup's right edge inside a popup), then ToolCloseUp.
void ControlObject::run_menu_drop_down(const ItemRef& ref, const std::shared_ptr<PlacedTool>& tool) {
  POINT at{};
  if (ref.place == Place::popup && static_cast<size_t>(ref.list) < popups_.size()) {
    const OpenPopup& popup = *popups_[static_cast<size_t>(ref.list)];
    const Rect& rect = popup.rects[static_cast<size_t>(ref.index)];
    const Size frame = menus::PopupWindow::frame();
    at = {popup.placement.rect.right - 3, popup.placement.rect.top + frame.height + rect.top - popup.scroll.offset()};
  } else if (const std::optional<Rect> rect = tool_screen_rect(*tool)) {
    const Toolbar* toolbar = tool->owner ? tool->owner->toolbar() : nullptr;
    const bool vertical = toolbar && orientation_of(toolbar->docked_status) == Orientation::vertical;
    at = vertical ? POINT{rect->right, rect->top} : POINT{rect->left, rect->bottom};
  }
  const ComPtr<IMzTool> object = tool_object({nullptr, tool});
  dropped_tool_ = tool;
  if (ref.place == Place::bar) repaint_band_of(*tool);
  fire_in_event(DISPID_DMzToolBarsEvents_ToolDropDown,
                {dispatch_argument(object.get()), int32_variant(at.x), int32_variant(at.y)});
  dropped_tool_.reset();
  if (ref.place == Place::bar) repaint_band_of(*tool);
  fire(DISPID_DMzToolBarsEvents_ToolCloseUp, {dispatch_argument(object.get())});
}

std::optional<Rect> ControlObject::tool_screen_rect(const PlacedTool& placed) const {
  const Toolbar* toolbar = placed.owner ? placed.owner->toolbar() : nullptr;
  const HWND host = site_.host_window();
  RECT frame{};
  if (!toolbar || toolbar->floating() || !host || !GetWindowRect(host, &frame)) return std::nullopt;
  const int area = area_index(toolbar->docked_status);
  if (area < 0 || static_cast<size_t>(area) >= docked_.cut().areas.size()) return std::nullopt;
  const Rect& origin = docked_.cut().areas[static_cast<size_t>(area)];
  const int left = frame.left + origin.left + placed.left;
  const int top = frame.top + origin.top + placed.top;
  return Rect{left, top, left + placed.width, top + placed.height};
}

// ---- Keys ----

bool ControlObject::key_message(const menus::KeyPress& press) {
  if (design_time() || !has_window()) return false;
  menus::KeyInput input;
  input.key = press.key;
  input.released = press.released;
  input.alt = press.alt;
  input.ctrl = press.ctrl;
  input.shift = press.shift;
  // Outside menu mode a key that neither is nor holds Alt and stands for no
  // shortcut only passes (its up keeps the fate of its down): it is answered
  // without reading the focus or walking the bars, so a key costs the same
  // however many tools there are.
  const int code = press.released ? menus::kShortcutNone : menus::shortcut_of(press);
  const bool reads_bars = menu_machine_.in_menu_mode() || menu_machine_.state() == menus::MenuState::alt_armed ||
                          press.alt || press.key == VK_MENU || press.key == VK_LMENU || press.key == VK_RMENU;
  if (!reads_bars && code == menus::kShortcutNone) return menu_machine_.key({}, input, {}).eat;

  const menus::FocusFacts focus = focus_facts();
  input.character = static_cast<wchar_t>(MapVirtualKeyW(press.key, MAPVK_VK_TO_CHAR) & 0xFFFF);
  const std::shared_ptr<Tool> claimed = shortcut_owner(code, menu_machine_.shortcut_scope(focus));
  if (claimed) input.shortcut = menus::ShortcutClaim::ends_menu;
  const menus::MenuResult result = menu_machine_.key(reads_bars ? menu_view() : menus::MenuView{}, input, focus);
  perform_menu(result.actions);
  if (claimed) activate_by_shortcut(claimed);
  return result.eat;
}

std::shared_ptr<Tool> ControlObject::shortcut_owner(int code, menus::ShortcutScope scope) {
  if (code == menus::kShortcutNone || scope == menus::ShortcutScope::none || !active_) return nullptr;
  const auto usable_here = [this](const Tool& tool) { return usable(tool); };
  if (scope == menus::ShortcutScope::all_tools) return shortcuts_.owner(deck_.tools(), code, usable_here);
  if (popups_.empty()) return nullptr;
  for (const std::shared_ptr<PlacedTool>& placed : popups_.back()->items) {
    const std::shared_ptr<Tool> tool = deck_.tool_of(*placed);
    if (tool && tool->shortcut == code && usable(*tool)) return tool;
  }
  return nullptr;
}

// A tool answering its shortcut is activated as a click on it would: on the
// instance the user sees when there is one, so its toolbar's state follows.
void ControlObject::activate_by_shortcut(const std::shared_ptr<Tool>& tool) {
  std::shared_ptr<PlacedTool> shown;
  for (const std::shared_ptr<Toolbar>& toolbar : deck_.toolbars()) {
    for (const std::shared_ptr<PlacedTool>& placed : toolbar->tools)
      if (!shown && shown_on_bar(*toolbar, *placed) && deck_.tool_of(*placed) == tool) shown = placed;
  }
  if (tool->type() == ToolType::menu || tool->type() == ToolType::edit || tool->type() == ToolType::combo_box) {
    // Opening a menu or focusing a tool window from a shortcut needs the
    // tool on a bar; the tool windows are not built yet.
    if (!shown || tool->type() != ToolType::menu) return;
    perform_menu(menu_machine_.press(menu_view(), bar_item_of(*shown), focus_facts()));
    return;
  }
  if (shown)
    deck_.click(shown);
  else
    click_unplaced(tool);
}

void ControlObject::click_unplaced(const std::shared_ptr<Tool>& tool) {
  const ToolRef ref{tool, nullptr};
  const bool toggles = tool->type() == ToolType::state_button || tool->type() == ToolType::drop_down_state;
  if (toggles && !(tool->state == 1 && !tool->group_allow_all_up))
    deck_.set_state(ref, tool->state == 1 ? 0 : 1);
  else
    tool_click(ref);
}

ItemRef ControlObject::bar_item_of(const PlacedTool& placed) const {
  const Toolbar* toolbar = placed.owner ? placed.owner->toolbar() : nullptr;
  if (!toolbar) return {};
  const long bar = deck_.toolbars().position_of(toolbar);
  const long index = toolbar->tools.position_of(&placed);
  if (bar < 0 || index < 0) return {};
  return {Place::bar, static_cast<int>(bar), static_cast<int>(index)};
}

// ---- The mouse ----

bool ControlObject::menu_frame_mouse(const FrameMouse& mouse, const menus::BarSpot& spot) {
  const bool in_menus = menu_machine_.in_menu_mode();
  const ItemRef item = spot.tool ? bar_item_of(*spot.tool) : ItemRef{};
  const std::shared_ptr<Tool> tool = spot.tool ? deck_.tool_of(*spot.tool) : nullptr;
  const bool on_menu = tool && tool->type() == ToolType::menu;
  const menus::MenuView view = menu_view();
  switch (mouse.kind) {
    case FrameMouse::Kind::move:
      if (in_menus) perform_menu(menu_machine_.move(view, item));
      return false;
    case FrameMouse::Kind::press:
    case FrameMouse::Kind::double_click:
      if (mouse.button == 1 && spot.on_arrow) {
        if (in_menus) perform_menu(menu_machine_.leave());
        run_menu_drop_down(item, spot.tool);
        return true;
      }
      if (mouse.button != 1 || (!on_menu && !in_menus)) return false;
      perform_menu(menu_machine_.press(view, item, focus_facts()));
      return on_menu;
    case FrameMouse::Kind::release:
      if (mouse.button != 1 || !in_menus) return false;
      perform_menu(menu_machine_.release(view, item));
      return on_menu;
  }
  return false;
}

bool ControlObject::mouse_message(const menus::MouseEvent& event) {
  if (!menu_machine_.in_menu_mode() || !is_button_down(event.message)) return false;
  // Presses on the popups and on the bars are theirs; any other ends menu mode.
  if (has_class(event.window, L"MzMenu") || has_class(event.window, L"MzDock")) return false;
  if (event.window == dock_frame_.host() && event.hit_test == HTBORDER) return false;
  perform_menu(menu_machine_.leave());
  return false;
}

void ControlObject::popup_mouse(int level, menus::PopupMouse kind, menus::PopupButton button, Point client) {
  if (static_cast<size_t>(level) >= popups_.size()) return;
  if (button == menus::PopupButton::right && !right_button_as_left_) return;
  OpenPopup& popup = *popups_[static_cast<size_t>(level)];
  const menus::PopupScroll::Hit hit = popup.scroll.hit(client, popup.rects, popup.content.width);
  const ItemRef spot = hit.spot == menus::PopupScroll::Spot::item ? ItemRef{Place::popup, level, hit.item}
                                                                  : ItemRef{Place::popup, level, -1};
  const menus::MenuView view = menu_view();
  switch (kind) {
    case menus::PopupMouse::move:
      if (std::exchange(popup.first_move_pending, false)) break;
      follow_scroll_area(popup, hit.spot);
      perform_menu(menu_machine_.move(view, spot));
      break;
    case menus::PopupMouse::press: perform_menu(menu_machine_.press(view, spot, focus_facts())); break;
    case menus::PopupMouse::release: perform_menu(menu_machine_.release(view, spot)); break;
  }
}

void ControlObject::popup_capture_lost(int) { perform_menu(menu_machine_.capture_lost()); }

// ---- The hover delay ----

void ControlObject::start_item_hover(PlacedTool& item) {
  const std::shared_ptr<Tool> tool = deck_.tool_of(item);
  if (!tool || (tool->type() != ToolType::menu && tool->type() != ToolType::drop_down)) return;
  tracker_.window(site_.host_window());
  tracker_.start_hover(deck_.modes.customizing ? 1 : 500);
}

void ControlObject::hover_elapsed() {
  tracker_.stop_hover();
  for (size_t level = popups_.size(); level-- > 0;) {
    const OpenPopup& popup = *popups_[level];
    if (popup.hot < 0) continue;
    perform_menu(menu_machine_.hover_elapsed(menu_view(), {Place::popup, static_cast<int>(level), popup.hot}));
    return;
  }
}

}  // namespace mz::com
