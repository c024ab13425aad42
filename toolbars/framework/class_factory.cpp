#include "class_factory.h"

#include <new>

#include "MzDeck2_h.h"
#include "error_info.h"
#include "module.h"

namespace mz::com {
namespace {

// The class factories of the library (the control and the byte holder);
// they live as long as the module and count server locks instead of
// references.
class ClassFactory final : public IClassFactory {
 public:
  using Create = HRESULT (*)(REFIID iid, void** out);
  explicit ClassFactory(Create create) : create_(create) {}

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
    return guarded([&] { return create_(iid, out); });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock_server(lock != FALSE);
    return S_OK;
  }

 private:
  Create create_;
};

ClassFactory control_factory(create_control);
ClassFactory holder_factory(create_byte_holder);

}  // namespace

HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid == CLSID_MzToolDeck) return control_factory.QueryInterface(iid, out);
  if (clsid == CLSID_MzByteHolder) return holder_factory.QueryInterface(iid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace mz::com
