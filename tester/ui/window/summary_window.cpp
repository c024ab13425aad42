#include "summary_window.h"

#include <commctrl.h>

#include "shell_commands.h"
#include "window_parts.h"

namespace quarrow::ui {
namespace {

constexpr char kSummaryClass[] = "QuarrowStats";
constexpr UINT_PTR kCloseTimer = 1;
constexpr int kWidth = 340;
constexpr int kHeight = 270;

}  // namespace

SummaryWindow::SummaryWindow(HINSTANCE instance, std::string programFolder, HFONT font)
    : instance_(instance), programFolder_(std::move(programFolder)), font_(font) {
  RegisterWindowClass(instance, kSummaryClass, Proc);
}

SummaryWindow::~SummaryWindow() {
  if (window_) ::DestroyWindow(window_);
}

void SummaryWindow::Show(const run::SummaryTexts& texts, UINT timeoutMs, std::function<void()> onClose) {
  if (window_) ::DestroyWindow(window_);
  onClose_ = std::move(onClose);
  closing_ = false;
  RECT frame{0, 0, kWidth, kHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_APPWINDOW);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Not owned by the main window: that one stays minimized meanwhile, and an
  // owned window would be hidden with it.
  window_ = ::CreateWindowExA(WS_EX_APPWINDOW, kSummaryClass, texts.title.c_str(), style,
                              (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                              instance_, this);
  if (!window_) {
    if (onClose_) onClose_();
    return;
  }
  CreateElements(texts);
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::SetForegroundWindow(window_);
  ::SetFocus(::GetDlgItem(window_, kSummaryOk));
  ::UpdateWindow(window_);
  if (timeoutMs > 0) ::SetTimer(window_, kCloseTimer, timeoutMs, nullptr);
}

HWND SummaryWindow::AddChild(const char* className, const std::string& text, DWORD style, int id, int x, int y,
                             int width, int height) {
  return CreateChild(window_, className, text.c_str(), style, id, {x, y, x + width, y + height}, font_);
}

void SummaryWindow::CreateElements(const run::SummaryTexts& t) {
  const DWORD label = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  // A label with a tip reacts to the mouse.
  const DWORD tipLabel = label | SS_NOTIFY | SS_PATHELLIPSIS;
  AddChild("BUTTON", t.pathFrame, BS_GROUPBOX, kSummaryPathFrame, 8, 6, 324, 44);
  const HWND path = AddChild("STATIC", t.path, tipLabel, kSummaryLabel1, 18, 24, 304, 18);
  AddChild("BUTTON", t.resultsFrame, BS_GROUPBOX, kSummaryResultsFrame, 8, 54, 324, 98);
  AddChild("STATIC", t.zips, label, kSummaryLabel1 + 1, 18, 72, 304, 18);
  AddChild("STATIC", t.bad, label, kSummaryLabel1 + 2, 18, 90, 304, 18);
  AddChild("STATIC", t.bytes, label, kSummaryLabel1 + 3, 18, 108, 304, 18);
  AddChild("STATIC", t.seconds, label, kSummaryLabel1 + 4, 18, 126, 304, 18);
  AddChild("BUTTON", t.totalFrame, BS_GROUPBOX, kSummaryTotalFrame, 8, 156, 324, 44);
  const HWND total = AddChild("STATIC", t.total, tipLabel, kSummaryLabel1 + 5, 18, 174, 304, 18);
  AddChild("STATIC", t.aborted, label, kSummaryLabel1 + 6, 10, 214, 140, 18);
  const HWND errorLog = AddChild("BUTTON", "&Error log", WS_TABSTOP | BS_PUSHBUTTON, kSummaryErrorLog, 160, 236,
                                 82, 26);
  ::EnableWindow(errorLog, t.errorLogEnabled);
  AddChild("BUTTON", "&Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, kSummaryOk, 250, 236, 82, 26);

  // The tips ask for their text when they are about to show, so they always
  // show the labels' current captions in full.
  tips_ = CreateTipWindow(window_);
  ::SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 600);
  AddTip(tips_, window_, path, LPSTR_TEXTCALLBACKA);
  AddTip(tips_, window_, total, LPSTR_TEXTCALLBACKA);
}

void SummaryWindow::Close() {
  if (!window_ || closing_) return;
  closing_ = true;
  ::KillTimer(window_, kCloseTimer);
  if (onClose_) onClose_();
  if (window_) ::DestroyWindow(window_);
}

bool SummaryWindow::PreTranslate(MSG& message) {
  if (!window_ || (message.hwnd != window_ && !::IsChild(window_, message.hwnd))) return false;
  return ::IsDialogMessageA(window_, &message) != 0;
}

LRESULT CALLBACK SummaryWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<SummaryWindow>(window, message, lParam);
  if (!self || message == WM_NCDESTROY) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = window;
  return self->Handle(message, wParam, lParam);
}

LRESULT SummaryWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kSummaryOk:
        case IDCANCEL:
          Close();
          return 0;
        case kSummaryErrorLog:
          RunProgram("notepad.exe " + programFolder_ + "\\errors.txt");
          return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
      if (info->hdr.code == TTN_GETDISPINFOA) {
        char text[1024];
        ::GetWindowTextA(reinterpret_cast<HWND>(info->hdr.idFrom), text, sizeof text);
        tipText_ = text;
        info->lpszText = tipText_.data();
        return 0;
      }
      break;
    }
    case WM_TIMER:
      if (wParam == kCloseTimer) Close();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      tips_ = nullptr;
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace quarrow::ui
