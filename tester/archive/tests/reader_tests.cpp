// The low-level readers: the bounded cursor, checked arithmetic and the byte
// sources.
#include <gtest/gtest.h>

#include <atomic>

#include "archive_operation.h"
#include "buffered_reader.h"
#include "byte_cursor.h"
#include "byte_source.h"
#include "checked_math.h"
#include "test_support.h"
#include "zip_builder.h"

namespace quarrow::archive {
namespace {

TEST(ByteCursor, ReadsLittleEndianAndFailsStickily) {
  const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
  ByteCursor cursor(bytes);
  EXPECT_EQ(cursor.U16(), 0x0201);
  EXPECT_EQ(cursor.U32(), 0x06050403u);
  EXPECT_TRUE(cursor.Ok());
  EXPECT_EQ(cursor.U16(), 0);  // only one byte left
  EXPECT_FALSE(cursor.Ok());
  EXPECT_EQ(cursor.U8(), 0);   // the byte that was left is not handed out any more
  EXPECT_TRUE(cursor.Bytes(1).empty());
  EXPECT_FALSE(cursor.Ok());
}

TEST(CheckedMath, SumsAndRangesNeverWrap) {
  EXPECT_EQ(CheckedAdd(UINT64_MAX - 1, 1), UINT64_MAX);
  EXPECT_EQ(CheckedAdd(UINT64_MAX, 1), std::nullopt);
  EXPECT_TRUE(RangeWithin(10, 5, 15));
  EXPECT_FALSE(RangeWithin(10, 6, 15));
  EXPECT_FALSE(RangeWithin(16, 0, 15));
  EXPECT_FALSE(RangeWithin(8, UINT64_MAX, 15));
  EXPECT_EQ(PercentOf(1, 3), 33u);
  EXPECT_EQ(PercentOf(3, 3), 100u);
  EXPECT_EQ(PercentOf(5, 0), 0u);
  EXPECT_EQ(PercentOf(UINT64_MAX / 2, UINT64_MAX), 49u);
  EXPECT_EQ(PercentOf(UINT64_MAX, 1), UINT64_MAX);
}

TEST(ByteSource, FileAndMemoryServeTheSameBytesAndRefuseReadsPastTheEnd) {
  testing::TempDir dir;
  const std::vector<uint8_t> data = fixtures::SampleNoise(300000);
  const std::string path = testing::WriteArchive(dir, data, "data.bin");
  std::unique_ptr<FileByteSource> file = FileByteSource::Open(path);
  ASSERT_NE(file, nullptr);
  MemoryByteSource memory(data);
  for (ByteSource* source : {static_cast<ByteSource*>(file.get()), static_cast<ByteSource*>(&memory)}) {
    EXPECT_EQ(source->Size(), data.size());
    std::vector<uint8_t> window(4096);
    BufferedReader reader(*source, window);
    // Backwards and forwards across window boundaries.
    for (const uint64_t offset : {299000u, 5u, 4095u, 4096u, 150000u}) {
      const auto got = reader.Read(offset, 1000);
      ASSERT_TRUE(got.has_value()) << offset;
      EXPECT_TRUE(std::equal(got->begin(), got->end(), data.begin() + offset)) << offset;
    }
    const auto tail = reader.ReadSome(299990, 1000);
    ASSERT_TRUE(tail.has_value());
    EXPECT_EQ(tail->size(), 10u);
    EXPECT_FALSE(reader.Read(299990, 11).has_value());
    EXPECT_FALSE(reader.Read(0, 4097).has_value());
    std::vector<uint8_t> out(11);
    EXPECT_FALSE(source->ReadAt(299990, out));
  }
  EXPECT_EQ(FileByteSource::Open(dir / "missing.bin"), nullptr);
}

TEST(MemoryOperation, RunsOverBytesInMemory) {
  fixtures::ZipBuilder zip;
  zip.Add("file_id.diz", "text").Add("data.bin", fixtures::SampleNoise(1000), {.method = 98});
  const std::vector<uint8_t> bytes = zip.Build();
  MemoryByteSource source(bytes);
  std::atomic<bool> abort{false};
  OperationWorkspace workspace;
  OperationSettings settings;
  ResultDetail detail;
  EXPECT_EQ(RunOperation(source, settings, abort, {}, workspace, detail), kUnsupportedMethod);
  EXPECT_EQ(detail.method, 98);
  settings.kind = OperationKind::kExtract;
  settings.fileMask = "*.diz";
  EXPECT_EQ(RunOperation(source, settings, abort, {}, workspace, detail), kOk);
  EXPECT_EQ(detail.method, 0);
  abort = true;
  EXPECT_EQ(RunOperation(source, settings, abort, {}, workspace, detail), kAborted);
}

// An unverified method noted early does not describe a worse result later.
TEST(MemoryOperation, TheUnverifiedMethodGoesWithResult120Only) {
  fixtures::ZipBuilder zip;
  zip.Add("data.bin", fixtures::SampleNoise(1000), {.method = 98})
      .Add("bad.txt", "ab", {.method = 0, .compressed = std::vector<uint8_t>{'x', 'y'}});
  const std::vector<uint8_t> bytes = zip.Build();
  MemoryByteSource source(bytes);
  std::atomic<bool> abort{false};
  OperationWorkspace workspace;
  ResultDetail detail;
  EXPECT_EQ(RunOperation(source, OperationSettings{}, abort, {}, workspace, detail), kBadCrc);
  EXPECT_EQ(detail.method, 0);
}

}  // namespace
}  // namespace quarrow::archive
