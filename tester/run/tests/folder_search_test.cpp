// The run from the browse dialog and the folder search: walk order, what is
// skipped, cancel and re-ask, aborts, and the run's clock.
#include <gtest/gtest.h>

#include "harness.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

// A tree that exercises every rule of the walk, in listing order.
void AddWalkTree(FakePlatform& p, const std::string& root, char sep) {
  auto path = [&](const std::string& relative) {
    std::string out = root;
    for (char c : relative) out += c == '|' ? sep : c;
    return out;
  };
  p.AddFile(path("|B.ZIP"), "PK-b");
  p.AddFile(path("|Sub1|c.zip"), "PK-c");
  p.AddFile(path("|Sub1|deeper|d.zip"), "PK-d");
  p.AddFile(path("|a.zip"), "PK-a");
  p.AddFile(path("|.git|e.zip"), "PK-e");          // "."-folder: skipped
  p.AddFile(path("|x.zip|f.zip"), "PK-f");         // a folder named like an archive
  p.AddFile(path("|hidden.zip"), "PK-h", {.hidden = true});
  p.AddFile(path("|sys.zip"), "PK-s", {.system = true});
  p.AddFile(path("|notes.txt"), "text");
  p.AddFolderLink(path("|loop"));                   // a link to a folder: not followed
  p.AddFile(path("|sub0|g.zip"), "PK-g");
}

TEST(FolderSearch, ArchivesOfAFolderBeforeItsSubFoldersInPlatformOrder) {
  Harness h;
  AddWalkTree(h.platform, "c:\\t", '\\');
  h.platform.browseAnswers = {"C:\\T"};

  EXPECT_EQ(h.engine.StartRun(), RunOutcome::kCompleted);

  EXPECT_EQ(h.component.Operations(), (Strings{
      "extract c:\\t\\b.zip 0", "test c:\\t\\b.zip",
      "extract c:\\t\\a.zip 0", "test c:\\t\\a.zip",
      "extract c:\\t\\sub1\\c.zip 0", "test c:\\t\\sub1\\c.zip",
      "extract c:\\t\\sub1\\deeper\\d.zip 0", "test c:\\t\\sub1\\deeper\\d.zip",
      "extract c:\\t\\x.zip\\f.zip 0", "test c:\\t\\x.zip\\f.zip",
      "extract c:\\t\\sub0\\g.zip 0", "test c:\\t\\sub0\\g.zip"}));
  EXPECT_EQ(h.platform.EffectsOf("folder"), (Strings{"c:\\t\\", "c:\\t\\sub1\\", "c:\\t\\sub1\\deeper\\",
                                                     "c:\\t\\x.zip\\", "c:\\t\\sub0\\", ""}));
  // Label1 shows each listed "*.zip" name (the folder x.zip and the hidden
  // and system archives too, which are then not checked).
  Strings shown;
  for (const std::string& text : h.platform.EffectsOf("archiveName")) {
    if (!text.empty()) shown.push_back(text);
  }
  EXPECT_EQ(shown, (Strings{"B.zip", "A.zip", "X.zip", "Hidden.zip", "Sys.zip", "C.zip", "D.zip", "F.zip", "G.zip"}));
  EXPECT_EQ(h.Record().zipsTested, 6);
  EXPECT_EQ(h.Record().bytesTested, 24);
  EXPECT_EQ(h.platform.labels[Label::kCounter], "");  // blanked at the end
  EXPECT_EQ(h.platform.title, "Quarrow");
  ASSERT_EQ(h.platform.summaries.size(), 1u);
  EXPECT_EQ(h.platform.summaries[0].zipsTested, 6);
  EXPECT_FALSE(h.platform.summaries[0].commandLineRun);
  EXPECT_FALSE(h.Record().summaryShowing);
}

