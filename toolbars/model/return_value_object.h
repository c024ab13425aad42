#pragma once
// MzReturnBoolean, MzReturnShort and MzReturnLong: an event hands one to the
// host's handler and reads Value back afterwards, which is how a handler
// answers (a cancel flag, a changed key code).
#include "MzDeck2_h.h"
#include "automation_object.h"

namespace mz::com {

template <class I, class T>
class ReturnValueObject final : public AutomationObject<I> {
 public:
  static ComPtr<ReturnValueObject> create(T value) {
    return ComPtr<ReturnValueObject>::adopt(new ReturnValueObject(value));
  }

  HRESULT STDMETHODCALLTYPE get_Value(T* value) override {
    if (!value) return plain_failure(E_POINTER);
    *value = value_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Value(T value) override {
    value_ = value;
    return S_OK;
  }
  T value() const { return value_; }

 private:
  ReturnValueObject(T value) : AutomationObject<I>(source_name()), value_(value) {}
  static const wchar_t* source_name();
  T value_;
};

using ReturnBoolean = ReturnValueObject<IMzReturnBoolean, VARIANT_BOOL>;
using ReturnShort = ReturnValueObject<IMzReturnShort, short>;
using ReturnLong = ReturnValueObject<IMzReturnLong, LONG>;

template <>
inline const wchar_t* ReturnBoolean::source_name() { return L"ToolDeck.MzReturnBoolean"; }
template <>
inline const wchar_t* ReturnShort::source_name() { return L"ToolDeck.MzReturnShort"; }
template <>
inline const wchar_t* ReturnLong::source_name() { return L"ToolDeck.MzReturnLong"; }

}  // namespace mz::com
