#pragma once
// The state of the tester across runs: counters and totals of the current
// run, paths, and the flags that steer a run. Lives as long as the program;
// a new run resets only its counters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarrow::run {

// Error lines kept per run; further bad archives are counted, not listed.
inline constexpr size_t kErrorLineSlots = 5001;

struct RunRecord {
  double bytesTested = 0;    // bytes of the archives checked in this run
  double runningTotal = 0;   // bytes tested over all runs (totals file)
  int32_t zipsTested = 0;
  int16_t badZips = 0;
  // Line i describes the run's bad archive i; slots are overwritten by later
  // runs, never cleared.
  std::vector<std::string> errorLines = std::vector<std::string>(kErrorLineSlots);
  // This run's archives that were not verified, "PATH - why" (at most
  // kErrorLineSlots); cleared when a run or dropped item starts.
  std::vector<std::string> noteLines;
  std::string pathTested;      // start folder, ending in the separator
  std::string currentArchive;  // path of the archive under check
  bool abortRequested = false;
  bool dateRun = false;
  bool rightClickRun = false;
  std::string lastFolder;      // last folder chosen in the browse dialog
  std::string dateFolder;      // today as "mmdd"
  bool renameDisabled = false;
  bool exitRequested = false;
  bool summaryShowing = false;

  // Fields of the main window.
  bool running = false;
  std::string searchPattern = "*.zip";
};

}  // namespace quarrow::run
