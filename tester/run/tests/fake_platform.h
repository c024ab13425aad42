#pragma once
// An in-memory platform for the engine's tests, in one object: a file system
// whose folders list their entries in the order they were added, a scripted
// clock, and a view that records every effect.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clock.h"
#include "file_system.h"
#include "run_view.h"

namespace quarrow::run {

class RunEngine;

struct FakeFileOptions {
  bool hidden = false;
  bool system = false;
  bool readOnly = false;
};

class FakePlatform : public FileSystem, public Clock, public RunView {
 public:
  // Windows-like ("\\", case ignored) or POSIX-like ("/", case kept).
  explicit FakePlatform(char separator = '\\');

  // --- Building the file system (parents are created as needed) ---
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string content = "PK", FakeFileOptions options = {});
  // A link to a folder: listed, but not as a folder.
  void AddFolderLink(const std::string& path);
  bool Exists(const std::string& path) const;
  std::string Content(const std::string& path) const;
  bool IsReadOnlyAttribute(const std::string& path) const;
  // The names in a folder, in listing order.
  std::vector<std::string> Names(const std::string& folder) const;

  // --- Failure injection ---
  std::set<std::string> lockedFiles;         // rename and delete fail
  std::set<std::string> readOnlyDrives;      // path prefixes judged read-only
  std::set<std::string> failingWrites;       // WriteFile / AppendFile fail
  std::set<std::string> unreadableFiles;     // ReadFileStart fails

  // --- Clock ---
  std::deque<float> clockReadings;  // consumed one per reading; then 0
  LocalTime now{2024, 3, 7, 9, 5, 2};

  // --- Window ---
  std::deque<std::optional<std::string>> browseAnswers;  // nullopt cancels
  std::vector<std::string> browseStartFolders;
  std::vector<std::string> effects;         // "title=...", "counter=...", ...
  std::map<Label, std::string> labels;
  std::string title, folderPanel;
  int progress = 0;
  bool minimized = false, hidden = false, closed = false;
  std::function<void()> onProcessEvents;    // runs inside each ProcessEvents
  RunEngine* engine = nullptr;              // closes the summary when set
  std::vector<RunSummary> summaries;
  std::vector<ArchiveOutcome> outcomes;
  std::vector<std::string> sounds, editorFiles;

  // Effects of one kind, in order ("title", "folder", "counter", ...); a
  // label's kind is its name (LabelName).
  std::vector<std::string> EffectsOf(const std::string& kind) const;

  static std::string LabelName(Label label);

  // FileSystem, Clock and RunView.
  std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& pattern) override;
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
  LocalTime Now() override { return now; }
  void SetTitle(const std::string& text) override;
  void SetFolderPanel(const std::string& text) override;
  void SetProgress(int percent) override;
  void SetLabel(Label label, const std::string& text) override;
  void SetBusyPointer(bool busy) override;
  void EnableBrowseButton(bool enabled) override;
  void EnableBrowseMenuEntry(bool enabled) override;
  std::optional<std::string> BrowseForFolder(const std::string& startFolder) override;
  void MinimizeWindow() override;
  void RestoreWindow() override;
  bool IsWindowMinimized() override { return minimized; }
  void HideWindow() override;
  void CloseWindow() override;
  void ProcessEvents() override;
  void ShowSummary(const RunSummary& summary) override;
  void ArchiveChecked(const ArchiveOutcome& outcome) override { outcomes.push_back(outcome); }
  void PlaySoundAsync(const std::string& path) override { sounds.push_back(path); }
  void OpenInTextEditor(const std::string& path) override { editorFiles.push_back(path); }

 private:
  struct Node {
    std::string name;
    bool folder = false;
    bool link = false;
    FakeFileOptions options;
    std::string content;
    std::vector<std::string> children;  // keys, in listing order
  };

  std::string Key(std::string path) const;
  std::string ParentKey(const std::string& key) const;
  Node* Find(const std::string& path);
  const Node* Find(const std::string& path) const;
  Node& Add(const std::string& path, bool folder);
  void Effect(const std::string& kind, const std::string& value);

  char separator_;
  std::map<std::string, Node> nodes_;
};

}  // namespace quarrow::run
