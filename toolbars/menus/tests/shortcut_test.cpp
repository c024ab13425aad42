// Key presses into shortcut codes, and the codes' display texts.
#include <gtest/gtest.h>

#include "shortcut.h"

namespace mz::menus {
namespace {

constexpr uint16_t key(Key k) { return static_cast<uint16_t>(k); }
constexpr uint16_t letter(char c) { return static_cast<uint16_t>(c); }
constexpr uint16_t function(int n) { return static_cast<uint16_t>(key(Key::f1) + n - 1); }

TEST(Shortcut, KeyPressesGiveTheirCodes) {
  struct Case {
    const char* name;
    KeyPress press;
    int expected;
  } cases[] = {
      {"Ctrl+A", {letter('A'), false, false, true, false}, 1},
      {"Ctrl+Z", {letter('Z'), false, false, true, false}, 26},
      {"Ctrl+Shift+B ignores Shift", {letter('B'), false, false, true, true}, 2},
      {"B alone", {letter('B'), false, false, false, false}, 0},
      {"Shift+B", {letter('B'), false, false, false, true}, 0},
      {"F1", {function(1), false, false, false, false}, 27},
      {"F12", {function(12), false, false, false, false}, 38},
      {"Ctrl+F1", {function(1), false, false, true, false}, 39},
      {"Shift+F12", {function(12), false, false, false, true}, 62},
      {"Ctrl+Shift+F5", {function(5), false, false, true, true}, 67},
      {"Shift+Ctrl+F12", {function(12), false, false, true, true}, 74},
      {"Ctrl+Insert", {key(Key::insert), false, false, true, false}, 75},
      {"Shift+Insert", {key(Key::insert), false, false, false, true}, 76},
      {"Insert alone", {key(Key::insert), false, false, false, false}, 0},
      {"Shift+Ctrl+Insert", {key(Key::insert), false, false, true, true}, 0},
      {"Delete", {key(Key::del), false, false, false, false}, 77},
      {"Shift+Delete", {key(Key::del), false, false, false, true}, 78},
      {"Ctrl+Delete", {key(Key::del), false, false, true, false}, 0},
      {"Alt+Backspace", {key(Key::backspace), false, true, false, false}, 79},
      {"Alt+Ctrl+Backspace", {key(Key::backspace), false, true, true, false}, 0},
      {"Alt+Shift+Backspace", {key(Key::backspace), false, true, false, true}, 0},
      {"Alt+F4 is the host's", {function(4), false, true, false, false}, 0},
      {"AltGr+A arrives as Ctrl+Alt", {letter('A'), false, true, true, false}, 0},
      {"Backspace alone", {key(Key::backspace), false, false, false, false}, 0},
      {"a release", {letter('A'), true, false, true, false}, 0},
      {"key 0", {0, false, false, true, true}, 0},
      {"F13", {static_cast<uint16_t>(function(12) + 1), false, false, false, false}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(shortcut_of(c.press), c.expected) << c.name;
}

TEST(Shortcut, EveryCodeHasItsDisplayText) {
  struct Case {
    int code;
    const wchar_t* text;
  } cases[] = {
      {0, L"None"},       {1, L"Ctrl+A"},       {26, L"Ctrl+Z"},          {27, L"F1"},
      {38, L"F12"},       {39, L"Ctrl+F1"},     {51, L"Shift+F1"},        {62, L"Shift+F12"},
      {63, L"Shift+Ctrl+F1"}, {74, L"Shift+Ctrl+F12"}, {75, L"Ctrl+Ins"}, {76, L"Shift+Ins"},
      {77, L"Del"},       {78, L"Shift+Del"},   {79, L"Alt+Bksp"},        {-1, L""},
      {80, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(shortcut_text(c.code), c.text) << c.code;
  for (int code = 0; code < kShortcutCount; ++code) EXPECT_FALSE(shortcut_text(code).empty()) << code;
}

TEST(Shortcut, TooltipsNameTheShortcutOnlyWhenAsked) {
  EXPECT_EQ(tooltip_with_shortcut(L"Open", 15, true), L"Open (Ctrl+O)");
  EXPECT_EQ(tooltip_with_shortcut(L"Open", 15, false), L"Open");
  EXPECT_EQ(tooltip_with_shortcut(L"Open", 0, true), L"Open");
  EXPECT_EQ(tooltip_with_shortcut(L"Open", 80, true), L"Open");
}

}  // namespace
}  // namespace mz::menus
