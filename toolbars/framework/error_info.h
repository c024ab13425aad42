#pragma once
// Every failing property or method call ends here: the thread's error
// information gets the failing interface, the source, the description from
// the string table and the help file, and the call returns 0x800A0000 plus
// the error's code.
#include <windows.h>

#include "error_code.h"

namespace mz::com {

constexpr HRESULT control_error(int code) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, code); }

HRESULT raise_error(ErrorCode code, REFIID iid, const wchar_t* source);
// A failure without a code of the control (a bad pointer, no memory, a
// platform call that failed): stale error information is cleared so that a
// caller does not pick it up with this failure.
HRESULT plain_failure(HRESULT hr);

}  // namespace mz::com
