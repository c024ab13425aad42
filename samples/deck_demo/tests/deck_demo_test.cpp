// The demo host as a person starts it: the program comes up with its window,
// builds the control (the log shows the toolbars the control reported
// created), the toolbars take their room from the window's client area, and
// the program ends with status 0 when its window is closed. A screenshot of
// the window is kept for reviewers.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "real_keys_win32.h"
#include "screenshot_win32.h"

namespace {

// The lines of the demo's event log.
std::vector<std::wstring> log_lines(HWND window) {
  std::vector<std::wstring> lines;
  HWND log = FindWindowExW(window, nullptr, L"LISTBOX", nullptr);
  if (!log) return lines;
  const LRESULT count = SendMessageW(log, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring line(static_cast<size_t>(SendMessageW(log, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(log, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    lines.push_back(line);
  }
  return lines;
}

// How far the client area starts below the window's top edge.
int client_top(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  POINT client{};
  ClientToScreen(window, &client);
  return client.y - frame.top;
}

// Waits until the demo's client area starts somewhere else than `before`.
bool client_moves_from(HWND window, int before) {
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (GetTickCount64() < deadline) {
    if (client_top(window) != before) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return false;
}

// The visible popup menu of the demo, or null.
HWND visible_menu() {
  HWND menu = FindWindowW(L"MzMenu", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// Waits until `done` holds, for up to 30 s.
template <class Done>
bool wait_until(Done done) {
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (!done()) {
    if (GetTickCount64() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

size_t count_starting_with(const std::vector<std::wstring>& lines, const std::wstring& prefix) {
  size_t count = 0;
  for (const auto& line : lines) count += line.rfind(prefix, 0) == 0;
  return count;
}

TEST(DeckDemo, ComesUpWithItsToolbarsAndEndsWhenClosed) {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path(program);
  path = path.substr(0, path.find_last_of(L'\\') + 1) + L"deck_demo.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));

  // Waits on the process itself, so a demo that ends early ends the wait.
  HWND window = nullptr;
  std::vector<std::wstring> lines;
  const ULONGLONG deadline = GetTickCount64() + 60000;
  while (GetTickCount64() < deadline && WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
    window = FindWindowW(L"ToolDeckDemo", nullptr);
    if (window && IsWindowVisible(window)) {
      lines = log_lines(window);
      if (count_starting_with(lines, L"ToolBarModified") >= 4) break;
    }
  }
  ASSERT_NE(window, nullptr) << "the demo window did not come up";
  // One "created" report (change 1) for each of the four toolbars.
  EXPECT_EQ(count_starting_with(lines, L"ToolBarModified  1, "), 4u);

  // The dock areas sit between the window's frame and its client area: the
  // menu bar and two rows of toolbars above it, a column of toolbars left.
  RECT frame{}, bare{};
  GetWindowRect(window, &frame);
  AdjustWindowRectEx(&bare, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  POINT client{};
  ClientToScreen(window, &client);
  EXPECT_GE((client.y - frame.top) - (-bare.top), 3 * 22) << "the menu bar and two rows above the client area";
  EXPECT_GE((client.x - frame.left) - (-bare.left), 22) << "a column left of the client area";
  EXPECT_TRUE(quarrow::test::SaveScreenshot(window, quarrow::test::ScreenshotFolder() + "\\deck_demo.bmp"));

  // The menus answer the keyboard: Alt+F opens File (its ToolClick is
  // logged), Down moves from New to Open and Enter chooses it.
  SetForegroundWindow(window);
  const size_t clicks = count_starting_with(log_lines(window), L"ToolClick");
  quarrow::test::strike('F', {VK_MENU});
  EXPECT_TRUE(wait_until([] { return visible_menu() != nullptr; })) << "Alt+F opened no menu";
  const size_t entered = count_starting_with(log_lines(window), L"ToolEnter");
  quarrow::test::strike(VK_DOWN);
  EXPECT_TRUE(wait_until([&] { return count_starting_with(log_lines(window), L"ToolEnter") > entered; }));
  if (HWND menu = visible_menu()) {
    // Painted in the demo's thread before the picture is taken of the screen.
    UpdateWindow(menu);
    EXPECT_TRUE(quarrow::test::SaveScreenshot(menu, quarrow::test::ScreenshotFolder() + "\\deck_demo_menu.bmp"));
  }
  quarrow::test::strike(VK_RETURN);
  EXPECT_TRUE(wait_until([&] { return count_starting_with(log_lines(window), L"ToolClick") == clicks + 2; }));
  EXPECT_TRUE(wait_until([] { return visible_menu() == nullptr; }));

  // F7 turns large icons on: the rows above the client area grow. Then F6
  // switches to the 97 style and F7 turns large icons off again; the keys
  // are handled in order, so once the rows shrink the style has changed.
  const int small = client_top(window);
  PostMessageW(window, WM_KEYDOWN, VK_F7, 0);
  ASSERT_TRUE(client_moves_from(window, small)) << "large icons did not grow the rows";
  EXPECT_TRUE(quarrow::test::SaveScreenshot(window, quarrow::test::ScreenshotFolder() + "\\deck_demo_large.bmp"));
  const int large = client_top(window);
  EXPECT_GT(large, small);
  PostMessageW(window, WM_KEYDOWN, VK_F6, 0);
  PostMessageW(window, WM_KEYDOWN, VK_F7, 0);
  ASSERT_TRUE(client_moves_from(window, large));
  EXPECT_TRUE(quarrow::test::SaveScreenshot(window, quarrow::test::ScreenshotFolder() + "\\deck_demo_97.bmp"));

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  EXPECT_EQ(status, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
