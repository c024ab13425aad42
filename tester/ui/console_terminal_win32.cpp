// The console tester's console on Windows: terminal queries and Ctrl+C.
#include <windows.h>

#include <io.h>

#include <cstdio>

#include "console_platform.h"

namespace quarrow::ui {
namespace {

std::atomic<bool>* interruptFlag = nullptr;

BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  if (!interruptFlag || interruptFlag->load()) return FALSE;  // the second one ends the program
  interruptFlag->store(true);
  return TRUE;
}

}  // namespace

bool StdinIsTerminal() { return ::_isatty(::_fileno(stdin)) != 0; }
bool StdoutIsTerminal() { return ::_isatty(::_fileno(stdout)) != 0; }

int TerminalWidth() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (::GetConsoleScreenBufferInfo(::GetStdHandle(STD_OUTPUT_HANDLE), &info)) {
    return info.srWindow.Right - info.srWindow.Left + 1;
  }
  return 80;
}

void InstallInterruptHandler(std::atomic<bool>& flag) {
  interruptFlag = &flag;
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

}  // namespace quarrow::ui
