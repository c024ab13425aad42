// The layout input of a toolbar built from the object model, and the caption
// cache it reads.
#include "toolbar_from_model.h"

#include <gtest/gtest.h>

#include "one_toolbar_deck.h"

namespace mz {
namespace {

using ToolbarFromModel = test::OneToolbarDeck;

TEST_F(ToolbarFromModel, ShownToolsWithTheirSizesAndWhetherTheyKeepTheirPlace) {
  auto plain = place(L"A", ToolType::button);
  auto captioned = place(L"B", ToolType::button);
  captioned->fields.display_style = 3;
  captions.store(captioned.get(), {40, 15});
  auto separator = place_separator();
  auto combo = place(L"C", ToolType::combo_box);
  place(L"Hidden", ToolType::button);
  deck.tools().find(L"Hidden")->visible = false;
  auto hidden_here = place(L"HereHidden", ToolType::button);
  hidden_here->fields.visible_here = false;
  auto wrapping = place(L"W", ToolType::button);
  deck.tools().find(L"W")->auto_wrap = true;
  auto menu = place(L"M", ToolType::menu);
  captions.store(menu.get(), {30, 15});

  const ModelToolbar got = toolbar_from_model(deck, *toolbar, {.style = 2, .font_height = 13}, captions);

  const std::vector<PlacedTool*> expected_tools = {plain.get(),     captioned.get(), separator.get(), combo.get(),
                                                   wrapping.get(), menu.get()};
  EXPECT_EQ(got.tools, expected_tools);
  ASSERT_EQ(got.input.tools.size(), 6u);
  const Size sizes[] = {{22, 22}, {68, 22}, {6, 4}, {79, 15}, {22, 22}, {36 + 2 + 9, 21}};
  const bool separators[] = {false, false, true, false, false, false};
  const bool keep[] = {false, false, false, false, true, true};
  const bool windows[] = {false, false, false, true, false, false};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(got.input.tools[i].size, sizes[i]) << i;
    EXPECT_EQ(got.input.tools[i].separator, separators[i]) << i;
    EXPECT_EQ(got.input.tools[i].auto_wrap, keep[i]) << i;
    EXPECT_EQ(got.input.tools[i].window, windows[i]) << i;
  }
  EXPECT_EQ(got.input.shape.style, DeckStyle::office2000);
  EXPECT_EQ(got.input.shape.orientation, Orientation::horizontal);
  EXPECT_EQ(got.input.shape.grab, 10);  // floatable by default
  EXPECT_EQ(got.input.shape.picture_size, 16);
  EXPECT_FALSE(got.input.shape.stretched);
  EXPECT_FALSE(got.input.shape.more_tools);
  EXPECT_EQ(got.more_tools, nullptr);
}

TEST_F(ToolbarFromModel, DockedLeftWithoutGrabHandlesRunsDownWithLargestPicture) {
  place(L"A", ToolType::button);
  place(L"B", ToolType::button);
  deck.tools().find(L"B")->picture_size = 24;
  toolbar->docked_status = DockCode::left;
  toolbar->display_grab_handles = false;
  toolbar->dock_flags = DockFlags(DockFlags::kDefault | DockFlags::kStretched);

  const ModelToolbar got = toolbar_from_model(deck, *toolbar, {.style = 0}, captions);

  EXPECT_EQ(got.input.shape.orientation, Orientation::vertical);
  EXPECT_EQ(got.input.shape.style, DeckStyle::office97);
  EXPECT_EQ(got.input.shape.grab, 3);
  EXPECT_TRUE(got.input.shape.stretched);
  EXPECT_EQ(got.input.shape.picture_size, 24);
  ASSERT_EQ(got.input.tools.size(), 2u);
  EXPECT_EQ(got.input.tools[0].size, (Size{30, 30}));

  const ModelToolbar large = toolbar_from_model(deck, *toolbar, {.large_icons = true}, captions);
  EXPECT_EQ(large.input.shape.picture_size, 32);
  EXPECT_EQ(large.input.tools[0].size, (Size{38, 38}));
}

TEST_F(ToolbarFromModel, MoreToolsButtonWhenAskedAndCustomizingIsPossible) {
  place(L"A", ToolType::button);
  toolbar->display_more_tools = true;
  struct Case {
    bool allow_customize;
    bool customizer_available;
    bool shown;
  } cases[] = {{true, true, true}, {true, false, true}, {false, true, true}, {false, false, false}};
  for (const Case& c : cases) {
    toolbar->allow_customize = c.allow_customize;
    const ModelToolbar got =
        toolbar_from_model(deck, *toolbar, {.customizer_available = c.customizer_available}, captions);
    EXPECT_EQ(got.input.shape.more_tools, c.shown) << c.allow_customize << c.customizer_available;
    EXPECT_EQ(got.more_tools, c.shown ? toolbar->more_tools_button.get() : nullptr);
    EXPECT_TRUE(got.input.shape.display_more_tools);
    EXPECT_EQ(got.input.tools.size(), 1u);  // the button is not one of the tools
  }
}

TEST(CaptionCache, ExtentsHoldForTheirFontOnly) {
  CaptionCache cache;
  const PlacedTool* a = reinterpret_cast<const PlacedTool*>(0x10);
  const PlacedTool* b = reinterpret_cast<const PlacedTool*>(0x20);
  cache.store(a, {40, 15});
  EXPECT_EQ(cache.find(a), (Size{40, 15}));
  EXPECT_EQ(cache.find(b), std::nullopt);
  cache.new_font();
  EXPECT_EQ(cache.find(a), std::nullopt);
  cache.store(a, {50, 17});
  EXPECT_EQ(cache.find(a), (Size{50, 17}));
  cache.forget(a);
  EXPECT_EQ(cache.find(a), std::nullopt);
}

TEST(CaptionCache, APassDropsTheToolsAndTextsItDidNotUse) {
  CaptionCache cache;
  const PlacedTool* a = reinterpret_cast<const PlacedTool*>(0x10);
  const PlacedTool* b = reinterpret_cast<const PlacedTool*>(0x20);
  cache.store_text(L"Open", {40, 15});
  cache.store_text(L"Save", {38, 15});
  cache.store(a, {40, 15});
  cache.store(b, {38, 15});
  cache.end_pass();
  EXPECT_EQ(cache.find(b), (Size{38, 15}));

  // The next pass sees only tool a, whose caption is still "Open".
  EXPECT_EQ(cache.text_extent(L"Open"), (Size{40, 15}));
  cache.store(a, {40, 15});
  cache.end_pass();
  EXPECT_EQ(cache.find(a), (Size{40, 15}));
  EXPECT_EQ(cache.find(b), std::nullopt);
  EXPECT_EQ(cache.text_extent(L"Save"), std::nullopt);
  EXPECT_EQ(cache.text_extent(L"Open"), (Size{40, 15}));

  // A new font makes every text a miss.
  cache.new_font();
  EXPECT_EQ(cache.text_extent(L"Open"), std::nullopt);
}

}  // namespace
}  // namespace mz
