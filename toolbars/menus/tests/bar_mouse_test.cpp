// The mouse over the docked toolbars: which tools a press presses, and the
// actions that sequences of moves, presses, releases and lost captures lead to.
#include "bar_mouse.h"

#include <gtest/gtest.h>

#include <string>

#include "toolbars/model/tests/deck_test_support.h"

namespace mz::menus {
namespace {

std::string name_of(BarAction::Kind kind) {
  using K = BarAction::Kind;
  switch (kind) {
    case K::tool_exit: return "tool_exit";
    case K::toolbar_exit: return "toolbar_exit";
    case K::toolbar_enter: return "toolbar_enter";
    case K::tool_enter: return "tool_enter";
    case K::mouse_move: return "move";
    case K::mouse_down: return "down";
    case K::mouse_up: return "up";
    case K::click: return "click";
    case K::dbl_click: return "dbl_click";
    case K::tool_dbl_click: return "tool_dbl_click";
    case K::activate: return "activate";
    case K::repaint: return "repaint";
    case K::take_capture: return "capture";
    case K::release_capture: return "release_capture";
    case K::start_tooltip: return "tip";
    case K::cancel_tooltip: return "no_tip";
    case K::start_hot_worker: return "watch";
    case K::stop_hot_worker: return "unwatch";
    case K::beep: return "beep";
    case K::context_menu: return "context_menu";
  }
  return "?";
}

// "kind" or "kind:ID" (tool) or "kind:Name" (toolbar), comma-separated.
std::string describe(const BarActions& actions) {
  std::string text;
  for (const BarAction& action : actions) {
    if (!text.empty()) text += ",";
    text += name_of(action.kind);
    const std::wstring* name = action.tool ? &action.tool->id : action.toolbar ? &action.toolbar->name : nullptr;
    if (!name) continue;
    text += ':';
    for (wchar_t c : *name) text += static_cast<char>(c);
  }
  return text;
}

class BarMouseTest : public ::testing::Test {
 protected:
  test::Recorder events;
  Deck deck{events};
  std::shared_ptr<Toolbar> bar;
  BarMouse mouse;

  void SetUp() override {
    const std::wstring name = L"T";
    bar = deck.add_toolbar(&name, 0).value();
    const std::pair<const wchar_t*, ToolType> tools[] = {
        {L"B", ToolType::button},        {L"S", ToolType::state_button}, {L"D", ToolType::drop_down},
        {L"L", ToolType::label},         {L"M", ToolType::menu},         {L"E", ToolType::edit},
        {L"C", ToolType::combo_box},     {L"X", ToolType::button},
    };
    for (const auto& [id, type] : tools) {
      deck.add_tool(id, static_cast<int32_t>(type), -1);
      deck.add_placed(bar->tools, id, static_cast<int32_t>(type), -1);
    }
    deck.tools().find(L"X")->enabled = false;
    deck.add_placed(bar->tools, L"separator", 0, 2);
  }

  std::shared_ptr<PlacedTool> placed(const wchar_t* id) const {
    for (const auto& p : bar->tools)
      if (p->id == id) return p;
    return nullptr;
  }
  // The spot over tool `id` (or over the toolbar, or the top area, or
  // nothing), with the tool 40 pixels wide from x = 100.
  BarSpot over(const wchar_t* id, int x = 110) const {
    return bar_spot(deck, hit_on(id, {100, 0, 140, 22}), {x, 5}, false);
  }
  DeckHit hit_on(const wchar_t* id, Rect rect) const {
    DeckHit hit;
    hit.where = WhereIs::tool;
    hit.toolbar = bar;
    hit.tool = placed(id);
    hit.tool_rect = rect;
    return hit;
  }
  BarSpot over_toolbar() const {
    BarSpot spot;
    spot.where = WhereIs::toolbar;
    spot.toolbar = bar;
    return spot;
  }
  static BarSpot over_area() {
    BarSpot spot;
    spot.where = WhereIs::top_dock;
    return spot;
  }
  static BarSpot outside() { return {}; }

