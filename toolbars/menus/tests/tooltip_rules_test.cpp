#include "tooltip_rules.h"

#include <gtest/gtest.h>

#include "shortcut.h"

namespace mz::menus {
namespace {

TEST(TooltipRules, TheTimerStartsOnlyForAPlainHotToolWithTipsOn) {
  struct Case {
    const char* name;
    TooltipSituation situation;
    bool starts;
  };
  const Case cases[] = {
      {"plain tool", {}, true},
      {"tips off", {.show_tooltips = false}, false},
      {"button held", {.mouse_button_held = true}, false},
      {"separator", {.separator = true}, false},
      {"menu tool", {.menu_tool = true}, false},
      {"in a popup menu", {.in_popup = true}, false},
      {"in an overflow popup", {.in_popup = true, .overflow_popup = true}, true},
      {"pressed or dropped", {.pressed_or_dropped = true}, false},
      {"another tool pressed", {.other_tool_pressed = true}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(tooltip_timer_starts(c.situation), c.starts) << c.name;
}

TEST(TooltipRules, TextComesFromTheTooltipElseTheCaption) {
  constexpr int kCtrlO = 15;  // "Ctrl+O"
  struct Case {
    const wchar_t* tooltip;
    const wchar_t* caption;
    int shortcut;
    bool show_shortcuts;
    std::optional<std::wstring> text;
  };
  const Case cases[] = {
      {L"Open a file", L"&Open", 0, false, L"Open a file"},
      {L"", L"&Open", 0, false, L"Open"},
      {L"", L"Save && &Exit", 0, false, L"Save & &Exit"},  // only the first "&" goes
      {L"", L"&Open", kCtrlO, true, L"Open (Ctrl+O)"},
      {L"", L"&Open", kCtrlO, false, L"Open"},
      {L"Open", L"", 0, true, L"Open"},  // no shortcut, no suffix
      {L"", L"", kCtrlO, true, std::nullopt},
      {L"   ", L"Caption", kCtrlO, true, std::nullopt},  // a blank tooltip hides the caption too
      {L"", L"  ", 0, false, std::nullopt},
      {L"", L"&", 0, false, std::nullopt},
  };
  ASSERT_EQ(shortcut_text(kCtrlO), L"Ctrl+O");
  for (const Case& c : cases)
    EXPECT_EQ(tooltip_text(c.tooltip, c.caption, c.shortcut, c.show_shortcuts), c.text)
        << "tooltip \"" << testing::PrintToString(std::wstring(c.tooltip)) << "\" caption "
        << testing::PrintToString(std::wstring(c.caption));
}

TEST(TooltipRules, TheTipSitsBelowTheCursorInsideTheScreen) {
  const Rect screen{0, 0, 800, 600};
  const Size text{50, 14};  // the tip is 54 x 18
  constexpr int kCursorHeight = 32;  // the tip's top is 18 below the cursor
  struct Case {
    const char* name;
    Rect screen;
    Point cursor;
    Rect tip;
  };
  const Case cases[] = {
      {"room everywhere", screen, {100, 100}, {100, 118, 154, 136}},
      {"at the right edge", screen, {780, 100}, {746, 118, 800, 136}},
      {"exactly fits on the right", screen, {746, 100}, {746, 118, 800, 136}},
      {"at the bottom edge", screen, {100, 590}, {100, 582, 154, 600}},
      {"in the bottom right corner", screen, {799, 599}, {746, 582, 800, 600}},
      {"left of the origin", {-1024, 0, 0, 768}, {-10, 10}, {-54, 28, 0, 46}},
      {"screen smaller than the tip", {0, 0, 40, 10}, {5, 5}, {0, 0, 54, 18}},
  };
  for (const Case& c : cases) EXPECT_EQ(tooltip_rect(text, c.cursor, kCursorHeight, c.screen), c.tip) << c.name;
}

}  // namespace
}  // namespace mz::menus
