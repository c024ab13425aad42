#pragma once
#include <windows.h>

namespace mz::com {

// The class object of a class the library serves (only MzToolDeck is
// creatable by a host).
HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out);

// The creators of those classes, defined with the classes.
HRESULT create_control(REFIID iid, void** out);
HRESULT create_byte_holder(REFIID iid, void** out);

}  // namespace mz::com
