#pragma once
// Variants that the object model keeps for the host (TagVariant, combo-box
// ItemData) as opaque values.
#include <windows.h>
#include <oaidl.h>

#include "toolbars/base/opaque_value.h"

namespace mz::com {

// Keeps a copy of value in slot.
HRESULT store_value(const VARIANT& value, Opaque& slot);
// As store_value, except that a value whose text form is empty is kept as
// Empty.
HRESULT store_tag_value(const VARIANT& value, Opaque& slot);
// A copy of the kept value (Empty when there is none) for the caller.
HRESULT read_value(const Opaque& slot, VARIANT* out);

// Hands a property value to the caller.
template <class T, class U>
HRESULT give(T* out, U value) {
  if (!out) return E_POINTER;
  *out = static_cast<T>(value);
  return S_OK;
}

}  // namespace mz::com
