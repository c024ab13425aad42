#include "toolbars/model/record_tool.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "toolbars/model/record_version.h"
#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;

std::vector<std::uint8_t> EncodeTool(const ToolRecord& tool) {
  RecordWriter writer;
  WriteToolRecord(writer, tool);
  return *std::move(writer).Finish();
}

std::vector<std::uint8_t> EncodePlaced(const ToolInstanceRecord& tool) {
  RecordWriter writer;
  WritePlacedTool(writer, tool);
  return *std::move(writer).Finish();
}

Result<ToolRecord> DecodeTool(const std::vector<std::uint8_t>& bytes, std::uint32_t version = kCurrentVersion,
                              std::size_t* consumed = nullptr) {
  RecordReader reader(bytes);
  Result<ToolRecord> tool = ReadToolRecord(reader, version, testing::MeasureFakeObject);
  if (consumed) *consumed = reader.Offset();
  return tool;
}

TEST(ToolRecord, RoundTripsEveryKind) {
  for (const ToolRecord& tool : {testing::SampleButton(), testing::SampleCombo(), testing::SampleEdit(),
                                 testing::SampleMenu(), ToolRecord{}}) {
    const std::vector<std::uint8_t> bytes = EncodeTool(tool);
    std::size_t consumed = 0;
    Result<ToolRecord> read = DecodeTool(bytes, kCurrentVersion, &consumed);
    ASSERT_TRUE(read.ok()) << tool.Instance.ID;
    EXPECT_EQ(*read, tool) << tool.Instance.ID;
    EXPECT_EQ(consumed, bytes.size()) << tool.Instance.ID;
  }
}

TEST(ToolRecord, WritesTheCurrentLayout) {
  ToolRecord tool = testing::SampleEdit();
  tool.HasPicture[kPictureDown] = true;
  tool.PictureWidth = 16;
  tool.PictureHeight = 15;
  Bytes expected;
  expected.U8(1).U8(2).U32(0x00123456).I16(120).U8(0).Str("&ID_Edit").Str("ID_Edit");
  // State, Type, Shortcut, MenuVisibility, PictureSize, width, height.
  expected.U8(1).U8(5).U8(7).U8(1).I16(24).I16(16).I16(15);
  // AutoWrap and has PictureDown; then the kept bit and RecentlyUsed.
  expected.U8(0x81).U8(0x0A);
  expected.Str("Category of ID_Edit").Str("Description").Str("Group").Str("Tip").Str("Tag");
  expected.I16(40).U8(1).Str("typed").Str("*");
  EXPECT_EQ(EncodeTool(tool), expected.data());
}

TEST(ToolRecord, KeepsTheUninterpretedFlagBit) {
  for (bool kept : {false, true}) {
    ToolRecord tool;
    tool.KeptFlag = kept;
    const std::vector<std::uint8_t> bytes = EncodeTool(tool);
    // Instance part (9 + 2 + 2 bytes), then byte 11 of the full part.
    EXPECT_EQ((bytes[13 + 11] & 0x02) != 0, kept);
    EXPECT_EQ(DecodeTool(bytes)->KeptFlag, kept);
  }
}

TEST(ToolRecord, WithoutPicturesWritesZeroSize) {
  ToolRecord tool;
  tool.PictureWidth = 24;  // stale size, no picture
  tool.PictureHeight = 24;
  const std::vector<std::uint8_t> bytes = EncodeTool(tool);
  RecordReader reader(bytes);
  reader.Bytes(13 + 6);
  EXPECT_EQ(reader.I16(), 0);
  EXPECT_EQ(reader.I16(), 0);

  tool.HasPicture[kPictureDownDisabled] = true;  // any one picture keeps the size
  Result<ToolRecord> read = DecodeTool(EncodeTool(tool));
  EXPECT_EQ(read->PictureWidth, 24);
  EXPECT_EQ(read->PictureHeight, 24);
}

