#include "tag_value.h"

#include <memory>

#include "variant_args.h"

namespace mz::com {
namespace {

class VariantValue final : public OpaqueValue {
 public:
  Variant value;
  std::unique_ptr<OpaqueValue> clone() const override { return std::make_unique<VariantValue>(*this); }
};

bool has_empty_text(const VARIANT& value) {
  const VARTYPE type = V_VT(&value) & ~VT_BYREF;
  // Objects and arrays are kept as they are; their text form is not asked for.
  if (type == VT_DISPATCH || type == VT_UNKNOWN || (V_VT(&value) & VT_ARRAY)) return false;
  auto text = text_argument(value);
  return text && text->empty();
}

}  // namespace

HRESULT store_value(const VARIANT& value, Opaque& slot) {
  auto kept = std::make_unique<VariantValue>();
  HRESULT hr = VariantCopyInd(kept->value.get(), const_cast<VARIANT*>(&value_of(value)));
  if (FAILED(hr)) return hr;
  slot = Opaque(std::move(kept));
  return S_OK;
}

HRESULT store_tag_value(const VARIANT& value, Opaque& slot) {
  if (has_empty_text(value_of(value))) {
    slot.reset();
    return S_OK;
  }
  return store_value(value, slot);
}

HRESULT read_value(const Opaque& slot, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  const auto* kept = static_cast<const VariantValue*>(slot.get());
  return kept ? VariantCopy(out, const_cast<VARIANT*>(&*kept->value)) : S_OK;
}

}  // namespace mz::com
