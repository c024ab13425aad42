// The embedded type library: its identity, its classes and interfaces, the
// dispatch ids of every member, the names dispatch_ids.h gives them, and the
// enums.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "com_test_support.h"
#include "dispatch_ids.h"

namespace mz::test {
namespace {

struct NamedId {
  const wchar_t* interface_name;
  const wchar_t* member;
  DISPID id;
};

// Made from dispatch_ids.h by the build, one entry a constant.
constexpr NamedId kNamedIds[] = {
#include "dispatch_id_table.inc"
};

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The members of an interface by name, without those inherited from
// IDispatch and IUnknown, which every dual interface lists too.
std::map<std::wstring, DISPID> own_members(ITypeInfo* info) {
  std::map<std::wstring, DISPID> members;
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* func = nullptr;
    info->GetFuncDesc(i, &func);
    if (func->memid < 0x60000000 || func->memid >= 0x60030000) {
      BSTR name = nullptr;
      info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr);
      members[name] = func->memid;
      SysFreeString(name);
    }
    info->ReleaseFuncDesc(func);
  }
  info->ReleaseTypeAttr(attr);
  return members;
}

class TypeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    HMODULE dll = LoadLibraryW(L"MzDeck2.dll");
    ASSERT_NE(dll, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(dll, path, MAX_PATH);
    ASSERT_EQ(LoadTypeLibEx(path, REGKIND_NONE, &library), S_OK);
  }
  void TearDown() override {
    if (library) library->Release();
  }

  ITypeInfo* info(const wchar_t* name) {
    ITypeInfo* found = nullptr;
    MEMBERID id = 0;
    USHORT count = 1;
    std::wstring copy = name;
    library->FindName(copy.data(), 0, &found, &id, &count);
    return count == 1 ? found : nullptr;
  }

  ITypeLib* library = nullptr;
};

TEST_F(TypeLibrary, IsToolDeck20ForLocale409WithItsHelpFile) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, LIBID_ToolDeck);
  EXPECT_EQ(attr->wMajorVerNum, 2);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 0x409u);
  library->ReleaseTLibAttr(attr);

  BSTR name = nullptr, help_file = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, nullptr, nullptr, &help_file), S_OK);
  EXPECT_STREQ(name, L"ToolDeck");
  ASSERT_NE(help_file, nullptr);
  EXPECT_NE(std::wstring(help_file).find(L"MzDeck2.hlp"), std::wstring::npos);
  SysFreeString(name);
  SysFreeString(help_file);
}

// Wine 8 reports the library's help-string context where the help context
// belongs, so the help context is read from the embedded library's header.
TEST_F(TypeLibrary, CarriesHelpContext60000) {
  HMODULE dll = GetModuleHandleW(L"MzDeck2.dll");
  HRSRC resource = FindResourceW(dll, MAKEINTRESOURCEW(1), L"TYPELIB");
  ASSERT_NE(resource, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(dll, resource)));
  ASSERT_GE(SizeofResource(dll, resource), 48u);
  ASSERT_EQ(std::string(reinterpret_cast<const char*>(bytes), 4), "MSFT");
  uint32_t help_context = 0;
  memcpy(&help_context, bytes + 44, sizeof(help_context));
  EXPECT_EQ(help_context, 60000u);
}

