// Tools, placed tools and their collections through IDispatch by name.
#include <gtest/gtest.h>

#include "com_test_support.h"

namespace mz::test {
namespace {

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class Tools : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tools = get_object(control, L"Tools");
    toolbars = get_object(control, L"ToolBars");
    ASSERT_TRUE(tools && toolbars);
  }
  void TearDown() override {
    sink.disconnect();
    for (IDispatch* held : {tools, toolbars})
      if (held) held->Release();
    ControlTest::TearDown();
  }
  // Adds a tool and returns its object, owned by the caller.
  IDispatch* add(IDispatch* collection, const wchar_t* id, int32_t type = 0) {
    return call_object(collection, L"Add", {Var(id), Var(type)});
  }
  IDispatch* add_toolbar(const wchar_t* name) { return call_object(toolbars, L"Add", {Var(name)}); }
  std::wstring ids(IDispatch* collection) {
    std::wstring text;
    long count = get(collection, L"Count").value.as_long();
    for (int32_t i = 1; i <= count; ++i) {
      IDispatch* tool = get_object(collection, L"Item", {Var(i)});
      text += (text.empty() ? L"" : L",") + get(tool, L"ID").value.as_text();
      tool->Release();
    }
    return text;
  }

  IDispatch* tools = nullptr;
  IDispatch* toolbars = nullptr;
  EventSink sink;
};

TEST_F(Tools, NewToolDefaults) {
  IDispatch* tool = add(tools, L"ID_Open");
  struct Case {
    const wchar_t* name;
    long expected;
  } cases[] = {
      {L"AutoWrap", 0},   {L"Customizable", -1}, {L"Enabled", -1},       {L"GroupAllowAllUp", -1},
      {L"Visible", -1},   {L"UseMaskColor", -1}, {L"RecentlyUsed", 0},   {L"State", 0},
      {L"Shortcut", 0},   {L"MenuVisibility", 0}, {L"PictureSize", 16},  {L"Type", 0},
      {L"ForeColorSource", 0}, {L"DisplayStyle", 0}, {L"ForeColor", static_cast<long>(0x80000012)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(get(tool, c.name).value.as_long(), c.expected) << narrow(c.name);
  EXPECT_EQ(get(tool, L"Category").value.as_text(), L"General");
  EXPECT_EQ(get(tool, L"Name").value.as_text(), L"");
  EXPECT_EQ(get(tool, L"ID").value.as_text(), L"ID_Open");
  tool->Release();
  IDispatch* menu = add(tools, L"ID_mnuFile", 7);
  EXPECT_EQ(get(menu, L"AutoWrap").value.as_long(), -1);
  menu->Release();
}

TEST_F(Tools, ItemFindsToolsByIdIgnoringCaseOrByPosition) {
  for (const wchar_t* id : {L"ID_Open", L"ID_Save", L"ID_Exit"}) add(tools, id)->Release();
  BSTR by_reference = SysAllocString(L"id_SAVE");
  struct Case {
    Var index;
    const wchar_t* expected;  // null: error 40002
  } cases[] = {
      {Var(L"ID_Save"), L"ID_Save"}, {Var(L"id_save"), L"ID_Save"}, {Var::string_ref(&by_reference), L"ID_Save"},
      {Var(2), L"ID_Save"},          {Var(short{3}), L"ID_Exit"},  {Var(1.0), L"ID_Open"},
      {Var(L"2"), nullptr},  // a String is always an ID
      {Var(0), nullptr},             {Var(4), nullptr},            {Var(-1), nullptr},
      {Var(L"ID_None"), nullptr},    {Var::null(), nullptr},
  };
  for (auto& c : cases) {
    CallResult result = get(tools, L"Item", {c.index});
    if (c.expected) {
      ASSERT_TRUE(result.ok());
      EXPECT_EQ(get(result.value.object(), L"ID").value.as_text(), c.expected);
    } else {
      EXPECT_EQ(result.error_code, 40002);
      EXPECT_EQ(result.description, L"Invalid Index value was passed in");
    }
  }
  // Item is the default member: the collection can be called directly.
  CallResult by_default = invoke_default(tools, {Var(L"ID_Exit")});
  ASSERT_TRUE(by_default.ok());
  EXPECT_EQ(get(by_default.value.object(), L"ID").value.as_text(), L"ID_Exit");
  SysFreeString(by_reference);
}

TEST_F(Tools, TheSameToolIsTheSameObject) {
  IDispatch* added = add(tools, L"A");
  IDispatch* found = get_object(tools, L"Item", {Var(L"a")});
  IUnknown* first = nullptr;
  IUnknown* second = nullptr;
  added->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&first));
  found->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&second));
  EXPECT_EQ(first, second);
  first->Release();
  second->Release();
  found->Release();
  added->Release();
}

