// Status events and the abort property.
#include <gtest/gtest.h>

#include "archive_tester.h"
#include "test_support.h"
#include "zip_builder.h"

namespace quarrow::archive {
namespace {

using fixtures::ZipBuilder;
using testing::TempDir;

constexpr uint32_t kMiB = 1 << 20;

struct Events {
  std::vector<StatusEvent> all;
  std::vector<StatusEvent> For(const std::string& name) const {
    std::vector<StatusEvent> found;
    for (const StatusEvent& e : all) {
      if (e.FileName == name) found.push_back(e);
    }
    return found;
  }
};

// small.txt (deflated, with a comment), big.bin (deflated, a little over
// 3 MiB) and last.txt (stored).
struct ThreeEntries {
  std::vector<uint8_t> small = fixtures::SampleText(700, 1);
  std::vector<uint8_t> big = fixtures::SampleText(3 * kMiB + 1000, 2);
  std::vector<uint8_t> last = fixtures::SampleText(300, 3);
  ZipBuilder zip;
  std::vector<uint8_t> bytes;

  ThreeEntries() {
    zip.Add("small.txt", small, {.comment = "the first one", .externalAttributes = 0x21,
                                 .dosDateTime = 0x5A8C6B2D})
        .Add("dir/big.bin", big)
        .Add("last.txt", last, {.method = fixtures::kStored});
    bytes = zip.Build();
  }
};

TEST(Status, EventsDescribeEachEntryAndItsProgress) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  Events events;
  tester.OnStatus([&](const StatusEvent& e) { events.all.push_back(e); });
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
  ASSERT_EQ(tester.Test(), kOk);

  const auto& layout = archive.zip.Layout().entries;
  const std::vector<StatusEvent> small = events.For("small.txt");
  ASSERT_EQ(small.size(), 1u);
  EXPECT_EQ(small[0].Size, archive.small.size());
  EXPECT_EQ(small[0].PSize, layout[0].dataSize);
  EXPECT_EQ(small[0].Processed, 0u);
  EXPECT_EQ(small[0].Attr, 0x21u);
  EXPECT_EQ(small[0].FTime, 0x5A8C6B2Du);
  EXPECT_EQ(small[0].CRC, fixtures::Crc32(archive.small));
  EXPECT_EQ(small[0].Ratio, 100 - static_cast<int>(100 * layout[0].dataSize / archive.small.size()));
  EXPECT_EQ(small[0].Method, "Deflated");
  EXPECT_FALSE(small[0].Encrypted);
  EXPECT_EQ(small[0].ComLen, 13);
  EXPECT_EQ(small[0].Comment, "the first one");
  EXPECT_EQ(small[0].Completion, 0);

  // The long entry reports again after every MiB of output.
  const std::vector<StatusEvent> big = events.For("dir/big.bin");
  ASSERT_EQ(big.size(), 4u);
  EXPECT_EQ(big[0].Processed, 0u);
  for (uint32_t i = 1; i < big.size(); ++i) {
    EXPECT_GE(big[i].Processed, i * kMiB);
    EXPECT_LT(big[i].Processed, (i + 1) * kMiB);
    EXPECT_EQ(big[i].Size, archive.big.size());
    EXPECT_EQ(big[i].Method, "Deflated");
  }

  // Started, then finished: the last event closes the operation.
  const std::vector<StatusEvent> last = events.For("last.txt");
  ASSERT_EQ(last.size(), 2u);
  EXPECT_EQ(last[0].Method, "Stored");
  EXPECT_EQ(last[0].Ratio, 0);
  EXPECT_EQ(last[0].Processed, 0u);
  EXPECT_EQ(last[1].Processed, archive.last.size());
  EXPECT_EQ(events.all.size(), small.size() + big.size() + last.size());
  EXPECT_EQ(events.all.back().FileName, "last.txt");
  EXPECT_EQ(events.all.back().Completion, 100);
}

TEST(Status, CompletionRisesFromZeroToOneHundred) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  std::vector<int> completion;
  tester.OnStatus([&](const StatusEvent& e) { completion.push_back(e.Completion); });
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));

  for (const std::string mask : {"", "*.txt", "big.bin"}) {
    completion.clear();
    tester.SetFileMask(mask);
    ASSERT_EQ(tester.Test(), kOk) << mask;
    ASSERT_FALSE(completion.empty()) << mask;
    EXPECT_EQ(completion.front(), 0) << mask;
    EXPECT_EQ(completion.back(), 100) << mask;
    EXPECT_TRUE(std::is_sorted(completion.begin(), completion.end())) << mask;
  }
  // Within the big entry the value moves before the entry ends.
  tester.SetFileMask("big.bin");
  completion.clear();
  ASSERT_EQ(tester.Test(), kOk);
  EXPECT_GT(completion[1], 0);
  EXPECT_LT(completion[1], 100);
}

