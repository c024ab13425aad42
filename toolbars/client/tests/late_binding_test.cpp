// Calls by name and by dispatch id: the arguments arrive as Invoke expects
// them, and a failed call reports what a script shows in Err.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "counted_dispatch.h"
#include "dispatch_ids.h"
#include "late_binding_win32.h"
#include "object_creation_win32.h"
#include "string_ids.h"

namespace mz::client {
namespace {

using com::ComPtr;

constexpr DISPID kAdd = 7;
constexpr DISPID kCaption = 8;

class Scripted : public ::testing::Test {
 protected:
  void SetUp() override { object.members = {{L"Add", kAdd}, {L"Caption", kCaption}}; }
  test::CountedDispatch object;
};

TEST_F(Scripted, ArgumentsGoLastFirstAndAPutNamesItsValue) {
  CallResult added = call(&object, L"Add", {Variant(L"ID_Open"), Variant(int32_t{3}), Variant::missing()});
  EXPECT_EQ(added.hr, S_OK);
  EXPECT_EQ(added.value.as_long(), 42);
  EXPECT_EQ(object.last_member, kAdd);
  EXPECT_EQ(object.last_flags, DISPATCH_METHOD);
  ASSERT_EQ(object.last_args.size(), 3u);
  EXPECT_EQ(object.last_args[1], L"3");
  EXPECT_EQ(object.last_args[2], L"ID_Open");
  EXPECT_TRUE(object.last_named.empty());

  EXPECT_TRUE(put(&object, kCaption, Variant(L"&File"), {Variant(short{2})}).ok());
  EXPECT_EQ(object.last_member, kCaption);
  EXPECT_EQ(object.last_flags, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(object.last_args, (std::vector<std::wstring>{L"&File", L"2"}));
  EXPECT_EQ(object.last_named, std::vector<DISPID>{DISPID_PROPERTYPUT});

  EXPECT_TRUE(get(&object, L"Caption").ok());
  EXPECT_EQ(object.last_flags, DISPATCH_PROPERTYGET | DISPATCH_METHOD);
  EXPECT_TRUE(invoke_default(&object, {Variant(int32_t{1})}).ok());
  EXPECT_EQ(object.last_member, DISPID_VALUE);
}

TEST_F(Scripted, AnUnknownNameFailsWithoutACall) {
  EXPECT_EQ(dispid_of(&object, L"Caption"), kCaption);
  EXPECT_EQ(dispid_of(&object, L"Remove"), DISPID_UNKNOWN);
  CallResult result = call(&object, L"Remove");
  EXPECT_EQ(result.hr, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(result.error(), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(object.invokes, 0);
  EXPECT_EQ(get(nullptr, L"Caption").hr, E_POINTER);
}

// A member that leaves its texts to be filled in later and gives a bare
// code: Err shows the texts, and the code as an automation error.
TEST_F(Scripted, DeferredTextsAndABareCodeReachTheCaller) {
  object.fail = [](EXCEPINFO& exception) {
    exception.wCode = 1004;
    exception.pfnDeferredFillIn = [](EXCEPINFO* later) -> HRESULT {
      later->bstrDescription = SysAllocString(L"Method failed");
      later->bstrSource = SysAllocString(L"Scripted.Object");
      return S_OK;
    };
  };
  CallResult result = call(&object, L"Add");
  EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.error_code, 1004);
  EXPECT_EQ(result.error(), static_cast<HRESULT>(0x800A03EC));
  EXPECT_EQ(result.description, L"Method failed");
  EXPECT_EQ(result.source, L"Scripted.Object");
  EXPECT_EQ(result.help_file, L"");

  // Outside the automation errors the failure is the code itself.
  object.fail = [](EXCEPINFO& exception) { exception.scode = E_INVALIDARG; };
  result = call(&object, L"Add");
  EXPECT_EQ(result.error(), E_INVALIDARG);
  EXPECT_EQ(result.error_code, 0);
}

// The control reports a refused value with the text of its string table,
// by name and by dispatch id alike.
TEST(ControlCall, AFailedCallCarriesTheTextErrDescriptionShows) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    ComPtr<IDispatch> control;
    ASSERT_EQ(create_from_library(beside_program(L"MzDeck2.dll"), CLSID_MzToolDeck, control), S_OK);
    wchar_t text[256] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleW(L"MzDeck2.dll"), IDS_INVALID_PROPERTY_VALUE, text, 256), 0);

    const CallResult by_name = put(control.get(), L"ToolTipDelay", Variant(short{-1}));
    const CallResult by_id = put(control.get(), DISPID_IMzToolBarControl_ToolTipDelay, Variant(short{-1}));
    for (const CallResult* result : {&by_name, &by_id}) {
      EXPECT_EQ(result->hr, DISP_E_EXCEPTION);
      EXPECT_EQ(result->error(), static_cast<HRESULT>(0x800A017C));
      EXPECT_EQ(result->error_code, 380);
      EXPECT_EQ(result->description, text);
      EXPECT_EQ(result->source, L"ToolDeck.MzToolDeck");
      EXPECT_NE(result->help_file.find(L"MzDeck2.hlp"), std::wstring::npos);
    }
    EXPECT_EQ(get(control.get(), DISPID_IMzToolBarControl_ToolTipDelay).value.as_long(),
              get(control.get(), L"ToolTipDelay").value.as_long());
  }
  CoUninitialize();
}

}  // namespace
}  // namespace mz::client
