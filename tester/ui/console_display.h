#pragma once
// What the console tester shows while it runs. On a terminal, one status
// line redrawn in place with what the main window would show: the counter
// line, the title (the percentage and archive under check, or
// "Searching...") and the folder being searched; lines printed through
// PrintLine go above it. Elsewhere (a pipe, a file) only the printed lines
// appear.
#include <ostream>
#include <string>

namespace quarrow::ui {

class ConsoleDisplay {
 public:
  ConsoleDisplay(std::ostream& out, bool terminal, int width);

  void SetCounter(const std::string& text);
  void SetTitle(const std::string& text);
  void SetFolder(const std::string& text);
  // A line that stays, printed above the status line.
  void PrintLine(const std::string& text);
  // Removes the status line and writes out what is still held (before the
  // program's last output).
  void ClearStatus();

  bool IsTerminal() const { return terminal_; }

 private:
  void Redraw();
  void EraseStatus();

  std::ostream& out_;
  bool terminal_;
  size_t width_;
  std::string counter_, title_, folder_;
  std::string shown_;  // the status line as last drawn
};

}  // namespace quarrow::ui
