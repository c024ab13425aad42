#include "qrw32_arguments.h"

namespace quarrow::ui {

const char* const kQrw32Usage =
    "usage: qrw32 [--no-rename] [--jobs N] [FOLDER | --date FOLDER | --right-click FOLDER]\n"
    "       qrw32 [--no-rename] [--jobs N] --drop PATH...\n"
    "\n"
    "Tests every zip archive in FOLDER and all its sub-folders and records the run\n"
    "in Quarrow.log, QRtot.txt and errors.txt in the program folder. Bad archives\n"
    "are renamed to NAME.zip.bad unless --no-rename is given.\n"
    "\n"
    "  FOLDER              test the folder (with no FOLDER, asks for one)\n"
    "  --date FOLDER       date run: test FOLDER's sub-folder named for today (mmdd)\n"
    "                      (also written FOLDER&)\n"
    "  --right-click FOLDER  right-click run (also written FOLDER /R)\n"
    "  --drop PATH...      test each PATH as if dropped on the window: an archive\n"
    "                      first is tested alone, folders are searched; one log\n"
    "                      entry each\n"
    "  --no-rename         do not rename bad archives\n"
    "  --jobs N            check N archives at once (1 to 256; default: one per\n"
    "                      online core on Linux, 1 on Windows); the output and\n"
    "                      the result files are the same for every N\n"
    "  --                  ends the options\n"
    "\n"
    "FOLDER& and FOLDER /R mean a folder of that very name when one exists.\n"
    "The program folder is the executable's folder, or $QUARROW_PROGRAM_FOLDER.\n"
    "Exit status: 0 no bad archive, 1 bad archives found, 2 usage error (bad\n"
    "arguments, no folder and no terminal, a start folder that does not exist, a\n"
    "program folder that is missing or not writable: nothing is tested then),\n"
    "130 interrupted by Ctrl+C (the run is still recorded, marked aborted).\n";

namespace {

using run::CommandLineForm;

// A count of jobs: digits only, 1 to kMaxJobs.
std::optional<unsigned> ParseJobs(const std::string& text) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const unsigned jobs = static_cast<unsigned>(std::stoul(text));
  if (jobs < 1 || jobs > kMaxJobs) return std::nullopt;
  return jobs;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The folder and form of a run given as plain words.
void ReadPositionals(const std::vector<std::string>& words,
                     const std::function<bool(const std::string&)>& isFolder, Qrw32Arguments& parsed) {
  if (words.empty()) return;
  if (words.size() == 2 && words[1] == "/R") {
    const std::string joined = words[0] + " /R";
    const bool named = isFolder(joined);
    parsed.folder = named ? joined : words[0];
    parsed.form = named ? CommandLineForm::kFolder : CommandLineForm::kRightClickRun;
    return;
  }
  if (words.size() > 1) {
    parsed.error = "one folder at most (given: " + words[0] + " and " + words[1] + ")";
    return;
  }
  const std::string& word = words[0];
  if (isFolder(word)) {
    parsed.folder = word;
    parsed.form = CommandLineForm::kFolder;
  } else if (EndsWith(word, "&")) {
    parsed.folder = word.substr(0, word.size() - 1);
    parsed.form = CommandLineForm::kDateRun;
  } else if (EndsWith(word, " /R")) {
    parsed.folder = word.substr(0, word.size() - 3);
    parsed.form = CommandLineForm::kRightClickRun;
  } else {
    parsed.folder = word;
    parsed.form = CommandLineForm::kFolder;
  }
}

}  // namespace

Qrw32Arguments ParseQrw32Arguments(const std::vector<std::string>& args,
                                   const std::function<bool(const std::string&)>& isFolder) {
  Qrw32Arguments parsed;
  std::vector<std::string> words;
  std::optional<CommandLineForm> optionForm;
  std::string optionFolder;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.rfind("--", 0) != 0 || arg == "-") {
      words.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.mode = Qrw32Arguments::Mode::kHelp;
      return parsed;
    } else if (arg == "--no-rename") {
      parsed.renameDisabled = true;
    } else if (arg == "--jobs") {
      parsed.jobs = i + 1 < args.size() ? ParseJobs(args[++i]) : std::nullopt;
      if (!parsed.jobs) {
        parsed.error = "--jobs needs a number from 1 to " + std::to_string(kMaxJobs);
        return parsed;
      }
    } else if (arg == "--drop") {
      parsed.mode = Qrw32Arguments::Mode::kDrop;
    } else if (arg == "--date" || arg == "--right-click") {
      if (i + 1 >= args.size() || optionForm) {
        parsed.error = optionForm ? "one folder at most" : arg + " needs a folder";
        return parsed;
      }
      optionForm = arg == "--date" ? CommandLineForm::kDateRun : CommandLineForm::kRightClickRun;
      optionFolder = args[++i];
    } else {
      parsed.error = "unknown option " + arg;
      return parsed;
    }
  }

  if (parsed.mode == Qrw32Arguments::Mode::kDrop) {
    if (optionForm) parsed.error = "--drop takes paths, not a date or right-click folder";
    else if (words.empty()) parsed.error = "--drop needs at least one path";
    parsed.dropItems = std::move(words);
    return parsed;
  }
  if (optionForm) {
    if (!words.empty()) {
      parsed.error = "one folder at most (given: " + optionFolder + " and " + words[0] + ")";
      return parsed;
    }
    parsed.folder = optionFolder;
    parsed.form = *optionForm;
    parsed.formOption = true;
    return parsed;
  }
  ReadPositionals(words, isFolder, parsed);
  return parsed;
}

std::string EngineCommandLine(const std::string& folder, CommandLineForm form) {
  switch (form) {
    case CommandLineForm::kEmpty: return "";
    case CommandLineForm::kDateRun: return folder + "&";
    case CommandLineForm::kRightClickRun: return folder + " /R";
    case CommandLineForm::kRightClickMarked:
    case CommandLineForm::kFolder: return folder;
  }
  return folder;
}

}  // namespace quarrow::ui
