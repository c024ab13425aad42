#include "variant_args.h"

namespace mz::com {
namespace {

std::optional<Variant> converted(const VARIANT& v, VARTYPE type) {
  Variant out;
  // VariantChangeType follows references itself.
  if (FAILED(VariantChangeType(out.get(), const_cast<VARIANT*>(&v), 0, type))) return std::nullopt;
  return out;
}

}  // namespace

const VARIANT& value_of(const VARIANT& v) {
  if (V_VT(&v) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(&v)) return *V_VARIANTREF(&v);
  return v;
}

bool is_missing(const VARIANT& v) {
  const VARIANT& value = value_of(v);
  return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

bool is_empty_or_null(const VARIANT& v) {
  const VARIANT& value = value_of(v);
  return V_VT(&value) == VT_EMPTY || V_VT(&value) == VT_NULL;
}

std::optional<std::wstring> string_argument(const VARIANT& v) {
  const VARIANT& value = value_of(v);
  BSTR text = nullptr;
  if (V_VT(&value) == VT_BSTR)
    text = V_BSTR(&value);
  else if (V_VT(&value) == (VT_BSTR | VT_BYREF) && V_BSTRREF(&value))
    text = *V_BSTRREF(&value);
  else
    return std::nullopt;
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

ComPtr<IUnknown> object_argument(const VARIANT& v) {
  const VARIANT& value = value_of(v);
  switch (V_VT(&value)) {
    case VT_DISPATCH: return ComPtr<IUnknown>(V_DISPATCH(&value));
    case VT_UNKNOWN: return ComPtr<IUnknown>(V_UNKNOWN(&value));
    case VT_DISPATCH | VT_BYREF: return ComPtr<IUnknown>(V_DISPATCHREF(&value) ? *V_DISPATCHREF(&value) : nullptr);
    case VT_UNKNOWN | VT_BYREF: return ComPtr<IUnknown>(V_UNKNOWNREF(&value) ? *V_UNKNOWNREF(&value) : nullptr);
    default: return nullptr;
  }
}

std::optional<int32_t> int32_argument(const VARIANT& v) {
  auto out = converted(value_of(v), VT_I4);
  return out ? std::optional<int32_t>(V_I4(&**out)) : std::nullopt;
}

std::optional<int16_t> int16_argument(const VARIANT& v) {
  auto out = converted(value_of(v), VT_I2);
  return out ? std::optional<int16_t>(V_I2(&**out)) : std::nullopt;
}

std::optional<float> float_argument(const VARIANT& v) {
  auto out = converted(value_of(v), VT_R4);
  return out ? std::optional<float>(V_R4(&**out)) : std::nullopt;
}

std::optional<std::wstring> text_argument(const VARIANT& v) {
  auto out = converted(value_of(v), VT_BSTR);
  if (!out) return std::nullopt;
  BSTR text = V_BSTR(&**out);
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace mz::com
