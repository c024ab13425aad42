#pragma once
// MzByteHolder: the object a property bag keeps for the saved tools and
// toolbars. Its stream form is a 32-bit byte count followed by the bytes.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <vector>

namespace mz::com {

// A holder with a copy of `bytes`.
HRESULT make_byte_holder(const std::vector<std::uint8_t>& bytes, IUnknown** out);
// The bytes of any object whose stream form is that of a holder.
HRESULT byte_holder_bytes(IUnknown* holder, std::vector<std::uint8_t>& out);

}  // namespace mz::com
