#include "tool_parts_object.h"

#include <new>

#include "combo_box.h"
#include "tag_value.h"
#include "text.h"
#include "tools_collection_object.h"
#include "variant_args.h"

namespace mz::com {
namespace {

bool to_bool(VARIANT_BOOL value) { return value != VARIANT_FALSE; }

}  // namespace

// --- MzComboBox ---------------------------------------------------------------------

ComPtr<IMzComboBox> ComboBoxObject::create(ControlObject& control, const ToolRef& ref, std::shared_ptr<Tool> tool) {
  return ComPtr<IMzComboBox>::adopt(new (std::nothrow) ComboBoxObject(control, ref, std::move(tool)));
}

ComboBoxObject::ComboBoxObject(ControlObject& control, const ToolRef& ref, std::shared_ptr<Tool> tool)
    : AutomationObject(L"ToolDeck.MzComboBox"), control_(&control), ref_(ref), tool_(std::move(tool)) {}

ComboContext ComboBoxObject::context() const {
  const ControlModes& modes = control_->deck().modes;
  return {modes.design_time, modes.customizing, modes.designer};
}

HRESULT ComboBoxObject::changed(ErrorCode code) {
  if (code == ErrorCode::none) control_->deck().changed({ChangeScope::tool_look, tool_.get()});
  return outcome(code);
}

#define MZ_COMBO(data_name)                                   \
  ComboData* data_name = data();                              \
  if (!data_name) return fail(ErrorCode::cannot_perform)

HRESULT ComboBoxObject::get_ItemData(short index, VARIANT* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    auto item = combo_item(*combo, index);
    if (!item.ok()) return fail(item.error());
    HRESULT hr = read_value(item.value()->item_data, value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}
HRESULT ComboBoxObject::put_ItemData(short index, VARIANT value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    auto item = combo_item(*combo, index);
    if (!item.ok()) return fail(item.error());
    HRESULT hr = store_value(value, item.value()->item_data);
    if (FAILED(hr)) return plain_failure(hr);
    return changed(ErrorCode::none);
  });
}
HRESULT ComboBoxObject::putref_ItemData(short index, VARIANT value) {
  return guarded([&]() -> HRESULT { return put_ItemData(index, value); });
}

HRESULT ComboBoxObject::get_List(short index, BSTR* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return to_bstr(combo_list_text(*combo, index), value);
  });
}
HRESULT ComboBoxObject::put_List(short index, BSTR value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return changed(set_combo_list_text(*combo, index, from_bstr(value)));
  });
}

HRESULT ComboBoxObject::get_ListCount(short* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return give(value, combo->items.size());
  });
}

HRESULT ComboBoxObject::get_ListIndex(short* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return give(value, combo->list_index);
  });
}
HRESULT ComboBoxObject::put_ListIndex(short value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return changed(set_combo_list_index(*combo, value));
  });
}

HRESULT ComboBoxObject::get_Locked(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return give(value, to_variant_bool(combo->locked));
  });
}
HRESULT ComboBoxObject::put_Locked(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    combo->locked = to_bool(value);
    return changed(ErrorCode::none);
  });
}

HRESULT ComboBoxObject::get_NewIndex(short* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return give(value, combo->new_index);
  });
}

HRESULT ComboBoxObject::get_Sorted(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return give(value, to_variant_bool(combo->sorted));
  });
}
HRESULT ComboBoxObject::put_Sorted(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return changed(set_combo_sorted(*combo, to_bool(value), context()));
  });
}

HRESULT ComboBoxObject::get_Style(Constants_ComboStyle* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return give(value, combo->style);
  });
}
HRESULT ComboBoxObject::put_Style(Constants_ComboStyle value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return changed(set_combo_style(*combo, value, context()));
  });
}

