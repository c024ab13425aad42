#pragma once
// The type library embedded in the DLL, loaded from the module itself (so a
// host may use the control without registration) and kept for the process.
#include <windows.h>
#include <oaidl.h>

namespace mz::com {

// The type information that describes the vtable of a dual interface, or the
// dispinterface or class with that identifier.
HRESULT type_info_of(REFGUID guid, ITypeInfo** out);
void release_type_library();

}  // namespace mz::com
