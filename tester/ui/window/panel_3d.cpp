#include "panel_3d.h"

#include <algorithm>

#include "window_parts.h"

namespace quarrow::ui {
namespace {

constexpr char kPanelClass[] = "QuarrowPanel";

struct PanelState {
  PanelBevel bevel = PanelBevel::kSunken;
  HFONT font = nullptr;
  int fill = 0;
};

PanelState* StateOf(HWND panel) { return reinterpret_cast<PanelState*>(::GetWindowLongPtrA(panel, GWLP_USERDATA)); }

void Paint(HWND panel, const PanelState& state) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(panel, &paint);
  RECT box;
  ::GetClientRect(panel, &box);
  ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
  ::DrawEdge(dc, &box, state.bevel == PanelBevel::kSunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  ::InflateRect(&box, -2, -2);
  if (state.fill > 0) {
    RECT bar = box;
    bar.right = bar.left + (box.right - box.left) * state.fill / 100;
    ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  } else {
    char text[512];
    const int length = ::GetWindowTextA(panel, text, sizeof text);
    HGDIOBJ previous = ::SelectObject(dc, state.font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::InflateRect(&box, -2, 0);
    // A long folder keeps its drive and last folder visible.
    ::DrawTextA(dc, text, length, &box, DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS | DT_NOPREFIX);
    ::SelectObject(dc, previous);
  }
  ::EndPaint(panel, &paint);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  PanelState* state = StateOf(panel);
  switch (message) {
    case WM_NCCREATE:
      // The window owns a copy of the state it was created with.
      ::SetWindowLongPtrA(panel, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new PanelState(
                              *static_cast<PanelState*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams))));
      break;
    case WM_NCDESTROY:
      delete state;
      ::SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
      break;
    case WM_PAINT:
      if (state) {
        Paint(panel, *state);
        return 0;
      }
      break;
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcA(panel, message, wParam, lParam);
      ::InvalidateRect(panel, nullptr, FALSE);
      return result;
    }
    case WM_LBUTTONUP:
      ::SendMessageA(::GetParent(panel), WM_COMMAND, ::GetDlgCtrlID(panel), reinterpret_cast<LPARAM>(panel));
      return 0;
    case WM_RBUTTONDOWN: {
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ClientToScreen(panel, &at);
      ::SendMessageA(::GetParent(panel), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel), MAKELPARAM(at.x, at.y));
      return 0;
    }
  }
  return ::DefWindowProcA(panel, message, wParam, lParam);
}

}  // namespace

void RegisterPanelClass(HINSTANCE instance) { RegisterWindowClass(instance, kPanelClass, PanelProc); }

HWND CreatePanel(HWND parent, int id, PanelBevel bevel, const RECT& bounds, HFONT font) {
  PanelState state{bevel, font, 0};
  return ::CreateWindowExA(
      0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds.left, bounds.top, bounds.right - bounds.left,
      bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), &state);
}

void SetPanelFill(HWND panel, int percent) {
  PanelState* state = StateOf(panel);
  percent = std::clamp(percent, 0, 100);
  if (!state || state->fill == percent) return;
  state->fill = percent;
  ::InvalidateRect(panel, nullptr, FALSE);
}

int PanelFill(HWND panel) {
  const PanelState* state = StateOf(panel);
  return state ? state->fill : 0;
}

}  // namespace quarrow::ui
