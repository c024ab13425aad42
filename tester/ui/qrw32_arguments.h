#pragma once
// The console tester's arguments.
//
//   qrw32 [--no-rename] [--jobs N] [FOLDER | --date FOLDER | --right-click FOLDER]
//   qrw32 [--no-rename] [--jobs N] --drop PATH...
//   qrw32 --help
//
// Options may come anywhere; "--" ends them. One FOLDER at most. The
// window program's forms "FOLDER&" (date run) and "FOLDER /R" (right-click
// run, also as two words) are understood too, but only where the text is
// not the name of an existing folder: then it is that folder.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"

namespace quarrow::ui {

struct Qrw32Arguments {
  enum class Mode { kRun, kDrop, kHelp };
  Mode mode = Mode::kRun;
  bool renameDisabled = false;
  // Archives checked at once (--jobs); nullopt leaves it to the platform.
  std::optional<unsigned> jobs;
  std::string folder;                   // kRun: the folder as the user gave it
  run::CommandLineForm form = run::CommandLineForm::kEmpty;
  bool formOption = false;              // the form came from --date or --right-click
  std::vector<std::string> dropItems;   // kDrop, in order
  std::string error;                    // not empty: a usage error
};

// `isFolder` tells whether a text names an existing folder.
Qrw32Arguments ParseQrw32Arguments(const std::vector<std::string>& args,
                                   const std::function<bool(const std::string&)>& isFolder);

// The largest --jobs accepted.
inline constexpr unsigned kMaxJobs = 256;

// The tester's command line for a run of `folder` in `form`.
std::string EngineCommandLine(const std::string& folder, run::CommandLineForm form);

extern const char* const kQrw32Usage;

}  // namespace quarrow::ui