TEST_F(Tools, AddRules) {
  add(tools, L"ID_Open")->Release();
  struct Case {
    std::vector<Var> args;
    long error;
    const wchar_t* text;
  } cases[] = {
      {{Var(L"ID_Open")}, 40009, L"Tool ID already exists"},
      {{Var(L"id_open")}, 40009, L"Tool ID already exists"},
      {{Var(L"Separator")}, 40002, L"Invalid Index value was passed in"},
      {{Var(L"ID_Sep"), Var(8)}, 40002, L"Invalid Index value was passed in"},
      {{Var(L"ID_Bad"), Var(9)}, 380, L"Invalid property value"},
  };
  for (auto& c : cases) {
    CallResult result = call(tools, L"Add", c.args);
    EXPECT_EQ(result.error_code, c.error);
    EXPECT_EQ(result.description, c.text);
  }
  // A Type that is not a number gives a button; an Index that is a numeric
  // String is a position.
  IDispatch* odd = call_object(tools, L"Add", {Var(L"ID_Odd"), Var(L"abc"), Var(L"1")});
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(get(odd, L"Type").value.as_long(), 0);
  odd->Release();
  EXPECT_EQ(ids(tools), L"ID_Odd,ID_Open");
}

TEST_F(Tools, RemoveByIdObjectOrPositionTakesThePlacementsAlong) {
  for (const wchar_t* id : {L"A", L"B", L"C", L"D"}) add(tools, id)->Release();
  IDispatch* bar = add_toolbar(L"Standard");
  IDispatch* bar_tools = get_object(bar, L"Tools");
  for (const wchar_t* id : {L"A", L"B", L"C"}) add(bar_tools, id)->Release();
  IDispatch* c = get_object(tools, L"Item", {Var(L"C")});
  sink.connect(control);

  EXPECT_TRUE(call(tools, L"Remove", {Var(L"b")}).ok());
  EXPECT_TRUE(call(tools, L"Remove", {Var(c)}).ok());
  EXPECT_TRUE(call(tools, L"Remove", {Var(2)}).ok());  // D is second now
  EXPECT_EQ(call(tools, L"Remove", {Var(L"Z")}).error_code, 40002);
  EXPECT_EQ(call(tools, L"Remove", {Var(5)}).error_code, 40002);
  EXPECT_EQ(ids(tools), L"A");
  EXPECT_EQ(ids(bar_tools), L"A");

  ASSERT_EQ(sink.events.size(), 2u);  // B and C left the toolbar
  for (const auto& event : sink.events) {
    EXPECT_EQ(event.dispid, 1077);
    EXPECT_EQ(event.args[0].as_long(), 8);  // mzToolBarToolRemoved
    EXPECT_EQ(get(event.args[1].object(), L"Name").value.as_text(), L"Standard");
  }
  EXPECT_EQ(get(sink.events[0].args[2].object(), L"ID").value.as_text(), L"B");
  c->Release();
  bar_tools->Release();
  bar->Release();
}

TEST_F(Tools, PlacingAToolFiresToolBarModifiedWithTheToolbarAndThePlacedTool) {
  IDispatch* bar = add_toolbar(L"Standard");
  IDispatch* bar_tools = get_object(bar, L"Tools");
  sink.connect(control);
  IDispatch* placed = add(bar_tools, L"ID_Browse", 1);
  ASSERT_EQ(sink.events.size(), 1u);
  const FiredEvent& event = sink.events[0];
  EXPECT_EQ(event.dispid, 1077);
  EXPECT_EQ(event.args[0].as_long(), 7);  // mzToolBarToolAdded
  EXPECT_EQ(get(event.args[1].object(), L"Name").value.as_text(), L"Standard");
  EXPECT_EQ(get(event.args[2].object(), L"ID").value.as_text(), L"ID_Browse");
  // The tool was created in the control's Tools on the way.
  EXPECT_EQ(ids(tools), L"ID_Browse");
  EXPECT_EQ(get(get_object(tools, L"Item", {Var(1)}), L"Type").value.as_long(), 1);
  placed->Release();
  bar_tools->Release();
  bar->Release();
}

