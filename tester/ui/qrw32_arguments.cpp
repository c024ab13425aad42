#include "qrw32_arguments.h"

namespace quarrow::ui {

const char* const kQrw32Usage =
    "usage: qrw32 [--no-rename] [FOLDER | FOLDER& | FOLDER /R]\n"
    "       qrw32 [--no-rename] --drop PATH...\n"
    "\n"
    "Tests every zip archive in FOLDER and all its sub-folders and records the run\n"
    "in Quarrow.log, QRtot.txt and errors.txt in the program folder. Bad archives\n"
    "are renamed to NAME.zip.bad unless --no-rename is given.\n"
    "\n"
    "  FOLDER       test the folder (with no FOLDER, asks for one)\n"
    "  FOLDER&      date run: test FOLDER's sub-folder named for today (mmdd)\n"
    "  FOLDER /R    right-click run\n"
    "  --drop PATH  test each PATH as if dropped on the window: an archive first\n"
    "               is tested alone, folders are searched; one log entry each\n"
    "  --no-rename  do not rename bad archives\n"
    "\n"
    "The program folder is the executable's folder, or $QUARROW_PROGRAM_FOLDER.\n"
    "Exit status: 0 no bad archive, 1 bad archives found, 2 usage error (bad\n"
    "arguments, no folder and no terminal, a start folder that does not exist, a\n"
    "program folder that is missing or not writable: nothing is tested then),\n"
    "130 interrupted by Ctrl+C (the run is still recorded, marked aborted).\n";

Qrw32Arguments ParseQrw32Arguments(const std::vector<std::string>& args) {
  Qrw32Arguments parsed;
  size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.mode = Qrw32Arguments::Mode::kHelp;
      return parsed;
    }
    if (arg == "--no-rename") {
      parsed.renameDisabled = true;
    } else if (arg == "--drop") {
      parsed.mode = Qrw32Arguments::Mode::kDrop;
    } else if (arg.rfind("--", 0) == 0) {
      parsed.error = "unknown option " + arg;
      return parsed;
    } else {
      break;
    }
    if (parsed.mode == Qrw32Arguments::Mode::kDrop) {
      ++i;
      break;
    }
  }

  std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  if (parsed.mode == Qrw32Arguments::Mode::kDrop) {
    if (rest.empty()) parsed.error = "--drop needs at least one path";
    parsed.dropItems = std::move(rest);
    return parsed;
  }
  for (const std::string& word : rest) {
    if (!parsed.commandLine.empty()) parsed.commandLine += ' ';
    parsed.commandLine += word;
  }
  return parsed;
}

}  // namespace quarrow::ui
