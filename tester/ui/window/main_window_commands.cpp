// The main window's commands, toolbar dispatch, keys, context menu and drops.
#include "main_window.h"

#include <shellapi.h>

#include "shell_commands.h"
#include "window_units.h"

namespace quarrow::ui {
namespace {

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

}  // namespace

void MainWindow::Browse() {
  ++activeRuns_;
  engine_.StartRun();
  --activeRuns_;
  DestroyWhenIdle();
}

void MainWindow::OpenLog() {
  const std::string log = settings_.programFolder + "\\Quarrow.log";
  if (IsOrdinaryFile(log)) RunProgram("notepad.exe " + log);
}

void MainWindow::PurgeLog() {
  const std::string log = settings_.programFolder + "\\Quarrow.log";
  if (::MessageBoxA(window_, "Delete master log?", "Quarrow", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  if (IsOrdinaryFile(log)) Delete(log);
}

void MainWindow::Contents() { RunProgram("winhelp.exe " + settings_.programFolder + "\\Qrw32.hlp"); }
void MainWindow::Web() { OpenWithShell(kWebPage); }
void MainWindow::Email() { OpenWithShell(kMailAddress); }
void MainWindow::About() { startup_.ShowAbout(); }

void MainWindow::OnCommand(int id) {
  switch (id) {
    case kBrowseButton:
      Browse();
      break;
    case kCancelButton:
      engine_.AbortRun();
      break;
    case kAboutPanel:
      About();
      break;
  }
}

void MainWindow::OnToolClick(const std::wstring& toolId) {
  RunCommand(CommandForTool(Narrow(toolId), engine_.Record().running));
}

void MainWindow::RunCommand(ToolCommand command) {
  switch (command) {
    case ToolCommand::kUpdateRenaming:
      if (toolDeck_) {
        if (const std::optional<int> state = toolDeck_->ToolState(L"ID_Bad")) {
          engine_.SetRenaming(*state != 0);
        }
      }
      break;
    case ToolCommand::kAbortRun:
      engine_.AbortRun();
      break;
    case ToolCommand::kCloseWindow:
      CloseWindow();
      break;
    case ToolCommand::kStartRun:
      Browse();
      break;
    case ToolCommand::kContents:
      Contents();
      break;
    case ToolCommand::kWeb:
      Web();
      break;
    case ToolCommand::kEmail:
      Email();
      break;
    case ToolCommand::kAbout:
      About();
      break;
    case ToolCommand::kOpenLog:
      OpenLog();
      break;
    case ToolCommand::kPurgeLog:
      PurgeLog();
      break;
    case ToolCommand::kNone:
      break;
  }
}

void MainWindow::OnToolBarModified(int change) {
  if (!toolDeck_ || !window_) return;
  RECT frame;
  ::GetWindowRect(window_, &frame);
  const TwipSize current{PixelsToTwips(frame.right - frame.left), PixelsToTwips(frame.bottom - frame.top)};
  const TwipSize size = SizeAfterToolbarChange(current, toolDeck_->FirstToolbarDock().value_or(0), change);
  if (size == current) return;
  ::SetWindowPos(window_, nullptr, 0, 0, TwipsToPixels(size.width), TwipsToPixels(size.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainWindow::PreTranslate(MSG& message) {
  if (summary_.PreTranslate(message)) return true;
  if (message.message != WM_KEYDOWN || !window_) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  if (message.wParam == VK_ESCAPE && engine_.Record().running) {
    engine_.AbortRun();
    return true;
  }
  if (message.wParam == VK_F1) {
    Contents();
    return true;
  }
  return false;
}

void MainWindow::OnContextMenu(HWND source) {
  if (engine_.Record().running || !toolDeck_ || !window_) return;
  const int id = ::GetDlgCtrlID(source);
  const bool menuSource = id == kFrame || (id >= kLabel1 && id <= kLabel1 + 4) ||
                          (id >= kFolderPanel && id <= kCounterPanel);
  if (menuSource) toolDeck_->PopupMenu(L"ID_mnufile");
}

void MainWindow::OnDrop(HDROP drop) {
  std::vector<std::string> items;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length, '\0');
    ::DragQueryFileA(drop, i, path.data(), length + 1);
    items.push_back(std::move(path));
  }
  ::DragFinish(drop);
  ++activeRuns_;
  engine_.DropRun(items);
  --activeRuns_;
  DestroyWhenIdle();
}

}  // namespace quarrow::ui
