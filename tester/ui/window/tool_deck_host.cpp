#include "tool_deck_host.h"

#include <shlwapi.h>

#include "dispatch_ids.h"
#include "object_creation_win32.h"
#include "variant_win32.h"

namespace quarrow::ui {
namespace {

using mz::client::Variant;
using mz::com::ComPtr;

// The container measures in twips: 1440 to the inch, 2540 HIMETRIC units.
constexpr float kHimetricPerTwip = 2540.0f / 1440.0f;

}  // namespace

// Client, in-place and control site of the control, and the ambient
// properties of the form: run mode, the window's font, twips. The site and
// the sink belong to the host, which lets the control go before them, so
// their reference counts do not govern their lifetime.
class ToolDeckHost::Site final : public IOleClientSite,
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

// The control's event interface: ToolClick and ToolBarModified go to the
// window; the other events are accepted and ignored.
class ToolDeckHost::EventSink final : public IDispatch {
 public:
  explicit EventSink(ToolDeckEvents& events) : events_(events) {}

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
    if (!params) return S_OK;
    // Arguments arrive last first.
    if (dispid == DISPID_DMzToolBarsEvents_ToolClick && params->cArgs == 1) {
      if (const std::optional<std::wstring> id = ToolId(params->rgvarg[0])) events_.OnToolClick(*id);
    } else if (dispid == DISPID_DMzToolBarsEvents_ToolBarModified && params->cArgs == 3) {
      VARIANT change;
      ::VariantInit(&change);
      if (SUCCEEDED(::VariantChangeType(&change, &params->rgvarg[2], 0, VT_I4))) {
        events_.OnToolBarModified(V_I4(&change));
      }
    }
    return S_OK;
  }

 private:
  static std::optional<std::wstring> ToolId(VARIANT& argument) {
    IDispatch* object = nullptr;
    if (V_VT(&argument) == VT_DISPATCH) object = V_DISPATCH(&argument);
    if (V_VT(&argument) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(&argument)) object = *V_DISPATCHREF(&argument);
    if (!object) return std::nullopt;
    ComPtr<IMzTool> tool;
    if (FAILED(object->QueryInterface(IID_IMzTool, reinterpret_cast<void**>(tool.put())))) return std::nullopt;
    BSTR id = nullptr;
    if (FAILED(tool->get_ID(&id))) return std::nullopt;
    std::wstring text(id ? id : L"", id ? ::SysStringLen(id) : 0);
    ::SysFreeString(id);
    return text;
  }

  ToolDeckEvents& events_;
};

namespace {

// The library's path: the folder is in the ANSI code page, as the program
// gets its folder.
std::wstring LibraryPath(const std::string& libraryFolder) {
  const std::string path = libraryFolder + "\\MzDeck2.dll";
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
  return wide;
}

ComPtr<IStream> StreamOver(std::string_view bytes) {
  return ComPtr<IStream>::adopt(
      ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
}

}  // namespace

ToolDeckHost::ToolDeckHost(HWND window, IFontDisp* font, ToolDeckEvents& events)
    : window_(window), site_(new Site(window, font)), sink_(new EventSink(events)) {}

ToolDeckHost::~ToolDeckHost() {
  Destroy();
  delete sink_;
  delete site_;
}

HRESULT ToolDeckHost::Create(std::string_view state, const std::string& libraryFolder) {
  ComPtr<IMzToolBarControl> control;
  if (FAILED(mz::client::create(CLSID_MzToolDeck, LibraryPath(libraryFolder), control))) return REGDB_E_CLASSNOTREG;
  ComPtr<IOleObject> object = control.query<IOleObject>();
  ComPtr<IPersistStreamInit> persist = control.query<IPersistStreamInit>();
  ComPtr<IStream> stream = StreamOver(state);
  if (!object || !persist || !stream) return E_NOINTERFACE;

  HRESULT hr = object->SetClientSite(static_cast<IOleClientSite*>(site_));
  if (SUCCEEDED(hr)) hr = persist->Load(stream.get());
  if (FAILED(hr)) {
    object->SetClientSite(nullptr);
    return hr;
  }
  RECT position;
  ::GetClientRect(window_, &position);
  object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, window_, &position);
  control_ = control;
  return Connect();
}

HRESULT ToolDeckHost::Connect() {
  ComPtr<IConnectionPointContainer> points = control_.query<IConnectionPointContainer>();
  if (!points) return E_NOINTERFACE;
  HRESULT hr = points->FindConnectionPoint(DIID_DMzToolBarsEvents, eventPoint_.put());
  if (SUCCEEDED(hr)) hr = eventPoint_->Advise(sink_, &eventCookie_);
  return hr;
}

void ToolDeckHost::Destroy() {
  if (eventPoint_) {
    eventPoint_->Unadvise(eventCookie_);
    eventPoint_.reset();
  }
  if (!control_) return;
  if (ComPtr<IOleObject> object = control_.query<IOleObject>()) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  control_.reset();
}

HRESULT ToolDeckHost::PopupMenu(const wchar_t* toolId) {
  if (!control_) return E_UNEXPECTED;
  const Variant missing = Variant::missing();
  return control_->PopupMenu(*Variant(toolId), *missing, *missing, *missing);
}

std::optional<int> ToolDeckHost::ToolState(const wchar_t* toolId) {
  if (!control_) return std::nullopt;
  ComPtr<IMzToolsCollection> tools;
  if (FAILED(control_->get_Tools(tools.put()))) return std::nullopt;
  ComPtr<IMzTool> tool;
  Constants_State state{};
  if (FAILED(tools->get_Item(*Variant(toolId), tool.put())) || FAILED(tool->get_State(&state))) return std::nullopt;
  return static_cast<int>(state);
}

std::optional<int> ToolDeckHost::FirstToolbarDock() {
  if (!control_) return std::nullopt;
  ComPtr<IMzToolBarsCollection> toolbars;
  if (FAILED(control_->get_ToolBars(toolbars.put()))) return std::nullopt;
  ComPtr<IMzToolBar> toolbar;
  Constants_DockedStatus dock{};
  if (FAILED(toolbars->get_Item(*Variant(int32_t{1}), toolbar.put())) || FAILED(toolbar->get_DockedStatus(&dock))) {
    return std::nullopt;
  }
  return static_cast<int>(dock);
}

}  // namespace quarrow::ui
