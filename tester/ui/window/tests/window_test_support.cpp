#include "window_test_support.h"

#include <fstream>

namespace quarrow::ui::test {
namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::vector<std::string>* createdClasses = nullptr;

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && createdClasses) {
    const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    const char* name = create->lpcs->lpszClass;
    // Classes registered by atom arrive as a number.
    if (reinterpret_cast<ULONG_PTR>(name) > 0xFFFF) {
      createdClasses->push_back(name);
    } else {
      createdClasses->push_back(ClassOf(reinterpret_cast<HWND>(wParam)));
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::function<bool(MSG&)>& preTranslate) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (!done()) {
    if (::GetTickCount64() > deadline) return false;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (preTranslate && preTranslate(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

std::vector<std::string> StaticTexts(HWND window) {
  std::vector<std::string> texts;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) texts.push_back(TextOf(child));
  }
  return texts;
}

DialogWatcher::DialogWatcher(std::string className, std::string title, std::function<void(HWND)> answer)
    : className_(std::move(className)),
      title_(std::move(title)), answer_(std::move(answer)), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> DialogWatcher::Texts() {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_;
}

void DialogWatcher::Watch() {
  const DWORD process = ::GetCurrentProcessId();
  while (!stop_ && !seen_) {
    for (HWND window = ::FindWindowExA(nullptr, nullptr, className_.c_str(), nullptr); window;
         window = ::FindWindowExA(nullptr, window, className_.c_str(), nullptr)) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner != process || !::IsWindowVisible(window)) continue;
      if (!title_.empty() && TextOf(window) != title_) continue;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_ = StaticTexts(window);
      }
      answer_(window);
      seen_ = true;
      break;
    }
    ::Sleep(20);
  }
}

void PressButton(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

CreatedWindows::CreatedWindows() {
  createdClasses = new std::vector<std::string>;
  hook_ = ::SetWindowsHookExA(WH_CBT, OnCbt, nullptr, ::GetCurrentThreadId());
}

CreatedWindows::~CreatedWindows() {
  ::UnhookWindowsHookEx(hook_);
  delete createdClasses;
  createdClasses = nullptr;
}

bool CreatedWindows::Contains(const std::string& className) const {
  for (const std::string& name : *createdClasses) {
    if (lstrcmpiA(name.c_str(), className.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace quarrow::ui::test
