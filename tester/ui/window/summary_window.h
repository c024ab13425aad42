#pragma once
// The run summary window "Quarrow Stats": the figures of a finished run
// until the user dismisses it ("&Ok", closing it) or, after a command-line
// run, until its timer fires.
#include <windows.h>

#include <functional>
#include <string>

#include "run_summary.h"

namespace quarrow::ui {

// Element ids, for the window's own use and for tests that read it back.
enum SummaryElement : int {
  kSummaryPathFrame = 100,
  kSummaryResultsFrame,
  kSummaryTotalFrame,
  kSummaryLabel1 = 111,  // Label1 .. Label7 are 111 .. 117
  kSummaryErrorLog = 120,
  kSummaryOk = IDOK,
};

// How long the summary of a command-line run stays open.
inline constexpr UINT kSummaryTimeoutMs = 30000;

class SummaryWindow {
 public:
  // `onClose` runs when the window is being dismissed, before it goes.
  SummaryWindow(HINSTANCE instance, std::string programFolder, HFONT font);
  SummaryWindow(const SummaryWindow&) = delete;
  SummaryWindow& operator=(const SummaryWindow&) = delete;
  ~SummaryWindow();

  // Opens the window filled with `texts`; with `timeoutMs` above 0 it
  // closes itself after that long.
  void Show(const run::SummaryTexts& texts, UINT timeoutMs, std::function<void()> onClose);
  // The close steps: `onClose`, then the window goes. Nothing when closed.
  void Close();
  bool IsOpen() const { return window_ != nullptr; }
  HWND Handle() const { return window_; }
  // Keyboard navigation of the window's buttons (Tab, Enter, Esc).
  bool PreTranslate(MSG& message);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateElements(const run::SummaryTexts& texts);
  HWND AddChild(const char* className, const std::string& text, DWORD style, int id, int x, int y, int width,
                int height);

  HINSTANCE instance_;
  std::string programFolder_;
  HFONT font_;
  HWND window_ = nullptr;
  HWND tips_ = nullptr;
  std::function<void()> onClose_;
  bool closing_ = false;
  std::string tipText_;
};

}  // namespace quarrow::ui
