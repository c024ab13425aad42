#include "toolbars/model/record_control_stream.h"

#include <gtest/gtest.h>

#include "toolbars/model/record_picture_strip.h"
#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;

Partial<ControlStream> Decode(const std::vector<std::uint8_t>& bytes, std::size_t* consumed = nullptr) {
  RecordReader reader(bytes);
  Partial<ControlStream> stream = ReadControlStream(reader, testing::FakeMeasures());
  if (consumed) *consumed = reader.Offset();
  return stream;
}

TEST(ControlStream, RoundTripsEverything) {
  const ControlStream sample = testing::SampleControlStream();
  Result<std::vector<std::uint8_t>> bytes = EncodeControlStream(sample);
  ASSERT_TRUE(bytes.ok());
  std::size_t consumed = 0;
  Partial<ControlStream> read = Decode(*bytes, &consumed);
  ASSERT_TRUE(read.ok()) << static_cast<int>(read.Error->Code) << " at " << read.Error->Offset;
  EXPECT_EQ(read.Value, sample);
  EXPECT_EQ(consumed, bytes->size());

  // Each picture comes back out of its strip.
  const std::vector<PixelImage> expected = {testing::PatternImage(20, 18, 1), testing::PatternImage(20, 18, 2),
                                            testing::PatternImage(32, 32, 3)};
  const PictureKind kinds[] = {kPicture, kPictureDown, kPictureDownDisabled};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::vector<std::size_t> members = StripTools(read.Value.Tools.Tools, kinds[i]);
    ASSERT_EQ(members.size(), 1u);
    const ToolRecord& tool = read.Value.Tools.Tools[members[0]];
    Result<PixelImage> picture = CutStripCell(read.Value.Tools.Strips[kinds[i]], 0, tool.PictureWidth, tool.PictureHeight);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(*picture, expected[i]);
  }
}

TEST(ControlStream, StartsWithHeaderVersionAndBlock) {
  ControlStream stream;
  stream.Header = {2000, 300, 0x00010004};  // an older loaded version is not written back
  stream.Tools.Tools = {ToolRecord{}, ToolRecord{}};
  stream.ToolBars = {ToolbarRecord{}};
  stream.Block.ToolsCount = 9;  // stale counts are replaced by the real ones
  stream.Block.ToolBarsCount = 9;
  Result<std::vector<std::uint8_t>> bytes = EncodeControlStream(stream);
  ASSERT_TRUE(bytes.ok());
  RecordReader reader(*bytes);
  EXPECT_EQ(reader.U32(), 0x12344321u);
  EXPECT_EQ(reader.U32(), 8u);
  EXPECT_EQ(reader.I32(), 2000);
  EXPECT_EQ(reader.I32(), 300);
  EXPECT_EQ(reader.U32(), 0x00020009u);
  reader.Bytes(12);
  EXPECT_EQ(reader.I16(), 1);  // ToolBarsCount
  EXPECT_EQ(reader.I16(), 2);  // ToolsCount
}

TEST(ControlStream, PresenceFlagsMustMatchTheStoredObjects) {
  ControlStream fontMissing;
  fontMissing.Block.FontSet = true;
  EXPECT_EQ(EncodeControlStream(fontMissing).error().Code, RecordErrorCode::Inconsistent);

  ControlStream pictureUnflagged;
  pictureUnflagged.PictureBackground = testing::FakeStoredObject("p");
  EXPECT_EQ(EncodeControlStream(pictureUnflagged).error().Code, RecordErrorCode::Inconsistent);

  ControlStream stripMissing = testing::SampleControlStream();
  stripMissing.Tools.Strips[kPictureDown].clear();
  EXPECT_EQ(EncodeControlStream(stripMissing).error().Code, RecordErrorCode::Inconsistent);

  ControlStream stripUnused = testing::SampleControlStream();
  stripUnused.Tools.Strips[kPictureDisabled] = stripUnused.Tools.Strips[kPicture];
  EXPECT_EQ(EncodeControlStream(stripUnused).error().Code, RecordErrorCode::Inconsistent);
}

