// The control's own properties and methods through IDispatch by name.
#include <gtest/gtest.h>

#include "com_test_support.h"

namespace mz::test {
namespace {

using Control = ControlTest;

TEST_F(Control, NewControlDefaults) {
  struct Case {
    const wchar_t* name;
    long expected;
  } cases[] = {
      {L"ActiveColors", 0},
      {L"BackColor", static_cast<long>(0x8000000F)},
      {L"DisplayContextMenu", -1},
      {L"Enabled", -1},
      {L"FontSource", 0},
      {L"ForeColor", static_cast<long>(0x80000012)},
      {L"Style", 1},
      {L"MenuAnimations", 0},
      {L"PersonalizedMenus", 1},
      {L"PictureBackgroundMaskColor", 0x00C0C0C0},
      {L"PictureBackgroundStyle", 0},
      {L"PictureBackgroundUseMask", 0},
      {L"Redraw", -1},
      {L"ShowShortcutsInToolTips", 0},
      {L"ShowToolTips", -1},
      {L"LargeIcons", 0},
      {L"ToolTipDelay", 500},
      {L"Visible", -1},
  };
  for (const auto& c : cases) {
    CallResult result = get(control, c.name);
    ASSERT_TRUE(result.ok()) << std::string(c.name, c.name + wcslen(c.name));
    EXPECT_EQ(result.value.as_long(), c.expected) << std::string(c.name, c.name + wcslen(c.name));
  }
  EXPECT_EQ(get(control, L"TagVariant").value.type(), VT_EMPTY);
  EXPECT_EQ(get(control, L"Tools").value.type(), VT_DISPATCH);
  EXPECT_EQ(get(control, L"ToolBars").value.type(), VT_DISPATCH);
}

TEST_F(Control, AcceptedAndRefusedValues) {
  struct Case {
    const wchar_t* name;
    Var value;
    long error;  // 0: accepted
  } cases[] = {
      {L"BackColor", Var(static_cast<int32_t>(0x80000005)), 0},
      {L"BackColor", Var(0x00FFFFFF), 0},
      {L"BackColor", Var(0), 0},
      {L"BackColor", Var(0x01000000), 380},
      {L"BackColor", Var(static_cast<int32_t>(0xFF000000)), 380},
      {L"BackColor", Var(static_cast<int32_t>(0x81000000)), 380},
      {L"ForeColor", Var(static_cast<int32_t>(0x80FFFFFF)), 0},
      {L"ForeColor", Var(0x01000000), 380},
      {L"PictureBackgroundMaskColor", Var(0x00123456), 0},
      {L"PictureBackgroundMaskColor", Var(static_cast<int32_t>(0x90000000)), 380},
      {L"FontSource", Var(1), 0},
      {L"FontSource", Var(2), 380},
      {L"Style", Var(0), 0},
      {L"Style", Var(2), 0},
      {L"Style", Var(3), 380},
      {L"Style", Var(-1), 380},
      {L"MenuAnimations", Var(3), 0},
      {L"MenuAnimations", Var(4), 380},
      {L"PersonalizedMenus", Var(2), 0},
      {L"PersonalizedMenus", Var(3), 380},
      {L"PictureBackgroundStyle", Var(2), 0},
      {L"PictureBackgroundStyle", Var(3), 380},
      {L"ToolTipDelay", Var(short{0}), 0},
      {L"ToolTipDelay", Var(short{-1}), 380},
      {L"Visible", Var(false), 0},
      {L"ShowToolTips", Var(false), 0},
  };
  for (auto& c : cases) {
    const std::string label = std::string(c.name, c.name + wcslen(c.name)) + " = " +
                              std::to_string(c.value.as_long());
    Var before = get(control, c.name).value;
    CallResult result = put(control, c.name, c.value);
    if (c.error == 0) {
      EXPECT_TRUE(result.ok()) << label;
      EXPECT_EQ(get(control, c.name).value.as_long(), c.value.as_long()) << label;
    } else {
      EXPECT_EQ(result.error_code, c.error) << label;
      EXPECT_EQ(result.description, L"Invalid property value") << label;
      EXPECT_EQ(get(control, c.name).value.as_long(), before.as_long()) << label;
    }
  }
}

TEST_F(Control, CustomizationStrings) {
  struct Case {
    int32_t index;
    const wchar_t* expected;
  } cases[] = {{0, L"Cancel"}, {3, L"&Customize"}, {26, L"Are you sure you want to delete the '%s' toolbar?"},
               {45, L"Personalized Menus and Toolbars "}, {53, L"More Tools"}, {58, L"Slide"}};
  for (const auto& c : cases) EXPECT_EQ(get(control, L"CustomizationStrings", {Var(c.index)}).value.as_text(), c.expected);

  for (int32_t bad : {59, -1}) {
    CallResult read = get(control, L"CustomizationStrings", {Var(bad)});
    EXPECT_EQ(read.error_code, 40002);
    EXPECT_EQ(read.description, L"Invalid Index value was passed in");
    EXPECT_EQ(put(control, L"CustomizationStrings", Var(L"x"), {Var(bad)}).error_code, 40002);
  }
  ASSERT_TRUE(put(control, L"CustomizationStrings", Var(L"Abbrechen"), {Var(0)}).ok());
  EXPECT_EQ(get(control, L"CustomizationStrings", {Var(0)}).value.as_text(), L"Abbrechen");
}

TEST_F(Control, TagVariantKeepsACopyAndStoresEmptyTextAsEmpty) {
  ASSERT_TRUE(put(control, L"TagVariant", Var(L"note")).ok());
  EXPECT_EQ(get(control, L"TagVariant").value.as_text(), L"note");
  ASSERT_TRUE(put(control, L"TagVariant", Var(42)).ok());
  EXPECT_EQ(get(control, L"TagVariant").value.type(), VT_I4);
  ASSERT_TRUE(put(control, L"TagVariant", Var(L"")).ok());
  EXPECT_EQ(get(control, L"TagVariant").value.type(), VT_EMPTY);
  ASSERT_TRUE(put(control, L"TagVariant", Var::null()).ok());
  EXPECT_EQ(get(control, L"TagVariant").value.type(), VT_NULL);
}

TEST_F(Control, FontAndBackgroundPicture) {
  IDispatch* font = get_object(control, L"Font");
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(get(font, L"Name").value.as_text().empty());
  EXPECT_EQ(put_ref(control, L"Font", Var(static_cast<IDispatch*>(nullptr))).error_code, 380);
  ASSERT_TRUE(put(font, L"Bold", Var(true)).ok());
  ASSERT_TRUE(put_ref(control, L"Font", Var(font)).ok());
  IDispatch* stored = get_object(control, L"Font");
  EXPECT_EQ(get(stored, L"Bold").value.as_long(), -1);
  stored->Release();
  font->Release();

  IDispatch* picture = get_object(control, L"PictureBackground");
  ASSERT_NE(picture, nullptr);  // an empty picture object, not Nothing
  EXPECT_EQ(get(picture, L"Type").value.as_long(), PICTYPE_NONE);
  picture->Release();
}

TEST_F(Control, LargeIconsFiresIconSizeChangedOnRealChangesOnly) {
  EventSink sink;
  sink.connect(control);
  put(control, L"LargeIcons", Var(true));
  put(control, L"LargeIcons", Var(true));
  put(control, L"LargeIcons", Var(false));
  EXPECT_EQ(sink.dispids(), (std::vector<DISPID>{1120, 1120}));
  sink.disconnect();
}

// Tells the test which properties the control reported as changed.
class PropertyNotifySink final : public IPropertyNotifySink {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IPropertyNotifySink) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override {
    changed.push_back(dispid);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
  std::vector<DISPID> changed;
};

TEST_F(Control, RealChangesMarkTheControlDirtyAndNotifyTheirDispatchId) {
  IConnectionPointContainer* container = nullptr;
  control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
  IConnectionPoint* point = nullptr;
  ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
  PropertyNotifySink sink;
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
  IPersistStreamInit* persist = nullptr;
  control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  ASSERT_EQ(persist->InitNew(), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);

  put(control, L"BackColor", Var(static_cast<int32_t>(0x8000000F)));  // the value it has: nothing happens
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  put(control, L"BackColor", Var(0x00FF0000));
  put(control, L"ToolTipDelay", Var(short{100}));
  put(control, L"BackColor", Var(0x01000000));  // refused: nothing happens
  EXPECT_EQ(sink.changed, (std::vector<DISPID>{DISPID_BACKCOLOR, 1061}));
  EXPECT_EQ(persist->IsDirty(), S_OK);

  point->Unadvise(cookie);
  point->Release();
  container->Release();
  persist->Release();
}

TEST_F(Control, CustomizeFiresOnCustomizeAndAfterCustomize) {
  EventSink sink;
  sink.connect(control);
  // The customizer dialog does not exist yet: the call reports that.
  EXPECT_EQ(call(control, L"Customize").error(), E_NOTIMPL);
  ASSERT_EQ(sink.dispids(), (std::vector<DISPID>{1074, 1121}));
  IDispatch* cancel = sink.events[0].args[0].object();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(get(cancel, L"Value").value.as_long(), 0);

  // A handler that sets Cancel stops the customizer at once.
  sink.events.clear();
  sink.on_event = [](const FiredEvent& event) {
    if (event.dispid == 1074) put(event.args[0].object(), L"Value", Var(true));
  };
  EXPECT_TRUE(call(control, L"Customize").ok());
  EXPECT_EQ(sink.dispids(), (std::vector<DISPID>{1074, 1121}));
  sink.disconnect();
}

TEST_F(Control, CustomizeForTheDesignerStaysInCustomizingModeUntilCalledAgain) {
  IMzToolBarControl* direct = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IMzToolBarControl, reinterpret_cast<void**>(&direct)), S_OK);
  short by_reference = 1997;
  VARIANT reference;
  VariantInit(&reference);
  V_VT(&reference) = VT_I2 | VT_BYREF;
  V_I2REF(&reference) = &by_reference;
  struct Case {
    const char* form;
    VARIANT designer;
  } cases[] = {{"16-bit", *Var(short{1997}).get()}, {"32-bit", *Var(int32_t{1997}).get()}, {"by reference", reference}};
  for (const auto& c : cases) {
    EventSink sink;
    sink.connect(control);
    EXPECT_EQ(direct->Customize(c.designer), S_OK) << c.form;
    EXPECT_EQ(sink.dispids(), std::vector<DISPID>{1074}) << c.form;
    EXPECT_TRUE(call(control, L"Customize").ok());  // already customizing: nothing
    EXPECT_EQ(sink.dispids(), std::vector<DISPID>{1074}) << c.form;
    EXPECT_EQ(direct->Customize(c.designer), S_OK);
    EXPECT_EQ(sink.dispids(), (std::vector<DISPID>{1074, 1121})) << c.form;
    sink.disconnect();
  }
  direct->Release();
}

