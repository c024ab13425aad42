#include "bench_dispatch.h"

#include "MzDeck2_h.h"

namespace mz::bench {

DISPID dispid_of(IDispatch* object, const wchar_t* name) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

VARIANT text(const std::wstring& value) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(value.c_str());
  return v;
}

IDispatch* create_control() {
  HMODULE library = LoadLibraryW(L"MzDeck2.dll");
  if (!library) return nullptr;
  auto get_class_object = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (!get_class_object || FAILED(get_class_object(CLSID_MzToolDeck, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  IDispatch* control = nullptr;
  factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&control));
  factory->Release();
  return control;
}

std::wstring tool_id(int i) { return L"ID_Tool" + std::to_wstring(i); }

}  // namespace mz::bench
