#include "class_factory.h"

#include <new>

#include "MzDeck2_h.h"
#include "control_object.h"
#include "module.h"

namespace mz::com {
namespace {

// The one class factory of the library; it lives as long as the module and
// counts server locks instead of references.
class ControlFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    lock_server(true);
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    lock_server(false);
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return ControlObject::create(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock_server(lock != FALSE);
    return S_OK;
  }
};

ControlFactory factory;

}  // namespace

HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_MzToolDeck) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

}  // namespace mz::com
