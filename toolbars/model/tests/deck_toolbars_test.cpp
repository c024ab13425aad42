// The rules of toolbars in the object model.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "deck.h"
#include "deck_test_support.h"

namespace mz::test {
namespace {

class DeckToolbars : public ::testing::Test {
 protected:
  Recorder events;
  Deck deck{events};

  std::shared_ptr<Toolbar> add(const std::wstring& name, int style = 0) {
    auto added = deck.add_toolbar(&name, style);
    EXPECT_TRUE(added.ok());
    return added.value();
  }
  std::wstring add_default() {
    auto added = deck.add_toolbar(nullptr, 0);
    EXPECT_TRUE(added.ok());
    return added.ok() ? added.value()->name : L"";
  }
};

TEST_F(DeckToolbars, DefaultNamesCountUpAndSkipNamesInUse) {
  EXPECT_EQ(add_default(), L"ToolBar1");
  EXPECT_EQ(add_default(), L"ToolBar2");
  ASSERT_EQ(deck.set_toolbar_name(*deck.toolbars().find(L"ToolBar2"), L"Edit"), ErrorCode::none);
  EXPECT_EQ(add_default(), L"ToolBar3");
  add(L"ToolBar4");
  EXPECT_EQ(add_default(), L"ToolBar5");
}

TEST_F(DeckToolbars, AddRules) {
  add(L"ToolBar1");
  add(L"Menu", 1);
  struct Case {
    const wchar_t* name;
    int style;
    ErrorCode expected;
  } cases[] = {
      {L"toolbar1", 0, ErrorCode::invalid_name},
      {L"", 0, ErrorCode::invalid_name},
      {L"Menu2", 1, ErrorCode::only_one_menu_bar},
      {L"menu", 1, ErrorCode::only_one_menu_bar},  // the menu-bar rule comes first
      {L"Other", 2, ErrorCode::general_failure},
      {L"Other", -1, ErrorCode::general_failure},
      {L"Other", 0, ErrorCode::none},
  };
  for (const auto& c : cases) {
    std::wstring name = c.name;
    EXPECT_EQ(error_of(deck.add_toolbar(&name, c.style)), c.expected) << std::string(name.begin(), name.end());
  }
  EXPECT_EQ(deck.toolbars().size(), 3u);
}

TEST_F(DeckToolbars, NewToolbarsHaveTheirDefaultsAndAreReported) {
  events.modified.clear();
  auto bar = add(L"Standard");
  auto menu = add(L"Menu Bar", 1);
  ASSERT_EQ(events.modified.size(), 2u);
  EXPECT_EQ(events.modified[0].change, Modified::toolbar_created);
  EXPECT_EQ(events.modified[1].toolbar, L"Menu Bar");
  EXPECT_EQ(bar->caption_alignment, 3);
  EXPECT_EQ(bar->docked_status, DockCode::top);
  EXPECT_EQ(bar->dock_flags, DockFlags(31));
  EXPECT_EQ(bar->floating_width, -1);
  EXPECT_TRUE(bar->allow_hiding && bar->visible && bar->display_grab_handles && bar->allow_customize);
  EXPECT_FALSE(bar->stock);               // created at run time
  EXPECT_FALSE(bar->display_more_tools);  // created at run time
  EXPECT_FALSE(menu->allow_hiding);
  EXPECT_EQ(menu->style(), ToolbarStyle::menu_bar);
}

TEST_F(DeckToolbars, AtDesignTimeNewToolbarsAreStockWithTheMoreToolsButton) {
  deck.modes.design_time = true;
  auto bar = add(L"Standard");
  auto menu = add(L"Menu", 1);
  EXPECT_TRUE(bar->stock);
  EXPECT_TRUE(bar->display_more_tools);
  EXPECT_FALSE(menu->display_more_tools);
}

TEST_F(DeckToolbars, NameRules) {
  auto one = add(L"One");
  add(L"Two");
  EXPECT_EQ(deck.set_toolbar_name(*one, L""), ErrorCode::invalid_property_value);
  EXPECT_EQ(deck.set_toolbar_name(*one, L"TWO"), ErrorCode::invalid_property_value);
  EXPECT_EQ(deck.set_toolbar_name(*one, L"ONE"), ErrorCode::none);
  EXPECT_EQ(one->name, L"ONE");
}

TEST_F(DeckToolbars, RangesOfToolbarProperties) {
  auto bar = add(L"T");
  struct Case {
    const char* what;
    std::function<ErrorCode(int)> set;
    int value;
    ErrorCode expected;
  } cases[] = {
      {"CaptionAlignment", [&](int v) { return deck.set_caption_alignment(*bar, v); }, 4, ErrorCode::invalid_property_value},
      {"CaptionAlignment", [&](int v) { return deck.set_caption_alignment(*bar, v); }, 0, ErrorCode::none},
      {"Font3D", [&](int v) { return deck.set_font3d(*bar, v); }, 5, ErrorCode::none},
      {"Font3D", [&](int v) { return deck.set_font3d(*bar, v); }, 6, ErrorCode::invalid_property_value},
      {"DockedRow", [&](int v) { return deck.set_docked_row(*bar, v); }, 0, ErrorCode::invalid_property_value},
      {"DockedRow", [&](int v) { return deck.set_docked_row(*bar, v); }, 3, ErrorCode::none},
      {"DockedColumn", [&](int v) { return deck.set_docked_column(*bar, v); }, -1, ErrorCode::invalid_property_value},
      {"DockFlags", [&](int v) { return deck.set_dock_flags(*bar, v); }, 128, ErrorCode::invalid_property_value},
      {"DockFlags", [&](int v) { return deck.set_dock_flags(*bar, v); }, -1, ErrorCode::invalid_property_value},
      {"DockFlags", [&](int v) { return deck.set_dock_flags(*bar, v); }, 127, ErrorCode::none},
      {"DockedStatus", [&](int v) { return deck.set_docked_status(*bar, v); }, 3, ErrorCode::invalid_property_value},
      {"DockedStatus", [&](int v) { return deck.set_docked_status(*bar, v); }, 0, ErrorCode::invalid_property_value},
      {"DockedStatus", [&](int v) { return deck.set_docked_status(*bar, v); }, 32, ErrorCode::invalid_property_value},
      {"DockedStatus", [&](int v) { return deck.set_docked_status(*bar, v); }, 8, ErrorCode::none},
  };
  for (const auto& c : cases) EXPECT_EQ(c.set(c.value), c.expected) << c.what << " = " << c.value;
}

TEST_F(DeckToolbars, DockedStatusMustBeAllowedByDockFlags) {
  auto bar = add(L"T");
  ASSERT_EQ(deck.set_dock_flags(*bar, 1), ErrorCode::none);
  EXPECT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::left)), ErrorCode::invalid_property_value);
  EXPECT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::floating)), ErrorCode::invalid_property_value);
  EXPECT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::top)), ErrorCode::none);
}

