#pragma once
// One open popup menu of the control: the menu tool whose sub-tools it
// shows, the item it hangs from, its shown items with their rectangles, where
// it sits on the screen, how far it is scrolled, its opening animation and
// its "MzMenu" window. The items are held, so a tool the host removes while
// the popup is open is never touched after it is freed.
#include <atomic>
#include <memory>
#include <vector>

#include "animation_stepper_win32.h"
#include "popup_animation.h"
#include "popup_items.h"
#include "popup_layout.h"
#include "popup_scroll.h"
#include "popup_window_win32.h"
#include "toolbars/model/tool.h"

namespace mz {

struct OpenPopup {
  OpenPopup(menus::PopupWindowClient& client, int level) : window(client, level) {}

  std::shared_ptr<Tool> menu_tool;     // whose sub-tools it shows
  std::shared_ptr<PlacedTool> source;  // the item it hangs from; null for a popup opened at a point
  std::vector<std::shared_ptr<PlacedTool>> items;  // the shown sub-tools, in order
  std::vector<menus::PopupItemInput> inputs;
  std::vector<Rect> rects;  // the items in content coordinates
  Size content;
  int picture_size = 16;
  menus::PopupPlacement placement;
  menus::PopupScroll scroll;
  int hot = -1;  // the highlighted item
  int scrolling_towards = 0;  // -1 up, +1 down while the pointer rests on a scroll area
  // The platform reports a move when a window appears under a still
  // pointer: the first one only notes where the pointer is, so a popup
  // opened from the keyboard keeps its highlight.
  bool first_move_pending = true;
  menus::Animation animation = menus::Animation::none;
  std::shared_ptr<std::atomic<int>> steps_left = std::make_shared<std::atomic<int>>(0);
  std::shared_ptr<menus::AnimationStepper> stepper;
  menus::PopupWindow window;
};

}  // namespace mz
