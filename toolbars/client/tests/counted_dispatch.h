#pragma once
// A scripted IDispatch for the kit's tests: it counts its references, knows
// the members it is given by name, records the last Invoke and answers with
// the result the test sets.
#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace mz::client::test {

class CountedDispatch final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1) return E_INVALIDARG;
    const auto found = members.find(names[0]);
    *ids = found == members.end() ? DISPID_UNKNOWN : found->second;
    return found == members.end() ? DISP_E_UNKNOWNNAME : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    ++invokes;
    last_member = member;
    last_flags = flags;
    last_args.clear();
    last_named.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
      VARIANT copy;
      VariantInit(&copy);
      VariantChangeType(&copy, &params->rgvarg[i], 0, VT_BSTR);
      last_args.emplace_back(V_BSTR(&copy), SysStringLen(V_BSTR(&copy)));
      VariantClear(&copy);
    }
    if (fail) {
      fail(*exception);
      return DISP_E_EXCEPTION;
    }
    if (result) {
      V_VT(result) = VT_I4;
      V_I4(result) = 42;
    }
    return S_OK;
  }

  ULONG refs = 1;
  std::map<std::wstring, DISPID> members;
  // When set, Invoke fills the exception information with it and fails.
  std::function<void(EXCEPINFO&)> fail;

  int invokes = 0;
  DISPID last_member = DISPID_UNKNOWN;
  WORD last_flags = 0;
  std::vector<std::wstring> last_args;  // as Invoke received them, last first, as text
  std::vector<DISPID> last_named;
};

}  // namespace mz::client::test
