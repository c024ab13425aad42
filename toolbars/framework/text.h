#pragma once
// Strings at the COM boundary: automation strings in and out, and texts of
// the string table.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace mz::com {

std::wstring from_bstr(BSTR text);
// Hands a copy of text to the caller as a new automation string.
HRESULT to_bstr(std::wstring_view text, BSTR* out);
std::wstring load_string(UINT id);

inline VARIANT_BOOL to_variant_bool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace mz::com
