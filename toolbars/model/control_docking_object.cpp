// The control's docked toolbars in its host window: the layout pass the host
// window's frame asks for, Refresh, the dock area sizes and the position
// methods (WhereIs, ToolBarFromPosition, ToolFromPosition).
#include "control_object.h"
#include "error_info.h"
#include "scoped_value.h"

namespace mz::com {

namespace {

// The control's font, or the platform's when it has none.
HFONT font_handle(IFontDisp* font_disp) {
  ComPtr<IFont> font = ComPtr<IFontDisp>(font_disp).query<IFont>();
  HFONT handle = nullptr;
  if (!font || FAILED(font->get_hFont(&handle)) || !handle) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return handle;
}

// The height of the font, which combo-box and edit windows take.
int font_height(HFONT handle) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, handle);
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return measured ? metrics.tmHeight : 0;
}

}  // namespace

HFONT ControlObject::docked_font() const { return font_handle(font_.get()); }

Rect ControlObject::lay_out_docks(Rect inner) {
  const HFONT font = font_handle(font_.get());
  caption_measure_.measure(deck_, font, captions_);
  docked_look_ = {.style = properties_.style,
                  .large_icons = properties_.large_icons,
                  .customizing = deck_.modes.customizing,
                  .font_height = font_height(font)};
  const Rect client = docked_.lay_out(deck_, docked_look_, captions_, inner);
  dock_painter_.invalidate();
  return client;
}

void ControlObject::paint_docks(HDC dc, std::optional<int> band_of) {
  const ComPtr<IPicture> picture = ComPtr<IPictureDisp>(picture_background_).query<IPicture>();
  const DockScene scene{
      .deck = deck_,
      .layout = docked_,
      .captions = captions_,
      .look = {.layout = docked_look_, .control_enabled = properties_.enabled, .run_mode = !design_time()},
      .marks = tool_marks(),
      .background = {.colour = paint::resolved_colour(properties_.back_color),
                     .picture = picture.get(),
                     .style = static_cast<paint::BackgroundStyle>(properties_.picture_background_style),
                     .use_mask = properties_.picture_background_use_mask,
                     .mask = paint::resolved_colour(properties_.picture_background_mask_color)},
      .fore = paint::resolved_colour(properties_.fore_color),
      .font = font_handle(font_.get())};
  if (band_of)
    dock_painter_.paint_band(dc, scene, *band_of);
  else
    dock_painter_.paint(dc, scene);
}

void ControlObject::redraw_docks(bool background) {
  if (background)
    dock_painter_.invalidate_background();
  else
    dock_painter_.invalidate();
  if (redraw_ && !loading_) dock_frame_.repaint();
}

ErrorCode ControlObject::change_place(Toolbar& toolbar, const std::function<ErrorCode()>& change) {
  const long id = deck_.toolbars().position_of(&toolbar);
  const DockedToolbar before = docked_toolbar_of(toolbar, static_cast<int>(id));
  ErrorCode result = ErrorCode::none;
  {
    // The change and the band re-entry are laid out once, after both.
    const ScopedValue hold(layout_held_, true);
    result = change();
  }
  if (result != ErrorCode::none) return result;
  if (id >= 0 && docked_toolbar_of(toolbar, static_cast<int>(id)) != before)
    reenter_band(before);
  else
    refresh_layout();
  return result;
}

void ControlObject::enter_band(const Toolbar& toolbar) {
  const long id = deck_.toolbars().position_of(&toolbar);
  if (id < 0) return;
  DockedToolbar before = docked_toolbar_of(toolbar, static_cast<int>(id));
  before.visible = false;  // in no band yet
  reenter_band(before);
}

void ControlObject::reenter_band(const DockedToolbar& before) {
  if (loading_) return;
  std::vector<DockedToolbar> now;
  for (size_t i = 0; i < deck_.toolbars().size(); ++i)
    now.push_back(docked_toolbar_of(*deck_.toolbars().at(i), static_cast<int>(i)));
  for (const DockedToolbar& place : reenter(now, before)) {
    Toolbar& placed = *deck_.toolbars().at(static_cast<size_t>(place.id));
    placed.docked_row = static_cast<int16_t>(place.row);
    placed.docked_column = static_cast<int16_t>(place.column);
  }
  refresh_layout();
}

void ControlObject::refresh_layout() {
  if (redraw_ && !loading_ && !layout_held_) dock_frame_.recompute();
}

HRESULT ControlObject::Refresh() {
  return guarded([&]() -> HRESULT {
    refresh_layout();
    return S_OK;
  });
}

// Only the host window shows docked toolbars (its dock areas' own windows
// stand over them); the control's floating frames and popup menus come with
// their own windows.
DeckHit ControlObject::hit_in(HWND window, POINT screen) const {
  if (const std::optional<DeckHit> in_popup = popup_hit(window, screen)) return *in_popup;
  if (!dock_frame_.shows_docks(window)) return {};
  RECT frame{};
  if (!GetWindowRect(dock_frame_.host(), &frame)) return {};
  return docked_.hit({screen.x - frame.left, screen.y - frame.top});
}

DeckHit ControlObject::hit_at(float x, float y) const {
  const ControlSite::WindowAt found = site_.window_at(x, y);
  return hit_in(found.window, found.screen);
}

Constants_WhereIs ControlObject::where_is(POINT screen) {
  return static_cast<Constants_WhereIs>(hit_in(WindowFromPoint(screen), screen).where);
}

HRESULT ControlObject::ToolBarFromPosition(float x, float y, IMzToolBar** toolbar) {
  return guarded([&]() -> HRESULT {
    if (!toolbar) return plain_failure(E_POINTER);
    *toolbar = nullptr;
    if (const DeckHit hit = hit_at(x, y); hit.toolbar) *toolbar = toolbar_object(hit.toolbar).detach();
    return S_OK;
  });
}

HRESULT ControlObject::ToolFromPosition(float x, float y, IMzTool** tool) {
  return guarded([&]() -> HRESULT {
    if (!tool) return plain_failure(E_POINTER);
    *tool = nullptr;
    if (const DeckHit hit = hit_at(x, y); hit.tool) *tool = tool_object({nullptr, hit.tool}).detach();
    return S_OK;
  });
}

HRESULT ControlObject::WhereIs(float x, float y, Constants_WhereIs* where) {
  return guarded([&]() -> HRESULT {
    if (!where) return plain_failure(E_POINTER);
    *where = static_cast<Constants_WhereIs>(hit_at(x, y).where);
    return S_OK;
  });
}

HRESULT ControlObject::GetDockHeight(Constants_DockedStatus dock, short* height) {
  return guarded([&]() -> HRESULT {
    if (!height) return plain_failure(E_POINTER);
    const auto area = dock_area_of(dock);
    if (!area) return fail(ErrorCode::invalid_dock);
    *height = static_cast<short>(docked_.area_size(*area).height);
    return S_OK;
  });
}

HRESULT ControlObject::GetDockWidth(Constants_DockedStatus dock, short* width) {
  return guarded([&]() -> HRESULT {
    if (!width) return plain_failure(E_POINTER);
    const auto area = dock_area_of(dock);
    if (!area) return fail(ErrorCode::invalid_dock);
    *width = static_cast<short>(docked_.area_size(*area).width);
    return S_OK;
  });
}

}  // namespace mz::com
