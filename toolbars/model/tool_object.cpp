#include "tool_object.h"

#include <new>

#include "picture_ref_win32.h"
#include "tag_value.h"
#include "text.h"
#include "tool_parts_object.h"
#include "variant_args.h"

namespace mz::com {
namespace {

constexpr wchar_t kSource[] = L"ToolDeck.MzTool";

bool to_bool(VARIANT_BOOL value) { return value != VARIANT_FALSE; }

HRESULT empty_picture(IPictureDisp** out) {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_NONE;
  return OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(out));
}

// The bitmap converted into an 8-bit device-independent bitmap whose colour
// table is the default palette (its entries first, black after them), so the
// tool owns a bitmap of known form that no caller's DC holds selected.
HBITMAP default_palette_bitmap(HBITMAP source) {
  BITMAP shape{};
  if (!GetObjectW(source, sizeof(shape), &shape)) return nullptr;
  struct {
    BITMAPINFOHEADER header{};
    RGBQUAD colours[256]{};
  } info;
  PALETTEENTRY entries[256]{};
  GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 256, entries);
  for (int i = 0; i < 256; ++i) info.colours[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  info.header = {sizeof(BITMAPINFOHEADER), shape.bmWidth, shape.bmHeight, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
  void* bits = nullptr;
  HBITMAP converted =
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  auto copy = static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, 0));
  if (converted && copy) {
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ old_from = SelectObject(from, copy);
    HGDIOBJ old_to = SelectObject(to, converted);
    BitBlt(to, 0, 0, shape.bmWidth, shape.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(to, old_to);
    SelectObject(from, old_from);
    DeleteDC(to);
    DeleteDC(from);
  } else if (converted) {
    DeleteObject(converted);
    converted = nullptr;
  }
  if (copy) DeleteObject(copy);
  return converted;
}

}  // namespace

ComPtr<IMzTool> ToolObject::create(ControlObject& control, const ToolRef& ref) {
  return ComPtr<IMzTool>::adopt(new (std::nothrow) ToolObject(control, ref));
}

ToolObject::ToolObject(ControlObject& control, const ToolRef& ref)
    : AutomationObject(kSource), control_(&control), ref_(ref) {}

ToolObject::~ToolObject() {
  control_->forget_object(ref_.is_placed() ? static_cast<const void*>(ref_.placed.get()) : ref_.tool.get());
}

void* ToolObject::other_interface(REFIID iid) {
  return iid == kIidOwnObject ? static_cast<OwnObject*>(this) : nullptr;
}

template <class T, class U>
HRESULT ToolObject::put_tool_field(T Tool::*field, U value, ChangeScope scope) {
  auto target = deck().write_tool(ref_);
  if (!target.ok()) return fail(target.error());
  if (target.value()->*field != value) {
    target.value()->*field = value;
    deck().changed({scope, target.value()});
  }
  return S_OK;
}

// --- Tool-level plain properties -----------------------------------------------------

HRESULT ToolObject::get_AutoWrap(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT { return give(value, to_variant_bool(tool().auto_wrap)); });
}
HRESULT ToolObject::put_AutoWrap(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT { return put_tool_field(&Tool::auto_wrap, to_bool(value), ChangeScope::tool_size); });
}

HRESULT ToolObject::get_Category(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(tool().category, value); });
}
HRESULT ToolObject::put_Category(BSTR value) {
  return guarded([&]() -> HRESULT { return put_tool_field(&Tool::category, from_bstr(value), ChangeScope::data); });
}

HRESULT ToolObject::get_Customizable(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT { return give(value, to_variant_bool(tool().customizable)); });
}
HRESULT ToolObject::put_Customizable(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_tool_field(&Tool::customizable, to_bool(value), ChangeScope::data);
  });
}

HRESULT ToolObject::get_Description(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(tool().description, value); });
}
HRESULT ToolObject::put_Description(BSTR value) {
  return guarded([&]() -> HRESULT { return put_tool_field(&Tool::description, from_bstr(value), ChangeScope::data); });
}

HRESULT ToolObject::get_Enabled(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT { return give(value, to_variant_bool(tool().enabled)); });
}
HRESULT ToolObject::put_Enabled(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT { return put_tool_field(&Tool::enabled, to_bool(value), ChangeScope::tool_look); });
}

