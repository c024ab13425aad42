#include "test_container.h"

#include "com_test_support.h"

namespace mz::test {

HRESULT TestSite::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *out = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *out = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IOleControlSite)
    *out = static_cast<IOleControlSite*>(this);
  else if (iid == IID_IDispatch)
    *out = static_cast<IDispatch*>(this);
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT TestSite::GetWindow(HWND* window) {
  *window = window_;
  return S_OK;
}

HRESULT TestSite::OnInPlaceActivate() {
  ++activations;
  return S_OK;
}

HRESULT TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                   LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  *frame = nullptr;
  *document = nullptr;
  SetRect(position, 10, 10, 42, 42);
  *clip = *position;
  info->fMDIApp = FALSE;
  info->hwndFrame = window_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

// The container measures in twips: 1440 to the inch, 2540 HIMETRIC units.
HRESULT TestSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  transformed.push_back(*container);
  transform_flags = flags;
  himetric->x = static_cast<LONG>(container->x * 2540 / 1440);
  himetric->y = static_cast<LONG>(container->y * 2540 / 1440);
  return S_OK;
}

HRESULT TestSite::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT TestSite::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  VariantInit(result);
  switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
      V_VT(result) = VT_BOOL;
      V_BOOL(result) = user_mode ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case DISPID_AMBIENT_SCALEUNITS:
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocString(scale_units.c_str());
      return S_OK;
    case DISPID_AMBIENT_FONT:
      if (!font) break;
      font->AddRef();
      V_VT(result) = VT_DISPATCH;
      V_DISPATCH(result) = font;
      return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

// SS_NOTIFY: without it a static window lets hit tests pass through it,
// which a form never does.
Form::Form(bool user_mode)
    : window(CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW | SS_NOTIFY, 50, 50, 400, 300, nullptr,
                             nullptr, nullptr, nullptr)),
      site(window) {
  site.user_mode = user_mode;
}

Form::~Form() {
  unload();
  DestroyWindow(window);
}

HRESULT Form::host() {
  control = ControlTest::create_control();
  if (!control) return E_FAIL;
  IOleObject* object = nullptr;
  control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
  object->SetClientSite(&site);
  IPersistStreamInit* persist = nullptr;
  control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  HRESULT hr = persist->InitNew();
  persist->Release();
  if (SUCCEEDED(hr)) {
    RECT position{10, 10, 42, 42};
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &position);
  }
  object->Release();
  return hr;
}

void Form::unload() {
  if (!control) return;
  IOleObject* object = nullptr;
  control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
  object->Close(OLECLOSE_NOSAVE);
  object->SetClientSite(nullptr);
  object->Release();
  control->Release();
  control = nullptr;
}

}  // namespace mz::test