TEST_F(Tools, LevelErrorsOfPlacedAndUnplacedTools) {
  IDispatch* button = add(tools, L"B");
  IDispatch* bar = add_toolbar(L"T");
  IDispatch* bar_tools = get_object(bar, L"Tools");
  IDispatch* placed = add(bar_tools, L"B");
  struct Case {
    IDispatch* tool;
    const wchar_t* property;
    Var value;  // VT_EMPTY: read instead of write
    long error;
    const wchar_t* text;
  } cases[] = {
      {placed, L"Category", Var(L"x"), 383, L"Property is read-only"},
      {placed, L"ID", Var(L"C"), 383, L"Property is read-only"},
      {placed, L"PictureSize", Var(short{20}), 383, L"Property is read-only"},
      {placed, L"Visible", Var(false), 383, L"Property is read-only"},
      {button, L"Left", Var(), 40016,
       L"Property is not available, either its not a control tool level property or  the tool type does not support it."},
      {button, L"Index", Var(), 40016, nullptr},
      {button, L"Width", Var(), 40016, nullptr},
      {button, L"CtlWidth", Var(), 40016, nullptr},
      {placed, L"CtlWidth", Var(short{50}), 40016, nullptr},
      {button, L"ComboBox", Var(), 40006, L"Unable to perform the requested operation."},
      {placed, L"Edit", Var(), 40006, nullptr},
      {button, L"Menu", Var(), 40006, nullptr},
      {placed, L"SetFocus", Var(), 40006, nullptr},
      {button, L"PictureSize", Var(short{15}), 380, L"Invalid property value"},
      {button, L"PictureSize", Var(short{33}), 380, nullptr},
      {button, L"Type", Var(9), 380, nullptr},
      {placed, L"ForeColor", Var(0x01000000), 380, nullptr},
      {placed, L"ForeColorSource", Var(2), 380, nullptr},
      {placed, L"DisplayStyle", Var(4), 380, nullptr},
      {button, L"MenuVisibility", Var(2), 380, nullptr},
      {button, L"Shortcut", Var(80), 380, nullptr},
      {button, L"State", Var(2), 380, nullptr},
  };
  for (auto& c : cases) {
    CallResult result = c.value.type() == VT_EMPTY
                            ? (std::wstring(c.property) == L"SetFocus" ? call(c.tool, c.property)
                                                                        : get(c.tool, c.property))
                            : put(c.tool, c.property, c.value);
    EXPECT_EQ(result.error_code, c.error) << narrow(c.property);
    if (c.text) {
      EXPECT_EQ(result.description, c.text) << narrow(c.property);
    }
  }
  // Accepted values, read back; placed-level values stay with the placement.
  EXPECT_TRUE(put(button, L"PictureSize", Var(short{32})).ok());
  EXPECT_EQ(get(placed, L"PictureSize").value.as_long(), 32);
  EXPECT_TRUE(put(placed, L"Name", Var(L"&Here")).ok());
  EXPECT_EQ(get(button, L"Name").value.as_text(), L"");
  EXPECT_EQ(get(placed, L"Index").value.as_long(), 1);
  placed->Release();
  bar_tools->Release();
  bar->Release();
  button->Release();
}

TEST_F(Tools, RenamingChecksOtherToolsAndReachesPlacedTools) {
  IDispatch* open = add(tools, L"ID_Open");
  add(tools, L"ID_Save")->Release();
  IDispatch* bar = add_toolbar(L"T");
  IDispatch* bar_tools = get_object(bar, L"Tools");
  IDispatch* placed = add(bar_tools, L"ID_Open");
  EXPECT_EQ(put(open, L"ID", Var(L"id_save")).error_code, 40009);
  EXPECT_TRUE(put(open, L"ID", Var(L"ID_OPEN")).ok());
  EXPECT_TRUE(put(open, L"ID", Var(L"ID_Browse")).ok());
  EXPECT_EQ(get(placed, L"ID").value.as_text(), L"ID_Browse");
  EXPECT_EQ(get(get_object(tools, L"Item", {Var(L"id_browse")}), L"ID").value.as_text(), L"ID_Browse");
  placed->Release();
  bar_tools->Release();
  bar->Release();
  open->Release();
}

