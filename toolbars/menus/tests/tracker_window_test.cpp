// The tracker window, its tooltip and its workers, and the thread's hooks,
// with a stand-in control over real host windows. Each case runs on a thread
// of its own, so that its thread's list of live controls starts empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "hooks_win32.h"
#include "hover_worker_win32.h"
#include "process_state.h"
#include "tooltip_rules.h"
#include "toolbars/framework/tests/hosting_support.h"
#include "tracker_window_win32.h"

namespace mz::com {
// The test program is the module that registers the window classes.
HINSTANCE module_instance() { return GetModuleHandleW(nullptr); }
}  // namespace mz::com

namespace mz::menus {
namespace {

class ProcessEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    com::create_process_state();
    register_tracker_classes(GetModuleHandleW(nullptr));
  }
};
const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ProcessEnvironment);

void on_fresh_thread(const std::function<void()>& scenario) {
  std::thread thread([&] {
    scenario();
    com::release_thread_record();
  });
  thread.join();
}

using test::pump_until;

// Dispatches what is in the thread's queue now.
void pump_pending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Plain windows of their own class (a static control is transparent to
// WindowFromPoint).
const wchar_t* host_class() {
  static const ATOM atom = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"TrackerTestHost";
    return RegisterClassW(&window_class);
  }();
  return reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(atom));
}

HWND make_frame(const wchar_t* title) {
  return CreateWindowExW(0, host_class(), title, WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr, nullptr, nullptr,
                         nullptr);
}

HWND make_child(HWND parent) {
  return CreateWindowExW(0, host_class(), L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, parent, nullptr, nullptr,
                         nullptr);
}

struct ToolTexts {
  std::wstring tooltip, caption;
  int shortcut = 0;
};

// A stand-in control: it records what reaches it and answers tooltips by
// the tooltip rules from a small table of tools.
class FakeControl final : public TrackerClient, public HookClient {
 public:
  explicit FakeControl(HWND host) : host_(host) {}

  std::map<std::string, int> calls;
  std::vector<std::pair<TrackerMessage, WPARAM>> routed;
  std::vector<KeyPress> keys;
  std::function<void()> on_key;  // runs for every key, before it is recorded
  std::vector<bool> activations, menu_loops, floaters;
  std::map<std::wstring, ToolTexts> tools;
  bool show_shortcuts = false;
  Constants_WhereIs part = mzWhereIsNone;
  std::optional<TrackerWindow> tracker{std::in_place, *this};

  int count(const std::string& name) const {
    auto it = calls.find(name);
    return it == calls.end() ? 0 : it->second;
  }
  int total() const {
    int sum = 0;
    for (const auto& [name, n] : calls) sum += n;
    return sum;
  }

  // TrackerClient
  void hover_lost() override { ++calls["hover_lost"]; }
  void refresh_colours() override { ++calls["refresh_colours"]; }
  std::optional<std::wstring> tooltip_text(const std::wstring& tool) override {
    ++calls["tooltip_text"];
    const ToolTexts& texts = tools.at(tool);
    return menus::tooltip_text(texts.tooltip, texts.caption, texts.shortcut, show_shortcuts);
  }
  Constants_WhereIs where_is(POINT) override {
    ++calls["where_is"];
    return part;
  }
  void hot_tool_left() override { ++calls["hot_tool_left"]; }
  void open_customizer() override { ++calls["open_customizer"]; }
  void mdi_child_command(TrackerMessage which) override { routed.push_back({which, 0}); }
  void toolbar_context_menu(WPARAM w, LPARAM) override { routed.push_back({TrackerMessage::toolbar_context_menu, w}); }
  void run_drop_down(WPARAM w, LPARAM) override { routed.push_back({TrackerMessage::drop_down, w}); }
  void mdi_system_menu(WPARAM w, LPARAM) override { routed.push_back({TrackerMessage::mdi_system_menu, w}); }
  void show_floaters(bool show) override { floaters.push_back(show); }
  void popup_escape(WPARAM w, LPARAM) override { routed.push_back({TrackerMessage::popup_escape, w}); }
  void realize_palette() override { ++calls["realize_palette"]; }
  void redirected_key(WPARAM, LPARAM) override { ++calls["redirected_key"]; }
  void hover_elapsed() override { ++calls["hover_elapsed"]; }

