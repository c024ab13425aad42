// Runs started from the command line: its forms, the date and right-click
// runs, and start folders that do not exist.
#include "command_line.h"

#include <gtest/gtest.h>

#include "harness.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

TEST(CommandLine, Forms) {
  const struct {
    const char* text;
    CommandLineForm form;
  } cases[] = {
      {"", CommandLineForm::kEmpty},
      {"c:\\scans\\&", CommandLineForm::kDateRun},
      {"c:\\data /R", CommandLineForm::kRightClickRun},
      {"c:\\data /r", CommandLineForm::kFolder},
      {"c:\\data\\R", CommandLineForm::kRightClickMarked},
      {"c:\\data", CommandLineForm::kFolder},
      {"/home/me/scans/&", CommandLineForm::kDateRun},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyCommandLine(c.text), c.form) << c.text;
  EXPECT_EQ(DateRunFolder("c:\\scans\\&", "0307"), "c:\\scans\\0307");
  EXPECT_EQ(RightClickFolder("c:\\data /R"), "c:\\data");
  EXPECT_EQ(RightClickFolder("/R"), "");
}

TEST(CommandLineRun, RunsTheWholeTextAsAFolder) {
  Harness h("C:\\Data");
  h.platform.AddFile("c:\\data\\a.zip");

  EXPECT_EQ(h.Record().pathTested, "c:\\data");  // set at start-up
  EXPECT_EQ(h.engine.StartRun(), RunOutcome::kCompleted);

  EXPECT_TRUE(h.platform.browseStartFolders.empty());
  EXPECT_EQ(h.Record().pathTested, "c:\\data\\");
  EXPECT_NE(h.Log().find("   (Command line)\r\n"), std::string::npos);
  ASSERT_EQ(h.platform.summaries.size(), 1u);
  EXPECT_TRUE(h.platform.summaries[0].commandLineRun);
}

TEST(CommandLineRun, DateRunTestsTodaysFolderMinimized) {
  Harness h("C:\\Scans\\&");
  h.platform.AddFile("c:\\scans\\0307\\a.zip");
  h.platform.AddFile("c:\\scans\\b.zip");

  EXPECT_EQ(h.Record().dateFolder, "0307");
  h.engine.StartRun();

  EXPECT_TRUE(h.Record().dateRun);
  EXPECT_EQ(h.component.Operations(), (Strings{"extract c:\\scans\\0307\\a.zip 0", "test c:\\scans\\0307\\a.zip"}));
  EXPECT_EQ(h.platform.EffectsOf("window"), (Strings{"minimized", "restored", "minimized", "restored"}));
  EXPECT_NE(h.Log().find("   (Date run)\r\n"), std::string::npos);
}

TEST(CommandLineRun, DateFolderUsesTwoDigitsForMonthAndDay) {
  Harness h;
  h.platform.now = {2025, 11, 4, 0, 0, 0};
  h.engine.StartUp();
  EXPECT_EQ(h.Record().dateFolder, "1104");
}

TEST(CommandLineRun, RightClickRunHidesTheWindowAfterwards) {
  Harness h("C:\\Data /R");
  h.platform.AddFile("c:\\data\\a.zip");

  h.engine.StartRun();

  EXPECT_TRUE(h.Record().rightClickRun);
  EXPECT_EQ(h.Record().pathTested, "c:\\data\\");
  EXPECT_EQ(h.platform.EffectsOf("window"), (Strings{"hidden", "minimized", "restored"}));
  EXPECT_NE(h.Log().find("   (Right click)\r\n"), std::string::npos);
}

TEST(CommandLineRun, BackslashRMarksARightClickRunOfTheWholeText) {
  Harness h("C:\\Data\\R");
  h.platform.AddFile("c:\\data\\r\\a.zip");

  EXPECT_TRUE(h.Record().rightClickRun);  // at start-up
  h.engine.StartRun();

  EXPECT_EQ(h.Record().pathTested, "c:\\data\\r\\");
  EXPECT_EQ(h.Record().zipsTested, 1);
  EXPECT_NE(h.Log().find("   (Right click)\r\n"), std::string::npos);
}

TEST(CommandLineRun, AMissingStartFolderEndsTheRunWithNoOutput) {
  for (const char* commandLine : {"c:\\scans\\&", "c:\\nowhere /R", "c:\\nowhere\\R", "c:\\nowhere", "/R"}) {
    SCOPED_TRACE(commandLine);
    Harness h(commandLine);
    h.platform.AddFile("c:\\scans\\0306\\a.zip");  // yesterday's folder only

    EXPECT_EQ(h.engine.StartRun(), RunOutcome::kMissingFolder);

    EXPECT_TRUE(h.platform.Names(h.programFolder).empty());
    EXPECT_TRUE(h.component.calls.empty());
    EXPECT_TRUE(h.platform.summaries.empty());
    EXPECT_TRUE(h.platform.EffectsOf("window").empty());
    EXPECT_EQ(h.platform.EffectsOf("button"), (Strings{"off", "on"}));
  }
}

TEST(CommandLineRun, PosixPathsKeepTheirCase) {
  Harness h("/Home/Me/Scans/&", '/');
  h.platform.AddFile("/Home/Me/Scans/0307/A.zip");

  h.engine.StartRun();

  EXPECT_EQ(h.component.Operations(), (Strings{"extract /Home/Me/Scans/0307/A.zip 0", "test /Home/Me/Scans/0307/A.zip"}));
  EXPECT_NE(h.Log().find(" Path tested - /Home/Me/Scans/0307/\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quarrow::run
