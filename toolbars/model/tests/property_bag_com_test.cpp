// The control's saved state as named values, through IPersistPropertyBag
// with a bag that records what the control writes and reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "com_test_support.h"
#include "persistence_test_support.h"

namespace mz::test {
namespace {

// Keeps the values in memory, in the order written, and records every read.
class RecordingBag final : public IPropertyBag {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IPropertyBag) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IPropertyBag*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    reads.emplace_back(name);
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    const VARTYPE wanted = V_VT(value);
    VariantInit(value);
    if (wanted == VT_EMPTY || wanted == VT_UNKNOWN || wanted == VT_DISPATCH)
      return VariantCopy(value, const_cast<VARIANT*>(&*it->second));
    return VariantChangeType(value, const_cast<VARIANT*>(&*it->second), 0, wanted);
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
    names.emplace_back(name);
    Var kept;
    VariantCopy(kept.get(), value);
    values[name] = kept;
    return S_OK;
  }

  std::vector<std::wstring> names;  // in the order written
  std::map<std::wstring, Var> values;
  std::vector<std::wstring> reads;
  bool was_read(const wchar_t* name) const { return std::find(reads.begin(), reads.end(), name) != reads.end(); }
};

IPersistPropertyBag* bag_persistence(IDispatch* control) {
  IPersistPropertyBag* persist = nullptr;
  control->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist));
  return persist;
}

HRESULT save_bag(IDispatch* control, RecordingBag& bag, bool save_all = false) {
  IPersistPropertyBag* persist = bag_persistence(control);
  HRESULT hr = persist->Save(&bag, TRUE, save_all ? TRUE : FALSE);
  persist->Release();
  return hr;
}

HRESULT load_bag(IDispatch* control, RecordingBag& bag) {
  IPersistPropertyBag* persist = bag_persistence(control);
  HRESULT hr = persist->Load(&bag, nullptr);
  persist->Release();
  return hr;
}

using PropertyBag = ControlTest;

TEST_F(PropertyBag, NewControlWritesOnlyExtentVersionAndHolders) {
  IPersistPropertyBag* persist = bag_persistence(control);
  ASSERT_NE(persist, nullptr);
  ASSERT_EQ(persist->InitNew(), S_OK);
  persist->Release();
  RecordingBag bag;
  ASSERT_EQ(save_bag(control, bag), S_OK);
  EXPECT_EQ(bag.names, (std::vector<std::wstring>{L"_ExtentX", L"_ExtentY", L"_Version", L"Tools", L"ToolBars"}));
  EXPECT_EQ(bag.values[L"_Version"].type(), VT_I4);
  EXPECT_EQ(bag.values[L"_Version"].as_long(), 131081);

  // The holders have their own class and the stream form of a count and bytes.
  IPersistStream* holder = nullptr;
  ASSERT_EQ(V_UNKNOWN(&*bag.values[L"Tools"])->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&holder)), S_OK);
  CLSID clsid{};
  holder->GetClassID(&clsid);
  EXPECT_EQ(clsid, CLSID_MzByteHolder);
  IStream* stream = memory_stream({});
  holder->Save(stream, TRUE);
  const std::vector<std::uint8_t> form = stream_content(stream);
  ASSERT_GE(form.size(), 4u);
  EXPECT_EQ(form[0] | form[1] << 8 | form[2] << 16 | form[3] << 24, static_cast<int>(form.size() - 4));
  // A holder whose count promises more than its stream has fails to load.
  IStream* short_stream = memory_stream({0xFF, 0xFF, 0, 0, 1, 2});
  EXPECT_TRUE(FAILED(holder->Load(short_stream)));
  short_stream->Release();
  stream->Release();
  holder->Release();
}

TEST_F(PropertyBag, ValuesAreWrittenWithTheirTypesOnlyWhenChangedUnlessAllAreSaved) {
  put(control, L"ToolTipDelay", Var(short{900}));
  put(control, L"BackColor", Var(0x00123456));
  put(control, L"Enabled", Var(false));
  put(control, L"ActiveColors", Var(true));
  put(control, L"TagVariant", Var(L"tag"));
  RecordingBag bag;
  ASSERT_EQ(save_bag(control, bag), S_OK);
  EXPECT_EQ(bag.names, (std::vector<std::wstring>{L"_ExtentX", L"_ExtentY", L"_Version", L"BackColor", L"ToolTipDelay",
                                                   L"ActiveColors", L"Enabled", L"TagVariant", L"Tools", L"ToolBars"}));
  EXPECT_EQ(bag.values[L"BackColor"].type(), VT_I4);
  EXPECT_EQ(bag.values[L"ToolTipDelay"].type(), VT_I2);
  EXPECT_EQ(bag.values[L"Enabled"].type(), VT_BOOL);
  EXPECT_EQ(bag.values[L"Enabled"].as_long(), 0);

  RecordingBag all;
  ASSERT_EQ(save_bag(control, all, true), S_OK);
  for (const wchar_t* name :
       {L"BackColor", L"FontSource", L"ForeColor", L"MenuAnimations", L"PictureBackgroundMaskColor",
        L"PictureBackgroundStyle", L"ToolBarsCount", L"ToolsCount", L"ToolTipDelay", L"PersonalizedMenus", L"Style",
        L"ActiveColors", L"DisplayContextMenu", L"Enabled", L"PictureBackgroundUseMask", L"ShowShortcutsInToolTips",
        L"ShowToolTips", L"Visible", L"LargeIcons"})
    EXPECT_EQ(all.values.count(name), 1u) << std::string(name, name + wcslen(name));
}

TEST_F(PropertyBag, RoundTripKeepsEverything) {
  build_sample(control);
  RecordingBag bag;
  ASSERT_EQ(save_bag(control, bag), S_OK);
  IDispatch* copy = create_control();
  ASSERT_EQ(load_bag(copy, bag), S_OK);
  // Same state as the original, field by field, in the binary form.
  EXPECT_EQ(save_state(copy), save_state(control));
  EXPECT_EQ(count(tools_of(copy)), 4);
  EXPECT_EQ(get(copy, L"TagVariant").value.as_text(), L"control tag");
  copy->Release();
}

TEST_F(PropertyBag, LoadFallbacksAndMissingHolders) {
  struct Case {
    const char* what;
    std::vector<std::pair<const wchar_t*, Var>> values;
    HRESULT expected;
    long personalized_menus;
    bool reads_tools;
  } cases[] = {
      {"empty bag: defaults", {}, S_OK, 1, false},
      {"old version: new fields off", {{L"_Version", Var(0x00020001)}}, S_OK, 0, false},
      {"version with the new fields", {{L"_Version", Var(0x00020002)}}, S_OK, 1, false},
      {"tools announced but missing", {{L"ToolsCount", Var(short{2})}}, E_INVALIDARG, 1, true},
      {"tools holder that is no holder", {{L"ToolsCount", Var(short{1})}, {L"Tools", Var(L"text")}}, E_NOINTERFACE, 1, true},
  };
  for (const Case& c : cases) {
    RecordingBag bag;
    for (const auto& [name, value] : c.values) bag.values[name] = value;
    IDispatch* fresh = create_control();
    EXPECT_EQ(load_bag(fresh, bag), c.expected) << c.what;
    EXPECT_EQ(get(fresh, L"PersonalizedMenus").value.as_long(), c.personalized_menus) << c.what;
    EXPECT_EQ(bag.was_read(L"Tools"), c.reads_tools) << c.what;
    EXPECT_EQ(count(tools_of(fresh)), 0) << c.what;
    fresh->Release();
  }
}

}  // namespace
}  // namespace mz::test
