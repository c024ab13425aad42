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

constexpr int kExitNoWindow = 1;

// Without a main window there is nothing to show a run on. The user hears of
// it in a message box where one can be shown, else on standard error (a
// session without a display).
void ReportNoWindow() {
  const char text[] = "Quarrow could not create its main window; nothing was tested.";
  // Under Wine a box that cannot be shown returns -1, not 0.
  if (::MessageBoxA(nullptr, text, "Quarrow error", MB_OK | MB_ICONSTOP) > 0) return;
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  const std::string line = std::string("Qrw32: ") + text + "\r\n";
  DWORD written = 0;
  if (err && err != INVALID_HANDLE_VALUE) ::WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
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
  MainWindow::LoadResult result;
  {
    MainWindow window(instance, MainWindowSettings{folder, commandLine, folder, ToolbarState(instance), SummaryTimeout()},
                      startup);
    result = window.Load();
    const bool loaded = result == MainWindow::LoadResult::kLoaded;
    if (loaded && commandLine.empty()) RunMessageLoop(window);
    // After a command-line run the program ends, with the window's closing
    // steps (they also mark the run aborted and close the start-up screen).
    if (loaded && !commandLine.empty()) window.CloseWindow();
  }
  startup.Close();
  if (result == MainWindow::LoadResult::kNoWindow) ReportNoWindow();
  ::OleUninitialize();
  return result == MainWindow::LoadResult::kNoWindow ? kExitNoWindow : 0;
}

}  // namespace quarrow::ui
