#include "text.h"

#include "module.h"

namespace mz::com {

std::wstring from_bstr(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

HRESULT to_bstr(std::wstring_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring load_string(UINT id) {
  const wchar_t* resource = nullptr;
  // With a zero buffer size LoadString returns a pointer into the resource.
  int length = LoadStringW(module_instance(), id, reinterpret_cast<LPWSTR>(&resource), 0);
  return length > 0 ? std::wstring(resource, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace mz::com