TEST_F(Tools, ShortcutsAreUnique) {
  IDispatch* a = add(tools, L"A");
  IDispatch* b = add(tools, L"B");
  EXPECT_TRUE(put(a, L"Shortcut", Var(5)).ok());
  CallResult second = put(b, L"Shortcut", Var(5));
  EXPECT_EQ(second.error_code, 40010);
  EXPECT_EQ(second.description, L"Shortcut already in use");
  EXPECT_TRUE(put(a, L"Shortcut", Var(0)).ok());
  EXPECT_TRUE(put(b, L"Shortcut", Var(0)).ok());
  a->Release();
  b->Release();
}

TEST_F(Tools, StateFiresToolClickWithTheTool) {
  IDispatch* check = add(tools, L"ID_Bad", 1);
  IDispatch* bar = add_toolbar(L"T");
  IDispatch* bar_tools = get_object(bar, L"Tools");
  IDispatch* button = add(bar_tools, L"ID_Go");
  sink.connect(control);

  EXPECT_TRUE(put(check, L"State", Var(1)).ok());
  EXPECT_TRUE(put(button, L"State", Var(1)).ok());
  ASSERT_EQ(sink.dispids(), (std::vector<DISPID>{1071, 1071}));
  EXPECT_EQ(sink.events[0].args[0].object(), check);
  EXPECT_EQ(get(sink.events[1].args[0].object(), L"ID").value.as_text(), L"ID_Go");
  EXPECT_EQ(get(check, L"State").value.as_long(), 1);
  EXPECT_EQ(get(button, L"State").value.as_long(), 0);  // a placed button pops up again

  put(check, L"GroupAllowAllUp", Var(false));
  EXPECT_TRUE(put(check, L"State", Var(0)).ok());
  EXPECT_EQ(get(check, L"State").value.as_long(), 1);
  EXPECT_EQ(sink.events.size(), 2u);
  button->Release();
  bar_tools->Release();
  bar->Release();
  check->Release();
}

TEST_F(Tools, SeparatorsAndTheirCleanUp) {
  IDispatch* bar = add_toolbar(L"T");
  IDispatch* bar_tools = get_object(bar, L"Tools");
  for (const wchar_t* id : {L"A", L"B", L"C"}) add(bar_tools, id)->Release();
  EXPECT_EQ(call(bar_tools, L"Add", {Var(L"separator"), Var(0), Var(1)}).error_code, 40006);
  IDispatch* separator = call_object(bar_tools, L"Add", {Var(L"separator"), Var(0), Var(2)});
  ASSERT_NE(separator, nullptr);
  EXPECT_EQ(get(separator, L"Type").value.as_long(), 8);
  EXPECT_EQ(ids(bar_tools), L"A,separator,B,C");
  EXPECT_EQ(ids(tools), L"A,B,C");
  EXPECT_TRUE(call(bar_tools, L"Remove", {Var(L"A")}).ok());
  EXPECT_EQ(ids(bar_tools), L"B,C");
  separator->Release();
  bar_tools->Release();
  bar->Release();
}

TEST_F(Tools, MenusHoldPlacedToolsButNotThemselves) {
  IDispatch* file = add(tools, L"ID_mnuFile", 7);
  IDispatch* menu = get_object(file, L"Menu");
  ASSERT_NE(menu, nullptr);
  IDispatch* menu_tools = get_object(menu, L"Tools");
  add(menu_tools, L"ID_Open")->Release();
  CallResult self = call(menu_tools, L"Add", {Var(L"id_mnufile")});
  EXPECT_EQ(self.error_code, 40006);
  EXPECT_EQ(ids(menu_tools), L"ID_Open");
  // The menu's tools follow the tool: once it is no menu, they are gone.
  ASSERT_TRUE(put(file, L"Type", Var(0)).ok());
  EXPECT_EQ(get(menu_tools, L"Count").value.as_long(), 0);
  EXPECT_EQ(call(menu_tools, L"Add", {Var(L"X")}).error_code, 40006);
  menu_tools->Release();
  menu->Release();
  file->Release();
}

