// The control's binary saved state through IPersistStreamInit, as a
// container saves and reloads it.
#include <gtest/gtest.h>

#include <algorithm>

#include "com_test_support.h"
#include "persistence_test_support.h"
#include "record_fixtures.h"
#include "toolbars/model/record_control_stream.h"

namespace mz::test {
namespace {

namespace rec = mz::records;

using Persistence = ControlTest;

TEST_F(Persistence, StreamRoundTripKeepsEverything) {
  build_sample(control);
  const std::vector<std::uint8_t> saved = save_state(control);

  IDispatch* copy = create_control();
  ASSERT_EQ(load_state(copy, saved), S_OK);
  // Every saved field comes back: saving the copy gives the same bytes.
  EXPECT_EQ(save_state(copy), saved);

  // And the objects hold them, each in its own place.
  EXPECT_EQ(get(copy, L"BackColor").value.as_long(), 0x00204060);
  EXPECT_EQ(get(copy, L"ToolTipDelay").value.as_long(), 750);
  EXPECT_EQ(get(copy, L"Style").value.as_long(), 0);
  EXPECT_EQ(get(copy, L"LargeIcons").value.as_long(), -1);
  EXPECT_EQ(get(copy, L"ShowToolTips").value.as_long(), 0);
  EXPECT_EQ(get(copy, L"TagVariant").value.as_text(), L"control tag");
  // The platform may report the face it substitutes; it must be the same one.
  EXPECT_EQ(get(get_object(copy, L"Font"), L"Name").value.as_text(), get(get_object(control, L"Font"), L"Name").value.as_text());
  EXPECT_EQ(get(get_object(copy, L"Font"), L"Size").value.as_text(), get(get_object(control, L"Font"), L"Size").value.as_text());
  EXPECT_EQ(picture_pixels(get_object(copy, L"PictureBackground")).width, 8);

  EXPECT_EQ(count(tools_of(copy)), 4);
  IDispatch* button = tool(copy, L"ID_Button");
  EXPECT_EQ(get(button, L"Name").value.as_text(), L"&Open");
  EXPECT_EQ(get(button, L"ToolTipText").value.as_text(), L"Open a file");
  EXPECT_EQ(get(button, L"Shortcut").value.as_long(), 5);
  EXPECT_EQ(get(button, L"TagVariant").value.as_text(), L"button tag");
  Pixels normal = picture_pixels(get_object(button, L"Picture"));
  Pixels down = picture_pixels(get_object(button, L"PictureDown"));
  ASSERT_EQ(normal.width, 20);
  ASSERT_EQ(normal.height, 18);
  ASSERT_EQ(down.width, 20);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(normal.at(x, y), pattern_pixel(x, y, 1)) << x << "," << y;
      ASSERT_EQ(down.at(x, y), pattern_pixel(x, y, 2)) << x << "," << y;
    }
  EXPECT_EQ(picture_pixels(get_object(button, L"PictureDisabled")).width, 0);

  IDispatch* combo = get_object(tool(copy, L"ID_Combo"), L"ComboBox");
  EXPECT_EQ(get(combo, L"ListCount").value.as_long(), 2);
  EXPECT_EQ(get(combo, L"List", {Var(short{1})}).value.as_text(), L"100%");
  EXPECT_EQ(get(combo, L"ItemData", {Var(short{0})}).value.as_text(), L"half");
  EXPECT_EQ(get(combo, L"Text").value.as_text(), L"100%");
  EXPECT_EQ(get(tool(copy, L"ID_Combo"), L"CtlWidth").value.as_long(), 120);
  IDispatch* edit = get_object(tool(copy, L"ID_Edit"), L"Edit");
  EXPECT_EQ(get(edit, L"MaxLength").value.as_long(), 12);
  EXPECT_EQ(get(edit, L"PasswordChar").value.as_text(), L"*");
  IDispatch* menu_tools = get_object(get_object(tool(copy, L"ID_Menu"), L"Menu"), L"Tools");
  ASSERT_EQ(count(menu_tools), 1);
  EXPECT_EQ(get(get_object(menu_tools, L"Item", {Var(1)}), L"ID").value.as_text(), L"ID_Button");

