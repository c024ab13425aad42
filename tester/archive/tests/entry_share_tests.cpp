// Tests whose entries are checked on several threads: the result, its
// detail and the Status events are those of a check on one thread, whichever
// entry's check finishes first.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "archive_tester.h"
#include "test_support.h"
#include "zip_builder.h"

namespace quarrow::archive {
namespace {

using fixtures::ZipBuilder;
using fixtures::ZipLayout;
using testing::TempDir;
namespace field = fixtures::field;

constexpr size_t kEntries = 6;

// Six entries of a little over 1 MiB each (so each raises a progress event),
// deflated and stored in turn; `change` sets options of an entry.
std::vector<uint8_t> SixEntries(ZipLayout& layout,
                                const std::function<void(size_t, fixtures::EntryOptions&)>& change = {}) {
  ZipBuilder zip;
  for (size_t i = 0; i < kEntries; ++i) {
    fixtures::EntryOptions options;
    options.method = i % 2 == 0 ? fixtures::kDeflated : fixtures::kStored;
    if (change) change(i, options);
    zip.Add("entry" + std::to_string(i) + ".txt",
            fixtures::SampleText((1 << 20) + 5000 * i, static_cast<uint32_t>(i + 1)), options);
  }
  std::vector<uint8_t> bytes = zip.Build();
  layout = zip.Layout();
  return bytes;
}

// Damage done to entry `i` of the six.
void BadCrc(std::vector<uint8_t>& bytes, const ZipLayout& layout, size_t i) {
  const uint32_t crc = 0x12345678;
  fixtures::PatchU32(bytes, layout.entries[i].local + field::kLocalCrc, crc);
  fixtures::PatchU32(bytes, layout.entries[i].central + field::kCentralCrc, crc);
}
void FlippedData(std::vector<uint8_t>& bytes, const ZipLayout& layout, size_t i) {
  fixtures::FlipByte(bytes, layout.entries[i].data + layout.entries[i].dataSize / 2);
}
// The recorded compressed size stops short of the stream's end.
void CutData(std::vector<uint8_t>& bytes, const ZipLayout& layout, size_t i) {
  const uint32_t size = static_cast<uint32_t>(layout.entries[i].dataSize / 2);
  fixtures::PatchU32(bytes, layout.entries[i].local + field::kLocalCompressedSize, size);
  fixtures::PatchU32(bytes, layout.entries[i].central + field::kCentralCompressedSize, size);
}
void UndefinedMethod(std::vector<uint8_t>& bytes, const ZipLayout& layout, size_t i) {
  fixtures::PatchU16(bytes, layout.entries[i].local + field::kLocalMethod, 77);
  fixtures::PatchU16(bytes, layout.entries[i].central + field::kCentralMethod, 77);
}
// Both headers claim more output than the data holds.
void LyingSize(std::vector<uint8_t>& bytes, const ZipLayout& layout, size_t i) {
  const uint32_t size = 3 << 20;
  fixtures::PatchU32(bytes, layout.entries[i].local + field::kLocalSize, size);
  fixtures::PatchU32(bytes, layout.entries[i].central + field::kCentralSize, size);
}
void LocalName(std::vector<uint8_t>& bytes, const ZipLayout& layout, size_t i) {
  fixtures::FlipByte(bytes, layout.entries[i].local + field::kLocalName, 0x01);
}

struct ShareCase {
  const char* name;
  std::vector<uint8_t> bytes;
};

std::vector<ShareCase> ShareCases() {
  std::vector<ShareCase> cases;
  ZipLayout layout;
  cases.push_back({"all good", SixEntries(layout)});
  using Damage = void (*)(std::vector<uint8_t>&, const ZipLayout&, size_t);
  const std::pair<const char*, Damage> damages[] = {
      {"bad crc", BadCrc},     {"flipped data", FlippedData}, {"cut data", CutData},
      {"undefined method", UndefinedMethod}, {"lying size", LyingSize}, {"local name", LocalName}};
  for (const auto& [what, damage] : damages) {
    for (const size_t at : {size_t{0}, size_t{2}, size_t{3}, kEntries - 1}) {
      std::vector<uint8_t> bytes = SixEntries(layout);
      damage(bytes, layout, at);
      cases.push_back({what, std::move(bytes)});
    }
  }
  // Two damaged entries: the earlier decides, though its kind differs.
  std::vector<uint8_t> two = SixEntries(layout);
  LocalName(two, layout, 1);
  BadCrc(two, layout, 4);
  cases.push_back({"local name then bad crc", two});
  two = SixEntries(layout);
  BadCrc(two, layout, 2);
  UndefinedMethod(two, layout, 5);
  cases.push_back({"bad crc then undefined method", two});
  // Entries that cannot be checked among good ones, and with damage after.
  const auto unverified = [](size_t i, fixtures::EntryOptions& options) {
    if (i == 1) options.compressed = fixtures::Bytes("not wavpack"), options.method = 97;
    if (i == 3) options.compressed = fixtures::Bytes("not ppmd"), options.method = 98;
  };
  cases.push_back({"unsupported methods", SixEntries(layout, unverified)});
  std::vector<uint8_t> unsupportedThenBad = SixEntries(layout, unverified);
  FlippedData(unsupportedThenBad, layout, 4);
  cases.push_back({"unsupported method then flipped data", unsupportedThenBad});
  const auto encrypted = [](size_t i, fixtures::EntryOptions& options) {
    if (i == 2) options.encrypted = true, options.method = fixtures::kStored;
    if (i == 4) options.compressed = fixtures::Bytes("not ppmd"), options.method = 98;
  };
  cases.push_back({"encrypted then unsupported", SixEntries(layout, encrypted)});
  return cases;
}

// How the helping threads come: all at once before the caller starts (so
// later entries are done before earlier ones), on a thread of their own, or
// never (the caller checks every entry through the shared path alone).
enum class Helpers { kFirst, kThread, kNever };

struct Outcome {
  int16_t result = 0;
  StructureCheck structure = StructureCheck::kNone;
  uint16_t method = 0;
  std::vector<std::string> events;  // name, processed and completion of each

  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
  *os << o.result << " " << StructureCheckName(o.structure) << " method " << o.method << ", "
      << o.events.size() << " events";
  for (const std::string& e : o.events) *os << "\n  " << e;
}

// Tests `path`, sharing its entries as `helpers` says (std::nullopt: on
// this thread alone); the status handler aborts at event `abortAt`.
Outcome TestArchive(const std::string& path, std::optional<Helpers> helpers, size_t abortAt = SIZE_MAX) {
  ArchiveTester tester;
  std::vector<std::thread> threads;
  if (helpers) {
    tester.SetEntryHelp(
        [&](const std::function<void()>& task) {
          if (*helpers == Helpers::kFirst) task();
          if (*helpers == Helpers::kThread) threads.emplace_back(task);
        },
        /*fromBytes=*/0);
  }
  Outcome outcome;
  tester.OnStatus([&](const StatusEvent& e) {
    outcome.events.push_back(e.FileName + " " + std::to_string(e.Processed) + " " + std::to_string(e.Completion));
    if (outcome.events.size() == abortAt + 1) tester.SetAbort(true);
  });
  tester.SetArchiveName(path);
  outcome.result = tester.Test();
  outcome.structure = tester.LastStructureCheck();
  outcome.method = tester.UnverifiedMethod();
  for (std::thread& thread : threads) thread.join();
  return outcome;
}

TEST(EntryShare, SharedTestsDecideAsOneThreadDoes) {
  TempDir dir;
  const std::vector<ShareCase> cases = ShareCases();
  for (size_t c = 0; c < cases.size(); ++c) {
    const std::string path = testing::WriteArchive(dir, cases[c].bytes, "case" + std::to_string(c) + ".zip");
    const Outcome alone = TestArchive(path, std::nullopt);
    for (const Helpers helpers : {Helpers::kFirst, Helpers::kThread, Helpers::kNever}) {
      SCOPED_TRACE(std::string(cases[c].name) + ", case " + std::to_string(c) + ", helpers " +
                   std::to_string(static_cast<int>(helpers)));
      EXPECT_EQ(TestArchive(path, helpers), alone);
    }
  }
}

// The table covers every kind of result the test gives.
TEST(EntryShare, CasesCoverEveryResult) {
  TempDir dir;
  std::set<int16_t> results;
  std::set<StructureCheck> checks;
  for (const ShareCase& c : ShareCases()) {
    const Outcome alone = TestArchive(testing::WriteArchive(dir, c.bytes), std::nullopt);
    results.insert(alone.result);
    checks.insert(alone.structure);
  }
  EXPECT_EQ(results, (std::set<int16_t>{kOk, kBadStructure, kBadCrc, kUnsupportedMethod, kEncrypted, kBadData}));
  EXPECT_EQ(checks, (std::set<StructureCheck>{StructureCheck::kNone, StructureCheck::kLocalHeader,
                                              StructureCheck::kUndefinedMethod}));
}

// An abort from the status handler at any event stops a shared test at the
// same point as a test on one thread, with the same events seen.
TEST(EntryShare, AbortAtAnyEventStopsWhereOneThreadStops) {
  TempDir dir;
  ZipLayout layout;
  std::vector<uint8_t> good = SixEntries(layout);
  std::vector<uint8_t> bad = good;
  FlippedData(bad, layout, 3);
  for (const std::vector<uint8_t>* bytes : {&good, &bad}) {
    const std::string path = testing::WriteArchive(dir, *bytes, bytes == &good ? "good.zip" : "bad.zip");
    const size_t events = TestArchive(path, std::nullopt).events.size();
    ASSERT_GT(events, kEntries);
    for (size_t abortAt = 0; abortAt < events; ++abortAt) {
      const Outcome alone = TestArchive(path, std::nullopt, abortAt);
      for (const Helpers helpers : {Helpers::kFirst, Helpers::kThread, Helpers::kNever}) {
        SCOPED_TRACE(path + " abort at event " + std::to_string(abortAt));
        EXPECT_EQ(TestArchive(path, helpers, abortAt), alone);
      }
    }
  }
}

// A test that starts aborted checks nothing on any thread.
TEST(EntryShare, AbortSetBeforeTheEntriesStopsAtOnce) {
  TempDir dir;
  ZipLayout layout;
  const std::string path = testing::WriteArchive(dir, SixEntries(layout));
  const Outcome shared = TestArchive(path, Helpers::kFirst, /*abortAt=*/0);
  EXPECT_EQ(shared.result, kAborted);
  EXPECT_EQ(shared.events.size(), 1u);
}

// Small archives, and extraction, stay on the caller's thread.
TEST(EntryShare, OnlyLargeTestsAreShared) {
  TempDir dir;
  ZipLayout layout;
  const std::string path = testing::WriteArchive(dir, SixEntries(layout));
  ArchiveTester tester;
  int offers = 0;
  tester.SetArchiveName(path);
  tester.SetEntryHelp([&](const std::function<void()>&) { ++offers; }, /*fromBytes=*/64 << 20);
  EXPECT_EQ(tester.Test(), kOk);
  EXPECT_EQ(offers, 0);
  tester.SetEntryHelp([&](const std::function<void()>&) { ++offers; }, /*fromBytes=*/0);
  tester.SetFileMask("*.txt");
  tester.SetDestinationFolder(dir / "out");
  EXPECT_EQ(tester.Extract(0), kOk);
  EXPECT_EQ(offers, 0);
  EXPECT_EQ(tester.Test(), kOk);
  EXPECT_EQ(offers, 1);
}

}  // namespace
}  // namespace quarrow::archive