  static BarMouseInput at(BarSpot spot, MouseButton button = MouseButton::none, uint16_t buttons = 0) {
    BarMouseInput input;
    input.spot = std::move(spot);
    input.client = {10, -5};
    input.button = button;
    input.buttons = buttons;
    return input;
  }
};

TEST_F(BarMouseTest, OnlyEnabledButtonsStateButtonsAndDropDownBodiesArePressed) {
  struct Case {
    const wchar_t* id;
    int x;
    bool pressable;
    bool tooltip;
  } cases[] = {
      {L"B", 110, true, true},   {L"S", 110, true, true},   {L"D", 110, true, true},
      {L"D", 130, true, true},   {L"D", 131, false, true},  // the arrow is the last 9 pixels
      {L"L", 110, false, true},  {L"M", 110, false, false}, {L"E", 110, false, true},
      {L"C", 110, false, true},  {L"X", 110, false, true},  {L"separator", 110, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.id, c.id + wcslen(c.id)) << " at " << c.x);
    const BarSpot spot = over(c.id, c.x);
    EXPECT_EQ(spot.pressable, c.pressable);
    EXPECT_EQ(spot.tooltip, c.tooltip);
  }
  const DeckHit large = hit_on(L"D", {100, 0, 150, 30});
  EXPECT_TRUE(bar_spot(deck, large, {130, 5}, true).pressable);
  EXPECT_FALSE(bar_spot(deck, large, {131, 5}, true).pressable) << "the large arrow is 19 pixels";
}

TEST_F(BarMouseTest, SequencesOfMouseMessages) {
  enum class Op { move, press, dbl, release, lost, leave };
  struct Step {
    Op op;
    BarSpot spot;
    MouseButton button;
    std::string expected;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const auto L = MouseButton::left;
  const auto R = MouseButton::right;
  const auto none = MouseButton::none;
  const Case cases[] = {
      {"entering a tool, moving to another, leaving",
       {{Op::move, over_area(), none, "move"},
        {Op::move, over(L"B"), none, "toolbar_enter:T,tool_enter:B,repaint:B,tip:B,watch,move"},
        {Op::move, over(L"B"), none, "move"},
        {Op::move, over(L"M"), none, "no_tip,tool_exit:B,repaint:B,tool_enter:M,repaint:M,move"},
        {Op::move, over_toolbar(), none, "no_tip,tool_exit:M,repaint:M,move"},
        {Op::leave, {}, none, "toolbar_exit:T,unwatch"}}},
      {"a click activates",
       {{Op::move, over(L"B"), none, "toolbar_enter:T,tool_enter:B,repaint:B,tip:B,watch,move"},
        {Op::press, over(L"B"), L, "no_tip,down,capture,repaint:B"},
        {Op::release, over(L"B"), L, "up,release_capture,repaint:B,activate:B"}}},
      {"a release elsewhere only un-presses",
       {{Op::press, over(L"S"), L, "toolbar_enter:T,tool_enter:S,repaint:S,watch,no_tip,down,capture,repaint:S"},
        {Op::move, over(L"B"), none, "no_tip,tool_exit:S,repaint:S,tool_enter:B,repaint:B,move"},
        {Op::release, over(L"B"), L, "up,release_capture,repaint:S"},
        {Op::press, over(L"S"), L, "no_tip,tool_exit:B,repaint:B,tool_enter:S,repaint:S,no_tip,down,capture,repaint:S"},
        {Op::release, outside(), L, "no_tip,tool_exit:S,repaint:S,toolbar_exit:T,unwatch,release_capture,repaint:S"}}},
      {"a lost capture cancels the press",
       {{Op::press, over(L"B"), L, "toolbar_enter:T,tool_enter:B,repaint:B,watch,no_tip,down,capture,repaint:B"},
        {Op::lost, {}, none, "repaint:B"},
        {Op::release, over(L"B"), L, "up"}}},
      {"a double click presses twice and reports the double click, without a click",
       {{Op::press, over_area(), L, "no_tip,down"},
        {Op::release, over_area(), L, "up,click"},
        {Op::dbl, over_area(), L, "no_tip,dbl_click"},
        {Op::release, over_area(), L, "up"},
        {Op::release, over_area(), L, "up,click"}}},
      {"a double click on a tool",
       {{Op::dbl, over(L"B"), L,
         "toolbar_enter:T,tool_enter:B,repaint:B,watch,no_tip,dbl_click,tool_dbl_click:B,capture,repaint:B"},
        {Op::release, over(L"B"), L, "up,release_capture,repaint:B,activate:B"}}},
      {"tools that are not pressed, and other buttons",
       {{Op::press, over(L"L"), L, "toolbar_enter:T,tool_enter:L,repaint:L,watch,no_tip,down"},
        {Op::release, over(L"L"), L, "up"},
        {Op::press, over(L"B"), R, "no_tip,tool_exit:L,repaint:L,tool_enter:B,repaint:B,no_tip,down,context_menu"},
        {Op::release, over(L"B"), R, "up"},
        {Op::press, over(L"X"), L, "no_tip,tool_exit:B,repaint:B,tool_enter:X,repaint:X,no_tip,down"}}},
      {"the right button asks for the context menu, the left one does not",
       {{Op::press, over_area(), R, "no_tip,down,context_menu"},
        {Op::release, over_area(), R, "up,click"},
        {Op::press, over_toolbar(), R, "toolbar_enter:T,watch,no_tip,down,context_menu"},
        {Op::press, over_toolbar(), L, "no_tip,down"}}},
      {"no tooltip while a button is held",
       {{Op::move, over(L"B"), L, "toolbar_enter:T,tool_enter:B,repaint:B,watch,move"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mouse = BarMouse{};
    int index = 0;
    for (const Step& step : c.steps) {
      SCOPED_TRACE(testing::Message() << "step " << index++);
      BarMouseInput input = at(step.spot, step.button, step.op == Op::move && step.button != none ? 1 : 0);
      BarActions actions;
      switch (step.op) {
        case Op::move: actions = mouse.move(input); break;
        case Op::press: actions = mouse.press(input, false); break;
        case Op::dbl: actions = mouse.press(input, true); break;
        case Op::release: actions = mouse.release(input); break;
        case Op::lost: actions = mouse.capture_lost(); break;
        case Op::leave: actions = mouse.left(); break;
      }
      EXPECT_EQ(describe(actions), step.expected);
    }
  }
}

TEST_F(BarMouseTest, APressedToolShowsPressedOnlyWhileThePointerIsOverIt) {
  mouse.press(at(over(L"B"), MouseButton::left), false);
  EXPECT_TRUE(mouse.shows_pressed(*placed(L"B")));
  mouse.move(at(over_toolbar(), MouseButton::none, 1));
  EXPECT_FALSE(mouse.shows_pressed(*placed(L"B")));
  EXPECT_TRUE(mouse.capturing());
  mouse.move(at(over(L"B"), MouseButton::none, 1));
  EXPECT_TRUE(mouse.shows_pressed(*placed(L"B")));
}

TEST_F(BarMouseTest, ALeftPressWhileTheHostIsInactiveOnlyBeeps) {
  BarMouseInput input = at(over(L"B"), MouseButton::left);
  input.host_active = false;
  EXPECT_EQ(describe(mouse.press(input, false)), "beep");
  EXPECT_EQ(mouse.hot_tool(), nullptr);
  EXPECT_FALSE(mouse.capturing());
}

}  // namespace
}  // namespace mz::menus
