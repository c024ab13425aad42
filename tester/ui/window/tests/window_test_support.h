#pragma once
// Helpers for tests that drive the tester's windows in this process: pumping
// messages until a condition holds, answering dialogs from a second thread,
// recording the windows a test creates, and screenshots.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "screenshot_win32.h"

namespace quarrow::ui::test {

// Pumps this thread's messages until `done` holds; false after `timeoutMs`.
// `preTranslate` sees each message first, as a program's message loop lets
// its window do; true means it was used.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 60000,
               const std::function<bool(MSG&)>& preTranslate = nullptr);

// The texts of a window's static children, in window order.
std::vector<std::string> StaticTexts(HWND window);

// Answers the first visible top-level window of this process with class
// `className` and title `title` (any title when empty): records its static
// texts, then runs `answer` on it (from the watching thread).
class DialogWatcher {
 public:
  DialogWatcher(std::string className, std::string title, std::function<void(HWND)> answer);
  ~DialogWatcher();
  bool Seen() const { return seen_; }
  std::vector<std::string> Texts();

 private:
  void Watch();

  std::string className_;
  std::string title_;
  std::function<void(HWND)> answer_;
  std::atomic<bool> seen_{false};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

// Presses a dialog's button by its id.
void PressButton(HWND dialog, int id);

// Records the class names of the windows this thread creates while alive.
class CreatedWindows {
 public:
  CreatedWindows();
  ~CreatedWindows();
  bool Contains(const std::string& className) const;

 private:
  HHOOK hook_;
};

using quarrow::test::SaveScreenshot;

}  // namespace quarrow::ui::test