TEST_F(Tools, ComboBoxData) {
  IDispatch* tool = add(tools, L"ID_Find", 4);
  IDispatch* combo = get_object(tool, L"ComboBox");
  ASSERT_NE(combo, nullptr);
  sink.connect(control);
  for (const wchar_t* item : {L"beta", L"alpha"}) EXPECT_TRUE(call(combo, L"AddItem", {Var(item)}).ok());
  EXPECT_TRUE(call(combo, L"AddItem", {Var(L"first"), Var(0)}).ok());
  EXPECT_EQ(get(combo, L"ListCount").value.as_long(), 3);
  EXPECT_EQ(get(combo, L"NewIndex").value.as_long(), 0);
  EXPECT_EQ(get(combo, L"List", {Var(short{2})}).value.as_text(), L"alpha");
  EXPECT_EQ(get(combo, L"List", {Var(short{7})}).value.as_text(), L"");
  EXPECT_TRUE(put(combo, L"ItemData", Var(77), {Var(short{1})}).ok());
  EXPECT_EQ(get(combo, L"ItemData", {Var(short{1})}).value.as_long(), 77);
  EXPECT_EQ(get(combo, L"ItemData", {Var(short{3})}).error_code, 40002);
  EXPECT_EQ(call(combo, L"RemoveItem", {Var(short{3})}).error_code, 40002);
  EXPECT_EQ(put(combo, L"ListIndex", Var(short{3})).error_code, 40002);
  EXPECT_TRUE(put(combo, L"ListIndex", Var(short{1})).ok());
  EXPECT_EQ(get(combo, L"Text").value.as_text(), L"beta");
  EXPECT_EQ(put(combo, L"Style", Var(1)).error_code, 383);  // fixed at run time
  EXPECT_EQ(put(combo, L"Sorted", Var(true)).error_code, 383);

  EXPECT_TRUE(put(combo, L"Text", Var(L"gamma")).ok());
  ASSERT_EQ(sink.dispids(), std::vector<DISPID>{1078});
  EXPECT_EQ(sink.events[0].args[0].object(), tool);
  put(combo, L"Locked", Var(true));
  EXPECT_EQ(put(combo, L"Text", Var(L"delta")).error_code, 383);
  EXPECT_TRUE(call(combo, L"Clear").ok());
  EXPECT_EQ(get(combo, L"ListIndex").value.as_long(), -1);
  combo->Release();
  tool->Release();
}

