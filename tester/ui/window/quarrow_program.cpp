#include "quarrow_program.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>

#include "main_window.h"
#include "single_instance.h"
#include "startup_screen.h"
#include "system_platform.h"

namespace quarrow::ui {
namespace {

// The control's saved state, stored in the program's resources.
std::string_view ToolbarState(HINSTANCE instance) {
  const HRSRC resource = ::FindResourceA(instance, "TOOLBAR_STATE", MAKEINTRESOURCEA(10));  // RT_RCDATA
  const HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), ::SizeofResource(instance, resource)};
}

// Test aid: QUARROW_SUMMARY_TIMER_MS shortens the time a command-line run's
// summary stays open, so tests need not wait 30 seconds.
UINT SummaryTimeout() {
  const char* value = std::getenv("QUARROW_SUMMARY_TIMER_MS");
  if (!value || !*value) return kSummaryTimeoutMs;
  char* end = nullptr;
  const unsigned long ms = std::strtoul(value, &end, 10);
  return (*end == '\0' && ms > 0 && ms <= kSummaryTimeoutMs) ? static_cast<UINT>(ms) : kSummaryTimeoutMs;
}

void RunMessageLoop(MainWindow& window) {
  MSG message;
  while (!window.Closed()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      window.CloseWindow();
      break;
    }
    if (!window.PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

}  // namespace

int RunQuarrow(HINSTANCE instance, const std::string& commandLine) {
  if (AnotherInstanceRunning()) {
    ActivateOtherInstance();
    return 0;
  }
  if (FAILED(::OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  const std::string folder = ExecutableFolder();
  StartupScreen startup(instance, folder);
  startup.Show();
  {
    MainWindow window(instance, MainWindowSettings{folder, commandLine, folder, ToolbarState(instance), SummaryTimeout()},
                      startup);
    const bool loaded = window.Load();
    if (loaded && commandLine.empty()) RunMessageLoop(window);
    // After a command-line run the program ends, with the window's closing
    // steps (they also mark the run aborted and close the start-up screen).
    if (loaded && !commandLine.empty()) window.CloseWindow();
  }
  startup.Close();
  ::OleUninitialize();
  return 0;
}

}  // namespace quarrow::ui
