// Configuration files, configuration objects and layout files.
#include <gtest/gtest.h>

#include <algorithm>

#include "com_test_support.h"
#include "persistence_test_support.h"
#include "record_fixtures.h"

namespace mz::test {
namespace {

namespace rec = mz::records;
using Files = ControlTest;

Var text(const std::wstring& value) { return Var(value); }

TEST_F(Files, ConfigurationFileAndObjectRoundTrip) {
  build_sample(control);
  TempFile file(L"mzdeck_roundtrip.tdk");
  CallResult saved = call(control, L"SaveConfiguration", {text(file.path())});
  ASSERT_TRUE(saved.ok()) << std::hex << saved.error();
  const std::vector<std::uint8_t> state = save_state(control);
  // The file holds exactly the control's binary state in its stream "ToolBars".
  EXPECT_EQ(read_compound_stream(file.path(), L"ToolBars"), state);

  IDispatch* from_file = create_control();
  CallResult loaded = call(from_file, L"LoadConfiguration", {text(file.path())});
  ASSERT_TRUE(loaded.ok()) << std::hex << loaded.error();
  EXPECT_EQ(save_state(from_file), state);
  EXPECT_EQ(count(tools_of(from_file)), 4);

  CallResult object = call(control, L"SaveConfigurationEx");
  ASSERT_TRUE(object.ok());
  ASSERT_EQ(object.value.type(), VT_UNKNOWN);
  IStream* stream = nullptr;
  ASSERT_EQ(V_UNKNOWN(&*object.value)->QueryInterface(IID_IStream, reinterpret_cast<void**>(&stream)), S_OK);
  EXPECT_EQ(stream_content(stream), state);
  stream->Release();
  IDispatch* from_object = create_control();
  ASSERT_TRUE(call(from_object, L"LoadConfigurationEx", {object.value}).ok());
  EXPECT_EQ(save_state(from_object), state);
  from_file->Release();
  from_object->Release();
}

TEST_F(Files, ConfigurationLoadFailures) {
  TempFile not_compound(L"mzdeck_plain.tdk");
  HANDLE handle = CreateFileW(not_compound.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(handle, "plain text", 10, &written, nullptr);
  CloseHandle(handle);
  TempFile no_stream(L"mzdeck_nostream.tdk");
  write_compound_file(no_stream.path(), L"Other", {1, 2, 3});

  call_object(tools_of(control), L"Add", {Var(L"ID_Kept")});
  struct Case {
    const char* what;
    Var argument;
    const wchar_t* method;
    HRESULT expected;  // 0: any failure
  } cases[] = {
      {"missing file", Var(L"Z:\\no\\such\\file.tdk"), L"LoadConfiguration", 0},
      {"not a compound file", text(not_compound.path()), L"LoadConfiguration", 0},
      {"no ToolBars stream", text(no_stream.path()), L"LoadConfiguration", STG_E_FILENOTFOUND},
      {"a text, not a stream", Var(L"config"), L"LoadConfigurationEx", E_UNEXPECTED},
      {"a number", Var(5), L"LoadConfigurationEx", E_UNEXPECTED},
  };
  for (const Case& c : cases) {
    CallResult result = call(control, c.method, {c.argument});
    EXPECT_FALSE(result.ok()) << c.what;
    if (c.expected) {
      EXPECT_EQ(result.error(), c.expected) << c.what;
    }
    // A load that never opened its data changes nothing.
    EXPECT_NE(tool(control, L"ID_Kept"), nullptr) << c.what;
  }
}

TEST_F(Files, FailedConfigurationLoadKeepsThePartialReadNotThePreviousState) {
  call_object(tools_of(control), L"Add", {Var(L"ID_Old")});
  call_object(get_object(control, L"ToolBars"), L"Add", {Var(L"Old")});
  std::vector<std::uint8_t> bytes = rec::testing::HandBuiltControlStream(0x00020009, false);
  bytes.resize(bytes.size() - 60);  // inside the toolbar record
  TempFile file(L"mzdeck_cut.tdk");
  write_compound_file(file.path(), L"ToolBars", bytes);
  EXPECT_FALSE(call(control, L"LoadConfiguration", {text(file.path())}).ok());
  EXPECT_EQ(tool(control, L"ID_Old"), nullptr);
  EXPECT_NE(tool(control, L"ID_Open"), nullptr);
  EXPECT_EQ(count(get_object(control, L"ToolBars")), 0);
}

// A picture in the platform's stored form, written by hand: the tag "lt",
// the byte count, then a 24-bit bitmap file of the pattern, bottom-up.
std::vector<std::uint8_t> stored_bitmap_picture(int width, int height, std::uint8_t seed) {
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t image = static_cast<std::uint32_t>(stride * height);
  rec::testing::Bytes file;
  file.U8('B').U8('M').U32(14 + 40 + image).U32(0).U32(14 + 40);
  file.U32(40).I32(width).I32(height).I16(1).I16(24).U32(0).U32(image).U32(0).U32(0).U32(0).U32(0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = pattern_pixel(x, y, seed);
      file.U8(pixel & 0xFF).U8((pixel >> 8) & 0xFF).U8((pixel >> 16) & 0xFF);
    }
    for (int pad = width * 3; pad < stride; ++pad) file.U8(0);
  }
  rec::testing::Bytes stored;
  stored.U32(0x0000746C).U32(static_cast<std::uint32_t>(file.size())).Raw(file.data());
  return stored.data();
}

// The earliest configurations have no header: read as version 0x00010003,
// with each tool picture stored inline.
TEST_F(Files, HeaderlessConfigurationLoadsAsTheOldestVersion) {
  std::vector<std::uint8_t> bytes = rec::testing::HandBuiltControlStream(0x00010003, true);
  const std::vector<std::uint8_t> fake = rec::testing::FakeStoredObject("inline picture");
  const std::vector<std::uint8_t> real = stored_bitmap_picture(16, 16, 4);
  auto at = std::search(bytes.begin(), bytes.end(), fake.begin(), fake.end());
  ASSERT_NE(at, bytes.end());
  at = bytes.erase(at, at + static_cast<long>(fake.size()));
  bytes.insert(at, real.begin(), real.end());
  TempFile file(L"mzdeck_headerless.tdk");
  write_compound_file(file.path(), L"ToolBars", bytes);

  ASSERT_TRUE(call(control, L"LoadConfiguration", {text(file.path())}).ok());
  EXPECT_EQ(get(control, L"PersonalizedMenus").value.as_long(), 0);
  EXPECT_EQ(get(control, L"Style").value.as_long(), 0);
  EXPECT_EQ(get(control, L"ToolTipDelay").value.as_long(), 750);
  EXPECT_EQ(count(tools_of(control)), 4);
  Pixels loaded = picture_pixels(get_object(tool(control, L"ID_Open"), L"Picture"));
  ASSERT_EQ(loaded.width, 16);
  EXPECT_EQ(loaded.at(5, 7), pattern_pixel(5, 7, 4));
  IDispatch* standard = toolbar(control, L"Standard");
  ASSERT_NE(standard, nullptr);
  EXPECT_EQ(get(standard, L"DisplayMoreToolsButton").value.as_long(), 0);
  EXPECT_EQ(get(standard, L"TagVariant").value.as_text(), L"");
}

TEST_F(Files, LayoutRoundTripRestoresArrangementAndUsageOnly) {
  build_sample(control);
  put(tool(control, L"ID_Combo"), L"RecentlyUsed", Var(true));
  TempFile file(L"mzdeck_layout.tdl");
  ASSERT_TRUE(call(control, L"SaveLayout", {text(file.path())}).ok());

  IDispatch* standard = toolbar(control, L"Standard");
  put(standard, L"DockedStatus", Var(mzDockedTop));
  put(tool(control, L"ID_Button"), L"RecentlyUsed", Var(true));
  ASSERT_TRUE(call(get_object(control, L"ToolBars"), L"Remove", {Var(L"Floating")}).ok());
  ASSERT_TRUE(call(tools_of(control), L"Remove", {Var(L"ID_Combo")}).ok());

  ASSERT_TRUE(call(control, L"LoadLayout", {text(file.path())}).ok());
  EXPECT_EQ(count(get_object(control, L"ToolBars")), 3);
  standard = toolbar(control, L"Standard");
  EXPECT_EQ(get(standard, L"DockedStatus").value.as_long(), mzDockedBottom);
  EXPECT_EQ(get(standard, L"DockedRow").value.as_long(), 1);
  EXPECT_EQ(get(toolbar(control, L"Floating"), L"FloatingLeft").value.as_long(), 200);
  EXPECT_EQ(get(tool(control, L"ID_Button"), L"RecentlyUsed").value.as_long(), 0);
  // The removed tool stays removed; its placed tool comes back without it.
  EXPECT_EQ(tool(control, L"ID_Combo"), nullptr);
  EXPECT_EQ(count(tools_of(control)), 3);
  EXPECT_EQ(count(tools_of(standard)), 3);
}

TEST_F(Files, LayoutUsageSkipsUnknownIdsAndReportsOnlyAMissingCount) {
  call_object(tools_of(control), L"Add", {Var(L"A")});
  rec::testing::Bytes layout;
  layout.I16(0).I16(2).Str("ID_Unknown").I16(-1).Str("A").I16(-1);
  TempFile file(L"mzdeck_usage.tdl");
  write_compound_file(file.path(), L"Layout", layout.data());
  ASSERT_TRUE(call(control, L"LoadLayout", {text(file.path())}).ok());
  EXPECT_EQ(get(tool(control, L"A"), L"RecentlyUsed").value.as_long(), -1);
  EXPECT_EQ(count(tools_of(control)), 1);

  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool ok;
  } cases[] = {
      {"no toolbar count", {}, false},
      {"half a toolbar count", {1}, false},
      {"a toolbar count and nothing more", {1, 0}, true},
      {"a huge toolbar count", {0xFF, 0x7F, 0, 0}, true},
  };
  for (const Case& c : cases) {
    call_object(get_object(control, L"ToolBars"), L"Add", {Var(L"Before")});
    write_compound_file(file.path(), L"Layout", c.bytes);
    EXPECT_EQ(call(control, L"LoadLayout", {text(file.path())}).ok(), c.ok) << c.what;
    // The toolbars go either way; only complete records come back.
    EXPECT_EQ(count(get_object(control, L"ToolBars")), 0) << c.what;
  }
}

// Sounds play asynchronously and report nothing, whether or not they play.
TEST_F(Files, PlaySoundFileReportsNothing) {
  struct Case {
    const char* what;
    std::vector<Var> args;
  } cases[] = {
      {"empty name", {Var(L"")}},
      {"missing file, default flags", {Var(L"Z:\\no\\such.wav")}},
      {"system sound by name", {Var(L"SystemAsterisk"), Var(32)}},
      {"unknown system sound", {Var(L"NoSuchSound"), Var(32)}},
      {"flags that are no number", {Var(L"Z:\\no\\such.wav"), Var(L"loud")}},
      {"download flags without a downloading container", {Var(L"http://example.invalid/a.wav"), Var(2 | 8 | 16)}},
  };
  for (const Case& c : cases) EXPECT_EQ(call(control, L"PlaySoundFile", c.args).hr, S_OK) << c.what;
}

}  // namespace
}  // namespace mz::test