TEST(FolderSearch, KeepsTheRealCaseWhereTheFileSystemHonoursIt) {
  Harness h("", '/');
  AddWalkTree(h.platform, "/t", '/');
  h.platform.browseAnswers = {"/t"};

  h.engine.StartRun();

  EXPECT_EQ(h.component.Operations(), (Strings{
      "extract /t/B.ZIP 0", "test /t/B.ZIP",
      "extract /t/a.zip 0", "test /t/a.zip",
      "extract /t/Sub1/c.zip 0", "test /t/Sub1/c.zip",
      "extract /t/Sub1/deeper/d.zip 0", "test /t/Sub1/deeper/d.zip",
      "extract /t/x.zip/f.zip 0", "test /t/x.zip/f.zip",
      "extract /t/sub0/g.zip 0", "test /t/sub0/g.zip"}));
  EXPECT_EQ(h.platform.EffectsOf("folder")[1], "/t/Sub1/");
  EXPECT_EQ(h.platform.EffectsOf("archiveName")[2], "B.ZIP");  // after the two blankings
  EXPECT_NE(h.Log().find(" Path tested - /t/\r\n"), std::string::npos);
}

TEST(FolderSearch, SubFoldersAreEnteredInListingOrderWithNoLimitOnTheirNumber) {
  Harness h;
  // More sub-folders than a 16-bit count holds.
  constexpr int kFolders = 33000;
  for (int i = 0; i < kFolders; ++i) h.platform.AddFolder("c:\\t\\f" + std::to_string(i));
  h.platform.AddFile("c:\\t\\f" + std::to_string(kFolders - 1) + "\\last.zip");
  h.platform.browseAnswers = {"c:\\t"};

  h.engine.StartRun();

  EXPECT_EQ(h.component.Operations(), (Strings{"extract c:\\t\\f32999\\last.zip 0", "test c:\\t\\f32999\\last.zip"}));
}

TEST(BrowseLoop, CancelWritesNothingAndLeavesTheCountersAtZero) {
  Harness h;
  h.platform.AddFile("c:\\t\\a.zip");
  h.Record().zipsTested = 5;
  h.Record().badZips = 2;
  h.Record().bytesTested = 99;
  h.Record().pathTested = "c:\\old\\";
  h.platform.browseAnswers = {std::nullopt};

  EXPECT_EQ(h.engine.StartRun(), RunOutcome::kCancelled);

  EXPECT_EQ(h.Record().zipsTested, 0);
  EXPECT_EQ(h.Record().badZips, 0);
  EXPECT_EQ(h.Record().bytesTested, 0);
  EXPECT_EQ(h.Record().pathTested, "");
  EXPECT_TRUE(h.platform.Names(h.programFolder).empty());
  EXPECT_TRUE(h.component.calls.empty());
  EXPECT_TRUE(h.platform.summaries.empty());
  EXPECT_TRUE(h.platform.EffectsOf("button").empty());
}

TEST(BrowseLoop, AnEmptyChoiceAsksAgainFromTheLastFolder) {
  Harness h;
  h.platform.AddFile("c:\\data\\a.zip");
  h.Record().lastFolder = "c:\\prev";
  h.platform.browseAnswers = {"", "", "C:\\Data"};

  h.engine.StartRun();

  EXPECT_EQ(h.platform.browseStartFolders, (Strings{"c:\\prev", "", ""}));
  EXPECT_EQ(h.Record().lastFolder, "c:\\data");
  EXPECT_EQ(h.Record().pathTested, "c:\\data\\");
  EXPECT_EQ(h.Record().zipsTested, 1);
}

TEST(Abort, DuringTheSearchStillWritesTheLogAndShowsTheSummary) {
  Harness h;
  AddWalkTree(h.platform, "c:\\t", '\\');
  h.platform.browseAnswers = {"c:\\t"};
  bool aborted = false;
  h.platform.onProcessEvents = [&] {
    if (!aborted && h.platform.folderPanel == "c:\\t\\sub1\\") {
      aborted = true;
      h.engine.AbortRun();
    }
  };

  EXPECT_EQ(h.engine.StartRun(), RunOutcome::kCompleted);

  EXPECT_EQ(h.component.Operations(),
            (Strings{"extract c:\\t\\b.zip 0", "test c:\\t\\b.zip", "extract c:\\t\\a.zip 0", "test c:\\t\\a.zip"}));
  // No further folder is even shown once the abort is requested; the abort
  // and the end of the run blank the panel.
  EXPECT_EQ(h.platform.EffectsOf("folder"), (Strings{"c:\\t\\", "c:\\t\\sub1\\", "", ""}));
  EXPECT_TRUE(h.component.abort);
  EXPECT_TRUE(h.Record().abortRequested);
  EXPECT_EQ(h.Log().substr(0, 33), "03-07-2024 09:05:02  (Aborted) \r\n");
  EXPECT_NE(h.Log().find(" 2 tested\r\n"), std::string::npos);
  ASSERT_EQ(h.platform.summaries.size(), 1u);
  EXPECT_TRUE(h.platform.summaries[0].aborted);
  EXPECT_EQ(MakeSummaryTexts(h.platform.summaries[0]).aborted, "Aborted");
}