  EXPECT_EQ(count(get_object(copy, L"ToolBars")), 3);
  IDispatch* standard = toolbar(copy, L"Standard");
  EXPECT_EQ(count(tools_of(standard)), 3);
  EXPECT_EQ(get(standard, L"DockedStatus").value.as_long(), 2);
  // Alone in the bottom area, the row it was given (3) became the area's first.
  EXPECT_EQ(get(standard, L"DockedRow").value.as_long(), 1);
  EXPECT_EQ(get(standard, L"CaptionAlignment").value.as_long(), 1);
  EXPECT_EQ(get(standard, L"TagVariant").value.as_text(), L"bar tag");
  EXPECT_EQ(get(toolbar(copy, L"Floating"), L"FloatingLeft").value.as_long(), 200);
  EXPECT_EQ(get(toolbar(copy, L"Menu Bar"), L"Style").value.as_long(), 1);
}

// The bytes follow the record layouts: read back with the codec itself.
TEST_F(Persistence, SavedBytesFollowTheRecordLayouts) {
  IDispatch* tools = tools_of(control);
  IDispatch* only_down = call_object(tools, L"Add", {Var(L"ID_Down"), Var(0)});
  IDispatch* down = pattern_picture(10, 12, 3);
  put_ref(only_down, L"PictureDown", Var(down));
  down->Release();
  call_object(tools, L"Add", {Var(L"ID_Plain"), Var(0)});
  call_object(tools, L"Add", {Var(L"ID_EmptyCombo"), Var(4)});
  // A picture object without an image is dropped, not announced.
  IDispatch* blank = call_object(tools, L"Add", {Var(L"ID_Blank"), Var(0)});
  IDispatch* empty_picture = get_object(blank, L"Picture");
  put_ref(blank, L"Picture", Var(empty_picture));
  call(tools, L"Remove", {Var(L"ID_Plain")});
  call_object(get_object(control, L"ToolBars"), L"Add", {Var(L"Bar")});

  const std::vector<std::uint8_t> saved = save_state(control);
  rec::RecordReader reader(saved);
  auto read = rec::ReadControlStream(reader, rec::testing::FakeMeasures());
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(reader.Remaining(), 0u);
  const rec::ControlStream& stream = read.Value;
  EXPECT_EQ(stream.Header.Version, 0x00020009u);
  EXPECT_EQ(stream.Block.ToolsCount, 3);
  EXPECT_EQ(stream.Block.ToolBarsCount, 1);
  EXPECT_FALSE(stream.Block.FontSet);
  ASSERT_EQ(stream.Tools.Tools.size(), 3u);
  const rec::ToolRecord& with_down = stream.Tools.Tools[0];
  EXPECT_EQ(with_down.Instance.ID, "ID_Down");
  EXPECT_EQ(with_down.HasPicture, (std::array<bool, 4>{false, true, false, false}));
  EXPECT_EQ(with_down.PictureWidth, 10);
  EXPECT_EQ(with_down.PictureHeight, 12);
  EXPECT_TRUE(stream.Tools.Strips[rec::kPicture].empty());
  auto cell = rec::CutStripCell(stream.Tools.Strips[rec::kPictureDown], 0, 10, 12);
  ASSERT_TRUE(cell.ok());
  EXPECT_EQ(cell->Pixels[0], pattern_pixel(0, 0, 3));
  EXPECT_EQ(cell->Pixels[11 * 10 + 9], pattern_pixel(9, 11, 3));
  const rec::ToolRecord& combo = stream.Tools.Tools[1];
  EXPECT_EQ(combo.PictureWidth, 0);
  EXPECT_EQ(combo.PictureHeight, 0);
  EXPECT_TRUE(combo.ComboBox.Items.empty());
  EXPECT_EQ(stream.Tools.Tools[2].HasPicture, (std::array<bool, 4>{}));
  EXPECT_EQ(stream.Tools.RemovedToolIDs, std::vector<std::string>{"ID_Plain"});
  ASSERT_EQ(stream.ToolBars.size(), 1u);
  EXPECT_EQ(stream.ToolBars[0].Name, "Bar");
}

TEST_F(Persistence, OlderVersionsLoadWithTheirFallbacks) {
  for (std::uint32_t version : {0x00010004u, 0x00020000u, 0x00020001u, 0x00020002u, 0x00020006u, 0x00020007u,
                                0x00020008u, 0x00020009u}) {
    SCOPED_TRACE(version);
    IDispatch* c = create_control();
    ASSERT_EQ(load_state(c, rec::testing::HandBuiltControlStream(version, false)), S_OK);
    const long new_fields = version > 0x00020001 ? 1 : 0;
    EXPECT_EQ(get(c, L"PersonalizedMenus").value.as_long(), new_fields);
    EXPECT_EQ(get(c, L"Style").value.as_long(), new_fields);
    EXPECT_EQ(get(c, L"ToolTipDelay").value.as_long(), 750);
    EXPECT_EQ(get(c, L"TagVariant").value.as_text(), L"control tag");
    EXPECT_EQ(count(tools_of(c)), 4);
    EXPECT_EQ(get(tool(c, L"ID_Open"), L"Name").value.as_text(), L"&Open");
    // Data before 0x00020001 has no RecentlyUsed bit; 0x00020001 data counts as used.
    EXPECT_EQ(get(tool(c, L"ID_Menu"), L"RecentlyUsed").value.as_long(), version >= 0x00020001 ? -1 : 0);
    EXPECT_EQ(get(get_object(tool(c, L"ID_Edit"), L"Edit"), L"PasswordChar").value.as_text(),
              version > 0x00020002 ? L"*" : L"");
    EXPECT_EQ(get(get_object(tool(c, L"ID_Combo"), L"ComboBox"), L"ListCount").value.as_long(), 2);
    // The strip's top-left 20 x 18 is the picture: red x * 8, green y * 8, blue 0x40.
    Pixels picture = picture_pixels(get_object(tool(c, L"ID_Open"), L"Picture"));
    ASSERT_EQ(picture.width, 20);
    ASSERT_EQ(picture.height, 18);
    EXPECT_EQ(picture.at(3, 5), 0x00182840u);
    IDispatch* standard = toolbar(c, L"Standard");
    ASSERT_NE(standard, nullptr);
    // Floating: the row and column come from the floating fields.
    EXPECT_EQ(get(standard, L"DockedRow").value.as_long(), 5);
    EXPECT_EQ(get(standard, L"DockedColumn").value.as_long(), 6);
    EXPECT_EQ(get(standard, L"DisplayMoreToolsButton").value.as_long(), version >= 0x00020001 ? -1 : 0);
    EXPECT_EQ(get(standard, L"TagVariant").value.as_text(), version >= 0x00020000 ? L"bar tag" : L"");
    EXPECT_EQ(count(tools_of(standard)), 1);
    c->Release();
  }
}

TEST_F(Persistence, HostileStreamsFailCleanlyKeepingWhatWasRead) {
  const std::vector<std::uint8_t> good = rec::testing::HandBuiltControlStream(0x00020009, false);
  // Every truncation fails and leaves a usable control.
  for (size_t cut = 0; cut < good.size(); cut += 3) {
    std::vector<std::uint8_t> bytes(good.begin(), good.begin() + static_cast<long>(cut));
    IDispatch* c = create_control();
    EXPECT_NE(load_state(c, bytes), S_OK) << cut;
    EXPECT_LE(count(tools_of(c)), 4) << cut;
    c->Release();
  }
  // Cut inside the toolbar record (89 bytes at the end): the tools stay.
  std::vector<std::uint8_t> cut_toolbar(good.begin(), good.end() - 60);
  ASSERT_NE(load_state(control, cut_toolbar), S_OK);
  EXPECT_EQ(count(tools_of(control)), 4);
  EXPECT_EQ(count(get_object(control, L"ToolBars")), 0);
  EXPECT_EQ(get(control, L"ToolTipDelay").value.as_long(), 750);

  struct Case {
    const char* what;
    size_t offset;  // of a 16-bit field
    std::int16_t value;
  } cases[] = {
      {"huge tool count", 20 + 14, 32767},
      {"negative tool count", 20 + 14, -1},
      {"huge toolbar count", 20 + 12, 32767},
      {"negative tag length", 20 + 25, -5},
      {"tag length past the end", 20 + 25, 32000},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    bytes[c.offset] = static_cast<std::uint8_t>(c.value & 0xFF);
    bytes[c.offset + 1] = static_cast<std::uint8_t>((c.value >> 8) & 0xFF);
    IDispatch* fresh = create_control();
    EXPECT_NE(load_state(fresh, bytes), S_OK) << c.what;
    fresh->Release();
  }
  std::vector<std::uint8_t> bad_signature = good;
  bad_signature[0] ^= 1;
  EXPECT_EQ(load_state(control, bad_signature), E_UNEXPECTED);
}

TEST_F(Persistence, LoadingAtRunTimeKeepsTheOriginalStateForReset) {
  IDispatch* toolbars = get_object(control, L"ToolBars");
  call_object(tools_of(control), L"Add", {Var(L"A"), Var(0)});
  call_object(tools_of(control), L"Add", {Var(L"B"), Var(0)});
  IDispatch* bar = call_object(toolbars, L"Add", {Var(L"T")});
  call_object(tools_of(bar), L"Add", {Var(L"A")});
  call_object(tools_of(bar), L"Add", {Var(L"B")});
  put(bar, L"Stock", Var(true));
  const std::vector<std::uint8_t> saved = save_state(control);

  IDispatch* copy = create_control();
  ASSERT_EQ(load_state(copy, saved), S_OK);
  IDispatch* loaded_bar = toolbar(copy, L"T");
  ASSERT_TRUE(call(tools_of(loaded_bar), L"Remove", {Var(L"B")}).ok());
  ASSERT_EQ(count(tools_of(loaded_bar)), 1);
  for (bool last_loaded : {false, true}) {
    call(tools_of(loaded_bar), L"Remove", {Var(L"A")});
    ASSERT_TRUE(call(loaded_bar, L"Reset", {Var(last_loaded)}).ok()) << last_loaded;
    EXPECT_EQ(count(tools_of(loaded_bar)), 2) << last_loaded;
  }
}

TEST_F(Persistence, DirtyStateSizeAndClass) {
  IPersistStreamInit* persist = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)), S_OK);
  ASSERT_EQ(persist->InitNew(), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  put(control, L"ToolTipDelay", Var(short{900}));
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ULARGE_INTEGER size{};
  ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
  const std::vector<std::uint8_t> saved = save_state(control);  // clears the dirty state
  EXPECT_EQ(size.QuadPart, saved.size());
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  call_object(tools_of(control), L"Add", {Var(L"A"), Var(0)});
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ASSERT_EQ(load_state(control, saved), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  EXPECT_EQ(count(tools_of(control)), 0);
  CLSID clsid{};
  EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_MzToolDeck);
  persist->Release();
}

