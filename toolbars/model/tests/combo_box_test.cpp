// The rules of combo-box and edit data.
#include <gtest/gtest.h>

#include "combo_box.h"

namespace mz {
namespace {

std::wstring items(const ComboData& combo) {
  std::wstring text;
  for (const auto& item : combo.items) text += (text.empty() ? L"" : L",") + item.text;
  return text;
}

TEST(ComboBox, AddItemPlacesByIndexOrSortOrder) {
  struct Case {
    bool sorted;
    std::vector<std::pair<const wchar_t*, int>> adds;
    const wchar_t* expected;
    int new_index;
  } cases[] = {
      {false, {{L"b", -1}, {L"a", -1}, {L"c", 0}}, L"c,b,a", 0},
      {false, {{L"b", -1}, {L"a", 1}}, L"b,a", 1},
      {true, {{L"b", -1}, {L"C", 0}, {L"a", 2}}, L"a,b,C", 0},
      {true, {{L"b", -1}, {L"B", -1}}, L"b,B", 1},  // equal texts keep their order
  };
  for (const auto& c : cases) {
    ComboData combo;
    combo.sorted = c.sorted;
    for (const auto& [text, index] : c.adds) EXPECT_EQ(add_combo_item(combo, text, index), ErrorCode::none);
    EXPECT_EQ(items(combo), c.expected);
    EXPECT_EQ(combo.new_index, c.new_index);
  }
}

TEST(ComboBox, IndexesOutsideTheListAreRefused) {
  ComboData combo;
  add_combo_item(combo, L"a", -1);
  add_combo_item(combo, L"b", -1);
  EXPECT_EQ(add_combo_item(combo, L"x", 3), ErrorCode::invalid_index);
  EXPECT_EQ(add_combo_item(combo, L"x", -2), ErrorCode::invalid_index);
  EXPECT_EQ(error_of(combo_item(combo, 2)), ErrorCode::invalid_index);
  EXPECT_EQ(error_of(combo_item(combo, -1)), ErrorCode::invalid_index);
  EXPECT_EQ(combo_list_text(combo, 2), L"");
  EXPECT_EQ(set_combo_list_text(combo, 2, L"x"), ErrorCode::invalid_index);
  EXPECT_EQ(set_combo_list_index(combo, 2), ErrorCode::invalid_index);
  EXPECT_EQ(remove_combo_item(combo, 2), ErrorCode::invalid_index);
  EXPECT_EQ(items(combo), L"a,b");
}

TEST(ComboBox, ListIndexSetsTheTextAndFollowsTheItem) {
  ComboData combo;
  for (const wchar_t* text : {L"a", L"b", L"c"}) add_combo_item(combo, text, -1);
  ASSERT_EQ(set_combo_list_index(combo, 1), ErrorCode::none);
  EXPECT_EQ(combo.text, L"b");
  add_combo_item(combo, L"z", 0);
  EXPECT_EQ(combo.list_index, 2);
  remove_combo_item(combo, 0);
  EXPECT_EQ(combo.list_index, 1);
  remove_combo_item(combo, 1);
  EXPECT_EQ(combo.list_index, -1);
  ASSERT_EQ(set_combo_list_index(combo, -1), ErrorCode::none);
  EXPECT_EQ(combo.text, L"");
  clear_combo(combo);
  EXPECT_EQ(combo.items.size(), 0u);
  EXPECT_EQ(combo.new_index, -1);
}

TEST(ComboBox, TextRules) {
  ComboContext run_time;
  ComboContext designer{false, true, true};
  ComboData combo;
  EXPECT_TRUE(set_combo_text(combo, L"x", run_time).value());
  EXPECT_FALSE(set_combo_text(combo, L"x", run_time).value());  // unchanged
  combo.locked = true;
  EXPECT_EQ(error_of(set_combo_text(combo, L"y", run_time)), ErrorCode::property_read_only);
  EXPECT_TRUE(set_combo_text(combo, L"y", designer).value());
  combo.locked = false;
  combo.style = 1;
  EXPECT_EQ(error_of(set_combo_text(combo, L"z", designer)), ErrorCode::property_read_only);
}

TEST(ComboBox, StyleAndSortedAreFixedAtRunTimeUnlessCustomizing) {
  ComboData combo;
  ComboContext run_time, design{true, false, false}, customizing{false, true, false};
  EXPECT_EQ(set_combo_style(combo, 1, run_time), ErrorCode::property_read_only);
  EXPECT_EQ(set_combo_sorted(combo, true, run_time), ErrorCode::property_read_only);
  EXPECT_EQ(set_combo_style(combo, 2, design), ErrorCode::invalid_property_value);
  EXPECT_EQ(set_combo_style(combo, 1, design), ErrorCode::none);
  EXPECT_EQ(set_combo_sorted(combo, true, customizing), ErrorCode::none);
  EXPECT_EQ(combo.style, 1);
  EXPECT_TRUE(combo.sorted);
}

TEST(Edit, MaxLengthMayNotBeNegative) {
  EditData edit;
  EXPECT_EQ(set_edit_max_length(edit, -1), ErrorCode::invalid_property_value);
  EXPECT_EQ(set_edit_max_length(edit, 10), ErrorCode::none);
  EXPECT_EQ(edit.max_length, 10);
}

}  // namespace
}  // namespace mz
