#include "control_site.h"

#include "control_windows.h"
#include "variant_args.h"

namespace mz::com {

ControlSite::~ControlSite() {
  if (placeholder_) DestroyWindow(placeholder_);
}

bool ControlSite::read_ambient(DISPID dispid, VARIANT* value) const {
  auto ambient = site_.query<IDispatch>();
  if (!ambient) return false;
  DISPPARAMS none{};
  VariantInit(value);
  return SUCCEEDED(ambient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value,
                                   nullptr, nullptr));
}

bool ControlSite::user_mode() const {
  Variant user_mode;
  return !(read_ambient(DISPID_AMBIENT_USERMODE, user_mode.get()) && V_VT(&*user_mode) == VT_BOOL &&
           V_BOOL(&*user_mode) == VARIANT_FALSE);
}

ComPtr<IFontDisp> ControlSite::ambient_font() const {
  Variant ambient;
  if (!read_ambient(DISPID_AMBIENT_FONT, ambient.get()) || V_VT(&*ambient) != VT_DISPATCH) return nullptr;
  auto font = ComPtr<IDispatch>(V_DISPATCH(&*ambient)).query<IFont>();
  ComPtr<IFont> copy;
  if (!font || FAILED(font->Clone(copy.put()))) return nullptr;
  return copy.query<IFontDisp>();
}

HWND ControlSite::site_window() {
  if (!host_window_) {
    if (auto window = site_.query<IOleWindow>()) window->GetWindow(&host_window_);
  }
  return host_window_;
}

void ControlSite::attach(HWND window) {
  host_window_ = window;
  attached_ = true;
  hide_placeholder();
}

HRESULT ControlSite::activate(bool visible) {
  if (placeholder_) return S_FALSE;
  if (!site_) return E_UNEXPECTED;
  auto site = site_.query<IOleInPlaceSite>();
  if (!site) return E_NOINTERFACE;
  if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
  HRESULT hr = site->OnInPlaceActivate();
  if (FAILED(hr)) return hr;
  HWND parent = nullptr;
  site->GetWindow(&parent);
  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> document;
  RECT position{}, clip{};
  OLEINPLACEFRAMEINFO frame_info{};
  frame_info.cb = sizeof(frame_info);
  site->GetWindowContext(frame.put(), document.put(), &position, &clip, &frame_info);
  placeholder_ = create_placeholder_window(parent, position, visible && !attached_);
  if (!placeholder_) {
    site->OnInPlaceDeactivate();
    return E_OUTOFMEMORY;
  }
  in_place_site_ = site;
  if (!host_window_) host_window_ = parent;
  return S_OK;
}

HRESULT ControlSite::deactivate() {
  if (!placeholder_) return S_OK;
  DestroyWindow(placeholder_);
  placeholder_ = nullptr;
  if (in_place_site_) in_place_site_->OnInPlaceDeactivate();
  in_place_site_.reset();
  return S_OK;
}

void ControlSite::hide_placeholder() {
  if (placeholder_) ShowWindow(placeholder_, SW_HIDE);
}

HRESULT ControlSite::advise(IAdviseSink* sink, DWORD* connection) {
  if (!advise_holder_) {
    HRESULT hr = CreateOleAdviseHolder(advise_holder_.put());
    if (FAILED(hr)) return hr;
  }
  return advise_holder_->Advise(sink, connection);
}

HRESULT ControlSite::unadvise(DWORD connection) {
  return advise_holder_ ? advise_holder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT ControlSite::enum_advise(IEnumSTATDATA** advise) {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  return advise_holder_ ? advise_holder_->EnumAdvise(advise) : S_OK;
}

void ControlSite::send_on_close() {
  if (advise_holder_) advise_holder_->SendOnClose();
}

POINT ControlSite::container_to_pixels(float x, float y) const {
  Variant units;
  const bool pixels = read_ambient(DISPID_AMBIENT_SCALEUNITS, units.get()) && V_VT(&*units) == VT_BSTR &&
                      V_BSTR(&*units) && _wcsicmp(V_BSTR(&*units), L"pixels") == 0;
  POINT point{static_cast<LONG>(x), static_cast<LONG>(y)};
  if (pixels) return point;
  auto control_site = site_.query<IOleControlSite>();
  POINTF container{x, y};
  POINTL himetric{};
  if (!control_site || FAILED(control_site->TransformCoords(&himetric, &container,
                                                            XFORMCOORDS_POSITION | XFORMCOORDS_CONTAINERTOHIMETRIC)))
    return point;
  HDC screen = GetDC(nullptr);
  point.x = MulDiv(himetric.x, GetDeviceCaps(screen, LOGPIXELSX), 2540);
  point.y = MulDiv(himetric.y, GetDeviceCaps(screen, LOGPIXELSY), 2540);
  ReleaseDC(nullptr, screen);
  return point;
}

ControlSite::WindowAt ControlSite::window_at(float x, float y) const {
  WindowAt found{nullptr, container_to_pixels(x, y)};
  if (!host_window_ || !ClientToScreen(host_window_, &found.screen)) return {};
  found.window = WindowFromPoint(found.screen);
  // A minimised window shows nothing of the control.
  if (found.window && IsIconic(GetAncestor(found.window, GA_ROOT))) found.window = nullptr;
  return found;
}

}  // namespace mz::com