TEST_F(DeckToolbars, MovesBetweenDockAreasAreReportedAndFloatingHidesRowAndColumn) {
  auto bar = add(L"T");
  deck.set_docked_row(*bar, 2);
  events.modified.clear();
  ASSERT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::bottom)), ErrorCode::none);
  ASSERT_EQ(events.modified.size(), 1u);
  EXPECT_EQ(events.modified[0].change, Modified::toolbar_docked);

  ASSERT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::floating)), ErrorCode::none);
  EXPECT_EQ(bar->return_dock, DockCode::bottom);
  EXPECT_EQ(deck.docked_row(*bar), -1);
  EXPECT_EQ(deck.docked_column(*bar), -1);
  EXPECT_EQ(deck.set_docked_row(*bar, 5), ErrorCode::none);  // only recorded while floating
  ASSERT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::left)), ErrorCode::none);
  EXPECT_EQ(deck.docked_row(*bar), 5);
  EXPECT_EQ(events.modified.size(), 1u);
}

TEST_F(DeckToolbars, FloatingHeightTradesWidthWhileFloating) {
  auto bar = add(L"T");
  bar->floating_width = 100;
  bar->floating_height = 40;
  deck.set_floating_height(*bar, 60);  // docked: only recorded
  EXPECT_EQ(bar->floating_width, 100);
  deck.set_docked_status(*bar, static_cast<int>(DockCode::floating));
  deck.set_floating_height(*bar, 80);
  EXPECT_EQ(bar->floating_width, 80);  // 100 + 60 - 80
  deck.set_floating_height(*bar, 400);
  EXPECT_EQ(bar->floating_width, 16);  // never below 16
  EXPECT_EQ(bar->floating_height, 400);
}

