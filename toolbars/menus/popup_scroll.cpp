#include "popup_scroll.h"

#include <algorithm>
#include <limits>

namespace mz::menus {
namespace {

using i64 = int64_t;

int to_int(i64 value) {
  return static_cast<int>(std::clamp<i64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool contains(const Rect& r, i64 x, i64 y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

PopupScroll::PopupScroll(std::vector<int> item_heights, int client_height, bool must_scroll) {
  tops_.reserve(item_heights.size() + 1);
  i64 tallest = 0;
  for (int height : item_heights) {
    const i64 h = std::max(height, 0);
    tops_.push_back(tops_.back() + h);
    tallest = std::max(tallest, h);
  }
  client_height_ = std::max(client_height, 0);
  strip_ = std::min(tallest, client_height_);
  scrolling_ = must_scroll && tops_.back() > client_height_;
}

void PopupScroll::relayout(std::vector<int> item_heights, int client_height, bool must_scroll) {
  const int kept = first_;
  *this = PopupScroll(std::move(item_heights), client_height, must_scroll);
  first_ = std::min(kept, last_first());
}

bool PopupScroll::can_scroll_down_at(int first) const {
  return scrolling_ && first + 1 < count() && tops_.back() - top_of(first) > client_height_;
}

// The largest first shown index scrolling down can reach.
int PopupScroll::last_first() const {
  int first = 0;
  while (can_scroll_down_at(first)) ++first;
  return first;
}

PopupScroll::Window PopupScroll::window_at(int first) const {
  if (!scrolling_) return {0, 0, std::max(client_height_, tops_.back()), false, false};
  Window window{top_of(first), 0, client_height_, first > 0, can_scroll_down_at(first)};
  i64 top_height = window.top_area ? strip_ : 0;
  i64 bottom_height = window.bottom_area ? strip_ : 0;
  if (top_height + bottom_height > client_height_) {
    top_height = client_height_ / 2;
    bottom_height = client_height_ - top_height;
  }
  window.view_top = top_height;
  window.view_bottom = client_height_ - bottom_height;
  return window;
}

int PopupScroll::offset() const { return to_int(window_at(first_).offset); }

Rect PopupScroll::top_area(int width) const {
  const Window window = window_at(first_);
  if (!window.top_area) return {};
  return {0, 0, std::max(width, 0), to_int(window.view_top)};
}

Rect PopupScroll::bottom_area(int width) const {
  const Window window = window_at(first_);
  if (!window.bottom_area) return {};
  return {0, to_int(window.view_bottom), std::max(width, 0), to_int(client_height_)};
}

bool PopupScroll::in_view_at(const Window& window, int item) const {
  return item >= 0 && item < count() && top_of(item) - window.offset >= window.view_top &&
         bottom_of(item) - window.offset <= window.view_bottom;
}

bool PopupScroll::in_view(int item) const { return in_view_at(window_at(first_), item); }

int PopupScroll::first_in_view() const {
  const Window window = window_at(first_);
  for (int item = first_; item < count(); ++item)
    if (in_view_at(window, item)) return item;
  return -1;
}

int PopupScroll::last_in_view() const {
  const Window window = window_at(first_);
  for (int item = count() - 1; item >= first_; --item)
    if (in_view_at(window, item)) return item;
  return -1;
}

bool PopupScroll::scroll_down() {
  if (!can_scroll_down_at(first_)) return false;
  ++first_;
  return true;
}

bool PopupScroll::scroll_up() {
  if (!scrolling_ || first_ == 0) return false;
  --first_;
  return true;
}

bool PopupScroll::show(int item) {
  if (item < 0 || item >= count()) return false;
  auto above = [&](int first) {
    const Window window = window_at(first);
    return top_of(item) - window.offset < window.view_top;
  };
  int first = first_;
  while (first > 0 && above(first)) --first;
  while (!in_view_at(window_at(first), item) && can_scroll_down_at(first) && !above(first + 1)) ++first;
  const bool moved = first != first_;
  first_ = first;
  return moved;
}

PopupScroll::Hit PopupScroll::hit(Point client, std::span<const Rect> items, int width) const {
  const Window window = window_at(first_);
  if (scrolling_ && (client.y < 0 || client.y >= client_height_)) return {};
  if (window.top_area && contains(top_area(width), client.x, client.y)) return {Spot::top_area, -1};
  if (window.bottom_area && contains(bottom_area(width), client.x, client.y)) return {Spot::bottom_area, -1};
  const i64 content_y = i64{client.y} + window.offset;
  for (size_t i = 0; i < items.size(); ++i)
    if (contains(items[i], client.x, content_y)) return {Spot::item, static_cast<int>(i)};
  return {};
}

}  // namespace mz::menus
