#pragma once
// The tester's run engine: a run over a start folder (from the browse
// dialog or the command line), the depth-first folder search, the check of
// each archive, drop runs, and the recording of each run in the result files.
//
// Everything but the archive checks runs on one thread: with a check pool,
// the walk runs ahead and hands archives to the pool's workers, and the
// engine applies their verdicts (lines, renames, counters, description
// files) in walk order, so a run records exactly what it records without
// one. The engine yields to the front end at each
// folder, archive and progress event; input delivered there (Cancel, Esc,
// closing, the rename switch) reaches the engine through its methods, which
// are the only writers of the run record; the search checks the record's
// flags after each yield.
#include <deque>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "archive_component.h"
#include "archive_verdict.h"
#include "check_pool.h"
#include "command_line.h"
#include "clock.h"
#include "file_system.h"
#include "folder_walk.h"
#include "run_record.h"
#include "run_summary.h"
#include "run_view.h"

namespace quarrow::run {

struct EngineSettings {
  // Folder holding the program: result files and extracted description files
  // go there. Without a trailing separator.
  std::string programFolder;
  // The text after the program name, as one string; empty for an
  // interactive start.
  std::string commandLine;
  // The two platform differences the engine knows about. On Windows paths
  // use "\" and are lower-cased, so every path the engine stores, shows and
  // records is in lower case and compares as the file system does. On a
  // case-sensitive file system lower-casing a path would name a different
  // file (renames and opens would fail or hit the wrong file), so there the
  // engine keeps every path in its real case.
  char separator = '\\';
  bool lowerCasePaths = true;
  // The form of the command line when the front end knows it (the console's
  // options say it); otherwise the text decides (ClassifyCommandLine).
  std::optional<CommandLineForm> commandLineForm;
};

enum class RunOutcome {
  kCompleted,      // searched, recorded and summarised
  kCancelled,      // the browse dialog was cancelled: nothing written
  kMissingFolder,  // the command line's start folder does not exist: nothing written
};

class RunEngine {
 public:
  RunEngine(FileSystem& files, Clock& clock, RunView& view, ArchiveComponent& component, EngineSettings settings);
  RunEngine(const RunEngine&) = delete;
  RunEngine& operator=(const RunEngine&) = delete;
  // The engine's tests set up record states that only earlier runs reach.
  friend struct Harness;

  const RunRecord& Record() const { return record_; }

  // The engine's share of program start: today's date folder, the
  // right-click mark of a command line ending in "\R", and the start folder
  // of a command-line run.
  void StartUp();

  // One whole run from the browse dialog or the command line.
  RunOutcome StartRun();

  // The run a command line asks for when the program starts. The run counts
  // as in progress from its first yield, so Esc and the toolbar's abort act
  // on it, and it is over when this returns, whatever its outcome. A date
  // run minimizes the window before that first yield.
  RunOutcome CommandLineRun();

  // Cancel button, Esc, and the toolbar's Exit and Browse tools during a
  // run: stops the run in progress at its next check, and blanks what the
  // view shows of the folder and the entry under check.
  void AbortRun();

  // The program is closing: any run in progress stops at its next check and
  // the window goes once the run's summary is dismissed.
  void Close();

  // Bad archives are renamed to ".bad" while renaming is on (the default).
  void SetRenaming(bool on);

  // The folder the browse dialog starts in, as kept by the settings file.
  void SetLastFolder(const std::string& folder);

  // Files and folders dropped on the window, in the order delivered. Ignored
  // while a run is in progress.
  void DropRun(const std::vector<std::string>& items);

  // The summary was dismissed.
  void CloseSummary();

  // Later runs check archives on `pool`'s workers, ahead of the walk;
  // nullptr (the default) checks each one on this thread as it comes.
  void SetCheckPool(CheckPool* pool) { pool_ = pool; }

 private:
  std::string ResultFilePath(const char* name) const;
  CommandLineForm Form() const;
  // A walk step as the run takes it: an archive's length (measured once,
  // before any check or rename; none when it is not an ordinary file) and
  // the verdict a worker is finding for it.
  struct AheadStep {
    WalkStep step;
    std::optional<uint64_t> length;
    std::future<ArchiveVerdict> verdict;  // not valid: check it when applied
  };

  void SearchFolder(const std::string& start);
  AheadStep TakeStep(WalkStep step);
  void LookAhead(FolderWalk& walk, std::deque<AheadStep>& ahead);
  // The steps of the walk; false ends it.
  bool EnterFolder(const std::string& folder);
  bool VisitArchive(AheadStep& next);
  void TestArchive(uint64_t length, std::future<ArchiveVerdict> ahead = {});
  ArchiveVerdict TakeVerdict(std::future<ArchiveVerdict>& ahead);
  // Waits for a worker's verdict, letting input through; false when the run
  // stopped meanwhile.
  bool AwaitVerdict(const std::future<ArchiveVerdict>& verdict);
  void AwaitBatch(const std::deque<AheadStep>& ahead);
  void ApplyVerdict(const ArchiveVerdict& verdict, uint64_t length);
  // The user cancelled, or the run ended, since the run was last checked.
  bool RunStopped() const;
  void StopOnComponentAbort();
  void MarkBad(int16_t result);
  void MarkGood(const std::string& note = {});
  void MarkUnread();
  void AddNote(const std::string& note);
  void CountArchive();
  void ShowProgress(const ArchiveStatus& status);
  void SetProgress(int percent);
  void BlankEntryLabels();
  void FinishRecording(bool dropped, float seconds);
  void StoreErrorLine(const std::string& line);

  // The path as the engine stores it (lower case where paths ignore case).
  std::string StoredPath(const std::string& path) const;
  // Label1's form of a file name.
  std::string ShownName(const std::string& name) const;
  std::string WithSeparator(std::string folder) const;

  FileSystem& files_;
  Clock& clock_;
  RunView& view_;
  ArchiveComponent& component_;
  EngineSettings settings_;
  RunRecord record_;
  CheckPool* pool_ = nullptr;
  std::string archiveFileName_;  // file name of currentArchive, for the title
  int progress_ = 0;
};

}  // namespace quarrow::run
