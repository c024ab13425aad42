// The main window as the run engine's view.
#include "folder_browser.h"
#include "main_window.h"
#include "panel_3d.h"
#include "shell_commands.h"

namespace quarrow::ui {

namespace {

ScreenPacer::Millis Uptime() { return ScreenPacer::Millis(::GetTickCount64()); }

}  // namespace

void MainWindow::SetTitle(const std::string& text) {
  pendingTitle_ = text;
  Paced();
}

void MainWindow::SetFolderPanel(const std::string& text) {
  pendingFolder_ = text;
  Paced();
}

void MainWindow::SetProgress(int percent) {
  pendingProgress_ = percent;
  Paced();
}

void MainWindow::SetLabel(run::Label label, const std::string& text) {
  pendingLabels_[static_cast<size_t>(label)] = text;
  Paced();
}

void MainWindow::Paced() {
  const ScreenPacer::Millis now = Uptime();
  if (pacer_.Changed(now)) {
    ShowPending();
  } else if (!paceTimerArmed_ && window_) {
    paceTimerArmed_ = ::SetTimer(window_, kPaceTimer, static_cast<UINT>(pacer_.UntilDue(now).count()), nullptr) != 0;
  }
}

void MainWindow::ShowPending() {
  if (window_ && paceTimerArmed_) ::KillTimer(window_, kPaceTimer);
  paceTimerArmed_ = false;
  if (!pacer_.Waiting()) return;
  if (window_) {
    if (pendingTitle_) ::SetWindowTextA(window_, pendingTitle_->c_str());
    if (pendingFolder_) ::SetWindowTextA(Element(kFolderPanel), pendingFolder_->c_str());
    if (pendingProgress_) SetPanelFill(Element(kProgressPanel), *pendingProgress_);
    for (size_t i = 0; i < pendingLabels_.size(); ++i) {
      if (pendingLabels_[i]) ::SetWindowTextA(Element(kLabel1 + static_cast<int>(i)), pendingLabels_[i]->c_str());
    }
  }
  pendingTitle_.reset();
  pendingFolder_.reset();
  pendingProgress_.reset();
  for (std::optional<std::string>& label : pendingLabels_) label.reset();
  pacer_.Shown(Uptime());
}

void MainWindow::SetBusyPointer(bool busy) {
  ShowPending();
  busy_ = busy;
  POINT at;
  ::GetCursorPos(&at);
  const HWND under = ::WindowFromPoint(at);
  if (window_ && (under == window_ || ::IsChild(window_, under))) {
    ::SetCursor(::LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  }
}

void MainWindow::EnableBrowseButton(bool enabled) {
  ShowPending();
  if (window_) ::EnableWindow(Element(kBrowseButton), enabled);
}

void MainWindow::EnableBrowseMenuEntry(bool enabled) {
  ShowPending();
  if (window_) ::EnableMenuItem(::GetSystemMenu(window_, FALSE), kBrowseEntry, enabled ? MF_ENABLED : MF_GRAYED);
}

std::optional<std::string> MainWindow::BrowseForFolder(const std::string& startFolder) {
  ShowPending();
  return ui::BrowseForFolder(window_, startFolder, [this](const std::string& path) {
    return SelectDrive(DriveOfPath(path));
  });
}

// A hidden window (after a right-click run) stays hidden.
void MainWindow::MinimizeWindow() {
  ShowPending();
  if (window_ && ::IsWindowVisible(window_)) ::ShowWindow(window_, SW_MINIMIZE);
}

void MainWindow::RestoreWindow() {
  ShowPending();
  if (!window_ || !::IsWindowVisible(window_)) return;
  ::ShowWindow(window_, SW_RESTORE);
  ::UpdateWindow(window_);
}

bool MainWindow::IsWindowMinimized() { return window_ && ::IsIconic(window_); }

void MainWindow::HideWindow() {
  ShowPending();
  if (window_) ::ShowWindow(window_, SW_HIDE);
}

void MainWindow::CloseWindow() {
  Unload();
  DestroyWhenIdle();
}

// A quit request (the session ends) closes the window like its close box.
// A run yields at every entry of an archive, far more often than anyone can
// give input, and each look at the queue is a round trip to the window
// system: the queue is served at most once per input interval, a few
// milliseconds, which Cancel, Esc and drops still get at once.
void MainWindow::ProcessEvents() {
  const ScreenPacer::Millis now = Uptime();
  if (pacer_.Due(now)) ShowPending();
  if (!inputPacer_.Changed(now)) return;
  inputPacer_.Shown(now);
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
  ShowPending();
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
