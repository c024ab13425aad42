#include "main_window.h"

#include <olectl.h>

#include "panel_3d.h"
#include "path_text.h"
#include "settings_file.h"
#include "window_parts.h"
#include "window_units.h"

namespace quarrow::ui {
namespace {

// Posted to destroy the window once its closing steps are done.
constexpr UINT kDestroyMessage = WM_APP + 1;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HFONT CreateWindowFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return ::CreateFontIndirectA(&metrics.lfMessageFont);
  }
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

// The control's ambient font: the form's MS Sans Serif, 8 points.
IFontDisp* CreateControlFont() {
  FONTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.lpstrName = const_cast<LPOLESTR>(L"MS Sans Serif");
  description.cySize.int64 = 8 * 10000;
  description.sWeight = FW_NORMAL;
  IFontDisp* font = nullptr;
  ::OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
  return font;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowSettings settings, StartupScreen& startup)
    : instance_(instance),
      settings_(std::move(settings)),
      startup_(startup),
      engine_(*this, *this, *this, component_,
              run::EngineSettings{settings_.programFolder, settings_.commandLine, '\\', true, std::nullopt}),
      font_(CreateWindowFont()),
      controlFont_(CreateControlFont()),
      summary_(instance, settings_.programFolder, font_) {
  RegisterPanelClass(instance);
  RegisterWindowClass(instance, kMainWindowClass, Proc);
}

MainWindow::~MainWindow() {
  if (window_) {
    unloaded_ = true;
    ::DestroyWindow(window_);
  }
  if (controlFont_) controlFont_->Release();
  if (font_) ::DeleteObject(font_);
}

MainWindow::LoadResult MainWindow::Load() {
  startup_.Close();
  if (!window_) {
    window_ = ::CreateWindowExA(WS_EX_ACCEPTFILES, kMainWindowClass, "Quarrow", kWindowStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, TwipsToPixels(kDesignSize.width), TwipsToPixels(kDesignSize.height),
                                nullptr, nullptr, instance_, this);
    if (!window_) return LoadResult::kNoWindow;
  }
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::UpdateWindow(window_);

  if (IsRootFolder(settings_.programFolder)) {
    ::MessageBoxA(window_, "Quarrow can not be run from\r\na root directory, please reinstall.", "Quarrow error",
                  MB_OK | MB_ICONSTOP);
    unloaded_ = true;  // the program ends without its closing steps
    ::DestroyWindow(window_);
    return LoadResult::kRootFolder;
  }
  ReadSettings();
  engine_.SetRenaming(true);
  engine_.StartUp();

  if (!settings_.commandLine.empty()) {
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
    ProcessEvents();
    if (Closed()) return LoadResult::kLoaded;
    ++activeRuns_;
    engine_.CommandLineRun();
    --activeRuns_;
    DestroyWhenIdle();
  }
  return LoadResult::kLoaded;
}

void MainWindow::CreateElements() {
  // Labels first: they lie inside the frame and the counter panel.
  AddChild("STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLabel1, ScaledBox(16, 80, 268, 16));
  AddChild("STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLabel1 + 1, ScaledBox(16, 116, 150, 16));
  AddChild("STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLabel1 + 2, ScaledBox(12, 170, 276, 16));
  AddChild("STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLabel1 + 3, ScaledBox(16, 98, 268, 16));
  AddChild("STATIC", "", SS_RIGHT | SS_NOPREFIX, kLabel1 + 4, ScaledBox(170, 116, 114, 16));
  AddChild("BUTTON", "Now testing", BS_GROUPBOX, kFrame, ScaledBox(8, 62, 284, 76));

  AddChild("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kDriveList, ScaledBox(8, 9, 120, 200));
  const HWND browse = AddChild("BUTTON", "&Browse", BS_PUSHBUTTON | WS_TABSTOP, kBrowseButton, ScaledBox(136, 7, 74, 25));
  const HWND cancel = AddChild("BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, kCancelButton, ScaledBox(218, 7, 74, 25));
  CreatePanel(window_, kFolderPanel, PanelBevel::kSunken, ScaledBox(8, 38, 284, 20), font_);
  CreatePanel(window_, kProgressPanel, PanelBevel::kSunken, ScaledBox(8, 144, 200, 18), font_);
  const HWND about = CreatePanel(window_, kAboutPanel, PanelBevel::kRaised, ScaledBox(214, 144, 78, 18), font_);
  ::SetWindowTextA(about, "Quarrow");
  CreatePanel(window_, kCounterPanel, PanelBevel::kSunken, ScaledBox(8, 167, 284, 22), font_);

  tips_ = CreateTipWindow(window_);
  AddTip(tips_, window_, browse, "Browse for drive or directory with zip's");
  AddTip(tips_, window_, cancel, "Abort testing");
  FillDriveList();

  HMENU menu = ::GetSystemMenu(window_, FALSE);
  ::InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, kBrowseEntry, "&Browse...");
  ::InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, kExitEntry, "E&xit...");
  ::InsertMenuA(menu, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

HWND MainWindow::AddChild(const char* className, const char* text, DWORD style, int id, const RECT& bounds) {
  return CreateChild(window_, className, text, style, id, bounds, font_);
}

void MainWindow::FillDriveList() {
  const HWND list = Element(kDriveList);
  char drives[512];
  const DWORD length = ::GetLogicalDriveStringsA(sizeof drives, drives);
  if (length == 0 || length > sizeof drives) return;
  for (const char* root = drives; *root; root += lstrlenA(root) + 1) {
    std::string entry = run::AsciiLower(std::string(root, 2));
    char label[MAX_PATH + 1] = {};
    if (::GetDriveTypeA(root) == DRIVE_FIXED && ::GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr,
                                                                         nullptr, nullptr, 0) && label[0]) {
      entry += std::string(" [") + label + "]";
    }
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  char current[MAX_PATH + 1];
  if (::GetCurrentDirectoryA(sizeof current, current) >= 2) SelectDrive(DriveOfPath(current));
}

// Selects `drive` ("d:") in the drive list; false when the list has no such
// drive or the drive is not ready (an empty disc drive). The process's
// current folder stays as it is: a command line may name a relative folder.
bool MainWindow::SelectDrive(const std::string& drive) {
  if (drive.empty()) return false;
  const HWND list = Element(kDriveList);
  const LRESULT index = ::SendMessageA(list, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(drive.c_str()));
  if (index == CB_ERR || ::GetFileAttributesA((drive + "\\").c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return true;
}

// A drive that is not ready (an empty disc drive) puts the list back on
// drive c.
void MainWindow::DriveChanged() {
  const HWND list = Element(kDriveList);
  const LRESULT index = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  char entry[MAX_PATH + 8] = {};
  if (index != CB_ERR) ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry));
  if (!SelectDrive(DriveOfPath(entry))) SelectDrive("c:");
}

void MainWindow::ReadSettings() {
  const std::string path = SettingsFilePath(settings_.programFolder);
  if (!IsOrdinaryFile(path)) return;
  if (const std::optional<std::string> text = ReadFileStart(path, 4096)) {
    engine_.SetLastFolder(ReadFirstField(*text));
  }
}

void MainWindow::WriteSettings() {
  const std::string& lastFolder = engine_.Record().lastFolder;
  if (lastFolder.empty()) return;
  WriteFile(SettingsFilePath(settings_.programFolder), SettingsFileText(lastFolder));
}

void MainWindow::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  run::EngineSettings files;
  files.programFolder = settings_.programFolder;
  DeleteDescriptionFiles(*this, files);
  WriteSettings();
  engine_.Close();
  startup_.Close();
  summary_.Close();
}

// The window goes from the message loop, never from inside a handler: a
// run, a dialog or an event of the toolbar control may still be on the call
// stack. A run in progress is still using the window: it goes when the run
// has unwound (the run ends at its next check, as the flags say).
void MainWindow::DestroyWhenIdle() {
  if (window_ && unloaded_ && activeRuns_ == 0) ::PostMessageA(window_, kDestroyMessage, 0, 0);
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<MainWindow>(window, message, lParam);
  if (!self || message == WM_NCDESTROY) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = window;
  return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_;
  switch (message) {
    case WM_CREATE:
      CreateElements();
      toolDeck_ = std::make_unique<ToolDeckHost>(window_, controlFont_, static_cast<ToolDeckEvents&>(*this));
      // Without the control the window still works from its buttons, keys,
      // drops and command line.
      if (FAILED(toolDeck_->Create(settings_.toolbarState, settings_.libraryFolder))) toolDeck_.reset();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kDriveList) {
        if (HIWORD(wParam) == CBN_SELCHANGE) DriveChanged();
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED) {
        OnCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kBrowseEntry) {
        Browse();
        return 0;
      }
      if ((wParam & 0xFFF0) == kExitEntry) {
        CloseWindow();
        return 0;
      }
      break;
    case WM_DROPFILES:
      OnDrop(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != window_) OnContextMenu(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_RBUTTONDOWN: {
      // Labels and the frame let the mouse through to the window.
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ClientToScreen(window_, &at);
      for (const int id : {int{kLabel1}, kLabel1 + 1, kLabel1 + 2, kLabel1 + 3, kLabel1 + 4, int{kFrame}}) {
        RECT bounds;
        if (::GetWindowRect(Element(id), &bounds) && ::PtInRect(&bounds, at)) {
          OnContextMenu(Element(id));
          break;
        }
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (busy_) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_TIMER:
      if (wParam == kPaceTimer) {
        ShowPending();
        return 0;
      }
      break;
    case kDestroyMessage:
      if (activeRuns_ == 0) ::DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      if (toolDeck_) toolDeck_->Destroy();
      toolDeck_.reset();
      window_ = nullptr;
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace quarrow::ui
