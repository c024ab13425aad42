#pragma once
#include <windows.h>

namespace mz::com {

// The class object of a class the library serves (only MzToolDeck is
// creatable by a host).
HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out);

}  // namespace mz::com
