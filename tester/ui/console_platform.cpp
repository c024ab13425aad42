#include "console_platform.h"

#include "run_summary.h"

namespace quarrow::ui {

ConsolePlatform::ConsolePlatform(ConsoleIo& io) : io_(io), display_(io.out, io.outIsTerminal, io.width) {}

void ConsolePlatform::SetLabel(run::Label label, const std::string& text) {
  if (label == run::Label::kCounter) display_.SetCounter(text);
}

// A typed folder is checked as one given on the command line: one that does
// not exist is refused with its name, and the question is asked again.
std::optional<std::string> ConsolePlatform::BrowseForFolder(const std::string&) {
  for (;;) {
    io_.err << "Choose drive or folder of Zip's to test\n"
            << "Al sub-directories will be checked also\n"
            << "Folder: " << std::flush;
    std::string answer;
    if (!std::getline(io_.in, answer)) {
      io_.err << '\n';
      return std::nullopt;
    }
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    if (answer.empty() || IsFolder(answer)) return answer;
    io_.err << "qrw32: the folder " << answer << " does not exist\n";
  }
}

// After Ctrl+C every run in progress is aborted at its next yield: the run
// (or each remaining dropped item) still records its result, marked aborted.
void ConsolePlatform::ProcessEvents() {
  if (!io_.interrupted || !io_.interrupted->load() || !engine_) return;
  if (engine_->Record().running) engine_->AbortRun();
}

// Off a terminal: "good  PATH", "bad   LINE" or "unread PATH - why", a good
// archive's line followed by its note. On a terminal only what needs the
// user's eye: bad lines and the notes.
void ConsolePlatform::ArchiveChecked(const run::ArchiveOutcome& outcome) {
  if (outcome.bad) ++badArchives_;
  const std::string noted = outcome.note.empty() ? outcome.archive : outcome.archive + " - " + outcome.note;
  if (display_.IsTerminal()) {
    if (outcome.bad) display_.PrintLine(outcome.errorLine);
    else if (!outcome.note.empty()) display_.PrintLine(noted);
    return;
  }
  if (outcome.bad) display_.PrintLine("bad   " + outcome.errorLine);
  else if (outcome.unread) display_.PrintLine("unread " + noted);
  else display_.PrintLine("good  " + noted);
}

void ConsolePlatform::OpenInTextEditor(const std::string& path) { display_.PrintLine("Error log: " + path); }

void ConsolePlatform::ShowSummary(const run::RunSummary& summary) {
  display_.ClearStatus();
  const run::SummaryTexts t = run::MakeSummaryTexts(summary);
  std::ostream& out = io_.out;
  out << '\n' << t.title << '\n'
      << t.pathFrame << ":\n  " << t.path << '\n'
      << t.resultsFrame << ":\n  " << t.zips << "\n  " << t.bad << "\n  " << t.bytes << "\n  " << t.seconds << '\n'
      << t.totalFrame << ":\n  " << t.total << '\n';
  if (!t.aborted.empty()) out << t.aborted << '\n';
  out.flush();
  if (engine_) engine_->CloseSummary();
}

}  // namespace quarrow::ui
