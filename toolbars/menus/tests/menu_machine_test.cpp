// Menu mode: sequences of keys and mouse input, run through a small stand-in
// for the shell that opens and closes the popups the machine asks for, with
// the actions and the key's fate expected at every step.
#include "menu_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace mz::menus {
namespace {

using Kind = MenuAction::Kind;

MenuItem item(ItemKind kind, wchar_t mnemonic = 0) {
  MenuItem item;
  item.kind = kind;
  item.mnemonic = mnemonic;
  return item;
}
MenuItem hidden(ItemKind kind, wchar_t mnemonic = 0) {
  MenuItem made = item(kind, mnemonic);
  made.shown = false;
  return made;
}
MenuItem disabled(ItemKind kind, wchar_t mnemonic = 0) {
  MenuItem made = item(kind, mnemonic);
  made.enabled = false;
  return made;
}
const MenuItem kSeparator = item(ItemKind::separator);

PopupView popup(MenuItems items, bool stays_open = false) {
  PopupView view;
  view.items = std::move(items);
  view.stays_open = stays_open;
  return view;
}

// The menu bar (bar 0): File, Edit, a separator, a hidden menu, a disabled
// menu, a plain tool, Help. A toolbar (bar 1): a button, a drop-down, a state
// button, an edit tool, a menu, and a button sharing File's mnemonic.
MenuView bars() {
  MenuView view;
  view.bars = {
      {item(ItemKind::menu, 'F'), item(ItemKind::menu, 'E'), kSeparator, hidden(ItemKind::menu, 'H'),
       disabled(ItemKind::menu, 'O'), item(ItemKind::other, 'G'), item(ItemKind::menu, 'P')},
      {item(ItemKind::other, 'B'), item(ItemKind::drop_down, 'D'), item(ItemKind::state, 'S'),
       item(ItemKind::edit, 'T'), item(ItemKind::menu, 'M'), item(ItemKind::other, 'F')},
  };
  view.menu_bar = 0;
  return view;
}

MenuItems long_list() {
  MenuItems items(10, item(ItemKind::other));
  for (size_t i = 4; i < items.size(); ++i) items[i].in_view = false;
  return items;
}

// The popup each source opens, by the source's name in the action texts.
const std::map<std::string, PopupView>& submenus() {
  static const std::map<std::string, PopupView> menus = {
      // File: New, Open, -, Recent >, (hidden), Dim (disabled), Exit.
      {"b0.0", popup({item(ItemKind::other, 'N'), item(ItemKind::other, 'O'), kSeparator, item(ItemKind::menu, 'R'),
                      hidden(ItemKind::other, 'X'), disabled(ItemKind::other, 'D'), item(ItemKind::other, 'X')})},
      {"p0.3", popup({item(ItemKind::other, '1'), item(ItemKind::other, '2')})},
      // Edit: Cut, Find (edit), Drop (drop-down), Rare (short view hides it), the expand tool.
      {"b0.1", popup({item(ItemKind::other, 'T'), item(ItemKind::edit, 'F'), item(ItemKind::drop_down, 'D'),
                      hidden(ItemKind::other, 'R'), item(ItemKind::expand)})},
      {"b0.6", popup(long_list())},
      {"b1.4", popup({item(ItemKind::other, 'I')}, true)},
      {"pt", popup({item(ItemKind::other, 'C'), item(ItemKind::menu, 'S')})},
      {"p0.1", popup({item(ItemKind::other)})},
  };
  return menus;
}

std::string ref_text(const ItemRef& ref) {
  switch (ref.place) {
    case Place::none: return "pt";
    case Place::bar: return "b" + std::to_string(ref.list) + "." + std::to_string(ref.index);
    case Place::popup: return "p" + std::to_string(ref.list) + "." + std::to_string(ref.index);
  }
  return "?";
}

std::string action_text(const MenuAction& action) {
  const std::string level = "p" + std::to_string(action.level);
  switch (action.kind) {
    case Kind::enter_menu_mode: return "enter";
    case Kind::leave_menu_mode: return "leave";
    case Kind::highlight: return "hl:" + ref_text(action.item);
    case Kind::open_popup: return "open:" + level + "<" + ref_text(action.item) + (action.keyboard ? "+kb" : "");
    case Kind::close_popups: return "close:" + level;
    case Kind::activate: return "click:" + ref_text(action.item);
    case Kind::run_drop_down: return "drop:" + ref_text(action.item);
    case Kind::focus_tool: return "focus:" + ref_text(action.item);
    case Kind::expand: return "expand:" + level;
    case Kind::beep: return "beep";
  }
  return "?";
}

// Performs the actions as the Win32 shell would, on the view: opening a
// popup adds its items and reports it shown, closing drops the levels,
// leaving closes them all, expanding shows the short view's hidden items.
class Shell {
 public:
  MenuMachine machine;
  MenuView view = bars();
  FocusFacts focus{true, false, false};