TEST(ControlStream, ToolWithOnlyPictureDownIsInTheSecondStripOnly) {
  ControlStream stream;
  ToolRecord plain;
  plain.Instance.ID = "ID_Plain";
  ToolRecord down;
  down.Instance.ID = "ID_Down";
  down.HasPicture[kPictureDown] = true;
  down.PictureWidth = 16;
  down.PictureHeight = 16;
  stream.Tools.Tools = {plain, down};
  const std::vector<PixelImage> cells = {testing::PatternImage(16, 16, 9)};
  const std::vector<std::uint8_t> strip = *BuildPictureStrip(cells, 0);
  stream.Tools.Strips[kPictureDown] = strip;

  const std::vector<std::uint8_t> bytes = *EncodeControlStream(stream);
  // The stream ends with the empty removed list, one strip, and no toolbars.
  Bytes tail;
  tail.I16(0).U32(static_cast<std::uint32_t>(strip.size())).Raw(strip);
  ASSERT_GT(bytes.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.data().begin(), tail.data().end(), bytes.end() - static_cast<std::ptrdiff_t>(tail.size())));
  EXPECT_EQ(StripTools(stream.Tools.Tools, kPictureDown), std::vector<std::size_t>{1});
  for (PictureKind kind : {kPicture, kPictureDisabled, kPictureDownDisabled}) {
    EXPECT_TRUE(StripTools(stream.Tools.Tools, kind).empty());
  }
  stream.Block.ToolsCount = 2;
  EXPECT_EQ(Decode(bytes).Value, stream);
}