HRESULT ToolObject::get_UseMaskColor(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT { return give(value, to_variant_bool(tool().use_mask_color)); });
}
HRESULT ToolObject::put_UseMaskColor(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_tool_field(&Tool::use_mask_color, to_bool(value), ChangeScope::tool_look);
  });
}

HRESULT ToolObject::get_RecentlyUsed(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT { return give(value, to_variant_bool(tool().recently_used)); });
}
HRESULT ToolObject::put_RecentlyUsed(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_tool_field(&Tool::recently_used, to_bool(value), ChangeScope::tool_size);
  });
}

HRESULT ToolObject::get_ToolTipText(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(tool().tooltip_text, value); });
}
HRESULT ToolObject::put_ToolTipText(BSTR value) {
  return guarded([&]() -> HRESULT { return put_tool_field(&Tool::tooltip_text, from_bstr(value), ChangeScope::data); });
}

// --- Tool-level properties with rules ------------------------------------------------

HRESULT ToolObject::get_Group(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(tool().group, value); });
}
HRESULT ToolObject::put_Group(BSTR value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_group(ref_, from_bstr(value))); });
}

HRESULT ToolObject::get_GroupAllowAllUp(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(tool().group_allow_all_up));
  });
}
HRESULT ToolObject::put_GroupAllowAllUp(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_group_allow_all_up(ref_, to_bool(value)));
  });
}

HRESULT ToolObject::get_ID(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(deck().id_of(ref_), value); });
}
HRESULT ToolObject::put_ID(BSTR value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_id(ref_, from_bstr(value))); });
}

HRESULT ToolObject::get_MenuVisibility(Constants_MenuVisibility* value) {
  return guarded([&]() -> HRESULT {
    return give(value, tool().menu_visibility);
  });
}
HRESULT ToolObject::put_MenuVisibility(Constants_MenuVisibility value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_menu_visibility(ref_, value));
  });
}

HRESULT ToolObject::get_PictureSize(short* value) {
  return guarded([&]() -> HRESULT { return give(value, tool().picture_size); });
}
HRESULT ToolObject::put_PictureSize(short value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_picture_size(ref_, value)); });
}

HRESULT ToolObject::get_Shortcut(Constants_ShortcutKeys* value) {
  return guarded([&]() -> HRESULT { return give(value, tool().shortcut); });
}
HRESULT ToolObject::put_Shortcut(Constants_ShortcutKeys value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_shortcut(ref_, value)); });
}

HRESULT ToolObject::get_State(Constants_State* value) {
  return guarded([&]() -> HRESULT { return give(value, tool().state); });
}
HRESULT ToolObject::put_State(Constants_State value) {
  return guarded([&]() -> HRESULT {
    // The click handler may release the host's last reference to this object.
    ComPtr<IMzTool> keep_alive(this);
    return outcome(deck().set_state(ref_, value));
  });
}

HRESULT ToolObject::get_Type(Constants_Type* value) {
  return guarded([&]() -> HRESULT { return give(value, tool().type()); });
}
HRESULT ToolObject::put_Type(Constants_Type value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_type(ref_, value)); });
}

HRESULT ToolObject::get_Visible(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT { return give(value, to_variant_bool(deck().visible(ref_))); });
}
HRESULT ToolObject::put_Visible(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_visible(ref_, to_bool(value))); });
}

