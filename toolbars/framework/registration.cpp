// Self-registration: the class with its ProgID, in-process server entry,
// control and toolbox entries and miscellaneous status, and the embedded
// type library.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

#include "MzDeck2_h.h"
#include "error_info.h"
#include "misc_status.h"
#include "module.h"

namespace {

constexpr wchar_t kProgId[] = L"ToolDeck.MzToolDeck";
constexpr wchar_t kDescription[] = L"ToolDeck command-bar control";

std::wstring guid_text(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

LSTATUS set_value(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                                   nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status;
}

HRESULT register_class() {
  const std::wstring clsid_key = L"CLSID\\" + guid_text(CLSID_MzToolDeck);
  const std::wstring path = mz::com::module_path();
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } entries[] = {
      {kProgId, nullptr, kDescription},
      {std::wstring(kProgId) + L"\\CLSID", nullptr, guid_text(CLSID_MzToolDeck)},
      {clsid_key, nullptr, kDescription},
      {clsid_key + L"\\ProgID", nullptr, kProgId},
      {clsid_key + L"\\InprocServer32", nullptr, path},
      {clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsid_key + L"\\Control", nullptr, L""},
      {clsid_key + L"\\ToolboxBitmap32", nullptr, path + L", 1"},
      {clsid_key + L"\\TypeLib", nullptr, guid_text(LIBID_ToolDeck)},
      {clsid_key + L"\\Version", nullptr, L"2.0"},
      {clsid_key + L"\\MiscStatus", nullptr, L"0"},
      {clsid_key + L"\\MiscStatus\\1", nullptr, std::to_wstring(mz::com::kMiscStatus)},
  };
  for (const auto& entry : entries)
    if (set_value(entry.key, entry.name, entry.value) != ERROR_SUCCESS) return SELFREG_E_CLASS;
  // The byte holder is created by CLSID when a property bag reads saved tools back.
  const std::wstring holder_key = L"CLSID\\" + guid_text(CLSID_MzByteHolder);
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } holder_entries[] = {
      {holder_key, nullptr, L"ToolDeck saved bytes"},
      {holder_key + L"\\InprocServer32", nullptr, path},
      {holder_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
  };
  for (const auto& entry : holder_entries)
    if (set_value(entry.key, entry.name, entry.value) != ERROR_SUCCESS) return SELFREG_E_CLASS;
  return S_OK;
}

HRESULT register_server() {
  HRESULT hr = register_class();
  if (FAILED(hr)) return hr;
  ITypeLib* library = nullptr;
  hr = LoadTypeLibEx(mz::com::module_path().c_str(), REGKIND_REGISTER, &library);
  if (FAILED(hr)) return SELFREG_E_TYPELIB;
  library->Release();
  return S_OK;
}

HRESULT unregister_server() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guid_text(CLSID_MzToolDeck)).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guid_text(CLSID_MzByteHolder)).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guid_text(CLSID_MzToolDeck)).c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guid_text(CLSID_MzByteHolder)).c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgId);
#ifdef _WIN64
  const SYSKIND kind = SYS_WIN64;
#else
  const SYSKIND kind = SYS_WIN32;
#endif
  // A type library that is not registered (any more) is as good as removed.
  BSTR registered_path = nullptr;
  if (FAILED(QueryPathOfRegTypeLib(LIBID_ToolDeck, 2, 0, 0x409, &registered_path))) return S_OK;
  SysFreeString(registered_path);
  return SUCCEEDED(UnRegisterTypeLib(LIBID_ToolDeck, 2, 0, 0x409, kind)) ? S_OK : SELFREG_E_TYPELIB;
}

}  // namespace

STDAPI DllRegisterServer() { return mz::com::guarded(register_server); }

STDAPI DllUnregisterServer() { return mz::com::guarded(unregister_server); }
