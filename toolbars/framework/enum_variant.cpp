#include "enum_variant.h"

#include "snapshot_enum.h"

namespace mz::com {
namespace {

HRESULT CopyVariant(const Variant& item, VARIANT* out) {
  VariantInit(out);
  return VariantCopy(out, const_cast<VARIANT*>(&*item));
}

void ClearVariant(VARIANT* out) { VariantClear(out); }

using VariantEnum = SnapshotEnum<IEnumVARIANT, VARIANT, Variant, CopyVariant, ClearVariant>;

}  // namespace

HRESULT enumerate_variants(std::vector<Variant> items, IUnknown** out) {
  if (!out) return E_POINTER;
  IEnumVARIANT* created = nullptr;
  const HRESULT hr = VariantEnum::create(std::move(items), &created);
  *out = created;
  return hr;
}

}  // namespace mz::com
