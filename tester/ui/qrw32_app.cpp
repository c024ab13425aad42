#include "qrw32_app.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>

#include "archive_component_adapter.h"
#include "archive_tester.h"
#include "check_pool.h"
#include "command_line.h"
#include "path_text.h"
#include "qrw32_arguments.h"
#include "run_engine.h"

namespace quarrow::ui {
namespace {

namespace fs = std::filesystem;

constexpr int kExitGood = 0;
constexpr int kExitBad = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // as shells report a program ended by Ctrl+C

int UsageError(ConsoleIo& io, const std::string& message) {
  io.err << "qrw32: " << message << "\n\n" << kQrw32Usage;
  return kExitUsage;
}

// The program folder must take the result files, or the run's results
// would vanish: it is checked by creating and removing a file in it.
bool IsWritableFolder(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  const fs::path probe = fs::path(folder) / ".qrw32-write-check";
  { std::ofstream(probe, std::ios::binary); }
  const bool written = fs::exists(probe, error);
  fs::remove(probe, error);
  return written;
}

// `path` made absolute against the current folder, so the log records the
// folder that was tested, not one that depends on where qrw32 was started.
std::string Absolute(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(path), error);
  return error ? path : absolute.string();
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

}  // namespace

int RunQrw32(const std::vector<std::string>& args, ConsoleIo& io, const std::string& programFolder) {
  const Qrw32Arguments parsed = ParseQrw32Arguments(args, IsFolder);
  if (!parsed.error.empty()) return UsageError(io, parsed.error);
  if (parsed.mode == Qrw32Arguments::Mode::kHelp) {
    io.out << kQrw32Usage;
    return kExitGood;
  }
  if (parsed.mode == Qrw32Arguments::Mode::kRun && parsed.form == run::CommandLineForm::kEmpty && !io.inIsTerminal) {
    return UsageError(io, "no folder given, and no terminal to ask for one");
  }

  if (!IsWritableFolder(programFolder)) {
    io.err << "qrw32: the program folder " << programFolder
           << " is missing or not writable; set QUARROW_PROGRAM_FOLDER to a folder for the result files\n";
    return kExitUsage;
  }

  run::EngineSettings settings = PlatformEngineSettings();
  settings.programFolder = programFolder;
  if (parsed.form != run::CommandLineForm::kEmpty) {
    std::string folder = Absolute(parsed.folder);
    // "--date FOLDER" names the folder that holds the dated ones; the
    // trailing-"&" form is taken as written (the date is appended to it).
    if (parsed.formOption && parsed.form == run::CommandLineForm::kDateRun && !folder.empty() &&
        folder.back() != settings.separator) {
      folder += settings.separator;
    }
    settings.commandLine = EngineCommandLine(folder, parsed.form);
    settings.commandLineForm = parsed.form;
  }

  const unsigned jobs = parsed.jobs.value_or(std::min(DefaultCheckJobs(), kMaxJobs));
  std::optional<run::CheckPool> pool;
  if (jobs > 1) pool.emplace(jobs, [] { return std::make_unique<OwnedArchiveComponent>(); });

  archive::ArchiveTester tester;
  ArchiveComponentAdapter component(tester);
  ConsolePlatform platform(io);
  run::RunEngine engine(platform, platform, platform, component, settings);
  platform.Attach(engine);
  if (pool) engine.SetCheckPool(&*pool);
  engine.StartUp();
  engine.SetRenaming(!parsed.renameDisabled);

  int status = kExitGood;
  if (parsed.mode == Qrw32Arguments::Mode::kDrop) {
    engine.DropRun(parsed.dropItems);
  } else if (engine.StartRun() == run::RunOutcome::kMissingFolder) {
    status = kExitUsage;
  }
  platform.Finish();
  DeleteDescriptionFiles(platform, settings);

  if (status == kExitUsage) {
    if (parsed.form == run::CommandLineForm::kDateRun) {
      io.err << "qrw32: today's folder " << engine.Record().dateFolder << " does not exist in " << parsed.folder
             << "; nothing was tested\n";
    } else {
      io.err << "qrw32: the start folder " << parsed.folder << " does not exist; nothing was tested\n";
    }
    return status;
  }
  if (io.interrupted && io.interrupted->load()) return kExitInterrupted;
  return platform.BadArchives() > 0 ? kExitBad : kExitGood;
}

}  // namespace quarrow::ui
