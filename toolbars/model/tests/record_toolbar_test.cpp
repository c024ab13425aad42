#include "toolbars/model/record_toolbar.h"

#include <gtest/gtest.h>

#include "toolbars/model/record_version.h"
#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;

std::vector<std::uint8_t> EncodeToolbar(const ToolbarRecord& toolbar) {
  RecordWriter writer;
  WriteToolbarRecord(writer, toolbar);
  return *std::move(writer).Finish();
}

// Fixed part of a toolbar record written by hand; `longForm` adds the fields
// at offsets 20 and 22.
Bytes FixedPart(bool longForm, std::uint8_t dockedStatus, std::int16_t toolCount, std::uint8_t flags) {
  Bytes b;
  b.U8(0).U8(dockedStatus).U8(2).U8(1).U8(0x44).U8(8);  // CaptionAlignment .. return dock
  b.I16(4).I16(3).I16(toolCount);                      // DockedColumn, DockedRow, tool count
  b.I16(-5).I16(-6).I16(9).I16(10);                    // reserved 12, 14; floating row, column
  if (longForm) b.I16(77).I16(88);
  b.I32(95).I32(120).I32(-40).I32(60).I32(333).U8(flags);
  return b;
}

TEST(ToolbarRecord, RoundTripsEveryField) {
  for (const ToolbarRecord& toolbar : {testing::SampleToolbar(), ToolbarRecord{}}) {
    const std::vector<std::uint8_t> bytes = EncodeToolbar(toolbar);
    RecordReader reader(bytes);
    Result<ToolbarRecord> read = ReadToolbarRecord(reader, kCurrentVersion);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, toolbar);
    EXPECT_EQ(reader.Remaining(), 0u);
  }
}

TEST(ToolbarRecord, WritesTheCurrentLayout) {
  ToolbarRecord toolbar;
  toolbar.CaptionAlignment = 0;
  toolbar.DockedStatus = 16;
  toolbar.Font3D = 2;
  toolbar.Style = 1;
  toolbar.Reserved4 = 0x44;
  toolbar.ReturnDock = 8;
  toolbar.DockedColumn = 4;
  toolbar.DockedRow = 3;
  toolbar.Reserved12 = -5;
  toolbar.Reserved14 = -6;
  toolbar.FloatingRow = 9;
  toolbar.FloatingColumn = 10;
  toolbar.Reserved20 = 77;
  toolbar.Reserved22 = 88;
  toolbar.DockFlags = 95;
  toolbar.FloatingHeight = 120;
  toolbar.FloatingLeft = -40;
  toolbar.FloatingTop = 60;
  toolbar.FloatingWidth = 333;
  toolbar.AllowHiding = false;
  toolbar.Stock = true;
  toolbar.Name = "Bar";
  toolbar.Tools = {testing::SamplePlacedTool("ID_A")};
  toolbar.TagString = "t";

  Bytes expected = FixedPart(true, 16, 1, 0x01 | 0x04 | 0x08 | 0x10);
  expected.Str("Bar").U8(1).U8(2).U32(0x00123456).I16(90).U8(0).Str("Placed ID_A").Str("ID_A").Str("t");
  EXPECT_EQ(EncodeToolbar(toolbar), expected.data());
}

TEST(ToolbarRecord, FloatingRowAndColumnComeFromOffsets16And18WhateverTheDockedStatus) {
  for (std::uint8_t status : {kDockedFloating, std::uint8_t{1}}) {
    Bytes b = FixedPart(true, status, 0, 0x1F);
    b.Str("Bar").Str("");
    RecordReader reader(b.data());
    Result<ToolbarRecord> toolbar = ReadToolbarRecord(reader, kCurrentVersion);
    ASSERT_TRUE(toolbar.ok());
    EXPECT_EQ(toolbar->DockedStatus, status);
    // What a floating toolbar reports as its row and column: offsets 16 and 18.
    EXPECT_EQ(toolbar->FloatingRow, 9);
    EXPECT_EQ(toolbar->FloatingColumn, 10);
    // What it reports while docked: offsets 8 and 6.
    EXPECT_EQ(toolbar->DockedRow, 3);
    EXPECT_EQ(toolbar->DockedColumn, 4);
  }
}

