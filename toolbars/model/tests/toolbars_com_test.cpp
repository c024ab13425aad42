// Toolbars and the toolbars collection through IDispatch by name.
#include <gtest/gtest.h>

#include "com_test_support.h"

namespace mz::test {
namespace {

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class Toolbars : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    toolbars = get_object(control, L"ToolBars");
    ASSERT_NE(toolbars, nullptr);
  }
  void TearDown() override {
    sink.disconnect();
    if (toolbars) toolbars->Release();
    ControlTest::TearDown();
  }
  std::wstring add(std::vector<Var> args) {
    CallResult result = call(toolbars, L"Add", std::move(args));
    return result.ok() ? get(result.value.object(), L"Name").value.as_text() : L"error " + std::to_wstring(result.error_code);
  }
  std::wstring names() {
    std::wstring text;
    long count = get(toolbars, L"Count").value.as_long();
    for (int32_t i = 1; i <= count; ++i) {
      IDispatch* toolbar = get_object(toolbars, L"Item", {Var(i)});
      text += (text.empty() ? L"" : L",") + get(toolbar, L"Name").value.as_text();
      toolbar->Release();
    }
    return text;
  }

  IDispatch* toolbars = nullptr;
  EventSink sink;
};

TEST_F(Toolbars, DefaultNamesCountUp) {
  EXPECT_EQ(add({}), L"ToolBar1");
  EXPECT_EQ(add({Var::missing(), Var(0)}), L"ToolBar2");
  IDispatch* second = get_object(toolbars, L"Item", {Var(L"toolbar2")});
  ASSERT_TRUE(put(second, L"Name", Var(L"Edit")).ok());
  second->Release();
  EXPECT_EQ(add({Var::null()}), L"ToolBar3");
  EXPECT_EQ(names(), L"ToolBar1,Edit,ToolBar3");
}

TEST_F(Toolbars, AddRefusesBadNamesAndASecondMenuBar) {
  add({Var(L"ToolBar1")});
  EXPECT_EQ(add({Var(L"Menu Bar"), Var(1)}), L"Menu Bar");
  struct Case {
    std::vector<Var> args;
    long error;
    const wchar_t* text;
  } cases[] = {
      {{Var(L"toolbar1")}, 40011, L"Invalid name passed in"},
      {{Var(L"")}, 40011, L"Invalid name passed in"},
      {{Var(5)}, 40011, L"Invalid name passed in"},
      {{Var(L"Menu2"), Var(1)}, 40008, L"Can only have one menu"},
  };
  for (auto& c : cases) {
    CallResult result = call(toolbars, L"Add", c.args);
    EXPECT_EQ(result.error_code, c.error);
    EXPECT_EQ(result.description, c.text);
  }
  EXPECT_EQ(call(toolbars, L"Add", {Var(L"Other"), Var(2)}).error(), E_FAIL);
  EXPECT_EQ(names(), L"ToolBar1,Menu Bar");
}

TEST_F(Toolbars, ItemByNameOrPosition) {
  add({Var(L"Standard")});
  add({Var(L"Menu Bar"), Var(1)});
  struct Case {
    Var index;
    const wchar_t* expected;
    long error;
  } cases[] = {
      {Var(L"standard"), L"Standard", 0}, {Var(2), L"Menu Bar", 0}, {Var(short{1}), L"Standard", 0},
      {Var(L""), nullptr, 40011},         {Var(L"None"), nullptr, 40002}, {Var(0), nullptr, 40002},
      {Var(3), nullptr, 40002},
  };
  for (auto& c : cases) {
    CallResult result = get(toolbars, L"Item", {c.index});
    if (c.expected) {
      ASSERT_TRUE(result.ok());
      EXPECT_EQ(get(result.value.object(), L"Name").value.as_text(), c.expected);
    } else {
      EXPECT_EQ(result.error_code, c.error);
    }
  }
}