// Hand-built streams of each data version, read with that version's rules.
// Each row gives what the version's fallbacks must produce.
TEST(ControlStream, ReadsEveryOlderVersion) {
  struct Case {
    std::uint32_t version;
    bool headerless;
    std::uint8_t personalizedMenusAndStyle;
    bool visibleHere;
    std::uint8_t menuVisibility;
    bool openRecentlyUsed;
    std::int16_t pictureWidth, pictureHeight;
    const char* passwordChar;
    bool removedList;
    bool strip;
    std::int16_t reserved20;
    bool moreTools;
    const char* toolbarTag;
  };
  const Case cases[] = {
      {0x00020009, false, 1, false, 1, false, 20, 18, "*", true, true, 20, true, "bar tag"},
      {0x00020008, false, 1, false, 1, false, 20, 18, "*", true, true, 20, true, "bar tag"},
      {0x00020007, false, 1, false, 1, false, 20, 18, "*", true, true, -1, true, "bar tag"},
      {0x00020006, false, 1, false, 1, false, 20, 18, "*", false, true, -1, true, "bar tag"},
      {0x00020002, false, 1, true, 1, false, 20, 18, "", false, true, -1, true, "bar tag"},
      {0x00020001, false, 0, true, 0, true, 20, 18, "", false, true, -1, true, "bar tag"},
      {0x00020000, false, 0, true, 0, false, 20, 18, "", false, true, -1, false, "bar tag"},
      {0x00010004, false, 0, true, 0, false, 20, 18, "", false, true, -1, false, ""},
      {0x00010003, false, 0, true, 0, false, 16, 16, "", false, false, -1, false, ""},
      {0x00010003, true, 0, true, 0, false, 16, 16, "", false, false, -1, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.version << (c.headerless ? " headerless" : ""));
    const std::vector<std::uint8_t> bytes = testing::HandBuiltControlStream(c.version, c.headerless);
    RecordReader reader(bytes);
    Partial<ControlStream> read = c.headerless ? ReadHeaderlessControlStream(reader, testing::FakeMeasures())
                                               : ReadControlStream(reader, testing::FakeMeasures());
    ASSERT_TRUE(read.ok()) << static_cast<int>(read.Error->Code) << " at " << read.Error->Offset;
    EXPECT_EQ(reader.Remaining(), 0u);
    const ControlStream& s = read.Value;

    EXPECT_EQ(s.Header.Version, c.version);
    EXPECT_EQ(s.Header.ExtentX, c.headerless ? 0 : 1000);
    EXPECT_EQ(s.Block.BackColor, 0x00112233u);
    EXPECT_EQ(s.Block.ToolTipDelay, 750);
    EXPECT_EQ(s.Block.PictureBackgroundStyle, 1);
    EXPECT_EQ(s.Block.PersonalizedMenus, c.personalizedMenusAndStyle);
    EXPECT_EQ(s.Block.Style, c.personalizedMenusAndStyle);
    EXPECT_TRUE(s.Block.ActiveColors);   // 0xA5: bits 0, 2, 5, 7
    EXPECT_FALSE(s.Block.DisplayContextMenu);
    EXPECT_TRUE(s.Block.LargeIcons);
    EXPECT_EQ(s.TagString, "control tag");

    ASSERT_EQ(s.Tools.Tools.size(), 4u);
    const ToolRecord& open = s.Tools.Tools[0];
    EXPECT_EQ(open.Instance.ID, "ID_Open");
    EXPECT_EQ(open.Instance.Name, "&Open");
    EXPECT_EQ(open.Instance.ForeColor, 0x000000FFu);
    EXPECT_EQ(open.Instance.CtlWidth, 80);
    EXPECT_EQ(open.Instance.VisibleHere, c.visibleHere);
    EXPECT_EQ(open.State, 1);
    EXPECT_EQ(open.Shortcut, 5);
    EXPECT_EQ(open.MenuVisibility, c.menuVisibility);
    EXPECT_EQ(open.PictureSize, 24);
    EXPECT_EQ(open.PictureWidth, c.pictureWidth);
    EXPECT_EQ(open.PictureHeight, c.pictureHeight);
    EXPECT_TRUE(open.AutoWrap && open.Enabled && open.Visible && !open.GroupAllowAllUp && !open.UseMaskColor);
    EXPECT_TRUE(open.HasPicture[kPicture]);
    EXPECT_TRUE(open.KeptFlag);
    EXPECT_EQ(open.Customizable, c.version < 0x00020001);  // older data cannot say "not customizable"
    EXPECT_EQ(open.RecentlyUsed, c.openRecentlyUsed);
    EXPECT_EQ(open.Category, "File");
    EXPECT_EQ(open.ToolTipText, "Open");
    EXPECT_EQ(open.TagString, "tool tag");
    EXPECT_EQ(open.InlinePictures[kPicture],
              c.strip ? std::vector<std::uint8_t>{} : testing::FakeStoredObject("inline picture"));

    const ToolRecord& menu = s.Tools.Tools[1];
    EXPECT_EQ(menu.Type, kToolTypeMenu);
    EXPECT_TRUE(menu.Customizable);
    EXPECT_EQ(menu.RecentlyUsed, c.version >= 0x00020001);
    ASSERT_EQ(menu.Menu.Tools.size(), 1u);
    EXPECT_EQ(menu.Menu.Tools[0].ID, "ID_Open");
    EXPECT_EQ(menu.Menu.Tools[0].Name, "&Open...");

    const ToolRecord& edit = s.Tools.Tools[2];
    EXPECT_EQ(edit.Edit, (EditRecord{12, true, "abc", c.passwordChar}));
    const ToolRecord& combo = s.Tools.Tools[3];
    EXPECT_EQ(combo.ComboBox, (ComboRecord{1, true, true, "100%", {{"50%", "50"}, {"100%", ""}}}));

    EXPECT_EQ(s.Tools.RemovedToolIDs, c.removedList ? std::vector<std::string>{"ID_Gone"} : std::vector<std::string>{});
    EXPECT_EQ(s.Tools.Strips[kPicture], c.strip ? testing::HandBuiltStrip() : std::vector<std::uint8_t>{});

    ASSERT_EQ(s.ToolBars.size(), 1u);
    const ToolbarRecord& bar = s.ToolBars[0];
    EXPECT_EQ(bar.Name, "Standard");
    EXPECT_EQ(bar.CaptionAlignment, 2);
    EXPECT_EQ(bar.Reserved4, 7);
    EXPECT_EQ(bar.ReturnDock, 4);
    // A floating toolbar: it reports its floating row and column.
    EXPECT_EQ(bar.DockedStatus, kDockedFloating);
    EXPECT_EQ(bar.FloatingRow, 5);
    EXPECT_EQ(bar.FloatingColumn, 6);
    EXPECT_EQ(bar.DockedRow, 2);
    EXPECT_EQ(bar.DockedColumn, 3);
    EXPECT_EQ(bar.Reserved20, c.reserved20);
    EXPECT_EQ(bar.DockFlags, 63);
    EXPECT_EQ(bar.FloatingWidth, 400);
    EXPECT_EQ(bar.DisplayMoreToolsButton, c.moreTools);
    EXPECT_FALSE(bar.AllowHiding);
    ASSERT_EQ(bar.Tools.size(), 1u);
    EXPECT_EQ(bar.Tools[0].ID, "ID_Open");
    EXPECT_EQ(bar.Tools[0].VisibleHere, c.visibleHere);
    EXPECT_EQ(bar.TagString, c.toolbarTag);
  }
}

