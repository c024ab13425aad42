// Drop runs: what is checked for each arrangement of dropped items, and one
// log entry per item.
#include <gtest/gtest.h>

#include "harness.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

// The path lines and tested counts of the log's entries, in order.
Strings EntrySummaries(const std::string& log) {
  Strings out;
  size_t at = 0;
  while ((at = log.find("(Drag n drop)\r\n", at)) != std::string::npos) {
    at += 15;
    const size_t testedEnd = log.find("\r\n", at);
    const size_t path = log.find(" Path tested - ", at);
    out.push_back(log.substr(at, testedEnd - at) + " | " + log.substr(path + 15, log.find("\r\n", path) - path - 15));
  }
  return out;
}

struct DropTree : Harness {
  DropTree() {
    platform.AddFile("c:\\t\\one\\a.zip", "PK-1");
    platform.AddFile("c:\\t\\one\\deep\\b.zip", "PK-22");
    platform.AddFile("c:\\t\\two\\c.zip", "PK-333");
    platform.AddFile("c:\\t\\three\\d.zip", "PK-4444");
    platform.AddFile("c:\\t\\Single.ZIP", "PK-single");
  }
};

TEST(DropRun, OneArchiveIsCheckedOnceWithOneLogEntry) {
  DropTree h;

  h.engine.DropRun({"C:\\T\\Single.ZIP"});

  EXPECT_EQ(h.component.Operations(), (Strings{"extract C:\\T\\Single.ZIP 0", "test C:\\T\\Single.ZIP"}));
  EXPECT_EQ(EntrySummaries(h.Log()), (Strings{" 1 tested | c:\\t\\single.zip\\"}));
  EXPECT_NE(h.Log().find(" 9 bytes tested\r\n"), std::string::npos);
  EXPECT_EQ(h.platform.labels[Label::kArchiveName], "9 bytes tested");
  EXPECT_EQ(h.platform.labels[Label::kEntrySize], "in . sec's");
  EXPECT_TRUE(h.platform.summaries.empty());
  EXPECT_FALSE(h.Record().running);
}

TEST(DropRun, BrowseIsEnabledAgainWhenTheDropEnds) {
  for (const Strings& items : {Strings{"c:\\t\\single.zip"}, Strings{"c:\\t\\one", "c:\\t\\two"}}) {
    SCOPED_TRACE(items[0]);
    DropTree h;
    h.engine.DropRun(items);
    ASSERT_FALSE(h.platform.EffectsOf("button").empty());
    EXPECT_EQ(h.platform.EffectsOf("button").back(), "on");
    EXPECT_EQ(h.platform.EffectsOf("menu").back(), "on");
  }
}

TEST(DropRun, ArchiveFirstChecksOnlyTheArchive) {
  DropTree h;

  h.engine.DropRun({"c:\\t\\single.zip", "c:\\t\\one", "c:\\t\\two"});

  EXPECT_EQ(h.component.Operations(), (Strings{"extract c:\\t\\single.zip 0", "test c:\\t\\single.zip"}));
  EXPECT_EQ(EntrySummaries(h.Log()), (Strings{" 1 tested | c:\\t\\single.zip\\"}));
}

TEST(DropRun, FolderFirstTreatsALaterArchiveAsAnEmptyFolder) {
  DropTree h;

  h.engine.DropRun({"c:\\t\\one", "c:\\t\\single.zip"});

  EXPECT_EQ(h.component.Operations(), (Strings{"extract c:\\t\\one\\a.zip 0", "test c:\\t\\one\\a.zip",
                                               "extract c:\\t\\one\\deep\\b.zip 0", "test c:\\t\\one\\deep\\b.zip"}));
  EXPECT_EQ(EntrySummaries(h.Log()), (Strings{" 2 tested | c:\\t\\one\\", " 0 tested | c:\\t\\single.zip\\"}));
}

TEST(DropRun, ThreeFoldersWriteThreeEntriesWithTheirOwnCounts) {
  DropTree h;
  h.component.Script("c:\\t\\two\\c.zip").testResult = kResultBadCrc;
  h.Record().renameDisabled = true;

  h.engine.DropRun({"c:\\t\\one", "c:\\t\\two", "c:\\t\\three"});

  EXPECT_EQ(EntrySummaries(h.Log()),
            (Strings{" 2 tested | c:\\t\\one\\", " 1 tested | c:\\t\\two\\", " 1 tested | c:\\t\\three\\"}));
  const std::string log = h.Log();
  EXPECT_NE(log.find(" 9 bytes tested\r\n"), std::string::npos);
  EXPECT_NE(log.find(" 6 bytes tested\r\n 15 - total"), std::string::npos);
  EXPECT_NE(log.find(" 7 bytes tested\r\n 22 - total"), std::string::npos);
  // The errors file belongs to the item that had the bad archive.
  EXPECT_NE(h.Errors().find(" Path tested - c:\\t\\two\\\r\n# 110 - c:\\t\\two\\c.zip  \r\n"), std::string::npos);
  EXPECT_EQ(h.platform.editorFiles, (Strings{"c:\\qrw\\errors.txt"}));  // only after the item with bad archives
  EXPECT_EQ(h.Record().zipsTested, 0);  // reset after each item
}

TEST(DropRun, ANonexistentItemYieldsAnEntryWithZeroCounts) {
  DropTree h;

  h.engine.DropRun({"c:\\nowhere"});

  EXPECT_EQ(EntrySummaries(h.Log()), (Strings{" 0 tested | c:\\nowhere\\"}));
  EXPECT_EQ(h.platform.labels[Label::kArchiveName], "");  // nothing tested: no byte count shown
}

TEST(DropRun, ADropDuringARunIsNotTaken) {
  DropTree h;
  h.platform.browseAnswers = {"c:\\t\\one"};
  bool dropped = false;
  h.platform.onProcessEvents = [&] {
    if (!dropped && h.Record().running) {
      dropped = true;
      h.engine.DropRun({"c:\\t\\two"});
    }
  };

  h.engine.StartRun();

  EXPECT_TRUE(dropped);
  EXPECT_EQ(h.Record().zipsTested, 2);
  EXPECT_EQ(h.Log().find("(Drag n drop)"), std::string::npos);
  EXPECT_EQ(h.component.Operations().size(), 4u);
}

}  // namespace
}  // namespace quarrow::run
