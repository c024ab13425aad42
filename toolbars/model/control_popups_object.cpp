// The control's popup menus: opening one from its menu tool (sizes, anchor,
// fitting, the window, the first paint, the animation), drawing its items,
// scrolling, closing, and the PopupMenu method with its own message loop.
#include "control_object.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>

#include "dispatch_ids.h"
#include "event_args_win32.h"
#include "own_object.h"
#include "popup_painter_win32.h"
#include "shortcut.h"
#include "toolbar_paint.h"

namespace mz::com {

namespace {

using menus::ItemRef;
using menus::Place;

constexpr UINT_PTR kScrollTimer = 99;
constexpr UINT kScrollPeriod = 100;

Rect work_area_at(const Rect& around) {
  const RECT probe{around.left, around.top, around.right, around.bottom};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &info))
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left, work.top, work.right, work.bottom};
}

Size text_extent(HDC dc, const std::wstring& text) {
  if (text.empty()) return {};
  RECT r{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left + 2, r.bottom - r.top + 2};
}

// Where on the screen an anchor is, to find the monitor it is on.
Rect anchor_rect(const menus::PopupAnchor& anchor) {
  if (const auto* point = std::get_if<menus::PointAnchor>(&anchor))
    return {point->point.x, point->point.y, point->point.x + 1, point->point.y + 1};
  if (const auto* submenu = std::get_if<menus::SubmenuAnchor>(&anchor)) return submenu->item;
  return std::get<menus::ToolAnchor>(anchor).tool;
}

bool is_checked(const Tool& tool) {
  return tool.state == 1 && (tool.type() == ToolType::state_button || tool.type() == ToolType::drop_down_state);
}

}  // namespace

// ---- Opening ----

HFONT ControlObject::popup_font() {
  if (properties_.font_source == 1) return docked_font();
  if (!menu_font_) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    const bool read = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    menu_font_.emplace(read ? CreateFontIndirectW(&metrics.lfMenuFont) : nullptr);
  }
  return *menu_font_ ? menu_font_->get() : docked_font();
}

menus::MenuActions ControlObject::open_popup(int level, const std::shared_ptr<PlacedTool>& source) {
  const std::shared_ptr<Tool> menu_tool = source ? deck_.tool_of(*source) : popup_menu_tool_;
  const auto refuse = [&] { return menu_machine_.popup_closed(level); };
  if (!menu_tool || menu_tool->type() != ToolType::menu || !usable(*menu_tool) || !has_window())
    return refuse();
  close_popups(level);

  // The host may fill or change the sub-tools before they are shown.
  const uint64_t generation = menu_generation_;
  fire_in_event(DISPID_DMzToolBarsEvents_ToolClick,
                {dispatch_argument(tool_object(source ? ToolRef{nullptr, source} : ToolRef{menu_tool, nullptr}).get())});
  if (generation != menu_generation_ || !menu_machine_.in_menu_mode() || !has_window()) return {};
  if (static_cast<size_t>(level) != popups_.size()) return refuse();

  if (!deck_.modes.customizing && GetCapture() && GetCapture() != site_.host_window()) ReleaseCapture();
  PlaySoundW(L"menupopup", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);

  auto popup = std::make_unique<OpenPopup>(static_cast<menus::PopupWindowClient&>(*this), level);
  popup->menu_tool = menu_tool;
  popup->source = source;
  lay_out_popup_items(*popup);
  place_popup(*popup, level);
  const HWND owner = site_.host_window();
  if (!popup->window.create(owner, popup->placement.rect, reinterpret_cast<HANDLE>(menu_tool->menu()),
                            reinterpret_cast<HANDLE>(popup.get())))
    return refuse();
  popups_.push_back(std::move(popup));
  OpenPopup& shown = *popups_.back();
  render_popup(shown);
  show_popup(shown);
  if (source && level == 0) repaint_band_of(*source);
  if (level > 0) repaint_popup_item(*popups_[static_cast<size_t>(level - 1)], popups_[level - 1]->hot);
  return menu_machine_.popup_shown(menu_view(), level);
}

