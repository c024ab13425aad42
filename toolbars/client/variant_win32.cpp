#include "variant_win32.h"

#include <climits>

namespace mz::client {

Variant::Variant(const wchar_t* text) : Variant() {
  V_VT(&v_) = VT_BSTR;
  V_BSTR(&v_) = SysAllocString(text);
}

Variant::Variant(const std::wstring& text) : Variant() {
  V_VT(&v_) = VT_BSTR;
  V_BSTR(&v_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Variant::Variant(int32_t value) : Variant() {
  V_VT(&v_) = VT_I4;
  V_I4(&v_) = value;
}

Variant::Variant(short value) : Variant() {
  V_VT(&v_) = VT_I2;
  V_I2(&v_) = value;
}

Variant::Variant(double value) : Variant() {
  V_VT(&v_) = VT_R8;
  V_R8(&v_) = value;
}

Variant::Variant(bool value) : Variant() {
  V_VT(&v_) = VT_BOOL;
  V_BOOL(&v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(IDispatch* object) : Variant() {
  V_VT(&v_) = VT_DISPATCH;
  V_DISPATCH(&v_) = object;
  if (object) object->AddRef();
}

Variant Variant::missing() {
  Variant v;
  V_VT(&v.v_) = VT_ERROR;
  V_ERROR(&v.v_) = DISP_E_PARAMNOTFOUND;
  return v;
}

Variant Variant::null() {
  Variant v;
  V_VT(&v.v_) = VT_NULL;
  return v;
}

Variant Variant::string_ref(BSTR* text) {
  Variant v;
  V_VT(&v.v_) = VT_BSTR | VT_BYREF;
  V_BSTRREF(&v.v_) = text;
  return v;
}

Variant::Variant(const Variant& other) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)); }

Variant::Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

Variant& Variant::operator=(const Variant& other) {
  // VariantCopy clears the destination first.
  if (this != &other) VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&v_);
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  return *this;
}

long Variant::as_long() const {
  VARIANT out;
  VariantInit(&out);
  if (FAILED(VariantChangeType(&out, const_cast<VARIANT*>(&v_), 0, VT_I4))) return LONG_MIN;
  return V_I4(&out);
}

std::wstring Variant::as_text() const {
  VARIANT out;
  VariantInit(&out);
  if (FAILED(VariantChangeType(&out, const_cast<VARIANT*>(&v_), 0, VT_BSTR))) return L"<not text>";
  std::wstring text(V_BSTR(&out), SysStringLen(V_BSTR(&out)));
  VariantClear(&out);
  return text;
}

}  // namespace mz::client
