#include "result_files.h"

#include <cstdio>

#include "number_format.h"
#include "path_text.h"

namespace quarrow::run {
namespace {

constexpr const char* kLineEnd = "\r\n";

// Names inside a line (paths, archive names) may hold control characters:
// escaped, they cannot end the line early or forge another.
std::string Line(const std::string& text) { return EscapeControlCharacters(text) + kLineEnd; }

std::string TwoDigits(int value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
  return buffer;
}

std::string TestedLine(const RunResult& run) { return IntegerText(run.zipsTested) + " tested"; }
std::string BadLine(const RunResult& run) { return IntegerText(run.badZips) + " bad"; }

std::string BytesLine(const RunResult& run) {
  return FormatNumber(run.bytesTested, " ############,##0") + (run.dropped ? " bytes tested" : " - bytes tested");
}

std::string TotalLine(const RunResult& run) {
  return FormatNumber(run.runningTotal, " ###############,##0") + " - total bytes tested";
}

std::string SecondsLine(const RunResult& run) {
  return FormatNumber(run.seconds, " ############,###.##") + (run.dropped ? " seconds" : " - seconds");
}

std::string PathLine(const RunResult& run) { return " Path tested - " + run.pathTested; }

std::string LinesText(std::span<const std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += Line(line + "  ");
  return out;
}

}  // namespace

std::string HeaderLine(const RunResult& run) {
  char year[16];
  std::snprintf(year, sizeof year, "%04d", run.when.year);
  const LocalTime& t = run.when;
  return TwoDigits(t.month) + "-" + TwoDigits(t.day) + "-" + year + " " + TwoDigits(t.hour) + ":" +
         TwoDigits(t.minute) + ":" + TwoDigits(t.second) + "  " + (run.aborted ? "(Aborted)" : "") + " " +
         run.kindMarker;
}

std::string MasterLogEntry(const RunResult& run) {
  std::string out = Line(HeaderLine(run)) + Line(TestedLine(run)) + Line(BadLine(run)) + Line(BytesLine(run)) +
                    Line(TotalLine(run)) + Line(SecondsLine(run)) + Line(PathLine(run));
  return out + (run.errorLines.empty() ? std::string(kLineEnd) : LinesText(run.errorLines));
}

std::string ErrorsFileText(const RunResult& run) {
  return Line(HeaderLine(run)) + Line(TestedLine(run)) + Line(BadLine(run)) + Line(BytesLine(run)) +
         Line(SecondsLine(run)) + Line(PathLine(run)) + LinesText(run.errorLines) + LinesText(run.noteLines);
}

std::string TotalsFileText(double runningTotal) { return Line(DoubleText(runningTotal) + " "); }

}  // namespace quarrow::run