TEST(ToolRecord, ComboWithoutItemsWritesCountZero) {
  ToolRecord tool;
  tool.Type = kToolTypeComboBox;
  tool.ComboBox.Text = "x";
  const std::vector<std::uint8_t> bytes = EncodeTool(tool);
  const std::vector<std::uint8_t> tail = Bytes().U8(0).U8(0).Str("x").I16(0).data();
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<std::ptrdiff_t>(tail.size())));
  EXPECT_EQ(DecodeTool(bytes)->ComboBox, tool.ComboBox);
}

TEST(ToolRecord, OnlyTheSubRecordOfTheTypeIsWritten) {
  ToolRecord button = testing::SampleButton();
  button.ComboBox = testing::SampleCombo().ComboBox;
  button.Menu = testing::SampleMenu().Menu;
  EXPECT_EQ(EncodeTool(button), EncodeTool(testing::SampleButton()));
}

TEST(PlacedTool, CtlWidthIsWrittenAsAtLeastOneButKeepsTheToolsOwnMarker) {
  struct Case {
    std::int16_t width;
    std::int16_t placedWritten;
    std::int16_t toolWritten;
  };
  const Case cases[] = {{-1, -1, 1}, {0, 1, 1}, {-7, 1, 1}, {1, 1, 1}, {75, 75, 75}};
  for (const Case& c : cases) {
    ToolInstanceRecord placed;
    placed.CtlWidth = c.width;
    const std::vector<std::uint8_t> placedEncoded = EncodePlaced(placed);
    RecordReader placedBytes(placedEncoded);
    placedBytes.Bytes(6);
    EXPECT_EQ(placedBytes.I16(), c.placedWritten) << c.width;

    ToolRecord tool;
    tool.Instance.CtlWidth = c.width;
    const std::vector<std::uint8_t> toolEncoded = EncodeTool(tool);
    RecordReader toolBytes(toolEncoded);
    toolBytes.Bytes(6);
    EXPECT_EQ(toolBytes.I16(), c.toolWritten) << c.width;
  }
}

TEST(PlacedTool, OlderInstancePartHasNoFlagsAndIsVisible) {
  const std::vector<std::uint8_t> bytes = Bytes().U8(1).U8(3).U32(0xFF).I16(-1).Str("Cap").Str("ID_X").data();
  RecordReader reader(bytes);
  Result<ToolInstanceRecord> tool = ReadPlacedTool(reader, 0x00020002);
  ASSERT_TRUE(tool.ok());
  EXPECT_EQ(reader.Offset(), bytes.size());
  EXPECT_EQ(tool->DisplayStyle, 3);
  EXPECT_EQ(tool->CtlWidth, -1);
  EXPECT_TRUE(tool->VisibleHere);
  EXPECT_EQ(tool->Name, "Cap");
  EXPECT_EQ(tool->ID, "ID_X");
}

