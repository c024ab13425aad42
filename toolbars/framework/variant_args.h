#pragma once
// Reading Variant arguments the way the control's methods take them: an
// optional argument may be missing, a String or an object may come by
// reference, and anything else is converted to a number.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <string>

#include "com_ptr.h"

namespace mz::com {

// The value itself when v holds a reference to a Variant.
const VARIANT& value_of(const VARIANT& v);
// An optional argument the caller left out.
bool is_missing(const VARIANT& v);
// Empty or Null.
bool is_empty_or_null(const VARIANT& v);
// The text of a String argument, also by reference; nullopt for other types.
std::optional<std::wstring> string_argument(const VARIANT& v);
// The object of an object argument, also by reference; null for other types.
ComPtr<IUnknown> object_argument(const VARIANT& v);
// The value converted to a number, or nullopt when it does not convert.
std::optional<int32_t> int32_argument(const VARIANT& v);
std::optional<int16_t> int16_argument(const VARIANT& v);
std::optional<float> float_argument(const VARIANT& v);
std::optional<std::wstring> text_argument(const VARIANT& v);

// Owns a VARIANT and clears it when done.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant& other) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)); }
  Variant& operator=(const Variant& other) {
    if (this != &other) VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    return *this;
  }
  ~Variant() { VariantClear(&v_); }
  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }

 private:
  VARIANT v_;
};

}  // namespace mz::com
