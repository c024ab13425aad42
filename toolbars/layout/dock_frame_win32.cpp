#include "dock_frame_win32.h"

#include <commctrl.h>

#include "error_info.h"

namespace mz {

namespace {

constexpr UINT_PTR kSubclassId = 0x4D7A446B;  // one subclass per host window

RECT to_rect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Until the painter draws the tools, an area shows the button face with its
// toolbars and their shown tools outlined.
void paint_outlines(HDC dc, const DockCut& cut) {
  for (size_t i = 0; i < cut.areas.size(); ++i) {
    const Rect& area = cut.areas[i];
    // An empty area is one pixel over the client area, which it leaves alone.
    if (area.width() <= 1 || area.height() <= 1) continue;
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
}

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
  host_ = nullptr;
  RemoveWindowSubclass(host, procedure, kSubclassId);
  if (IsWindow(host)) recompute_frame(host);
}

void DockFrame::recompute() const {
  if (host_) recompute_frame(host_);
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

void DockFrame::paint() const {
  HDC dc = GetWindowDC(host_);
  if (!dc) return;
  paint_outlines(dc, client_.dock_cut());
  ReleaseDC(host_, dc);
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
      com::quietly([&] { frame.paint(); });
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, procedure, kSubclassId);
      frame.host_ = nullptr;
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace mz
