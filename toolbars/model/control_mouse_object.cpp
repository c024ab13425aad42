// The mouse over the control's docked toolbars: the host window's frame hands
// its mouse messages here; what lies under the pointer goes to the bars'
// mouse rules, and their decisions become events, clicks, the capture, the
// tooltip, the hot-tool worker, the request for the context menu and the
// marks the placeholder painting shows.
#include "control_object.h"
#include "dispatch_ids.h"
#include "event_args_win32.h"

namespace mz::com {

namespace {

using Kind = menus::BarAction::Kind;

uint16_t held(int key, uint16_t bit) { return (GetKeyState(key) & 0x8000) ? bit : 0; }

// Shift 1, Ctrl 2, Alt 4, as the mouse events report them.
uint16_t shift_state() { return held(VK_SHIFT, 1) | held(VK_CONTROL, 2) | held(VK_MENU, 4); }

uint16_t buttons_held() { return held(VK_LBUTTON, 1) | held(VK_RBUTTON, 2) | held(VK_MBUTTON, 4); }

bool edits(const Deck& deck, PlacedTool& placed) {
  const std::shared_ptr<Tool> tool = deck.tool_of(placed);
  return tool && (tool->type() == ToolType::edit || tool->type() == ToolType::combo_box);
}

}  // namespace

bool ControlObject::frame_mouse(const FrameMouse& mouse) {
  const HWND host = dock_frame_.host();
  RECT frame{};
  if (design_time() || !properties_.enabled || !host || !GetWindowRect(host, &frame)) return false;
  const Point at{mouse.screen.x - frame.left, mouse.screen.y - frame.top};
  POINT client = mouse.screen;
  ScreenToClient(host, &client);

  menus::BarMouseInput input;
  input.spot = menus::bar_spot(deck_, docked_.hit(at), at, properties_.large_icons);
  input.client = {client.x, client.y};
  input.button = static_cast<menus::MouseButton>(mouse.button);
  input.buttons = buttons_held();
  input.shift = shift_state();
  input.host_active = GetActiveWindow() == GetAncestor(host, GA_ROOT);
  if (menu_frame_mouse(mouse, input.spot)) {
    perform(bar_mouse_.move(input));
    return true;
  }

  // Messages away from the bars only move the hot tool off them, and stay
  // the host's.
  const bool taken = input.spot.over_bars() || bar_mouse_.capturing();
  if (!taken || mouse.kind == FrameMouse::Kind::move) {
    perform(bar_mouse_.move(input));
    return taken;
  }
  perform(mouse.kind == FrameMouse::Kind::release ? bar_mouse_.release(input)
                                                  : bar_mouse_.press(input, mouse.kind == FrameMouse::Kind::double_click));
  return true;
}

void ControlObject::frame_capture_lost() { perform(bar_mouse_.capture_lost()); }

void ControlObject::hot_tool_left() { perform(bar_mouse_.left()); }

paint::ToolMarks ControlObject::tool_marks() const {
  paint::ToolMarks marks;
  if (const std::shared_ptr<PlacedTool>& tool = bar_mouse_.hot_tool()) {
    marks.hot = tool.get();
    marks.pressed = bar_mouse_.shows_pressed(*tool);
  }
  // In menu mode the bar tool menu mode highlights is the hot one, and the
  // tool whose popup is open shows dropped.
  if (bar_highlight_) {
    marks.hot = bar_highlight_.get();
    marks.pressed = false;
  }
  if (!popups_.empty() && popups_.front()->source && popups_.front()->source->owner &&
      popups_.front()->source->owner->toolbar())
    marks.dropped = popups_.front()->source.get();
  if (dropped_tool_) marks.dropped = dropped_tool_.get();
  return marks;
}

void ControlObject::repaint_band_of(const PlacedTool& tool) {
  const Toolbar* toolbar = tool.owner ? tool.owner->toolbar() : nullptr;
  const long id = toolbar ? deck_.toolbars().position_of(toolbar) : -1;
  // A tool of no toolbar (the More Tools button) repaints every area.
  if (id < 0) return dock_frame_.repaint();
  if (!toolbar->floating()) dock_frame_.repaint(static_cast<int>(id));
}

void ControlObject::fire_mouse_event(DISPID dispid, const menus::BarAction& action) {
  const uint16_t button = dispid == DISPID_DMzToolBarsEvents_MouseMove ? action.buttons
                                                                        : static_cast<uint16_t>(action.button);
  fire(dispid, {int16_variant(static_cast<int16_t>(button)), int16_variant(static_cast<int16_t>(action.shift)),
                int32_variant(action.point.x), int32_variant(action.point.y)});
}

void ControlObject::perform(const menus::BarActions& actions) {
  // A handler may release the host's last reference to the control.
  ComPtr<IMzToolBarControl> keep_alive(this);
  const HWND host = dock_frame_.host();
  for (const menus::BarAction& action : actions) {
    switch (action.kind) {
      case Kind::tool_exit:
        fire(DISPID_DMzToolBarsEvents_ToolExit, {dispatch_argument(tool_object({nullptr, action.tool}).get())});
        break;
      case Kind::toolbar_exit:
        fire(DISPID_DMzToolBarsEvents_ToolBarExit, {dispatch_argument(toolbar_object(action.toolbar).get())});
        break;
      case Kind::toolbar_enter:
        fire(DISPID_DMzToolBarsEvents_ToolBarEnter, {dispatch_argument(toolbar_object(action.toolbar).get())});
        break;
      case Kind::tool_enter:
        tracker_.set_hot_tool_edits(edits(deck_, *action.tool));
        fire(DISPID_DMzToolBarsEvents_ToolEnter, {dispatch_argument(tool_object({nullptr, action.tool}).get())});
        break;
      case Kind::mouse_move: fire_mouse_event(DISPID_DMzToolBarsEvents_MouseMove, action); break;
      case Kind::mouse_down: fire_mouse_event(DISPID_DMzToolBarsEvents_MouseDown, action); break;
      case Kind::mouse_up: fire_mouse_event(DISPID_DMzToolBarsEvents_MouseUp, action); break;
      case Kind::click: fire(DISPID_DMzToolBarsEvents_Click); break;
      case Kind::dbl_click: fire(DISPID_DMzToolBarsEvents_DblClick); break;
      case Kind::tool_dbl_click:
        fire_in_event(DISPID_DMzToolBarsEvents_ToolDblClick,
                      {dispatch_argument(tool_object({nullptr, action.tool}).get())});
        break;
      case Kind::activate: deck_.click(action.tool); break;
      case Kind::repaint:
        if (redraw_) repaint_band_of(*action.tool);
        break;
      case Kind::take_capture:
        if (const std::shared_ptr<Toolbar>& toolbar = bar_mouse_.hot_toolbar())
          dock_frame_.take_capture(area_index(toolbar->docked_status));
        break;
      case Kind::release_capture: dock_frame_.release_capture(); break;
      case Kind::start_tooltip:
        tracker_.window(host);
        tracker_.start_tooltip(action.tool->id, static_cast<UINT>(properties_.tooltip_delay));
        break;
      case Kind::cancel_tooltip: tracker_.cancel_tooltip(); break;
      case Kind::start_hot_worker:
        tracker_.window(host);
        tracker_.start_hot_tool_worker();
        break;
      case Kind::stop_hot_worker: tracker_.stop_hot_tool_worker(); break;
      case Kind::beep: MessageBeep(MB_OK); break;
      case Kind::context_menu: {
        POINT screen{action.point.x, action.point.y};
        ClientToScreen(host, &screen);
        PostMessageW(tracker_.window(host), static_cast<UINT>(menus::TrackerMessage::toolbar_context_menu), 0,
                     MAKELPARAM(screen.x, screen.y));
        break;
      }
    }
  }
}

}  // namespace mz::com
