#pragma once
// An enumerator (IEnumVARIANT, IEnumConnections, ...) over a copy of items
// taken when the enumeration starts, so the collection may change meanwhile.
// `CopyOut` fills one element of the caller's array, `ClearOut` undoes it
// when a later copy fails.
#include <windows.h>

#include <memory>
#include <new>
#include <vector>

#include "counted_object.h"

namespace mz::com {

template <class Interface, class Out, class Item, HRESULT (*CopyOut)(const Item&, Out*), void (*ClearOut)(Out*)>
class SnapshotEnum final : public CountedObject<Interface> {
 public:
  using Items = std::shared_ptr<const std::vector<Item>>;

  static HRESULT create(std::vector<Item> items, Interface** out) {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) SnapshotEnum(std::make_shared<const std::vector<Item>>(std::move(items)), 0);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Out* out, ULONG* fetched) override {
    // Only a request for one element may leave out the count fetched.
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    while (done < count && position_ < items_->size()) {
      const HRESULT hr = CopyOut((*items_)[position_], &out[done]);
      if (FAILED(hr)) {
        for (ULONG i = 0; i < done; ++i) ClearOut(&out[i]);
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
    const size_t left = items_->size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) SnapshotEnum(items_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  SnapshotEnum(Items items, size_t position) : items_(std::move(items)), position_(position) {}

  Items items_;
  size_t position_;
};

}  // namespace mz::com
