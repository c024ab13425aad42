// menu_bench: menus and keys through real input, under Wine with a display.
//
//  1. The keyboard hook's cost per key: five forms, each hosting a control
//     with 400 tools (2,000 in all; 79 of each control's carry a shortcut),
//     a menu bar and a toolbar. Keys that no tool claims are struck into the
//     first form and timed until the form has seen them all; the same keys
//     struck before any control exists (no hooks) give the platform's own
//     cost, and the difference is what the controls add per key.
//  2. A shortcut key claimed by a tool, timed until its ToolClick arrived.
//  3. A menu of 30 items: from the press on its menu tool until its popup
//     has been painted completely (animations off), then Esc closes it.
//     Beside it, what the platform alone takes to create, show and paint a
//     bare popup window of the same size (no input, no control).
//
// Each figure is the best and the median of several rounds. This is not a test.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control_container_win32.h"
#include "deck_builder_win32.h"
#include "dispatch_ids.h"
#include "late_binding_win32.h"
#include "object_creation_win32.h"

namespace {

using Clock = std::chrono::steady_clock;
using mz::client::Placement;
using mz::client::ToolEntry;

constexpr int kForms = 5;
constexpr int kToolsPerForm = 400;
constexpr int kMenuItems = 30;
constexpr int kShortcuts = 79;

int keys_seen = 0;
int clicks_seen = 0;

LRESULT CALLBACK form_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

class Clicks final : public mz::client::ControlEvents {
 public:
  void on_event(DISPID event, DISPPARAMS&) override {
    if (event == DISPID_DMzToolBarsEvents_ToolClick) ++clicks_seen;
  }
};

// Serves the thread's messages until `done` holds (false after 10 s). The
// keys that reach the thread's windows are counted as the loop takes them.
bool pump_until(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_KEYDOWN && message.wParam == 'Q') ++keys_seen;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return true;
}

void key(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(INPUT));
}