TEST(ControlStream, CurrentHandBuiltStreamIsWrittenBackByteForByte) {
  const std::vector<std::uint8_t> bytes = testing::HandBuiltControlStream(kCurrentVersion, false);
  Partial<ControlStream> read = Decode(bytes);
  ASSERT_TRUE(read.ok());
  Result<std::vector<std::uint8_t>> written = EncodeControlStream(read.Value);
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(*written, bytes);
}

TEST(ControlStream, HeaderMustCarryTheSignatureAndEight) {
  const std::vector<std::uint8_t> good = *EncodeControlStream(ControlStream{});
  for (std::size_t at : {std::size_t{0}, std::size_t{4}}) {
    std::vector<std::uint8_t> bad = good;
    bad[at] ^= 0x01;
    Partial<ControlStream> read = Decode(bad);
    EXPECT_EQ(read.Error, (RecordError{RecordErrorCode::BadSignature, 0})) << at;
  }
}

// A stream cut at any length fails, and keeps exactly the tools and
// toolbars whose records were complete.
TEST(ControlStream, TruncatedAnywhereFailsAndKeepsCompleteRecords) {
  const ControlStream sample = testing::SampleControlStream();
  const std::vector<std::uint8_t> bytes = *EncodeControlStream(sample);
  std::size_t toolsKeptAtSomePoint = 0;
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    Partial<ControlStream> read = Decode(cut);
    ASSERT_TRUE(read.Error.has_value()) << "cut at " << size;
    EXPECT_LE(read.Error->Offset, size);
    const ControlStream& s = read.Value;
    ASSERT_LE(s.Tools.Tools.size(), sample.Tools.Tools.size());
    for (std::size_t i = 0; i < s.Tools.Tools.size(); ++i) EXPECT_EQ(s.Tools.Tools[i], sample.Tools.Tools[i]) << size;
    ASSERT_LE(s.ToolBars.size(), sample.ToolBars.size());
    for (std::size_t i = 0; i < s.ToolBars.size(); ++i) EXPECT_EQ(s.ToolBars[i], sample.ToolBars[i]) << size;
    if (!s.ToolBars.empty()) {
      EXPECT_EQ(s.Tools, sample.Tools) << size;
    }
    toolsKeptAtSomePoint = std::max(toolsKeptAtSomePoint, s.Tools.Tools.size());
  }
  EXPECT_EQ(toolsKeptAtSomePoint, sample.Tools.Tools.size());

  for (std::uint32_t version : {0x00020001u, 0x00010004u, 0x00010003u}) {
    const std::vector<std::uint8_t> old = testing::HandBuiltControlStream(version, false);
    for (std::size_t size = 0; size < old.size(); ++size) {
      const std::vector<std::uint8_t> cut(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(size));
      ASSERT_FALSE(Decode(cut).ok()) << std::hex << version << " cut at " << std::dec << size;
    }
  }
}

