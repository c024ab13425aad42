#include "toolbars/model/record_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "toolbars/model/record_checked_size.h"
#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;

TEST(RecordReader, ReadsLittleEndianFieldsAndStrings) {
  Bytes b;
  b.U8(0xFE).I16(-2).I32(-100000).U32(0x8000000F).Str("Tools").Str("");
  RecordReader reader(b.data());
  EXPECT_EQ(reader.U8(), 0xFE);
  EXPECT_EQ(reader.I16(), -2);
  EXPECT_EQ(reader.I32(), -100000);
  EXPECT_EQ(reader.U32(), 0x8000000Fu);
  EXPECT_EQ(reader.String(), "Tools");
  EXPECT_EQ(reader.String(), "");
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(RecordReader, KeepsTheFirstErrorAndStopsMoving) {
  Bytes b;
  b.I16(7).Str("abc");  // 07 00 03 00 'a' 'b' 'c'
  RecordReader reader(b.data());
  EXPECT_EQ(reader.I16(), 7);
  EXPECT_EQ(reader.I32(), 0x62610003);  // needs 4 bytes, 5 remain
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(reader.I16(), 0);  // 1 byte remains
  ASSERT_TRUE(reader.Failed());
  EXPECT_EQ(*reader.Error(), (RecordError{RecordErrorCode::Truncated, 6}));
  EXPECT_EQ(reader.U8(), 0);  // the byte is there, but the reader has stopped
  EXPECT_EQ(reader.Offset(), 6u);
  EXPECT_EQ(reader.Error()->Offset, 6u);
}

TEST(RecordReader, RejectsBadStringLengths) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    RecordError error;
  };
  const Case cases[] = {
      {"negative length", Bytes().U8(9).I16(-1).U8('a').data(), {RecordErrorCode::NegativeLength, 1}},
      {"most negative length", Bytes().U8(9).I16(-32768).data(), {RecordErrorCode::NegativeLength, 1}},
      {"one byte past the end", Bytes().U8(9).I16(3).U8('a').U8('b').data(), {RecordErrorCode::Truncated, 3}},
      {"length cut in half", Bytes().U8(9).U8(3).data(), {RecordErrorCode::Truncated, 1}},
  };
  for (const Case& c : cases) {
    RecordReader reader(c.bytes);
    reader.U8();
    EXPECT_EQ(reader.String(), "") << c.name;
    ASSERT_TRUE(reader.Failed()) << c.name;
    EXPECT_EQ(*reader.Error(), c.error) << c.name;
  }
}

TEST(RecordReader, ChecksCountsAgainstTheBytesThatRemain) {
  struct Case {
    std::int16_t count;
    std::size_t itemsPresent;
    std::optional<RecordErrorCode> error;
  };
  const Case cases[] = {
      {0, 0, std::nullopt},
      {3, 3, std::nullopt},
      {4, 3, RecordErrorCode::CountTooLarge},
      {32767, 3, RecordErrorCode::CountTooLarge},
      {-1, 3, RecordErrorCode::NegativeCount},
  };
  for (const Case& c : cases) {
    Bytes b;
    b.I16(c.count);
    for (std::size_t i = 0; i < c.itemsPresent; ++i) b.I32(0);
    RecordReader reader(b.data());
    const std::size_t count = reader.Count(4);
    if (c.error) {
      EXPECT_EQ(count, 0u) << c.count;
      ASSERT_TRUE(reader.Failed()) << c.count;
      EXPECT_EQ(*reader.Error(), (RecordError{*c.error, 0})) << c.count;
    } else {
      EXPECT_EQ(count, static_cast<std::size_t>(c.count));
      EXPECT_FALSE(reader.Failed());
    }
  }
}

TEST(RecordReader, MeasuresStoredObjects) {
  Bytes b;
  b.Raw(testing::FakeStoredObject("font")).U8(0x55);
  RecordReader reader(b.data());
  EXPECT_EQ(reader.StoredObject(testing::MeasureFakeObject), testing::FakeStoredObject("font"));
  EXPECT_EQ(reader.U8(), 0x55);

  // A measure that fails, one that claims more than is there, and none at all.
  const ObjectMeasure failing = [](std::span<const std::uint8_t>) { return std::optional<std::size_t>{}; };
  const ObjectMeasure overlong = [](std::span<const std::uint8_t> rest) { return std::optional{rest.size() + 1}; };
  for (const ObjectMeasure& measure : {failing, overlong, ObjectMeasure{}}) {
    RecordReader object(b.data());
    EXPECT_TRUE(object.StoredObject(measure).empty());
    ASSERT_TRUE(object.Failed());
    EXPECT_EQ(*object.Error(), (RecordError{RecordErrorCode::ObjectUnreadable, 0}));
  }
}

