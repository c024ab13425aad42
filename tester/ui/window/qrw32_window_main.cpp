// Qrw32.exe: the windowed zip tester.
#include <windows.h>

#include "main_window_rules.h"
#include "quarrow_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return quarrow::ui::RunQuarrow(instance, quarrow::ui::ProgramArguments(::GetCommandLineA()));
}
