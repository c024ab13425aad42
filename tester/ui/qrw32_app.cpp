#include "qrw32_app.h"

#include "archive_component_adapter.h"
#include "archive_tester.h"
#include "path_text.h"
#include "qrw32_arguments.h"
#include "run_engine.h"

namespace quarrow::ui {
namespace {

constexpr int kExitGood = 0;
constexpr int kExitBad = 1;
constexpr int kExitUsage = 2;

int UsageError(ConsoleIo& io, const std::string& message) {
  io.err << "qrw32: " << message << "\n\n" << kQrw32Usage;
  return kExitUsage;
}

}  // namespace

int RunQrw32(const std::vector<std::string>& args, ConsoleIo& io, const std::string& programFolder) {
  const Qrw32Arguments parsed = ParseQrw32Arguments(args);
  if (!parsed.error.empty()) return UsageError(io, parsed.error);
  if (parsed.mode == Qrw32Arguments::Mode::kHelp) {
    io.out << kQrw32Usage;
    return kExitGood;
  }
  if (parsed.mode == Qrw32Arguments::Mode::kRun && parsed.commandLine.empty() && !io.inIsTerminal) {
    return UsageError(io, "no folder given, and no terminal to ask for one");
  }

  run::EngineSettings settings = PlatformEngineSettings();
  settings.programFolder = programFolder;
  settings.commandLine = parsed.commandLine;

  archive::ArchiveTester tester;
  ArchiveComponentAdapter component(tester);
  ConsolePlatform platform(io);
  run::RunEngine engine(platform, component, settings);
  platform.Attach(engine);
  engine.StartUp();
  engine.Record().renameDisabled = parsed.renameDisabled;

  int status = kExitGood;
  if (parsed.mode == Qrw32Arguments::Mode::kDrop) {
    engine.DropRun(parsed.dropItems);
  } else if (engine.StartRun() == run::RunOutcome::kMissingFolder) {
    status = kExitUsage;
  }
  platform.Finish();
  DeleteDescriptionFiles(platform, settings);

  if (status == kExitUsage) {
    io.err << "qrw32: the start folder does not exist (" << parsed.commandLine << "); nothing was tested\n";
    return status;
  }
  return platform.BadArchives() > 0 ? kExitBad : kExitGood;
}

}  // namespace quarrow::ui
