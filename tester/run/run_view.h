#pragma once
// What the user sees and does during a run: the main window of Qrw32.exe or
// the terminal of qrw32. The engine shows its progress through it, asks it
// for a start folder, and yields to it so input (Cancel, Esc, drops, Ctrl+C)
// gets through.
#include <optional>
#include <string>

#include "run_summary.h"

namespace quarrow::run {

// The lines of text the view shows besides its title and panels.
enum class Label {
  kArchiveName,  // the archive under check; after a drop run, the bytes it tested
  kEntrySize,    // size of the entry under check; after a drop run, its seconds
  kCounter,      // the run's counts so far: archives tested and bad
  kEntryName,    // name of the entry under check
  kRatio,        // compression ratio of the entry under check
};

// How an archive came out of its check, for front ends that list results.
struct ArchiveOutcome {
  std::string archive;    // the path the engine checked
  bool bad = false;
  std::string errorLine;  // for a bad archive, its line as recorded
  // Why a good archive was not verified ("not verified (method 98)"), or
  // why an archive was not judged at all (`unread`).
  std::string note;
  bool unread = false;    // could not be opened for lack of permission
};

class RunView {
 public:
  virtual ~RunView() = default;

  virtual void SetTitle(const std::string& text) = 0;
  // The folder being searched.
  virtual void SetFolderPanel(const std::string& text) = 0;
  // How far the operation on the archive under check has got, 0 to 100.
  virtual void SetProgress(int percent) = 0;
  virtual void SetLabel(Label label, const std::string& text) = 0;
  virtual void SetBusyPointer(bool busy) = 0;
  // The two ways to start a run from the window: its button and its menu entry.
  virtual void EnableBrowseButton(bool enabled) = 0;
  virtual void EnableBrowseMenuEntry(bool enabled) = 0;
  // Asks for a drive or folder, starting at `startFolder`; nullopt when the
  // user cancels. An empty answer is returned as such.
  virtual std::optional<std::string> BrowseForFolder(const std::string& startFolder) = 0;
  virtual void MinimizeWindow() = 0;
  // Normal state, repainted.
  virtual void RestoreWindow() = 0;
  virtual bool IsWindowMinimized() = 0;
  virtual void HideWindow() = 0;
  // Unloads the main window; the program ends.
  virtual void CloseWindow() = 0;
  // Lets the window system deliver pending input (Cancel, Esc, drops...).
  virtual void ProcessEvents() = 0;
  // Opens the run summary. The front end calls RunEngine::CloseSummary when
  // the user dismisses it (which may happen before this returns).
  virtual void ShowSummary(const RunSummary& summary) = 0;
  virtual void ArchiveChecked(const ArchiveOutcome& outcome) = 0;
  virtual void PlaySoundAsync(const std::string& path) = 0;
  virtual void OpenInTextEditor(const std::string& path) = 0;
};

}  // namespace quarrow::run