TEST_F(TypeLibrary, ClassesAndInterfaces) {
  struct Case {
    const wchar_t* name;
    TYPEKIND kind;
    WORD flags_set;
    WORD flags_clear;
  } cases[] = {
      {L"MzToolDeck", TKIND_COCLASS, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, 0},
      {L"MzToolBar", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzToolBars", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzTool", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzTools", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzComboBox", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzMenu", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzEdit", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzReturnLong", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzReturnShort", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzReturnBoolean", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzDataObject", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"MzDataObjectFiles", TKIND_COCLASS, 0, TYPEFLAG_FCANCREATE},
      {L"IMzToolBarControl", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzTool", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzToolsCollection", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzComboBox", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzEdit", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzMenu", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzToolBar", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzToolBarsCollection", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzReturnLong", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzReturnShort", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzReturnBoolean", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzDataObject", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"IMzDataObjectFiles", TKIND_DISPATCH, TYPEFLAG_FDUAL, 0},
      {L"DMzToolBarsEvents", TKIND_DISPATCH, 0, TYPEFLAG_FDUAL},
  };
  for (const auto& c : cases) {
    ITypeInfo* found = info(c.name);
    ASSERT_NE(found, nullptr) << std::string(c.name, c.name + wcslen(c.name));
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(found->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, c.kind) << std::string(c.name, c.name + wcslen(c.name));
    EXPECT_EQ(attr->wTypeFlags & c.flags_set, c.flags_set) << std::string(c.name, c.name + wcslen(c.name));
    EXPECT_EQ(attr->wTypeFlags & c.flags_clear, 0) << std::string(c.name, c.name + wcslen(c.name));
    found->ReleaseTypeAttr(attr);
    found->Release();
  }
}

TEST_F(TypeLibrary, ControlClassHasItsInterfaceAndEvents) {
  ITypeInfo* control_class = nullptr;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_MzToolDeck, &control_class), S_OK);
  std::map<int, GUID> by_flags;
  for (UINT i = 0; i < 2; ++i) {
    HREFTYPE ref = 0;
    INT flags = 0;
    ITypeInfo* implemented = nullptr;
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(control_class->GetRefTypeOfImplType(i, &ref), S_OK);
    ASSERT_EQ(control_class->GetImplTypeFlags(i, &flags), S_OK);
    ASSERT_EQ(control_class->GetRefTypeInfo(ref, &implemented), S_OK);
    implemented->GetTypeAttr(&attr);
    by_flags[flags] = attr->guid;
    implemented->ReleaseTypeAttr(attr);
    implemented->Release();
  }
  control_class->Release();
  EXPECT_EQ(by_flags[IMPLTYPEFLAG_FDEFAULT], IID_IMzToolBarControl);
  EXPECT_EQ(by_flags[IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE], DIID_DMzToolBarsEvents);
}