TEST(ToolbarRecord, ReadsEveryOlderForm) {
  struct Case {
    std::uint32_t version;
    bool longForm;
    bool hasTag;
    bool moreTools;
  };
  const Case cases[] = {
      {0x00020009, true, true, true},   {0x00020008, true, true, true},   {0x00020007, false, true, true},
      {0x00020001, false, true, true},  {0x00020000, false, true, false}, {0x00010004, false, false, false},
  };
  for (const Case& c : cases) {
    Bytes b = FixedPart(c.longForm, 2, 1, 0x3F);
    b.Str("Old");
    b.U8(0).U8(1).U32(0xFF).I16(50);
    if (c.version > 0x00020002) b.U8(1);
    b.Str("Cap").Str("ID_T");
    if (c.hasTag) b.Str("tag");

    RecordReader reader(b.data());
    Result<ToolbarRecord> toolbar = ReadToolbarRecord(reader, c.version);
    ASSERT_TRUE(toolbar.ok()) << std::hex << c.version;
    EXPECT_EQ(reader.Remaining(), 0u) << std::hex << c.version;
    EXPECT_EQ(toolbar->Reserved4, 0x44);
    EXPECT_EQ(toolbar->Reserved12, -5);
    EXPECT_EQ(toolbar->Reserved14, -6);
    EXPECT_EQ(toolbar->Reserved20, c.longForm ? 77 : -1);
    EXPECT_EQ(toolbar->Reserved22, c.longForm ? 88 : -1);
    EXPECT_EQ(toolbar->DockFlags, 95) << std::hex << c.version;
    EXPECT_EQ(toolbar->FloatingHeight, 120);
    EXPECT_EQ(toolbar->FloatingLeft, -40);
    EXPECT_EQ(toolbar->FloatingTop, 60);
    EXPECT_EQ(toolbar->FloatingWidth, 333);
    EXPECT_TRUE(toolbar->AllowCustomize && toolbar->AllowHiding && toolbar->DisplayGrabHandles);
    EXPECT_TRUE(toolbar->Stock && toolbar->Visible);
    EXPECT_EQ(toolbar->DisplayMoreToolsButton, c.moreTools) << std::hex << c.version;
    EXPECT_EQ(toolbar->Name, "Old");
    ASSERT_EQ(toolbar->Tools.size(), 1u);
    EXPECT_EQ(toolbar->Tools[0].ID, "ID_T");
    EXPECT_EQ(toolbar->Tools[0].CtlWidth, 50);
    EXPECT_EQ(toolbar->TagString, c.hasTag ? "tag" : "");
  }
}

TEST(ToolbarRecord, HostileCountsFailBeforeReadingTools) {
  struct Case {
    std::int16_t toolCount;
    std::size_t toolsPresent;
    RecordErrorCode code;
  };
  const Case cases[] = {{-1, 0, RecordErrorCode::NegativeCount}, {32767, 2, RecordErrorCode::CountTooLarge}};
  for (const Case& c : cases) {
    Bytes b = FixedPart(true, 1, c.toolCount, 0);
    b.Str("Bar");
    for (std::size_t i = 0; i < c.toolsPresent; ++i) b.Raw(EncodeToolbar(ToolbarRecord{}));
    RecordReader reader(b.data());
    Result<ToolbarRecord> toolbar = ReadToolbarRecord(reader, kCurrentVersion);
    ASSERT_FALSE(toolbar.ok());
    EXPECT_EQ(toolbar.error(), (RecordError{c.code, 10})) << c.toolCount;
  }
}

TEST(ToolbarRecords, KeepTheRecordsReadBeforeAFailure) {
  const ToolbarRecord first = testing::SampleToolbar();
  std::vector<std::uint8_t> bytes = EncodeToolbar(first);
  const std::vector<std::uint8_t> second = EncodeToolbar(ToolbarRecord{});
  bytes.insert(bytes.end(), second.begin(), second.end() - 1);  // the last byte is missing

  RecordReader reader(bytes);
  Partial<std::vector<ToolbarRecord>> toolbars = ReadToolbarRecords(reader, kCurrentVersion, 2);
  ASSERT_TRUE(toolbars.Error.has_value());
  EXPECT_EQ(toolbars.Error->Code, RecordErrorCode::Truncated);
  ASSERT_EQ(toolbars.Value.size(), 1u);
  EXPECT_EQ(toolbars.Value[0], first);

  RecordReader huge(bytes);
  Partial<std::vector<ToolbarRecord>> none = ReadToolbarRecords(huge, kCurrentVersion, 1000);
  EXPECT_EQ(none.Error, (RecordError{RecordErrorCode::CountTooLarge, 0}));
  EXPECT_TRUE(none.Value.empty());
}

}  // namespace
}  // namespace mz::records
