// dispatch_ids.h against the embedded type library: every constant is the
// id of the member it names, and every member of every interface has its
// constant, so the C++ code and the IDL cannot drift apart.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "com_ptr.h"
#include "com_test_support.h"
#include "dispatch_ids.h"

namespace mz::test {
namespace {

using com::ComPtr;

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

// IDispatch's and IUnknown's own members, which every dual interface lists.
bool is_inherited(MEMBERID id) { return id >= 0x60000000 && id < 0x60030000; }

class DispatchIds : public ::testing::Test {
 protected:
  void SetUp() override {
    HMODULE dll = LoadLibraryW(L"MzDeck2.dll");
    ASSERT_NE(dll, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(dll, path, MAX_PATH);
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadTypeLibEx(path, REGKIND_NONE, library.put()), S_OK);
    // The interfaces and dispatch interfaces of the library, by name.
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
      TYPEKIND kind{};
      ASSERT_EQ(library->GetTypeInfoType(i, &kind), S_OK);
      if (kind != TKIND_DISPATCH) continue;
      BSTR name = nullptr;
      ASSERT_EQ(library->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr), S_OK);
      ComPtr<ITypeInfo> info;
      ASSERT_EQ(library->GetTypeInfo(i, info.put()), S_OK);
      interfaces[name] = info;
      SysFreeString(name);
    }
    ASSERT_FALSE(interfaces.empty());
  }

  std::map<std::wstring, ComPtr<ITypeInfo>> interfaces;
};

TEST_F(DispatchIds, EveryConstantIsTheIdOfTheMemberItNames) {
  for (const NamedId& named : kNamedIds) {
    const std::string label = narrow(named.interface_name) + "." + narrow(named.member);
    const auto found = interfaces.find(named.interface_name);
    ASSERT_NE(found, interfaces.end()) << label << ": no such interface";
    ITypeInfo* info = found->second.get();
    LPOLESTR names[] = {const_cast<LPOLESTR>(named.member)};
    MEMBERID id = DISPID_UNKNOWN;
    ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK) << label << ": no such member";
    EXPECT_EQ(id, named.id) << label;
    // GetIDsOfNames ignores the letter case; the constant spells the name.
    BSTR name = nullptr;
    ASSERT_EQ(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr), S_OK) << label;
    EXPECT_STREQ(name, named.member) << label;
    SysFreeString(name);
  }
}

TEST_F(DispatchIds, EveryMemberOfEveryInterfaceHasItsConstant) {
  std::set<std::pair<std::wstring, std::wstring>> named;
  for (const NamedId& entry : kNamedIds) named.emplace(entry.interface_name, entry.member);
  for (const auto& [interface_name, info] : interfaces) {
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
      FUNCDESC* func = nullptr;
      ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
      if (!is_inherited(func->memid)) {
        BSTR name = nullptr;
        info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr);
        EXPECT_TRUE(named.count({interface_name, name}))
            << "DISPID_" << narrow(interface_name) << "_" << narrow(name) << " is missing from dispatch_ids.h";
        SysFreeString(name);
      }
      info->ReleaseFuncDesc(func);
    }
    info->ReleaseTypeAttr(attr);
  }
}

}  // namespace
}  // namespace mz::test