  std::string perform(const MenuActions& actions) {
    std::string text;
    for (const MenuAction& action : actions) {
      if (!text.empty()) text += ",";
      text += action_text(action);
      const std::string more = apply(action);
      if (!more.empty()) text += "," + more;
    }
    return text;
  }

  std::string key(uint16_t code, bool released, bool alt, bool ctrl, bool shift, wchar_t character,
                  ShortcutClaim claim = ShortcutClaim::none) {
    KeyInput input;
    input.key = code;
    input.released = released;
    input.alt = alt;
    input.ctrl = ctrl;
    input.shift = shift;
    input.character = character;
    input.shortcut = claim;
    const MenuResult result = machine.key(view, input, focus);
    return (result.eat ? "eat|" : "pass|") + perform(result.actions);
  }

 private:
  std::string apply(const MenuAction& action) {
    switch (action.kind) {
      case Kind::open_popup: {
        const auto found = submenus().find(ref_text(action.item));
        view.popups.resize(action.level);
        view.popups.push_back(found == submenus().end() ? PopupView{} : found->second);
        return perform(machine.popup_shown(view, action.level));
      }
      case Kind::highlight:
        if (action.item.place == Place::popup) scroll_to(view.popups.at(action.item.list).items, action.item.index);
        return "";
      case Kind::close_popups:
        view.popups.resize(action.level);
        return "";
      case Kind::leave_menu_mode:
        view.popups.clear();
        return "";
      case Kind::expand: {
        MenuItems& items = view.popups.at(action.level).items;
        std::erase_if(items, [](const MenuItem& item) { return item.kind == ItemKind::expand; });
        for (MenuItem& item : items) item.shown = true;
        return perform(machine.popup_shown(view, action.level));
      }
      default:
        return "";
    }
  }

  // A scrolling popup shows the highlighted item: the window of items in
  // view moves just far enough.
  static void scroll_to(MenuItems& items, int index) {
    if (index < 0 || items[index].in_view) return;
    const auto shown = static_cast<int>(std::count_if(items.begin(), items.end(), [](const MenuItem& i) { return i.in_view; }));
    const bool below = std::find_if(items.begin() + index, items.end(), [](const MenuItem& i) { return i.in_view; }) == items.end();
    const int first = below ? index - shown + 1 : index;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) items[i].in_view = i >= first && i < first + shown;
  }
};

// ---- Steps of a sequence ----

struct Step {
  std::function<std::string(Shell&)> run;
  const char* expected;  // nullptr: a set-up step whose result is checked elsewhere
};

struct Mods {
  bool alt = false, ctrl = false, shift = false;
};
constexpr Mods kAlt{true, false, false};
constexpr Mods kCtrl{false, true, false};
constexpr Mods kShift{false, false, true};
constexpr Mods kAltGr{true, true, false};

uint16_t code(MenuKey key) { return static_cast<uint16_t>(key); }

Step down(uint16_t key, const char* expected, Mods mods = {}) {
  return {[=](Shell& s) { return s.key(key, false, mods.alt, mods.ctrl, mods.shift, 0); }, expected};
}
Step down(MenuKey key, const char* expected, Mods mods = {}) { return down(code(key), expected, mods); }
Step up(MenuKey key, const char* expected, Mods mods = {}) {
  return {[=](Shell& s) { return s.key(code(key), true, mods.alt, mods.ctrl, mods.shift, 0); }, expected};
}
// A letter or digit key typing `character`.
Step type(wchar_t character, const char* expected, Mods mods = {}) {
  const auto key = static_cast<uint16_t>(std::towupper(static_cast<std::wint_t>(character)));
  return {[=](Shell& s) { return s.key(key, false, mods.alt, mods.ctrl, mods.shift, character); }, expected};
}
Step claimed(ShortcutClaim claim, const char* expected) {
  return {[=](Shell& s) { return s.key('N', false, false, true, false, 'n', claim); }, expected};
}
Step alt_down(const char* expected) { return down(MenuKey::alt, expected, kAlt); }
Step alt_up(const char* expected) { return up(MenuKey::alt, expected); }

ItemRef bar(int list, int index) { return {Place::bar, list, index}; }
ItemRef pop(int level, int index) { return {Place::popup, level, index}; }
const ItemRef kElsewhere{};