TEST_F(Control, PopupMenuNeedsAMenuTool) {
  IDispatch* tools = get_object(control, L"Tools");
  call(tools, L"Add", {Var(L"ID_Open"), Var(0)});
  call(tools, L"Add", {Var(L"ID_mnuFile"), Var(7)});
  IDispatch* button = get_object(tools, L"Item", {Var(L"ID_Open")});
  struct Case {
    Var tool;
    long error;
  } cases[] = {
      {Var(L"ID_Open"), 40007}, {Var(L"ID_Missing"), 40007}, {Var(1), 40007}, {Var(0), 40007},
      {Var(3), 40007}, {Var(button), 40007}, {Var::null(), 40007},
  };
  for (auto& c : cases) {
    CallResult result = call(control, L"PopupMenu", {c.tool});
    EXPECT_EQ(result.error_code, c.error);
    EXPECT_EQ(result.description, L"The tool is not a valid menu");
  }
  // A menu tool passes the checks; a control without a window has nowhere
  // to show it, and the call returns at once.
  for (Var menu : {Var(L"id_mnufile"), Var(2)})
    EXPECT_EQ(call(control, L"PopupMenu", {menu, Var(9)}).error(), S_OK);
  button->Release();
  tools->Release();
}

TEST_F(Control, EmptyDockAreasReportZero) {
  for (const wchar_t* method : {L"GetDockHeight", L"GetDockWidth"}) {
    for (int32_t dock : {1, 2, 4, 8}) {
      CallResult result = call(control, method, {Var(dock)});
      ASSERT_TRUE(result.ok());
      EXPECT_EQ(result.value.as_long(), 0);
    }
  }
}

