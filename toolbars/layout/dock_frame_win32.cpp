#include "dock_frame_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "error_info.h"

namespace mz {

namespace {

constexpr UINT_PTR kSubclassId = 0x4D7A446B;  // one subclass per host window

RECT to_rect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// An empty area is one pixel thick, over the edge of the client area.
bool shows(const Rect& area) { return area.width() > 1 && area.height() > 1; }

bool in_dock_area(const DockCut& cut, Point at) {
  for (const Rect& area : cut.areas)
    if (shows(area) && at.x >= area.left && at.x < area.right && at.y >= area.top && at.y < area.bottom) return true;
  return false;
}

// Until the painter draws the tools, an area shows the button face with its
// toolbars and their shown tools outlined, and the hot tool raised or sunken.
void paint_outlines(HDC dc, const DockCut& cut, const FrameMarks& marks) {
  for (size_t i = 0; i < cut.areas.size(); ++i) {
    const Rect& area = cut.areas[i];
    if (!shows(area)) continue;
    RECT r = to_rect(area);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    for (const LaidOutToolbar& toolbar : cut.layouts[i].toolbars) {
      r = to_rect(toolbar.rect);
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
      for (const ToolSpot& spot : toolbar.placement.tools) {
        if (spot.fate != ToolFate::shown) continue;
        r = to_rect(spot.rect);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNTEXT));
      }
    }
  }
  if (marks.hot) {
    RECT r = to_rect(*marks.hot);
    DrawEdge(dc, &r, marks.pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
}

// Mouse messages of the frame carry screen points; those of the window
// itself, while it holds the capture, client points.
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

void DockFrame::repaint() const {
  if (!host_) return;
  HDC dc = GetWindowDC(host_);
  if (!dc) return;
  paint_outlines(dc, client_.dock_cut(), client_.frame_marks());
  ReleaseDC(host_, dc);
}

void DockFrame::take_capture() {
  if (!host_) return;
  capturing_ = true;
  SetCapture(host_);
}

void DockFrame::release_capture() {
  if (!capturing_) return;
  // Cleared first: the capture change this causes is no loss.
  capturing_ = false;
  if (GetCapture() == host_) ReleaseCapture();
}

std::optional<FrameMouse> DockFrame::mouse_of(UINT message, LPARAM lparam) const {
  for (const MouseMessage& known : kMouseMessages) {
    if (known.message != message) continue;
    if (!known.frame && !capturing_) return std::nullopt;
    POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!known.frame) ClientToScreen(host_, &point);
    return FrameMouse{known.kind, known.button, point};
  }
  return std::nullopt;
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
    case WM_CAPTURECHANGED:
      if (frame.capturing_ && reinterpret_cast<HWND>(lparam) != window) {
        frame.capturing_ = false;
        com::quietly([&] { frame.client_.frame_capture_lost(); });
      }
      break;
    case WM_NCDESTROY:
      frame.capturing_ = false;
      RemoveWindowSubclass(window, procedure, kSubclassId);
      frame.host_ = nullptr;
      break;
  }
  if (const std::optional<FrameMouse> mouse = frame.mouse_of(message, lparam)) {
    bool taken = false;
    com::quietly([&] { taken = frame.client_.frame_mouse(*mouse); });
    if (taken) return 0;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace mz