Step press(ItemRef spot, const char* expected) {
  return {[=](Shell& s) { return s.perform(s.machine.press(s.view, spot, s.focus)); }, expected};
}
Step release(ItemRef spot, const char* expected) {
  return {[=](Shell& s) { return s.perform(s.machine.release(s.view, spot)); }, expected};
}
Step move(ItemRef spot, const char* expected) {
  return {[=](Shell& s) { return s.perform(s.machine.move(s.view, spot)); }, expected};
}
Step hover(ItemRef spot, const char* expected) {
  return {[=](Shell& s) { return s.perform(s.machine.hover_elapsed(s.view, spot)); }, expected};
}
Step lost(const char* expected) {
  return {[](Shell& s) { return s.perform(s.machine.capture_lost()); }, expected};
}
Step popup_menu(const char* expected) {
  return {[](Shell& s) { return s.perform(s.machine.popup_menu()); }, expected};
}
Step closed(int level, const char* expected) {
  return {[=](Shell& s) {
            s.view.popups.resize(level);
            return s.perform(s.machine.popup_closed(level));
          },
          expected};
}
Step leave(const char* expected) {
  return {[](Shell& s) { return s.perform(s.machine.leave()); }, expected};
}
Step set_focus(FocusFacts focus) {
  return {[=](Shell& s) {
            s.focus = focus;
            return std::string();
          },
          nullptr};
}

// Set-ups: menu mode on the menu bar by an Alt tap; File open from Alt+F.
std::vector<Step> alt_tap() { return {alt_down(nullptr), alt_up(nullptr)}; }
std::vector<Step> file_open() { return {alt_down(nullptr), type('f', nullptr, kAlt), alt_up(nullptr)}; }
std::vector<Step> edit_open() { return {alt_down(nullptr), type('e', nullptr, kAlt), alt_up(nullptr)}; }

struct Case {
  const char* name;
  std::vector<std::vector<Step>> steps;  // set-ups first, then the steps of the rule
  MenuState final_state;
};

void run(const Case& c) {
  SCOPED_TRACE(c.name);
  Shell shell;
  int number = 0;
  for (const std::vector<Step>& group : c.steps) {
    for (const Step& step : group) {
      ++number;
      const std::string got = step.run(shell);
      if (step.expected) {
        EXPECT_EQ(got, step.expected) << "step " << number;
      }
    }
  }
  EXPECT_EQ(shell.machine.state(), c.final_state);
}

using S = MenuState;

