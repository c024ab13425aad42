#include "toolbars/model/record_control_block.h"

#include <gtest/gtest.h>

#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;

std::vector<std::uint8_t> Encode(const ControlPropertyBlock& block) {
  RecordWriter writer;
  WriteControlBlock(writer, block);
  return *std::move(writer).Finish();
}

std::int64_t FieldAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  if (width == 2) return static_cast<std::int16_t>(value);
  if (width == 4) return static_cast<std::int32_t>(value);
  return value;
}

TEST(ControlBlock, NewBlockHoldsTheTableDefaults) {
  const ControlPropertyBlock block;
  for (const ControlDefaultRow& row : kControlDefaults) {
    EXPECT_EQ(GetControlProperty(block, row.Property), row.Default) << row.Name;
  }
  for (const ControlBooleanRow& row : kControlBooleans) EXPECT_EQ(block.*row.Member, row.Default) << row.Name;
  EXPECT_FALSE(block.FontSet);
  EXPECT_FALSE(block.HasPictureBackground);
  // The Boolean byte of a new control.
  EXPECT_EQ(Encode(block)[23], 0x66);
}

TEST(ControlBlock, TableOrderNamesAndTypes) {
  const char* names[] = {"BackColor", "FontSource", "ForeColor", "MenuAnimations", "PictureBackgroundMaskColor",
                         "PictureBackgroundStyle", "ToolBarsCount", "ToolsCount", "ToolTipDelay", "PersonalizedMenus",
                         "Style"};
  ASSERT_EQ(kControlDefaults.size(), std::size(names));
  for (std::size_t i = 0; i < kControlDefaults.size(); ++i) {
    const ControlDefaultRow& row = kControlDefaults[i];
    EXPECT_EQ(row.Name, names[i]);
    EXPECT_EQ(row.Type, row.Width == 4 ? BagType::I4 : BagType::I2) << row.Name;
  }
}

// Each row's offset and width must be where the block encoding puts it: set
// every property to a distinct value and read it back from the bytes.
TEST(ControlBlock, TableOffsetsMatchTheEncoding) {
  ControlPropertyBlock block;
  std::int32_t value = 0x21;
  for (const ControlDefaultRow& row : kControlDefaults) {
    const std::int32_t distinct = row.Width == 4 ? 0x01020300 + value : value;
    ASSERT_TRUE(SetControlProperty(block, row.Property, distinct)) << row.Name;
    ++value;
  }
  const std::vector<std::uint8_t> bytes = Encode(block);
  ASSERT_EQ(bytes.size(), kControlBlockSize);
  for (const ControlDefaultRow& row : kControlDefaults) {
    EXPECT_EQ(FieldAt(bytes, row.Offset, row.Width), GetControlProperty(block, row.Property)) << row.Name;
  }
  for (const ControlBooleanRow& row : kControlBooleans) {
    ControlPropertyBlock single;
    for (const ControlBooleanRow& other : kControlBooleans) single.*other.Member = false;
    single.*row.Member = true;
    EXPECT_EQ(Encode(single)[23], 1u << row.Bit) << row.Name;
  }
}

TEST(ControlBlock, SetRefusesValuesThatDoNotFitTheField) {
  struct Case {
    ControlProperty property;
    std::int32_t value;
    bool fits;
  };
  const Case cases[] = {
      {ControlProperty::Style, 255, true},          {ControlProperty::Style, 256, false},
      {ControlProperty::FontSource, -1, false},     {ControlProperty::ToolTipDelay, 32767, true},
      {ControlProperty::ToolTipDelay, 32768, false}, {ControlProperty::ToolsCount, -32768, true},
      {ControlProperty::BackColor, static_cast<std::int32_t>(0x80000005u), true},
  };
  for (const Case& c : cases) {
    ControlPropertyBlock block;
    const ControlPropertyBlock before = block;
    EXPECT_EQ(SetControlProperty(block, c.property, c.value), c.fits) << c.value;
    if (c.fits) EXPECT_EQ(GetControlProperty(block, c.property), c.value);
    else EXPECT_EQ(block, before);
  }
}

TEST(ControlBlock, RoundTripsEveryField) {
  const ControlPropertyBlock block = testing::SampleControlStream().Block;
  const std::vector<std::uint8_t> bytes = Encode(block);
  RecordReader reader(bytes);
  Result<ControlPropertyBlock> read = ReadControlBlock(reader, kCurrentVersion);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, block);
  EXPECT_EQ(reader.Offset(), kControlBlockSize);
}

TEST(ControlBlock, OlderFormHasNoPersonalizedMenusOrStyle) {
  // Offsets 0..19 as now, 20 unused, 21 PictureBackgroundStyle, 22 the
  // Booleans, 23 the presence flags.
  Bytes b;
  b.U32(0x000000FF).U32(0x0000FF00).U32(0x00FF0000).I16(2).I16(3).I16(250).U8(1).U8(2);
  b.U8(0x77).U8(3).U8(0x81).U8(kPresenceFont | kPresencePictureBackground);
  for (std::uint32_t version : {0x00010003u, 0x00020000u, 0x00020001u}) {
    RecordReader reader(b.data());
    Result<ControlPropertyBlock> read = ReadControlBlock(reader, version);
    ASSERT_TRUE(read.ok()) << std::hex << version;
    EXPECT_EQ(reader.Offset(), kOlderControlBlockSize);
    EXPECT_EQ(read->BackColor, 0x000000FFu);
    EXPECT_EQ(read->PictureBackgroundMaskColor, 0x00FF0000u);
    EXPECT_EQ(read->ToolBarsCount, 2);
    EXPECT_EQ(read->ToolsCount, 3);
    EXPECT_EQ(read->ToolTipDelay, 250);
    EXPECT_EQ(read->MenuAnimations, 2);
    EXPECT_EQ(read->PersonalizedMenus, 0);
    EXPECT_EQ(read->Style, 0);
    EXPECT_EQ(read->PictureBackgroundStyle, 3);
    EXPECT_TRUE(read->ActiveColors);
    EXPECT_FALSE(read->Enabled);
    EXPECT_TRUE(read->LargeIcons);
    EXPECT_TRUE(read->FontSet);
    EXPECT_TRUE(read->HasPictureBackground);
  }
  // The same bytes as current data: offset 20 is PersonalizedMenus, 22 Style.
  RecordReader current(b.data());
  EXPECT_FALSE(ReadControlBlock(current, 0x00020002).ok());  // one byte short
}

TEST(ControlBlock, BagFallbackDependsOnTheVersion) {
  for (const ControlDefaultRow& row : kControlDefaults) {
    const bool newer = row.Property == ControlProperty::PersonalizedMenus || row.Property == ControlProperty::Style;
    EXPECT_EQ(ControlPropertyFallback(row, 0x00020001), newer ? 0 : row.Default) << row.Name;
    EXPECT_EQ(ControlPropertyFallback(row, 0x00020002), row.Default) << row.Name;
  }
}

}  // namespace
}  // namespace mz::records