TEST_F(DeckToolbars, VisibleRules) {
  auto bar = add(L"T");
  auto menu = add(L"Menu", 1);
  events.modified.clear();
  EXPECT_EQ(deck.set_toolbar_visible(*menu, false), ErrorCode::invalid_property_value);
  EXPECT_EQ(deck.set_toolbar_visible(*menu, true), ErrorCode::none);  // no change
  EXPECT_EQ(deck.set_toolbar_visible(*bar, false), ErrorCode::none);
  EXPECT_EQ(deck.set_toolbar_visible(*bar, false), ErrorCode::none);
  EXPECT_EQ(deck.set_toolbar_visible(*bar, true), ErrorCode::none);
  ASSERT_EQ(events.modified.size(), 2u);
  EXPECT_EQ(events.modified[0].change, Modified::toolbar_closed);
  EXPECT_EQ(events.modified[1].change, Modified::toolbar_opened);
  deck.set_allow_hiding(*bar, false);
  EXPECT_EQ(deck.set_toolbar_visible(*bar, false), ErrorCode::invalid_property_value);
}

TEST_F(DeckToolbars, MenuBarRefusesHidingAndTheMoreToolsButton) {
  auto menu = add(L"Menu", 1);
  EXPECT_EQ(deck.set_allow_hiding(*menu, true), ErrorCode::property_read_only);
  EXPECT_FALSE(menu->allow_hiding);
  EXPECT_EQ(deck.set_display_more_tools(*menu, false), ErrorCode::invalid_property_value);
}

TEST_F(DeckToolbars, ResetRestoresTheLastLoadedToolsThatStillExist) {
  auto bar = add(L"T");
  fill(deck, bar->tools, L"A,-,B,C");
  EXPECT_EQ(deck.reset_toolbar(*bar, true), ErrorCode::cannot_perform);  // not stock
  deck.set_stock(*bar, true);
  deck.remove_placed(bar->tools, 0);
  deck.add_placed(bar->tools, L"D", 0, -1);
  deck.remove_tool(deck.tools().find(L"C"));
  events.modified.clear();

  ASSERT_EQ(deck.reset_toolbar(*bar, true), ErrorCode::none);
  EXPECT_EQ(describe(bar->tools), L"A,-,B");
  ASSERT_EQ(events.modified.size(), 3u);
  for (const auto& event : events.modified) EXPECT_EQ(event.change, Modified::tool_added);
  EXPECT_EQ(deck.tool_of(*bar->tools.at(0)), deck.tools().find(L"A"));
}

TEST_F(DeckToolbars, ResetWithoutACopyToRestoreLeavesTheToolbarAlone) {
  deck.modes.design_time = true;
  auto bar = add(L"T");  // stock, but nothing was loaded into it
  fill(deck, bar->tools, L"A,B");
  EXPECT_EQ(deck.reset_toolbar(*bar, true), ErrorCode::cannot_perform);
  EXPECT_EQ(deck.reset_toolbar(*bar, false), ErrorCode::cannot_perform);
  EXPECT_EQ(describe(bar->tools), L"A,B");
  deck.set_stock(*bar, false);
  EXPECT_FALSE(bar->last_loaded.has_value());
}

TEST_F(DeckToolbars, ResetToTheOriginalStateUsesTheCopyOfTheToolbarWithTheSameName) {
  auto bar = add(L"T");
  fill(deck, bar->tools, L"A,-,B");
  deck.set_stock(*bar, true);
  deck.keep_original_state();
  deck.remove_placed(bar->tools, 2);
  deck.set_toolbar_name(*bar, L"Renamed");
  // The original state is found by name.
  EXPECT_EQ(deck.reset_toolbar(*bar, false), ErrorCode::cannot_perform);
  deck.set_toolbar_name(*bar, L"t");
  ASSERT_EQ(deck.reset_toolbar(*bar, false), ErrorCode::none);
  EXPECT_EQ(describe(bar->tools), L"A,-,B");

  deck.discard_all();
  EXPECT_EQ(deck.toolbars().size(), 0u);
  EXPECT_EQ(deck.tools().size(), 0u);
  auto again = add(L"T");
  deck.set_stock(*again, true);
  EXPECT_EQ(deck.reset_toolbar(*again, false), ErrorCode::cannot_perform);
}

