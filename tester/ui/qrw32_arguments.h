#pragma once
// The console tester's arguments.
//
//   qrw32 [--no-rename] [FOLDER | FOLDER& | FOLDER /R]
//   qrw32 [--no-rename] --drop PATH...
//   qrw32 --help
//
// Everything after the options is joined with blanks into the tester's
// command line, so "qrw32 c:\data /R" is the right-click form. "--" ends the
// options.
#include <string>
#include <vector>

namespace quarrow::ui {

struct Qrw32Arguments {
  enum class Mode { kRun, kDrop, kHelp };
  Mode mode = Mode::kRun;
  bool renameDisabled = false;
  std::string commandLine;              // kRun
  std::vector<std::string> dropItems;   // kDrop, in order
  std::string error;                    // not empty: a usage error
};

Qrw32Arguments ParseQrw32Arguments(const std::vector<std::string>& args);

extern const char* const kQrw32Usage;

}  // namespace quarrow::ui
