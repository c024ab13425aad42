// The rules of tools and placed tools in the object model.
#include <gtest/gtest.h>

#include <cwchar>
#include <map>

#include "deck.h"
#include "deck_test_support.h"

namespace mz::test {
namespace {

class DeckTools : public ::testing::Test {
 protected:
  Recorder events;
  Deck deck{events};

  std::shared_ptr<Tool> add(const std::wstring& id, int type = 0) {
    auto added = deck.add_tool(id, type, -1);
    EXPECT_TRUE(added.ok()) << "adding " << std::string(id.begin(), id.end());
    return added.value();
  }
  std::shared_ptr<Toolbar> toolbar(const std::wstring& name) {
    auto added = deck.add_toolbar(&name, 0);
    EXPECT_TRUE(added.ok());
    return added.value();
  }
  std::wstring ids() const {
    std::wstring text;
    for (const auto& tool : deck.tools()) text += (text.empty() ? L"" : L",") + tool->id;
    return text;
  }
};

TEST_F(DeckTools, AddRefusesReservedDuplicateAndOutOfRangeTools) {
  add(L"ID_Open");
  struct Case {
    const wchar_t* id;
    int type;
    ErrorCode expected;
  } cases[] = {
      {L"ID_Open", 0, ErrorCode::duplicate_id},
      {L"id_open", 0, ErrorCode::duplicate_id},
      {L"Separator", 0, ErrorCode::invalid_index},
      {L"", 0, ErrorCode::invalid_index},
      {L"ID_Sep", 8, ErrorCode::invalid_index},
      {L"ID_Bad", 9, ErrorCode::invalid_property_value},
      {L"ID_Neg", -1, ErrorCode::invalid_property_value},
      {L"ID_Menu", 7, ErrorCode::none},
  };
  for (const auto& c : cases)
    EXPECT_EQ(error_of(deck.add_tool(c.id, c.type, -1)), c.expected) << std::string(c.id, c.id + wcslen(c.id));
  EXPECT_EQ(ids(), L"ID_Open,ID_Menu");
}

TEST_F(DeckTools, NewToolsHaveTheirDefaults) {
  auto button = add(L"B");
  auto menu = add(L"M", 7);
  auto combo = add(L"C", 4);
  EXPECT_EQ(button->category, L"General");
  EXPECT_EQ(button->picture_size, 16);
  EXPECT_FALSE(button->auto_wrap);
  EXPECT_TRUE(menu->auto_wrap);
  EXPECT_TRUE(button->group_allow_all_up && button->enabled && button->visible && button->customizable);
  EXPECT_EQ(button->own.ctl_width, 75);
  EXPECT_EQ(button->own.fore_color, 0x80000012u);
  EXPECT_NE(menu->menu(), nullptr);
  EXPECT_NE(combo->combo(), nullptr);
  EXPECT_EQ(button->combo(), nullptr);
}

TEST_F(DeckTools, IndexIsOneBasedPositionWithZeroAtTheFront) {
  add(L"A");
  add(L"B");
  struct Case {
    long index;
    const wchar_t* expected;
  } cases[] = {{1, L"X,A,B"}, {0, L"X,A,B"}, {2, L"A,X,B"}, {3, L"A,B,X"}, {99, L"A,B,X"}, {-1, L"A,B,X"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(deck.add_tool(L"X", 0, c.index).ok());
    EXPECT_EQ(ids(), c.expected) << "index " << c.index;
    deck.remove_tool(deck.tools().find(L"X"));
  }
}

TEST_F(DeckTools, LookupByIdIgnoresCaseAndFollowsRenamesAndRemovals) {
  auto open = add(L"ID_Open");
  add(L"ID_Save");
  EXPECT_EQ(deck.tools().find(L"id_OPEN"), open);

  EXPECT_EQ(deck.set_id({open, nullptr}, L"ID_Load"), ErrorCode::none);
  EXPECT_EQ(deck.tools().find(L"ID_Open"), nullptr);
  EXPECT_EQ(deck.tools().find(L"id_load"), open);

  deck.remove_tool(open);
  EXPECT_EQ(deck.tools().find(L"ID_Load"), nullptr);
  EXPECT_FALSE(open->in_collection);
  EXPECT_TRUE(deck.add_tool(L"ID_Load", 0, -1).ok());
}

TEST_F(DeckTools, RenameChecksOtherToolsAndCarriesToPlacedTools) {
  auto open = add(L"ID_Open");
  add(L"ID_Save");
  auto bar = toolbar(L"Standard");
  auto menu = add(L"ID_File", 7);
  deck.add_placed(bar->tools, L"ID_Open", 0, -1);
  deck.add_placed(*menu->menu(), L"ID_Open", 0, -1);
  deck.set_stock(*bar, true);

  struct Case {
    const wchar_t* id;
    ErrorCode expected;
    const wchar_t* id_after;
  } cases[] = {
      {L"id_save", ErrorCode::duplicate_id, L"ID_Open"},
      {L"ID_OPEN", ErrorCode::none, L"ID_OPEN"},  // its own ID in another case
      {L"separator", ErrorCode::invalid_property_value, L"ID_OPEN"},
      {L"", ErrorCode::invalid_property_value, L"ID_OPEN"},
      {L"ID_Browse", ErrorCode::none, L"ID_Browse"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(deck.set_id({open, nullptr}, c.id), c.expected);
    EXPECT_EQ(open->id, c.id_after);
  }
  EXPECT_EQ(describe(bar->tools), L"ID_Browse");
  EXPECT_EQ(describe(*menu->menu()), L"ID_Browse");
  EXPECT_EQ(bar->last_loaded->at(0).id, L"ID_Browse");
  EXPECT_EQ(deck.tools().find(L"id_browse"), open);
}

TEST_F(DeckTools, ToolLevelPropertiesAreReadOnlyOnPlacedTools) {
  auto tool = add(L"A");
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"A", 0, -1).value();
  ToolRef ref{nullptr, placed};
  EXPECT_EQ(deck.set_id(ref, L"B"), ErrorCode::property_read_only);
  EXPECT_EQ(deck.set_group(ref, L"G"), ErrorCode::property_read_only);
  EXPECT_EQ(deck.set_shortcut(ref, 3), ErrorCode::property_read_only);
  EXPECT_EQ(deck.set_type(ref, 1), ErrorCode::property_read_only);
  EXPECT_EQ(deck.set_picture_size(ref, 20), ErrorCode::property_read_only);
  // Reading gives the tool's values; placed-level values are its own.
  tool->category = L"Files";
  EXPECT_EQ(deck.read_tool(ref).category, L"Files");
  deck.set_name(ref, L"&Here");
  EXPECT_EQ(placed->fields.name, L"&Here");
  EXPECT_EQ(tool->own.name, L"");
}

TEST_F(DeckTools, RangesOfToolProperties) {
  auto tool = add(L"A");
  ToolRef ref{tool, nullptr};
  struct Case {
    const char* what;
    std::function<ErrorCode(int)> set;
    int value;
    ErrorCode expected;
  } cases[] = {
      {"PictureSize", [&](int v) { return deck.set_picture_size(ref, v); }, 15, ErrorCode::invalid_property_value},
      {"PictureSize", [&](int v) { return deck.set_picture_size(ref, v); }, 16, ErrorCode::none},
      {"PictureSize", [&](int v) { return deck.set_picture_size(ref, v); }, 32, ErrorCode::none},
      {"PictureSize", [&](int v) { return deck.set_picture_size(ref, v); }, 33, ErrorCode::invalid_property_value},
      {"Shortcut", [&](int v) { return deck.set_shortcut(ref, v); }, 79, ErrorCode::none},
      {"Shortcut", [&](int v) { return deck.set_shortcut(ref, v); }, 80, ErrorCode::invalid_property_value},
      {"Shortcut", [&](int v) { return deck.set_shortcut(ref, v); }, -1, ErrorCode::invalid_property_value},
      {"MenuVisibility", [&](int v) { return deck.set_menu_visibility(ref, v); }, 1, ErrorCode::none},
      {"MenuVisibility", [&](int v) { return deck.set_menu_visibility(ref, v); }, 2, ErrorCode::invalid_property_value},
      {"Type", [&](int v) { return deck.set_type(ref, v); }, 8, ErrorCode::none},
      {"Type", [&](int v) { return deck.set_type(ref, v); }, 9, ErrorCode::invalid_property_value},
      {"ForeColorSource", [&](int v) { return deck.set_fore_color_source(ref, v); }, 2, ErrorCode::invalid_property_value},
      {"DisplayStyle", [&](int v) { return deck.set_display_style(ref, v); }, 3, ErrorCode::none},
      {"DisplayStyle", [&](int v) { return deck.set_display_style(ref, v); }, 4, ErrorCode::invalid_property_value},
      {"State", [&](int v) { return deck.set_state(ref, v); }, 2, ErrorCode::invalid_property_value},
      {"ForeColor", [&](int v) { return deck.set_fore_color(ref, static_cast<uint32_t>(v)); }, 0x01000000,
       ErrorCode::invalid_property_value},
      {"ForeColor", [&](int v) { return deck.set_fore_color(ref, static_cast<uint32_t>(v)); },
       static_cast<int>(0x80000005u), ErrorCode::none},
  };
  for (const auto& c : cases) EXPECT_EQ(c.set(c.value), c.expected) << c.what << " = " << c.value;
}

TEST_F(DeckTools, ShortcutsAreUniqueExceptNone) {
  auto a = add(L"A");
  auto b = add(L"B");
  EXPECT_EQ(deck.set_shortcut({a, nullptr}, 5), ErrorCode::none);
  EXPECT_EQ(deck.set_shortcut({b, nullptr}, 5), ErrorCode::shortcut_in_use);
  EXPECT_EQ(b->shortcut, 0);
  EXPECT_EQ(deck.set_shortcut({a, nullptr}, 0), ErrorCode::none);
  EXPECT_EQ(deck.set_shortcut({b, nullptr}, 0), ErrorCode::none);
  EXPECT_EQ(deck.set_shortcut({b, nullptr}, 5), ErrorCode::none);
}

TEST_F(DeckTools, TypeChangeReplacesTheSubObject) {
  auto tool = add(L"A", 7);
  deck.add_placed(*tool->menu(), L"B", 0, -1);
  ASSERT_EQ(deck.set_type({tool, nullptr}, 4), ErrorCode::none);
  EXPECT_EQ(tool->menu(), nullptr);
  ASSERT_NE(tool->combo(), nullptr);
  ASSERT_EQ(deck.set_type({tool, nullptr}, 7), ErrorCode::none);
  EXPECT_TRUE(tool->menu()->empty());
}

TEST_F(DeckTools, SubObjectsNeedTheirTypeAndRunTime) {
  auto button = add(L"B");
  auto combo = add(L"C", 4);
  EXPECT_EQ(error_of(deck.sub_object_owner({button, nullptr}, ToolType::combo_box)), ErrorCode::cannot_perform);
  EXPECT_EQ(deck.sub_object_owner({combo, nullptr}, ToolType::combo_box).value(), combo);
  EXPECT_EQ(error_of(deck.sub_object_owner({combo, nullptr}, ToolType::edit)), ErrorCode::cannot_perform);
  deck.modes.design_time = true;
  EXPECT_EQ(error_of(deck.sub_object_owner({combo, nullptr}, ToolType::combo_box)),
            ErrorCode::unavailable_at_design_time);
}

TEST_F(DeckTools, PositionPropertiesNeedAPlacedTool) {
  auto tool = add(L"A");
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"A", 0, -1).value();
  EXPECT_EQ(error_of(deck.placement({tool, nullptr})), ErrorCode::not_a_placed_property);
  EXPECT_EQ(deck.placement({nullptr, placed}).value(), placed.get());
  deck.remove_placed(bar->tools, 0);
  EXPECT_EQ(error_of(deck.placement({nullptr, placed})), ErrorCode::not_a_placed_property);
}

TEST_F(DeckTools, CtlWidthOnlyForComboAndEditAndFallsBackToTheTool) {
  auto button = add(L"B");
  auto edit = add(L"E", 5);
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"E", 0, -1).value();
  ToolRef placed_ref{nullptr, placed};
  EXPECT_EQ(error_of(deck.ctl_width({button, nullptr})), ErrorCode::not_a_placed_property);
  EXPECT_EQ(deck.set_ctl_width({button, nullptr}, 10), ErrorCode::not_a_placed_property);
  EXPECT_EQ(deck.ctl_width(placed_ref).value(), 75);  // copied from its tool
  EXPECT_EQ(deck.set_ctl_width(placed_ref, -1), ErrorCode::none);
  EXPECT_EQ(deck.set_ctl_width({edit, nullptr}, 120), ErrorCode::none);
  EXPECT_EQ(deck.ctl_width(placed_ref).value(), 120);  // -1: the tool's own width
  EXPECT_EQ(deck.set_ctl_width(placed_ref, 40), ErrorCode::none);
  EXPECT_EQ(deck.ctl_width(placed_ref).value(), 40);
  EXPECT_EQ(deck.set_ctl_width({edit, nullptr}, -1), ErrorCode::invalid_property_value);
  EXPECT_EQ(deck.set_ctl_width(placed_ref, -2), ErrorCode::invalid_property_value);
}

TEST_F(DeckTools, PlacedVisibleOnlyOnToolbarsWithTheAddOrRemoveMenu) {
  add(L"A");
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"A", 0, -1).value();
  EXPECT_EQ(deck.set_visible({nullptr, placed}, false), ErrorCode::property_read_only);
  bar->display_more_tools = true;
  EXPECT_EQ(deck.set_visible({nullptr, placed}, false), ErrorCode::none);
  EXPECT_FALSE(deck.visible({nullptr, placed}));
  EXPECT_TRUE(deck.tools().find(L"A")->visible);
  bar->allow_customize = false;
  EXPECT_EQ(deck.set_visible({nullptr, placed}, true), ErrorCode::property_read_only);
}

