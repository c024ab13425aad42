#include "tracker_window_win32.h"

#include <windowsx.h>

#include "error_info.h"
#include "gdi_objects_win32.h"
#include "hook_rules.h"
#include "hover_worker_win32.h"
#include "painter_win32.h"
#include "tooltip_rules.h"

namespace mz::menus {
namespace {

constexpr wchar_t kTrackerClass[] = L"MzTracker";
constexpr wchar_t kTooltipClass[] = L"MzToolTip";

constexpr UINT_PTR kHoverTimer = 77;
constexpr UINT_PTR kCaptureRelayTimer = 88;
constexpr UINT_PTR kTooltipTimer = 99;
constexpr UINT kCaptureRelayPeriod = 60;

HINSTANCE class_instance = nullptr;

// Every internal message and the handler it goes to. The comment names the
// feature that acts on it; a route whose feature is not built yet reaches a
// TrackerClient method that does nothing.
struct Route {
  TrackerMessage message;
  void (*handle)(TrackerClient&, WPARAM, LPARAM);
};
using M = TrackerMessage;
constexpr Route kRoutes[] = {
    {M::hot_tool_left, [](TrackerClient& c, WPARAM, LPARAM) { c.hot_tool_left(); }},             // hot tracking
    {M::customize, [](TrackerClient& c, WPARAM, LPARAM) { c.open_customizer(); }},               // customizer
    {M::mdi_restore, [](TrackerClient& c, WPARAM, LPARAM) { c.mdi_child_command(M::mdi_restore); }},    // MDI
    {M::mdi_minimize, [](TrackerClient& c, WPARAM, LPARAM) { c.mdi_child_command(M::mdi_minimize); }},  // MDI
    {M::mdi_close, [](TrackerClient& c, WPARAM, LPARAM) { c.mdi_child_command(M::mdi_close); }},        // MDI
    {M::toolbar_context_menu, [](TrackerClient& c, WPARAM w, LPARAM l) { c.toolbar_context_menu(w, l); }},  // customizer
    {M::refresh_colours, [](TrackerClient& c, WPARAM, LPARAM) { c.refresh_colours(); }},         // control
    {M::drop_down, [](TrackerClient& c, WPARAM w, LPARAM l) { c.run_drop_down(w, l); }},          // menus
    {M::hover_lost, [](TrackerClient& c, WPARAM, LPARAM) { c.hover_lost(); }},                   // control
    {M::mdi_system_menu, [](TrackerClient& c, WPARAM w, LPARAM l) { c.mdi_system_menu(w, l); }},  // MDI
    {M::show_floaters, [](TrackerClient& c, WPARAM w, LPARAM) { c.show_floaters(w != FALSE); }},  // floating toolbars
    {M::popup_escape, [](TrackerClient& c, WPARAM w, LPARAM l) { c.popup_escape(w, l); }},        // menus
    {M::realize_palette, [](TrackerClient& c, WPARAM, LPARAM) { c.realize_palette(); }},         // painting
};

const Route* route_of(UINT message) {
  for (const Route& route : kRoutes)
    if (static_cast<UINT>(route.message) == message) return &route;
  return nullptr;
}

LRESULT CALLBACK tracker_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* tracker = reinterpret_cast<TrackerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && tracker) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    tracker->forget_window();
    tracker = nullptr;
  }
  std::optional<LRESULT> result;
  if (tracker) com::quietly([&] { result = tracker->handle(message, wparam, lparam); });
  return result ? *result : DefWindowProcW(window, message, wparam, lparam);
}

// The system's status font, which tips are written in (owned by the caller).
HFONT tooltip_font() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfStatusFont);
}

// The text's extent in the tip's font.
Size text_extent(HDC dc, HFONT font, const std::wstring& text) {
  const HGDIOBJ old_font = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT extent{};
  DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
  return {extent.right - extent.left, extent.bottom - extent.top};
}

std::wstring window_text(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The tip in the tooltip colours between raised edges, its text centred.
void paint_tooltip(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!dc) return;
  RECT client{};
  GetClientRect(window, &client);
  const paint::GdiObject<HFONT> font(tooltip_font());
  const std::wstring text = window_text(window);
  const paint::TooltipPlan plan =
      paint::plan_tooltip({client.left, client.top, client.right, client.bottom}, text_extent(dc, font.get(), text));
  paint::paint_tooltip(dc, plan, text, font.get(), paint::Colours::system(GetSysColor(COLOR_BTNTEXT)));
  EndPaint(window, &paint);
}

LRESULT CALLBACK tooltip_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      paint_tooltip(window);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

Size text_extent(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  const paint::GdiObject<HFONT> font(tooltip_font());
  const Size extent = text_extent(dc, font.get(), text);
  ReleaseDC(window, dc);
  return extent;
}

Rect screen_of(POINT point) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

WPARAM held_buttons() {
  WPARAM buttons = 0;
  if (GetKeyState(VK_LBUTTON) < 0) buttons |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) buttons |= MK_RBUTTON;
  if (GetKeyState(VK_MBUTTON) < 0) buttons |= MK_MBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) buttons |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) buttons |= MK_CONTROL;
  return buttons;
}

void register_class(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

}  // namespace

void register_tracker_classes(HINSTANCE instance) {
  class_instance = instance;
  register_class(instance, kTrackerClass, tracker_procedure);
  register_class(instance, kTooltipClass, tooltip_procedure);
}

