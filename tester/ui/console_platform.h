#pragma once
// The console tester's platform: the real file system and clock of the
// machine (console_platform_posix.cpp or console_platform_win32.cpp) and a
// terminal in place of the main window (console_platform.cpp).
#include <atomic>
#include <istream>
#include <ostream>

#include "console_display.h"
#include "platform.h"
#include "run_engine.h"

namespace quarrow::ui {

struct ConsoleIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool inIsTerminal = false;
  bool outIsTerminal = false;
  int width = 80;
  // Set when the user asks to stop (Ctrl+C); read at each yield.
  const std::atomic<bool>* interrupted = nullptr;
};

class ConsolePlatform : public run::Platform {
 public:
  explicit ConsolePlatform(ConsoleIo& io);

  // The engine whose summary and abort this front end drives.
  void Attach(run::RunEngine& engine) { engine_ = &engine; }
  int BadArchives() const { return badArchives_; }
  // Removes the status line before the program's last output.
  void Finish() { display_.ClearStatus(); }

  // File system and clock: one implementation per operating system.
  std::vector<run::FolderEntry> ListFolder(const std::string& folder, const std::string& pattern) override;
  bool IsOrdinaryFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::optional<uint64_t> FileLength(const std::string& path) override;
  bool ResetAttributes(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool IsOnReadOnlyDrive(const std::string& path) override;
  std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes) override;
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool AppendFile(const std::string& path, std::string_view bytes) override;
  float SecondsSinceMidnight() override;
  run::LocalTime Now() override;
  void PlaySoundAsync(const std::string& path) override;

  // The main window's part, on the terminal.
  void SetTitle(const std::string& text) override { display_.SetTitle(text); }
  void SetFolderPanel(const std::string& text) override { display_.SetFolder(text); }
  void SetLabel(int index, const std::string& text) override;
  std::optional<std::string> BrowseForFolder(const std::string& startFolder) override;
  void ProcessEvents() override;
  void ShowSummary(const run::RunSummary& summary) override;
  void ArchiveChecked(const run::ArchiveOutcome& outcome) override;
  // A console does not start an editor: it names the file instead.
  void OpenInTextEditor(const std::string& path) override;
  void MinimizeWindow() override { minimized_ = true; }
  void RestoreWindow() override { minimized_ = false; }
  bool IsWindowMinimized() override { return minimized_; }
  // Without a window, these have nothing to act on.
  void SetProgress(int) override {}
  void SetBusyPointer(bool) override {}
  void EnableBrowseButton(bool) override {}
  void EnableBrowseMenuEntry(bool) override {}
  void HideWindow() override {}
  void CloseWindow() override {}

 private:
  ConsoleIo& io_;
  ConsoleDisplay display_;
  run::RunEngine* engine_ = nullptr;
  int badArchives_ = 0;
  bool minimized_ = false;
};

// The folder for the result files: $QUARROW_PROGRAM_FOLDER when set and not
// empty, else the folder holding the executable. No trailing separator.
std::string ProgramFolder();

// --- Per operating system (console_platform_posix.cpp / _win32.cpp) ---

// The engine's path conventions here: "\" and lower-cased paths on Windows,
// "/" and paths kept in their real case on POSIX systems.
run::EngineSettings PlatformEngineSettings();

// The folder holding the executable, "." when it cannot be told.
std::string ExecutableFolder();

bool StdinIsTerminal();
bool StdoutIsTerminal();
int TerminalWidth();

// Ctrl+C sets `flag`; a second Ctrl+C ends the program at once.
void InstallInterruptHandler(std::atomic<bool>& flag);

}  // namespace quarrow::ui