// The stand-in object's length field is 32 bits; with its own 4 bytes added,
// a length near the top must not come out as a few bytes in a 32-bit build.
TEST(RecordReader, StoredObjectsWhoseLengthRunsPastTheDataAreUnreadable) {
  for (std::uint32_t length : {0xFFFFFFFFu, 0xFFFFFFFDu, 0xFFFFFFFCu, 9u}) {
    Bytes b;
    b.U32(length).Raw(std::vector<std::uint8_t>(8, 0x55));
    RecordReader reader(b.data());
    EXPECT_TRUE(reader.StoredObject(testing::MeasureFakeObject).empty()) << length;
    ASSERT_TRUE(reader.Failed()) << length;
    EXPECT_EQ(*reader.Error(), (RecordError{RecordErrorCode::ObjectUnreadable, 0})) << length;
  }
}

TEST(CheckedSize, OverflowAnywhereInAChainLeavesTheSizeInvalid) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  struct Case {
    const char* name;
    CheckedSize size;
    bool valid;
    std::uint64_t value;  // when valid
  };
  const Case cases[] = {
      {"sum at the top", CheckedSize(kMax - 1).Plus(1), true, kMax},
      {"sum past the top", CheckedSize(kMax).Plus(1), false, 0},
      {"product at the top", CheckedSize(kMax / 3).Times(3), true, kMax / 3 * 3},
      {"product past the top", CheckedSize(kMax / 3 + 1).Times(3), false, 0},
      {"product wrapping to zero", CheckedSize(std::uint64_t{1} << 32).Times(std::uint64_t{1} << 32), false, 0},
      {"zero times anything", CheckedSize(0).Times(kMax), true, 0},
      {"row of 2^31 pixels of 32 bits", CheckedSize(0x80000000u).Times(32).Plus(31).DividedBy(32).Times(4), true,
       std::uint64_t{1} << 33},
      {"invalid stays invalid", CheckedSize(kMax).Times(2).DividedBy(kMax).Plus(0), false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.size.Valid(), c.valid) << c.name;
    if (c.valid) {
      EXPECT_EQ(c.size.Value(), c.value) << c.name;
    }
    // An invalid size fits nothing, not even the largest limit.
    EXPECT_EQ(c.size.AtMost(kMax), c.valid) << c.name;
  }
  EXPECT_TRUE(CheckedSize(5).AtMost(5));
  EXPECT_FALSE(CheckedSize(6).AtMost(5));
}

TEST(CheckedSize, BecomesASizeOnlyWhereSizeTHoldsIt) {
  constexpr std::uint64_t kSizeMax = std::numeric_limits<std::size_t>::max();
  EXPECT_EQ(CheckedSize(kSizeMax).ToSize(), std::optional<std::size_t>(kSizeMax));
  if constexpr (sizeof(std::size_t) < sizeof(std::uint64_t)) {
    // A 32-bit build: 2^32 is a valid 64-bit size but no size_t.
    EXPECT_EQ(CheckedSize(kSizeMax).Plus(1).ToSize(), std::nullopt);
  }
  EXPECT_EQ(CheckedSize(std::numeric_limits<std::uint64_t>::max()).Plus(1).ToSize(), std::nullopt);
}

TEST(RecordWriter, WritesLittleEndianAndRefusesOversizedFields) {
  RecordWriter writer;
  writer.U8(1);
  writer.I16(-2);
  writer.I32(0x01020304);
  writer.String("ab");
  Result<std::vector<std::uint8_t>> bytes = std::move(writer).Finish();
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(*bytes, Bytes().U8(1).I16(-2).I32(0x01020304).Str("ab").data());

  RecordWriter longString;
  longString.U8(0);
  longString.String(std::string(32767, 'x'));
  EXPECT_FALSE(longString.Failed());
  longString.String(std::string(32768, 'x'));
  Result<std::vector<std::uint8_t>> failed = std::move(longString).Finish();
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error(), (RecordError{RecordErrorCode::ValueTooLarge, 1 + 2 + 32767}));

  RecordWriter count;
  count.Count(32768);
  EXPECT_TRUE(count.Failed());
}

}  // namespace
}  // namespace mz::records
