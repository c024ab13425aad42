#pragma once
// Menu mode of one control as an explicit state machine over plain values:
// keys (virtual-key code and modifier flags), the focus facts the keyboard
// hook reads, and mouse presses, releases and moves over a menu-bar item, a
// popup item or elsewhere come in; the actions the control performs come out
// (enter or leave menu mode, highlight, open or close popups, click a tool,
// run a drop-down, give a tool the focus, eat the key or let it through).
//
// The bars and the open popups are described per call as lists of items
// (`MenuView`); the machine keeps only indices into them and checks each
// index against the view it is given, so a view that shrank in the meantime
// never makes it read past an end.
//
// Keeping the shell safe: an action names items by index into the view of
// the call that returned it. The shell resolves every action of a result to
// an owning reference of its tool before it performs the first one, then
// performs them in order. Host code runs only inside `activate`,
// `open_popup`, `run_drop_down` and `focus_tool`, and the machine puts
// `leave_menu_mode` before an `activate` that ends menu mode, so nothing it
// returns refers to a popup after that popup is closed. When host code
// closes a popup on its own (or the control goes), the shell stops performing
// the rest and tells the machine with `popup_closed` or `leave`, which drop
// the indices that pointed into it.
#include <bitset>
#include <cstdint>
#include <vector>

namespace mz::menus {

// The platform's virtual-key codes of the keys menu mode reads.
enum class MenuKey : uint16_t {
  backspace = 0x08,
  tab = 0x09,
  enter = 0x0D,
  shift = 0x10,
  ctrl = 0x11,
  alt = 0x12,
  caps_lock = 0x14,
  escape = 0x1B,
  space = 0x20,
  page_up = 0x21,
  page_down = 0x22,
  end = 0x23,
  home = 0x24,
  left = 0x25,
  up = 0x26,
  right = 0x27,
  down = 0x28,
  left_win = 0x5B,
  right_win = 0x5C,
  num_lock = 0x90,
  scroll_lock = 0x91,
  left_shift = 0xA0,  // left and right Shift and Ctrl follow in pairs
  left_alt = 0xA4,
  right_alt = 0xA5,
};

enum class MenuState : uint8_t {
  idle,        // not in menu mode
  alt_armed,   // Alt is down alone; its release enters menu mode
  menu_bar,    // menu mode with a bar tool highlighted and no popup open
  popup_open,  // menu mode with popups hanging from a bar tool
  popup_loop,  // popups of the PopupMenu method, hanging from a point
};

enum class ItemKind : uint8_t { separator, menu, drop_down, state, edit, combo, expand, other };

// A tool on a bar or in a popup, as menu mode needs it.
struct MenuItem {
  ItemKind kind = ItemKind::other;
  bool shown = true;     // visible, and not hidden in the short view of a personalized popup
  bool enabled = true;   // usable: at run time the control and the tool enabled; every tool while customizing
  bool in_view = true;   // not scrolled out of a scrolling popup (highlighting it scrolls it in)
  wchar_t mnemonic = 0;  // the character after "&" in the caption; 0 when none
};
using MenuItems = std::vector<MenuItem>;

struct PopupView {
  MenuItems items;
  bool stays_open = false;  // a control-made popup that stays open when one of its tools is clicked
};

// What the control shows at the moment of a call.
struct MenuView {
  std::vector<MenuItems> bars;    // the visible toolbars, docked or floating
  int menu_bar = -1;              // the index of the menu bar in `bars`; -1 when none is visible
  std::vector<PopupView> popups;  // the open popups, outermost first
};

// Where an item is: bar `list` of the view, or popup level `list` (0 is the
// outermost). `none` with the mouse means outside every bar and popup of the
// control; `popup` with index -1 is a popup's frame or scroll area.
enum class Place : uint8_t { none, bar, popup };
struct ItemRef {
  Place place = Place::none;
  int list = -1;
  int index = -1;
  constexpr bool operator==(const ItemRef&) const = default;
};

// What the hook and the control know about the focus when a key comes.
struct FocusFacts {
  bool host_active = false;  // the host window is enabled and active and the focus is in its top-level window
  bool customizing = false;
  bool focus_in_tool = false;  // the focus is in one of this control's edit or combo-box tool windows