TEST(Abort, ByTheComponentStopsTheRunWithoutTheAbortMarker) {
  Harness h;
  AddWalkTree(h.platform, "c:\\t", '\\');
  h.component.Script("c:\\t\\a.zip").testResult = kResultAborted;
  h.platform.browseAnswers = {"c:\\t"};

  h.engine.StartRun();

  EXPECT_EQ(h.component.Operations(),
            (Strings{"extract c:\\t\\b.zip 0", "test c:\\t\\b.zip", "extract c:\\t\\a.zip 0", "test c:\\t\\a.zip"}));
  EXPECT_TRUE(h.component.abort);
  EXPECT_EQ(h.Record().zipsTested, 1);   // the aborted archive is not counted
  EXPECT_EQ(h.Record().bytesTested, 4);  // nor are its bytes: it was not judged
  EXPECT_EQ(h.Log().substr(0, 24), "03-07-2024 09:05:02   \r\n");
  EXPECT_FALSE(h.platform.summaries.at(0).aborted);
}

TEST(Abort, DuringAnArchiveCheckGoesThroughTheProgressEvents) {
  Harness h;
  h.platform.AddFile("c:\\t\\a.zip");
  h.platform.AddFile("c:\\t\\b.zip");
  FakeArchiveScript& a = h.component.Script("c:\\t\\a.zip");
  a.testEvents = {{"one.txt", 10, 0, 50}};
  a.testResult = kResultAborted;  // what the component returns once aborted
  h.platform.browseAnswers = {"c:\\t"};
  bool aborted = false;
  h.platform.onProcessEvents = [&] {
    if (!aborted && h.platform.labels[Label::kEntryName] == "one.txt") {
      aborted = true;
      h.engine.AbortRun();
    }
  };

  h.engine.StartRun();

  EXPECT_EQ(h.component.Operations(), (Strings{"extract c:\\t\\a.zip 0", "test c:\\t\\a.zip"}));
  EXPECT_EQ(h.Record().zipsTested, 0);
  EXPECT_NE(h.Log().find("(Aborted)"), std::string::npos);
}

TEST(RunClock, ARunAcrossMidnightRecordsNegativeSeconds) {
  Harness h;
  h.platform.AddFolder("c:\\t");
  h.platform.browseAnswers = {"c:\\t"};
  h.platform.clockReadings = {86399.5f, 0.25f};

  h.engine.StartRun();

  EXPECT_NE(h.Log().find("\r\n- 86,399.25 - seconds\r\n"), std::string::npos) << h.Log();
  EXPECT_EQ(MakeSummaryTexts(h.platform.summaries.at(0)).seconds, "- 86,399.25 - seconds");
}

TEST(Summary, TheRunWaitsUntilItIsDismissedThenClosesTheWindowOnExit) {
  Harness h;
  h.platform.engine = nullptr;  // the summary stays open until yielded away
  h.platform.AddFolder("c:\\t");
  h.platform.browseAnswers = {"c:\\t"};
  int eventLoopsWhileShowing = 0;
  h.platform.onProcessEvents = [&] {
    if (h.Record().summaryShowing && ++eventLoopsWhileShowing == 3) {
      h.Record().exitRequested = true;
      h.engine.CloseSummary();
    }
  };

  h.engine.StartRun();

  EXPECT_GE(eventLoopsWhileShowing, 3);
  EXPECT_FALSE(h.Record().summaryShowing);
  EXPECT_TRUE(h.platform.closed);
  const Strings window = h.platform.EffectsOf("window");
  EXPECT_EQ(window, (Strings{"minimized", "restored", "closed"}));
}

}  // namespace
}  // namespace quarrow::run