HRESULT ComboBoxObject::get_Text(BSTR* value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return to_bstr(combo->text, value);
  });
}
HRESULT ComboBoxObject::put_Text(BSTR value) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    auto result = set_combo_text(*combo, from_bstr(value), context());
    if (!result.ok()) return fail(result.error());
    if (result.value()) {
      control_->deck().changed({ChangeScope::tool_look, tool_.get()});
      if (!control_->design_time()) control_->fire_tool_change(ref_);
    }
    return S_OK;
  });
}

HRESULT ComboBoxObject::AddItem(BSTR item, VARIANT index) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    int position = -1;
    if (!is_missing(index)) {
      auto number = int16_argument(index);
      if (!number) return fail(ErrorCode::invalid_index);
      position = *number;
    }
    return changed(add_combo_item(*combo, from_bstr(item), position));
  });
}

HRESULT ComboBoxObject::Clear() {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    clear_combo(*combo);
    return changed(ErrorCode::none);
  });
}

HRESULT ComboBoxObject::RemoveItem(short index) {
  return guarded([&]() -> HRESULT {
    MZ_COMBO(combo);
    return changed(remove_combo_item(*combo, index));
  });
}

#undef MZ_COMBO

// --- MzEdit ------------------------------------------------------------------------

ComPtr<IMzEdit> EditObject::create(ControlObject& control, std::shared_ptr<Tool> tool) {
  return ComPtr<IMzEdit>::adopt(new (std::nothrow) EditObject(control, std::move(tool)));
}

EditObject::EditObject(ControlObject& control, std::shared_ptr<Tool> tool)
    : AutomationObject(L"ToolDeck.MzEdit"), control_(&control), tool_(std::move(tool)) {}

#define MZ_EDIT(data_name)                                    \
  EditData* data_name = data();                               \
  if (!data_name) return fail(ErrorCode::cannot_perform)

HRESULT EditObject::get_Locked(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    return give(value, to_variant_bool(edit->locked));
  });
}
HRESULT EditObject::put_Locked(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    edit->locked = to_bool(value);
    control_->deck().changed({ChangeScope::tool_look, tool_.get()});
    return S_OK;
  });
}

HRESULT EditObject::get_MaxLength(short* value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    return give(value, edit->max_length);
  });
}
HRESULT EditObject::put_MaxLength(short value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    ErrorCode code = set_edit_max_length(*edit, value);
    if (code == ErrorCode::none) control_->deck().changed({ChangeScope::tool_look, tool_.get()});
    return outcome(code);
  });
}

HRESULT EditObject::get_Text(BSTR* value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    return to_bstr(edit->text, value);
  });
}
HRESULT EditObject::put_Text(BSTR value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    edit->text = from_bstr(value);
    control_->deck().changed({ChangeScope::tool_look, tool_.get()});
    return S_OK;
  });
}

HRESULT EditObject::get_PasswordChar(BSTR* value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    return to_bstr(edit->password_char, value);
  });
}
HRESULT EditObject::put_PasswordChar(BSTR value) {
  return guarded([&]() -> HRESULT {
    MZ_EDIT(edit);
    edit->password_char = from_bstr(value);
    control_->deck().changed({ChangeScope::tool_look, tool_.get()});
    return S_OK;
  });
}

#undef MZ_EDIT

// --- MzMenu ------------------------------------------------------------------------

ComPtr<IMzMenu> MenuObject::create(ControlObject& control, std::shared_ptr<Tool> tool) {
  return ComPtr<IMzMenu>::adopt(new (std::nothrow) MenuObject(control, std::move(tool)));
}

MenuObject::MenuObject(ControlObject& control, std::shared_ptr<Tool> tool)
    : AutomationObject(L"ToolDeck.MzMenu"), control_(&control), tool_(std::move(tool)) {}

HRESULT MenuObject::get_Tools(IMzToolsCollection** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = nullptr;
    if (!tool_->menu()) return fail(ErrorCode::cannot_perform);
    *value = ToolsCollectionObject::create(*control_, PlacedListOwner{nullptr, tool_}).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

}  // namespace mz::com
