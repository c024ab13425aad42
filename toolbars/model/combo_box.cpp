#include "combo_box.h"

#include "property_ranges.h"
#include "text_case.h"

namespace mz {
namespace {

bool in_list(const ComboData& combo, int index) {
  return index >= 0 && static_cast<size_t>(index) < combo.items.size();
}

// ListCount and the indexes are 16-bit.
constexpr size_t kMaxComboItems = INT16_MAX;

}  // namespace

Outcome<ComboItem*> combo_item(ComboData& combo, int index) {
  if (!in_list(combo, index)) return Outcome<ComboItem*>(ErrorCode::invalid_index);
  return Outcome<ComboItem*>{&combo.items[static_cast<size_t>(index)]};
}

std::wstring combo_list_text(const ComboData& combo, int index) {
  return in_list(combo, index) ? combo.items[static_cast<size_t>(index)].text : std::wstring();
}

ErrorCode set_combo_list_text(ComboData& combo, int index, std::wstring_view text) {
  if (!in_list(combo, index)) return ErrorCode::invalid_index;
  combo.items[static_cast<size_t>(index)].text = text;
  return ErrorCode::none;
}

ErrorCode set_combo_list_index(ComboData& combo, int index) {
  if (index != -1 && !in_list(combo, index)) return ErrorCode::invalid_index;
  combo.list_index = static_cast<int16_t>(index);
  combo.text = combo_list_text(combo, index);
  return ErrorCode::none;
}

ErrorCode set_combo_sorted(ComboData& combo, bool sorted, const ComboContext& context) {
  if (!context.design_time && !context.customizing) return ErrorCode::property_read_only;
  combo.sorted = sorted;
  return ErrorCode::none;
}

ErrorCode set_combo_style(ComboData& combo, int style, const ComboContext& context) {
  if (!context.design_time && !context.customizing) return ErrorCode::property_read_only;
  if (!kComboStyleRange.contains(style)) return ErrorCode::invalid_property_value;
  combo.style = static_cast<uint8_t>(style);
  return ErrorCode::none;
}

Outcome<bool> set_combo_text(ComboData& combo, std::wstring_view text, const ComboContext& context) {
  if ((combo.locked && !context.designer) || combo.style == 1)
    return Outcome<bool>(ErrorCode::property_read_only);
  if (combo.text == text) return Outcome<bool>{false};
  combo.text = text;
  return Outcome<bool>{true};
}

ErrorCode add_combo_item(ComboData& combo, std::wstring_view text, int index) {
  const size_t count = combo.items.size();
  if (count >= kMaxComboItems) return ErrorCode::cannot_perform;
  size_t pos = count;
  if (combo.sorted) {
    for (size_t i = 0; i < count; ++i) {
      if (compare_ignoring_case(combo.items[i].text, text) > 0) {
        pos = i;
        break;
      }
    }
  } else if (index != -1) {
    if (index < 0 || static_cast<size_t>(index) > count) return ErrorCode::invalid_index;
    pos = static_cast<size_t>(index);
  }
  combo.items.insert(combo.items.begin() + static_cast<long>(pos), ComboItem{std::wstring(text), {}});
  // The selection stays on the item it was on.
  if (combo.list_index >= 0 && static_cast<size_t>(combo.list_index) >= pos) ++combo.list_index;
  combo.new_index = static_cast<int16_t>(pos);
  return ErrorCode::none;
}

ErrorCode remove_combo_item(ComboData& combo, int index) {
  if (!in_list(combo, index)) return ErrorCode::invalid_index;
  combo.items.erase(combo.items.begin() + index);
  auto follow = [&](int16_t& at) {
    if (at == index) at = -1;
    else if (at > index) --at;
  };
  follow(combo.list_index);
  follow(combo.new_index);
  return ErrorCode::none;
}

void clear_combo(ComboData& combo) {
  combo.items.clear();
  combo.list_index = -1;
  combo.new_index = -1;
  combo.text.clear();
}

ErrorCode set_edit_max_length(EditData& edit, int max_length) {
  if (!kEditMaxLengthRange.contains(max_length)) return ErrorCode::invalid_property_value;
  edit.max_length = static_cast<int16_t>(max_length);
  return ErrorCode::none;
}

}  // namespace mz