TEST_F(DeckToolbars, ResetPutsMenusBackAndFollowsRenamedTools) {
  auto bar = add(L"T");
  fill(deck, bar->tools, L"File,A");
  auto file = deck.tools().find(L"File");
  ASSERT_EQ(deck.set_type({file, nullptr}, 7), ErrorCode::none);
  auto recent = deck.add_tool(L"Recent", 7, -1).value();
  fill(deck, *file->menu(), L"X,-,Recent");
  fill(deck, *recent->menu(), L"R1,R2");
  deck.set_stock(*bar, true);
  deck.keep_original_state();

  deck.remove_placed(*file->menu(), 0);
  deck.add_placed(*file->menu(), L"Z", 0, -1);
  deck.remove_placed(*recent->menu(), 1);
  ASSERT_EQ(deck.set_id({deck.tools().find(L"A"), nullptr}, L"Alpha"), ErrorCode::none);
  deck.remove_placed(bar->tools, 1);

  ASSERT_EQ(deck.reset_toolbar(*bar, false), ErrorCode::none);
  EXPECT_EQ(describe(bar->tools), L"File,Alpha");
  EXPECT_EQ(describe(*file->menu()), L"X,-,Recent");
  EXPECT_EQ(describe(*recent->menu()), L"R1,R2");
}

// Each change says what it touched, so that only that is laid out or
// painted again.
TEST_F(DeckToolbars, ChangesSayWhatTheyTouched) {
  auto bar = add(L"T");
  fill(deck, bar->tools, L"A");
  auto tool = deck.tools().find(L"A");
  auto placed = bar->tools.at(0);
  struct Case {
    const char* what;
    std::function<void()> act;
    ChangeScope scope;
    const void* subject;
  } cases[] = {
      {"tool added", [&] { deck.add_tool(L"B", 0, -1); }, ChangeScope::tools, nullptr},
      {"state", [&] { deck.set_state({tool, nullptr}, 1); }, ChangeScope::tool_look, tool.get()},
      {"placed caption", [&] { deck.set_name({nullptr, placed}, L"&A"); }, ChangeScope::tool_size, placed.get()},
      {"tool's own caption", [&] { deck.set_name({tool, nullptr}, L"&A"); }, ChangeScope::tool_size, tool.get()},
      {"placed tool added", [&] { deck.add_placed(bar->tools, L"B", 0, -1); }, ChangeScope::placed_tools, &bar->tools},
      {"row", [&] { deck.set_docked_row(*bar, 2); }, ChangeScope::toolbar_position, bar.get()},
      {"caption alignment", [&] { deck.set_caption_alignment(*bar, 0); }, ChangeScope::toolbar_size, bar.get()},
      {"Font3D", [&] { deck.set_font3d(*bar, 2); }, ChangeScope::toolbar_look, bar.get()},
      {"stock", [&] { deck.set_stock(*bar, true); }, ChangeScope::data, bar.get()},
  };
  for (const auto& c : cases) {
    events.changes.clear();
    c.act();
    ASSERT_EQ(events.changes.size(), 1u) << c.what;
    const Change& change = events.changes[0];
    EXPECT_EQ(change.scope, c.scope) << c.what;
    if (c.subject) {
      const void* subjects[] = {change.tool, change.placed, change.toolbar, change.list};
      EXPECT_NE(std::find(std::begin(subjects), std::end(subjects), c.subject), std::end(subjects)) << c.what;
    }
  }
}

TEST_F(DeckToolbars, AFloatingToolbarReportsItsFloatingRowAndColumn) {
  auto bar = add(L"T");
  bar->docked_row = 2;
  bar->docked_column = 3;
  bar->floating_row = 5;
  bar->floating_column = 6;
  EXPECT_EQ(deck.docked_row(*bar), 2);
  EXPECT_EQ(deck.docked_column(*bar), 3);
  ASSERT_EQ(deck.set_docked_status(*bar, static_cast<int>(DockCode::floating)), ErrorCode::none);
  EXPECT_EQ(deck.docked_row(*bar), 5);
  EXPECT_EQ(deck.docked_column(*bar), 6);
}

TEST_F(DeckToolbars, RemoveAndClearReportEachToolbarBeforeItGoes) {
  add(L"A");
  auto b = add(L"B");
  add(L"C");
  events.modified.clear();
  deck.remove_toolbar(b);
  ASSERT_EQ(events.modified.size(), 1u);
  EXPECT_EQ(events.modified[0].change, Modified::toolbar_destroyed);
  EXPECT_EQ(events.modified[0].toolbar, L"B");
  EXPECT_FALSE(b->in_collection);

  events.modified.clear();
  deck.clear_toolbars();
  EXPECT_EQ(deck.toolbars().size(), 0u);
  ASSERT_EQ(events.modified.size(), 2u);
  EXPECT_EQ(events.modified[1].toolbar, L"C");
}

}  // namespace
}  // namespace mz::test