HRESULT ToolObject::get_TagVariant(VARIANT* value) {
  return guarded([&]() -> HRESULT {
    HRESULT hr = read_value(tool().tag, value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}
HRESULT ToolObject::put_TagVariant(VARIANT value) {
  return guarded([&]() -> HRESULT {
    // A placed tool passes the value on to its tool.
    std::shared_ptr<Tool> target = ref_.is_placed() ? deck().tool_of(*ref_.placed) : ref_.tool;
    if (!target) return fail(ErrorCode::cannot_perform);
    HRESULT hr = store_tag_value(value, target->tag);
    if (FAILED(hr)) return plain_failure(hr);
    deck().changed({ChangeScope::data, target.get()});
    return S_OK;
  });
}
HRESULT ToolObject::putref_TagVariant(VARIANT value) {
  return guarded([&]() -> HRESULT { return put_TagVariant(value); });
}

// --- Sub-objects ----------------------------------------------------------------------

HRESULT ToolObject::get_ComboBox(IMzComboBox** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = nullptr;
    auto owner = deck().sub_object_owner(ref_, ToolType::combo_box);
    if (!owner.ok()) return fail(owner.error());
    *value = ComboBoxObject::create(*control_, ref_, owner.value()).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolObject::get_Edit(IMzEdit** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = nullptr;
    auto owner = deck().sub_object_owner(ref_, ToolType::edit);
    if (!owner.ok()) return fail(owner.error());
    *value = EditObject::create(*control_, owner.value()).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolObject::get_Menu(IMzMenu** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = nullptr;
    auto owner = deck().sub_object_owner(ref_, ToolType::menu);
    if (!owner.ok()) return fail(owner.error());
    *value = MenuObject::create(*control_, owner.value()).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

// --- Placed-level properties -----------------------------------------------------------

HRESULT ToolObject::get_CtlWidth(short* value) {
  return guarded([&]() -> HRESULT {
    auto width = deck().ctl_width(ref_);
    return width.ok() ? give(value, width.value()) : fail(width.error());
  });
}
HRESULT ToolObject::put_CtlWidth(short value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_ctl_width(ref_, value)); });
}

HRESULT ToolObject::get_ForeColor(OLE_COLOR* value) {
  return guarded([&]() -> HRESULT { return give(value, deck().placed_fields(ref_).fore_color); });
}
HRESULT ToolObject::put_ForeColor(OLE_COLOR value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_fore_color(ref_, value)); });
}

HRESULT ToolObject::get_ForeColorSource(Constants_ForeColorSource* value) {
  return guarded([&]() -> HRESULT {
    return give(value, deck().placed_fields(ref_).fore_color_source);
  });
}
HRESULT ToolObject::put_ForeColorSource(Constants_ForeColorSource value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_fore_color_source(ref_, value));
  });
}

HRESULT ToolObject::get_DisplayStyle(Constants_DisplayStyle* value) {
  return guarded([&]() -> HRESULT {
    return give(value, deck().placed_fields(ref_).display_style);
  });
}
HRESULT ToolObject::put_DisplayStyle(Constants_DisplayStyle value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_display_style(ref_, value));
  });
}

HRESULT ToolObject::get_Name(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(deck().placed_fields(ref_).name, value); });
}
HRESULT ToolObject::put_Name(BSTR value) {
  return guarded([&]() -> HRESULT {
    deck().set_name(ref_, from_bstr(value));
    return S_OK;
  });
}

// Position and size as the layout last computed them.
HRESULT ToolObject::get_position(int16_t PlacedTool::*field, short* value) {
  auto placed = deck().placement(ref_);
  return placed.ok() ? give(value, placed.value()->*field) : fail(placed.error());
}
HRESULT ToolObject::get_Left(short* value) {
  return guarded([&]() -> HRESULT { return get_position(&PlacedTool::left, value); });
}
HRESULT ToolObject::get_Top(short* value) {
  return guarded([&]() -> HRESULT { return get_position(&PlacedTool::top, value); });
}
HRESULT ToolObject::get_Width(short* value) {
  return guarded([&]() -> HRESULT { return get_position(&PlacedTool::width, value); });
}
HRESULT ToolObject::get_Height(short* value) {
  return guarded([&]() -> HRESULT { return get_position(&PlacedTool::height, value); });
}

HRESULT ToolObject::get_Index(short* value) {
  return guarded([&]() -> HRESULT {
    auto placed = deck().placement(ref_);
    if (!placed.ok()) return fail(placed.error());
    return give(value, placed.value()->owner->position_of(placed.value()) + 1);
  });
}

// --- Pictures --------------------------------------------------------------------------

HRESULT ToolObject::get_picture(PictureSlot slot, IPictureDisp** value) {
  if (!value) return plain_failure(E_POINTER);
  *value = nullptr;
  if (IPictureDisp* kept = picture_object(tool().pictures[static_cast<size_t>(slot)])) {
    kept->AddRef();
    *value = kept;
    return S_OK;
  }
  HRESULT hr = empty_picture(value);
  return FAILED(hr) ? plain_failure(hr) : S_OK;
}

HRESULT ToolObject::put_picture(PictureSlot slot, IPictureDisp* value) {
  auto target = deck().write_tool(ref_);
  if (!target.ok()) return fail(target.error());
  target.value()->pictures[static_cast<size_t>(slot)] = picture_ref(value);
  deck().changed({ChangeScope::tool_size, target.value()});
  return S_OK;
}

