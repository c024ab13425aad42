#pragma once
// IDispatch of a dual interface, answered from the type library so that late
// binding (GetIDsOfNames and Invoke, as scripts and form runtimes call) and
// the vtable behave alike: ITypeInfo::Invoke calls the vtable method and, when
// it fails after setting the error information, reports DISP_E_EXCEPTION with
// that information in the EXCEPINFO.
#include <windows.h>
#include <oleauto.h>

#include "com_ptr.h"
#include "type_library.h"

namespace mz::com {

template <class I>
class DualDispatch : public I {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (index != 0) return DISP_E_BADINDEX;
    return type_info_of(__uuidof(I), info);
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    HRESULT hr = type_info_of(__uuidof(I), info.put());
    return FAILED(hr) ? hr : DispGetIDsOfNames(info.get(), names, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* bad_argument) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    HRESULT hr = type_info_of(__uuidof(I), info.put());
    if (FAILED(hr)) return hr;
    return info->Invoke(static_cast<I*>(this), id, flags, params, result, exception, bad_argument);
  }
};

}  // namespace mz::com
