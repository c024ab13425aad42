// The control's side of hosting: its client site and ambient properties, the
// one-control-per-host-window rule, in-place activation (the control is
// invisible at run time), the window set-up with the thread's hooks and the
// host hover worker, and the conversion of container coordinates.
#include <new>

#include "control_object.h"
#include "error_info.h"
#include "misc_status.h"
#include "string_ids.h"
#include "text.h"

namespace mz::com {
namespace {

// What InitNew returns for a second control in the same host window.
constexpr HRESULT kSecondControlInHost = static_cast<HRESULT>(0x80040007);

constexpr wchar_t kUserType[] = L"ToolDeck command-bar control";

}  // namespace

// --- Site and ambient properties ---------------------------------------------------

bool ControlObject::read_ambient(DISPID dispid, VARIANT* value) const {
  auto ambient = site_.query<IDispatch>();
  if (!ambient) return false;
  DISPPARAMS none{};
  VariantInit(value);
  return SUCCEEDED(ambient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value,
                                   nullptr, nullptr));
}

// Without a site, or with a site that does not say, the control is in run mode.
void ControlObject::read_ambient_user_mode() {
  Variant user_mode;
  deck_.modes.design_time = read_ambient(DISPID_AMBIENT_USERMODE, user_mode.get()) &&
                            V_VT(&*user_mode) == VT_BOOL && V_BOOL(&*user_mode) == VARIANT_FALSE;
}

void ControlObject::take_ambient_font() {
  if (properties_.font_set_explicitly) return;
  Variant ambient;
  if (!read_ambient(DISPID_AMBIENT_FONT, ambient.get()) || V_VT(&*ambient) != VT_DISPATCH) return;
  // A copy, so that the control keeps its font when the container changes its own.
  auto font = ComPtr<IDispatch>(V_DISPATCH(&*ambient)).query<IFont>();
  ComPtr<IFont> copy;
  if (font && SUCCEEDED(font->Clone(copy.put()))) font_ = copy.query<IFontDisp>();
}

HWND ControlObject::site_window() {
  if (!host_window_) {
    if (auto window = site_.query<IOleWindow>()) window->GetWindow(&host_window_);
  }
  return host_window_;
}

HRESULT ControlObject::apply_one_control_rule() {
  if (!site_) return S_OK;
  const HWND host = site_window();
  if (!host) return S_OK;
  bool taken = false;
  {
    ControlListLock lock;
    for (const ControlObject* other : thread_controls().controls)
      if (other != this && other->host_window_ == host) taken = true;
  }
  if (!taken) return S_OK;
  // This control lives nowhere, so it blocks no later control.
  host_window_ = nullptr;
  MessageBoxW(nullptr, load_string(IDS_ONE_CONTROL_PER_FORM).c_str(),
              load_string(IDS_ONE_CONTROL_PER_FORM_CAPTION).c_str(), MB_OK | MB_ICONINFORMATION);
  return kSecondControlInHost;
}

// --- Windows, hooks and the hover worker ---------------------------------------------

void ControlObject::set_up_windows(bool refresh) {
  if (!host_window_) return;
  if (!tracker_) tracker_ = create_tracker_window(*this);
  if (!hover_) hover_ = HoverWorker::start(host_window_, tracker_);
  if (!GetPropW(host_window_, kControlProperty))
    SetPropW(host_window_, kControlProperty, static_cast<IMzToolBarControl*>(this));
  {
    ControlListLock lock;
    install_thread_hooks(thread_controls());
  }
  if (redraw_ && refresh && placeholder_)
    SetWindowPos(placeholder_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOCOPYBITS);
}

HRESULT ControlObject::activate_in_place() {
  if (placeholder_) return S_OK;
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
  placeholder_ = create_placeholder_window(parent, position, design_time() && !attached_);
  if (!placeholder_) {
    site->OnInPlaceDeactivate();
    return E_OUTOFMEMORY;
  }
  in_place_site_ = site;
  if (!host_window_) host_window_ = parent;
  if (!design_time()) set_up_windows(true);
  return S_OK;
}

