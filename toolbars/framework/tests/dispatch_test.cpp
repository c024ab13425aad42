// IDispatch through the type library, errors as hosts see them, connection
// points, and when the library may be unloaded.
#include <gtest/gtest.h>

#include "com_test_support.h"

namespace mz::test {
namespace {

using Dispatch = ControlTest;

TEST_F(Dispatch, LateBindingAndVtableSeeTheSameValues) {
  IMzToolBarControl* vtable = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IMzToolBarControl, reinterpret_cast<void**>(&vtable)), S_OK);

  ASSERT_TRUE(put(control, L"ToolTipDelay", Var(short{750})).ok());
  short delay = 0;
  EXPECT_EQ(vtable->get_ToolTipDelay(&delay), S_OK);
  EXPECT_EQ(delay, 750);

  EXPECT_EQ(vtable->put_BackColor(0x80000005), S_OK);
  EXPECT_EQ(get(control, L"BackColor").value.as_long(), static_cast<long>(0x80000005));

  BSTR text = nullptr;
  EXPECT_EQ(vtable->get_CustomizationStrings(mzOKBtn, &text), S_OK);
  EXPECT_STREQ(text, L"OK");
  SysFreeString(text);
  EXPECT_EQ(get(control, L"CustomizationStrings", {Var(12)}).value.as_text(), L"OK");
  vtable->Release();
}

TEST_F(Dispatch, AFailedLateBoundCallCarriesCodeDescriptionSourceAndHelpFile) {
  CallResult result = put(control, L"BackColor", Var(0x01000000));
  EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.error_code, 380);
  EXPECT_EQ(result.description, L"Invalid property value");
  EXPECT_EQ(result.source, L"ToolDeck.MzToolDeck");
  EXPECT_NE(result.help_file.find(L"MzDeck2.hlp"), std::wstring::npos);
  EXPECT_EQ(get(control, L"BackColor").value.as_long(), static_cast<long>(0x8000000F));
}

TEST_F(Dispatch, AFailedVtableCallSetsTheErrorInformation) {
  IMzToolBarControl* vtable = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IMzToolBarControl, reinterpret_cast<void**>(&vtable)), S_OK);
  EXPECT_EQ(vtable->put_ToolTipDelay(-1), control_error(380));

  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IMzToolBarControl), S_OK);
  support->Release();

  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  BSTR description = nullptr, source = nullptr, help_file = nullptr;
  GUID guid{};
  DWORD context = 1;
  info->GetDescription(&description);
  info->GetSource(&source);
  info->GetHelpFile(&help_file);
  info->GetGUID(&guid);
  info->GetHelpContext(&context);
  EXPECT_STREQ(description, L"Invalid property value");
  EXPECT_STREQ(source, L"ToolDeck.MzToolDeck");
  EXPECT_STREQ(help_file, L"MzDeck2.hlp");
  EXPECT_EQ(guid, IID_IMzToolBarControl);
  EXPECT_EQ(context, 0u);
  SysFreeString(description);
  SysFreeString(source);
  SysFreeString(help_file);
  info->Release();
  vtable->Release();
}

TEST_F(Dispatch, ObjectsOfTheModelReportTheirOwnInterfaceAndSource) {
  IDispatch* tools = get_object(control, L"Tools");
  ASSERT_NE(tools, nullptr);
  CallResult result = get(tools, L"Item", {Var(L"nothing")});
  EXPECT_EQ(result.error_code, 40002);
  EXPECT_EQ(result.description, L"Invalid Index value was passed in");
  EXPECT_EQ(result.source, L"ToolDeck.MzTools");
  tools->Release();
}

TEST_F(Dispatch, UnknownNamesAreRefused) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
  EXPECT_EQ(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(Dispatch, ConnectionPointListsItsSinksFromASnapshot) {
  EventSink first, second;
  first.connect(control);
  second.connect(control);
  IConnectionPointContainer* container = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
  IConnectionPoint* point = nullptr;
  ASSERT_EQ(container->FindConnectionPoint(DIID_DMzToolBarsEvents, &point), S_OK);
  IEnumConnections* connections = nullptr;
  ASSERT_EQ(point->EnumConnections(&connections), S_OK);
  second.disconnect();  // the enumeration keeps what was connected when it began

  CONNECTDATA listed[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(connections->Next(3, listed, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_NE(listed[0].dwCookie, listed[1].dwCookie);
  for (ULONG i = 0; i < fetched; ++i) {
    IDispatch* sink = nullptr;
    EXPECT_EQ(listed[i].pUnk->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink)), S_OK);
    EXPECT_EQ(sink, i == 0 ? static_cast<IDispatch*>(&first) : static_cast<IDispatch*>(&second));
    if (sink) sink->Release();
    listed[i].pUnk->Release();
  }
  EXPECT_EQ(connections->Reset(), S_OK);
  EXPECT_EQ(connections->Skip(1), S_OK);
  IEnumConnections* copy = nullptr;
  ASSERT_EQ(connections->Clone(&copy), S_OK);
  EXPECT_EQ(copy->Next(1, listed, &fetched), S_OK);
  listed[0].pUnk->Release();
  EXPECT_EQ(copy->Next(1, listed, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  copy->Release();
  connections->Release();
  point->Release();
  container->Release();
  first.disconnect();
}

TEST_F(Dispatch, ConnectionPointsAndClassInformation) {
  IConnectionPointContainer* container = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
  const IID supported[] = {DIID_DMzToolBarsEvents, IID_IPropertyNotifySink};
  for (const IID& iid : supported) {
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(iid, &point), S_OK);
    IID reported{};
    point->GetConnectionInterface(&reported);
    EXPECT_EQ(reported, iid);
    point->Release();
  }
  IConnectionPoint* none = nullptr;
  EXPECT_EQ(container->FindConnectionPoint(IID_IMzTool, &none), CONNECT_E_NOCONNECTION);

  IEnumConnectionPoints* points = nullptr;
  ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
  IConnectionPoint* listed[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(3, listed, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  for (ULONG i = 0; i < fetched; ++i) listed[i]->Release();
  points->Release();
  container->Release();

  IProvideClassInfo2* class_info = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&class_info)), S_OK);
  GUID events{};
  EXPECT_EQ(class_info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_EQ(events, DIID_DMzToolBarsEvents);
  ITypeInfo* coclass = nullptr;
  ASSERT_EQ(class_info->GetClassInfo(&coclass), S_OK);
  TYPEATTR* attr = nullptr;
  coclass->GetTypeAttr(&attr);
  EXPECT_EQ(attr->guid, CLSID_MzToolDeck);
  coclass->ReleaseTypeAttr(attr);
  coclass->Release();
  class_info->Release();
}

TEST_F(Dispatch, TheLibraryMayUnloadOnlyWhenNoObjectIsLeft) {
  auto can_unload = exported<HRESULT(STDAPICALLTYPE*)()>(GetModuleHandleW(L"MzDeck2.dll"), "DllCanUnloadNow");
  ASSERT_NE(can_unload, nullptr);
  IDispatch* tools = get_object(control, L"Tools");
  control->Release();
  control = nullptr;
  EXPECT_EQ(can_unload(), S_FALSE);  // the collection keeps the control alive
  tools->Release();
  EXPECT_EQ(can_unload(), S_OK);
}

}  // namespace
}  // namespace mz::test
