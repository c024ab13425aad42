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

void ConsoleDisplay::PrintLine(const std::string& text) {
  ClearStatus();
  out_ << run::EscapeControlCharacters(text) << '\n';
  Redraw();
  out_.flush();
}

void ConsoleDisplay::ClearStatus() {
  if (!terminal_ || shown_.empty()) return;
  // The last column stays empty so the terminal never wraps the line.
  out_ << '\r' << std::string(width_ - 1, ' ') << '\r';
  out_.flush();
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
