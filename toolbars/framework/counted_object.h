#pragma once
// IUnknown for a small heap object that exposes one interface I: reference
// counting, deletion on the last Release, and a count on the module so the
// library is not unloaded while the object lives.
#include <windows.h>

#include "module.h"

namespace mz::com {

template <class I>
class CountedObject : public I {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(I)) {
      *out = static_cast<I*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  CountedObject() = default;
  virtual ~CountedObject() = default;

 private:
  ModuleObjectCount counted_;
  ULONG refs_ = 1;
};

}  // namespace mz::com