TEST_F(DeckTools, ChangeAllSetsEveryPlacementOrNone) {
  add(L"A", 4);
  auto one = toolbar(L"One");
  auto two = toolbar(L"Two");
  auto first = deck.add_placed(one->tools, L"A", 0, -1).value();
  auto second = deck.add_placed(two->tools, L"a", 0, -1).value();
  ToolRef ref{nullptr, first};
  EXPECT_EQ(deck.change_all(ref, 4, std::wstring(L"Go")), ErrorCode::none);
  EXPECT_EQ(second->fields.name, L"Go");
  EXPECT_EQ(deck.change_all(ref, 0, int32_t{90}), ErrorCode::none);
  EXPECT_EQ(second->fields.ctl_width, 90);
  struct Case {
    int property;
    ChangeAllValue value;
  } refused[] = {{5, int32_t{0}}, {-1, int32_t{0}}, {1, int32_t{4}}, {2, int32_t{0x01000000}},
                 {3, int32_t{2}}, {4, int32_t{1}}, {1, std::wstring(L"x")}};
  for (const auto& c : refused) EXPECT_EQ(deck.change_all(ref, c.property, c.value), ErrorCode::invalid_property_value);
  EXPECT_EQ(second->fields.display_style, 0);
  EXPECT_EQ(first->fields.name, L"Go");
}

