#include "object_creation_win32.h"

namespace mz::client {

std::wstring beside_program(const std::wstring& file_name) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return file_name;
    // A path that fills the buffer may have been cut short.
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path + file_name;
}

HRESULT create_from_library(const std::wstring& library_path, REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const HMODULE library = LoadLibraryW(library_path.c_str());
  if (!library) return HRESULT_FROM_WIN32(GetLastError());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get_class_object =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  if (!get_class_object) return HRESULT_FROM_WIN32(GetLastError());
  com::ComPtr<IClassFactory> factory;
  const HRESULT hr = get_class_object(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.put()));
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, iid, object);
}

HRESULT create(REFCLSID clsid, const std::wstring& library_path, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object))) return S_OK;
  return create_from_library(library_path, clsid, iid, object);
}

}  // namespace mz::client