  // Alt, mnemonics and keys outside popups reach this control.
  bool focus_role() const { return host_active && !customizing; }
};

// Whether a shortcut key of a tool claimed the key before menu mode saw it.
enum class ShortcutClaim : uint8_t {
  none,
  ends_menu,   // the claiming tool is clicked, or takes the focus outside the open popups
  keeps_menu,  // an edit or combo-box tool inside the open popups takes the focus
};

struct KeyInput {
  uint16_t key = 0;       // virtual-key code, keypad digits already made digits under Num Lock
  bool released = false;  // the key goes up
  bool alt = false;       // the key message's Alt context bit
  bool ctrl = false;      // Ctrl held (AltGr arrives as Ctrl with Alt and is not Alt)
  bool shift = false;
  wchar_t character = 0;  // the character the key types, for mnemonics; 0 when none
  ShortcutClaim shortcut = ShortcutClaim::none;
};

// Where the shortcut code of a key is looked up before `key` is called.
enum class ShortcutScope : uint8_t { none, popup_tools, all_tools };

struct MenuAction {
  enum class Kind : uint8_t {
    enter_menu_mode,  // this control enters menu mode; every other control leaves it
    leave_menu_mode,  // clear the highlight, close the popup chain, end a pending tip, reset the keyboard toolbar
    highlight,        // `item`; index -1 clears the highlight of that bar or popup level
    open_popup,       // popup `level` from `item` (place none: the PopupMenu anchor); `keyboard`: first item highlighted
    close_popups,     // popup `level` and every deeper one, innermost first
    activate,         // click `item` as the mouse would (raises ToolClick, toggles a state button)
    run_drop_down,    // run the drop-down of `item`
    focus_tool,       // give the edit or combo-box tool `item` the focus
    expand,           // expand the personalized popup at `level`
    beep,             // the default beep
  };
  Kind kind = Kind::highlight;
  ItemRef item;
  int level = -1;
  bool keyboard = false;
  constexpr bool operator==(const MenuAction&) const = default;
};
using MenuActions = std::vector<MenuAction>;

struct MenuResult {
  bool eat = false;  // the key stops here and the host never sees it
  MenuActions actions;
};

class MenuMachine {
 public:
  // Where the shell looks up the shortcut code of a key before calling `key`:
  // the open popups' tools when popups are open and the control has no focus
  // role, all tools when it takes part otherwise, nowhere when it does not.
  ShortcutScope shortcut_scope(const FocusFacts& focus) const;

  // Every key event of the thread, down and up, in the order the hook sees
  // them. The up of a key is eaten exactly when its down was, so the
  // platform's own key state never sees half a key stroke.
  MenuResult key(const MenuView& view, const KeyInput& input, const FocusFacts& focus);

  // The left button (or the right one acting as left) over `spot`.
  MenuActions press(const MenuView& view, const ItemRef& spot, const FocusFacts& focus);
  MenuActions release(const MenuView& view, const ItemRef& spot);
  MenuActions move(const MenuView& view, const ItemRef& spot);
  // The capture went elsewhere, or the button went up outside every window
  // of the control: the item pressed is let go without being clicked.
  MenuActions capture_lost();
  // The hover delay on the highlighted `item` of a popup elapsed: its
  // submenu opens, its drop-down runs, or the expand tool expands.
  MenuActions hover_elapsed(const MenuView& view, const ItemRef& item);

  // The PopupMenu method opens its popup at an anchor: the local loop runs
  // until the last popup of the chain closes.
  MenuActions popup_menu();
  // The popup at `level` is shown with the items of `view` (after opening,
  // or after a relayout such as an expansion).
  MenuActions popup_shown(const MenuView& view, int level);
  // The popup at `level` closed by itself (its window, its source tool, or
  // host code closed it), with every deeper one.
  MenuActions popup_closed(int level);
  // Menu mode ends from outside: another control entered it (this one then
  // leaves without telling the others), or the host window was deactivated,
  // hidden or minimized. An armed Alt is disarmed.
  MenuActions leave();

  MenuState state() const { return state_; }
  bool in_menu_mode() const { return state_ >= MenuState::menu_bar; }
  int popup_levels() const { return static_cast<int>(levels_.size()); }

 private:
  struct Level {
    int source = -1;     // index of the item it hangs from in the level above (or on the bar)
    int highlight = -1;  // its highlighted item
  };
  enum class Pick : uint8_t { mouse, enter, mnemonic };

  MenuResult key_down(const MenuView& view, const KeyInput& input, const FocusFacts& focus);
  MenuResult alt_key(const MenuView& view, const FocusFacts& focus);
  void alt_released(const MenuView& view, MenuActions& out);
  MenuResult navigate(const MenuView& view, const KeyInput& input);
  void bar_key(const MenuView& view, const KeyInput& input, MenuResult& out);
  void popup_key(const MenuView& view, const KeyInput& input, MenuResult& out);
  bool alt_mnemonic(const MenuView& view, wchar_t character, MenuActions& out);

  void choose(const MenuView& view, const ItemRef& item, Pick pick, MenuActions& out);
  void open_from_bar(int bar, int index, bool keyboard, MenuActions& out);
  void open_submenu(int level, int index, bool keyboard, MenuActions& out);
  void click(const MenuView& view, const ItemRef& item, MenuActions& out);
  void move_along_bar(const MenuView& view, int direction, MenuActions& out);
  void highlight_bar(int index, MenuActions& out);
  void highlight_in_popup(int level, int index, MenuActions& out);
  void point_at(int level, int index, MenuActions& out);
  void close_from(int level, MenuActions& out);
  void escape(MenuActions& out);
  void disarm();
  void enter_mode(MenuActions& out);
  void leave_mode(MenuActions& out);
  int key_level() const;

  MenuState state_ = MenuState::idle;
  int bar_ = -1;          // the bar of menu mode: the menu bar, or the toolbar a menu was opened from
  int bar_index_ = -1;    // its highlighted tool
  std::vector<Level> levels_;
  int first_pending_ = -1;  // the level whose first item is highlighted once it shows
  int next_pending_ = -1;   // the level whose next item is highlighted once it shows (after expanding)
  ItemRef pressed_;
  bool press_closes_ = false;  // the press was on the bar tool whose popup was already open
  bool alt_down_ = false;      // Alt is held (later downs are the key's repeats)
  std::bitset<256> eaten_;     // keys whose down was eaten, so their up is eaten too
};

}  // namespace mz::menus
