// The stored toolbar state of the main window: it must be what the builder
// makes now, and loading it into a fresh control must give the window's
// tools, menus and toolbars. The control is driven by name through
// IDispatch, as a host reads it, while the builder uses the vtable.
#include <windows.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "com_test_support.h"
#include "object_creation_win32.h"
#include "toolbar_state_builder.h"

namespace {

using mz::com::ComPtr;
using mz::test::get;
using mz::test::get_object;
using mz::test::Var;

constexpr long kButton = 0, kStateButton = 1, kMenu = 7, kSeparatorType = 8;
constexpr long kStandardStyle = 0, kMenuBarStyle = 1;
constexpr long kDockedTop = 1;
constexpr long kChecked = 1, kUnchecked = 0;

std::vector<std::uint8_t> read_file(const wchar_t* path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1 << 24)) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
      bytes.clear();
  }
  CloseHandle(file);
  return bytes;
}

// Where two byte strings first differ, or -1 when they are equal.
long first_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i)
    if (a[i] != b[i]) return static_cast<long>(i);
  return a.size() == b.size() ? -1 : static_cast<long>(common);
}

ComPtr<IUnknown> new_control() {
  ComPtr<IUnknown> control;
  EXPECT_EQ(mz::client::create_from_library(QUARROW_MZDECK2_DLL, CLSID_MzToolDeck, control), S_OK)
      << "MzDeck2.dll from " << testing::PrintToString(std::wstring(QUARROW_MZDECK2_DLL));
  return control;
}

std::vector<std::uint8_t> generate() {
  ComPtr<IUnknown> control = new_control();
  if (!control) return {};
  quarrow::ui::ToolbarState state = quarrow::ui::build_toolbar_state(control.get());
  EXPECT_TRUE(state.ok()) << "failed at " << testing::PrintToString(state.failed_step) << ", hr 0x" << std::hex
                          << state.hr;
  return state.bytes;
}

class ToolbarStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(ToolbarStateTest, StoredStateEqualsAFreshGeneration) {
  const std::vector<std::uint8_t> stored = read_file(QUARROW_TOOLBAR_STATE_FILE);
  ASSERT_FALSE(stored.empty()) << "cannot read " << testing::PrintToString(std::wstring(QUARROW_TOOLBAR_STATE_FILE));

  const std::vector<std::uint8_t> first = generate();
  const std::vector<std::uint8_t> second = generate();
  ASSERT_FALSE(first.empty());
  // Two controls built alike save alike: nothing in the stream depends on
  // the moment or the instance.
  EXPECT_EQ(first_difference(first, second), -1) << "two generations differ";
  EXPECT_EQ(first.size(), stored.size());
  EXPECT_EQ(first_difference(first, stored), -1)
      << "the stored state is stale: regenerate it with the target regenerate_toolbar_state";
}

// A fresh control loaded from the stored state, read through IDispatch.
class LoadedState : public ToolbarStateTest {
 protected:
  void SetUp() override {
    ToolbarStateTest::SetUp();
    stored = read_file(QUARROW_TOOLBAR_STATE_FILE);
    ASSERT_FALSE(stored.empty());
    unknown = new_control();
    ASSERT_TRUE(unknown);
    ASSERT_EQ(unknown->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.put())), S_OK);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    ULONG written = 0;
    ASSERT_EQ(stream->Write(stored.data(), static_cast<ULONG>(stored.size()), &written), S_OK);
    ASSERT_EQ(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(persist->Load(stream.get()), S_OK);
    ASSERT_EQ(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(control.put())), S_OK);
  }
  void TearDown() override {
    control.reset();
    persist.reset();
    unknown.reset();
    ToolbarStateTest::TearDown();
  }

  ComPtr<IDispatch> object(IDispatch* from, const wchar_t* name, std::vector<Var> args = {}) {
    return ComPtr<IDispatch>::adopt(get_object(from, name, std::move(args)));
  }
  ComPtr<IDispatch> tool(const wchar_t* id) {
    ComPtr<IDispatch> tools = object(control.get(), L"Tools");
    return tools ? object(tools.get(), L"Item", {Var(id)}) : nullptr;
  }
  ComPtr<IDispatch> toolbar(int32_t index) {
    ComPtr<IDispatch> toolbars = object(control.get(), L"ToolBars");
    return toolbars ? object(toolbars.get(), L"Item", {Var(index)}) : nullptr;
  }

  std::vector<std::uint8_t> stored;
  ComPtr<IUnknown> unknown;
  ComPtr<IPersistStreamInit> persist;
  ComPtr<IDispatch> control;
};