TEST(ControlStream, HostileCountsAndLengthsFailCleanly) {
  const std::vector<std::uint8_t> header = Bytes().U32(0x12344321).U32(8).I32(0).I32(0).U32(0x00020009).data();
  auto block = [](std::int16_t toolbars, std::int16_t tools, std::uint8_t presence) {
    Bytes b;
    b.U32(0).U32(0).U32(0).I16(toolbars).I16(tools).I16(0).U8(0).U8(0).U8(1).U8(0).U8(1).U8(0x66).U8(presence);
    return b.data();
  };
  struct Case {
    const char* name;
    std::vector<std::uint8_t> body;  // after the header
    RecordError error;
  };
  const std::size_t body = header.size();
  const std::size_t afterBlock = body + 25;
  const Case cases[] = {
      {"huge tool count", Bytes().Raw(block(0, 32767, 0)).Str("").data(), {RecordErrorCode::CountTooLarge, afterBlock + 2}},
      {"negative tool count", Bytes().Raw(block(0, -4, 0)).Str("").data(), {RecordErrorCode::NegativeCount, afterBlock + 2}},
      {"huge toolbar count", Bytes().Raw(block(30000, 0, 0)).Str("").I16(0).data(),
       {RecordErrorCode::CountTooLarge, afterBlock + 4}},
      {"negative tag length", Bytes().Raw(block(0, 0, 0)).I16(-1).data(), {RecordErrorCode::NegativeLength, afterBlock}},
      {"tag past the end", Bytes().Raw(block(0, 0, 0)).I16(10).U8('a').data(), {RecordErrorCode::Truncated, afterBlock + 2}},
      {"huge removed count", Bytes().Raw(block(0, 0, 0)).Str("").I16(32767).Str("x").data(),
       {RecordErrorCode::CountTooLarge, afterBlock + 2}},
      {"font that cannot be measured", Bytes().Raw(block(0, 0, kPresenceFont)).U32(1000).U8(0).data(),
       {RecordErrorCode::ObjectUnreadable, afterBlock}},
      {"block cut short", Bytes().U32(0).U32(0).data(), {RecordErrorCode::Truncated, body + 8}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = header;
    bytes.insert(bytes.end(), c.body.begin(), c.body.end());
    Partial<ControlStream> read = Decode(bytes);
    EXPECT_EQ(read.Error, c.error) << c.name;
    EXPECT_TRUE(read.Value.Tools.Tools.empty()) << c.name;
    EXPECT_TRUE(read.Value.ToolBars.empty()) << c.name;
  }
}

TEST(ControlStream, BadStripSizesFailAndKeepTheTools) {
  ControlStream stream = testing::SampleControlStream();
  stream.ToolBars.clear();
  const std::vector<std::uint8_t> good = *EncodeControlStream(stream);
  // The last strip's byte count sits just before its bitmap.
  const std::size_t lastStrip = good.size() - stream.Tools.Strips[kPictureDownDisabled].size() - 4;
  struct Case {
    std::uint32_t size;
    RecordError error;
  };
  const Case cases[] = {{0xFFFFFFFF, {RecordErrorCode::Truncated, lastStrip + 4}},
                        {0, {RecordErrorCode::BadBitmap, lastStrip}}};
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    for (std::size_t i = 0; i < 4; ++i) bytes[lastStrip + i] = static_cast<std::uint8_t>(c.size >> (8 * i));
    Partial<ControlStream> read = Decode(bytes);
    EXPECT_EQ(read.Error, c.error) << c.size;
    EXPECT_EQ(read.Value.Tools.Tools, stream.Tools.Tools);
  }
}

TEST(ByteHolders, HoldTheToolsStreamAndTheToolbarRecords) {
  const ControlStream sample = testing::SampleControlStream();
  const std::vector<std::uint8_t> tools = *EncodeToolsStream(sample.Tools);
  RecordReader toolsReader(tools);
  Partial<ToolsStream> readTools = ReadToolsStream(toolsReader, kCurrentVersion, 4, nullptr);
  ASSERT_TRUE(readTools.ok());
  EXPECT_EQ(readTools.Value, sample.Tools);
  EXPECT_EQ(toolsReader.Remaining(), 0u);

  const std::vector<std::uint8_t> toolbars = *EncodeToolbarRecords(sample.ToolBars);
  RecordReader toolbarReader(toolbars);
  Partial<std::vector<ToolbarRecord>> readToolbars = ReadToolbarRecords(toolbarReader, kCurrentVersion, 2);
  ASSERT_TRUE(readToolbars.ok());
  EXPECT_EQ(readToolbars.Value, sample.ToolBars);
}

}  // namespace
}  // namespace mz::records
