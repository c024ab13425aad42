#pragma once
// The "MzMenu" window of one open popup: a popup tool window with a dialog
// frame that never takes activation. It shows its content from a back buffer
// the control paints once per opening or relayout (and item by item when the
// highlight moves), moved up by the scroll offset; everything the mouse and
// the timers do in it goes to its client.
#include <windows.h>

#include "toolbars/layout/geometry.h"

namespace mz::menus {

enum class PopupMouse : uint8_t { move, press, release };
enum class PopupButton : uint8_t { left, right };

class PopupWindowClient {
 public:
  // A mouse message at `client` (client coordinates) of popup `level`.
  // Repeated identical moves are dropped before they come here.
  virtual void popup_mouse(int level, PopupMouse kind, PopupButton button, Point client) = 0;
  // The popup held the capture for a press and lost it.
  virtual void popup_capture_lost(int level) = 0;
  // A timer of the window fired (88: an animation step, 99: scrolling).
  virtual void popup_timer(int level, UINT_PTR id) = 0;
  // Drawn over the content after it is copied to the window (the scroll areas).
  virtual void popup_overlay(int level, HDC dc) = 0;

 protected:
  ~PopupWindowClient() = default;
};

class PopupWindow {
 public:
  PopupWindow(PopupWindowClient& client, int level) : client_(client), level_(level) {}
  PopupWindow(const PopupWindow&) = delete;
  PopupWindow& operator=(const PopupWindow&) = delete;
  ~PopupWindow() { destroy(); }

  // Creates the window, hidden, at `rect` (screen); `owner` keeps it above
  // the host's windows. The window carries "mzToolsProp" and "MzMenuProp".
  bool create(HWND owner, const Rect& rect, HANDLE tools, HANDLE menu);
  void destroy();
  HWND handle() const { return window_; }
  int level() const { return level_; }

  // The size of the frame around the client on each side.
  static Size frame();

  // The back buffer, (re)made at `size` when it has another size; null when
  // it cannot be made. The caller paints the content into it.
  HDC content(Size size);
  // The content is shown moved up by `offset` pixels.
  void set_offset(int offset);
  // Moves and sizes the window, shown without activation.
  void place(const Rect& rect);
  // The client area (or a part of it) is drawn again from the back buffer.
  void redraw(const Rect* client_part = nullptr);

  // The window procedure's work.
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void paint();
  void mouse(PopupMouse kind, PopupButton button, LPARAM lparam);
  void free_buffer();

  PopupWindowClient& client_;
  int level_;
  HWND window_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HDC buffer_dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  Size buffer_size_;
  int offset_ = 0;
  LPARAM last_move_ = -1;
  bool releasing_ = false;  // the window lets go of its capture after a press
};

// The window class lives as long as the library.
void register_popup_class(HINSTANCE instance);
void unregister_popup_class(HINSTANCE instance);

}  // namespace mz::menus
