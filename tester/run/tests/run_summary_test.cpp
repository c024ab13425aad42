#include "run_summary.h"

#include <gtest/gtest.h>

namespace quarrow::run {
namespace {

TEST(RunSummary, TextsOfEachElement) {
  const SummaryTexts t = MakeSummaryTexts({"c:\\zips\\", 1234, 2, 98765432.0, 0.5f, 1234567890123.0, true, true});

  EXPECT_EQ(t.title, "Quarrow Stats");
  EXPECT_EQ(t.pathFrame, "Path tested");
  EXPECT_EQ(t.path, "c:\\zips\\");
  EXPECT_EQ(t.resultsFrame, "Results");
  EXPECT_EQ(t.zips, " 1,234 - zips tested");
  EXPECT_EQ(t.bad, " 2 - bad zips");
  EXPECT_EQ(t.bytes, " 98,765,432 - bytes tested");
  EXPECT_EQ(t.seconds, " 0.50 - seconds");
  EXPECT_EQ(t.totalFrame, "Running total bytes tested");
  EXPECT_EQ(t.total, " 1,234,567,890,123 - total bytes tested");
  EXPECT_EQ(t.aborted, "Aborted");
  EXPECT_TRUE(t.errorLogEnabled);
}

TEST(RunSummary, ACleanRunHasNoAbortCaptionAndNoErrorLog) {
  const SummaryTexts t = MakeSummaryTexts({"/zips/", 0, 0, 0, 0, 0, false, false});

  EXPECT_EQ(t.zips, " 0 - zips tested");
  EXPECT_EQ(t.seconds, " 0.00 - seconds");
  EXPECT_EQ(t.aborted, "");
  EXPECT_FALSE(t.errorLogEnabled);
}

}  // namespace
}  // namespace quarrow::run