struct ExpectedTool {
  const wchar_t* id;
  long type;
  const wchar_t* caption;
  const wchar_t* tooltip;
};

TEST_F(LoadedState, HoldsEveryToolWithItsTypeCaptionAndToolTip) {
  const ExpectedTool expected[] = {
      {L"ID_Browse", kButton, L"&Browse", L"Browse for folder"},
      {L"ID_Open", kButton, L"&Open", L"Open log"},
      {L"ID_Purge", kButton, L"&Purge", L"Purge log"},
      {L"ID_Bad", kStateButton, L"Rename bad zips", L""},
      {L"ID_Exit", kButton, L"E&xit", L""},
      {L"ID_Contents", kButton, L"&Contents", L""},
      {L"ID_Web", kButton, L"&Web", L"Visit my web page"},
      {L"ID_Email", kButton, L"&Email", L"Mail the Quarrow team"},
      {L"ID_About", kButton, L"&About", L""},
      {L"ID_mnuFile", kMenu, L"&File", L""},
      {L"ID_Help", kMenu, L"&Help", L""},
  };
  ComPtr<IDispatch> tools = object(control.get(), L"Tools");
  ASSERT_TRUE(tools);
  EXPECT_EQ(get(tools.get(), L"Count").value.as_long(), static_cast<long>(std::size(expected)));
  for (const ExpectedTool& want : expected) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(want.id)));
    ComPtr<IDispatch> found = tool(want.id);
    ASSERT_TRUE(found);
    EXPECT_EQ(get(found.get(), L"ID").value.as_text(), want.id);
    EXPECT_EQ(get(found.get(), L"Type").value.as_long(), want.type);
    EXPECT_EQ(get(found.get(), L"Name").value.as_text(), want.caption);
    EXPECT_EQ(get(found.get(), L"ToolTipText").value.as_text(), want.tooltip);
    // Only renaming bad zips starts checked.
    EXPECT_EQ(get(found.get(), L"State").value.as_long(), want.id == std::wstring(L"ID_Bad") ? kChecked : kUnchecked);
  }
}

TEST_F(LoadedState, StandardIsFirstAndTheMenuBarSecondBothDockedTopMenuBarAbove) {
  ComPtr<IDispatch> toolbars = object(control.get(), L"ToolBars");
  ASSERT_TRUE(toolbars);
  EXPECT_EQ(get(toolbars.get(), L"Count").value.as_long(), 2);
  struct ExpectedToolbar {
    int32_t index;
    const wchar_t* name;
    long style;
    long row;
  };
  const ExpectedToolbar expected[] = {{1, L"Standard", kStandardStyle, 2}, {2, L"Menu Bar", kMenuBarStyle, 1}};
  for (const ExpectedToolbar& want : expected) {
    SCOPED_TRACE(want.index);
    ComPtr<IDispatch> bar = toolbar(want.index);
    ASSERT_TRUE(bar);
    EXPECT_EQ(get(bar.get(), L"Name").value.as_text(), want.name);
    EXPECT_EQ(get(bar.get(), L"Style").value.as_long(), want.style);
    EXPECT_EQ(get(bar.get(), L"DockedStatus").value.as_long(), kDockedTop);
    EXPECT_EQ(get(bar.get(), L"DockedRow").value.as_long(), want.row);
    EXPECT_EQ(get(bar.get(), L"DockedColumn").value.as_long(), 1);
    EXPECT_EQ(get(bar.get(), L"Visible").value.as_long(), -1);  // VARIANT_TRUE
  }
}

// A placed tool as expected: its ID and, for a tool, its caption in that
// place. A null ID is a separator.
struct ExpectedPlaced {
  const wchar_t* id;
  const wchar_t* caption;
};
constexpr ExpectedPlaced kSep{nullptr, nullptr};

