#include "bar_mouse.h"

namespace mz::menus {

namespace {

using Kind = BarAction::Kind;

bool has_drop_down_arrow(ToolType type) { return type == ToolType::drop_down || type == ToolType::drop_down_state; }

BarAction action(Kind kind) {
  BarAction action;
  action.kind = kind;
  return action;
}

BarAction about(Kind kind, std::shared_ptr<PlacedTool> tool) {
  BarAction action = menus::action(kind);
  action.tool = std::move(tool);
  return action;
}

BarAction about(Kind kind, std::shared_ptr<Toolbar> toolbar) {
  BarAction action = menus::action(kind);
  action.toolbar = std::move(toolbar);
  return action;
}

BarAction mouse_event(Kind kind, const BarMouseInput& input) {
  BarAction action = menus::action(kind);
  action.button = input.button;
  action.buttons = input.buttons;
  action.shift = input.shift;
  action.point = input.client;
  return action;
}

}  // namespace

BarSpot bar_spot(const Deck& deck, const DeckHit& hit, Point point, bool large_icons) {
  BarSpot spot;
  spot.where = hit.where;
  spot.toolbar = hit.toolbar;
  spot.tool = hit.tool;
  if (!hit.tool || hit.tool->is_separator() || hit.tool == hit.toolbar->more_tools_button) return spot;
  const std::shared_ptr<Tool> tool = deck.tool_of(*hit.tool);
  if (!tool) return spot;
  const ToolType type = tool->type();
  spot.tooltip = type != ToolType::menu;
  if (!tool->enabled) return spot;
  const int arrow = large_icons ? 19 : 9;
  const bool on_arrow = has_drop_down_arrow(type) && point.x >= hit.tool_rect.right - arrow;
  spot.pressable = (type == ToolType::button || type == ToolType::state_button || has_drop_down_arrow(type)) &&
                   !on_arrow;
  spot.on_arrow = on_arrow;
  return spot;
}

void BarMouse::follow(const BarSpot& spot, uint16_t buttons, BarActions& out) {
  const bool tool_changes = spot.tool != hot_tool_;
  if (tool_changes && hot_tool_) {
    out.push_back(action(Kind::cancel_tooltip));
    out.push_back(about(Kind::tool_exit, hot_tool_));
    out.push_back(about(Kind::repaint, hot_tool_));
  }
  if (spot.toolbar != hot_toolbar_) {
    if (hot_toolbar_) out.push_back(about(Kind::toolbar_exit, hot_toolbar_));
    hot_toolbar_ = spot.toolbar;
    if (hot_toolbar_) out.push_back(about(Kind::toolbar_enter, hot_toolbar_));
  }
  if (tool_changes) {
    hot_tool_ = spot.tool;
    if (hot_tool_) {
      out.push_back(about(Kind::tool_enter, hot_tool_));
      out.push_back(about(Kind::repaint, hot_tool_));
      if (spot.tooltip && buttons == 0 && !pressed_) out.push_back(about(Kind::start_tooltip, hot_tool_));
    }
  }
  const bool hot = hot_tool_ || hot_toolbar_;
  if (hot != watching_) {
    watching_ = hot;
    out.push_back(action(hot ? Kind::start_hot_worker : Kind::stop_hot_worker));
  }
}

void BarMouse::let_go(BarActions& out) {
  if (!pressed_) return;
  out.push_back(about(Kind::repaint, pressed_));
  pressed_.reset();
}

BarActions BarMouse::move(const BarMouseInput& input) {
  BarActions out;
  follow(input.spot, input.buttons, out);
  if (input.spot.over_bars()) out.push_back(mouse_event(Kind::mouse_move, input));
  return out;
}

BarActions BarMouse::press(const BarMouseInput& input, bool double_click) {
  BarActions out;
  if (!input.host_active && input.button == MouseButton::left) {
    out.push_back(action(Kind::beep));
    return out;
  }
  // The button just pressed is held: no tooltip for a tool it makes hot.
  follow(input.spot, input.buttons | static_cast<uint16_t>(input.button), out);
  out.push_back(action(Kind::cancel_tooltip));
  double_click_ = double_click;
  if (double_click) {
    out.push_back(mouse_event(Kind::dbl_click, input));
    if (input.spot.tool) out.push_back(about(Kind::tool_dbl_click, input.spot.tool));
  } else {
    out.push_back(mouse_event(Kind::mouse_down, input));
  }
  if (input.button == MouseButton::left && input.spot.pressable && !pressed_) {
    pressed_ = input.spot.tool;
    out.push_back(action(Kind::take_capture));
    out.push_back(about(Kind::repaint, pressed_));
  }
  if (input.button == MouseButton::right && input.spot.over_bars()) out.push_back(mouse_event(Kind::context_menu, input));
  return out;
}

BarActions BarMouse::release(const BarMouseInput& input) {
  BarActions out;
  follow(input.spot, input.buttons, out);
  if (input.spot.over_bars()) out.push_back(mouse_event(Kind::mouse_up, input));
  if (input.button == MouseButton::left && pressed_) {
    const std::shared_ptr<PlacedTool> pressed = pressed_;
    out.push_back(action(Kind::release_capture));
    let_go(out);
    if (input.spot.tool == pressed && input.spot.pressable) out.push_back(about(Kind::activate, pressed));
  }
  if (input.spot.on_area() && !double_click_) out.push_back(mouse_event(Kind::click, input));
  double_click_ = false;
  return out;
}

BarActions BarMouse::capture_lost() {
  BarActions out;
  let_go(out);
  double_click_ = false;
  return out;
}

BarActions BarMouse::left() {
  BarActions out;
  follow({}, 0, out);
  return out;
}

}  // namespace mz::menus
