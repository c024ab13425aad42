// The console tester's terminal on POSIX systems: terminal queries, Ctrl+C
// and a closed output pipe.
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "console_platform.h"

namespace quarrow::ui {
namespace {

std::atomic<bool>* interruptFlag = nullptr;

void OnInterrupt(int) {
  if (interruptFlag) interruptFlag->store(true);
}

}  // namespace

bool StdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }
bool StdoutIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

int TerminalWidth() {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void InstallInterruptHandler(std::atomic<bool>& flag) {
  interruptFlag = &flag;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the second Ctrl+C ends the program
  ::sigaction(SIGINT, &action, nullptr);
  // A reader that goes away (qrw32 ... | head) must not end the run half-way:
  // writes to the closed pipe then fail, are dropped, and the run completes,
  // is recorded and cleans up.
  ::signal(SIGPIPE, SIG_IGN);
}

}  // namespace quarrow::ui