  // HookClient
  HWND host_window() const override { return host_; }
  HWND tracker_window() const override { return tracker ? tracker->handle() : nullptr; }
  void mouse_message_for_host() override {}
  void activation_changed(bool active) override { activations.push_back(active); }
  void native_menu_loop(bool running) override { menu_loops.push_back(running); }
  bool key_message(const KeyPress& press) override {
    if (on_key) on_key();
    keys.push_back(press);
    return false;
  }

 private:
  HWND host_;
};

// Puts the control on the thread's list of live controls, with the hooks,
// for as long as it lives.
class LiveControl {
 public:
  explicit LiveControl(FakeControl& control) : control_(control) {
    com::ControlListLock lock;
    com::ThreadControlList& record = com::thread_controls();
    record.controls.push_back(&control_);
    install_thread_hooks(record);
  }
  ~LiveControl() {
    com::ControlListLock lock;
    com::ThreadControlList& record = com::thread_controls();
    std::erase(record.controls, static_cast<HookClient*>(&control_));
    if (record.controls.empty()) remove_thread_hooks(record);
  }

 private:
  FakeControl& control_;
};

std::wstring class_of(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring text_of(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(TrackerWindow, IsAnInvisibleTransparentChildOfTheHostCreatedOnFirstUse) {
  on_fresh_thread([] {
    HWND host = make_frame(L"host"), other = make_frame(L"other");
    FakeControl control(host);
    EXPECT_EQ(control.tracker->handle(), nullptr);
    HWND tracker = control.tracker->window(host);
    ASSERT_NE(tracker, nullptr);
    EXPECT_EQ(control.tracker->window(host), tracker);  // one per control
    EXPECT_EQ(class_of(tracker), L"MzTracker");
    EXPECT_EQ(GetParent(tracker), host);
    const LONG style = GetWindowLongW(tracker, GWL_STYLE), ex_style = GetWindowLongW(tracker, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_VISIBLE);
    EXPECT_TRUE(ex_style & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(IsWindowVisible(tracker));
    // The control moved to another window: the tracker goes with it.
    EXPECT_EQ(control.tracker->window(other), tracker);
    EXPECT_EQ(GetParent(tracker), other);
    control.tracker.reset();
    EXPECT_FALSE(IsWindow(tracker));
    DestroyWindow(host);
    DestroyWindow(other);
  });
}

TEST(TrackerWindow, EachInternalMessageReachesItsHandler) {
  on_fresh_thread([] {
    HWND host = make_frame(L"host");
    FakeControl control(host);
    HWND tracker = control.tracker->window(host);
    using M = TrackerMessage;
    for (UINT message = 4025; message <= 4039; ++message) PostMessageW(tracker, message, message, 0);
    PostMessageW(tracker, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(pump_until([&] { return control.count("redirected_key") == 1; }));
    EXPECT_EQ(control.count("hot_tool_left"), 1);
    EXPECT_EQ(control.count("open_customizer"), 1);
    EXPECT_EQ(control.count("refresh_colours"), 1);
    EXPECT_EQ(control.count("hover_lost"), 1);
    EXPECT_EQ(control.count("realize_palette"), 1);
    EXPECT_EQ(control.floaters, std::vector<bool>{true});  // 4037 with a non-zero wparam: show
    const std::vector<std::pair<M, WPARAM>> routed{
        {M::mdi_restore, 0},         {M::mdi_minimize, 0}, {M::mdi_close, 0},    {M::toolbar_context_menu, 4031},
        {M::drop_down, 4033},        {M::mdi_system_menu, 4036},                 {M::popup_escape, 4038}};
    EXPECT_EQ(control.routed, routed);
    // 4026 and 4034 mean nothing: no handler ran for them.
    EXPECT_EQ(control.total(), 6);
    DestroyWindow(host);
  });
}

TEST(TrackerWindow, HoverTimerFiresOnceAndStopCancelsIt) {
  on_fresh_thread([] {
    HWND host = make_frame(L"host");
    FakeControl control(host);
    control.tracker->window(host);
    control.tracker->start_hover(1);
    ASSERT_TRUE(pump_until([&] { return control.count("hover_elapsed") == 1; }));
    // Fired timers are gone: a tooltip timer started after it fires alone.
    control.tools[L"A"] = {L"", L"A", 0};
    control.tracker->start_hover(1);
    control.tracker->stop_hover();
    control.tracker->start_tooltip(L"A", 1);
    ASSERT_TRUE(pump_until([&] { return control.count("tooltip_text") == 1; }));
    EXPECT_EQ(control.count("hover_elapsed"), 1);
    DestroyWindow(host);
  });
}

// Shows the tip of `tool` and pumps until its timer fired.
void fire_tooltip(FakeControl& control, const std::wstring& tool) {
  const int asked = control.count("tooltip_text");
  control.tracker->start_tooltip(tool, 1);
  ASSERT_TRUE(pump_until([&] { return control.count("tooltip_text") == asked + 1; }));
}

TEST(TrackerWindow, TooltipShowsTheToolsTextBelowTheCursor) {
  on_fresh_thread([] {
    HWND host = make_frame(L"host");
    ShowWindow(host, SW_SHOWNOACTIVATE);
    FakeControl control(host);
    control.tracker->window(host);
    control.tools[L"ID_Open"] = {L"", L"&Open", 15};  // Ctrl+O
    control.tools[L"ID_Blank"] = {L"  ", L"Caption", 15};
    control.tools[L"ID_Tip"] = {L"Open a file", L"&Open", 0};
    SetCursorPos(200, 200);

    fire_tooltip(control, L"ID_Open");
    HWND tip = control.tracker->tooltip_window();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(class_of(tip), L"MzToolTip");
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(text_of(tip), L"Open");
    EXPECT_TRUE(GetWindowLongW(tip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & WS_POPUP);
    RECT placed{};
    GetWindowRect(tip, &placed);
    EXPECT_EQ(placed.left, 200);
    EXPECT_EQ(placed.top, 200 + GetSystemMetrics(SM_CYCURSOR) / 2 + 2);
    // Painted in the tooltip colour between a raised inner edge (left, top)
    // and a raised outer one (right, bottom).
    UpdateWindow(tip);
    HDC dc = GetWindowDC(tip);
    const int right = placed.right - placed.left - 1, bottom = placed.bottom - placed.top - 1;
    EXPECT_EQ(GetPixel(dc, 0, bottom / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, right / 2, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, right, bottom / 2), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(GetPixel(dc, 2, 2), GetSysColor(COLOR_INFOBK));
    ReleaseDC(tip, dc);

    control.tracker->cancel_tooltip();
    EXPECT_FALSE(IsWindowVisible(tip));

    control.show_shortcuts = true;
    fire_tooltip(control, L"ID_Open");
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(text_of(tip), L"Open (Ctrl+O)");

    fire_tooltip(control, L"ID_Tip");
    EXPECT_EQ(text_of(tip), L"Open a file");
    EXPECT_EQ(control.tracker->tooltip_window(), tip);  // one tip window, reused

    fire_tooltip(control, L"ID_Blank");
    EXPECT_FALSE(IsWindowVisible(tip));
    DestroyWindow(host);
  });
}

TEST(TrackerWindow, NoTooltipWindowForABlankTool) {
  on_fresh_thread([] {
    HWND host = make_frame(L"host");
    FakeControl control(host);
    control.tracker->window(host);
    control.tools[L"ID_Blank"] = {L"", L"", 15};
    control.show_shortcuts = true;
    fire_tooltip(control, L"ID_Blank");
    EXPECT_EQ(control.tracker->tooltip_window(), nullptr);
    EXPECT_EQ(FindWindowW(L"MzToolTip", nullptr), nullptr);
    DestroyWindow(host);
  });
}

// Moves the cursor to the middle of `window` and waits until the window
// system sees it there.
void put_cursor_over(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const POINT middle{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
  SetCursorPos(middle.x, middle.y);
  ASSERT_TRUE(pump_until([&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == middle.x && now.y == middle.y && WindowFromPoint(middle) == window;
  }));
}

// The hot-tool worker over a window of its own that is not the control's:
// it asks the control, hears "none", and reports the tool left.
TEST(TrackerWindow, HotToolWorkerReportsTheToolLeftUnlessAPartIsThere) {
  on_fresh_thread([] {
    HWND host = make_frame(L"host");
    ShowWindow(host, SW_SHOWNOACTIVATE);
    FakeControl control(host);
    control.tracker->window(host);
    put_cursor_over(host);

    control.part = mzWhereIsTool;
    control.tracker->start_hot_tool_worker();
    ASSERT_TRUE(pump_until([&] { return control.count("where_is") >= 2; }));
    EXPECT_EQ(control.count("hot_tool_left"), 0);

    control.part = mzWhereIsNone;
    ASSERT_TRUE(pump_until([&] { return control.count("hot_tool_left") >= 1; }));

    // Inside an event the worker leaves everything alone.
    control.tracker->set_raising_event(true);
    auto worker = control.tracker->hot_tool_worker();
    pump_pending();  // what was posted before arrives
    const int asked = control.count("where_is"), left = control.count("hot_tool_left");
    const long polls = worker->polls();
    ASSERT_TRUE(pump_until([&] { return worker->polls() >= polls + 3; }));
    pump_pending();
    EXPECT_LE(control.count("where_is"), asked + 1);  // at most a poll already under way
    EXPECT_LE(control.count("hot_tool_left"), left + 1);

    control.tracker->stop_hot_tool_worker();
    EXPECT_TRUE(pump_until([&] { return worker->finished(); }));
    EXPECT_EQ(control.tracker->hot_tool_worker(), nullptr);
    DestroyWindow(host);
  });
}

// Destroying the control (its tracker), or the host window under it, while
// the workers run: the workers end and nothing reaches the control any more.
TEST(TrackerWindow, WorkersEndAndNothingArrivesOnceTheTrackerIsGone) {
  for (bool host_first : {false, true}) {
    on_fresh_thread([&] {
      HWND host = make_frame(L"host");
      ShowWindow(host, SW_SHOWNOACTIVATE);
      FakeControl control(host);
      HWND tracker = control.tracker->window(host);
      put_cursor_over(host);
      auto hover = HoverWorker::start(host, tracker);
      control.tracker->start_hot_tool_worker();
      control.tracker->start_capture_relay();
      control.tracker->start_hover(5000);
      auto hot = control.tracker->hot_tool_worker();
      ASSERT_TRUE(pump_until([&] { return control.count("hot_tool_left") >= 2; }));

      if (host_first) {
        DestroyWindow(host);
        EXPECT_EQ(control.tracker->handle(), nullptr);
        EXPECT_EQ(control.tracker->hot_tool_worker(), nullptr);
      }
      hover->stop();
      control.tracker.reset();
      const int calls = control.total();
      EXPECT_TRUE(pump_until([&] { return hot->finished() && hover->finished(); })) << host_first;
      pump_pending();
      EXPECT_EQ(control.total(), calls) << host_first;
      if (!host_first) DestroyWindow(host);
    });
  }
}

TEST(ThreadHooks, HostWindowChangesReachTheControlOrItsTracker) {
  on_fresh_thread([] {
    HWND frame = make_frame(L"frame");
    HWND middle = make_child(frame);
    HWND host = make_child(middle);
    FakeControl control(host);
    control.tracker->window(host);
    LiveControl live(control);

    SendMessageW(frame, WM_SYSCOLORCHANGE, 0, 0);
    SendMessageW(frame, WM_PALETTECHANGED, 0, 0);
    ASSERT_TRUE(pump_until([&] { return control.count("refresh_colours") == 1 && control.count("realize_palette") == 1; }));

    ShowWindow(middle, SW_HIDE);  // an ancestor of the host
    ShowWindow(middle, SW_SHOW);
    ASSERT_TRUE(pump_until([&] { return control.floaters.size() == 2; }));
    EXPECT_EQ(control.floaters, (std::vector<bool>{false, true}));

    SendMessageW(host, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(frame, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageW(middle, WM_NCACTIVATE, TRUE, 0);  // not the host: nothing
    EXPECT_EQ(control.activations, (std::vector<bool>{true, false}));

    SendMessageW(frame, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageW(frame, WM_EXITMENULOOP, FALSE, 0);
    EXPECT_EQ(control.menu_loops, (std::vector<bool>{true, false}));

    // Another top-level window's colour change is not the host's.
    HWND stranger = make_frame(L"stranger");
    SendMessageW(stranger, WM_SYSCOLORCHANGE, 0, 0);
    pump_pending();
    EXPECT_EQ(control.count("refresh_colours"), 1);
    DestroyWindow(stranger);
    DestroyWindow(frame);
  });
}

// Presses a key on the keyboard, as the user does, and pumps until the
// control saw it go up again.
void press_key(FakeControl& control, WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  const size_t seen = control.keys.size();
  SendInput(2, input, sizeof(INPUT));
  ASSERT_TRUE(pump_until([&] { return control.keys.size() >= seen + 2; }));
}

TEST(ThreadHooks, KeysReachEachControlInTurnWithKeypadDigitsAsDigits) {
  on_fresh_thread([] {
    HWND frame = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(frame);
    SetFocus(frame);
    FakeControl first(frame), second(frame);
    LiveControl live_first(first), live_second(second);

    // Num Lock on, then off: the keypad's 5 is the digit 5, then itself.
    if (!(GetKeyState(VK_NUMLOCK) & 1)) press_key(first, VK_NUMLOCK);
    ASSERT_TRUE(GetKeyState(VK_NUMLOCK) & 1);
    size_t from = first.keys.size();
    press_key(first, VK_NUMPAD5);
    ASSERT_EQ(first.keys.size(), from + 2);
    EXPECT_EQ(first.keys[from].key, '5');
    EXPECT_FALSE(first.keys[from].released);
    EXPECT_EQ(first.keys[from + 1].key, '5');
    EXPECT_TRUE(first.keys[from + 1].released);
    press_key(first, VK_NUMLOCK);
    ASSERT_FALSE(GetKeyState(VK_NUMLOCK) & 1);
    from = first.keys.size();
    press_key(first, VK_NUMPAD5);
    EXPECT_EQ(first.keys[from].key, VK_NUMPAD5);
    // Nobody ate any of them: each reached the second control too.
    EXPECT_EQ(second.keys.size(), first.keys.size());

    // The first control's handler destroys the focus window: the key is
    // finished with, and the second control never sees it.
    const size_t second_saw = second.keys.size();
    first.on_key = [&] { DestroyWindow(frame); };
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = 'A';
    const size_t first_saw = first.keys.size();
    SendInput(1, &input, sizeof(INPUT));
    ASSERT_TRUE(pump_until([&] { return first.keys.size() > first_saw; }));
    pump_pending();
    EXPECT_EQ(second.keys.size(), second_saw);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    first.on_key = nullptr;
    SendInput(1, &input, sizeof(INPUT));
    pump_pending();
  });
}

}  // namespace
}  // namespace mz::menus
