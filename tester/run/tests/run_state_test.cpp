// The run-state transitions the front ends ask the engine for: a command
// line's run, an abort, closing the program, the rename switch and the last
// browse folder.
#include <gtest/gtest.h>

#include "harness.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

TEST(CommandLineRunState, IsInProgressFromItsFirstYieldAndOverAfterEveryOutcome) {
  const struct {
    const char* commandLine;
    RunOutcome outcome;
  } cases[] = {
      {"c:\\data", RunOutcome::kCompleted},
      {"c:\\missing", RunOutcome::kMissingFolder},
      {"c:\\missing /R", RunOutcome::kMissingFolder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    Harness h(c.commandLine);
    h.platform.AddFile("c:\\data\\a.zip");
    std::vector<bool> running;
    h.platform.onProcessEvents = [&] { running.push_back(h.engine.Record().running); };

    EXPECT_EQ(h.engine.CommandLineRun(), c.outcome);

    ASSERT_FALSE(running.empty());
    EXPECT_TRUE(running.front());
    EXPECT_FALSE(h.engine.Record().running);
  }
}

TEST(CommandLineRunState, ADateRunMinimizesTheWindowBeforeItsFirstYield) {
  for (const char* commandLine : {"c:\\scans\\&", "c:\\data"}) {
    SCOPED_TRACE(commandLine);
    Harness h(commandLine);
    h.platform.AddFile("c:\\scans\\0307\\a.zip");
    h.platform.AddFile("c:\\data\\a.zip");
    std::vector<bool> minimizedAtYield;
    h.platform.onProcessEvents = [&] { minimizedAtYield.push_back(h.platform.minimized); };

    h.engine.CommandLineRun();

    ASSERT_FALSE(minimizedAtYield.empty());
    EXPECT_EQ(minimizedAtYield.front(), std::string(commandLine).back() == '&');
  }
}

// An abort from a yield inside an archive's test pass: the Cancel button,
// Esc and the toolbar's abort all come this way.
TEST(AbortRunState, StopsTheRunBlanksTheCheckAndIsSeenDuringItsOwnYield) {
  Harness h;
  h.platform.AddFile("c:\\t\\a.zip");
  h.platform.AddFile("c:\\t\\b.zip");
  h.component.Script("c:\\t\\a.zip").testEvents = {{"one.txt", 10, 5, 50}, {"two.txt", 20, 5, 80}};
  h.platform.browseAnswers = {"c:\\t"};
  bool aborted = false;
  std::vector<bool> stoppedDuringAbortYield;
  size_t effectsBeforeAbort = 0;
  h.platform.onProcessEvents = [&] {
    if (aborted) {
      if (stoppedDuringAbortYield.empty()) {
        stoppedDuringAbortYield = {h.engine.Record().abortRequested, !h.engine.Record().running,
                                   h.component.abort};
      }
      return;
    }
    if (h.platform.labels[Label::kEntryName] == "one.txt") {
      aborted = true;
      effectsBeforeAbort = h.platform.effects.size();
      h.engine.AbortRun();
    }
  };

  h.engine.StartRun();

  EXPECT_EQ(stoppedDuringAbortYield, (std::vector<bool>{true, true, true}));
  const Strings abortEffects(h.platform.effects.begin() + static_cast<std::ptrdiff_t>(effectsBeforeAbort),
                             h.platform.effects.begin() + static_cast<std::ptrdiff_t>(effectsBeforeAbort) + 5);
  EXPECT_EQ(abortEffects, (Strings{"folder=", "progress=0", "entryName=", "entrySize=", "ratio="}));
  EXPECT_EQ(h.component.Operations(), (Strings{"extract c:\\t\\a.zip 0", "test c:\\t\\a.zip"}));
  EXPECT_TRUE(h.engine.Record().abortRequested);
  EXPECT_NE(h.Log().find("(Aborted)"), std::string::npos);
  ASSERT_EQ(h.platform.summaries.size(), 1u);
  EXPECT_TRUE(h.platform.summaries[0].aborted);
}

TEST(CloseRunState, StopsARunInProgressAndClosesTheWindowAfterItsSummary) {
  Harness h;
  h.platform.AddFile("c:\\t\\a.zip");
  h.platform.AddFile("c:\\t\\sub\\b.zip");
  h.platform.browseAnswers = {"c:\\t"};
  bool closed = false;
  h.platform.onProcessEvents = [&] {
    if (!closed && h.platform.folderPanel == "c:\\t\\") {
      closed = true;
      h.engine.Close();
    }
  };

  h.engine.StartRun();

  EXPECT_TRUE(h.component.abort);
  EXPECT_TRUE(h.engine.Record().exitRequested);
  EXPECT_EQ(h.component.Operations(), Strings{});
  EXPECT_NE(h.Log().find("(Aborted)"), std::string::npos);
  EXPECT_EQ(h.platform.EffectsOf("window"), (Strings{"minimized", "restored", "closed"}));
}

TEST(CloseRunState, WhileIdleOnlyMarksTheProgramClosing) {
  Harness h;
  h.engine.Close();
  EXPECT_TRUE(h.engine.Record().exitRequested);
  EXPECT_TRUE(h.engine.Record().abortRequested);
  EXPECT_FALSE(h.engine.Record().running);
  EXPECT_TRUE(h.component.abort);
  EXPECT_TRUE(h.platform.effects.empty());
}

TEST(RenamingState, TurnsTheRenameOfBadArchivesOffAndOnAgain) {
  for (const bool on : {false, true}) {
    SCOPED_TRACE(on);
    Harness h;
    h.platform.AddFile("c:\\t\\a.zip");
    h.component.Script("c:\\t\\a.zip").testResult = kResultBadCrc;
    h.platform.browseAnswers = {"c:\\t"};
    h.engine.SetRenaming(false);
    h.engine.SetRenaming(on);

    h.engine.StartRun();

    EXPECT_EQ(h.platform.Exists("c:\\t\\a.zip.bad"), on);
    EXPECT_EQ(h.platform.Exists("c:\\t\\a.zip"), !on);
    EXPECT_EQ(h.engine.Record().renameDisabled, !on);
  }
}

TEST(LastFolderState, IsWhereTheBrowseDialogStarts) {
  Harness h;
  h.engine.SetLastFolder("c:\\kept");
  h.engine.StartRun();
  EXPECT_EQ(h.platform.browseStartFolders, Strings{"c:\\kept"});
  EXPECT_EQ(h.engine.Record().lastFolder, "c:\\kept");
}

}  // namespace
}  // namespace quarrow::run