TEST_F(Toolbars, NewToolbarDefaults) {
  IDispatch* bar = call_object(toolbars, L"Add", {Var(L"Standard")});
  EXPECT_EQ(get(bar, L"DockedRow").value.as_long(), 1);
  // A new menu bar takes row 1, in a band of its own: the others move down.
  IDispatch* menu = call_object(toolbars, L"Add", {Var(L"Menu"), Var(1)});
  EXPECT_EQ(get(menu, L"DockedRow").value.as_long(), 1);
  struct Case {
    IDispatch* toolbar;
    const wchar_t* name;
    long expected;
  } cases[] = {
      {bar, L"AllowCustomize", -1},  {bar, L"AllowHiding", -1},      {bar, L"CaptionAlignment", 3},
      {bar, L"DisplayGrabHandles", -1}, {bar, L"DisplayMoreToolsButton", 0}, {bar, L"DockedColumn", 1},
      {bar, L"DockedRow", 2},        {bar, L"DockedStatus", 1},      {bar, L"DockFlags", 31},
      {bar, L"FloatingHeight", -1},  {bar, L"FloatingLeft", -1},     {bar, L"FloatingTop", -1},
      {bar, L"FloatingWidth", -1},   {bar, L"Font3D", 0},            {bar, L"Stock", 0},
      {bar, L"Style", 0},            {bar, L"Visible", -1},          {menu, L"Style", 1},
      {menu, L"AllowHiding", 0},     {menu, L"DisplayMoreToolsButton", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(get(c.toolbar, c.name).value.as_long(), c.expected) << narrow(c.name);
  EXPECT_EQ(get(bar, L"TagVariant").value.type(), VT_EMPTY);
  bar->Release();
  menu->Release();
}

TEST_F(Toolbars, PropertyRules) {
  IDispatch* bar = call_object(toolbars, L"Add", {Var(L"T")});
  IDispatch* menu = call_object(toolbars, L"Add", {Var(L"M"), Var(1)});
  add({Var(L"Other")});
  struct Case {
    IDispatch* toolbar;
    const wchar_t* name;
    Var value;
    long error;
  } cases[] = {
      {bar, L"CaptionAlignment", Var(4), 380}, {bar, L"CaptionAlignment", Var(0), 0},
      {bar, L"Font3D", Var(6), 380},           {bar, L"Font3D", Var(5), 0},
      {bar, L"DockedRow", Var(short{0}), 380}, {bar, L"DockedRow", Var(short{2}), 0},
      {bar, L"DockedColumn", Var(short{0}), 380},
      {bar, L"DockFlags", Var(128), 380},      {bar, L"DockFlags", Var(-1), 380},
      {bar, L"Name", Var(L""), 380},           {bar, L"Name", Var(L"OTHER"), 380},
      {bar, L"DockFlags", Var(1), 0},          {bar, L"DockedStatus", Var(4), 380},
      {bar, L"DockedStatus", Var(16), 380},    {bar, L"DockFlags", Var(127), 0},
      {bar, L"DockedStatus", Var(3), 380},     {bar, L"DockedStatus", Var(8), 0},
      {menu, L"AllowHiding", Var(true), 383},  {menu, L"Visible", Var(false), 380},
      {menu, L"DisplayMoreToolsButton", Var(true), 380},
      {bar, L"AllowHiding", Var(false), 0},    {bar, L"Visible", Var(false), 380},
  };
  for (auto& c : cases) {
    CallResult result = put(c.toolbar, c.name, c.value);
    EXPECT_EQ(result.error_code, c.error) << narrow(c.name) << " = " << c.value.as_long();
    if (c.error == 0) {
      EXPECT_EQ(get(c.toolbar, c.name).value.as_text(), c.value.as_text()) << narrow(c.name);
    }
  }
  EXPECT_EQ(put(menu, L"AllowHiding", Var(true)).description, L"Property is read-only");
  bar->Release();
  menu->Release();
}

// Changing where a docked toolbar sits takes it out of its band and enters
// it again: the rows of the others close up or move down.
TEST_F(Toolbars, DockFieldChangesRenumberTheBands) {
  IDispatch* bars[3] = {};
  for (int i = 0; i < 3; ++i) {
    bars[i] = call_object(toolbars, L"Add", {Var(L"Bar" + std::to_wstring(i + 1))});
    ASSERT_NE(bars[i], nullptr);
    ASSERT_TRUE(put(bars[i], L"DockedRow", Var(short(i + 1))).ok());
  }
  auto rows = [&] {
    std::wstring text;
    for (IDispatch* bar : bars) text += std::to_wstring(get(bar, L"DockedRow").value.as_long());
    return text;
  };
  EXPECT_EQ(rows(), L"123");
  ASSERT_TRUE(put(bars[1], L"DockedRow", Var(short{9})).ok());
  EXPECT_EQ(rows(), L"132") << "beyond the last band: appended, band 3 closes up to 2";
  ASSERT_TRUE(put(bars[2], L"DockedStatus", Var(int32_t{mzDockedBottom})).ok());
  EXPECT_EQ(rows(), L"121") << "the only toolbar of a band leaves it";
  ASSERT_TRUE(put(bars[0], L"Visible", Var(false)).ok());
  EXPECT_EQ(rows(), L"111");
  ASSERT_TRUE(put(bars[0], L"Visible", Var(true)).ok());
  EXPECT_EQ(rows(), L"111") << "shown again in band 1, which it asks for";
  EXPECT_EQ(get(bars[0], L"DockedColumn").value.as_long(), 1);
  EXPECT_EQ(get(bars[1], L"DockedColumn").value.as_long(), 2);
  for (IDispatch* bar : bars) bar->Release();
}

TEST_F(Toolbars, EventsOfToolbarChanges) {
  IDispatch* bar = call_object(toolbars, L"Add", {Var(L"T")});
  sink.connect(control);
  put(bar, L"Visible", Var(false));
  put(bar, L"Visible", Var(false));
  put(bar, L"Visible", Var(true));
  put(bar, L"DockedStatus", Var(2));   // to another dock area
  put(bar, L"DockedStatus", Var(16));  // floating: row and column read -1
  EXPECT_EQ(get(bar, L"DockedRow").value.as_long(), -1);
  std::vector<long> changes;
  for (const auto& event : sink.events) {
    EXPECT_EQ(event.dispid, 1077);
    EXPECT_EQ(event.args[1].object(), bar);
    EXPECT_EQ(event.args[2].object(), nullptr);  // no tool concerned
    changes.push_back(event.args[0].as_long());
  }
  EXPECT_EQ(changes, (std::vector<long>{0, 3, 5}));
  bar->Release();
}

TEST_F(Toolbars, RemoveAndClearFireDestroyedForEachToolbar) {
  for (const wchar_t* name : {L"A", L"B", L"C", L"D"}) add({Var(name)});
  IDispatch* c = get_object(toolbars, L"Item", {Var(L"C")});
  sink.connect(control);
  EXPECT_TRUE(call(toolbars, L"Remove", {Var(L"b")}).ok());
  EXPECT_TRUE(call(toolbars, L"Remove", {Var(c)}).ok());
  EXPECT_EQ(call(toolbars, L"Remove", {Var(L"Z")}).error_code, 40002);
  EXPECT_EQ(names(), L"A,D");
  EXPECT_TRUE(call(toolbars, L"Clear").ok());
  EXPECT_EQ(get(toolbars, L"Count").value.as_long(), 0);
  std::wstring destroyed;
  for (const auto& event : sink.events) {
    EXPECT_EQ(event.args[0].as_long(), 2);  // mzToolBarDestroyed
    destroyed += get(event.args[1].object(), L"Name").value.as_text();
  }
  EXPECT_EQ(destroyed, L"BCAD");
  c->Release();
}

TEST_F(Toolbars, ResetNeedsAStockToolbarWithSomethingToRestore) {
  IDispatch* bar = call_object(toolbars, L"Add", {Var(L"T")});
  IDispatch* tools = get_object(bar, L"Tools");
  for (const wchar_t* id : {L"A", L"B"}) call(tools, L"Add", {Var(id)});
  CallResult refused = call(bar, L"Reset", {Var(true)});
  EXPECT_EQ(refused.error_code, 40006);
  EXPECT_EQ(refused.description, L"Unable to perform the requested operation.");

  ASSERT_TRUE(put(bar, L"Stock", Var(true)).ok());  // keeps A,B as the last-loaded tools
  call(tools, L"Remove", {Var(1)});
  call(tools, L"Add", {Var(L"C")});
  sink.connect(control);
  EXPECT_TRUE(call(bar, L"Reset", {Var(true)}).ok());
  EXPECT_EQ(get(tools, L"Count").value.as_long(), 2);
  EXPECT_EQ(get(get_object(tools, L"Item", {Var(1)}), L"ID").value.as_text(), L"A");
  ASSERT_EQ(sink.events.size(), 2u);  // only the tools it adds are reported
  EXPECT_EQ(sink.events[0].args[0].as_long(), 7);
  tools->Release();
  bar->Release();
}

}  // namespace
}  // namespace mz::test
