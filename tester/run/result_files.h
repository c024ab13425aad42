#pragma once
// The three result files in the program folder: the master log (one entry
// appended per run or dropped item), the totals file (the running total of
// bytes tested, rewritten at each end of run) and the errors file (the last
// run that had bad or unverified archives, rewritten only by such a run). All are 8-bit
// text with CR LF line ends.
#include <cstdint>
#include <span>
#include <string>

#include "clock.h"

namespace quarrow::run {

inline constexpr const char* kMasterLogName = "Quarrow.log";
inline constexpr const char* kTotalsFileName = "QRtot.txt";
inline constexpr const char* kErrorsFileName = "errors.txt";
inline constexpr const char* kErrorSoundName = "error.wav";

// One finished run or dropped item, as recorded.
struct RunResult {
  LocalTime when;
  bool aborted = false;            // by the user
  std::string kindMarker;          // "(Drag n drop)", "(Date run)", ... or empty
  bool dropped = false;            // a dropped item: shorter line endings
  int32_t zipsTested = 0;
  int16_t badZips = 0;
  double bytesTested = 0;
  double runningTotal = 0;
  float seconds = 0;
  std::string pathTested;
  std::span<const std::string> errorLines;  // the lines recorded for this run
  // Archives the run could not verify (a method this build does not
  // decompress, a file it may not read): "PATH - not verified (method N)".
  std::span<const std::string> noteLines;
};

// "mm-dd-yyyy hh:mm:ss", two blanks, the abort marker, a blank, the kind marker.
std::string HeaderLine(const RunResult& run);

// The master log entry: header, tested, bad, bytes, total, seconds and path
// lines, then the error lines each followed by two blanks, or one empty line
// when there are none.
std::string MasterLogEntry(const RunResult& run);

// The errors file: the log entry without the total line, then the note
// lines, each followed by two blanks too. Written by a run that had bad or
// unverified archives.
std::string ErrorsFileText(const RunResult& run);

// The running total in the default number text, a trailing blank, CR LF.
std::string TotalsFileText(double runningTotal);

}  // namespace quarrow::run
