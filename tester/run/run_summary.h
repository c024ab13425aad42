#pragma once
// The figures of one finished run as the summary shows them, and the texts
// of the summary's elements.
#include <cstdint>
#include <string>

namespace quarrow::run {

struct RunSummary {
  std::string pathTested;
  int32_t zipsTested = 0;
  int16_t badZips = 0;
  double bytesTested = 0;
  float seconds = 0;
  double runningTotal = 0;
  bool aborted = false;          // the user aborted the run
  bool commandLineRun = false;   // the summary closes itself after a while
};

struct SummaryTexts {
  std::string title;          // "Quarrow Stats"
  std::string pathFrame;      // "Path tested"
  std::string path;
  std::string resultsFrame;   // "Results"
  std::string zips;
  std::string bad;
  std::string bytes;
  std::string seconds;
  std::string totalFrame;     // "Running total bytes tested"
  std::string total;
  std::string aborted;        // "Aborted" or empty
  bool errorLogEnabled = false;
};

SummaryTexts MakeSummaryTexts(const RunSummary& summary);

}  // namespace quarrow::run