TEST_F(DeckTools, ChangeAllCtlWidthNeedsAComboOrEditTool) {
  add(L"B");
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"B", 0, -1).value();
  EXPECT_EQ(deck.change_all({nullptr, placed}, 0, int32_t{50}), ErrorCode::invalid_property_value);
}

// --- Groups and State ------------------------------------------------------

TEST_F(DeckTools, JoiningAGroupTakesItsAllowAllUpAndYieldsTheCheck) {
  auto a = add(L"A", 1);
  auto b = add(L"B", 1);
  deck.set_group({a, nullptr}, L"Align");
  deck.set_group_allow_all_up({a, nullptr}, false);
  deck.set_state({a, nullptr}, 1);
  b->state = 1;
  events.clicks.clear();

  EXPECT_EQ(deck.set_group({b, nullptr}, L"ALIGN"), ErrorCode::none);
  EXPECT_FALSE(b->group_allow_all_up);
  EXPECT_EQ(b->state, 0);
  EXPECT_EQ(a->state, 1);
  EXPECT_TRUE(events.clicks.empty());

  // Leaving the group keeps what it has.
  EXPECT_EQ(deck.set_group({b, nullptr}, L""), ErrorCode::none);
  EXPECT_FALSE(b->group_allow_all_up);
}

TEST_F(DeckTools, GroupAllowAllUpIsSharedByTheGroup) {
  auto a = add(L"A", 1);
  auto b = add(L"B", 1);
  auto c = add(L"C", 1);
  deck.set_group({a, nullptr}, L"g");
  deck.set_group({b, nullptr}, L"G");
  deck.set_group_allow_all_up({b, nullptr}, false);
  EXPECT_FALSE(a->group_allow_all_up);
  EXPECT_TRUE(c->group_allow_all_up);
}