HRESULT ToolObject::put_picture_bitmap(PictureSlot slot, LONG bitmap) {
  auto target = deck().write_tool(ref_);
  if (!target.ok()) return fail(target.error());
  auto handle = reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(bitmap));
  if (!handle) return put_picture(slot, nullptr);
  if (GetObjectType(handle) != OBJ_BITMAP) return fail(ErrorCode::invalid_property_value);
  // The tool owns a copy, so the caller may delete its bitmap.
  HBITMAP copy = default_palette_bitmap(handle);
  if (!copy) return plain_failure(E_OUTOFMEMORY);
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = copy;
  ComPtr<IPictureDisp> picture;
  HRESULT hr = OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture.put()));
  if (FAILED(hr)) {
    DeleteObject(copy);
    return plain_failure(hr);
  }
  return put_picture(slot, picture.get());
}

HRESULT ToolObject::get_Picture(IPictureDisp** value) {
  return guarded([&]() -> HRESULT { return get_picture(PictureSlot::normal, value); });
}
HRESULT ToolObject::put_Picture(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return put_picture(PictureSlot::normal, value); });
}
HRESULT ToolObject::putref_Picture(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return put_picture(PictureSlot::normal, value); });
}
HRESULT ToolObject::put_PictureBmp(LONG bitmap) {
  return guarded([&]() -> HRESULT { return put_picture_bitmap(PictureSlot::normal, bitmap); });
}
HRESULT ToolObject::get_PictureDisabled(IPictureDisp** value) {
  return guarded([&]() -> HRESULT { return get_picture(PictureSlot::disabled, value); });
}
HRESULT ToolObject::put_PictureDisabled(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return put_picture(PictureSlot::disabled, value); });
}
HRESULT ToolObject::putref_PictureDisabled(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return put_picture(PictureSlot::disabled, value); });
}
HRESULT ToolObject::put_PictureDisabledBmp(LONG bitmap) {
  return guarded([&]() -> HRESULT { return put_picture_bitmap(PictureSlot::disabled, bitmap); });
}
HRESULT ToolObject::get_PictureDown(IPictureDisp** value) {
  return guarded([&]() -> HRESULT { return get_picture(PictureSlot::down, value); });
}
HRESULT ToolObject::put_PictureDown(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return put_picture(PictureSlot::down, value); });
}
HRESULT ToolObject::putref_PictureDown(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return put_picture(PictureSlot::down, value); });
}
HRESULT ToolObject::put_PictureDownBmp(LONG bitmap) {
  return guarded([&]() -> HRESULT { return put_picture_bitmap(PictureSlot::down, bitmap); });
}
HRESULT ToolObject::get_PictureDownDisabled(IPictureDisp** value) {
  return guarded([&]() -> HRESULT {
    return get_picture(PictureSlot::down_disabled, value);
  });
}
HRESULT ToolObject::put_PictureDownDisabled(IPictureDisp* value) {
  return guarded([&]() -> HRESULT {
    return put_picture(PictureSlot::down_disabled, value);
  });
}
HRESULT ToolObject::putref_PictureDownDisabled(IPictureDisp* value) {
  return guarded([&]() -> HRESULT {
    return put_picture(PictureSlot::down_disabled, value);
  });
}
HRESULT ToolObject::put_PictureDownDisabledBmp(LONG bitmap) {
  return guarded([&]() -> HRESULT {
    return put_picture_bitmap(PictureSlot::down_disabled, bitmap);
  });
}

// --- Methods ---------------------------------------------------------------------------

HRESULT ToolObject::SetFocus() {
  return guarded([&]() -> HRESULT {
    // Only a combo-box or edit tool with its window can take the focus, and
    // those windows are not created yet.
    return fail(ErrorCode::cannot_perform);
  });
}

HRESULT ToolObject::ChangeAll(Constants_ChangeAll property, VARIANT new_value) {
  return guarded([&]() -> HRESULT {
    ChangeAllValue value;
    if (change_all_takes_text(property)) {
      auto text = text_argument(new_value);
      if (!text) return fail(ErrorCode::invalid_property_value);
      value = *text;
    } else {
      // The colour is 32-bit, the other numbers 16-bit.
      auto number = property == mzChangeAllForeColor
                        ? int32_argument(new_value)
                        : (int16_argument(new_value) ? std::optional<int32_t>(*int16_argument(new_value))
                                                     : std::nullopt);
      if (!number) return fail(ErrorCode::invalid_property_value);
      value = *number;
    }
    return outcome(deck().change_all(ref_, property, value));
  });
}

}  // namespace mz::com
