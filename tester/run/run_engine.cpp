#include "run_engine.h"

#include <chrono>

#include "command_line.h"
#include "number_format.h"
#include "path_text.h"
#include "result_files.h"

namespace quarrow::run {

RunEngine::RunEngine(FileSystem& files, Clock& clock, RunView& view, ArchiveComponent& component,
                     EngineSettings settings)
    : files_(files), clock_(clock), view_(view), component_(component), settings_(std::move(settings)) {
  component_.SetStatusHandler([this](const ArchiveStatus& status) { ShowProgress(status); });
}

std::string RunEngine::ResultFilePath(const char* name) const {
  return settings_.programFolder + settings_.separator + name;
}

CommandLineForm RunEngine::Form() const {
  return settings_.commandLineForm ? *settings_.commandLineForm : ClassifyCommandLine(settings_.commandLine);
}

std::string RunEngine::StoredPath(const std::string& path) const {
  return settings_.lowerCasePaths ? AsciiLower(path) : path;
}

std::string RunEngine::ShownName(const std::string& name) const {
  if (!settings_.lowerCasePaths) return name;
  std::string shown = AsciiLower(name);
  if (!shown.empty() && shown[0] >= 'a' && shown[0] <= 'z') shown[0] = static_cast<char>(shown[0] - 'a' + 'A');
  return shown;
}

std::string RunEngine::WithSeparator(std::string folder) const {
  if (folder.empty() || folder.back() != settings_.separator) folder += settings_.separator;
  return folder;
}

void RunEngine::SetProgress(int percent) {
  progress_ = percent;
  view_.SetProgress(percent);
}

void RunEngine::BlankEntryLabels() {
  view_.SetLabel(Label::kArchiveName, "");
  view_.SetLabel(Label::kEntryName, "");
  view_.SetLabel(Label::kEntrySize, "");
  view_.SetLabel(Label::kRatio, "");
}

void RunEngine::StartUp() {
  const LocalTime today = clock_.Now();
  record_.dateFolder = std::string{char('0' + today.month / 10), char('0' + today.month % 10),
                                   char('0' + today.day / 10), char('0' + today.day % 10)};
  if (Form() == CommandLineForm::kRightClickMarked) record_.rightClickRun = true;
  if (!settings_.commandLine.empty()) record_.pathTested = StoredPath(settings_.commandLine);
}

RunOutcome RunEngine::StartRun() {
  RunRecord& r = record_;
  view_.ProcessEvents();
  r.bytesTested = 0;
  r.abortRequested = false;
  r.zipsTested = 0;
  r.badZips = 0;
  r.noteLines.clear();

  const std::string& commandLine = settings_.commandLine;
  const CommandLineForm form = Form();
  if (form == CommandLineForm::kEmpty) {
    for (Label label : {Label::kArchiveName, Label::kEntrySize, Label::kCounter, Label::kEntryName}) {
      view_.SetLabel(label, "");
    }
    do {
      const std::optional<std::string> chosen = view_.BrowseForFolder(r.lastFolder);
      if (!chosen) {
        r.pathTested.clear();
        return RunOutcome::kCancelled;
      }
      r.pathTested = StoredPath(*chosen);
      r.lastFolder = r.pathTested;
    } while (r.pathTested.empty());
  }

  view_.EnableBrowseButton(false);
  // A command-line start folder that does not exist ends the run before
  // anything is shown or written, whatever the form.
  auto missing = [&](const std::string& folder) {
    if (files_.IsFolder(folder)) return false;
    view_.EnableBrowseButton(true);
    return true;
  };
  switch (form) {
    case CommandLineForm::kDateRun:
      r.dateRun = true;
      r.pathTested = DateRunFolder(commandLine, r.dateFolder);
      if (missing(r.pathTested)) return RunOutcome::kMissingFolder;
      view_.MinimizeWindow();
      break;
    case CommandLineForm::kRightClickRun:
      r.rightClickRun = true;
      r.pathTested = RightClickFolder(commandLine);
      if (missing(r.pathTested)) return RunOutcome::kMissingFolder;
      break;
    case CommandLineForm::kRightClickMarked:
    case CommandLineForm::kFolder:
      if (missing(r.pathTested)) return RunOutcome::kMissingFolder;
      break;
    case CommandLineForm::kEmpty:
      break;
  }

  r.pathTested = WithSeparator(StoredPath(r.pathTested));
  r.searchPattern = "*.zip";
  view_.SetBusyPointer(true);
  r.running = true;
  view_.EnableBrowseMenuEntry(false);

  const float started = clock_.SecondsSinceMidnight();
  SearchFolder(r.pathTested);
  // Crossing midnight makes this negative; it is recorded as it comes.
  const float seconds = clock_.SecondsSinceMidnight() - started;

  for (Label label : {Label::kCounter, Label::kArchiveName, Label::kEntrySize, Label::kEntryName, Label::kRatio}) {
    view_.SetLabel(label, "");
  }
  view_.EnableBrowseMenuEntry(true);
  if (r.dateRun && view_.IsWindowMinimized()) view_.RestoreWindow();

  r.running = false;
  view_.SetBusyPointer(false);
  view_.SetFolderPanel("");
  view_.EnableBrowseButton(true);
  view_.EnableBrowseMenuEntry(true);
  if (!r.abortRequested) view_.SetLabel(Label::kArchiveName, "");
  view_.SetLabel(Label::kEntryName, "");
  view_.SetTitle("Quarrow");

  FinishRecording(/*dropped=*/false, seconds);

  if (r.rightClickRun) view_.HideWindow();
  const std::string errorsPath = ResultFilePath(kErrorsFileName);
  if (!commandLine.empty() && r.badZips > 0 && files_.IsOrdinaryFile(errorsPath)) {
    view_.OpenInTextEditor(errorsPath);
  }

  view_.MinimizeWindow();
  view_.ProcessEvents();
  r.summaryShowing = true;
  view_.ShowSummary(RunSummary{r.pathTested, r.zipsTested, r.badZips, r.bytesTested, seconds, r.runningTotal,
                                   r.abortRequested, !commandLine.empty()});
  while (r.summaryShowing) view_.ProcessEvents();
  if (r.exitRequested) view_.CloseWindow();
  return RunOutcome::kCompleted;
}

void RunEngine::CloseSummary() {
  view_.RestoreWindow();
  view_.ProcessEvents();
  record_.summaryShowing = false;
}

RunOutcome RunEngine::CommandLineRun() {
  record_.running = true;
  if (Form() == CommandLineForm::kDateRun) view_.MinimizeWindow();
  const RunOutcome outcome = StartRun();
  record_.running = false;
  return outcome;
}

// The abort is recorded before the yield: input delivered during it already
// sees the run stopped.
void RunEngine::AbortRun() {
  record_.running = false;
  record_.abortRequested = true;
  component_.SetAbort(true);
  view_.SetFolderPanel("");
  SetProgress(0);
  view_.SetLabel(Label::kEntryName, "");
  view_.ProcessEvents();
  view_.SetLabel(Label::kEntrySize, "");
  view_.SetLabel(Label::kRatio, "");
}

void RunEngine::Close() {
  record_.running = false;
  component_.SetAbort(true);
  record_.abortRequested = true;
  record_.exitRequested = true;
}

void RunEngine::SetRenaming(bool on) { record_.renameDisabled = !on; }

void RunEngine::SetLastFolder(const std::string& folder) { record_.lastFolder = folder; }

namespace {

// Walk steps taken ahead of the one applied, per worker: enough to keep the
// workers busy while the run's thread applies verdicts, few enough that a
// tree of many thousands of archives costs no more memory than a small one
// (a step is a path and a verdict). The margin is wide because verdicts are
// applied in walk order: while one worker checks an archive's longest entry
// (tens of MB), the others go on with the archives after it, up to this
// many; and the run's thread, waiting for a batch, must be back before the
// workers run out of queued archives even when the machine is busy.
constexpr size_t kStepsAheadPerWorker = 128;

}  // namespace

void RunEngine::SearchFolder(const std::string& start) {
  FolderWalk walk(files_, start, record_.searchPattern, settings_.separator);
  std::deque<AheadStep> ahead;
  for (;;) {
    if (pool_) {
      LookAhead(walk, ahead);
      AwaitBatch(ahead);
    }
    AheadStep next;
    if (!ahead.empty()) {
      next = std::move(ahead.front());
      ahead.pop_front();
    } else if (std::optional<WalkStep> step = walk.Next()) {
      next = TakeStep(std::move(*step));
    } else {
      break;
    }
    const bool goOn = next.step.isArchive ? VisitArchive(next) : EnterFolder(next.step.folder);
    if (!goOn) break;
  }
  // A run that stopped early leaves checks behind; none outlives the walk.
  if (pool_) pool_->Stop();
}

// Folders are listed ahead too: the run never changes a listing (renames
// keep the ".bad" names out of the pattern, and folders are never made).
// Only ordinary files go to the workers; a fifo named "*.zip" would block
// the worker that opened it.
void RunEngine::LookAhead(FolderWalk& walk, std::deque<AheadStep>& ahead) {
  while (ahead.size() < kStepsAheadPerWorker * pool_->Workers()) {
    std::optional<WalkStep> step = walk.Next();
    if (!step) return;
    AheadStep next = TakeStep(std::move(*step));
    if (next.length) next.verdict = pool_->Check(StoredPath(next.step.folder + next.step.name));
    ahead.push_back(std::move(next));
  }
}

// Each wait puts this thread to sleep and each verdict that ends one wakes
// it, taking a core from a worker for a moment. Waiting for the verdict of
// the next archive alone would do that for nearly every archive, as the run
// applies verdicts much faster than the workers find them. So when the next
// verdict is not there, the run waits for the one half the look-ahead
// further on: the workers take archives in walk order, so by then the
// verdicts before it are there too, and it applies them in one go.
void RunEngine::AwaitBatch(const std::deque<AheadStep>& ahead) {
  if (ahead.empty() || !ahead.front().verdict.valid() ||
      ahead.front().verdict.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
    return;
  }
  const std::future<ArchiveVerdict>* last = nullptr;
  for (size_t i = 0; i <= ahead.size() / 2; ++i) {
    if (ahead[i].verdict.valid()) last = &ahead[i].verdict;
  }
  AwaitVerdict(*last);
}

RunEngine::AheadStep RunEngine::TakeStep(WalkStep step) {
  AheadStep taken{std::move(step), std::nullopt, {}};
  if (taken.step.isArchive) taken.length = files_.OrdinaryFileLength(StoredPath(taken.step.folder + taken.step.name));
  return taken;
}

bool RunEngine::EnterFolder(const std::string& folder) {
  if (record_.abortRequested) return false;
  view_.SetFolderPanel(StoredPath(folder));
  view_.SetTitle("Searching...");
  SetProgress(0);
  view_.SetLabel(Label::kArchiveName, "");
  view_.SetLabel(Label::kEntrySize, "");
  view_.SetLabel(Label::kEntryName, "");
  view_.SetLabel(Label::kRatio, "");
  view_.ProcessEvents();
  return record_.running;
}

bool RunEngine::VisitArchive(AheadStep& next) {
  const WalkStep& step = next.step;
  view_.ProcessEvents();
  if (!record_.running) return false;
  record_.currentArchive = StoredPath(step.folder + step.name);
  archiveFileName_ = StoredPath(step.name);
  view_.SetLabel(Label::kArchiveName, ShownName(step.name));
  if (record_.abortRequested || !record_.running) return false;
  if (next.length) TestArchive(*next.length, std::move(next.verdict));
  return true;
}

void RunEngine::DropRun(const std::vector<std::string>& items) {
  RunRecord& r = record_;
  // A drop in the middle of a run would reset the counters of that run and
  // stop it without a trace; it is not taken.
  if (r.running) return;
  r.bytesTested = 0;
  r.zipsTested = 0;
  r.badZips = 0;
  r.noteLines.clear();
  view_.SetLabel(Label::kCounter, "");
  view_.SetLabel(Label::kArchiveName, "");

  bool singleArchive = false;
  const std::optional<uint64_t> firstLength =
      items.empty() ? std::nullopt : files_.OrdinaryFileLength(items[0]);
  if (firstLength && EndsWithNoCase(items[0], ".zip")) {
    r.currentArchive = items[0];
    r.pathTested = items[0];
    archiveFileName_ = StoredPath(std::string(LastComponent(items[0])));
    r.abortRequested = false;
    singleArchive = true;
    r.running = true;
    TestArchive(*firstLength);
  }

  const std::string errorsPath = ResultFilePath(kErrorsFileName);
  for (const std::string& item : items) {
    r.pathTested = WithSeparator(StoredPath(item));
    r.searchPattern = "*.zip";
    r.abortRequested = false;
    r.running = true;
    view_.SetBusyPointer(true);

    const float started = clock_.SecondsSinceMidnight();
    SearchFolder(r.pathTested);
    const float seconds = clock_.SecondsSinceMidnight() - started;

    r.running = false;
    view_.SetBusyPointer(false);
    view_.SetFolderPanel("");
    if (!r.abortRequested) view_.SetLabel(Label::kArchiveName, "");
    view_.SetLabel(Label::kEntryName, "");
    view_.SetTitle("Quarrow");
    if (r.bytesTested != 0) {
      view_.SetLabel(Label::kArchiveName, FormatNumber(r.bytesTested, "############,###") + " bytes tested");
      view_.SetLabel(Label::kEntrySize, "in " + FormatNumber(seconds, "############,###.##") + " sec's");
    }

    FinishRecording(/*dropped=*/true, seconds);
    if (r.badZips > 0 && files_.IsOrdinaryFile(errorsPath) && !r.dateRun) view_.OpenInTextEditor(errorsPath);

    if (singleArchive) break;
    r.zipsTested = 0;
    r.badZips = 0;
    r.noteLines.clear();
    r.bytesTested = 0;
  }
  r.running = false;
  // Checking an archive disabled Browse; the drop is over, so it is usable again.
  view_.EnableBrowseButton(true);
  view_.EnableBrowseMenuEntry(true);
  if (r.exitRequested) view_.CloseWindow();
}

}  // namespace quarrow::run