TEST_F(DeckTools, StateRules) {
  auto a = add(L"A", 1);
  auto b = add(L"B", 1);
  deck.set_group({a, nullptr}, L"G");
  deck.set_group({b, nullptr}, L"G");

  EXPECT_EQ(deck.set_state({a, nullptr}, 1), ErrorCode::none);
  EXPECT_EQ(deck.set_state({b, nullptr}, 1), ErrorCode::none);
  EXPECT_EQ(a->state, 0);  // the group has one checked tool
  EXPECT_EQ(events.clicks, (std::vector<std::wstring>{L"A", L"B"}));

  EXPECT_EQ(deck.set_state({b, nullptr}, 1), ErrorCode::none);  // unchanged: nothing fires
  deck.set_group_allow_all_up({b, nullptr}, false);
  EXPECT_EQ(deck.set_state({b, nullptr}, 0), ErrorCode::none);  // may not be unchecked
  EXPECT_EQ(b->state, 1);
  EXPECT_EQ(events.clicks.size(), 2u);
}

TEST_F(DeckTools, StateOnPlacedToolsFiresByType) {
  auto bar = toolbar(L"T");
  struct Case {
    int type;
    std::vector<std::wstring> clicks;
    int state_after;
  } cases[] = {
      {0, {L"placed:X"}, 0},  // a button pops up again after its click
      {1, {L"placed:X"}, 1},
      {3, {L"placed:X"}, 1},
      {6, {L"placed:X"}, 0},
      {7, {}, 1},  // a menu tool opens its menu instead
  };
  for (const auto& c : cases) {
    auto placed = deck.add_placed(bar->tools, L"X", c.type, -1).value();
    events.clicks.clear();
    EXPECT_EQ(deck.set_state({nullptr, placed}, 1), ErrorCode::none);
    EXPECT_EQ(events.clicks, c.clicks) << "type " << c.type;
    EXPECT_EQ(deck.tools().find(L"X")->state, c.state_after) << "type " << c.type;
    deck.remove_tool(deck.tools().find(L"X"));
  }
}

