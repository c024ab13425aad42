// The control's side of hosting: the one-control-per-host-window rule, the
// OLE interfaces a container calls (over the control's site), in-place
// activation (the control is invisible at run time), and the window set-up
// with the thread's hooks and the host hover worker.
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

void ControlObject::take_ambient_font() {
  if (properties_.font_set_explicitly) return;
  if (auto font = site_.ambient_font()) font_ = font;
}

HRESULT ControlObject::apply_one_control_rule() {
  if (!site_.client_site()) return S_OK;
  const HWND host = site_.site_window();
  if (!host) return S_OK;
  bool taken = false;
  {
    ControlListLock lock;
    for (const HookClient* other : thread_controls().controls)
      if (other != this && other->host_window() == host) taken = true;
  }
  if (!taken) return S_OK;
  // This control lives nowhere, so it blocks no later control.
  site_.forget_host_window();
  MessageBoxW(nullptr, load_string(IDS_ONE_CONTROL_PER_FORM).c_str(),
              load_string(IDS_ONE_CONTROL_PER_FORM_CAPTION).c_str(), MB_OK | MB_ICONINFORMATION);
  return kSecondControlInHost;
}

// --- Windows, hooks and the hover worker ---------------------------------------------

void ControlObject::set_up_windows(bool refresh) {
  const HWND host_window = site_.host_window();
  if (!host_window) return;
  const HWND tracker = tracker_.window(host_window);
  if (!hover_) hover_ = menus::HoverWorker::start(host_window, tracker);
  if (!GetPropW(host_window, kControlProperty))
    SetPropW(host_window, kControlProperty, static_cast<IMzToolBarControl*>(this));
  // A host that is active already sends no activation the hooks could see.
  if (GetActiveWindow() == GetAncestor(host_window, GA_ROOT)) active_ = true;
  {
    ControlListLock lock;
    menus::install_thread_hooks(thread_controls());
  }
  dock_frame_.attach(host_window);
  if (redraw_ && refresh && site_.placeholder())
    SetWindowPos(site_.placeholder(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOCOPYBITS);
}

void ControlObject::remove_hooks_for_load() {
  if (design_time() || !has_window()) return;
  ControlListLock lock;
  menus::remove_thread_hooks(thread_controls());
}

HRESULT ControlObject::activate_in_place() {
  HRESULT hr = site_.activate(design_time());
  if (hr == S_FALSE) return S_OK;
  if (FAILED(hr)) return hr;
  if (!design_time()) set_up_windows(true);
  return S_OK;
}

// --- IOleObject ------------------------------------------------------------------------

HRESULT ControlObject::SetClientSite(IOleClientSite* site) {
  return guarded([&]() -> HRESULT {
    site_.set_client_site(site);
    deck_.modes.design_time = !site_.user_mode();
    return S_OK;
  });
}

HRESULT ControlObject::GetClientSite(IOleClientSite** site) {
  return guarded([&]() -> HRESULT {
    if (!site) return E_POINTER;
    *site = ComPtr<IOleClientSite>(site_.client_site()).detach();
    return S_OK;
  });
}

HRESULT ControlObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT ControlObject::Close(DWORD) {
  return guarded([&]() -> HRESULT {
    leave_menu_mode_alone();
    site_.deactivate();
    site_.send_on_close();
    return S_OK;
  });
}

HRESULT ControlObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT ControlObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  return guarded([&]() -> HRESULT {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  });
}

HRESULT ControlObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT ControlObject::GetClipboardData(DWORD, IDataObject** data) {
  return guarded([&]() -> HRESULT {
    if (data) *data = nullptr;
    return E_NOTIMPL;
  });
}

HRESULT ControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
  return guarded([&]() -> HRESULT {
    switch (verb) {
      case OLEIVERB_PRIMARY:
      case OLEIVERB_SHOW:
      case OLEIVERB_INPLACEACTIVATE:
      case OLEIVERB_UIACTIVATE:
        return activate_in_place();
      case OLEIVERB_HIDE:
        site_.hide_placeholder();
        return S_OK;
      default:
        // The external designer's verb is not part of this build.
        return OLEOBJ_S_INVALIDVERB;
    }
  });
}

HRESULT ControlObject::EnumVerbs(IEnumOLEVERB** verbs) {
  return guarded([&]() -> HRESULT {
    if (verbs) *verbs = nullptr;
    return OLEOBJ_E_NOVERBS;
  });
}

HRESULT ControlObject::Update() { return S_OK; }

