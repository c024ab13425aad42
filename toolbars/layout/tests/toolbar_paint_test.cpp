// The paint input of a laid-out toolbar built from the model and the marks on
// its tools.
#include "toolbar_paint.h"

#include <gtest/gtest.h>

#include "one_toolbar_deck.h"

namespace mz::paint {
namespace {

class ToolbarPaintFromModel : public test::OneToolbarDeck {
 protected:
  Tool& tool(const wchar_t* id) { return *deck.tools().find(id); }

  // The toolbar at (100, 30) of a host window, its area at (0, 26), its
  // shown tools 22 pixels apart.
  ToolbarPaint paint(const DeckPaintLook& look, const ToolMarks& marks = {}) {
    model = toolbar_from_model(deck, *toolbar, look.layout, captions);
    laid_out = {.id = 0, .band = 1, .rect = {100, 30, 300, 52}, .placement = {}, .wrapped = false, .compressed = false};
    int left = 110;
    for (size_t i = 0; i < model.tools.size(); ++i) {
      laid_out.placement.tools.push_back({{left, 30, left + 22, 52}, ToolFate::shown, 0});
      left += 22;
    }
    return toolbar_paint(deck, *toolbar, model, laid_out, {0, 26}, look, marks, captions);
  }

  ModelToolbar model;
  LaidOutToolbar laid_out;
};

TEST_F(ToolbarPaintFromModel, FrameAndToolsAreInTheAreasCoordinates) {
  place(L"A", ToolType::button);
  place(L"B", ToolType::button);
  laid_out.placement.more_tools = Rect{};
  toolbar->font3d = 2;
  toolbar->display_grab_handles = false;

  const ToolbarPaint got = paint({.layout = {.style = 0}});

  EXPECT_EQ(got.frame.rect, (Rect{100, 4, 300, 26}));
  EXPECT_EQ(got.bar.bar, got.frame.rect);
  EXPECT_EQ(got.frame.style, DeckStyle::office97);
  EXPECT_FALSE(got.frame.display_grab_handles);
  EXPECT_TRUE(got.frame.floatable);
  EXPECT_EQ(got.bar.font3d, Font3D::raised_heavy);
  ASSERT_EQ(got.placement.tools.size(), 2u);
  EXPECT_EQ(got.placement.tools[0].rect, (Rect{110, 4, 132, 26}));
  EXPECT_EQ(got.placement.tools[1].rect, (Rect{132, 4, 154, 26}));
}

TEST_F(ToolbarPaintFromModel, MarksGoToTheirToolsOnly) {
  auto hot = place(L"Hot", ToolType::drop_down);
  auto dropped = place(L"Dropped", ToolType::menu);
  auto selected = place(L"Selected", ToolType::button);
  auto plain = place(L"Plain", ToolType::state_button);
  tool(L"Plain").state = 1;

  const ToolbarPaint got = paint({}, {.hot = hot.get(), .pressed = true, .on_arrow = true,
                                      .dropped = dropped.get(), .selected = selected.get()});

  ASSERT_EQ(got.tools.size(), 4u);
  const ToolState& h = got.tools[0].state;
  EXPECT_TRUE(h.hot && h.pressed && h.on_arrow);
  EXPECT_FALSE(h.dropped || h.selected_in_customizer || h.state_checked);
  EXPECT_TRUE(got.tools[1].state.dropped);
  EXPECT_FALSE(got.tools[1].state.hot || got.tools[1].state.pressed);
  EXPECT_TRUE(got.tools[2].state.selected_in_customizer);
  EXPECT_TRUE(got.tools[3].state.state_checked);
  EXPECT_FALSE(got.tools[3].state.hot || got.tools[3].state.pressed || got.tools[3].state.on_arrow);
  EXPECT_EQ(got.tools[0].type, ToolType::drop_down);
  EXPECT_EQ(got.tools[1].type, ToolType::menu);
}

TEST_F(ToolbarPaintFromModel, EnabledFollowsTheControlTheToolAndTheCustomizer) {
  place(L"A", ToolType::button);
  tool(L"A").enabled = false;
  place(L"B", ToolType::button);
  struct Case {
    bool control_enabled, run_mode, customizing;
    bool a, b;
  };
  const Case cases[] = {
      {true, true, false, false, true},   // a disabled tool
      {false, true, false, false, false}, // a disabled control disables every tool
      {true, false, false, true, true},   // at design time a tool's own flag does not count
      {true, true, true, true, true},     // in the customizer every tool counts as enabled
  };
  for (const Case& c : cases) {
    const ToolbarPaint got =
        paint({.layout = {.customizing = c.customizing}, .control_enabled = c.control_enabled, .run_mode = c.run_mode});
    EXPECT_EQ(got.tools[0].state.enabled, c.a) << c.control_enabled << c.run_mode << c.customizing;
    EXPECT_EQ(got.tools[1].state.enabled, c.b) << c.control_enabled << c.run_mode << c.customizing;
    EXPECT_EQ(got.tools[0].state.customizing, c.customizing);
  }
}

TEST_F(ToolbarPaintFromModel, CaptionsColoursAndSeparators) {
  auto named = place(L"Named", ToolType::button);
  named->fields.name = L"Open";
  named->fields.fore_color_source = 1;
  captions.store(named.get(), {30, 15});
  auto unnamed = place(L"Unnamed", ToolType::button);
  unnamed->fields.name.clear();
  place_separator();
  place(L"Last", ToolType::button);

  const ToolbarPaint got = paint({});

  ASSERT_EQ(got.tools.size(), 4u);
  EXPECT_EQ(got.captions[0], L"Open");
  EXPECT_EQ(got.captions[1], L"Unnamed");  // no name: the ID shows
  EXPECT_EQ(got.captions[2], L"");
  EXPECT_EQ(got.tools[0].caption, (Size{30, 15}));
  EXPECT_TRUE(got.tools[0].tool_fore_color);
  EXPECT_FALSE(got.tools[1].tool_fore_color);
  EXPECT_EQ(got.tools[2].type, ToolType::separator);
  EXPECT_EQ(got.models[2], nullptr);
  EXPECT_EQ(got.models[0], &tool(L"Named"));
}

TEST(ToolImageStateOf, PressedOrCheckedHotAndEnabledCarryOver) {
  const images::ToolImageState checked = image_state({.hot = false, .pressed = false, .on_arrow = false,
                                                      .dropped = false, .state_checked = true, .enabled = true,
                                                      .customizing = false, .selected_in_customizer = false},
                                                     true);
  EXPECT_TRUE(checked.pressed_or_checked);
  EXPECT_FALSE(checked.hot);
  EXPECT_TRUE(checked.active_colors);
  const images::ToolImageState pressed = image_state({.hot = true, .pressed = true, .on_arrow = false,
                                                      .dropped = false, .state_checked = false, .enabled = false,
                                                      .customizing = false, .selected_in_customizer = false},
                                                     false);
  EXPECT_TRUE(pressed.pressed_or_checked && pressed.hot);
  EXPECT_FALSE(pressed.enabled || pressed.active_colors);
}

}  // namespace
}  // namespace mz::paint