TEST_F(Control, DockSizesNeedADockArea) {
  for (const wchar_t* method : {L"GetDockHeight", L"GetDockWidth"}) {
    for (int32_t dock : {0, 3, 16, 32}) {
      CallResult result = call(control, method, {Var(dock)});
      EXPECT_EQ(result.error_code, 40015) << dock;
      EXPECT_EQ(result.description, L"An Invalid Dock area was specified.");
    }
  }
}

TEST_F(Control, LoadingAConfigurationInsideAClickHandlerIsRefused) {
  IDispatch* tools = get_object(control, L"Tools");
  IDispatch* tool = call_object(tools, L"Add", {Var(L"ID_Go"), Var(1)});
  ASSERT_NE(tool, nullptr);
  EventSink sink;
  sink.connect(control);
  CallResult inside;
  sink.on_event = [&](const FiredEvent& event) {
    if (event.dispid == 1071) inside = call(control, L"LoadConfiguration", {Var(L"x.tdk")});
  };
  ASSERT_TRUE(put(tool, L"State", Var(1)).ok());
  ASSERT_EQ(sink.dispids(), std::vector<DISPID>{1071});
  EXPECT_EQ(inside.error_code, 40013);
  EXPECT_EQ(inside.description, L"You can't load a new configuration while inside an event.");
  // Outside the handler the check passes and the load looks for the file.
  EXPECT_EQ(call(control, L"LoadConfiguration", {Var(L"x.tdk")}).error(), STG_E_FILENOTFOUND);
  sink.disconnect();
  tool->Release();
  tools->Release();
}

TEST_F(Control, ResetUsageClearsRecentlyUsed) {
  IDispatch* tools = get_object(control, L"Tools");
  IDispatch* tool = call_object(tools, L"Add", {Var(L"A")});
  ASSERT_TRUE(put(tool, L"RecentlyUsed", Var(true)).ok());
  EXPECT_TRUE(call(control, L"ResetUsage").ok());
  EXPECT_EQ(get(tool, L"RecentlyUsed").value.as_long(), 0);
  tool->Release();
  tools->Release();
}

}  // namespace
}  // namespace mz::test