void click_at(POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((at.x * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((at.y * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &input, sizeof(INPUT));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(INPUT));
}

struct Figures {
  double best = 0, median = 0;
};

Figures figures(std::vector<double> rounds) {
  std::sort(rounds.begin(), rounds.end());
  return {rounds.front(), rounds[rounds.size() / 2]};
}

double elapsed_us(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Microseconds per key for `count` strokes of Q into the focused form.
double per_key_us(int count) {
  keys_seen = 0;
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    key('Q', false);
    key('Q', true);
  }
  if (!pump_until([&] { return keys_seen >= count; })) std::printf("only %d of %d keys arrived\n", keys_seen, count);
  return elapsed_us(start) / count;
}

HWND make_form(int index) {
  HWND form = CreateWindowExW(0, L"MenuBenchForm", L"menu bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20 + index * 10,
                              20 + index * 10, 640, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return form;
}

// 400 tools: a menu "File" of 30 buttons on the menu bar, a toolbar of the
// first ten others, the shortcuts 1 to 79 on tools 30 to 108.
bool fill(IMzToolBarControl* control) {
  std::vector<std::wstring> ids;
  for (int i = 0; i < kToolsPerForm; ++i) ids.push_back(L"T" + std::to_wstring(i));
  std::vector<ToolEntry> tools{{L"File", mzTypeMenu, L"&File"}};
  for (const std::wstring& id : ids) tools.push_back({id.c_str(), mzTypeButton, id.c_str()});
  std::vector<Placement> menu_items, standard;
  for (int i = 0; i < kMenuItems; ++i) menu_items.push_back({ids[static_cast<size_t>(i)].c_str()});
  for (int i = kMenuItems; i < kMenuItems + 10; ++i) standard.push_back({ids[static_cast<size_t>(i)].c_str()});
  const Placement bar[] = {{L"File"}};
  const mz::client::MenuEntry menus[] = {{L"File", menu_items}};
  const mz::client::ToolbarEntry toolbars[] = {{L"Menu", mzMenuBar, mzDockedTop, 1, bar},
                                               {L"Standard", mzStandard, mzDockedTop, 2, standard}};
  if (!mz::client::build_deck(control, {tools, menus, toolbars}).ok()) return false;
  mz::com::ComPtr<IMzToolsCollection> all;
  control->get_Tools(all.put());
  for (int code = 1; code <= kShortcuts; ++code) {
    mz::com::ComPtr<IMzTool> tool;
    all->get_Item(*mz::client::Variant(ids[static_cast<size_t>(kMenuItems + code - 1)].c_str()), tool.put());
    if (!tool || FAILED(tool->put_Shortcut(static_cast<Constants_ShortcutKeys>(code)))) return false;
  }
  return SUCCEEDED(control->put_ShowToolTips(VARIANT_FALSE)) && SUCCEEDED(control->put_MenuAnimations(mzAnimationNone));
}

// The File tool's middle on the screen.
POINT file_tool(HWND form, IMzToolBarControl* control) {
  mz::com::ComPtr<IMzToolBarsCollection> toolbars;
  control->get_ToolBars(toolbars.put());
  IDispatch* menu = mz::client::get_object(toolbars.get(), L"Item", {mz::client::Variant(L"Menu")});
  IDispatch* placed = mz::client::get_object(menu, L"Tools");
  IDispatch* file = mz::client::get_object(placed, L"Item", {mz::client::Variant(L"File")});
  short height = 0;
  control->GetDockHeight(mzDockedTop, &height);
  POINT at{mz::client::get(file, L"Left").value.as_long() + mz::client::get(file, L"Width").value.as_long() / 2,
           mz::client::get(file, L"Top").value.as_long() + mz::client::get(file, L"Height").value.as_long() / 2 - height};
  for (IDispatch* held : {file, placed, menu}) held->Release();
  ClientToScreen(form, &at);
  return at;
}

HWND visible_popup() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM out) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpW(name, L"MzMenu") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);
  WNDCLASSW form_class{};
  form_class.lpfnWndProc = form_procedure;
  form_class.hInstance = GetModuleHandleW(nullptr);
  form_class.lpszClassName = L"MenuBenchForm";
  RegisterClassW(&form_class);

  std::vector<HWND> forms;
  for (int i = 0; i < kForms; ++i) forms.push_back(make_form(i));
  SetForegroundWindow(forms[0]);
  SetFocus(forms[0]);
  constexpr int kRounds = 5, kKeys = 200;
  std::vector<double> bare;
  for (int round = 0; round < kRounds; ++round) bare.push_back(per_key_us(kKeys));

  Clicks clicks;
  std::vector<std::unique_ptr<mz::client::ControlContainer>> containers;
  std::vector<double> one;
  for (HWND form : forms) {
    auto container = std::make_unique<mz::client::ControlContainer>(form, nullptr, clicks);
    if (FAILED(container->create(mz::client::beside_program(L"MzDeck2.dll"), nullptr)) ||
        !fill(container->control())) {
      std::printf("the control could not be set up\n");
      return 1;
    }
    containers.push_back(std::move(container));
    if (containers.size() == 1) {
      SetWindowPos(forms[0], HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
      SetForegroundWindow(forms[0]);
      SetFocus(forms[0]);
      for (int round = 0; round < kRounds; ++round) one.push_back(per_key_us(kKeys));
    }
  }
  SetWindowPos(forms[0], HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(forms[0]);
  SetFocus(forms[0]);
  std::vector<double> hooked;
  for (int round = 0; round < kRounds; ++round) hooked.push_back(per_key_us(kKeys));

  std::vector<double> shortcut;
  for (int round = 0; round < kRounds; ++round) {
    clicks_seen = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kKeys; ++i) {
      key(VK_CONTROL, false);
      key('B', false);  // Ctrl+B: the shortcut of tool T31
      key('B', true);
      key(VK_CONTROL, true);
    }
    if (!pump_until([&] { return clicks_seen >= kKeys; })) std::printf("only %d of %d clicks\n", clicks_seen, kKeys);
    shortcut.push_back(elapsed_us(start) / kKeys);
  }

  const POINT file = file_tool(forms[0], containers[0]->control());
  std::vector<double> opening;
  for (int round = 0; round < 10; ++round) {
    const auto start = Clock::now();
    click_at(file);
    HWND popup = nullptr;
    if (!pump_until([&] { return (popup = visible_popup()) != nullptr; })) std::printf("no popup\n");
    if (popup) UpdateWindow(popup);  // the first complete paint
    opening.push_back(elapsed_us(start));
    key(VK_ESCAPE, false);
    key(VK_ESCAPE, true);
    key(VK_ESCAPE, false);
    key(VK_ESCAPE, true);
    pump_until([] { return visible_popup() == nullptr; });
  }

  RECT popup_rect{};
  click_at(file);
  HWND shown = nullptr;
  if (pump_until([&] { return (shown = visible_popup()) != nullptr; })) GetWindowRect(shown, &popup_rect);
  key(VK_ESCAPE, false);
  key(VK_ESCAPE, true);
  key(VK_ESCAPE, false);
  key(VK_ESCAPE, true);
  pump_until([] { return visible_popup() == nullptr; });
  std::vector<double> bare_popup;
  for (int round = 0; round < 10; ++round) {
    const auto start = Clock::now();
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"MenuBenchForm", L"", WS_POPUP | WS_DLGFRAME,
                                  popup_rect.left, popup_rect.top, popup_rect.right - popup_rect.left,
                                  popup_rect.bottom - popup_rect.top, forms[0], nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    bare_popup.push_back(elapsed_us(start));
    DestroyWindow(window);
    pump_until([] { return true; });
  }

  const Figures single = figures(one), bare_window = figures(bare_popup);
  const Figures without = figures(bare), with = figures(hooked), claimed = figures(shortcut), open = figures(opening);
  std::printf("key without controls        best %7.1f us  median %7.1f us\n", without.best, without.median);
  std::printf("key with 1 control, %d tools  best %7.1f us  median %7.1f us  (the hooks add %.1f us)\n", kToolsPerForm,
              single.best, single.median, single.median - without.median);
  std::printf("key with %d controls, %d tools  best %7.1f us  median %7.1f us  (the hooks add %.1f us)\n", kForms,
              kForms * kToolsPerForm, with.best, with.median, with.median - without.median);
  std::printf("shortcut key to ToolClick   best %7.1f us  median %7.1f us\n", claimed.best, claimed.median);
  std::printf("menu of %d items, press to first paint  best %7.1f us  median %7.1f us\n", kMenuItems, open.best,
              open.median);
  std::printf("a bare popup window of that size created, shown, painted  best %7.1f us  median %7.1f us\n",
              bare_window.best, bare_window.median);
  for (auto& container : containers) container->destroy();
  for (HWND form : forms) DestroyWindow(form);
  OleUninitialize();
  return 0;
}