POINT ControlObject::container_to_pixels(float x, float y) const {
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

HWND ControlObject::window_at(float x, float y) const {
  POINT point = container_to_pixels(x, y);
  if (!host_window_ || !ClientToScreen(host_window_, &point)) return nullptr;
  HWND window = WindowFromPoint(point);
  // A minimised window shows nothing of the control.
  if (window && IsIconic(GetAncestor(window, GA_ROOT))) return nullptr;
  return window;
}

// --- IOleObject ------------------------------------------------------------------------

HRESULT ControlObject::SetClientSite(IOleClientSite* site) {
  site_ = ComPtr<IOleClientSite>(site);
  read_ambient_user_mode();
  return S_OK;
}

HRESULT ControlObject::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = ComPtr<IOleClientSite>(site_).detach();
  return S_OK;
}

HRESULT ControlObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT ControlObject::Close(DWORD) {
  InPlaceDeactivate();
  if (advise_holder_) advise_holder_->SendOnClose();
  return S_OK;
}

HRESULT ControlObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT ControlObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT ControlObject::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return activate_in_place();
    case OLEIVERB_HIDE:
      if (placeholder_) ShowWindow(placeholder_, SW_HIDE);
      return S_OK;
    default:
      // The external designer's verb is not part of this build.
      return OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT ControlObject::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs) *verbs = nullptr;
  return OLEOBJ_E_NOVERBS;
}

HRESULT ControlObject::Update() { return S_OK; }

HRESULT ControlObject::IsUpToDate() { return S_OK; }

HRESULT ControlObject::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_MzToolDeck;
  return S_OK;
}

HRESULT ControlObject::GetUserType(DWORD, LPOLESTR* type) {
  if (!type) return E_POINTER;
  const size_t bytes = sizeof(kUserType);
  *type = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (!*type) return E_OUTOFMEMORY;
  memcpy(*type, kUserType, bytes);
  return S_OK;
}

HRESULT ControlObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  extent_ = *size;
  return S_OK;
}

HRESULT ControlObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  *size = extent_;
  return S_OK;
}

HRESULT ControlObject::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!advise_holder_) {
    HRESULT hr = CreateOleAdviseHolder(advise_holder_.put());
    if (FAILED(hr)) return hr;
  }
  return advise_holder_->Advise(sink, connection);
}

HRESULT ControlObject::Unadvise(DWORD connection) {
  return advise_holder_ ? advise_holder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT ControlObject::EnumAdvise(IEnumSTATDATA** advise) {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  return advise_holder_ ? advise_holder_->EnumAdvise(advise) : S_OK;
}

HRESULT ControlObject::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = kMiscStatus;
  return S_OK;
}

HRESULT ControlObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// --- IOleInPlaceObject -------------------------------------------------------------------

HRESULT ControlObject::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = placeholder_;
  return placeholder_ ? S_OK : E_FAIL;
}

HRESULT ControlObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT ControlObject::InPlaceDeactivate() {
  if (!placeholder_) return S_OK;
  DestroyWindow(placeholder_);
  placeholder_ = nullptr;
  if (in_place_site_) in_place_site_->OnInPlaceDeactivate();
  in_place_site_.reset();
  return S_OK;
}

HRESULT ControlObject::UIDeactivate() { return S_OK; }

HRESULT ControlObject::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (placeholder_)
    MoveWindow(placeholder_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  return S_OK;
}

HRESULT ControlObject::ReactivateAndUndo() { return E_NOTIMPL; }

// --- IOleControl ---------------------------------------------------------------------------

HRESULT ControlObject::GetControlInfo(CONTROLINFO* info) {
  if (!info || info->cb < sizeof(CONTROLINFO)) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT ControlObject::OnMnemonic(MSG*) { return E_NOTIMPL; }

HRESULT ControlObject::OnAmbientPropertyChange(DISPID dispid) {
  if (dispid == DISPID_AMBIENT_USERMODE || dispid == DISPID_UNKNOWN) read_ambient_user_mode();
  if (dispid == DISPID_AMBIENT_FONT || dispid == DISPID_UNKNOWN) take_ambient_font();
  return S_OK;
}

HRESULT ControlObject::FreezeEvents(BOOL freeze) {
  frozen_events_ += freeze ? 1 : (frozen_events_ > 0 ? -1 : 0);
  return S_OK;
}

// --- IControlDiagnostics ---------------------------------------------------------------------

HRESULT ControlObject::GetThreadHooks(HHOOK hooks[4]) {
  if (!hooks) return E_POINTER;
  ControlListLock lock;
  const ThreadControlList* record = existing_thread_controls();
  for (size_t i = 0; i < kHookCount; ++i) hooks[i] = record ? record->hooks[i] : nullptr;
  return S_OK;
}

}  // namespace mz::com
