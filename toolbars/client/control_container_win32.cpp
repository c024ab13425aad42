#include "control_container_win32.h"

#include "object_creation_win32.h"

namespace mz::client {
namespace {

using com::ComPtr;

// The container measures in twips: 1440 to the inch, 2540 HIMETRIC units.
constexpr float kHimetricPerTwip = 2540.0f / 1440.0f;

}  // namespace

// Client, in-place and control site of the control, and the ambient
// properties of the form: run mode, the form's font, twips. The site and
// the sink belong to the container, which lets the control go before them,
// so their reference counts do not govern their lifetime.
class ControlContainer::Site final : public IOleClientSite,
                                 public IOleInPlaceSite,
                                 public IOleControlSite,
                                 public IDispatch {
 public:
  Site(HWND window, IFontDisp* font) : window_(window), font_(font) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleControlSite) {
      *out = static_cast<IOleControlSite*>(this);
    } else if (iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                             LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *frame = nullptr;
    *document = nullptr;
    ::GetClientRect(window_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override {
    *control = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override {
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
      container->x = static_cast<float>(himetric->x) / kHimetricPerTwip;
      container->y = static_cast<float>(himetric->y) / kHimetricPerTwip;
    } else {
      himetric->x = static_cast<LONG>(container->x * kHimetricPerTwip);
      himetric->y = static_cast<LONG>(container->y * kHimetricPerTwip);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

  // IDispatch: the ambient properties
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (!result) return E_POINTER;
    ::VariantInit(result);
    switch (dispid) {
      case DISPID_AMBIENT_USERMODE:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
        return S_OK;
      case DISPID_AMBIENT_SCALEUNITS:
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = ::SysAllocString(L"Twip");
        return S_OK;
      case DISPID_AMBIENT_FONT:
        if (!font_) break;
        font_->AddRef();
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = font_;
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  HWND window_;
  IFontDisp* font_;
};

// The control's event interface: every event goes to the program.
class ControlContainer::EventSink final : public IDispatch {
 public:
  explicit EventSink(ControlEvents& events) : events_(events) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DMzToolBarsEvents) {
      *out = static_cast<IDispatch*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    DISPPARAMS none{};
    events_.on_event(dispid, params ? *params : none);
    return S_OK;
  }

 private:
  ControlEvents& events_;
};

ControlContainer::ControlContainer(HWND form, IFontDisp* font, ControlEvents& events)
    : form_(form), site_(new Site(form, font)), sink_(new EventSink(events)) {}

ControlContainer::~ControlContainer() {
  destroy();
  delete sink_;
  delete site_;
}

HRESULT ControlContainer::create(const std::wstring& library_path, IStream* state) {
  ComPtr<IMzToolBarControl> control;
  if (FAILED(client::create(CLSID_MzToolDeck, library_path, control))) return REGDB_E_CLASSNOTREG;
  ComPtr<IOleObject> object = control.query<IOleObject>();
  ComPtr<IPersistStreamInit> persist = control.query<IPersistStreamInit>();
  if (!object || !persist) return E_NOINTERFACE;

  HRESULT hr = object->SetClientSite(static_cast<IOleClientSite*>(site_));
  if (SUCCEEDED(hr)) hr = state ? persist->Load(state) : persist->InitNew();
  if (FAILED(hr)) {
    object->SetClientSite(nullptr);
    return hr;
  }
  RECT position;
  ::GetClientRect(form_, &position);
  object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, form_, &position);
  control_ = control;
  return connect();
}

HRESULT ControlContainer::connect() {
  ComPtr<IConnectionPointContainer> points = control_.query<IConnectionPointContainer>();
  if (!points) return E_NOINTERFACE;
  HRESULT hr = points->FindConnectionPoint(DIID_DMzToolBarsEvents, event_point_.put());
  if (SUCCEEDED(hr)) hr = event_point_->Advise(sink_, &event_cookie_);
  return hr;
}

void ControlContainer::destroy() {
  if (event_point_) {
    event_point_->Unadvise(event_cookie_);
    event_point_.reset();
  }
  if (!control_) return;
  if (ComPtr<IOleObject> object = control_.query<IOleObject>()) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  control_.reset();
}

}  // namespace mz::client
