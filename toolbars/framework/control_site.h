#pragma once
// The control's side of its container: the client site and what is read
// through it (ambient properties, the window the control lives in), in-place
// activation with the design-time placeholder window, the advise holder, the
// extent, and container coordinates turned into pixels. It knows nothing of
// the control's tools and toolbars.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "com_ptr.h"

namespace mz::com {

class ControlSite {
 public:
  ControlSite() = default;
  ControlSite(const ControlSite&) = delete;
  ControlSite& operator=(const ControlSite&) = delete;
  ~ControlSite();

  void set_client_site(IOleClientSite* site) { site_ = ComPtr<IOleClientSite>(site); }
  IOleClientSite* client_site() const { return site_.get(); }

  // An ambient property of the container; false when it has none to give.
  bool read_ambient(DISPID dispid, VARIANT* value) const;
  // Without a site, or with one that does not say, the control is in run mode.
  bool user_mode() const;
  // A copy of the container's font, or null; a copy, so that the control
  // keeps its font when the container changes its own.
  ComPtr<IFontDisp> ambient_font() const;

  // The window the control lives in: the attached one, else the one the
  // site reports, asked once and then kept; null when there is none.
  HWND host_window() const { return host_window_; }
  HWND site_window();
  // The control gives up its host window (a second control in a window).
  void forget_host_window() { host_window_ = nullptr; }
  // The control lives in `window` from now on; the placeholder hides.
  void attach(HWND window);
  // Whether the control has a window to live in at run time.
  bool has_window() const { return placeholder_ != nullptr || attached_; }

  // In-place activation creates the placeholder, visible only when asked;
  // S_FALSE when it was active already.
  HRESULT activate(bool visible);
  HRESULT deactivate();
  void hide_placeholder();
  HWND placeholder() const { return placeholder_; }

  SIZEL extent() const { return extent_; }
  void set_extent(SIZEL extent) { extent_ = extent; }

  HRESULT advise(IAdviseSink* sink, DWORD* connection);
  HRESULT unadvise(DWORD connection);
  HRESULT enum_advise(IEnumSTATDATA** advise);
  void send_on_close();

  // A point in the container's scale units as pixels of the host window's
  // client area.
  POINT container_to_pixels(float x, float y) const;
  // The window under a point given in container units (null when there is
  // none or it is minimised), with the point on the screen.
  struct WindowAt {
    HWND window = nullptr;
    POINT screen{};
  };
  WindowAt window_at(float x, float y) const;

 private:
  ComPtr<IOleClientSite> site_;
  ComPtr<IOleInPlaceSite> in_place_site_;
  ComPtr<IOleAdviseHolder> advise_holder_;
  SIZEL extent_{847, 847};  // HIMETRIC, 32 pixels at 96 per inch
  HWND host_window_ = nullptr;
  bool attached_ = false;
  HWND placeholder_ = nullptr;
};

}  // namespace mz::com