TEST_F(TypeLibrary, EveryMemberHasItsDispatchId) {
  const std::map<std::wstring, std::map<std::wstring, DISPID>> expected = {
      {L"IMzToolBarControl",
       {{L"ActiveColors", 1045}, {L"BackColor", -501}, {L"CustomizationStrings", 1053},
        {L"DisplayContextMenu", 1055}, {L"Enabled", -514}, {L"Font", -512}, {L"FontSource", 1056},
        {L"ForeColor", -513}, {L"Style", 1133}, {L"MenuAnimations", 1057}, {L"PersonalizedMenus", 1127},
        {L"PictureBackground", 56}, {L"PictureBackgroundMaskColor", 1036}, {L"PictureBackgroundStyle", 61},
        {L"PictureBackgroundUseMask", 1037}, {L"Redraw", 1009}, {L"ShowShortcutsInToolTips", 1058},
        {L"ShowToolTips", 1059}, {L"LargeIcons", 1095}, {L"TagVariant", 39}, {L"ToolBars", 1060},
        {L"Tools", 1024}, {L"ToolTipDelay", 1061}, {L"Visible", 1025}, {L"AboutBox", -552},
        {L"Customize", 1062}, {L"LoadConfigurationEx", 1093}, {L"LoadConfiguration", 1065},
        {L"LoadLayout", 1066}, {L"PlaySoundFile", 30}, {L"PopupMenu", 1067}, {L"Refresh", -550},
        {L"SaveConfiguration", 1068}, {L"SaveConfigurationEx", 1094}, {L"SaveLayout", 1069},
        {L"ToolBarFromPosition", 1070}, {L"ToolFromPosition", 1052}, {L"WhereIs", 1041},
        {L"GetDockHeight", 1122}, {L"GetDockWidth", 1123}, {L"AttachWindow", 1125}, {L"ResetUsage", 1131}}},
      {L"IMzTool",
       {{L"AutoWrap", 1027}, {L"Category", 1029}, {L"ComboBox", 1030}, {L"CtlWidth", 1116},
        {L"Customizable", 1126}, {L"Description", 1031}, {L"Edit", 1032}, {L"Enabled", -514},
        {L"ForeColor", -513}, {L"ForeColorSource", 1001}, {L"Group", 1035}, {L"GroupAllowAllUp", 1038},
        {L"Height", 1040}, {L"ID", 1042}, {L"Index", 1005}, {L"Left", 1092}, {L"Menu", 1043},
        {L"MenuVisibility", 1128}, {L"Name", 1018}, {L"PictureSize", 1088}, {L"UseMaskColor", 1089},
        {L"Picture", -523}, {L"PictureBmp", 1096}, {L"PictureDisabled", 28}, {L"PictureDown", 1044},
        {L"PictureDownDisabled", 1046}, {L"PictureDisabledBmp", 1098}, {L"PictureDownBmp", 1097},
        {L"PictureDownDisabledBmp", 1099}, {L"RecentlyUsed", 1129}, {L"Shortcut", 1047}, {L"State", 1048},
        {L"DisplayStyle", 1090}, {L"TagVariant", 39}, {L"ToolTipText", 1049}, {L"Top", 1091},
        {L"Type", 1050}, {L"Visible", 1025}, {L"Width", 1051}, {L"SetFocus", 1115}, {L"ChangeAll", 1124}}},
      {L"IMzToolsCollection",
       {{L"_NewEnum", -4}, {L"Add", 1034}, {L"Count", 1033}, {L"Clear", 1026}, {L"Item", 0}, {L"Remove", 1019}}},
      {L"IMzToolBarsCollection",
       {{L"_NewEnum", -4}, {L"Add", 1034}, {L"Count", 1033}, {L"Clear", 1026}, {L"Item", 0}, {L"Remove", 1019}}},
      {L"IMzToolBar",
       {{L"AllowCustomize", 1002}, {L"AllowHiding", 1003}, {L"CaptionAlignment", 1028},
        {L"DisplayGrabHandles", 1008}, {L"DisplayMoreToolsButton", 1130}, {L"DockedColumn", 1010},
        {L"DockedRow", 1011}, {L"DockedStatus", 1012}, {L"DockFlags", 1013}, {L"FloatingHeight", 1014},
        {L"FloatingLeft", 1015}, {L"FloatingTop", 1016}, {L"FloatingWidth", 1017}, {L"Font3D", 9},
        {L"Name", 1018}, {L"Stock", 1020}, {L"Style", 1021}, {L"Tools", 1024}, {L"Visible", 1025},
        {L"TagVariant", 39}, {L"Reset", 1119}}},
      {L"IMzComboBox",
       {{L"ItemData", 1104}, {L"List", 1105}, {L"ListCount", 1106}, {L"ListIndex", 1107}, {L"Locked", 1108},
        {L"NewIndex", 1109}, {L"Sorted", 1110}, {L"Style", 1111}, {L"Text", 1112}, {L"AddItem", 1113},
        {L"Clear", 1026}, {L"RemoveItem", 1114}}},
      {L"IMzEdit", {{L"Locked", 1101}, {L"MaxLength", 1102}, {L"Text", 1103}, {L"PasswordChar", 1132}}},
      {L"IMzMenu", {{L"Tools", 1024}}},
      {L"IMzReturnLong", {{L"Value", 0}}},
      {L"IMzReturnShort", {{L"Value", 0}}},
      {L"IMzReturnBoolean", {{L"Value", 0}}},
      {L"DMzToolBarsEvents",
       {{L"ToolClick", 1071}, {L"CtlClick", 1118}, {L"Click", -600}, {L"ComboCloseUp", 1072},
        {L"ComboDropDown", 1073}, {L"DblClick", -601}, {L"MouseDown", -605}, {L"MouseMove", -606},
        {L"MouseUp", -607}, {L"OnCustomize", 1074}, {L"ToolBarEnter", 1075}, {L"ToolBarExit", 1076},
        {L"ToolBarModified", 1077}, {L"ToolChange", 1078}, {L"ToolDblClick", 1079}, {L"ToolDropDown", 1080},
        {L"ToolEnter", 1081}, {L"ToolExit", 1082}, {L"ToolGotFocus", 1083}, {L"ToolKeyDown", 1084},
        {L"ToolKeyPress", 1085}, {L"ToolKeyUp", 1086}, {L"ToolLostFocus", 1087}, {L"ToolCloseUp", 1100},
        {L"IconSizeChanged", 1120}, {L"AfterCustomize", 1121}}},
  };
  for (const auto& [interface_name, members] : expected) {
    ITypeInfo* found = info(interface_name.c_str());
    ASSERT_NE(found, nullptr);
    // Every member of the interface is in the table, and every entry is right.
    const std::map<std::wstring, DISPID> actual = own_members(found);
    found->Release();
    EXPECT_EQ(actual, members) << std::string(interface_name.begin(), interface_name.end());
  }
}