TEST_F(DeckTools, AClickOnAPlacedToolTogglesStateButtonsAndKeepsAGroupsCheck) {
  auto bar = toolbar(L"T");
  auto a = add(L"A", 1);
  auto b = add(L"B", 1);
  auto free = add(L"F", 3);
  add(L"P", 0);
  add(L"M", 7);
  deck.set_group({a, nullptr}, L"G");
  deck.set_group({b, nullptr}, L"G");
  deck.set_group_allow_all_up({a, nullptr}, false);
  std::map<std::wstring, std::shared_ptr<PlacedTool>> placed;
  for (const wchar_t* id : {L"A", L"B", L"F", L"P", L"M"}) placed[id] = deck.add_placed(bar->tools, id, 0, -1).value();
  events.clicks.clear();

  struct Step {
    const wchar_t* clicked;
    const char* states;  // A, B, F afterwards
    bool fires;
  } steps[] = {
      {L"A", "100", true},  // checks A
      {L"B", "010", true},  // B takes the group's check
      {L"B", "010", true},  // the group must keep one checked: B stays checked, yet the click is reported
      {L"F", "011", true},  // a drop-down state tool toggles on
      {L"F", "010", true},  // and off
      {L"P", "010", true},  // a button only fires
      {L"M", "010", false}, // a menu tool opens its menu instead
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.clicked, step.clicked + wcslen(step.clicked)));
    events.clicks.clear();
    deck.click(placed[step.clicked]);
    const std::string states{static_cast<char>('0' + a->state), static_cast<char>('0' + b->state),
                             static_cast<char>('0' + free->state)};
    EXPECT_EQ(states, step.states);
    EXPECT_EQ(events.clicks, step.fires ? std::vector<std::wstring>{L"placed:" + std::wstring(step.clicked)}
                                        : std::vector<std::wstring>{});
  }
}

TEST_F(DeckTools, AClickHandlerMayRemoveTheToolItFiresFor) {
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"X", 0, -1).value();
  events.on_click = [&] { deck.clear_tools(); };
  EXPECT_EQ(deck.set_state({nullptr, placed}, 1), ErrorCode::none);
  EXPECT_EQ(deck.tools().size(), 0u);
  EXPECT_TRUE(bar->tools.empty());
}