void expect_placed_tools(IDispatch* tools, const std::vector<ExpectedPlaced>& expected) {
  ASSERT_NE(tools, nullptr);
  ASSERT_EQ(get(tools, L"Count").value.as_long(), static_cast<long>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i + 1);
    ComPtr<IDispatch> placed = ComPtr<IDispatch>::adopt(get_object(tools, L"Item", {Var(static_cast<int32_t>(i + 1))}));
    ASSERT_TRUE(placed);
    const ExpectedPlaced& want = expected[i];
    if (!want.id) {
      EXPECT_EQ(get(placed.get(), L"Type").value.as_long(), kSeparatorType);
      continue;
    }
    EXPECT_EQ(get(placed.get(), L"ID").value.as_text(), want.id);
    EXPECT_NE(get(placed.get(), L"Type").value.as_long(), kSeparatorType);
    EXPECT_EQ(get(placed.get(), L"Name").value.as_text(), want.caption);
  }
}

TEST_F(LoadedState, ToolbarsHoldTheirToolsInOrder) {
  ComPtr<IDispatch> standard = toolbar(1);
  ASSERT_TRUE(standard);
  expect_placed_tools(object(standard.get(), L"Tools").get(),
                      {{L"ID_Browse", L"&Browse"}, kSep, {L"ID_Open", L"&Open"}, {L"ID_Purge", L"&Purge"}, kSep,
                       {L"ID_Contents", L"&Contents"}, {L"ID_Web", L"&Web"}, {L"ID_Email", L"&Email"},
                       {L"ID_About", L"&About"}, kSep, {L"ID_Exit", L"E&xit"}});
  ComPtr<IDispatch> menu_bar = toolbar(2);
  ASSERT_TRUE(menu_bar);
  expect_placed_tools(object(menu_bar.get(), L"Tools").get(), {{L"ID_mnuFile", L"&File"}, {L"ID_Help", L"&Help"}});
}

TEST_F(LoadedState, MenusHoldTheirToolsInOrderWithTheMenuCaptions) {
  struct Menu {
    const wchar_t* id;
    std::vector<ExpectedPlaced> tools;
  };
  const Menu menus[] = {
      {L"ID_mnuFile",
       {{L"ID_Browse", L"&Browse"}, kSep, {L"ID_Open", L"&Open log"}, {L"ID_Purge", L"&Purge log"}, kSep,
        {L"ID_Bad", L"Rename bad zips"}, kSep, {L"ID_Exit", L"E&xit"}}},
      {L"ID_Help",
       {{L"ID_Contents", L"&Contents"}, kSep, {L"ID_Email", L"&Email"}, {L"ID_Web", L"&Web"}, kSep,
        {L"ID_About", L"&About"}}},
  };
  for (const Menu& menu : menus) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(menu.id)));
    ComPtr<IDispatch> owner = tool(menu.id);
    ASSERT_TRUE(owner);
    ComPtr<IDispatch> sub = object(owner.get(), L"Menu");
    ASSERT_TRUE(sub);
    expect_placed_tools(object(sub.get(), L"Tools").get(), menu.tools);
  }
}

TEST_F(LoadedState, TheFileMenuIsFoundWhateverTheLetterCaseOfItsId) {
  ComPtr<IDispatch> found = tool(L"ID_mnufile");
  ASSERT_TRUE(found);
  EXPECT_EQ(get(found.get(), L"ID").value.as_text(), L"ID_mnuFile");
  EXPECT_EQ(get(found.get(), L"Type").value.as_long(), kMenu);
  ComPtr<IDispatch> menu = object(found.get(), L"Menu");
  ASSERT_TRUE(menu);
  EXPECT_EQ(get(object(menu.get(), L"Tools").get(), L"Count").value.as_long(), 8);
}

TEST_F(LoadedState, SavesBackTheSameBytes) {
  ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
  ULARGE_INTEGER end{};
  ASSERT_EQ(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end), S_OK);
  std::vector<std::uint8_t> saved(static_cast<size_t>(end.QuadPart));
  ASSERT_EQ(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);
  ULONG read = 0;
  ASSERT_EQ(stream->Read(saved.data(), static_cast<ULONG>(saved.size()), &read), S_OK);
  EXPECT_EQ(first_difference(saved, stored), -1);
}

}  // namespace
