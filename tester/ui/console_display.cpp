#include "console_display.h"

#include "path_text.h"

namespace quarrow::ui {

ConsoleDisplay::ConsoleDisplay(std::ostream& out, bool terminal, int width)
    : out_(out), terminal_(terminal), width_(width > 1 ? static_cast<size_t>(width) : 80) {}

// Everything shown goes through EscapeControlCharacters: file names may hold
// line breaks or terminal escape sequences.
void ConsoleDisplay::SetCounter(const std::string& text) {
  counter_ = run::EscapeControlCharacters(text);
  Redraw();
}

void ConsoleDisplay::SetTitle(const std::string& text) {
  title_ = run::EscapeControlCharacters(text);
  Redraw();
}

void ConsoleDisplay::SetFolder(const std::string& text) {
  folder_ = run::EscapeControlCharacters(text);
  Redraw();
}

// A terminal sees each line as it comes. Elsewhere the lines are written in
// blocks: a run over many small archives would otherwise spend a write call
// on every one of them.
void ConsoleDisplay::PrintLine(const std::string& text) {
  EraseStatus();
  out_ << run::EscapeControlCharacters(text) << '\n';
  Redraw();
  if (terminal_) out_.flush();
}

void ConsoleDisplay::ClearStatus() {
  EraseStatus();
  out_.flush();
}

void ConsoleDisplay::EraseStatus() {
  if (!terminal_ || shown_.empty()) return;
  // The last column stays empty so the terminal never wraps the line.
  out_ << '\r' << std::string(width_ - 1, ' ') << '\r';
  shown_.clear();
}

void ConsoleDisplay::Redraw() {
  if (!terminal_) return;
  std::string line;
  for (const std::string* part : {&counter_, &title_, &folder_}) {
    const size_t start = part->find_first_not_of(' ');
    if (start == std::string::npos) continue;
    if (!line.empty()) line += "  ";
    line += part->substr(start);
  }
  if (line.size() > width_ - 1) line.resize(width_ - 1);
  if (line == shown_) return;
  out_ << '\r' << line;
  if (line.size() < shown_.size()) out_ << std::string(shown_.size() - line.size(), ' ') << '\r' << line;
  out_.flush();
  shown_ = line;
}

}  // namespace quarrow::ui
