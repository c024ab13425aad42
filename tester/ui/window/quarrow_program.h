#pragma once
// The windowed tester from start to end: the second-instance rule, the
// start-up screen, the main window and its message loop, and command-line
// runs that end the program.
#include <windows.h>

#include <string>

namespace quarrow::ui {

// `commandLine` is the text after the program's name. Returns the exit code.
int RunQuarrow(HINSTANCE instance, const std::string& commandLine);

}  // namespace quarrow::ui
