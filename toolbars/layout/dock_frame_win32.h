#pragma once
// The dock areas in the host window: a subclass of the host window cuts them
// out of its client area when the host computes its non-client size, and
// draws them in its non-client area after the host's own frame. What is cut
// and drawn comes from the control's last layout pass.
#include <windows.h>

#include "dock_layout.h"

namespace mz {

class DockFrame {
 public:
  class Client {
   public:
    // Lays the dock areas out in `inner` (host window coordinates of the
    // client rectangle the host computed) and returns the client rectangle left.
    virtual Rect lay_out_docks(Rect inner) = 0;
    virtual const DockCut& dock_cut() const = 0;

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

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR self);
  static void recompute_frame(HWND host);
  void calc_size(LPARAM lparam, const RECT& window);
  void paint() const;

  Client& client_;
  HWND host_ = nullptr;
};

}  // namespace mz
