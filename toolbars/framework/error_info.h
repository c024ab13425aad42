#pragma once
// Every failing property or method call ends here: the thread's error
// information gets the failing interface, the source, the description from
// the string table and the help file, and the call returns 0x800A0000 plus
// the error's code.
#include <windows.h>

#include <new>

#include "toolbars/base/error_code.h"

namespace mz::com {

constexpr HRESULT control_error(int code) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, code); }

HRESULT raise_error(ErrorCode code, REFIID iid, const wchar_t* source);
// A failure without a code of the control (a bad pointer, no memory, a
// platform call that failed): stale error information is cleared so that a
// caller does not pick it up with this failure.
HRESULT plain_failure(HRESULT hr);
// E_OUTOFMEMORY with error information that says so.
HRESULT out_of_memory();

// Runs the body of a COM method so that no exception reaches the caller's
// frames: running out of memory fails with E_OUTOFMEMORY, anything else
// with E_UNEXPECTED.
template <class Body>
HRESULT guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return out_of_memory();
  } catch (...) {
    return plain_failure(E_UNEXPECTED);
  }
}

// Runs the body of a window or hook procedure, where nothing can be
// reported: an exception ends the body and the procedure goes on.
template <class Body>
void quietly(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace mz::com
