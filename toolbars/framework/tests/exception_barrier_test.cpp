// The barrier every COM method, window procedure and hook procedure runs
// behind: no exception reaches the caller, running out of memory is reported
// with the control's own text, and anything else fails without stale error
// information.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <new>
#include <stdexcept>
#include <string>

#include "error_info.h"

namespace mz::com {

// The error texts come from the control's string table: this test reads
// them from the built library, as the library itself does.
HINSTANCE module_instance() {
  static HINSTANCE library = LoadLibraryW(L"MzDeck2.dll");
  return library;
}

namespace {

// The description of the thread's error information, or "(none)".
std::wstring error_description() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return L"(none)";
  BSTR text = nullptr;
  info->GetDescription(&text);
  std::wstring description = text ? text : L"";
  SysFreeString(text);
  info->Release();
  return description;
}

TEST(ExceptionBarrier, RunningOutOfMemoryFailsWithItsCodeAndText) {
  ASSERT_NE(module_instance(), nullptr);
  const HRESULT hr = guarded([]() -> HRESULT { throw std::bad_alloc(); });
  EXPECT_EQ(hr, E_OUTOFMEMORY);
  EXPECT_EQ(error_description(), L"Out of memory");
}

TEST(ExceptionBarrier, AnyOtherExceptionFailsUnexpectedWithoutStaleErrorInformation) {
  raise_error(ErrorCode::invalid_index, GUID_NULL, L"test");  // stale information of an earlier call
  const HRESULT hr = guarded([]() -> HRESULT { throw std::runtime_error("broken"); });
  EXPECT_EQ(hr, E_UNEXPECTED);
  EXPECT_EQ(error_description(), L"(none)");
}

TEST(ExceptionBarrier, ABodyThatReturnsKeepsItsResult) {
  EXPECT_EQ(guarded([] { return raise_error(ErrorCode::duplicate_id, GUID_NULL, L"test"); }), control_error(40009));
  EXPECT_EQ(error_description(), L"Tool ID already exists");
}

TEST(ExceptionBarrier, AProcedureBodyEndsQuietly) {
  bool after_throw = false;
  quietly([&] {
    throw std::bad_alloc();
    after_throw = true;
  });
  EXPECT_FALSE(after_throw);
}

}  // namespace
}  // namespace mz::com
