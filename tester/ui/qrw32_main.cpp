// qrw32: the console zip tester. See qrw32_arguments.h for its arguments.
#include <atomic>
#include <iostream>
#include <string>
#include <vector>

#include "console_platform.h"
#include "qrw32_app.h"

int main(int argc, char** argv) {
  static std::atomic<bool> interrupted{false};
  quarrow::ui::InstallInterruptHandler(interrupted);
  quarrow::ui::ConsoleIo io{std::cin,
                            std::cout,
                            std::cerr,
                            quarrow::ui::StdinIsTerminal(),
                            quarrow::ui::StdoutIsTerminal(),
                            quarrow::ui::TerminalWidth(),
                            &interrupted};
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quarrow::ui::RunQrw32(args, io, quarrow::ui::ProgramFolder());
}
