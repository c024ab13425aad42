#pragma once
// The console tester's platform: the machine's file system and clock
// (SystemPlatform) and a terminal as the run view.
#include <atomic>
#include <istream>
#include <ostream>

#include "console_display.h"
#include "run_view.h"
#include "run_engine.h"
#include "system_platform.h"

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

class ConsolePlatform : public SystemPlatform, public run::RunView {
 public:
  explicit ConsolePlatform(ConsoleIo& io);

  // The engine whose summary and abort this front end drives.
  void Attach(run::RunEngine& engine) { engine_ = &engine; }
  int BadArchives() const { return badArchives_; }
  // Removes the status line before the program's last output.
  void Finish() { display_.ClearStatus(); }

  // The run view, on the terminal.
  void SetTitle(const std::string& text) override { display_.SetTitle(text); }
  void SetFolderPanel(const std::string& text) override { display_.SetFolder(text); }
  void SetLabel(run::Label label, const std::string& text) override;
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
  void PlaySoundAsync(const std::string& path) override { PlaySoundFileAsync(path); }

 private:
  ConsoleIo& io_;
  ConsoleDisplay display_;
  run::RunEngine* engine_ = nullptr;
  int badArchives_ = 0;
  bool minimized_ = false;
};

// --- Per operating system (console_terminal_posix.cpp / _win32.cpp) ---

bool StdinIsTerminal();
bool StdoutIsTerminal();
int TerminalWidth();

// Ctrl+C sets `flag`; a second Ctrl+C ends the program at once.
void InstallInterruptHandler(std::atomic<bool>& flag);

}  // namespace quarrow::ui
