#include "toolbars/model/record_layout.h"

#include <gtest/gtest.h>

#include "toolbars/model/record_version.h"
#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;

LayoutStream SampleLayout() {
  return {{testing::SampleToolbar(), ToolbarRecord{}}, {{"ID_Open", true}, {"ID_Gone", false}}};
}

TEST(LayoutStream, RoundTripsToolbarsAndUsage) {
  const LayoutStream layout = SampleLayout();
  const std::vector<std::uint8_t> bytes = *EncodeLayoutStream(layout);
  RecordReader reader(bytes);
  Result<Partial<LayoutStream>> read = ReadLayoutStream(reader, kCurrentVersion);
  ASSERT_TRUE(read.ok());
  ASSERT_TRUE(read->ok());
  EXPECT_EQ(read->Value, layout);
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(LayoutStream, UsageIsWrittenAsSixteenBitBooleans) {
  const LayoutStream layout{{}, {{"A", true}, {"B", false}}};
  EXPECT_EQ(*EncodeLayoutStream(layout), Bytes().I16(0).I16(2).Str("A").I16(-1).Str("B").I16(0).data());
}

TEST(LayoutStream, UsageEntriesOnlyAboveVersion20008) {
  // One old-form toolbar, then usage entries that 0x00020008 data must not read.
  Bytes toolbar;
  toolbar.U8(3).U8(1).U8(0).U8(0).U8(0).U8(1).I16(1).I16(1).I16(0).I16(-1).I16(-1).I16(-1).I16(-1);
  toolbar.I16(-1).I16(-1).I32(31).I32(-1).I32(-1).I32(-1).I32(-1).U8(0x1F).Str("Bar").Str("");
  Bytes b;
  b.I16(1).Raw(toolbar.data()).I16(1).Str("ID_Open").I16(-1);

  RecordReader older(b.data());
  Result<Partial<LayoutStream>> read = ReadLayoutStream(older, 0x00020008);
  ASSERT_TRUE(read.ok() && read->ok());
  EXPECT_EQ(read->Value.ToolBars.size(), 1u);
  EXPECT_TRUE(read->Value.Usage.empty());
  EXPECT_EQ(older.Remaining(), 2u + 9u + 2u);

  RecordReader current(b.data());
  read = ReadLayoutStream(current, 0x00020009);
  ASSERT_TRUE(read.ok() && read->ok());
  EXPECT_EQ(read->Value.Usage, (std::vector<ToolUsage>{{"ID_Open", true}}));
}

TEST(LayoutStream, OnlyAnUnreadableToolbarCountFailsTheRead) {
  const std::vector<std::uint8_t> oneByte = {0x01};
  RecordReader tooShort(oneByte);
  Result<Partial<LayoutStream>> failed = ReadLayoutStream(tooShort, kCurrentVersion);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error(), (RecordError{RecordErrorCode::Truncated, 0}));

  // Cut inside the usage entries: the toolbars and the complete entry stay.
  const LayoutStream layout = SampleLayout();
  std::vector<std::uint8_t> bytes = *EncodeLayoutStream(layout);
  bytes.pop_back();
  RecordReader cut(bytes);
  Result<Partial<LayoutStream>> partial = ReadLayoutStream(cut, kCurrentVersion);
  ASSERT_TRUE(partial.ok());
  ASSERT_TRUE(partial->Error.has_value());
  EXPECT_EQ(partial->Error->Code, RecordErrorCode::Truncated);
  EXPECT_EQ(partial->Value.ToolBars, layout.ToolBars);
  EXPECT_EQ(partial->Value.Usage, (std::vector<ToolUsage>{{"ID_Open", true}}));

  // A toolbar count larger than the data is a failure of the records, not of the count.
  const Bytes hugeBytes = Bytes().I16(5000).Str("x");
  RecordReader huge(hugeBytes.data());
  Result<Partial<LayoutStream>> hugeRead = ReadLayoutStream(huge, kCurrentVersion);
  ASSERT_TRUE(hugeRead.ok());
  EXPECT_EQ(hugeRead->Error, (RecordError{RecordErrorCode::CountTooLarge, 2}));
}

}  // namespace
}  // namespace mz::records
