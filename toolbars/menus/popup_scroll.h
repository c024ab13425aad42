#pragma once
// The window a scrolling popup shows onto its items. The popup's client
// height is fixed; its items are stacked from content y 0 and shown from a
// first-shown index on, moved up by the heights of the items before it.
//
// Two scroll areas, each as high as the tallest item (so a separator never
// leaves a sliver), cross the top and the bottom of the client. The top area
// is there while an item is scrolled off the top (the first shown is not the
// first item); the bottom area while content lies below the client and the
// popup can scroll further. An item is in view when it is fully inside the
// client and under neither area. In a client too short for both areas they
// share it, half each, so they never overlap.
//
// A popup that is not asked to scroll, or whose items fit its client, does
// not scroll: no areas, every item in view. All arithmetic runs on 64-bit
// values, so heights and clients anywhere in the int range never overflow.
#include <cstdint>
#include <span>
#include <vector>

#include "toolbars/layout/geometry.h"

namespace mz::menus {

class PopupScroll {
 public:
  PopupScroll() = default;  // not scrolling
  // Negative heights and a negative client height count as 0.
  PopupScroll(std::vector<int> item_heights, int client_height, bool must_scroll);

  // After a relayout (items added, removed or expanded): the state is rebuilt
  // from the new heights and client height, keeping the first shown item as
  // far as the new layout can scroll. A popup whose items now fit stops
  // scrolling.
  void relayout(std::vector<int> item_heights, int client_height, bool must_scroll);

  bool scrolling() const { return scrolling_; }
  int first() const { return first_; }  // 0-based first item shown
  int offset() const;                   // pixels the content is moved up (clamped to INT_MAX)

  // In client coordinates, `width` wide; empty rectangles when absent.
  Rect top_area(int width) const;
  Rect bottom_area(int width) const;

  bool in_view(int item) const;  // fully shown and under no area
  int first_in_view() const;     // -1 when none
  int last_in_view() const;      // -1 when none

  bool scroll_down();  // one item; false when it cannot
  bool scroll_up();
  // Scrolls until `item` is in view; true when it moved. An item taller than
  // the room between the areas is brought up as far as it goes without its
  // top passing under the top area.
  bool show(int item);

  enum class Spot : uint8_t { none, item, top_area, bottom_area };
  struct Hit {
    Spot spot = Spot::none;
    int item = -1;
    constexpr bool operator==(const Hit&) const = default;
  };
  // What a client point is over; `items` are the item rectangles in content
  // coordinates (stacked from y 0). A point in a scroll area is never over an
  // item, nor is a point of a scrolling popup outside its client.
  Hit hit(Point client, std::span<const Rect> items, int width) const;

 private:
  // The client as it is with `first` as the first shown item: the content's
  // shift and the band [view_top; view_bottom) between the areas.
  struct Window {
    int64_t offset = 0;
    int64_t view_top = 0;
    int64_t view_bottom = 0;
    bool top_area = false;
    bool bottom_area = false;
  };
  Window window_at(int first) const;
  bool can_scroll_down_at(int first) const;
  int count() const { return static_cast<int>(tops_.size()) - 1; }
  int64_t top_of(int item) const { return tops_[static_cast<size_t>(item)]; }
  int64_t bottom_of(int item) const { return tops_[static_cast<size_t>(item) + 1]; }
  bool in_view_at(const Window& window, int item) const;
  int last_first() const;

  std::vector<int64_t> tops_{0};  // content y of each item's top, and the total height last
  int64_t client_height_ = 0;
  int64_t strip_ = 0;  // the height of a scroll area: the tallest item, at most the client
  bool scrolling_ = false;
  int first_ = 0;
};

}  // namespace mz::menus
