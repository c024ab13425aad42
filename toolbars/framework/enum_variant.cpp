#include "enum_variant.h"

#include <memory>
#include <new>

#include "counted_object.h"

namespace mz::com {
namespace {

class VariantEnum final : public CountedObject<IEnumVARIANT> {
 public:
  VariantEnum(std::shared_ptr<const std::vector<Variant>> items, size_t position)
      : items_(std::move(items)), position_(position) {}


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
  std::shared_ptr<const std::vector<Variant>> items_;
  size_t position_;
};

}  // namespace

HRESULT enumerate_variants(std::vector<Variant> items, IUnknown** out) {
  if (!out) return E_POINTER;
  auto shared = std::make_shared<const std::vector<Variant>>(std::move(items));
  *out = new (std::nothrow) VariantEnum(std::move(shared), 0);
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace mz::com
