#pragma once
// An owning VARIANT for callers of IDispatch: made from a value, copied with
// VariantCopy, cleared when it goes.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

namespace mz::client {

class Variant {
 public:
  Variant() { VariantInit(&v_); }  // Empty
  Variant(const wchar_t* text);    // String
  Variant(const std::wstring& text);
  Variant(int32_t value);  // Long
  Variant(short value);    // Integer
  Variant(double value);   // Double
  Variant(bool value);     // Boolean
  // An object, with a reference of its own; null is Nothing.
  explicit Variant(IDispatch* object);
  // An optional argument the caller leaves out.
  static Variant missing();
  static Variant null();
  // A reference to a String, as a caller passes a variable by reference.
  static Variant string_ref(BSTR* text);

  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() { VariantClear(&v_); }

  // The VARIANT itself; a call that fills it expects it Empty.
  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }
  VARTYPE type() const { return V_VT(&v_); }
  // The value converted to a Long, or LONG_MIN when it does not convert.
  long as_long() const;
  // The value converted to a String, or "<not text>" when it does not convert.
  std::wstring as_text() const;
  // The object it holds, without a new reference; null for other types.
  IDispatch* object() const { return V_VT(&v_) == VT_DISPATCH ? V_DISPATCH(&v_) : nullptr; }

 private:
  VARIANT v_;
};

}  // namespace mz::client