void ControlObject::lay_out_popup_items(OpenPopup& popup) {
  popup.items.clear();
  popup.inputs.clear();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, popup_font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int largest_picture = 0;
  for (const std::shared_ptr<PlacedTool>& placed : *popup.menu_tool->menu()) {
    const std::shared_ptr<Tool> tool = deck_.tool_of(*placed);
    if (!placed->is_separator() && (!tool || !tool->visible || !placed->fields.visible_here)) continue;
    if (placed->is_separator() && !placed->fields.visible_here) continue;
    menus::PopupItemInput input;
    input.type = placed->is_separator() ? ToolType::separator : tool->type();
    input.display_style = placed->fields.display_style;
    if (tool && !placed->is_separator()) {
      const bool windowed = tool->type() == ToolType::edit || tool->type() == ToolType::combo_box;
      const std::wstring caption = paint::shown_caption(deck_, *placed);
      input.caption = text_extent(dc, windowed ? caption + L":" : caption);
      input.shortcut = text_extent(dc, std::wstring(menus::shortcut_text(tool->shortcut == 0 ? -1 : tool->shortcut)));
      if (windowed) {
        input.ctl_width = placed->fields.ctl_width >= 0 ? placed->fields.ctl_width : tool->own.ctl_width;
        input.ctl_height = metrics.tmHeight + 6;
      }
      input.tool_fore_color = placed->fields.fore_color_source == 1;
      largest_picture = std::max<int>(largest_picture, tool->picture_size);
    }
    popup.items.push_back(placed);
    popup.inputs.push_back(input);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  popup.picture_size = menus::popup_picture_size(largest_picture);
  const std::vector<Size> sizes = menus::popup_item_sizes(popup.inputs, popup.picture_size);
  popup.rects = menus::stack_popup_items(sizes);
  popup.content = {0, popup.rects.empty() ? 0 : popup.rects.back().bottom};
  for (const Size& size : sizes) popup.content.width = std::max(popup.content.width, size.width);
}

// The popup's outer size from its laid-out items.
Size ControlObject::popup_outer_size(const OpenPopup& popup) {
  std::vector<Size> sizes;
  for (const Rect& rect : popup.rects) sizes.push_back(rect.size());
  return menus::popup_size(sizes, popup.content.width, menus::PopupWindow::frame());
}

// The scroll state for the popup's current placement and items.
void ControlObject::fit_scroll(OpenPopup& popup) {
  const Size frame = menus::PopupWindow::frame();
  std::vector<int> heights;
  for (const Rect& rect : popup.rects) heights.push_back(rect.height());
  popup.scroll.relayout(std::move(heights), popup.placement.rect.height() - 2 * frame.height,
                        popup.placement.must_scroll);
}

void ControlObject::place_popup(OpenPopup& popup, int level) {
  const Size frame = menus::PopupWindow::frame();
  const Size size = popup_outer_size(popup);
  menus::PopupAnchor anchor = menus::PointAnchor{popup_menu_point_, popup_menu_align_};
  if (level > 0) {
    const OpenPopup& parent = *popups_[static_cast<size_t>(level - 1)];
    const auto from = std::ranges::find(parent.items, popup.source);
    Rect item = from == parent.items.end() ? Rect{} : parent.rects[static_cast<size_t>(from - parent.items.begin())];
    const Point origin{parent.placement.rect.left + frame.width, parent.placement.rect.top + frame.height - parent.scroll.offset()};
    item = {item.left + origin.x, item.top + origin.y, item.right + origin.x, item.bottom + origin.y};
    anchor = menus::SubmenuAnchor{item, parent.placement.rect};
  } else if (popup.source) {
    const Toolbar* toolbar = popup.source->owner ? popup.source->owner->toolbar() : nullptr;
    if (const std::optional<Rect> tool = tool_screen_rect(*popup.source); tool && toolbar)
      anchor = menus::ToolAnchor{*tool, toolbar->docked_status};
  }
  popup.placement = menus::fit_popup(anchor, size, work_area_at(anchor_rect(anchor)));
  popup.scroll = {};
  fit_scroll(popup);
}

// The items of the open popups changed (added, removed, renamed, hidden):
// each popup is laid out again where it is, re-fitted to the work area, and
// drawn again; a popup whose menu tool went away closes with those below it.
void ControlObject::relayout_popups() {
  for (size_t level = 0; level < popups_.size(); ++level) {
    OpenPopup& popup = *popups_[level];
    if (!popup.menu_tool->in_collection || !popup.menu_tool->menu()) {
      perform_menu(menu_machine_.popup_closed(static_cast<int>(level)));
      close_popups(static_cast<int>(level));
      return;
    }
    lay_out_popup_items(popup);
    if (popup.hot >= static_cast<int>(popup.items.size())) popup.hot = -1;
    popup.placement = menus::refit_popup(popup.placement, popup_outer_size(popup), work_area_at(popup.placement.rect));
    fit_scroll(popup);
    render_popup(popup);
    if (popup.steps_left->load() == 0) popup.window.place(popup.placement.rect);
    popup.window.set_offset(popup.scroll.offset());
  }
}

void ControlObject::show_popup(OpenPopup& popup) {
  popup.animation = menus::opening_animation(properties_.menu_animations, false, std::rand());
  const int steps = menus::animation_steps(popup.animation, static_cast<int>(popup.items.size()));
  if (popup.animation == menus::Animation::none) {
    popup.window.place(popup.placement.rect);
    return;
  }
  popup.steps_left->store(steps);
  popup.window.place(menus::animation_start_rect(popup.placement));
  popup.stepper = menus::AnimationStepper::start(popup.window.handle(), popup.steps_left);
}

// ---- Drawing ----

paint::Colours ControlObject::popup_colours() const {
  return paint::Colours::system(paint::resolved_colour(properties_.fore_color))
      .with(paint::Role::popup_back, paint::resolved_colour(properties_.back_color));
}

void ControlObject::render_popup(OpenPopup& popup) {
  HDC dc = popup.window.content(popup.content);
  if (!dc) return;
  const paint::Colours colours = popup_colours();
  paint::fill_rect(dc, rect_at({0, 0}, popup.content), colours(paint::Role::popup_back));
  for (size_t i = 0; i < popup.items.size(); ++i) paint_popup_item(popup, static_cast<int>(i), dc, colours);
  popup.window.redraw();
}

void ControlObject::repaint_popup_item(OpenPopup& popup, int index) {
  if (index < 0 || static_cast<size_t>(index) >= popup.items.size()) return;
  HDC dc = popup.window.content(popup.content);
  if (!dc) return;
  paint_popup_item(popup, index, dc, popup_colours());
  popup.window.redraw(&popup.rects[static_cast<size_t>(index)]);
}

void ControlObject::paint_popup_item(OpenPopup& popup, int index, HDC dc, const paint::Colours& colours) {
  const auto at = static_cast<size_t>(index);
  PlacedTool& placed = *popup.items[at];
  const std::shared_ptr<Tool> tool = deck_.tool_of(placed);
  menus::PopupItemState state;
  state.hot = popup.hot == index;
  state.enabled = tool && usable(*tool);
  state.checked = tool && is_checked(*tool);
  const size_t level = static_cast<size_t>(popup.window.level());
  state.submenu_open = level + 1 < popups_.size() && popups_[level + 1]->source.get() == &placed;

  const images::ToolImageCache::Image* image = nullptr;
  Size picture;
  bool own_disabled = false;
  if (tool) {
    images::ToolImageCache& images = dock_painter_.images();
    const images::GivenPictures given = images.given(*tool);
    const images::ImageChoice choice =
        images::choose_image(given, menus::popup_image_state(tool->type(), state, properties_.active_colors));
    image = images.image(*tool, choice, false);
    BITMAP bitmap{};
    if (image && image->bitmap && GetObjectW(image->bitmap, sizeof bitmap, &bitmap))
      picture = {bitmap.bmWidth, bitmap.bmHeight};
    own_disabled = given.disabled;
  }
  const menus::PopupItemPlan plan = menus::plan_popup_item(popup.inputs[at], popup.rects[at], state,
                                                           popup.picture_size, picture, own_disabled);
  const std::wstring caption = tool ? paint::shown_caption(deck_, placed) : std::wstring{};
  const std::wstring_view shortcut = tool ? menus::shortcut_text(tool->shortcut == 0 ? -1 : tool->shortcut) : L"";
  menus::PopupItemArt art;
  art.caption = caption;
  art.shortcut = shortcut;
  art.image = image;
  art.fore = paint::resolved_colour(placed.fields.fore_color);
  menus::paint_popup_item(dc, plan, art, colours, popup_font());
}

void ControlObject::popup_overlay(int level, HDC dc) {
  if (static_cast<size_t>(level) >= popups_.size()) return;
  const OpenPopup& popup = *popups_[static_cast<size_t>(level)];
  if (!popup.scroll.scrolling()) return;
  const paint::Colours colours = popup_colours();
  // Scrolled to its end, the content may stop above the client's bottom.
  RECT client{};
  GetClientRect(popup.window.handle(), &client);
  const int content_bottom = popup.content.height - popup.scroll.offset();
  if (content_bottom < client.bottom)
    paint::fill_rect(dc, {0, content_bottom, client.right, client.bottom}, colours(paint::Role::popup_back));
  const Rect top = popup.scroll.top_area(popup.content.width);
  const Rect bottom = popup.scroll.bottom_area(popup.content.width);
  if (top.height() > 0) menus::paint_scroll_area(dc, top, true, colours);
  if (bottom.height() > 0) menus::paint_scroll_area(dc, bottom, false, colours);
}

// ---- Timers: the animation's steps and scrolling ----

void ControlObject::popup_timer(int level, UINT_PTR id) {
  if (static_cast<size_t>(level) >= popups_.size()) return;
  OpenPopup& popup = *popups_[static_cast<size_t>(level)];
  if (id == menus::kAnimationTimerId) {
    const int steps = popup.steps_left->load();
    if (steps <= 0) return;
    popup.window.place(menus::animation_step_rect(popup.animation, popup.placement, steps));
    popup.steps_left->store(steps - 1);
    popup.window.redraw();
    return;
  }
  if (id == kScrollTimer) scroll_step(popup);
}

void ControlObject::follow_scroll_area(OpenPopup& popup, menus::PopupScroll::Spot spot) {
  using Spot = menus::PopupScroll::Spot;
  const int towards = spot == Spot::top_area ? -1 : spot == Spot::bottom_area ? +1 : 0;
  if (towards == popup.scrolling_towards) return;
  popup.scrolling_towards = towards;
  const HWND window = popup.window.handle();
  if (towards == 0) {
    KillTimer(window, kScrollTimer);
    return;
  }
  // Resting on a scroll area closes the submenu of the highlighted item.
  SetTimer(window, kScrollTimer, kScrollPeriod, nullptr);
  const int level = popup.window.level();
  if (static_cast<size_t>(level + 1) < popups_.size()) perform_menu(menu_machine_.popup_closed(level + 1));
  close_popups(level + 1);
}

void ControlObject::scroll_step(OpenPopup& popup) {
  const bool moved = popup.scrolling_towards < 0 ? popup.scroll.scroll_up() : popup.scroll.scroll_down();
  if (!moved) {
    KillTimer(popup.window.handle(), kScrollTimer);
    popup.scrolling_towards = 0;
    return;
  }
  popup.window.set_offset(popup.scroll.offset());
  popup.window.redraw();
}

// What of an open popup of this control lies at a screen point in `window`:
// a tool on an item, else the menu itself; nothing when the window is none
// of its popups.
std::optional<DeckHit> ControlObject::popup_hit(HWND window, POINT screen) const {
  for (const std::unique_ptr<OpenPopup>& popup : popups_) {
    if (!window || popup->window.handle() != window) continue;
    POINT client = screen;
    ScreenToClient(window, &client);
    const menus::PopupScroll::Hit hit = popup->scroll.hit({client.x, client.y}, popup->rects, popup->content.width);
    DeckHit found;
    found.where = WhereIs::menu;
    if (hit.spot == menus::PopupScroll::Spot::item && !popup->items[static_cast<size_t>(hit.item)]->is_separator()) {
      found.where = WhereIs::tool;
      found.tool = popup->items[static_cast<size_t>(hit.item)];
    }
    return found;
  }
  return std::nullopt;
}

// ---- Closing ----

void ControlObject::close_popups(int level) {
  // The hot items of the closed popups are hot no more; the host hears it
  // once the windows are gone, since it may do anything in its handler.
  for (const std::shared_ptr<PlacedTool>& left : take_popups(level))
    fire(DISPID_DMzToolBarsEvents_ToolExit, {dispatch_argument(tool_object({nullptr, left}).get())});
}

std::vector<std::shared_ptr<PlacedTool>> ControlObject::take_popups(int level) {
  std::vector<std::shared_ptr<PlacedTool>> hot_items;
  if (level < 0) level = 0;
  while (popups_.size() > static_cast<size_t>(level)) {
    std::unique_ptr<OpenPopup> popup = std::move(popups_.back());
    popups_.pop_back();
    if (popup->stepper) popup->stepper->stop();
    popup->window.destroy();
    if (popup->hot >= 0 && static_cast<size_t>(popup->hot) < popup->items.size())
      hot_items.push_back(popup->items[static_cast<size_t>(popup->hot)]);
    const std::shared_ptr<PlacedTool> source = popup->source;
    if (source && popups_.empty()) {
      repaint_band_of(*source);
    } else if (!popups_.empty()) {
      repaint_popup_item(*popups_.back(), popups_.back()->hot);
    }
  }
  if (level == 0) tracker_.stop_hover();
  return hot_items;
}

// ---- PopupMenu ----

std::shared_ptr<Tool> ControlObject::menu_tool_of(const VARIANT& tool) const {
  if (auto id = string_argument(tool)) return deck_.tools().find(*id);
  if (auto object = object_argument(tool)) {
    auto own = own_object(object.get());
    if (own && own->owner() == this && own->tool_ref()) {
      const ToolRef& ref = *own->tool_ref();
      return ref.is_placed() ? deck_.tool_of(*ref.placed) : ref.tool;
    }
    return nullptr;
  }
  if (auto position = int32_argument(tool); position && *position > 0 &&
                                             static_cast<size_t>(*position) <= deck_.tools().size())
    return deck_.tools().at(static_cast<size_t>(*position - 1));
  return nullptr;
}

HRESULT ControlObject::PopupMenu(VARIANT tool, VARIANT flags, VARIANT x, VARIANT y) {
  return guarded([&]() -> HRESULT {
    const std::shared_ptr<Tool> menu_tool = menu_tool_of(tool);
    if (!menu_tool || menu_tool->type() != ToolType::menu) return fail(ErrorCode::not_a_menu);
    for (const std::unique_ptr<OpenPopup>& popup : popups_)
      if (popup->menu_tool == menu_tool) return fail(ErrorCode::menu_already_open);
    if (design_time()) return S_OK;

    const std::optional<int32_t> given = int32_argument(flags);
    const int32_t bits = menus::popup_menu_flags(given ? std::optional<int64_t>(*given) : std::nullopt);
    const std::optional<float> at_x = float_argument(x);
    const std::optional<float> at_y = float_argument(y);
    POINT anchor{};
    if (at_x && at_y && *at_x != -1.0f && *at_y != -1.0f)
      anchor = site_.container_to_pixels(*at_x, *at_y);
    else
      GetCursorPos(&anchor);

    // Clicks waiting in the queue were meant for what was there before.
    MSG stale;
    while (PeekMessageW(&stale, nullptr, WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, PM_REMOVE)) {
    }
    ComPtr<IMzToolBarControl> keep_alive(this);
    const bool outer_right = right_button_as_left_;
    right_button_as_left_ = ((bits >> 1) & 1) != 0;
    popup_menu_tool_ = menu_tool;
    popup_menu_point_ = {anchor.x, anchor.y};
    popup_menu_align_ = menus::popup_align(bits);
    perform_menu(menu_machine_.popup_menu());
    run_popup_loop(menu_tool);
    right_button_as_left_ = outer_right;
    return S_OK;
  });
}

// The popup's own loop: the method returns when the popup closes (a choice,
// Esc, a click elsewhere) or the control goes.
void ControlObject::run_popup_loop(const std::shared_ptr<Tool>& menu_tool) {
  const auto open = [&] { return has_window() && !popups_.empty() && popups_.front()->menu_tool == menu_tool; };
  while (open()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
    MSG message;
    while (open() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        perform_menu(menu_machine_.leave());
        return;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace mz::com
