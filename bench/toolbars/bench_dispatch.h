#pragma once
// What both control benchmarks share to drive MzDeck2.dll through late
// binding, as a script host does, with the late-binding client kit.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "late_binding_win32.h"

namespace mz::bench {

// A control made by the library's class object, from MzDeck2.dll beside the
// benchmark; null when the library or its class is missing.
IDispatch* create_control();

// The value of a call that must succeed; a failure ends the benchmark.
client::Variant must(client::CallResult result, const wchar_t* what);

// The object a call that must succeed returned, with a reference for the caller.
IDispatch* must_object(client::CallResult result, const wchar_t* what);

// Adds a toolbar to ToolBars and returns its Tools, with a reference for the caller.
IDispatch* new_toolbar_tools(IDispatch* toolbars);

std::wstring tool_id(int i);

}  // namespace mz::bench
