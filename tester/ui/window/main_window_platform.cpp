// The main window's part of the run engine's platform.
#include "folder_browser.h"
#include "main_window.h"
#include "panel_3d.h"
#include "shell_commands.h"

namespace quarrow::ui {

void MainWindow::SetTitle(const std::string& text) {
  if (window_) ::SetWindowTextA(window_, text.c_str());
}

void MainWindow::SetFolderPanel(const std::string& text) {
  if (window_) ::SetWindowTextA(Element(kFolderPanel), text.c_str());
}

void MainWindow::SetProgress(int percent) {
  if (window_) SetPanelFill(Element(kProgressPanel), percent);
}

void MainWindow::SetLabel(int index, const std::string& text) {
  if (window_ && index >= 1 && index <= 5) ::SetWindowTextA(Element(kLabel1 + index - 1), text.c_str());
}

void MainWindow::SetBusyPointer(bool busy) {
  busy_ = busy;
  POINT at;
  ::GetCursorPos(&at);
  const HWND under = ::WindowFromPoint(at);
  if (window_ && (under == window_ || ::IsChild(window_, under))) {
    ::SetCursor(::LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  }
}

void MainWindow::EnableBrowseButton(bool enabled) {
  if (window_) ::EnableWindow(Element(kBrowseButton), enabled);
}

void MainWindow::EnableBrowseMenuEntry(bool enabled) {
  if (window_) ::EnableMenuItem(::GetSystemMenu(window_, FALSE), kBrowseEntry, enabled ? MF_ENABLED : MF_GRAYED);
}

std::optional<std::string> MainWindow::BrowseForFolder(const std::string& startFolder) {
  return ui::BrowseForFolder(window_, startFolder, [this](const std::string& path) {
    return SelectDrive(DriveOfPath(path));
  });
}

// A hidden window (after a right-click run) stays hidden.
void MainWindow::MinimizeWindow() {
  if (window_ && ::IsWindowVisible(window_)) ::ShowWindow(window_, SW_MINIMIZE);
}

void MainWindow::RestoreWindow() {
  if (!window_ || !::IsWindowVisible(window_)) return;
  ::ShowWindow(window_, SW_RESTORE);
  ::UpdateWindow(window_);
}

bool MainWindow::IsWindowMinimized() { return window_ && ::IsIconic(window_); }

void MainWindow::HideWindow() {
  if (window_) ::ShowWindow(window_, SW_HIDE);
}

void MainWindow::CloseWindow() {
  Unload();
  DestroyWhenIdle();
}

// A quit request (the session ends) closes the window like its close box.
void MainWindow::ProcessEvents() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      CloseWindow();
      return;
    }
    if (!PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

// The summary holds the run's end until it is dismissed; meanwhile this
// loop serves the windows. A window closed during the run does not bring up
// a summary.
void MainWindow::ShowSummary(const run::RunSummary& figures) {
  if (unloaded_ || !window_) {
    engine_.CloseSummary();
    return;
  }
  summary_.Show(run::MakeSummaryTexts(figures), figures.commandLineRun ? settings_.summaryTimeoutMs : 0,
                [this] { engine_.CloseSummary(); });
  MSG message;
  while (summary_.IsOpen()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      CloseWindow();
      break;
    }
    if (!PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

void MainWindow::OpenInTextEditor(const std::string& path) { RunProgram("notepad.exe " + path); }

}  // namespace quarrow::ui
