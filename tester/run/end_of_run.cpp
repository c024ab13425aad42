// Recording a finished run or dropped item in the result files. Each file
// step that fails is skipped and the next one runs.
#include <algorithm>
#include <span>

#include "number_format.h"
#include "result_files.h"
#include "run_engine.h"

namespace quarrow::run {
namespace {

// Only the start of the totals file is read: it holds one number.
constexpr size_t kTotalsReadLimit = 4096;

}  // namespace

void RunEngine::FinishRecording(bool dropped, float seconds) {
  RunRecord& r = record_;
  const std::string& commandLine = settings_.commandLine;
  RunResult run;
  run.aborted = r.abortRequested;
  if (dropped) {
    run.kindMarker = "(Drag n drop)";
  } else if (r.rightClickRun) {
    run.kindMarker = "(Right click)";
  } else if (r.dateRun) {
    run.kindMarker = "(Date run)";
  } else if (!commandLine.empty()) {
    run.kindMarker = "(Command line)";
  }
  run.dropped = dropped;

  // Totals: a missing or unreadable totals file keeps the total in memory.
  const std::string totalsPath = ResultFilePath(kTotalsFileName);
  if (files_.IsOrdinaryFile(totalsPath)) {
    if (const std::optional<std::string> text = files_.ReadFileStart(totalsPath, kTotalsReadLimit)) {
      r.runningTotal = ReadLeadingNumber(*text);
    }
  }
  r.runningTotal += r.bytesTested;
  files_.WriteFile(totalsPath, TotalsFileText(r.runningTotal));

  run.when = clock_.Now();
  run.zipsTested = r.zipsTested;
  run.badZips = r.badZips;
  run.bytesTested = r.bytesTested;
  run.runningTotal = r.runningTotal;
  run.seconds = seconds;
  run.pathTested = r.pathTested;
  const size_t lines = std::min(static_cast<size_t>(std::max<int16_t>(r.badZips, 0)), r.errorLines.size());
  run.errorLines = std::span<const std::string>(r.errorLines.data(), lines);
  run.noteLines = r.noteLines;

  const std::string logPath = ResultFilePath(kMasterLogName);
  if (r.badZips > 0 && (dropped || !r.dateRun)) view_.PlaySoundAsync(ResultFilePath(kErrorSoundName));
  if (r.badZips > 0 || !r.noteLines.empty()) {
    files_.WriteFile(ResultFilePath(kErrorsFileName), ErrorsFileText(run));
  }
  files_.AppendFile(logPath, MasterLogEntry(run));
}

}  // namespace quarrow::run
