#include "run_summary.h"

#include "number_format.h"

namespace quarrow::run {

SummaryTexts MakeSummaryTexts(const RunSummary& s) {
  SummaryTexts t;
  t.title = "Quarrow Stats";
  t.pathFrame = "Path tested";
  t.path = s.pathTested;
  t.resultsFrame = "Results";
  t.zips = FormatNumber(s.zipsTested, " ############,##0") + " - zips tested";
  t.bad = FormatNumber(s.badZips, " ############,##0") + " - bad zips";
  t.bytes = FormatNumber(s.bytesTested, " ############,##0") + " - bytes tested";
  t.seconds = FormatNumber(s.seconds, " #########,##0.#0") + " - seconds";
  t.totalFrame = "Running total bytes tested";
  t.total = FormatNumber(s.runningTotal, " ##################,##0") + " - total bytes tested";
  t.aborted = s.aborted ? "Aborted" : "";
  t.errorLogEnabled = s.badZips != 0;
  return t;
}

}  // namespace quarrow::run
