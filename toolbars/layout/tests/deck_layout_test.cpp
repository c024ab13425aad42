// The deck's docked toolbars laid out from the object model: bands closed up,
// floating and hidden toolbars left out, positions written into the model
// relative to their dock area, and hit testing that finds model objects.
#include "deck_layout.h"

#include <gtest/gtest.h>

#include "toolbars/model/tests/deck_test_support.h"

namespace mz {

std::ostream& operator<<(std::ostream& out, const Rect& r);

namespace {

class DeckLayoutTest : public ::testing::Test {
 protected:
  test::Recorder events;
  Deck deck{events};
  CaptionCache captions;
  DeckLayout layout;

  std::shared_ptr<Toolbar> toolbar(const wchar_t* name, DockCode dock, int row, std::vector<const wchar_t*> tools) {
    const std::wstring text = name;
    auto bar = deck.add_toolbar(&text, 0).value();
    EXPECT_EQ(deck.set_docked_status(*bar, static_cast<int>(dock)), ErrorCode::none);
    EXPECT_EQ(deck.set_docked_row(*bar, row), ErrorCode::none);
    for (const wchar_t* id : tools) {
      if (!deck.tools().find(id)) deck.add_tool(id, static_cast<int32_t>(ToolType::button), -1);
      deck.add_placed(bar->tools, id, static_cast<int32_t>(ToolType::button), -1);
    }
    return bar;
  }
  Rect lay_out() { return layout.lay_out(deck, {.style = 1}, captions, {4, 30, 404, 330}); }
};

// Each toolbar below may float, so its grab handle is 10: two 22-pixel tools
// make it 10 + 2 + 44 + 2 = 58 long and 26 thick.
TEST_F(DeckLayoutTest, DockedToolbarsAreLaidOutAndTheirPlacesWrittenIntoTheModel) {
  auto first = toolbar(L"First", DockCode::top, 1, {L"A", L"B"});
  auto second = toolbar(L"Second", DockCode::top, 5, {L"C"});
  auto side = toolbar(L"Side", DockCode::left, 1, {L"D"});
  auto floating = toolbar(L"Floating", DockCode::floating, 1, {L"E"});
  auto hidden = toolbar(L"Hidden", DockCode::bottom, 1, {L"F"});
  ASSERT_EQ(deck.set_toolbar_visible(*hidden, false), ErrorCode::none);

  const Rect client = lay_out();

  // Two bands on top (27 + 26 thick with the area's pixel), one column left.
  EXPECT_EQ(client, (Rect{31, 83, 404, 330}));
  EXPECT_EQ(second->docked_row, 5) << "the row stays as set; its band closes up";
  EXPECT_EQ(layout.area_size(DockCode::top), (Size{400, 53}));
  EXPECT_EQ(layout.area_size(DockCode::left), (Size{27, 247}));
  EXPECT_EQ(layout.area_size(DockCode::bottom), (Size{})) << "an empty area reports nothing";
  EXPECT_EQ(layout.area_size(DockCode::right), (Size{}));

  EXPECT_EQ(first->place.left, 0);
  EXPECT_EQ(first->place.top, 1);
  EXPECT_EQ(first->place.width, 58);
  EXPECT_EQ(first->place.height, 26);
  EXPECT_EQ(second->place.top, 27) << "in the second band";
  const PlacedTool& a = *first->tools.at(0);
  EXPECT_EQ((Rect{a.left, a.top, a.left + a.width, a.top + a.height}), (Rect{11, 3, 33, 25}));
  EXPECT_FALSE(a.overflow);
  EXPECT_EQ(side->place.left, 1);
  EXPECT_EQ(side->place.top, 0);
  EXPECT_EQ(floating->place.width, 0) << "a floating toolbar is not in the dock areas";
  EXPECT_EQ(hidden->place.width, 0);
}

TEST_F(DeckLayoutTest, ToolsThatDoNotFitAreMarkedAsOverflow) {
  auto bar = toolbar(L"Long", DockCode::top, 1, {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I", L"J",
                                                 L"K", L"L", L"M", L"N", L"O", L"P", L"Q", L"R", L"S", L"T"});
  lay_out();
  // 400 pixels: 10 + 1 of handle, 11 + 2 of allowance, then 17 tools of 22.
  EXPECT_FALSE(bar->tools.at(16)->overflow);
  EXPECT_TRUE(bar->tools.at(17)->overflow);
  EXPECT_EQ(bar->tools.at(17)->width, 0);
  EXPECT_TRUE(bar->place.compressed);
}

TEST_F(DeckLayoutTest, HitsFindToolbarsAndToolsOfTheModel) {
  auto first = toolbar(L"First", DockCode::top, 1, {L"A", L"B"});
  lay_out();
  // Host window coordinates: the area starts at (4, 30).
  const DeckHit on_a = layout.hit({4 + 12, 30 + 4});
  EXPECT_EQ(on_a.where, WhereIs::tool);
  EXPECT_EQ(on_a.toolbar, first);
  EXPECT_EQ(on_a.tool, first->tools.at(0));
  const DeckHit on_handle = layout.hit({4 + 3, 30 + 4});
  EXPECT_EQ(on_handle.where, WhereIs::toolbar);
  EXPECT_EQ(on_handle.toolbar, first);
  EXPECT_EQ(layout.hit({300, 40}).where, WhereIs::top_dock);
  EXPECT_EQ(layout.hit({300, 200}).where, WhereIs::none);

  // Taken out after the pass: its place answers as the bare toolbar.
  deck.remove_placed(first->tools, 0);
  const DeckHit gone = layout.hit({4 + 12, 30 + 4});
  EXPECT_EQ(gone.where, WhereIs::toolbar);
  EXPECT_EQ(gone.tool, nullptr);
  // A removed toolbar is not found at all.
  deck.remove_toolbar(first);
  first.reset();
  EXPECT_EQ(layout.hit({4 + 3, 30 + 4}).toolbar, nullptr);
}

// A host builds its toolbars one by one, each added (top, row 1) and then
// given its row, with a layout pass after every step.
TEST_F(DeckLayoutTest, RowsGivenAfterEachPassKeepTheirBands) {
  const std::wstring menu_name = L"Menu";
  auto menu = deck.add_toolbar(&menu_name, 1).value();
  lay_out();
  auto standard = toolbar(L"Standard", DockCode::top, 1, {L"A"});
  lay_out();
  ASSERT_EQ(deck.set_docked_row(*standard, 2), ErrorCode::none);
  lay_out();
  auto format = toolbar(L"Format", DockCode::top, 1, {L"B"});
  lay_out();
  ASSERT_EQ(deck.set_docked_row(*format, 3), ErrorCode::none);
  lay_out();
  EXPECT_EQ(menu->docked_row, 1);
  EXPECT_EQ(standard->docked_row, 2);
  EXPECT_EQ(format->docked_row, 3);
  EXPECT_EQ(format->docked_column, 1);
  EXPECT_LT(menu->place.top, standard->place.top);
  EXPECT_LT(standard->place.top, format->place.top);
}

}  // namespace
}  // namespace mz