TEST(MenuMachineTest, AltHandling) {
  const Case cases[] = {
      {"Alt alone arms, and its release enters menu mode on the first bar tool",
       {{alt_down("eat|"), alt_up("eat|enter,hl:b0.0")}},
       S::menu_bar},
      {"Alt again leaves menu mode",
       {alt_tap(), {alt_down("eat|leave"), alt_up("eat|")}},
       S::idle},
      {"Alt, another key, Alt released does not enter menu mode",
       {{alt_down("eat|"), down(MenuKey::shift, "pass|", kAlt), up(MenuKey::shift, "pass|", kAlt), alt_up("eat|")}},
       S::idle},
      {"Alt+F4 has no mnemonic and goes to the host; Alt's release does nothing",
       {{alt_down("eat|"), down(0x73, "pass|", kAlt), alt_up("eat|")}},
       S::idle},
      {"AltGr (Ctrl with Alt) is not Alt, and its character goes to the host",
       {{down(MenuKey::ctrl, "pass|", kCtrl), down(MenuKey::right_alt, "pass|", kAltGr), type('q', "pass|", kAltGr),
         up(MenuKey::right_alt, "pass|", kCtrl), up(MenuKey::ctrl, "pass|")}},
       S::idle},
      {"Alt, then Alt held with Space: menu mode ends and Alt+Space reaches the window menu",
       {alt_tap(),
        {alt_down("eat|leave"), down(MenuKey::space, "pass|", kAlt), up(MenuKey::space, "pass|", kAlt),
         alt_up("eat|")}},
       S::idle},
      {"Alt held down in menu mode repeats without arming again",
       {alt_tap(), {alt_down("eat|leave"), alt_down("eat|"), alt_down("eat|"), alt_up("eat|")}},
       S::idle},
      {"the left and right Alt keys are Alt",
       {{down(MenuKey::left_alt, "eat|", kAlt), up(MenuKey::left_alt, "eat|enter,hl:b0.0"),
         down(MenuKey::right_alt, "eat|leave", kAlt), up(MenuKey::right_alt, "eat|")}},
       S::idle},
      {"Alt+letter opens its menu with the first item highlighted",
       {{alt_down("eat|"), type('f', "eat|enter,hl:b0.0,open:p0<b0.0+kb,hl:p0.0", kAlt), alt_up("eat|")}},
       S::popup_open},
      {"Alt+letter without a match goes to the host",
       {{alt_down(nullptr), type('z', "pass|", kAlt), alt_up("eat|")}},
       S::idle},
      {"Alt+letter of a disabled or hidden menu-bar tool finds nothing",
       {{alt_down(nullptr), type('o', "pass|", kAlt), type('h', "pass|", kAlt)}},
       S::idle},
      {"a deactivated host disarms Alt",
       {{alt_down("eat|"), leave(""), alt_up("eat|")}},
       S::idle},
      {"a mouse press disarms Alt",
       {{alt_down("eat|"), press(kElsewhere, ""), alt_up("eat|")}},
       S::idle},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, AltMnemonicsReachTheMenuBarFirstThenTheToolbars) {
  const Case cases[] = {
      {"the menu bar wins over a toolbar tool with the same mnemonic",
       {{alt_down(nullptr), type('F', "eat|enter,hl:b0.0,open:p0<b0.0+kb,hl:p0.0", kAlt)}},
       S::popup_open},
      {"a button is clicked", {{alt_down(nullptr), type('b', "eat|click:b1.0", kAlt)}}, S::idle},
      {"a drop-down runs", {{alt_down(nullptr), type('d', "eat|drop:b1.1", kAlt)}}, S::idle},
      {"a state button is clicked (and toggles)", {{alt_down(nullptr), type('s', "eat|click:b1.2", kAlt)}}, S::idle},
      {"an edit tool takes the focus", {{alt_down(nullptr), type('t', "eat|focus:b1.3", kAlt)}}, S::idle},
      {"a toolbar's menu enters menu mode on that toolbar",
       {{alt_down(nullptr), type('m', "eat|enter,hl:b1.4,open:p0<b1.4+kb,hl:p0.0", kAlt)}},
       S::popup_open},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, AltIsLeftToThePlatformWhenTheControlDoesNotTakePart) {
  FocusFacts inactive{false, false, false};
  FocusFacts customizing{true, true, false};
  const Case cases[] = {
      {"host not active", {{set_focus(inactive), alt_down("pass|"), type('f', "pass|", kAlt), alt_up("pass|")}}, S::idle},
      {"customizing", {{set_focus(customizing), alt_down("pass|"), type('f', "pass|", kAlt), alt_up("pass|")}}, S::idle},
  };
  for (const Case& c : cases) run(c);

  Shell shell;
  shell.view.bars[0] = {kSeparator, hidden(ItemKind::menu, 'H')};
  EXPECT_EQ(shell.key(code(MenuKey::alt), false, true, false, false, 0), "pass|") << "no shown menu-bar tool";
  EXPECT_EQ(shell.key(code(MenuKey::alt), true, false, false, false, 0), "pass|");
  shell.view.menu_bar = -1;
  EXPECT_EQ(shell.key(code(MenuKey::alt), false, true, false, false, 0), "pass|") << "no menu bar";
  EXPECT_EQ(shell.machine.state(), S::idle);
}

TEST(MenuMachineTest, KeysOnTheMenuBar) {
  const Case cases[] = {
      {"Right skips separators and hidden tools, not disabled ones, and wraps",
       {alt_tap(),
        {down(MenuKey::right, "eat|hl:b0.1"), down(MenuKey::right, "eat|hl:b0.4"), down(MenuKey::right, "eat|hl:b0.5"),
         down(MenuKey::right, "eat|hl:b0.6"), down(MenuKey::right, "eat|hl:b0.0")}},
       S::menu_bar},
      {"Left wraps the other way; Backspace is Left",
       {alt_tap(), {down(MenuKey::left, "eat|hl:b0.6"), down(MenuKey::backspace, "eat|hl:b0.5")}},
       S::menu_bar},
      {"Tab and Shift+Tab are Right",
       {alt_tap(), {down(MenuKey::tab, "eat|hl:b0.1"), down(MenuKey::tab, "eat|hl:b0.4", kShift)}},
       S::menu_bar},
      {"Home the first tool; End, PageUp and PageDown the last",
       {alt_tap(),
        {down(MenuKey::end, "eat|hl:b0.6"), down(MenuKey::home, "eat|hl:b0.0"), down(MenuKey::page_up, "eat|hl:b0.6"),
         down(MenuKey::home, "eat|hl:b0.0"), down(MenuKey::page_down, "eat|hl:b0.6")}},
       S::menu_bar},
      {"Down opens the highlighted menu with its first item; Up does nothing",
       {alt_tap(), {down(MenuKey::up, "eat|"), down(MenuKey::down, "eat|open:p0<b0.0+kb,hl:p0.0")}},
       S::popup_open},
      {"Down on a disabled menu does nothing",
       {alt_tap(), {down(MenuKey::left, nullptr), down(MenuKey::left, nullptr), down(MenuKey::left, "eat|hl:b0.4"),
                    down(MenuKey::down, "eat|")}},
       S::menu_bar},
      {"Enter opens a menu", {alt_tap(), {down(MenuKey::enter, "eat|open:p0<b0.0+kb,hl:p0.0")}}, S::popup_open},
      {"Enter clicks any other tool and leaves menu mode first",
       {alt_tap(), {down(MenuKey::left, nullptr), down(MenuKey::left, "eat|hl:b0.5"),
                    down(MenuKey::enter, "eat|leave,click:b0.5"), up(MenuKey::enter, "eat|")}},
       S::idle},
      {"Esc leaves menu mode", {alt_tap(), {down(MenuKey::escape, "eat|leave")}}, S::idle},
      {"Space leaves menu mode and goes through, its release too",
       {alt_tap(), {down(MenuKey::space, "pass|leave"), up(MenuKey::space, "pass|")}},
       S::idle},
      {"a mnemonic highlights and opens its menu",
       {alt_tap(), {type('p', "eat|hl:b0.6,open:p0<b0.6+kb,hl:p0.0")}},
       S::popup_open},
      {"a mnemonic of a plain tool clicks it", {alt_tap(), {type('g', "eat|leave,click:b0.5")}}, S::idle},
      {"with Ctrl held a letter is eaten and does nothing", {alt_tap(), {type('p', "eat|", kCtrl)}}, S::menu_bar},
      {"a key that is no mnemonic is eaten", {alt_tap(), {type('q', "eat|"), down(0x74, "eat|")}}, S::menu_bar},
      {"Shift and Ctrl go through and keep menu mode",
       {alt_tap(), {down(MenuKey::shift, "pass|", kShift), up(MenuKey::shift, "pass|"),
                    down(MenuKey::ctrl, "pass|", kCtrl), up(MenuKey::ctrl, "pass|")}},
       S::menu_bar},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, KeysInAPopup) {
  const Case cases[] = {
      {"Down skips separators and hidden items, not disabled ones, and wraps",
       {file_open(),
        {down(MenuKey::down, "eat|hl:p0.1"), down(MenuKey::down, "eat|hl:p0.3"), down(MenuKey::down, "eat|hl:p0.5"),
         down(MenuKey::down, "eat|hl:p0.6"), down(MenuKey::down, "eat|hl:p0.0"), up(MenuKey::down, "eat|")}},
       S::popup_open},
      {"Up wraps from the first to the last; Backspace and Shift+Tab are Up, Tab is Down",
       {file_open(),
        {down(MenuKey::up, "eat|hl:p0.6"), down(MenuKey::backspace, "eat|hl:p0.5"),
         down(MenuKey::tab, "eat|hl:p0.3", kShift), down(MenuKey::tab, "eat|hl:p0.5")}},
       S::popup_open},
      {"Home and End", {file_open(), {down(MenuKey::end, "eat|hl:p0.6"), down(MenuKey::home, "eat|hl:p0.0")}}, S::popup_open},
      {"PageDown: the last item in view, then a page further, stopping at the end",
       {{alt_down(nullptr), type('p', nullptr, kAlt)},
        {down(MenuKey::page_down, "eat|hl:p0.3"), down(MenuKey::page_down, "eat|hl:p0.7"),
         down(MenuKey::page_down, "eat|hl:p0.9"), down(MenuKey::page_down, "eat|")}},
       S::popup_open},
      {"PageUp: the first item in view, then a page back, stopping at the start",
       {{alt_down(nullptr), type('p', nullptr, kAlt)},
        {down(MenuKey::end, "eat|hl:p0.9"), down(MenuKey::page_up, "eat|hl:p0.6"), down(MenuKey::page_up, "eat|hl:p0.2"),
         down(MenuKey::page_up, "eat|hl:p0.0"), down(MenuKey::page_up, "eat|")}},
       S::popup_open},
      {"Enter clicks the item and leaves menu mode first",
       {file_open(), {down(MenuKey::down, nullptr), down(MenuKey::enter, "eat|leave,click:p0.1")}},
       S::idle},
      {"Enter on a disabled item does nothing",
       {file_open(), {down(MenuKey::up, nullptr), down(MenuKey::up, "eat|hl:p0.5"), down(MenuKey::enter, "eat|")}},
       S::popup_open},
      {"Enter on a submenu opens it with its first item",
       {file_open(), {down(MenuKey::down, nullptr), down(MenuKey::down, "eat|hl:p0.3"),
                      down(MenuKey::enter, "eat|open:p1<p0.3+kb,hl:p1.0")}},
       S::popup_open},
      {"Space with a menu-bar popup open is eaten and ignored", {file_open(), {down(MenuKey::space, "eat|")}}, S::popup_open},
      {"a mnemonic clicks its item, skipping hidden and disabled ones",
       {file_open(), {type('d', "eat|"), type('x', "eat|leave,click:p0.6")}},
       S::idle},
      {"a mnemonic opens a submenu with its first item", {file_open(), {type('r', "eat|hl:p0.3,open:p1<p0.3+kb,hl:p1.0")}}, S::popup_open},
      {"a mnemonic while Alt is still held works inside the popup",
       {{alt_down(nullptr), type('f', nullptr, kAlt)}, {type('o', "eat|leave,click:p0.1", kAlt), alt_up("eat|")}},
       S::idle},
      {"with Ctrl held a mnemonic is eaten and does nothing", {file_open(), {type('o', "eat|", kCtrl)}}, S::popup_open},
      {"an edit tool's mnemonic gives it the focus and keeps the popup",
       {edit_open(), {type('f', "eat|focus:p0.1")}},
       S::popup_open},
      {"a drop-down's mnemonic runs it and keeps the popup", {edit_open(), {type('d', "eat|drop:p0.2")}}, S::popup_open},
      {"Enter on a drop-down clicks it", {edit_open(), {down(MenuKey::down, nullptr), down(MenuKey::down, nullptr),
                                                          down(MenuKey::enter, "eat|leave,click:p0.2")}},
       S::idle},
      {"Enter on the expand tool expands and highlights the next item as Down would",
       {edit_open(), {down(MenuKey::end, "eat|hl:p0.4"), down(MenuKey::enter, "eat|expand:p0,hl:p0.0")}},
       S::popup_open},
      {"a tool of a control-made popup that stays open is clicked without leaving",
       {{alt_down(nullptr), type('m', nullptr, kAlt)}, {down(MenuKey::enter, "eat|click:p0.0")}},
       S::popup_open},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, MovingBetweenBarMenusAndLevels) {
  const Case cases[] = {
      {"Right on a plain item opens the next menu of the bar",
       {file_open(), {down(MenuKey::right, "eat|close:p0,hl:b0.1,open:p0<b0.1+kb,hl:p0.0")}},
       S::popup_open},
      {"Left on the outer popup opens the previous menu, wrapping",
       {file_open(), {down(MenuKey::left, "eat|close:p0,hl:b0.6,open:p0<b0.6+kb,hl:p0.0")}},
       S::popup_open},
      {"moving onto a disabled menu of the bar only highlights it",
       {edit_open(), {down(MenuKey::right, "eat|close:p0,hl:b0.4"), down(MenuKey::right, "eat|hl:b0.5")}},
       S::menu_bar},
      {"Right on a submenu opens it, Left closes it and returns to its item",
       {file_open(),
        {type('r', nullptr), down(MenuKey::left, "eat|close:p1,hl:p0.3"), down(MenuKey::right, "eat|open:p1<p0.3+kb,hl:p1.0")}},
       S::popup_open},
      {"Right inside a submenu on a plain item closes the chain and opens the next bar menu",
       {file_open(), {type('r', nullptr), down(MenuKey::right, "eat|close:p0,hl:b0.1,open:p0<b0.1+kb,hl:p0.0")}},
       S::popup_open},
      {"Esc closes one level at a time, then menu mode ends",
       {file_open(),
        {type('r', nullptr), down(MenuKey::escape, "eat|close:p1,hl:p0.3"), down(MenuKey::escape, "eat|close:p0,hl:b0.0"),
         down(MenuKey::escape, "eat|leave")}},
       S::idle},
      {"Alt with nested popups open leaves at once", {file_open(), {type('r', nullptr), alt_down("eat|leave")}}, S::idle},
      {"a popup closed by its own window leaves menu mode on its bar tool",
       {file_open(), {closed(0, ""), down(MenuKey::right, "eat|hl:b0.1")}},
       S::menu_bar},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, MouseOnBarsAndInPopups) {
  const FocusFacts inactive{false, false, false};
  const Case cases[] = {
      {"a press on a menu tool enters menu mode and opens it; the release leaves it open",
       {{press(bar(0, 0), "enter,hl:b0.0,open:p0<b0.0"), release(bar(0, 0), "")}},
       S::popup_open},
      {"a press and release on the menu whose popup was open closes it and leaves",
       {{press(bar(0, 0), nullptr), release(bar(0, 0), nullptr), press(bar(0, 0), ""), release(bar(0, 0), "leave")}},
       S::idle},
      {"pointing at another menu of the bar switches popups at once; plain and disabled tools do not",
       {{press(bar(0, 0), nullptr), release(bar(0, 0), nullptr), move(bar(0, 1), "close:p0,hl:b0.1,open:p0<b0.1"),
         move(bar(0, 5), ""), move(bar(0, 4), ""), move(bar(1, 4), "")}},
       S::popup_open},
      {"pointing at bar menus in keyboard menu mode without a popup does nothing", {alt_tap(), {move(bar(0, 1), "")}}, S::menu_bar},
      {"a press elsewhere ends menu mode", {file_open(), {press(kElsewhere, "leave")}}, S::idle},
      {"a press on another tool of the bars ends menu mode", {file_open(), {press(bar(1, 0), "leave")}}, S::idle},
      {"a press while the host is not active only beeps",
       {{set_focus(inactive), press(bar(0, 0), "beep"), release(bar(0, 0), "")}},
       S::idle},
      {"an item is clicked by a press and a release over it",
       {file_open(), {move(pop(0, 1), "hl:p0.1"), press(pop(0, 1), ""), release(pop(0, 1), "leave,click:p0.1")}},
       S::idle},
      {"a release over another item only lets go",
       {file_open(), {press(pop(0, 1), "hl:p0.1"), move(pop(0, 0), "hl:p0.0"), release(pop(0, 0), "")}},
       S::popup_open},
      {"a lost capture ends the press cleanly", {file_open(), {press(pop(0, 1), "hl:p0.1"), lost(""), release(pop(0, 1), "")}}, S::popup_open},
      {"a disabled item is highlighted but not clicked",
       {file_open(), {press(pop(0, 5), "hl:p0.5"), release(pop(0, 5), "")}},
       S::popup_open},
      {"separators, frames and scroll areas are not items",
       {file_open(), {move(pop(0, 2), ""), press(pop(0, -1), ""), release(pop(0, -1), "")}},
       S::popup_open},
      {"the hover delay opens a submenu; keys stay with the parent until Right",
       {file_open(),
        {move(pop(0, 3), "hl:p0.3"), hover(pop(0, 3), "open:p1<p0.3"), down(MenuKey::right, "eat|hl:p1.0"),
         down(MenuKey::down, "eat|hl:p1.1")}},
       S::popup_open},
      {"Enter on a submenu whose popup is open leaves menu mode",
       {file_open(), {move(pop(0, 3), nullptr), hover(pop(0, 3), nullptr), down(MenuKey::enter, "eat|leave")}},
       S::idle},
      {"a keyboard move off a hovered submenu's item closes it",
       {file_open(), {move(pop(0, 3), nullptr), hover(pop(0, 3), nullptr), down(MenuKey::down, "eat|close:p1,hl:p0.5")}},
       S::popup_open},
      {"the open submenu stays while the mouse moves in the parent; entering it points the parent back",
       {file_open(),
        {move(pop(0, 3), nullptr), hover(pop(0, 3), nullptr), move(pop(0, 0), "hl:p0.0"), move(pop(1, 1), "hl:p0.3,hl:p1.1")}},
       S::popup_open},
      {"a sibling opened by hover closes the other submenu",
       {file_open(), {move(pop(0, 3), nullptr), hover(pop(0, 3), nullptr), move(pop(0, 1), nullptr),
                      hover(pop(0, 1), ""), hover(pop(0, 3), "")}},
       S::popup_open},
      {"a stale hover does nothing", {file_open(), {move(pop(0, 3), nullptr), move(pop(0, 0), nullptr), hover(pop(0, 3), "")}}, S::popup_open},
      {"the hover delay on a drop-down runs it, on the expand tool expands",
       {edit_open(), {move(pop(0, 2), nullptr), hover(pop(0, 2), "drop:p0.2"), move(pop(0, 4), nullptr),
                      hover(pop(0, 4), "expand:p0")}},
       S::popup_open},
      {"a click on the expand tool expands without moving the highlight",
       {edit_open(), {press(pop(0, 4), "hl:p0.4"), release(pop(0, 4), "expand:p0")}},
       S::popup_open},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, PopupMenuLoop) {
  const Case cases[] = {
      {"the loop opens at its anchor with nothing highlighted, and Esc ends it",
       {{popup_menu("enter,open:p0<pt"), down(MenuKey::down, "eat|hl:p0.0"), down(MenuKey::escape, "eat|leave")}},
       S::idle},
      {"Left and Right on the outer popup have no bar to move along",
       {{popup_menu(nullptr), down(MenuKey::down, nullptr), down(MenuKey::left, "eat|"), down(MenuKey::right, "eat|")}},
       S::popup_loop},
      {"a submenu opens and closes one level at a time",
       {{popup_menu(nullptr), down(MenuKey::up, "eat|hl:p0.1"), down(MenuKey::right, "eat|open:p1<p0.1+kb,hl:p1.0"),
         down(MenuKey::escape, "eat|close:p1,hl:p0.1"), down(MenuKey::escape, "eat|leave")}},
       S::idle},
      {"Space ends the loop and goes through", {{popup_menu(nullptr), down(MenuKey::space, "pass|leave")}}, S::idle},
      {"a click ends the loop", {{popup_menu(nullptr), press(pop(0, 0), "hl:p0.0"), release(pop(0, 0), "leave,click:p0.0")}}, S::idle},
      {"the last popup closing by itself ends the loop", {{popup_menu(nullptr), closed(0, "leave")}}, S::idle},
      {"PopupMenu in menu mode leaves it first",
       {file_open(), {popup_menu("leave,enter,open:p0<pt")}},
       S::popup_loop},
      {"the loop takes keys even when the host is not active",
       {{set_focus(FocusFacts{false, false, false}), popup_menu(nullptr), down(MenuKey::down, "eat|hl:p0.0")}},
       S::popup_loop},
  };
  for (const Case& c : cases) run(c);
}

TEST(MenuMachineTest, ShortcutsAndFocus) {
  const FocusFacts in_tool{true, false, true};
  const Case cases[] = {
      {"a claimed shortcut of a tool outside the popups ends menu mode",
       {file_open(), {claimed(ShortcutClaim::ends_menu, "eat|leave")}},
       S::idle},
      {"a claimed shortcut of an edit tool in the popups keeps them",
       {file_open(), {claimed(ShortcutClaim::keeps_menu, "eat|")}},
       S::popup_open},
      {"a claimed shortcut while Alt is armed disarms it",
       {{alt_down(nullptr), claimed(ShortcutClaim::ends_menu, "eat|"), alt_up("eat|")}},
       S::idle},
      {"keys without Alt stay with the control's own edit window",
       {edit_open(), {type('f', "eat|focus:p0.1"), set_focus(in_tool), down(MenuKey::down, "pass|"),
                      down(MenuKey::escape, "pass|"), alt_down("eat|leave")}},
       S::idle},
      {"idle keys without Alt go to the host", {{down(MenuKey::down, "pass|"), type('f', "pass|")}}, S::idle},
  };
  for (const Case& c : cases) run(c);

  MenuMachine machine;
  const FocusFacts role{true, false, false};
  const FocusFacts none{false, false, false};
  EXPECT_EQ(machine.shortcut_scope(role), ShortcutScope::all_tools);
  EXPECT_EQ(machine.shortcut_scope(none), ShortcutScope::none);
  machine.popup_menu();
  EXPECT_EQ(machine.shortcut_scope(none), ShortcutScope::popup_tools);
  EXPECT_EQ(machine.shortcut_scope(role), ShortcutScope::all_tools);
}

TEST(MenuMachineTest, OnlyOneControlIsInMenuMode) {
  Shell first;
  Shell second;
  first.key(code(MenuKey::alt), false, true, false, false, 0);
  const MenuResult entered = [&] {
    KeyInput up;
    up.key = code(MenuKey::alt);
    up.released = true;
    return first.machine.key(first.view, up, first.focus);
  }();
  ASSERT_FALSE(entered.actions.empty());
  EXPECT_EQ(entered.actions.front().kind, Kind::enter_menu_mode) << "the shell makes the others leave on this";
  // The other control was in menu mode with a popup; it leaves without telling anyone.
  second.perform(second.machine.popup_menu());
  EXPECT_EQ(second.perform(second.machine.leave()), "leave");
  EXPECT_EQ(second.machine.state(), S::idle);
  EXPECT_EQ(second.machine.popup_levels(), 0);
  EXPECT_EQ(first.machine.state(), S::menu_bar);
}

TEST(MenuMachineTest, AViewThatShrankIsNeverReadPastItsEnd) {
  Shell shell;
  for (const Step& step : file_open()) step.run(shell);
  shell.view.popups.clear();
  shell.view.bars.clear();
  for (MenuKey key : {MenuKey::down, MenuKey::up, MenuKey::end, MenuKey::page_down, MenuKey::right, MenuKey::enter})
    EXPECT_EQ(shell.key(code(key), false, false, false, false, 0), "eat|");
  EXPECT_EQ(shell.perform(shell.machine.move(shell.view, pop(0, 3))), "");
  EXPECT_EQ(shell.perform(shell.machine.press(shell.view, pop(3, 0), shell.focus)), "");
  EXPECT_EQ(shell.perform(shell.machine.hover_elapsed(shell.view, pop(0, 3))), "");
  EXPECT_EQ(shell.perform(shell.machine.popup_shown(shell.view, 0)), "");
  EXPECT_EQ(shell.perform(shell.machine.popup_closed(7)), "");
  EXPECT_EQ(shell.key(code(MenuKey::escape), false, false, false, false, 0), "eat|close:p0,hl:b0.0");
  EXPECT_EQ(shell.key(code(MenuKey::escape), false, false, false, false, 0), "eat|leave");
}

}  // namespace
}  // namespace mz::menus
