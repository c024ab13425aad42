#include "single_instance.h"

#include <windows.h>

#include "main_window.h"

namespace quarrow::ui {

bool AnotherInstanceRunning() {
  // The handle stays open for the life of the process: it is the mark.
  ::CreateMutexA(nullptr, FALSE, "Quarrow.Qrw32.Running");
  return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// The main window is found by its class: its title changes during a run.
// Restoring goes through the window menu's Restore, as the keyboard would.
void ActivateOtherInstance() {
  const HWND other = ::FindWindowA(kMainWindowClass, nullptr);
  if (!other) return;
  ::SetForegroundWindow(other);
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(other, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000, &result);
  ::SetForegroundWindow(other);
}

}  // namespace quarrow::ui
