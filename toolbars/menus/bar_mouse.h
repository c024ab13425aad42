#pragma once
// The mouse over the docked toolbars and their dock areas, as a state
// machine over plain values: each mouse message comes in with what lies
// under the pointer, and the actions the control performs come out (events
// to raise, a tool to activate, the capture to take or release, a repaint,
// the tooltip and the hot-tool worker to start or stop).
//
// The rules: the tool and toolbar under the pointer are hot, and a change of
// either is reported (tool exit, toolbar exit, toolbar enter, tool enter); a
// press of the left button on a tool that can be pressed presses it and takes
// the capture, and its release over the same tool activates it; a release
// elsewhere, or a lost capture, only un-presses it. A press of the right
// button asks for the toolbars' context menu. A tooltip is started for a hot
// tool while no button is held and nothing is pressed.
#include <cstdint>
#include <memory>
#include <vector>

#include "deck.h"
#include "deck_layout.h"

namespace mz::menus {

// What lies under the pointer, as the mouse handling needs it.
struct BarSpot {
  WhereIs where = WhereIs::none;
  std::shared_ptr<Toolbar> toolbar;
  std::shared_ptr<PlacedTool> tool;
  bool pressable = false;  // a press presses it; a release over it activates it
  bool on_arrow = false;   // on the arrow part of an enabled drop-down tool: a press runs its drop-down
  bool tooltip = false;    // it may show a tooltip

  bool over_bars() const { return where != WhereIs::none; }
  // On a dock area, off its toolbars.
  bool on_area() const { return where <= WhereIs::right_dock; }
};

// The spot of a hit at `point` (host window coordinates). Only enabled
// buttons, state buttons and the main part of drop-down tools are pressed
// here: the press of a menu tool, of a drop-down arrow and of the More Tools
// button opens a menu, and combo-box and edit tools take the focus, which
// the menus and the tool windows handle; labels and separators are never
// pressed.
BarSpot bar_spot(const Deck& deck, const DeckHit& hit, Point point, bool large_icons);

// Buttons as the mouse events number them.
enum class MouseButton : uint16_t { none = 0, left = 1, right = 2, middle = 4 };

// One mouse message over the bars, or anywhere while the bars hold the capture.
struct BarMouseInput {
  BarSpot spot;
  Point client;             // in the host's client coordinates, for the events
  MouseButton button = MouseButton::none;  // the button of a press or release
  uint16_t buttons = 0;     // the buttons held down (MouseButton bits)
  uint16_t shift = 0;       // Shift 1, Ctrl 2, Alt 4
  bool host_active = true;  // the host's window is the active one
};

struct BarAction {
  enum class Kind : uint8_t {
    tool_exit,
    toolbar_exit,
    toolbar_enter,
    tool_enter,
    mouse_move,
    mouse_down,
    mouse_up,
    click,
    dbl_click,
    tool_dbl_click,
    activate,          // the tool was clicked
    repaint,           // the tool's look changed (hot or pressed)
    take_capture,
    release_capture,
    start_tooltip,
    cancel_tooltip,
    start_hot_worker,  // something is hot: watch for the pointer leaving it
    stop_hot_worker,
    beep,
    context_menu,      // the right button was pressed over the bars, at `point`
  };
  Kind kind = Kind::repaint;
  std::shared_ptr<Toolbar> toolbar;
  std::shared_ptr<PlacedTool> tool;
  MouseButton button = MouseButton::none;
  uint16_t buttons = 0;
  uint16_t shift = 0;
  Point point;

  bool operator==(const BarAction&) const = default;
};

using BarActions = std::vector<BarAction>;

class BarMouse {
 public:
  BarActions move(const BarMouseInput& input);
  // A press; `double_click` for the second press of a double click, which
  // presses the tool again and reports the double click instead of a press.
  BarActions press(const BarMouseInput& input, bool double_click);
  BarActions release(const BarMouseInput& input);
  // The capture went elsewhere (another window took it, or the platform
  // cancelled the press): a pressed tool is let go without being activated.
  BarActions capture_lost();
  // The pointer left the bars without a mouse message saying so.
  BarActions left();

  const std::shared_ptr<PlacedTool>& hot_tool() const { return hot_tool_; }
  const std::shared_ptr<Toolbar>& hot_toolbar() const { return hot_toolbar_; }
  const std::shared_ptr<PlacedTool>& pressed_tool() const { return pressed_; }
  // The bars hold the capture for a pressed tool.
  bool capturing() const { return pressed_ != nullptr; }
  // A tool shows pressed while it is pressed and the pointer is over it.
  bool shows_pressed(const PlacedTool& tool) const { return pressed_.get() == &tool && hot_tool_.get() == &tool; }

 private:
  // Follows the pointer to `spot`: the exits and entries of a change of the
  // hot tool or toolbar.
  void follow(const BarSpot& spot, uint16_t buttons, BarActions& out);
  void let_go(BarActions& out);

  std::shared_ptr<Toolbar> hot_toolbar_;
  std::shared_ptr<PlacedTool> hot_tool_;
  std::shared_ptr<PlacedTool> pressed_;
  bool watching_ = false;      // the hot-tool worker runs
  bool double_click_ = false;  // the press held is the second of a double click
};

}  // namespace mz::menus
