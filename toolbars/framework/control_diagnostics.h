#pragma once
// A private interface of the control, answered by QueryInterface with
// kIidControlDiagnostics and absent from the type library: it shows state
// that hosts cannot see, for the control's own tests.
#include <windows.h>
#include <unknwn.h>

namespace mz {

// {8EA6E782-DFF1-4D0F-B1B2-8543335B200B}
inline constexpr IID kIidControlDiagnostics = {
    0x8ea6e782, 0xdff1, 0x4d0f, {0xb1, 0xb2, 0x85, 0x43, 0x33, 0x5b, 0x20, 0x0b}};

class IControlDiagnostics : public IUnknown {
 public:
  // The calling thread's get-message, call-window-procedure, mouse and
  // keyboard hooks, in that order; null where one is not installed.
  virtual HRESULT STDMETHODCALLTYPE GetThreadHooks(HHOOK hooks[4]) = 0;
  // How many times the host hover worker has looked at the pointer, and how
  // many times it reported the pointer lost to the hooks; 0 and 0 while the
  // control has no worker.
  virtual HRESULT STDMETHODCALLTYPE GetHoverCounts(LONG* polls, LONG* reports) = 0;
};

}  // namespace mz
