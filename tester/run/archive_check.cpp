// The check of one archive: the extract pass for its description files, the
// test pass, the verdict, the error line and the ".bad" rename of a bad
// archive, and the progress display while the component works.
#include <chrono>
#include <limits>

#include "number_format.h"
#include "path_text.h"
#include "run_engine.h"

namespace quarrow::run {
namespace {

bool IsBadTestResult(int16_t result) {
  return result == kResultBadStructure || result == kResultBadCrc || result == kResultBadData ||
         result == kResultCannotRead;
}

// The counters stop at their largest value instead of wrapping negative.
template <typename T>
void Increment(T& counter) {
  if (counter < std::numeric_limits<T>::max()) ++counter;
}

}  // namespace

bool RunEngine::RunStopped() const { return record_.abortRequested || !record_.running; }

// The length, measured before the check (and any rename), is counted only
// once the archive is judged.
void RunEngine::TestArchive(uint64_t length, std::future<ArchiveVerdict> ahead) {
  RunRecord& r = record_;
  if (RunStopped()) return;
  view_.EnableBrowseButton(false);
  view_.EnableBrowseMenuEntry(false);
  files_.ResetAttributes(r.currentArchive);

  // The extract pass puts the description files in the program folder.
  const ArchiveVerdict verdict =
      ahead.valid() ? TakeVerdict(ahead)
                    : CheckArchive(component_, r.currentArchive, settings_.programFolder, [this] { return RunStopped(); });
  ApplyVerdict(verdict, length);
}

// A worker's verdict, once it is there. Waiting lets input through as a
// check on this thread would at its progress events, and a cancel given
// meanwhile stops the run as it would stop the check. The worker wrote no
// description files: they are extracted here, in walk order, whenever the
// worker's extract pass may have written some.
ArchiveVerdict RunEngine::TakeVerdict(std::future<ArchiveVerdict>& ahead) {
  const ArchiveVerdict aborted{kResultAborted, std::nullopt, 0};
  if (!AwaitVerdict(ahead)) return aborted;
  const ArchiveVerdict verdict = ahead.get();
  const int16_t extract = verdict.extract;
  if (extract == kResultNothingMatched || extract == kResultPermissionDenied || extract == kResultAborted) {
    return verdict;
  }
  ExtractDescriptionFiles(component_, record_.currentArchive, settings_.programFolder);
  return RunStopped() ? aborted : verdict;
}

bool RunEngine::AwaitVerdict(const std::future<ArchiveVerdict>& verdict) {
  constexpr auto kInputInterval = std::chrono::milliseconds(20);
  while (verdict.wait_for(kInputInterval) != std::future_status::ready) {
    view_.ProcessEvents();
    if (RunStopped()) return false;
  }
  return true;
}

void RunEngine::ApplyVerdict(const ArchiveVerdict& verdict, uint64_t length) {
  if (verdict.extract == kResultPermissionDenied) {
    MarkUnread();
    return;
  }
  // A cancel given during a pass stops the run there, whatever the pass
  // returned: a verdict reached after the cancel is not recorded or acted on.
  if (verdict.extract == kResultAborted) {
    StopOnComponentAbort();
    return;
  }

  if (verdict.test) {
    const int16_t result = *verdict.test;
    if (result == kResultAborted || RunStopped()) {
      StopOnComponentAbort();
      return;
    }
    if (result == kResultPermissionDenied) {
      MarkUnread();
      return;
    }
    if (IsBadTestResult(result)) {
      MarkBad(result);
    } else if (result == kResultUnsupportedMethod) {
      MarkGood("not verified (method " + std::to_string(verdict.unverifiedMethod) + ")");
    } else {
      MarkGood();
    }
  } else if (verdict.extract >= 100) {
    MarkBad(verdict.extract);
  } else {
    // A warning below 100 counts the archive as tested, without a test pass.
    ArchiveOutcome tested;
    tested.archive = record_.currentArchive;
    view_.ArchiveChecked(tested);
  }
  record_.bytesTested += static_cast<double>(length);
  CountArchive();
}

void RunEngine::StopOnComponentAbort() {
  record_.running = false;
  component_.SetAbort(true);
  view_.SetFolderPanel("");
  SetProgress(0);
  view_.SetLabel(Label::kEntryName, "");
  view_.EnableBrowseButton(true);
  view_.EnableBrowseMenuEntry(true);
  view_.SetLabel(Label::kEntrySize, "");
  view_.SetLabel(Label::kRatio, "");
}

void RunEngine::AddNote(const std::string& note) {
  if (record_.noteLines.size() < kErrorLineSlots) record_.noteLines.push_back(record_.currentArchive + " - " + note);
}

void RunEngine::MarkGood(const std::string& note) {
  SetProgress(0);
  if (component_.Abort()) BlankEntryLabels();
  if (!note.empty()) AddNote(note);
  view_.ArchiveChecked({record_.currentArchive, false, {}, note});
}

// The archive could not be opened for lack of permission: nothing is known
// about it, so it is neither counted nor renamed, and the run goes on.
void RunEngine::MarkUnread() {
  const std::string note = "can't read (permission denied)";
  SetProgress(0);
  AddNote(note);
  view_.ArchiveChecked({record_.currentArchive, false, {}, note, /*unread=*/true});
}

void RunEngine::StoreErrorLine(const std::string& line) {
  const auto slot = static_cast<size_t>(record_.badZips);
  if (slot < record_.errorLines.size()) record_.errorLines[slot] = line;
}

void RunEngine::MarkBad(int16_t result) {
  RunRecord& r = record_;
  std::string line = "#";
  line += IntegerText(result);
  line += " - ";
  line += r.currentArchive;
  std::string recorded = line;
  StoreErrorLine(recorded);
  if (!r.renameDisabled) {
    if (files_.IsOnReadOnlyDrive(r.currentArchive)) {
      recorded = line + " - can't rename (read-only drive)";
    } else {
      // Only the archive's own ".bad" twin is ever replaced, and the rename
      // itself never overwrites anything.
      const std::string badName = r.currentArchive + ".bad";
      if (files_.IsOrdinaryFile(badName)) {
        files_.ResetAttributes(badName);
        files_.Delete(badName);
      }
      files_.Rename(r.currentArchive, badName);
      recorded = line + " - renamed (" + badName + ")";
      view_.ProcessEvents();
      if (!files_.IsOrdinaryFile(badName)) recorded = line + " - can't rename (file open)";
    }
    StoreErrorLine(recorded);
  }
  SetProgress(0);
  Increment(r.badZips);
  if (component_.Abort()) BlankEntryLabels();
  ArchiveOutcome bad;
  bad.archive = r.currentArchive;
  bad.bad = true;
  bad.errorLine = recorded;
  view_.ArchiveChecked(bad);
}

void RunEngine::CountArchive() {
  RunRecord& r = record_;
  if (r.abortRequested || !r.running) return;
  Increment(r.zipsTested);
  view_.SetLabel(Label::kCounter, IntegerText(r.zipsTested) + "  tested    -   " + IntegerText(r.badZips) + "  bad");
}

void RunEngine::ShowProgress(const ArchiveStatus& status) {
  if (!record_.running) return;
  if (progress_ != status.completion) SetProgress(status.completion);
  // Entry names are text inside the archive, not paths of this file system:
  // they are shown in lower case everywhere, by their last component.
  view_.SetLabel(Label::kEntryName, AsciiLower(LastComponent(status.fileName)));
  view_.SetLabel(Label::kEntrySize, FormatNumber(status.size, "######,###") + " bytes");
  view_.SetLabel(Label::kRatio, IntegerText(status.ratio) + "% ratio");
  view_.SetTitle(FormatNumber(status.completion, "0##") + "%  " + archiveFileName_);
  // Progress events are where a long archive check lets Cancel through.
  view_.ProcessEvents();
}

}  // namespace quarrow::run
