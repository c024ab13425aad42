#pragma once
// A dock area's own window ("MzDock"): hidden, top-level, owned by the host
// window and kept over the area's place on the screen. While a tool of the
// bars is pressed it holds the mouse capture, so that the host window's own
// messages stay the host's; the customizer makes it a drop target.
#include <windows.h>

namespace mz {

// The dock area's window property: the area's dock code (1, 2, 4 or 8).
inline constexpr wchar_t kDockProperty[] = L"MzDockProp";

// The class lives as long as the library.
void register_dock_window_class(HINSTANCE instance);
void unregister_dock_window_class(HINSTANCE instance);

class DockWindow {
 public:
  // Where the window's messages go.
  class Owner {
   public:
    // True when the owner handled `message` of `window`, with its result in
    // `result`; otherwise the default handling applies.
    virtual bool dock_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     LRESULT& result) = 0;

   protected:
    ~Owner() = default;
  };

  explicit DockWindow(Owner& owner) : owner_(owner) {}
  DockWindow(const DockWindow&) = delete;
  DockWindow& operator=(const DockWindow&) = delete;
  ~DockWindow() { destroy(); }

  // The window of the area with dock `code`, created hidden on first need,
  // owned by `host` and carrying the control the host's property names.
  HWND window(HWND host, int code);
  // The window if it exists, else null.
  HWND handle() const { return window_; }
  // Moves an existing window over `screen` without redrawing anything.
  void cover(const RECT& screen) const;
  void destroy();

 private:
  friend void register_dock_window_class(HINSTANCE instance);
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  Owner& owner_;
  HWND window_ = nullptr;
};

}  // namespace mz
