#pragma once
// Real input for a control sited in a form: the pointer moved, pressed and
// released and keys struck through SendInput, the events the control fires
// named as the tests spell them, and the pixels of the host's frame.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com_test_support.h"
#include "dispatch_ids.h"
#include "hosting_support.h"
#include "real_keys_win32.h"
#include "test_container.h"

namespace mz::test {

// Event names as the sequences below spell them; MouseMove is left out, it
// comes with every move.
inline std::wstring name_of(const FiredEvent& event) {
  auto object_name = [&](const wchar_t* property) {
    IDispatch* object = event.args.at(0).object();
    return object ? get(object, property).value.as_text() : std::wstring(L"?");
  };
  switch (event.dispid) {
    case DISPID_DMzToolBarsEvents_ToolBarEnter: return L"ToolBarEnter " + object_name(L"Name");
    case DISPID_DMzToolBarsEvents_ToolBarExit: return L"ToolBarExit " + object_name(L"Name");
    case DISPID_DMzToolBarsEvents_ToolEnter: return L"ToolEnter " + object_name(L"ID");
    case DISPID_DMzToolBarsEvents_ToolExit: return L"ToolExit " + object_name(L"ID");
    case DISPID_DMzToolBarsEvents_ToolClick: return L"ToolClick " + object_name(L"ID");
    case DISPID_DMzToolBarsEvents_ToolDblClick: return L"ToolDblClick " + object_name(L"ID");
    case DISPID_DMzToolBarsEvents_ToolDropDown: return L"ToolDropDown " + object_name(L"ID");
    case DISPID_DMzToolBarsEvents_ToolCloseUp: return L"ToolCloseUp " + object_name(L"ID");
    case DISPID_DMzToolBarsEvents_MouseDown:
      return L"MouseDown " + std::to_wstring(event.args.at(0).as_long());
    case DISPID_DMzToolBarsEvents_MouseUp: return L"MouseUp " + std::to_wstring(event.args.at(0).as_long());
    case DISPID_DMzToolBarsEvents_Click: return L"Click";
    case DISPID_DMzToolBarsEvents_DblClick: return L"DblClick";
    default: return L"";
  }
}

class RealInput {
 public:
  explicit RealInput(Form& form) : form_(form) { sink_.connect(form.control); }
  ~RealInput() { sink_.disconnect(); }

  // The point of the host's client area (x, y) on the screen.
  POINT screen(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(form_.window, &point);
    return point;
  }

  void move(int x, int y) { send(screen(x, y), MOUSEEVENTF_MOVE); }
  void press(int x, int y) { send(screen(x, y), MOUSEEVENTF_LEFTDOWN); }
  void release(int x, int y) { send(screen(x, y), MOUSEEVENTF_LEFTUP); }
  void right_click(int x, int y) {
    send(screen(x, y), MOUSEEVENTF_RIGHTDOWN);
    send(screen(x, y), MOUSEEVENTF_RIGHTUP);
  }
  void click(int x, int y) {
    press(x, y);
    release(x, y);
  }
  void click_screen(POINT at) {
    send(at, MOUSEEVENTF_LEFTDOWN);
    send(at, MOUSEEVENTF_LEFTUP);
  }

  // Keys, as the keyboard sends them.
  static void key(WORD virtual_key, bool up) { quarrow::test::send_key(virtual_key, up); }
  static void stroke(WORD virtual_key, std::initializer_list<WORD> held = {}) {
    quarrow::test::strike(virtual_key, held);
  }

  // The events fired since the last call, up to the first `last`.
  std::vector<std::wstring> events_until(const std::wstring& last) {
    std::vector<std::wstring> names;
    EXPECT_TRUE(pump_until([&] {
      while (seen_ < sink_.events.size()) {
        const std::wstring name = name_of(sink_.events[seen_++]);
        if (name.empty()) continue;
        names.push_back(name);
        if (name == last) return true;
      }
      return false;
    })) << "waiting for " << std::string(last.begin(), last.end());
    return names;
  }

  const std::vector<FiredEvent>& all_events() const { return sink_.events; }

 private:
  // Moves the pointer to `at` and, with `flags`, presses or releases there.
  void send(POINT at, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    // Rounded up: the platform takes the pixel at dx * width / 65536,
    // rounded down, which is then exactly `at` on any screen size.
    input.mi.dx = static_cast<LONG>((at.x * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((at.y * 65536 + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
  }

  Form& form_;
  EventSink sink_;
  size_t seen_ = 0;
};

using Names = std::vector<std::wstring>;

// Hosts the control in a form brought to the front, where real input reaches it.
inline bool host_in_front(Form& form) {
  if (form.host() != S_OK) return false;
  SetWindowPos(form.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(form.window);
  return true;
}


// The pixel of the host's window at the point (x, y) of its client area
// (negative coordinates reach into the dock areas above and left of it).
inline COLORREF frame_pixel(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  RECT frame{};
  GetWindowRect(window, &frame);
  HDC dc = GetWindowDC(window);
  const COLORREF pixel = GetPixel(dc, at.x - frame.left, at.y - frame.top);
  ReleaseDC(window, dc);
  return pixel;
}


}  // namespace mz::test
