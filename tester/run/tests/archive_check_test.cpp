// The check of one archive: verdicts by result code, error lines and their
// suffixes, the ".bad" rename, and the progress display.
#include <gtest/gtest.h>

#include "harness.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

// A run from the harness's command line, which names an existing folder.
void RunOver(Harness& h) {
  EXPECT_EQ(h.engine.StartRun(), RunOutcome::kCompleted);
}

TEST(ArchiveCheck, VerdictByExtractAndTestResults) {
  const struct {
    int16_t extract;
    int16_t test;
    bool testRuns;
    bool bad;
    int16_t code;
  } cases[] = {
      {0, 0, true, false, 0},
      {140, 0, true, false, 0},      // no description file: still tested
      {0, 120, true, false, 0},      // a test code outside the bad list is good
      {0, 130, true, false, 0},
      {0, 300, true, false, 0},
      {0, -5, true, false, 0},
      {0, 100, true, true, 100},
      {0, 110, true, true, 110},
      {140, 200, true, true, 200},
      {0, 410, true, true, 410},
      {5, 0, false, false, 0},       // a warning: counted, no test pass
      {-3, 0, false, false, 0},
      {99, 0, false, false, 0},
      {100, 0, false, true, 100},
      {120, 0, false, true, 120},    // any extract code from 100 up is bad
      {300, 0, false, true, 300},
      {410, 0, false, true, 410},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.extract) + "/" + std::to_string(c.test));
    Harness h("c:\\t");
    h.platform.AddFile("c:\\t\\a.zip");
    h.Record().renameDisabled = true;
    h.component.Script("c:\\t\\a.zip").extractResult = c.extract;
    h.component.Script("c:\\t\\a.zip").testResult = c.test;

    RunOver(h);

    EXPECT_EQ(h.component.Operations().size(), c.testRuns ? 2u : 1u);
    EXPECT_EQ(h.Record().zipsTested, 1);
    EXPECT_EQ(h.Record().badZips, c.bad ? 1 : 0);
    EXPECT_EQ(h.platform.EffectsOf("counter").at(0), c.bad ? " 1  tested    -    1  bad" : " 1  tested    -    0  bad");
    ASSERT_EQ(h.platform.outcomes.size(), 1u);
    EXPECT_EQ(h.platform.outcomes[0].bad, c.bad);
    if (c.bad) {
      EXPECT_EQ(h.Record().errorLines[0], "# " + std::to_string(c.code) + " - c:\\t\\a.zip");
    }
  }
}

TEST(ArchiveCheck, ComponentIsDrivenInItsCallingOrder) {
  Harness h("C:\\T");
  h.platform.AddFile("C:\\T\\A.ZIP");

  RunOver(h);

  EXPECT_EQ(h.component.calls,
            (Strings{"keep=0", "mask=*.diz", "destination=c:\\qrw", "name=c:\\t\\a.zip", "extract c:\\t\\a.zip 0",
                     "name=c:\\t\\a.zip", "mask=", "test c:\\t\\a.zip"}));
}