// The full part in each of its forms, written by hand: State 1, Type 0,
// Shortcut 5, MenuVisibility 1 where stored, PictureSize 24, pictures 20 x 18
// where stored, first flags 0x21 (AutoWrap, has Picture), second flags 0x0E
// (kept bit, Customizable, RecentlyUsed) of which older data keeps bits 0, 1.
TEST(ToolRecord, ReadsEveryOlderFullPart) {
  struct Case {
    std::uint32_t version;
    std::uint8_t menuVisibility;
    std::int16_t width, height;
    bool customizable, recentlyUsed;
  };
  const Case cases[] = {
      {0x00020009, 1, 20, 18, true, true},   {0x00020002, 1, 20, 18, true, true},
      {0x00020001, 0, 20, 18, true, true},   {0x00020000, 0, 20, 18, true, false},
      {0x00010004, 0, 20, 18, true, false},  {0x00010003, 0, 16, 16, true, false},
  };
  for (const Case& c : cases) {
    Bytes b;
    b.U8(0).U8(0).U32(0).I16(75);
    if (c.version > 0x00020002) b.U8(1);
    b.Str("N").Str("ID");
    b.U8(1).U8(0).U8(5);
    if (c.version > 0x00020001) b.U8(1).I16(24).I16(20).I16(18).U8(0x21).U8(0x0E);
    else if (c.version == 0x00020001) b.I16(24).I16(20).I16(18).U8(0x21).U8(0x0E);
    else if (c.version >= 0x00010004) b.I16(24).U8(0x21).U8(0x0E).I16(20).I16(18);
    else b.I16(24).U8(0x21).U8(0x0E);
    b.Str("Cat").Str("").Str("").Str("").Str("");
    if (c.version < 0x00010004) b.Raw(testing::FakeStoredObject("pic"));

    std::size_t consumed = 0;
    Result<ToolRecord> tool = DecodeTool(b.data(), c.version, &consumed);
    ASSERT_TRUE(tool.ok()) << std::hex << c.version;
    EXPECT_EQ(consumed, b.size()) << std::hex << c.version;
    EXPECT_EQ(tool->State, 1);
    EXPECT_EQ(tool->Shortcut, 5);
    EXPECT_EQ(tool->PictureSize, 24);
    EXPECT_TRUE(tool->AutoWrap);
    EXPECT_TRUE(tool->HasPicture[kPicture]);
    EXPECT_TRUE(tool->KeptFlag);
    EXPECT_EQ(tool->Category, "Cat");
    EXPECT_EQ(tool->MenuVisibility, c.menuVisibility) << std::hex << c.version;
    EXPECT_EQ(tool->PictureWidth, c.width) << std::hex << c.version;
    EXPECT_EQ(tool->PictureHeight, c.height) << std::hex << c.version;
    EXPECT_EQ(tool->Customizable, c.customizable) << std::hex << c.version;
    EXPECT_EQ(tool->RecentlyUsed, c.recentlyUsed) << std::hex << c.version;
    const bool inline_ = c.version < 0x00010004;
    EXPECT_EQ(tool->InlinePictures[kPicture], inline_ ? testing::FakeStoredObject("pic") : std::vector<std::uint8_t>{});
  }
}

TEST(ToolRecord, OlderDataOnlyHasTwoBitsInTheSecondFlagByte) {
  // Customizable clear and RecentlyUsed set in the byte: older data ignores both.
  Bytes b;
  b.U8(0).U8(0).U32(0).I16(75).Str("").Str("ID");
  b.U8(0).U8(0).U8(0).I16(16).U8(0).U8(0x09).I16(0).I16(0);
  b.Str("").Str("").Str("").Str("").Str("");
  Result<ToolRecord> tool = DecodeTool(b.data(), 0x00020000);
  ASSERT_TRUE(tool.ok());
  EXPECT_TRUE(tool->HasPicture[kPictureDownDisabled]);
  EXPECT_FALSE(tool->KeptFlag);
  EXPECT_TRUE(tool->Customizable);
  EXPECT_FALSE(tool->RecentlyUsed);
}

TEST(ToolRecord, InlinePicturesFollowTheirOwnOrder) {
  // Stored in the order Picture, PictureDown, PictureDownDisabled, PictureDisabled.
  Bytes b;
  b.U8(0).U8(0).U32(0).I16(75).Str("").Str("ID");
  b.U8(0).U8(0).U8(0).I16(16).U8(0x20 | 0x40 | 0x80).U8(0x01);
  b.Str("").Str("").Str("").Str("").Str("");
  b.Raw(testing::FakeStoredObject("up")).Raw(testing::FakeStoredObject("down"));
  b.Raw(testing::FakeStoredObject("down disabled")).Raw(testing::FakeStoredObject("disabled"));
  Result<ToolRecord> tool = DecodeTool(b.data(), 0x00010003);
  ASSERT_TRUE(tool.ok());
  EXPECT_EQ(tool->InlinePictures[kPicture], testing::FakeStoredObject("up"));
  EXPECT_EQ(tool->InlinePictures[kPictureDown], testing::FakeStoredObject("down"));
  EXPECT_EQ(tool->InlinePictures[kPictureDownDisabled], testing::FakeStoredObject("down disabled"));
  EXPECT_EQ(tool->InlinePictures[kPictureDisabled], testing::FakeStoredObject("disabled"));
}

