#pragma once
// The rules of the combo-box and edit data of a tool. The caller reports a
// change of Text to the host (ToolChange) when text_changed says so.
#include <cstdint>
#include <string>
#include <string_view>

#include "toolbars/base/error_code.h"
#include "tool.h"

namespace mz {

struct ComboContext {
  bool design_time = false;
  bool customizing = false;
  bool designer = false;
};

// Item data of item index; error 40002 outside the list.
Outcome<ComboItem*> combo_item(ComboData& combo, int index);
// The text of item index, or empty outside the list.
std::wstring combo_list_text(const ComboData& combo, int index);
ErrorCode set_combo_list_text(ComboData& combo, int index, std::wstring_view text);
ErrorCode set_combo_list_index(ComboData& combo, int index);
// Sorted and Style are fixed at run time except while customizing.
ErrorCode set_combo_sorted(ComboData& combo, bool sorted, const ComboContext& context);
ErrorCode set_combo_style(ComboData& combo, int style, const ComboContext& context);
// Outcome value: whether the text really changed.
Outcome<bool> set_combo_text(ComboData& combo, std::wstring_view text, const ComboContext& context);
// index: where the item goes, -1 appends; ignored when the list is sorted.
ErrorCode add_combo_item(ComboData& combo, std::wstring_view text, int index);
ErrorCode remove_combo_item(ComboData& combo, int index);
void clear_combo(ComboData& combo);

ErrorCode set_edit_max_length(EditData& edit, int max_length);

}  // namespace mz