TEST(ArchiveCheck, ErrorLineSuffixes) {
  const struct {
    const char* name;
    bool renameDisabled;
    bool readOnlyDrive;
    bool locked;
    const char* line;
    bool renamed;
  } cases[] = {
      {"renaming off", true, false, false, "# 110 - c:\\t\\a.zip", false},
      {"renamed", false, false, false, "# 110 - c:\\t\\a.zip - renamed (c:\\t\\a.zip.bad)", true},
      {"read-only drive", false, true, false, "# 110 - c:\\t\\a.zip - can't rename (read-only drive)", false},
      {"file open", false, false, true, "# 110 - c:\\t\\a.zip - can't rename (file open)", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Harness h("c:\\t");
    h.platform.AddFile("c:\\t\\a.zip", "PK-a");
    h.component.Script("c:\\t\\a.zip").testResult = kResultBadCrc;
    h.Record().renameDisabled = c.renameDisabled;
    if (c.readOnlyDrive) h.platform.readOnlyDrives.insert("c:\\");
    if (c.locked) h.platform.lockedFiles.insert("c:\\t\\a.zip");

    RunOver(h);

    EXPECT_EQ(h.Record().errorLines[0], c.line);
    EXPECT_EQ(h.platform.outcomes.at(0).errorLine, c.line);
    EXPECT_NE(h.Log().find(std::string("\r\n") + c.line + "  \r\n"), std::string::npos) << h.Log();
    EXPECT_EQ(h.platform.Exists("c:\\t\\a.zip.bad"), c.renamed);
    EXPECT_EQ(h.platform.Exists("c:\\t\\a.zip"), !c.renamed);
  }
}

TEST(BadRename, ReplacesOnlyTheArchivesOwnBadTwin) {
  Harness h("c:\\t");
  h.platform.AddFile("c:\\t\\a.zip", "PK-new");
  h.platform.AddFile("c:\\t\\a.zip.bad", "old", {.readOnly = true});
  h.platform.AddFile("c:\\t\\b.zip.bad", "other");
  h.platform.AddFile("c:\\t\\a.bad", "unrelated");
  h.component.Script("c:\\t\\a.zip").testResult = kResultBadData;

  RunOver(h);

  EXPECT_EQ(h.platform.Content("c:\\t\\a.zip.bad"), "PK-new");
  EXPECT_FALSE(h.platform.Exists("c:\\t\\a.zip"));
  EXPECT_EQ(h.platform.Content("c:\\t\\b.zip.bad"), "other");
  EXPECT_EQ(h.platform.Content("c:\\t\\a.bad"), "unrelated");
  EXPECT_EQ(h.Record().errorLines[0], "# 200 - c:\\t\\a.zip - renamed (c:\\t\\a.zip.bad)");
}

TEST(BadRename, AFolderInTheWayIsLeftAloneAndTheLineSaysSo) {
  Harness h("c:\\t");
  h.platform.AddFile("c:\\t\\a.zip", "PK-a");
  h.platform.AddFile("c:\\t\\a.zip.bad\\keep.txt", "mine");
  h.component.Script("c:\\t\\a.zip").testResult = kResultBadCrc;

  RunOver(h);

  EXPECT_EQ(h.platform.Content("c:\\t\\a.zip.bad\\keep.txt"), "mine");
  EXPECT_EQ(h.platform.Content("c:\\t\\a.zip"), "PK-a");
  EXPECT_EQ(h.Record().errorLines[0], "# 110 - c:\\t\\a.zip - can't rename (file open)");
}

TEST(BadRename, AReadOnlyArchiveIsRenamedAfterItsAttributesAreReset) {
  Harness h("c:\\t");
  h.platform.AddFile("c:\\t\\a.zip", "PK-a", {.readOnly = true});
  h.component.Script("c:\\t\\a.zip").extractResult = kResultBadStructure;

  RunOver(h);

  ASSERT_TRUE(h.platform.Exists("c:\\t\\a.zip.bad"));
  EXPECT_FALSE(h.platform.IsReadOnlyAttribute("c:\\t\\a.zip.bad"));
  EXPECT_EQ(h.Record().errorLines[0], "# 100 - c:\\t\\a.zip - renamed (c:\\t\\a.zip.bad)");
}

TEST(ErrorLines, AtMost5001AreKeptWhileEveryBadArchiveIsCounted) {
  Harness h("c:\\t");
  constexpr int kArchives = 5003;
  for (int i = 0; i < kArchives; ++i) h.platform.AddFile("c:\\t\\a" + std::to_string(10000 + i) + ".zip");
  h.component.fallback.testResult = kResultBadCrc;
  h.Record().renameDisabled = true;

  RunOver(h);

  EXPECT_EQ(h.Record().badZips, kArchives);
  EXPECT_EQ(h.Record().errorLines.size(), 5001u);
  EXPECT_EQ(h.Record().errorLines[5000], "# 110 - c:\\t\\a15000.zip");
  const std::string log = h.Log();
  EXPECT_NE(log.find("\r\n 5003 bad\r\n"), std::string::npos);
  EXPECT_NE(log.find("# 110 - c:\\t\\a15000.zip  \r\n"), std::string::npos);
  EXPECT_EQ(log.find("a15001.zip"), std::string::npos);
  size_t lines = 0;
  for (size_t at = 0; (at = log.find("# 110 - ", at)) != std::string::npos; ++at) ++lines;
  EXPECT_EQ(lines, 5001u);
  EXPECT_TRUE(h.Errors().ends_with("# 110 - c:\\t\\a15000.zip  \r\n"));
}

TEST(ErrorLines, TheBadCountStopsAtItsLargestValueInsteadOfWrapping) {
  Harness h("c:\\t");
  constexpr int kArchives = 32770;
  for (int i = 0; i < kArchives; ++i) h.platform.AddFile("c:\\t\\a" + std::to_string(100000 + i) + ".zip");
  h.component.fallback.testResult = kResultBadCrc;
  h.Record().renameDisabled = true;

  RunOver(h);

  EXPECT_EQ(h.Record().zipsTested, kArchives);
  EXPECT_EQ(h.Record().badZips, 32767);
  EXPECT_NE(h.Log().find("\r\n 32770 tested\r\n 32767 bad\r\n"), std::string::npos);
  EXPECT_EQ(h.platform.summaries.at(0).badZips, 32767);
}

TEST(ErrorLines, ALaterRunOverwritesOnlyItsOwnSlots) {
  Harness h("c:\\t");
  h.Record().errorLines[0] = "stale 0";
  h.Record().errorLines[1] = "stale 1";
  h.platform.AddFile("c:\\t\\a.zip");
  h.component.fallback.testResult = kResultBadCrc;
  h.Record().renameDisabled = true;

  RunOver(h);

  EXPECT_EQ(h.Record().errorLines[0], "# 110 - c:\\t\\a.zip");
  EXPECT_EQ(h.Record().errorLines[1], "stale 1");
  EXPECT_EQ(h.Log().find("stale"), std::string::npos);
}

TEST(Progress, EventsFillTheLabelsAndTheTitle) {
  Harness h("c:\\t");
  h.platform.AddFile("c:\\t\\Big.ZIP");
  h.component.Script("c:\\t\\big.zip").testEvents = {
      {"Docs/Sub/ReadMe.TXT", 1234567, 42, 45},
      {"Docs/Sub/ReadMe.TXT", 1234567, 42, 45},  // same completion: fill left alone
      {"empty.dat", 0, -3, 100},
  };

  RunOver(h);

  EXPECT_EQ(h.platform.EffectsOf("entryName"), (Strings{"", "readme.txt", "readme.txt", "empty.dat", "", ""}));
  EXPECT_EQ(h.platform.EffectsOf("entrySize"), (Strings{"", "1,234,567 bytes", "1,234,567 bytes", " bytes", ""}));
  EXPECT_EQ(h.platform.EffectsOf("ratio"), (Strings{"", " 42% ratio", " 42% ratio", "-3% ratio", ""}));
  EXPECT_EQ(h.platform.EffectsOf("title"),
            (Strings{"Searching...", "045%  big.zip", "045%  big.zip", "100%  big.zip", "Quarrow"}));
  EXPECT_EQ(h.platform.EffectsOf("progress"), (Strings{"0", "45", "100", "0"}));
}

}  // namespace
}  // namespace quarrow::run