// --- Placed tools ----------------------------------------------------------

TEST_F(DeckTools, PlacedAddCreatesMissingToolsAndCopiesPlacedFields) {
  auto tool = add(L"A");
  tool->own.name = L"&Alpha";
  tool->own.display_style = 3;
  auto bar = toolbar(L"T");
  auto placed = deck.add_placed(bar->tools, L"a", 0, -1).value();
  EXPECT_EQ(placed->fields.name, L"&Alpha");
  EXPECT_EQ(placed->fields.display_style, 3);
  EXPECT_EQ(deck.tool_of(*placed), tool);

  auto created = deck.add_placed(bar->tools, L"New", 5, -1);
  ASSERT_TRUE(created.ok());
  EXPECT_EQ(deck.tools().find(L"New")->type(), ToolType::edit);
  EXPECT_EQ(error_of(deck.add_placed(bar->tools, L"Other", 9, -1)), ErrorCode::invalid_property_value);
}

TEST_F(DeckTools, SeparatorsGoOnlyBeforeAnotherTool) {
  struct Case {
    const wchar_t* layout;
    long index;
    const wchar_t* id;
    int type;
    ErrorCode expected;
    const wchar_t* after;
  } cases[] = {
      {L"A,B,C", 2, L"separator", 0, ErrorCode::none, L"A,-,B,C"},
      {L"A,B,C", 3, L"SEPARATOR", 0, ErrorCode::none, L"A,B,-,C"},
      {L"A,B,C", 2, L"anything", 8, ErrorCode::none, L"A,-,B,C"},
      {L"A,B,C", 1, L"separator", 0, ErrorCode::cannot_perform, L"A,B,C"},
      {L"A,B,C", 4, L"separator", 0, ErrorCode::cannot_perform, L"A,B,C"},
      {L"A,B,C", -1, L"separator", 0, ErrorCode::cannot_perform, L"A,B,C"},
      {L"A,-,B", 2, L"separator", 0, ErrorCode::cannot_perform, L"A,-,B"},
  };
  for (const auto& c : cases) {
    auto bar = toolbar(L"T");
    fill(deck, bar->tools, c.layout);
    EXPECT_EQ(error_of(deck.add_placed(bar->tools, c.id, c.type, c.index)), c.expected) << "index " << c.index;
    EXPECT_EQ(describe(bar->tools), c.after);
    EXPECT_EQ(deck.tools().find(L"separator"), nullptr);
    deck.remove_toolbar(bar);
  }
}

TEST_F(DeckTools, RemovingAPlacedToolTidiesSeparatorsAndReportsEachRemoval) {
  struct Case {
    const wchar_t* layout;
    size_t remove;
    const wchar_t* after;
    size_t removed_events;
  } cases[] = {
      {L"A,-,B", 0, L"B", 2},        // separator left first
      {L"A,-,B", 2, L"A", 2},        // separator left last
      {L"A,-,B,-,C", 2, L"A,-,C", 2},  // two separators in a row
      {L"A,-,B,C", 2, L"A,-,C", 1},
      {L"A,B", 1, L"A", 1},
      {L"A,-,B", 1, L"A,B", 1},      // the separator itself
  };
  for (const auto& c : cases) {
    auto bar = toolbar(L"T");
    fill(deck, bar->tools, c.layout);
    events.modified.clear();
    deck.remove_placed(bar->tools, c.remove);
    EXPECT_EQ(describe(bar->tools), c.after) << c.layout << " remove " << c.remove;
    ASSERT_EQ(events.modified.size(), c.removed_events) << c.layout;
    for (const auto& event : events.modified) {
      EXPECT_EQ(event.change, Modified::tool_removed);
      EXPECT_EQ(event.toolbar, L"T");
    }
    deck.remove_toolbar(bar);
  }
}

TEST_F(DeckTools, AddingToAToolbarReportsIt) {
  auto bar = toolbar(L"T");
  events.modified.clear();
  deck.add_placed(bar->tools, L"A", 0, -1);
  ASSERT_EQ(events.modified.size(), 1u);
  EXPECT_EQ(events.modified[0].change, Modified::tool_added);
  EXPECT_EQ(events.modified[0].tool, L"A");
  // Menus are not toolbars: nothing is reported for them.
  auto menu = add(L"M", 7);
  events.modified.clear();
  deck.add_placed(*menu->menu(), L"A", 0, -1);
  EXPECT_TRUE(events.modified.empty());
}

