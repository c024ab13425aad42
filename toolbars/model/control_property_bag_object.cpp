// The control's saved state as named values (IPersistPropertyBag), as a
// form designer keeps it in its text form: the scalar properties by name,
// the font and background picture as objects, and the tools and toolbars as
// byte holders carrying their records.
#include "byte_holder_object.h"
#include "control_object.h"
#include "persisted_objects_win32.h"
#include "picture_cells_win32.h"
#include "record_platform_win32.h"
#include "scoped_value.h"
#include "tag_value.h"

namespace mz::com {
namespace {

HRESULT write_value(IPropertyBag* bag, const wchar_t* name, VARIANT& value) { return bag->Write(name, &value); }

HRESULT write_int(IPropertyBag* bag, const wchar_t* name, VARTYPE type, std::int32_t number) {
  // The bag may clear what it is given before it writes: hand it a valid,
  // empty value of the type.
  Variant value;
  V_VT(value.get()) = type;
  V_I4(value.get()) = 0;
  if (type == VT_I2) V_I2(value.get()) = static_cast<SHORT>(number);
  else if (type == VT_BOOL) V_BOOL(value.get()) = number ? VARIANT_TRUE : VARIANT_FALSE;
  else V_I4(value.get()) = number;
  return write_value(bag, name, *value.get());
}

HRESULT write_object(IPropertyBag* bag, const wchar_t* name, IUnknown* object) {
  Variant value;
  V_VT(value.get()) = VT_UNKNOWN;
  V_UNKNOWN(value.get()) = nullptr;
  V_UNKNOWN(value.get()) = object;
  object->AddRef();
  return write_value(bag, name, *value.get());
}

// A value of the bag converted to `type`, or nothing when it is absent or
// does not convert.
std::optional<std::int32_t> read_int(IPropertyBag* bag, IErrorLog* log, const wchar_t* name, VARTYPE type) {
  // The bag may clear what it is given before it writes: hand it a valid,
  // empty value of the type.
  Variant value;
  V_VT(value.get()) = type;
  V_I4(value.get()) = 0;
  if (FAILED(bag->Read(name, value.get(), log))) return std::nullopt;
  if (V_VT(value.get()) != type && FAILED(VariantChangeType(value.get(), value.get(), 0, type))) return std::nullopt;
  if (type == VT_I2) return V_I2(value.get());
  if (type == VT_BOOL) return V_BOOL(value.get()) != VARIANT_FALSE;
  return V_I4(value.get());
}

// An object of the bag, asked for with the interface it should have.
template <class T>
ComPtr<T> read_object(IPropertyBag* bag, IErrorLog* log, const wchar_t* name, HRESULT* failure = nullptr) {
  Variant value;
  V_VT(value.get()) = VT_UNKNOWN;
  V_UNKNOWN(value.get()) = nullptr;
  HRESULT hr = bag->Read(name, value.get(), log);
  if (failure) *failure = hr;
  ComPtr<T> object;
  if (SUCCEEDED(hr) && (V_VT(value.get()) == VT_UNKNOWN || V_VT(value.get()) == VT_DISPATCH) && V_UNKNOWN(value.get()))
    V_UNKNOWN(value.get())->QueryInterface(__uuidof(T), reinterpret_cast<void**>(object.put()));
  if (SUCCEEDED(hr) && !object && failure) *failure = E_NOINTERFACE;
  return object;
}

std::wstring wide(std::string_view name) { return std::wstring(name.begin(), name.end()); }

}  // namespace

HRESULT ControlObject::Save(IPropertyBag* bag, BOOL clear_dirty, BOOL save_all) {
  return guarded([&]() -> HRESULT {
    if (!bag) return E_POINTER;
    HRESULT hr = write_int(bag, L"_ExtentX", VT_I4, site_.extent().cx);
    if (SUCCEEDED(hr)) hr = write_int(bag, L"_ExtentY", VT_I4, site_.extent().cy);
    if (SUCCEEDED(hr)) hr = write_int(bag, L"_Version", VT_I4, static_cast<std::int32_t>(records::kCurrentVersion));
    const records::ControlPropertyBlock block = property_block();
    for (const records::ControlDefaultRow& row : records::kControlDefaults) {
      const std::int32_t value = records::GetControlProperty(block, row.Property);
      if (SUCCEEDED(hr) && (save_all || value != row.Default))
        hr = write_int(bag, wide(row.Name).c_str(), row.Type == records::BagType::I4 ? VT_I4 : VT_I2, value);
    }
    for (const records::ControlBooleanRow& row : records::kControlBooleans) {
      const bool value = block.*row.Member;
      if (SUCCEEDED(hr) && (save_all || value != row.Default)) hr = write_int(bag, wide(row.Name).c_str(), VT_BOOL, value);
    }
    if (SUCCEEDED(hr) && block.FontSet) hr = write_object(bag, L"Font", font_.get());
    if (SUCCEEDED(hr) && block.HasPictureBackground) hr = write_object(bag, L"PictureBackground", picture_background_.get());
    if (SUCCEEDED(hr)) {
      Variant tag;
      read_value(tag_, tag.get());
      if (!is_empty_or_null(*tag.get())) hr = write_value(bag, L"TagVariant", *tag.get());
    }
    if (FAILED(hr)) return hr;

    records::ToolsStream tools;
    if (!save_tools(deck_, record_platform(), fill_pixel(properties_.back_color), tools)) hr = E_OUTOFMEMORY;
    if (FAILED(hr)) return hr;
    auto tool_bytes = records::EncodeToolsStream(tools);
    auto toolbar_bytes = records::EncodeToolbarRecords(save_toolbars(deck_, record_platform()));
    if (!tool_bytes || !toolbar_bytes) return E_INVALIDARG;
    ComPtr<IUnknown> tools_holder, toolbars_holder;
    hr = make_byte_holder(*tool_bytes, tools_holder.put());
    if (SUCCEEDED(hr)) hr = make_byte_holder(*toolbar_bytes, toolbars_holder.put());
    if (SUCCEEDED(hr)) hr = write_object(bag, L"Tools", tools_holder.get());
    if (SUCCEEDED(hr)) hr = write_object(bag, L"ToolBars", toolbars_holder.get());
    if (FAILED(hr)) return hr;
    if (clear_dirty) dirty_ = false;
    return S_OK;
  });
}

HRESULT ControlObject::Load(IPropertyBag* bag, IErrorLog* log) {
  return guarded([&]() -> HRESULT {
    if (!bag) return E_POINTER;
    HRESULT hr = apply_one_control_rule();
    if (FAILED(hr)) return hr;
    const auto stored_version = read_int(bag, log, L"_Version", VT_I4);
    const std::uint32_t version = stored_version ? static_cast<std::uint32_t>(*stored_version) : records::kCurrentVersion;
    SIZEL extent = site_.extent();
    if (auto x = read_int(bag, log, L"_ExtentX", VT_I4)) extent.cx = *x;
    if (auto y = read_int(bag, log, L"_ExtentY", VT_I4)) extent.cy = *y;
    site_.set_extent(extent);

    records::ControlPropertyBlock block;
    for (const records::ControlDefaultRow& row : records::kControlDefaults) {
      auto value = read_int(bag, log, wide(row.Name).c_str(), row.Type == records::BagType::I4 ? VT_I4 : VT_I2);
      if (!value || !records::SetControlProperty(block, row.Property, *value))
        records::SetControlProperty(block, row.Property, records::ControlPropertyFallback(row, version));
    }
    for (const records::ControlBooleanRow& row : records::kControlBooleans) {
      auto value = read_int(bag, log, wide(row.Name).c_str(), VT_BOOL);
      block.*row.Member = value ? *value != 0 : row.Default;
    }

    ScopedValue loading(loading_, true);
    deck_.discard_all();
    loaded_version_ = version;
    apply_property_block(block);
    font_ = read_object<IFontDisp>(bag, log, L"Font");
    properties_.font_set_explicitly = font_.get() != nullptr;
    if (!font_) take_ambient_font();
    picture_background_ = read_object<IPictureDisp>(bag, log, L"PictureBackground");
    {
      Variant tag;
      tag_.reset();
      if (SUCCEEDED(bag->Read(L"TagVariant", tag.get(), log)) && V_VT(tag.get()) == VT_BSTR && SysStringLen(V_BSTR(tag.get())) > 0)
        store_value(*tag.get(), tag_);
    }

    const auto measures = stored_object_measures();
    if (block.ToolsCount > 0) {
      auto holder = read_object<IUnknown>(bag, log, L"Tools", &hr);
      std::vector<std::uint8_t> bytes;
      if (SUCCEEDED(hr)) hr = byte_holder_bytes(holder.get(), bytes);
      if (FAILED(hr)) return hr;
      records::RecordReader reader(bytes);
      auto read = records::ReadToolsStream(reader, version, block.ToolsCount, measures.Picture);
      load_tools(deck_, read.Value, !design_time(), record_platform());
      if (read.Error) return STG_E_READFAULT;
    }
    if (block.ToolBarsCount > 0) {
      auto holder = read_object<IUnknown>(bag, log, L"ToolBars", &hr);
      std::vector<std::uint8_t> bytes;
      if (SUCCEEDED(hr)) hr = byte_holder_bytes(holder.get(), bytes);
      if (FAILED(hr)) return hr;
      records::RecordReader reader(bytes);
      auto read = records::ReadToolbarRecords(reader, version, block.ToolBarsCount);
      load_toolbars(deck_, read.Value, record_platform());
      if (read.Error) return STG_E_READFAULT;
    }
    dirty_ = false;
    finish_load();
    return S_OK;
  });
}

}  // namespace mz::com
