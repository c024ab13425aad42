#pragma once
// The console tester, from its arguments to its exit status; main() only
// gathers the process's streams, terminal state and program folder.
#include <string>
#include <vector>

#include "console_platform.h"

namespace quarrow::ui {

// Exit status: 0 when no archive was bad, 1 when some were, 2 on a usage
// error (bad arguments, no folder and no terminal to ask on, a start folder
// that does not exist).
int RunQrw32(const std::vector<std::string>& args, ConsoleIo& io, const std::string& programFolder);

}  // namespace quarrow::ui
