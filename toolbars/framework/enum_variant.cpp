#include "enum_variant.h"

#include <memory>
#include <new>

#include "module.h"

namespace mz::com {
namespace {

class VariantEnum final : public IEnumVARIANT {
 public:
  VariantEnum(std::shared_ptr<const std::vector<Variant>> items, size_t position)
      : items_(std::move(items)), position_(position) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
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

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (!out) return E_POINTER;
    ULONG done = 0;
    while (done < count && position_ < items_->size()) {
      VariantInit(&out[done]);
      HRESULT hr = VariantCopy(&out[done], const_cast<VARIANT*>(&*(*items_)[position_]));
      if (FAILED(hr)) {
        for (ULONG i = 0; i < done; ++i) VariantClear(&out[i]);
        if (fetched) *fetched = 0;
        return hr;
      }
      ++position_;
      ++done;
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    size_t left = items_->size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) VariantEnum(items_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ModuleObjectCount counted_;
  std::shared_ptr<const std::vector<Variant>> items_;
  size_t position_;
  ULONG refs_ = 1;
};

}  // namespace

HRESULT enumerate_variants(std::vector<Variant> items, IUnknown** out) {
  if (!out) return E_POINTER;
  auto shared = std::make_shared<const std::vector<Variant>>(std::move(items));
  *out = new (std::nothrow) VariantEnum(std::move(shared), 0);
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace mz::com