HRESULT ControlObject::IsUpToDate() { return S_OK; }

HRESULT ControlObject::GetUserClassID(CLSID* clsid) {
  return guarded([&]() -> HRESULT {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_MzToolDeck;
    return S_OK;
  });
}

HRESULT ControlObject::GetUserType(DWORD, LPOLESTR* type) {
  return guarded([&]() -> HRESULT {
    if (!type) return E_POINTER;
    const size_t bytes = sizeof(kUserType);
    *type = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*type) return E_OUTOFMEMORY;
    memcpy(*type, kUserType, bytes);
    return S_OK;
  });
}

HRESULT ControlObject::SetExtent(DWORD aspect, SIZEL* size) {
  return guarded([&]() -> HRESULT {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    site_.set_extent(*size);
    return S_OK;
  });
}

HRESULT ControlObject::GetExtent(DWORD aspect, SIZEL* size) {
  return guarded([&]() -> HRESULT {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    *size = site_.extent();
    return S_OK;
  });
}

HRESULT ControlObject::Advise(IAdviseSink* sink, DWORD* connection) {
  return guarded([&]() -> HRESULT {
    return site_.advise(sink, connection);
  });
}

HRESULT ControlObject::Unadvise(DWORD connection) {
  return guarded([&]() -> HRESULT {
    return site_.unadvise(connection);
  });
}

HRESULT ControlObject::EnumAdvise(IEnumSTATDATA** advise) {
  return guarded([&]() -> HRESULT {
    return site_.enum_advise(advise);
  });
}

HRESULT ControlObject::GetMiscStatus(DWORD, DWORD* status) {
  return guarded([&]() -> HRESULT {
    if (!status) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
  });
}

HRESULT ControlObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// --- IOleInPlaceObject -------------------------------------------------------------------

HRESULT ControlObject::GetWindow(HWND* window) {
  return guarded([&]() -> HRESULT {
    if (!window) return E_POINTER;
    *window = site_.placeholder();
    return *window ? S_OK : E_FAIL;
  });
}

HRESULT ControlObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT ControlObject::InPlaceDeactivate() {
  return guarded([&]() -> HRESULT {
    leave_menu_mode_alone();
    return site_.deactivate();
  });
}

HRESULT ControlObject::UIDeactivate() { return S_OK; }

HRESULT ControlObject::SetObjectRects(LPCRECT position, LPCRECT) {
  return guarded([&]() -> HRESULT {
    if (!position) return E_POINTER;
    if (HWND placeholder = site_.placeholder())
      MoveWindow(placeholder, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, TRUE);
    return S_OK;
  });
}

HRESULT ControlObject::ReactivateAndUndo() { return E_NOTIMPL; }

// --- IOleControl ---------------------------------------------------------------------------

HRESULT ControlObject::GetControlInfo(CONTROLINFO* info) {
  return guarded([&]() -> HRESULT {
    if (!info || info->cb < sizeof(CONTROLINFO)) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
  });
}

HRESULT ControlObject::OnMnemonic(MSG*) { return E_NOTIMPL; }

HRESULT ControlObject::OnAmbientPropertyChange(DISPID dispid) {
  return guarded([&]() -> HRESULT {
    if (dispid == DISPID_AMBIENT_USERMODE || dispid == DISPID_UNKNOWN) deck_.modes.design_time = !site_.user_mode();
    if (dispid == DISPID_AMBIENT_FONT || dispid == DISPID_UNKNOWN) take_ambient_font();
    return S_OK;
  });
}

HRESULT ControlObject::FreezeEvents(BOOL freeze) {
  return guarded([&]() -> HRESULT {
    frozen_events_ += freeze ? 1 : (frozen_events_ > 0 ? -1 : 0);
    return S_OK;
  });
}

// --- IControlDiagnostics ---------------------------------------------------------------------

HRESULT ControlObject::GetThreadHooks(HHOOK hooks[4]) {
  if (!hooks) return E_POINTER;
  ControlListLock lock;
  const ThreadControlList* record = existing_thread_controls();
  for (size_t i = 0; i < kHookCount; ++i) hooks[i] = record ? record->hooks[i] : nullptr;
  return S_OK;
}

HRESULT ControlObject::GetHoverCounts(LONG* polls, LONG* reports) {
  if (!polls || !reports) return E_POINTER;
  *polls = hover_ ? hover_->polls() : 0;
  *reports = hover_ ? hover_->reports() : 0;
  return S_OK;
}

}  // namespace mz::com
