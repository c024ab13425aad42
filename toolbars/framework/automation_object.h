#pragma once
// The common part of the control's automation objects: reference counting,
// QueryInterface for the dual interface I, ISupportErrorInfo, and failing a
// call through the error helper with I as the failing interface.
#include <windows.h>
#include <oaidl.h>

#include <atomic>

#include "dispatch.h"
#include "error_info.h"
#include "module.h"

namespace mz::com {

template <class I>
class AutomationObject : public DualDispatch<I>, public ISupportErrorInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(I))
      *out = static_cast<I*>(this);
    else if (iid == IID_ISupportErrorInfo)
      *out = static_cast<ISupportErrorInfo*>(this);
    else
      *out = other_interface(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == __uuidof(I) ? S_OK : S_FALSE;
  }

 protected:
  explicit AutomationObject(const wchar_t* source) : source_(source) {}
  virtual ~AutomationObject() = default;

  // Further interfaces of a derived object, already cast; null for none.
  virtual void* other_interface(REFIID) { return nullptr; }
  HRESULT fail(ErrorCode code) const { return raise_error(code, __uuidof(I), source_); }
  // S_OK for ErrorCode::none, else as fail.
  HRESULT outcome(ErrorCode code) const { return raise_error(code, __uuidof(I), source_); }

 private:
  ModuleObjectCount counted_;
  std::atomic<ULONG> refs_{1};
  const wchar_t* source_;
};

}  // namespace mz::com