// dispatch_ids.h, which the IDL and the C++ code share, names each member
// with its own id, and names every member of every interface.
TEST_F(TypeLibrary, EveryDispatchIdConstantIsTheIdOfTheMemberItNames) {
  for (const NamedId& named : kNamedIds) {
    const std::string label = narrow(named.interface_name) + "." + narrow(named.member);
    ITypeInfo* found = info(named.interface_name);
    ASSERT_NE(found, nullptr) << label << ": no such interface";
    LPOLESTR names[] = {const_cast<LPOLESTR>(named.member)};
    MEMBERID id = DISPID_UNKNOWN;
    const HRESULT hr = found->GetIDsOfNames(names, 1, &id);
    EXPECT_EQ(hr, S_OK) << label << ": no such member";
    EXPECT_EQ(id, named.id) << label;
    // GetIDsOfNames ignores the letter case; the constant spells the name.
    BSTR name = nullptr;
    if (SUCCEEDED(hr) && SUCCEEDED(found->GetDocumentation(id, &name, nullptr, nullptr, nullptr))) {
      EXPECT_STREQ(name, named.member) << label;
      SysFreeString(name);
    }
    found->Release();
  }
}

TEST_F(TypeLibrary, EveryMemberOfEveryInterfaceHasItsDispatchIdConstant) {
  std::set<std::pair<std::wstring, std::wstring>> named;
  for (const NamedId& entry : kNamedIds) named.emplace(entry.interface_name, entry.member);
  UINT interfaces = 0;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    TYPEKIND kind{};
    ASSERT_EQ(library->GetTypeInfoType(i, &kind), S_OK);
    if (kind != TKIND_DISPATCH) continue;
    ++interfaces;
    BSTR interface_name = nullptr;
    ITypeInfo* found = nullptr;
    ASSERT_EQ(library->GetDocumentation(static_cast<INT>(i), &interface_name, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(library->GetTypeInfo(i, &found), S_OK);
    for (const auto& member : own_members(found)) {
      EXPECT_TRUE(named.count({interface_name, member.first}))
          << "DISPID_" << narrow(interface_name) << "_" << narrow(member.first) << " is missing from dispatch_ids.h";
    }
    found->Release();
    SysFreeString(interface_name);
  }
  // The thirteen dual interfaces and the events.
  EXPECT_EQ(interfaces, 14u);
}

TEST_F(TypeLibrary, EnumsHaveTheirMembers) {
  struct Case {
    const wchar_t* name;
    UINT count;
    std::map<std::wstring, long> samples;
  } cases[] = {
      {L"Constants_Type", 9, {{L"mzTypeButton", 0}, {L"mzTypeComboBox", 4}, {L"mzTypeMenu", 7}, {L"mzTypeSeparator", 8}}},
      {L"Constants_State", 2, {{L"mzUnchecked", 0}, {L"mzChecked", 1}}},
      {L"Constants_DisplayStyle", 4, {{L"mzDisplayDefaultStyle", 0}, {L"mzDisplayImageAndText", 3}}},
      {L"Constants_ForeColorSource", 2, {{L"mzUseControl", 0}, {L"mzUseTool", 1}}},
      {L"Constants_MenuVisibility", 2, {{L"mzVisibleAlways", 0}, {L"mzVisibleIfRecent", 1}}},
      {L"Constants_ChangeAll", 5, {{L"mzChangeAllCtlWidth", 0}, {L"mzChangeAllName", 4}}},
      {L"Constants_ComboStyle", 2, {{L"mzComboDropDown", 0}, {L"mzComboDropDownList", 1}}},
      {L"Constants_ShortcutKeys", 80,
       {{L"mzShortcutNone", 0}, {L"mzCtrlA", 1}, {L"mzCtrlE", 5}, {L"mzCtrlZ", 26}, {L"mzF1", 27}, {L"mzF12", 38},
        {L"mzCtrlF1", 39}, {L"mzShiftF1", 51}, {L"mzShiftCtrlF1", 63}, {L"mzShiftCtrlF12", 74}, {L"mzCtrlIns", 75},
        {L"mzShiftIns", 76}, {L"mzDel", 77}, {L"mzShiftDel", 78}, {L"mzAltBksp", 79}}},
      {L"Constants_DockedStatus", 5,
       {{L"mzDockedTop", 1}, {L"mzDockedBottom", 2}, {L"mzDockedLeft", 4}, {L"mzDockedRight", 8}, {L"mzFloating", 16}}},
      {L"Constants_DockFlags", 7, {{L"mzDFTop", 1}, {L"mzDFFloating", 16}, {L"mzStretched", 32}, {L"mzPositionLocked", 64}}},
      {L"Constants_ToolBarStyle", 2, {{L"mzStandard", 0}, {L"mzMenuBar", 1}}},
      {L"Constants_CaptionAlignment", 4, {{L"mzTopOfImage", 0}, {L"mzRightOfImage", 3}}},
      {L"Constants_Font3D", 6, {{L"mzNoneFont3D", 0}, {L"mzInsetHeavy", 4}, {L"mzDropShadow", 5}}},
      {L"Constants_Modified", 12,
       {{L"mzToolBarClosed", 0}, {L"mzToolBarCreated", 1}, {L"mzToolBarDestroyed", 2}, {L"mzToolBarOpened", 3},
        {L"mzToolBarResized", 4}, {L"mzToolBarDocked", 5}, {L"mzToolBarUndocked", 6}, {L"mzToolBarToolAdded", 7},
        {L"mzToolBarToolRemoved", 8}, {L"mzToolBarStartDrag", 9}, {L"mzToolBarEndDrag", 10}, {L"mzToolSelected", 11}}},
      {L"Constants_WhereIs", 8, {{L"mzWhereIsTopDock", 0}, {L"mzWhereIsToolBar", 4}, {L"mzWhereIsNone", 7}}},
      {L"Constants_FontSource", 2, {{L"mzUseSystemFont", 0}, {L"mzUseControlFont", 1}}},
      {L"Constants_Style", 2, {{L"mzStyle97", 0}, {L"mzStyle2000", 1}}},
      {L"Constants_MenuAnimations", 4, {{L"mzAnimationNone", 0}, {L"mzAnimationSlide", 3}}},
      {L"Constants_PersonalizedMenus", 3, {{L"mzPersonalDisabled", 0}, {L"mzPersonalDisplayOnClick", 2}}},
      {L"Constants_PictureBackgroundStyle", 3, {{L"mzPictureCentered", 0}, {L"mzPictureTiled", 2}}},
      {L"Constants_PopupMenuFlags", 5,
       {{L"mzPopupMenuLeftAlign", 0}, {L"mzPopupMenuLeftButton", 1}, {L"mzPopupMenuRightButton", 2},
        {L"mzPopupMenuCenterAlign", 4}, {L"mzPopupMenuRightAlign", 8}}},
      {L"Constants_AsyncSoundFlags", 6, {{L"mzWaitAndPlay", 1}, {L"mzPlaySystemSound", 32}}},
      {L"Constants_CustomizationStrings", 59,
       {{L"mzCancelBtn", 0}, {L"mzCustomizerDlg", 3}, {L"mzToolsTab", 25}, {L"mzResetToolbarDlg", 38},
        {L"mzMDIRestore", 39}, {L"mzMDIClose", 44}, {L"mzMoreToolsTip", 53}, {L"mzNoneMenuItem", 55},
        {L"mzSlideMenuItem", 58}}},
  };
  for (const auto& c : cases) {
    const std::string label(c.name, c.name + wcslen(c.name));
    ITypeInfo* found = info(c.name);
    ASSERT_NE(found, nullptr) << label;
    TYPEATTR* attr = nullptr;
    found->GetTypeAttr(&attr);
    EXPECT_EQ(attr->typekind, TKIND_ENUM) << label;
    EXPECT_EQ(attr->cVars, c.count) << label;
    std::map<std::wstring, long> values;
    for (UINT i = 0; i < attr->cVars; ++i) {
      VARDESC* var = nullptr;
      found->GetVarDesc(i, &var);
      BSTR name = nullptr;
      found->GetDocumentation(var->memid, &name, nullptr, nullptr, nullptr);
      values[name] = V_I4(var->lpvarValue);
      SysFreeString(name);
      found->ReleaseVarDesc(var);
    }
    found->ReleaseTypeAttr(attr);
    found->Release();
    for (const auto& [member, value] : c.samples) {
      ASSERT_TRUE(values.count(member)) << label << " lacks " << std::string(member.begin(), member.end());
      EXPECT_EQ(values[member], value) << std::string(member.begin(), member.end());
    }
  }
}

}  // namespace
}  // namespace mz::test
