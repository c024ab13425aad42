// Creating the control from the library beside the program, without
// registration, and what a missing library or class reports.
#include <gtest/gtest.h>

#include <string>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "late_binding_win32.h"
#include "object_creation_win32.h"

namespace mz::client {
namespace {

using com::ComPtr;

class ObjectCreation : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

std::wstring lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TEST_F(ObjectCreation, TheControlComesFromTheLibraryBesideTheProgram) {
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring expected = program;
  expected.resize(expected.find_last_of(L'\\') + 1);
  expected += L"MzDeck2.dll";
  const std::wstring path = beside_program(L"MzDeck2.dll");
  EXPECT_EQ(lower(path), lower(expected));

  ComPtr<IDispatch> control;
  ASSERT_EQ(create_from_library(path, CLSID_MzToolDeck, control), S_OK);
  ASSERT_TRUE(control);
  // The library loaded is that file, and the new control starts empty.
  wchar_t loaded[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"MzDeck2.dll"), loaded, MAX_PATH);
  EXPECT_EQ(lower(loaded), lower(path));
  ComPtr<IDispatch> tools = ComPtr<IDispatch>::adopt(get_object(control.get(), L"Tools"));
  ASSERT_TRUE(tools);
  EXPECT_EQ(get(tools.get(), L"Count").value.as_long(), 0);
  // The vtable interface comes the same way.
  ComPtr<IMzToolBarControl> early;
  EXPECT_EQ(create_from_library(path, CLSID_MzToolDeck, early), S_OK);
  EXPECT_TRUE(early);
}

TEST_F(ObjectCreation, AMissingLibraryOrClassSaysWhy) {
  ComPtr<IDispatch> object;
  EXPECT_EQ(create_from_library(beside_program(L"NoSuchLibrary.dll"), CLSID_MzToolDeck, object),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_FALSE(object);
  // A class the library does not serve.
  constexpr CLSID kOther = {0x1b9f3c2e, 0x5d4a, 0x4e61, {0x9a, 0x0c, 0x3e, 0x7b, 0x21, 0x88, 0x4f, 0x10}};
  EXPECT_EQ(create_from_library(beside_program(L"MzDeck2.dll"), kOther, object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(object);
}

}  // namespace
}  // namespace mz::client
