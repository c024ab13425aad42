#include "type_library.h"

#include <mutex>

#include "com_ptr.h"
#include "module.h"

namespace mz::com {
namespace {

std::mutex lock;
ITypeLib* library = nullptr;

HRESULT load_library() {
  if (library) return S_OK;
  return LoadTypeLibEx(module_path().c_str(), REGKIND_NONE, &library);
}

}  // namespace

HRESULT type_info_of(REFGUID guid, ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  std::lock_guard guard(lock);
  HRESULT hr = load_library();
  if (FAILED(hr)) return hr;
  ComPtr<ITypeInfo> info;
  hr = library->GetTypeInfoOfGuid(guid, info.put());
  if (FAILED(hr)) return hr;

  // For a dual interface the library hands out its dispatch description;
  // Invoke needs the vtable one, which the dispatch one refers to as -1.
  TYPEATTR* attr = nullptr;
  if (SUCCEEDED(info->GetTypeAttr(&attr))) {
    const bool dual = attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(attr);
    HREFTYPE vtable_ref = 0;
    ComPtr<ITypeInfo> vtable_info;
    if (dual && SUCCEEDED(info->GetRefTypeOfImplType(-1, &vtable_ref)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtable_ref, vtable_info.put())))
      info = vtable_info;
  }
  *out = info.detach();
  return S_OK;
}

void release_type_library() {
  std::lock_guard guard(lock);
  if (library) library->Release();
  library = nullptr;
}

}  // namespace mz::com
