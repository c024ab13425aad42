#pragma once
// The arguments of the control's events, as the Variants event sinks are
// called with. An object argument is borrowed for the duration of the call.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>

namespace mz::com {

inline VARIANT dispatch_argument(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = object;
  return v;
}

inline VARIANT int32_variant(int32_t value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

inline VARIANT int16_variant(int16_t value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I2;
  V_I2(&v) = value;
  return v;
}

}  // namespace mz::com
