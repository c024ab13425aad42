#pragma once
// The start-up screen: the program's first window, shown while the main
// window loads, and again as the about box.
#include <windows.h>

#include <string>

namespace quarrow::ui {

inline constexpr char kStartupScreenClass[] = "QuarrowStartup";
inline constexpr char kVersionText[] = "v3.42";

class StartupScreen {
 public:
  StartupScreen(HINSTANCE instance, std::string programFolder);
  StartupScreen(const StartupScreen&) = delete;
  StartupScreen& operator=(const StartupScreen&) = delete;
  ~StartupScreen();

  // Shows the screen and paints it at once.
  void Show();
  void Close();
  bool IsOpen() const { return window_ != nullptr; }
  HWND Handle() const { return window_; }

  // The about box: the screen stays up while "thunder.wav" plays.
  void ShowAbout();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  // The title font: "Chaucer" from the program folder, else a serif face.
  HFONT CreateTitleFont();

  HINSTANCE instance_;
  std::string programFolder_;
  HWND window_ = nullptr;
  HFONT titleFont_ = nullptr;
  HFONT textFont_ = nullptr;
  HBITMAP picture_ = nullptr;
  bool aboutMode_ = false;
};

}  // namespace quarrow::ui
