#include "dock_frame_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "error_info.h"

namespace mz {

namespace {

constexpr UINT_PTR kSubclassId = 0x4D7A446B;  // one subclass per host window

// An empty area is one pixel thick, over the edge of the client area.
bool shows(const Rect& area) { return area.width() > 1 && area.height() > 1; }

bool in_dock_area(const DockCut& cut, Point at) {
  for (const Rect& area : cut.areas)
    if (shows(area) && at.x >= area.left && at.x < area.right && at.y >= area.top && at.y < area.bottom) return true;
  return false;
}

// The mouse messages the control takes: of the host's frame, or of an area
// window's client area while it holds the capture.
struct MouseMessage {
  UINT message;
  FrameMouse::Kind kind;
  uint16_t button;
  bool frame;
};
constexpr MouseMessage kMouseMessages[] = {
    {WM_NCMOUSEMOVE, FrameMouse::Kind::move, 0, true},
    {WM_NCLBUTTONDOWN, FrameMouse::Kind::press, 1, true},
    {WM_NCLBUTTONDBLCLK, FrameMouse::Kind::double_click, 1, true},
    {WM_NCLBUTTONUP, FrameMouse::Kind::release, 1, true},
    {WM_NCRBUTTONDOWN, FrameMouse::Kind::press, 2, true},
    {WM_NCRBUTTONDBLCLK, FrameMouse::Kind::double_click, 2, true},
    {WM_NCRBUTTONUP, FrameMouse::Kind::release, 2, true},
    {WM_NCMBUTTONDOWN, FrameMouse::Kind::press, 4, true},
    {WM_NCMBUTTONDBLCLK, FrameMouse::Kind::double_click, 4, true},
    {WM_NCMBUTTONUP, FrameMouse::Kind::release, 4, true},
    {WM_MOUSEMOVE, FrameMouse::Kind::move, 0, false},
    {WM_LBUTTONDOWN, FrameMouse::Kind::press, 1, false},
    {WM_LBUTTONDBLCLK, FrameMouse::Kind::double_click, 1, false},
    {WM_LBUTTONUP, FrameMouse::Kind::release, 1, false},
    {WM_RBUTTONDOWN, FrameMouse::Kind::press, 2, false},
    {WM_RBUTTONDBLCLK, FrameMouse::Kind::double_click, 2, false},
    {WM_RBUTTONUP, FrameMouse::Kind::release, 2, false},
    {WM_MBUTTONDOWN, FrameMouse::Kind::press, 4, false},
    {WM_MBUTTONDBLCLK, FrameMouse::Kind::double_click, 4, false},
    {WM_MBUTTONUP, FrameMouse::Kind::release, 4, false},
};

}  // namespace

void DockFrame::attach(HWND host) {
  if (host == host_) return;
  detach();
  if (!host || !SetWindowSubclass(host, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return;
  host_ = host;
  recompute();
}

void DockFrame::detach() {
  if (!host_) return;
  const HWND host = host_;
  release_capture();
  for (DockWindow& window : windows_) window.destroy();
  host_ = nullptr;
  RemoveWindowSubclass(host, procedure, kSubclassId);
  if (IsWindow(host)) recompute_frame(host);
}

void DockFrame::recompute() const {
  if (!host_) return;
  // The control's menu bar stands in for a native menu, which the host loses;
  // the menu itself stays the host's to destroy.
  if (GetMenu(host_) && !(GetWindowLongW(host_, GWL_STYLE) & WS_CHILD)) SetMenu(host_, nullptr);
  recompute_frame(host_);
}

void DockFrame::recompute_frame(HWND host) {
  SetWindowPos(host, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The host's own calculation runs first; the areas are then cut out of the
// client rectangle it proposes, taken into window coordinates and back.
void DockFrame::calc_size(LPARAM lparam, const RECT& window) {
  RECT& client = *reinterpret_cast<RECT*>(lparam);
  const Rect inner{client.left - window.left, client.top - window.top, client.right - window.left,
                   client.bottom - window.top};
  const Rect left = client_.lay_out_docks(inner);
  client = {left.left + window.left, left.top + window.top, left.right + window.left, left.bottom + window.top};
}

void DockFrame::repaint(std::optional<int> band_of) const {
  if (!host_) return;
  HDC dc = GetWindowDC(host_);
  if (!dc) return;
  client_.paint_docks(dc, band_of);
  ReleaseDC(host_, dc);
}

void DockFrame::cover_areas() const {
  RECT frame{};
  if (!host_ || !GetWindowRect(host_, &frame)) return;
  const DockCut& cut = client_.dock_cut();
  for (size_t i = 0; i < windows_.size(); ++i) {
    const Rect& area = cut.areas[i];
    windows_[i].cover({frame.left + area.left, frame.top + area.top, frame.left + area.right, frame.top + area.bottom});
  }
}

void DockFrame::take_capture(int area) {
  if (!host_ || area < 0 || area >= static_cast<int>(windows_.size())) return;
  const HWND window = windows_[static_cast<size_t>(area)].window(host_, 1 << area);
  if (!window) return;
  cover_areas();
  capture_ = window;
  SetCapture(window);
}

void DockFrame::release_capture() {
  if (!capture_) return;
  // Cleared first: the capture change this causes is no loss.
  const HWND window = capture_;
  capture_ = nullptr;
  if (GetCapture() == window) ReleaseCapture();
}

bool DockFrame::shows_docks(HWND window) const {
  if (window && window == host_) return true;
  for (const DockWindow& area : windows_)
    if (window && area.handle() == window) return true;
  return false;
}

// The host's frame messages carry screen points; those of the area window
// holding the capture, points of its client area.
std::optional<FrameMouse> DockFrame::mouse_of(HWND window, UINT message, LPARAM lparam) const {
  const bool frame = window == host_;
  if (!frame && window != capture_) return std::nullopt;
  for (const MouseMessage& known : kMouseMessages) {
    if (known.message != message || known.frame != frame) continue;
    POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!frame) ClientToScreen(window, &point);
    return FrameMouse{known.kind, known.button, point};
  }
  return std::nullopt;
}

bool DockFrame::pass_mouse(HWND window, UINT message, LPARAM lparam) {
  const std::optional<FrameMouse> mouse = mouse_of(window, message, lparam);
  if (!mouse) return false;
  bool taken = false;
  com::quietly([&] { taken = client_.frame_mouse(*mouse); });
  return taken;
}

bool DockFrame::dock_window_message(HWND window, UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
  if (message == WM_CAPTURECHANGED && window == capture_ && reinterpret_cast<HWND>(lparam) != window) {
    capture_ = nullptr;
    com::quietly([&] { client_.frame_capture_lost(); });
  } else if (message == WM_NCDESTROY && window == capture_) {
    capture_ = nullptr;
  }
  result = 0;
  return pass_mouse(window, message, lparam);
}

LRESULT CALLBACK DockFrame::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR self) {
  auto& frame = *reinterpret_cast<DockFrame*>(self);
  switch (message) {
    case WM_NCCALCSIZE: {
      // Both forms start with the proposed window rectangle.
      const RECT proposed = *reinterpret_cast<const RECT*>(lparam);
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      com::quietly([&] { frame.calc_size(lparam, proposed); });
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      com::quietly([&] { frame.repaint(); });
      return result;
    }
    case WM_NCHITTEST: {
      // The dock areas answer as a border: the platform's default answer for
      // a part of the frame it does not know (nowhere) gets no mouse
      // messages at all, and a host may claim the points as its client area.
      // A border brings them as frame messages, which the control takes.
      RECT bounds{};
      GetWindowRect(window, &bounds);
      const Point at{GET_X_LPARAM(lparam) - bounds.left, GET_Y_LPARAM(lparam) - bounds.top};
      if (in_dock_area(frame.client_.dock_cut(), at)) return HTBORDER;
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      com::quietly([&] { frame.cover_areas(); });
      return result;
    }
    case WM_NCDESTROY:
      // The areas' windows, owned by the host, go with it.
      RemoveWindowSubclass(window, procedure, kSubclassId);
      frame.host_ = nullptr;
      break;
  }
  if (frame.pass_mouse(window, message, lparam)) return 0;
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace mz