TEST_F(Tools, EditData) {
  IDispatch* tool = add(tools, L"ID_Text", 5);
  IDispatch* edit = get_object(tool, L"Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(put(edit, L"MaxLength", Var(short{-1})).error_code, 380);
  EXPECT_TRUE(put(edit, L"MaxLength", Var(short{12})).ok());
  EXPECT_TRUE(put(edit, L"PasswordChar", Var(L"*")).ok());
  EXPECT_EQ(get(edit, L"MaxLength").value.as_long(), 12);
  EXPECT_EQ(get(edit, L"PasswordChar").value.as_text(), L"*");
  // A tool that is no longer an edit tool has no edit data.
  put(tool, L"Type", Var(0));
  EXPECT_EQ(get(edit, L"Text").error_code, 40006);
  edit->Release();
  tool->Release();
}

TEST_F(Tools, ChangeAllConvertsItsValueAndSetsEveryPlacement) {
  add(tools, L"E", 5)->Release();
  IDispatch* one = add_toolbar(L"One");
  IDispatch* two = add_toolbar(L"Two");
  IDispatch* one_tools = get_object(one, L"Tools");
  IDispatch* two_tools = get_object(two, L"Tools");
  IDispatch* first = add(one_tools, L"E");
  IDispatch* second = add(two_tools, L"E");
  EXPECT_TRUE(call(first, L"ChangeAll", {Var(4), Var(L"&Find")}).ok());
  EXPECT_TRUE(call(first, L"ChangeAll", {Var(1), Var(L"3")}).ok());
  EXPECT_TRUE(call(first, L"ChangeAll", {Var(0), Var(120.0)}).ok());
  EXPECT_EQ(get(second, L"Name").value.as_text(), L"&Find");
  EXPECT_EQ(get(second, L"DisplayStyle").value.as_long(), 3);
  EXPECT_EQ(get(second, L"CtlWidth").value.as_long(), 120);
  for (auto args : {std::vector<Var>{Var(5), Var(1)}, std::vector<Var>{Var(1), Var(L"abc")},
                    std::vector<Var>{Var(1), Var(9)}, std::vector<Var>{Var(3), Var(100000)}}) {
    CallResult result = call(first, L"ChangeAll", args);
    EXPECT_EQ(result.error_code, 380);
  }
  EXPECT_EQ(get(second, L"DisplayStyle").value.as_long(), 3);
  for (IDispatch* held : {first, second, one_tools, two_tools, one, two}) held->Release();
}

TEST_F(Tools, PictureBitmapHandles) {
  IDispatch* tool = add(tools, L"P");
  EXPECT_EQ(put(tool, L"PictureBmp", Var(12345)).error_code, 380);
  HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(put(tool, L"PictureBmp", Var(static_cast<int32_t>(reinterpret_cast<INT_PTR>(bitmap)))).ok());
  DeleteObject(bitmap);  // the tool keeps a copy of its own
  IDispatch* picture = get_object(tool, L"Picture");
  EXPECT_EQ(get(picture, L"Type").value.as_long(), PICTYPE_BITMAP);
  picture->Release();
  EXPECT_TRUE(put(tool, L"PictureBmp", Var(0)).ok());
  picture = get_object(tool, L"Picture");
  EXPECT_EQ(get(picture, L"Type").value.as_long(), PICTYPE_NONE);
  picture->Release();
  tool->Release();
}

TEST_F(Tools, PictureBitmapHandlesBecomeDefaultPaletteBitmaps) {
  IDispatch* tool = add(tools, L"P");
  // A 32-bit bitmap of two pixels: red, which the default palette holds, and
  // a colour it does not.
  const uint32_t source[] = {0x00FF0000, 0x00123456};
  HBITMAP bitmap = CreateBitmap(2, 1, 1, 32, source);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(put(tool, L"PictureBmp", Var(static_cast<int32_t>(reinterpret_cast<INT_PTR>(bitmap)))).ok());
  DeleteObject(bitmap);
  IDispatch* picture = get_object(tool, L"Picture");
  auto handle = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(get(picture, L"Handle").value.as_long()));
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(handle, sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBmih.biBitCount, 8);
  EXPECT_EQ(section.dsBm.bmWidth, 2);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, handle);
  RGBQUAD table[256]{};
  EXPECT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
  SelectObject(dc, old);
  DeleteDC(dc);
  auto colour = [](const RGBQUAD& q) { return static_cast<uint32_t>(q.rgbRed) << 16 | q.rgbGreen << 8 | q.rgbBlue; };
  // The twenty colours of the default palette, the rest of the table black.
  EXPECT_EQ(colour(table[0]), 0x000000u);
  EXPECT_EQ(colour(table[7]), 0xC0C0C0u);
  EXPECT_EQ(colour(table[13]), 0xFF0000u);
  EXPECT_EQ(colour(table[19]), 0xFFFFFFu);
  EXPECT_EQ(colour(table[20]), 0x000000u);
  EXPECT_EQ(colour(table[255]), 0x000000u);

  const uint8_t* indices = static_cast<const uint8_t*>(section.dsBm.bmBits);
  EXPECT_EQ(colour(table[indices[0]]), 0xFF0000u);
  EXPECT_LT(indices[1], 20);  // the other colour became one of the palette's
  picture->Release();
  tool->Release();
}

TEST_F(Tools, EnumerationWalksTheToolsInOrder) {
  for (const wchar_t* id : {L"A", L"B", L"C"}) add(tools, id)->Release();
  CallResult result = get(tools, L"_NewEnum");
  ASSERT_TRUE(result.ok());
  IEnumVARIANT* items = nullptr;
  ASSERT_EQ((*result.value).punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items)), S_OK);
  std::wstring seen;
  Var item;
  while (items->Next(1, item.get(), nullptr) == S_OK) {
    seen += get(item.object(), L"ID").value.as_text();
    item = Var();
  }
  EXPECT_EQ(seen, L"ABC");
  items->Release();
}

}  // namespace
}  // namespace mz::test
