#include "startup_screen.h"

#include "shell_commands.h"
#include "window_parts.h"

namespace quarrow::ui {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 140;
constexpr int kPictureSize = 96;

// The decorative face is loaded for this process only, once it is found.
// It must be loaded before any font of that face is asked for: the font
// mapper remembers the stand-in it chose for a missing face.
bool LoadTitleFace(const std::string& programFolder) {
  static bool loaded = false;
  if (!loaded) loaded = ::AddFontResourceExA((programFolder + "\\Chaucer.ttf").c_str(), FR_PRIVATE, nullptr) > 0;
  return loaded;
}

HFONT CreateFace(const char* face, int height, int weight, bool italic) {
  return ::CreateFontA(-height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, face);
}

bool HasFace(HFONT font, const char* face) {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, font);
  char selected[LF_FACESIZE] = {};
  ::GetTextFaceA(dc, sizeof selected, selected);
  ::SelectObject(dc, previous);
  ::ReleaseDC(nullptr, dc);
  return lstrcmpiA(selected, face) == 0;
}

}  // namespace

StartupScreen::StartupScreen(HINSTANCE instance, std::string programFolder)
    : instance_(instance), programFolder_(std::move(programFolder)) {
  RegisterWindowClass(instance, kStartupScreenClass, Proc);
}

StartupScreen::~StartupScreen() {
  Close();
  if (titleFont_) ::DeleteObject(titleFont_);
  if (textFont_) ::DeleteObject(textFont_);
  if (picture_) ::DeleteObject(picture_);
}

HFONT StartupScreen::CreateTitleFont() {
  if (LoadTitleFace(programFolder_)) {
    HFONT font = CreateFace("Chaucer", 44, FW_NORMAL, false);
    if (HasFace(font, "Chaucer")) return font;
    ::DeleteObject(font);
  }
  return CreateFace("Times New Roman", 44, FW_BOLD, true);
}

void StartupScreen::Show() {
  if (window_) return;
  if (!titleFont_) titleFont_ = CreateTitleFont();
  if (!textFont_) textFont_ = CreateFace("Arial", 14, FW_NORMAL, false);
  if (!picture_) picture_ = ::LoadBitmapA(instance_, "SPLASH");
  window_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, kStartupScreenClass, "Quarrow", WS_POPUP | WS_DLGFRAME,
                              (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                              (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight, nullptr, nullptr,
                              instance_, this);
  if (!window_) return;
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::UpdateWindow(window_);
}

void StartupScreen::Close() {
  if (window_) ::DestroyWindow(window_);
  window_ = nullptr;
}

void StartupScreen::ShowAbout() {
  if (aboutMode_) return;
  aboutMode_ = true;
  Show();
  PlaySoundToEnd(programFolder_ + "\\thunder.wav");
  if (window_) ::UpdateWindow(window_);
  Close();
  aboutMode_ = false;
}

void StartupScreen::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  RECT area;
  ::GetClientRect(window_, &area);
  if (picture_) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, picture_);
    ::BitBlt(dc, 12, (area.bottom - kPictureSize) / 2, kPictureSize, kPictureSize, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0, 0, 128));
  RECT title{kPictureSize + 24, 12, area.right - 8, area.bottom - 36};
  HGDIOBJ previous = ::SelectObject(dc, titleFont_);
  ::DrawTextA(dc, "Quarrow", -1, &title, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  ::SelectObject(dc, textFont_);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  RECT version{kPictureSize + 24, area.bottom - 36, area.right - 8, area.bottom - 12};
  ::DrawTextA(dc, kVersionText, -1, &version, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  ::SelectObject(dc, previous);
  ::EndPaint(window_, &paint);
}

LRESULT CALLBACK StartupScreen::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<StartupScreen>(window, message, lParam);
  if (self && message == WM_NCCREATE) self->window_ = window;
  if (self && message == WM_PAINT) {
    self->Paint();
    return 0;
  }
  if (self && message == WM_DESTROY) self->window_ = nullptr;
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace quarrow::ui