TEST_F(Persistence, LoadingFiresNoEvents) {
  build_sample(control);
  const std::vector<std::uint8_t> saved = save_state(control);
  IDispatch* copy = create_control();
  EventSink sink;
  sink.connect(copy);
  ASSERT_EQ(load_state(copy, saved), S_OK);
  EXPECT_TRUE(sink.events.empty());
  sink.disconnect();
}

// The container's stream may go on after the control's state.
TEST_F(Persistence, LoadLeavesTheStreamAfterTheState) {
  std::vector<std::uint8_t> bytes = save_state(control);
  const size_t state_size = bytes.size();
  bytes.insert(bytes.end(), {0xDE, 0xAD});
  IStream* stream = memory_stream(bytes);
  IPersistStreamInit* persist = nullptr;
  control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  ASSERT_EQ(persist->Load(stream), S_OK);
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  stream->Seek(zero, STREAM_SEEK_CUR, &position);
  EXPECT_EQ(position.QuadPart, state_size);
  persist->Release();
  stream->Release();
}

// A state that cannot be read leaves the container's stream where the
// control found it, so the container can go on from there.
TEST_F(Persistence, AFailedLoadPutsTheStreamBack) {
  std::vector<std::uint8_t> bytes = {0x01, 0x02};
  const std::vector<std::uint8_t> good = save_state(control);
  bytes.insert(bytes.end(), good.begin(), good.begin() + 30);  // header, then cut in the block
  IStream* stream = memory_stream(bytes);
  LARGE_INTEGER two{};
  two.QuadPart = 2;
  stream->Seek(two, STREAM_SEEK_SET, nullptr);
  IPersistStreamInit* persist = nullptr;
  control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  EXPECT_NE(persist->Load(stream), S_OK);
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  stream->Seek(zero, STREAM_SEEK_CUR, &position);
  EXPECT_EQ(position.QuadPart, 2u);
  persist->Release();
  stream->Release();
}

TEST_F(Persistence, AFailedLoadDropsTheOldBackgroundPicture) {
  IDispatch* picture = pattern_picture(4, 4, 7);
  ASSERT_TRUE(put(control, L"PictureBackground", Var(picture)).ok());
  picture->Release();
  EXPECT_NE(load_state(control, {0x21, 0x43, 0x34}), S_OK);
  IDispatch* kept = get_object(control, L"PictureBackground");
  EXPECT_EQ(get(kept, L"Handle").value.as_long(), 0);
}

// Style 2 is a value hosts and saved forms hold; it comes back as it went.
TEST_F(Persistence, StyleTwoRoundTrips) {
  ASSERT_TRUE(put(control, L"Style", Var(2)).ok());
  const std::vector<std::uint8_t> saved = save_state(control);
  IDispatch* copy = create_control();
  ASSERT_EQ(load_state(copy, saved), S_OK);
  EXPECT_EQ(get(copy, L"Style").value.as_long(), 2);
  copy->Release();
}

}  // namespace
}  // namespace mz::test