void unregister_tracker_classes(HINSTANCE instance) {
  UnregisterClassW(kTrackerClass, instance);
  UnregisterClassW(kTooltipClass, instance);
}

TrackerWindow::~TrackerWindow() {
  if (window_) DestroyWindow(window_);  // forgets it, its worker and its tip
  stop_hot_tool_worker();
  if (tooltip_) DestroyWindow(tooltip_);
}

HWND TrackerWindow::window(HWND host) {
  if (!host) return window_;
  if (window_) {
    if (GetParent(window_) != host) SetParent(window_, host);
    return window_;
  }
  window_ = CreateWindowExW(WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW, kTrackerClass, L"", WS_CHILD, 0, 0, 0, 0, host,
                            nullptr, class_instance, nullptr);
  if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return window_;
}

void TrackerWindow::forget_window() {
  // Its timers died with it; the worker must not post to a dead window, and
  // a tip of a window that is gone must not stay on the screen.
  window_ = nullptr;
  stop_hot_tool_worker();
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

void TrackerWindow::start_hover(UINT delay) {
  if (window_) SetTimer(window_, kHoverTimer, delay, nullptr);
}
void TrackerWindow::stop_hover() {
  if (window_) KillTimer(window_, kHoverTimer);
}

void TrackerWindow::start_capture_relay() {
  if (window_) SetTimer(window_, kCaptureRelayTimer, kCaptureRelayPeriod, nullptr);
}
void TrackerWindow::stop_capture_relay() {
  if (window_) KillTimer(window_, kCaptureRelayTimer);
}

void TrackerWindow::start_tooltip(const std::wstring& tool, UINT delay) {
  cancel_tooltip();
  if (!window_) return;
  tooltip_tool_ = tool;
  SetTimer(window_, kTooltipTimer, delay, nullptr);
}

void TrackerWindow::cancel_tooltip() {
  if (window_) KillTimer(window_, kTooltipTimer);
  tooltip_tool_.clear();
  if (tooltip_) ShowWindow(tooltip_, SW_HIDE);
}

void TrackerWindow::show_tooltip() {
  const std::optional<std::wstring> text = client_.tooltip_text(tooltip_tool_);
  if (!text) {
    if (tooltip_) ShowWindow(tooltip_, SW_HIDE);
    return;
  }
  // An owned tip goes with the host's top-level window.
  if (tooltip_ && !IsWindow(tooltip_)) tooltip_ = nullptr;
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kTooltipClass, L"", WS_POPUP, 0,
                               0, 0, 0, GetAncestor(window_, GA_ROOT), nullptr, class_instance, nullptr);
    if (!tooltip_) return;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  const Rect tip = tooltip_rect(text_extent(tooltip_, *text), {cursor.x, cursor.y},
                                GetSystemMetrics(SM_CYCURSOR), screen_of(cursor));
  SetWindowTextW(tooltip_, text->c_str());
  SetWindowPos(tooltip_, HWND_TOPMOST, tip.left, tip.top, tip.width(), tip.height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(tooltip_, nullptr, TRUE);
}

void TrackerWindow::relay_capture() {
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return;
  const HWND under = WindowFromPoint(cursor);
  DWORD process = 0;
  if (under) GetWindowThreadProcessId(under, &process);
  const HWND capture = GetCapture();
  POINT origin{};
  if (capture) ClientToScreen(capture, &origin);
  const CaptureRelayView view{{cursor.x, cursor.y},
                              under && process != GetCurrentProcessId(),
                              capture != nullptr,
                              {origin.x, origin.y}};
  if (const auto move = capture_relay_move(view))
    PostMessageW(capture, WM_MOUSEMOVE, held_buttons(), MAKELPARAM(move->x, move->y));
}

void TrackerWindow::start_hot_tool_worker() {
  if (hot_tool_worker_ || !window_) return;
  hot_tool_worker_ = HotToolWorker::start(window_);
  hot_tool_worker_->raising_event = raising_event_;
  hot_tool_worker_->hot_tool_edits = hot_tool_edits_;
}

void TrackerWindow::stop_hot_tool_worker() {
  if (hot_tool_worker_) hot_tool_worker_->stop();
  hot_tool_worker_.reset();
}

void TrackerWindow::set_raising_event(bool raising) {
  raising_event_ = raising;
  if (hot_tool_worker_) hot_tool_worker_->raising_event = raising;
}

void TrackerWindow::set_hot_tool_edits(bool edits) {
  hot_tool_edits_ = edits;
  if (hot_tool_worker_) hot_tool_worker_->hot_tool_edits = edits;
}

std::shared_ptr<const HotToolWorker> TrackerWindow::hot_tool_worker() const { return hot_tool_worker_; }

std::optional<LRESULT> TrackerWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (const Route* route = route_of(message)) {
    route->handle(client_, wparam, lparam);
    return 0;
  }
  switch (message) {
    case kMessagePartAtPoint:
      return client_.where_is({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) != mzWhereIsNone;
    case WM_KEYDOWN:
      client_.redirected_key(wparam, lparam);
      return 0;
    case WM_TIMER:
      switch (wparam) {
        case kHoverTimer:
          KillTimer(window_, kHoverTimer);
          client_.hover_elapsed();
          return 0;
        case kCaptureRelayTimer:
          relay_capture();
          return 0;
        case kTooltipTimer:
          KillTimer(window_, kTooltipTimer);
          show_tooltip();
          return 0;
      }
      break;
  }
  return std::nullopt;
}

}  // namespace mz::menus
