// Self-registration: the registry entries, creation by ProgID and class
// identifier, and their removal. Runs after regsvr32 has registered the DLL,
// and leaves it registered.
#include <gtest/gtest.h>

#include <string>

#include "com_test_support.h"

namespace mz::test {
namespace {

std::wstring guid_text(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// The text of a registry value under HKEY_CLASSES_ROOT, or nullopt.
std::optional<std::wstring> registry_text(const std::wstring& key, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

using ExportedCall = HRESULT(STDAPICALLTYPE*)();

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    library = LoadLibraryW(L"MzDeck2.dll");
    ASSERT_NE(library, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(library, path, MAX_PATH);
    dll_path = path;
    register_server = exported<ExportedCall>(library, "DllRegisterServer");
    unregister_server = exported<ExportedCall>(library, "DllUnregisterServer");
    ASSERT_TRUE(register_server && unregister_server);
  }
  void TearDown() override { CoUninitialize(); }

  HMODULE library = nullptr;
  std::wstring dll_path;
  ExportedCall register_server = nullptr;
  ExportedCall unregister_server = nullptr;
  const std::wstring clsid_key = L"CLSID\\" + guid_text(CLSID_MzToolDeck);
};

TEST_F(Registration, WritesTheClassProgIdServerControlAndTypeLibraryEntries) {
  ASSERT_EQ(register_server(), S_OK);
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring expected;
  } entries[] = {
      {L"ToolDeck.MzToolDeck\\CLSID", nullptr, guid_text(CLSID_MzToolDeck)},
      {clsid_key + L"\\ProgID", nullptr, L"ToolDeck.MzToolDeck"},
      {clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsid_key + L"\\Control", nullptr, L""},
      {clsid_key + L"\\ToolboxBitmap32", nullptr, dll_path + L", 1"},
      {clsid_key + L"\\TypeLib", nullptr, guid_text(LIBID_ToolDeck)},
      {clsid_key + L"\\Version", nullptr, L"2.0"},
  };
  for (const auto& entry : entries) {
    auto value = registry_text(entry.key, entry.name);
    ASSERT_TRUE(value.has_value()) << std::string(entry.key.begin(), entry.key.end());
    EXPECT_EQ(*value, entry.expected) << std::string(entry.key.begin(), entry.key.end());
  }
  auto server = registry_text(clsid_key + L"\\InprocServer32", nullptr);
  ASSERT_TRUE(server.has_value());
  EXPECT_EQ(_wcsicmp(server->c_str(), dll_path.c_str()), 0);
  auto misc = registry_text(clsid_key + L"\\MiscStatus\\1", nullptr);
  ASSERT_TRUE(misc.has_value());
  EXPECT_TRUE(std::stoul(*misc) & OLEMISC_INVISIBLEATRUNTIME);

  ITypeLib* registered = nullptr;
  ASSERT_EQ(LoadRegTypeLib(LIBID_ToolDeck, 2, 0, 0x409, &registered), S_OK);
  registered->Release();
}

TEST_F(Registration, CreatesTheControlByProgIdAndByClassIdentifier) {
  ASSERT_EQ(register_server(), S_OK);
  CLSID from_prog_id{};
  ASSERT_EQ(CLSIDFromProgID(L"ToolDeck.MzToolDeck", &from_prog_id), S_OK);
  EXPECT_EQ(from_prog_id, CLSID_MzToolDeck);
  IMzToolBarControl* control = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_MzToolDeck, nullptr, CLSCTX_INPROC_SERVER, IID_IMzToolBarControl,
                             reinterpret_cast<void**>(&control)),
            S_OK);
  OLE_COLOR colour = 0;
  EXPECT_EQ(control->get_BackColor(&colour), S_OK);
  EXPECT_EQ(colour, 0x8000000Fu);
  control->Release();
}

TEST_F(Registration, UnregisteringRemovesTheEntries) {
  ASSERT_EQ(unregister_server(), S_OK);
  CLSID clsid{};
  EXPECT_NE(CLSIDFromProgID(L"ToolDeck.MzToolDeck", &clsid), S_OK);
  EXPECT_FALSE(registry_text(clsid_key + L"\\InprocServer32", nullptr).has_value());
  IUnknown* control = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_MzToolDeck, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&control)),
            REGDB_E_CLASSNOTREG);
  ITypeLib* registered = nullptr;
  EXPECT_NE(LoadRegTypeLib(LIBID_ToolDeck, 2, 0, 0x409, &registered), S_OK);
  // Unregistering twice is harmless; the library is left registered for the
  // tests that follow.
  EXPECT_EQ(unregister_server(), S_OK);
  EXPECT_EQ(register_server(), S_OK);
}

}  // namespace
}  // namespace mz::test
