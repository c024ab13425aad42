// The control's view for its container: what a form designer shows of the
// control (the placeholder it shows in its own window at design time) drawn
// into any device context the container gives, and the view's extent.
#include "control_object.h"
#include "control_windows.h"

namespace mz::com {

HRESULT ControlObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                            BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  return guarded([&]() -> HRESULT {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
    draw_placeholder(dc, area);
    return S_OK;
  });
}

HRESULT ControlObject::GetColorSet(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colours) {
  if (!colours) return E_POINTER;
  *colours = nullptr;
  // The view uses the system's colours only: no palette of its own.
  return aspect == DVASPECT_CONTENT ? S_FALSE : DV_E_DVASPECT;
}

// The view changes only with the system's colours, which freezing cannot hold back.
HRESULT ControlObject::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
HRESULT ControlObject::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT ControlObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  return guarded([&]() -> HRESULT {
    view_sink_ = ComPtr<IAdviseSink>(sink);
    view_aspects_ = sink ? aspects : 0;
    view_flags_ = sink ? flags : 0;
    return S_OK;
  });
}

HRESULT ControlObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  return guarded([&]() -> HRESULT {
    if (aspects) *aspects = view_aspects_;
    if (flags) *flags = view_flags_;
    if (sink) *sink = ComPtr<IAdviseSink>(view_sink_).detach();
    return S_OK;
  });
}

HRESULT ControlObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

}  // namespace mz::com