TEST(Status, OnlyEntriesMatchingTheMaskAreReported) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  Events events;
  tester.OnStatus([&](const StatusEvent& e) { events.all.push_back(e); });
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
  tester.SetFileMask("*.TXT");
  ASSERT_EQ(tester.Test(), kOk);
  EXPECT_TRUE(events.For("dir/big.bin").empty());
  EXPECT_EQ(events.For("small.txt").size(), 1u);
  EXPECT_EQ(events.For("last.txt").size(), 2u);
}

TEST(Status, HandlerMayRunAnotherOperation) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  const std::string path = testing::WriteArchive(dir, archive.bytes);
  tester.SetArchiveName(path);
  std::vector<int> nestedResults;
  std::vector<std::string> outerNames;
  bool nested = false;
  tester.OnStatus([&](const StatusEvent& e) {
    if (nested) return;
    outerNames.push_back(e.FileName);
    if (e.Processed != 0) return;
    nested = true;
    nestedResults.push_back(tester.Test());
    nested = false;
  });
  EXPECT_EQ(tester.Test(), kOk);
  EXPECT_EQ(nestedResults, std::vector<int>(3, kOk));
  EXPECT_EQ(outerNames.back(), "last.txt");
  EXPECT_EQ(outerNames.size(), 7u);  // three starts, three MiB marks, the final event
}

TEST(Abort, FromTheHandlerInsideALargeEntryStopsTheOperation) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  Events events;
  tester.OnStatus([&](const StatusEvent& e) {
    events.all.push_back(e);
    if (e.Processed > 0) tester.SetAbort(true);
  });
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
  EXPECT_EQ(tester.Test(), kAborted);
  EXPECT_TRUE(tester.Abort());
  // Nothing more after the event that asked to stop.
  ASSERT_FALSE(events.all.empty());
  EXPECT_EQ(events.all.back().FileName, "dir/big.bin");
  EXPECT_GT(events.all.back().Processed, 0u);
  EXPECT_LT(events.all.back().Processed, archive.big.size());

  // The next operation clears the flag and runs to the end.
  tester.OnStatus({});
  EXPECT_EQ(tester.Test(), kOk);
  EXPECT_FALSE(tester.Abort());
}

TEST(Abort, AtAnEntryStartStopsBothOperations) {
  ThreeEntries archive;
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "dest");
  ArchiveTester tester;
  std::vector<std::string> started;
  tester.OnStatus([&](const StatusEvent& e) {
    started.push_back(e.FileName);
    if (e.FileName == "last.txt") tester.SetAbort(true);
  });
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
  tester.SetDestinationFolder(dir / "dest");
  tester.SetFileMask("*.txt");
  EXPECT_EQ(tester.Extract(0), kAborted);
  EXPECT_TRUE(tester.Abort());
  // small.txt was written before the abort; last.txt was not.
  EXPECT_EQ(testing::ListTree(dir.Path() / "dest"), std::vector<std::string>{"small.txt"});

  started.clear();
  tester.SetFileMask("");
  EXPECT_EQ(tester.Test(), kAborted);
  EXPECT_EQ(started.back(), "last.txt");
}

TEST(Abort, AtAnyEventStopsTheOperationIncludingTheLast) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
  size_t eventCount = 0;
  tester.OnStatus([&](const StatusEvent&) { ++eventCount; });
  ASSERT_EQ(tester.Test(), kOk);
  ASSERT_EQ(eventCount, 7u);  // three starts, three MiB marks, the final event

  for (size_t abortAt = 0; abortAt < eventCount; ++abortAt) {
    size_t seen = 0;
    tester.OnStatus([&](const StatusEvent&) {
      if (seen++ == abortAt) tester.SetAbort(true);
    });
    EXPECT_EQ(tester.Test(), kAborted) << "abort at event " << abortAt;
    EXPECT_EQ(seen, abortAt + 1) << "no event after the abort";
  }
}

TEST(Abort, SetBeforeAnOperationIsClearedByIt) {
  ThreeEntries archive;
  TempDir dir;
  ArchiveTester tester;
  tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
  tester.SetAbort(true);
  EXPECT_EQ(tester.Test(), kOk);
  EXPECT_FALSE(tester.Abort());
}

}  // namespace
}  // namespace quarrow::archive
