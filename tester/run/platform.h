#pragma once
// Everything the run engine does to the outside world goes through this
// interface: the file system, the clock and the effects on the main window.
// The Win32 main window and the console front end implement it; the engine's
// tests use an in-memory fake.
//
// Paths are 8-bit text. Folders passed in end with the engine's separator.
// Every operation reports failure through its result and never throws; the
// engine skips a step whose operation failed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run_summary.h"

namespace quarrow::run {

struct FolderEntry {
  std::string name;
  // A real folder. Links to folders (symbolic links, junctions) are reported
  // as not being folders, so a search never follows them: that keeps a run
  // inside the tree it was given and ends it on trees with link loops.
  bool isFolder = false;
};

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
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

class Platform {
 public:
  virtual ~Platform() = default;

  // --- File system ---

  // The entries of `folder` whose names match `pattern` ("*.*" for all,
  // "*.zip", "*.diz"), in the order the platform's file search returns them.
  // Empty when the folder cannot be read.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& pattern) = 0;
  // Exists as an ordinary file: not a folder, not hidden, not a system file.
  virtual bool IsOrdinaryFile(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  virtual std::optional<uint64_t> FileLength(const std::string& path) = 0;
  // Clears the read-only, hidden, system and archive attributes.
  virtual bool ResetAttributes(const std::string& path) = 0;
  // Never replaces an existing `to`: fails instead.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // True when renaming on the drive holding `path` cannot succeed because
  // the drive or volume is read-only.
  virtual bool IsOnReadOnlyDrive(const std::string& path) = 0;
  // At most `maxBytes` from the start of the file; nullopt if unreadable.
  virtual std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes) = 0;
  // Creates or replaces the file with `bytes`.
  virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Appends `bytes`, creating the file when it is missing.
  virtual bool AppendFile(const std::string& path, std::string_view bytes) = 0;

  // --- Clock ---

  // Local time of day in seconds, with the clock's fraction.
  virtual float SecondsSinceMidnight() = 0;
  virtual LocalTime Now() = 0;

  // --- Main window ---

  virtual void SetTitle(const std::string& text) = 0;
  virtual void SetFolderPanel(const std::string& text) = 0;
  virtual void SetProgress(int percent) = 0;
  // Labels 1 to 5: 1 archive name, 2 entry size, 3 counter line,
  // 4 entry name, 5 ratio (during a run).
  virtual void SetLabel(int index, const std::string& text) = 0;
  virtual void SetBusyPointer(bool busy) = 0;
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
