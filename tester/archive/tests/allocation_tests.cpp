// Allocations made while reading a hostile directory stay within what the
// archive's own bytes could describe, and inflating an entry allocates
// nothing sized by the entry. Its own executable: it replaces the
// global operator new to watch every allocation.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "archive_operation.h"
#include "byte_source.h"
#include "zip_builder.h"

namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

}  // namespace

void* operator new(size_t size) {
  if (watching.load() && size > largest.load()) largest.store(size);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// GCC takes the replaced pair for a mismatch; both sides use malloc and free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace quarrow::archive {
namespace {

TEST(Allocation, ClaimedEntryCountDoesNotSizeTheDirectory) {
  // 2 MiB of zeros as the "central directory", and an end record claiming
  // as many entries as 46-byte records could fill it with.
  constexpr size_t kCentralSize = 2 << 20;
  std::vector<uint8_t> bytes(kCentralSize + 22, 0);
  const size_t end = kCentralSize;
  fixtures::PatchU32(bytes, end, 0x06054b50);
  const uint16_t claimed = static_cast<uint16_t>(kCentralSize / 46);
  fixtures::PatchU16(bytes, end + fixtures::field::kEndEntriesOnDisk, claimed);
  fixtures::PatchU16(bytes, end + fixtures::field::kEndEntries, claimed);
  fixtures::PatchU32(bytes, end + fixtures::field::kEndCentralSize, kCentralSize);
  fixtures::PatchU32(bytes, end + fixtures::field::kEndCentralOffset, 0);

  MemoryByteSource source(bytes);
  OperationWorkspace workspace;
  std::atomic<bool> abort{false};
  ResultDetail detail;
  largest = 0;
  watching = true;
  const ResultCode result = RunOperation(source, OperationSettings{}, abort, {}, workspace, detail);
  watching = false;
  EXPECT_EQ(result, kBadStructure);
  EXPECT_EQ(detail.structure, StructureCheck::kCentralDirectory);
  EXPECT_LT(largest.load(), kCentralSize / 4) << "an allocation sized by the claimed count";
}

TEST(Allocation, InflatingALargeEntryAllocatesNothingOfItsSize) {
  constexpr size_t kEntrySize = 32 << 20;
  fixtures::ZipBuilder zip;
  zip.Add("zeros.bin", std::vector<uint8_t>(kEntrySize, 0));
  const std::vector<uint8_t> bytes = zip.Build();
  MemoryByteSource source(bytes);
  for (const InflateEngine engine : InflateEngines()) {
    OperationWorkspace workspace;
    OperationSettings settings;
    settings.engine = engine;
    std::atomic<bool> abort{false};
    ResultDetail detail;
    largest = 0;
    watching = true;
    const ResultCode result = RunOperation(source, settings, abort, {}, workspace, detail);
    watching = false;
    EXPECT_EQ(result, kOk) << InflateEngineName(engine);
    // The decoder's state and window are the largest things made here.
    EXPECT_LT(largest.load(), size_t{1} << 20) << InflateEngineName(engine);
  }
}

}  // namespace
}  // namespace quarrow::archive
