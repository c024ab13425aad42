#pragma once
// What both control benchmarks need to drive MzDeck2.dll through late
// binding, as a script host does.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace mz::bench {

DISPID dispid_of(IDispatch* object, const wchar_t* name);

// A string argument; the caller clears it.
VARIANT text(const std::wstring& value);

// A control made by the library's class object, from MzDeck2.dll beside the
// benchmark; null when the library or its class is missing.
IDispatch* create_control();

std::wstring tool_id(int i);

}  // namespace mz::bench