TEST(EditRecord, PasswordCharOnlyInNewerData) {
  const std::vector<std::uint8_t> older = Bytes().I16(8).U8(1).Str("text").data();
  for (std::uint32_t version : {0x00020002u, 0x00010004u}) {
    RecordReader reader(older);
    Result<EditRecord> edit = ReadEditRecord(reader, version);
    ASSERT_TRUE(edit.ok());
    EXPECT_EQ(*edit, (EditRecord{8, true, "text", ""}));
    EXPECT_EQ(reader.Remaining(), 0u);
  }
  RecordReader current(older);
  EXPECT_FALSE(ReadEditRecord(current, 0x00020003).ok());
}

TEST(ToolRecord, HostileSubRecordsFailCleanly) {
  struct Case {
    const char* name;
    std::uint8_t type;
    std::vector<std::uint8_t> subRecord;
    RecordErrorCode code;
    std::size_t offsetInSubRecord;
  };
  const Case cases[] = {
      {"huge item count", kToolTypeComboBox, Bytes().U8(0).U8(0).Str("").I16(32767).Str("a").Str("b").data(),
       RecordErrorCode::CountTooLarge, 4},
      {"negative item count", kToolTypeComboBox, Bytes().U8(0).U8(0).Str("").I16(-3).data(),
       RecordErrorCode::NegativeCount, 4},
      {"item string past the end", kToolTypeComboBox, Bytes().U8(0).U8(0).Str("").I16(1).Str("a").I16(5).U8('b').data(),
       RecordErrorCode::Truncated, 11},
      {"negative text length", kToolTypeEdit, Bytes().I16(5).U8(0).I16(-2).data(), RecordErrorCode::NegativeLength, 3},
      {"huge sub-tool count", kToolTypeMenu, Bytes().I16(20000).data(), RecordErrorCode::CountTooLarge, 0},
      {"sub-tool name past the end", kToolTypeMenu,
       Bytes().I16(1).U8(0).U8(0).U32(0).I16(10).U8(1).I16(9).U8('x').I16(0).data(), RecordErrorCode::Truncated, 13},
  };
  for (const Case& c : cases) {
    ToolRecord tool;
    tool.Type = c.type;
    tool.ComboBox = {};
    tool.Edit = {};
    tool.Menu = {};
    std::vector<std::uint8_t> bytes = EncodeTool(tool);
    // Replace the default sub-record with the hostile one.
    const std::size_t subRecordSize = c.type == kToolTypeComboBox ? 6 : c.type == kToolTypeEdit ? 7 : 2;
    bytes.resize(bytes.size() - subRecordSize);
    const std::size_t start = bytes.size();
    bytes.insert(bytes.end(), c.subRecord.begin(), c.subRecord.end());
    Result<ToolRecord> read = DecodeTool(bytes);
    ASSERT_FALSE(read.ok()) << c.name;
    EXPECT_EQ(read.error(), (RecordError{c.code, start + c.offsetInSubRecord})) << c.name;
  }
}

TEST(ToolRecord, TruncatedAnywhereFails) {
  for (const ToolRecord& tool : {testing::SampleCombo(), testing::SampleMenu(), testing::SampleEdit()}) {
    const std::vector<std::uint8_t> bytes = EncodeTool(tool);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
      Result<ToolRecord> read = DecodeTool(cut);
      ASSERT_FALSE(read.ok()) << tool.Instance.ID << " cut at " << size;
      EXPECT_LE(read.error().Offset, size);
    }
  }
}

}  // namespace
}  // namespace mz::records
