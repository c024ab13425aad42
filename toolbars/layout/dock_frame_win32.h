#pragma once
// The dock areas in the host window: a subclass of the host window cuts them
// out of its client area when the host computes its non-client size, draws
// them in its non-client area after the host's own frame, and hands the
// control the mouse messages of its frame (and every mouse message while the
// control holds the capture with an area's own window) before the host sees
// them. What is cut comes from the control's last layout pass; the control
// paints the areas.
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

#include "dock_layout.h"
#include "dock_window_win32.h"

namespace mz {

// A mouse message of the host window's frame, or of the dock area's window
// that holds the capture for the control.
struct FrameMouse {
  enum class Kind : uint8_t { move, press, double_click, release };
  Kind kind = Kind::move;
  uint16_t button = 0;  // of a press or release: 1 left, 2 right, 4 middle
  POINT screen{};
};

class DockFrame : private DockWindow::Owner {
 public:
  class Client {
   public:
    // Lays the dock areas out in `inner` (host window coordinates of the
    // client rectangle the host computed) and returns the client rectangle left.
    virtual Rect lay_out_docks(Rect inner) = 0;
    virtual const DockCut& dock_cut() const = 0;
    // Paints the dock areas into `dc`, a context of the host's whole window:
    // all of them, or only the band of the docked toolbar `band_of`.
    virtual void paint_docks(HDC dc, std::optional<int> band_of) = 0;
    // True when the control took the message, which the host then does not see.
    virtual bool frame_mouse(const FrameMouse& mouse) = 0;
    // The capture the control took went to another window.
    virtual void frame_capture_lost() = 0;

   protected:
    ~Client() = default;
  };

  explicit DockFrame(Client& client) : client_(client) {}
  DockFrame(const DockFrame&) = delete;
  DockFrame& operator=(const DockFrame&) = delete;
  ~DockFrame() { detach(); }

  // Watches `host` (nothing when it already does) and lays out at once.
  void attach(HWND host);
  void detach();
  // Makes the host compute its non-client area again, which lays out again.
  void recompute() const;
  HWND host() const { return host_; }
  // Draws the areas again at once: all, or the band of one docked toolbar.
  void repaint(std::optional<int> band_of = std::nullopt) const;
  // The window of the area with index `area` (top 0 ... right 3) holds the
  // mouse capture for the control until released or lost; meanwhile the
  // mouse messages go to the control.
  void take_capture(int area);
  void release_capture();
  // The host window or the window of one of its dock areas.
  bool shows_docks(HWND window) const;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR self);
  static void recompute_frame(HWND host);
  void calc_size(LPARAM lparam, const RECT& window);
  // Keeps the areas' windows over their areas on the screen.
  void cover_areas() const;
  // A mouse message of `window` for the control, or nothing when it is not one.
  std::optional<FrameMouse> mouse_of(HWND window, UINT message, LPARAM lparam) const;
  // Hands a mouse message of `window` to the control: true when it took it.
  bool pass_mouse(HWND window, UINT message, LPARAM lparam);
  bool dock_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

  Client& client_;
  HWND host_ = nullptr;
  std::array<DockWindow, 4> windows_{{DockWindow(*this), DockWindow(*this), DockWindow(*this), DockWindow(*this)}};
  HWND capture_ = nullptr;  // the area window holding the capture for the control
};

}  // namespace mz
