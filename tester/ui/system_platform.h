#pragma once
// The machine's side of the run engine's platform: the real file system,
// clock and sound service (system_platform_posix.cpp or
// system_platform_win32.cpp). Each front end derives from it and adds the
// run view: a terminal, or the windows of Qrw32.exe.
#include <string>

#include "clock.h"
#include "file_system.h"
#include "run_engine.h"

namespace quarrow::ui {

class SystemPlatform : public run::FileSystem, public run::Clock {
 public:
  std::vector<run::FolderEntry> ListFolder(const std::string& folder, const std::string& pattern) override;
  bool IsOrdinaryFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::optional<uint64_t> FileLength(const std::string& path) override;
  std::optional<uint64_t> OrdinaryFileLength(const std::string& path) override;
  bool ResetAttributes(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool IsOnReadOnlyDrive(const std::string& path) override;
  std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes) override;
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool AppendFile(const std::string& path, std::string_view bytes) override;
  float SecondsSinceMidnight() override;
  run::LocalTime Now() override;
};

// Starts playing the sound file and returns at once.
void PlaySoundFileAsync(const std::string& path);

// The engine's path conventions here: "\" and lower-cased paths on Windows,
// "/" and paths kept in their real case on POSIX systems.
run::EngineSettings PlatformEngineSettings();

// How many archives the console tester checks at once unless told: one per
// online core on POSIX systems, 1 on Windows (where it keeps the window
// tester's one-at-a-time behaviour).
unsigned DefaultCheckJobs();

// The folder holding the executable, "." when it cannot be told.
std::string ExecutableFolder();

// The folder for the result files: $QUARROW_PROGRAM_FOLDER when set and not
// empty, else the folder holding the executable. No trailing separator.
std::string ProgramFolder();

// The extract pass leaves the archives' description files in the program
// folder; they go when the tester ends.
void DeleteDescriptionFiles(run::FileSystem& files, const run::EngineSettings& settings);

}  // namespace quarrow::ui