namespace quarrow::run {
namespace {

// Two bad archives, each with two events in its extract pass and two in its
// test pass; a cancel at each of the eight events in turn.
TEST(ArchiveCheck, CancelAtAnyEventStopsTheRunBeforeAnyLaterVerdict) {
  const std::vector<std::string> events = {"a-e0", "a-e1", "a-t0", "a-t1", "b-e0", "b-e1", "b-t0", "b-t1"};
  for (size_t at = 0; at < events.size(); ++at) {
    SCOPED_TRACE("cancel at " + events[at]);
    Harness h("c:\\t");
    for (const std::string archive : {"a", "b"}) {
      h.platform.AddFile("c:\\t\\" + archive + ".zip", "1234");
      FakeArchiveScript& script = h.component.Script("c:\\t\\" + archive + ".zip");
      script.extractEvents = {{archive + "-e0", 1, 0, 0}, {archive + "-e1", 1, 0, 100}};
      script.testEvents = {{archive + "-t0", 1, 0, 0}, {archive + "-t1", 1, 0, 100}};
      script.testResult = kResultBadCrc;
    }
    bool cancelled = false;
    h.platform.onProcessEvents = [&] {
      if (!cancelled && h.platform.labels[Label::kEntryName] == events[at]) {
        cancelled = true;
        h.engine.AbortRun();
      }
    };

    RunOver(h);

    ASSERT_TRUE(cancelled);
    const bool firstJudged = at >= 4;  // all of a's events came before the cancel
    // No operation starts after the cancel.
    const size_t operations = at < 2 ? 1 : at < 4 ? 2 : at < 6 ? 3 : 4;
    EXPECT_EQ(h.component.Operations().size(), operations);
    EXPECT_EQ(h.platform.Exists("c:\\t\\a.zip.bad"), firstJudged);
    EXPECT_TRUE(h.platform.Exists("c:\\t\\b.zip"));
    EXPECT_FALSE(h.platform.Exists("c:\\t\\b.zip.bad"));
    EXPECT_EQ(h.Record().zipsTested, firstJudged ? 1 : 0);
    EXPECT_EQ(h.Record().badZips, firstJudged ? 1 : 0);
    EXPECT_EQ(h.Record().bytesTested, firstJudged ? 4 : 0);
    EXPECT_EQ(h.Log().substr(0, 31), "03-07-2024 09:05:02  (Aborted) ");
    EXPECT_NE(h.Log().find(firstJudged ? " 1 tested\r\n 1 bad\r\n" : " 0 tested\r\n 0 bad\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace quarrow::run

namespace quarrow::run {
namespace {

// Archives that were not verified: a method the component cannot decompress
// (120, good) and a file it may not open (420, not judged at all).
TEST(ArchiveCheck, UnverifiedAndUnreadArchivesAreNotedNotRenamed) {
  const struct {
    const char* what;
    int16_t extract;
    int16_t test;
    bool counted;
    const char* note;
  } cases[] = {
      {"unsupported method", 0, kResultUnsupportedMethod, true, "not verified (method 98)"},
      {"permission denied on open", kResultPermissionDenied, 0, false, "can't read (permission denied)"},
      {"permission denied at the test", 0, kResultPermissionDenied, false, "can't read (permission denied)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h("c:\\t");
    h.platform.AddFile("c:\\t\\a.zip", "12345");
    h.platform.AddFile("c:\\t\\b.zip", "123");
    FakeArchiveScript& a = h.component.Script("c:\\t\\a.zip");
    a.extractResult = c.extract;
    a.testResult = c.test;
    a.unverifiedMethod = 98;

    RunOver(h);

    EXPECT_TRUE(h.platform.Exists("c:\\t\\a.zip"));
    EXPECT_FALSE(h.platform.Exists("c:\\t\\a.zip.bad"));
    EXPECT_EQ(h.Record().badZips, 0);
    EXPECT_EQ(h.Record().zipsTested, c.counted ? 2 : 1);  // the run went on to b.zip
    EXPECT_EQ(h.Record().bytesTested, c.counted ? 8 : 3);
    ASSERT_EQ(h.platform.outcomes.size(), 2u);
    EXPECT_EQ(h.platform.outcomes[0].note, c.note);
    EXPECT_EQ(h.platform.outcomes[0].unread, !c.counted);
    EXPECT_FALSE(h.platform.outcomes[0].bad);
    // The errors file is written for the note, after the run's lines.
    const std::string errors = h.Errors();
    const std::string noteLine = std::string("c:\\t\\a.zip - ") + c.note + "  \r\n";
    ASSERT_GE(errors.size(), noteLine.size());
    EXPECT_EQ(errors.substr(errors.size() - noteLine.size()), noteLine);
    EXPECT_NE(errors.find(" Path tested - c:\\t\\\r\n"), std::string::npos);
    EXPECT_TRUE(h.platform.sounds.empty());
  }
}

TEST(ArchiveCheck, NotesFollowTheErrorLinesAndStartAfreshEachRun) {
  Harness h("c:\\t");
  h.platform.AddFile("c:\\t\\a.zip");
  h.platform.AddFile("c:\\t\\b.zip");
  h.component.Script("c:\\t\\a.zip").testResult = kResultUnsupportedMethod;
  h.component.Script("c:\\t\\a.zip").unverifiedMethod = 9;
  h.component.Script("c:\\t\\b.zip").testResult = kResultBadCrc;
  h.Record().renameDisabled = true;

  RunOver(h);
  const std::string errors = h.Errors();
  EXPECT_NE(errors.find("# 110 - c:\\t\\b.zip  \r\nc:\\t\\a.zip - not verified (method 9)  \r\n"), std::string::npos);

  // A later run with nothing to note leaves no note behind.
  h.component.Script("c:\\t\\a.zip").testResult = 0;
  RunOver(h);
  EXPECT_EQ(h.Errors().find("not verified"), std::string::npos);
}

}  // namespace
}  // namespace quarrow::run