TEST_F(DeckTools, MenusMayNotContainThemselves) {
  auto file = add(L"File", 7);
  auto recent = add(L"Recent", 7);
  auto more = add(L"More", 7);
  ASSERT_TRUE(deck.add_placed(*file->menu(), L"Recent", 0, -1).ok());
  ASSERT_TRUE(deck.add_placed(*recent->menu(), L"More", 0, -1).ok());
  EXPECT_EQ(error_of(deck.add_placed(*file->menu(), L"file", 0, -1)), ErrorCode::cannot_perform);
  EXPECT_EQ(error_of(deck.add_placed(*more->menu(), L"File", 0, -1)), ErrorCode::cannot_perform);
  EXPECT_EQ(error_of(deck.add_placed(*more->menu(), L"Recent", 0, -1)), ErrorCode::cannot_perform);
  EXPECT_TRUE(deck.add_placed(*more->menu(), L"Open", 0, -1).ok());
}

TEST_F(DeckTools, RemovingAToolRemovesItsPlacementsEverywhere) {
  add(L"A");
  add(L"B");
  auto menu = add(L"M", 7);
  auto bar = toolbar(L"T");
  fill(deck, bar->tools, L"A,-,B,A");
  deck.add_placed(*menu->menu(), L"B", 0, -1);
  deck.add_placed(*menu->menu(), L"A", 0, -1);
  events.modified.clear();

  deck.remove_tool(deck.tools().find(L"a"));
  EXPECT_EQ(describe(bar->tools), L"B");
  EXPECT_EQ(describe(*menu->menu()), L"B");
  EXPECT_EQ(events.modified.size(), 3u);  // A, the separator left first, the second A
  EXPECT_EQ(deck.removed_tool_ids(), std::vector<std::wstring>{L"A"});
  // Adding it again takes it off the list of removed tools.
  add(L"A");
  EXPECT_TRUE(deck.removed_tool_ids().empty());
}

TEST_F(DeckTools, ClearRemovesEveryToolEverywhereAndTidiesEachList) {
  auto bar = toolbar(L"T");
  fill(deck, bar->tools, L"A,-,B,-,C");
  auto orphan = std::make_shared<PlacedTool>();  // a placed tool whose tool is gone, as a layout may leave
  orphan->id = L"Z";
  bar->tools.insert(0, orphan);
  auto menu = add(L"M", 7);
  deck.add_placed(*menu->menu(), L"A", 0, -1);
  events.modified.clear();

  deck.clear_tools();
  EXPECT_EQ(deck.tools().size(), 0u);
  EXPECT_EQ(describe(bar->tools), L"Z");
  EXPECT_TRUE(menu->menu()->empty());
  EXPECT_EQ(events.modified.size(), 5u);  // A, B, C and the two separators they leave stray
  for (const auto& event : events.modified) EXPECT_EQ(event.change, Modified::tool_removed);
  EXPECT_EQ(deck.removed_tool_ids(), (std::vector<std::wstring>{L"A", L"B", L"C", L"M"}));
  EXPECT_EQ(deck.tools().find(L"A"), nullptr);
  add(L"a");  // the index by ID was emptied too
}

TEST_F(DeckTools, ToolsRemovedAtDesignTimeAreNotRemembered) {
  deck.modes.design_time = true;
  deck.remove_tool(add(L"A"));
  EXPECT_TRUE(deck.removed_tool_ids().empty());
}

TEST_F(DeckTools, ListsOfRemovedOwnersRefuseChanges) {
  auto menu = add(L"M", 7);
  auto bar = toolbar(L"T");
  deck.remove_tool(menu);
  deck.remove_toolbar(bar);
  EXPECT_EQ(error_of(deck.add_placed(*menu->menu(), L"A", 0, -1)), ErrorCode::cannot_perform);
  EXPECT_EQ(error_of(deck.add_placed(bar->tools, L"A", 0, -1)), ErrorCode::cannot_perform);
  EXPECT_EQ(deck.tools().size(), 0u);
}

}  // namespace
}  // namespace mz::test
