#pragma once
// The saved state of the main window's toolbar control: its tools, the File
// and Help menus, the "Standard" toolbar and the menu bar, built through the
// control's object model as a host builds them, then saved with
// IPersistStreamInit. Qrw32 keeps the resulting bytes in its resources and
// loads them into the control it hosts.
#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quarrow::ui {

struct ToolbarState {
  HRESULT hr = E_FAIL;
  // On failure, the step that failed, for the message of the caller.
  std::wstring failed_step;
  // On success, what IPersistStreamInit::Save wrote.
  std::vector<std::uint8_t> bytes;

  bool ok() const { return SUCCEEDED(hr); }
};

// Starts a freshly created control with InitNew, builds the configuration
// into it and saves it into a memory stream, clearing its dirty flag.
ToolbarState build_toolbar_state(IUnknown* control);

}  // namespace quarrow::ui
