#pragma once
// Shortcut keys: the closed set of 80 key combinations a tool may carry
// (0 is none), their display texts, and the translation of a key press into
// one of them. Key presses arrive as plain values, so that the keyboard hook
// only reads the platform's key state and asks here.
#include <cstdint>
#include <string>
#include <string_view>

namespace mz::menus {

inline constexpr int kShortcutNone = 0;
inline constexpr int kShortcutCount = 80;  // codes 0 to 79

// The platform's virtual-key codes of the keys shortcuts are made of.
enum class Key : uint16_t {
  backspace = 0x08,
  insert = 0x2D,
  del = 0x2E,
  a = 0x41,  // 'A' to 'Z' follow in order
  z = 0x5A,
  f1 = 0x70,  // F1 to F12 follow in order
  f12 = 0x7B,
};

struct KeyPress {
  uint16_t key = 0;       // virtual-key code
  bool released = false;  // the key goes up
  bool alt = false;       // from the key message's context
  bool ctrl = false;      // from the keyboard's state at the moment of the press
  bool shift = false;
};

// The shortcut code a key press stands for, 0 when none.
int shortcut_of(const KeyPress& press);

// "Ctrl+A", "Shift+Ctrl+F5", "None" for 0; empty outside 0 to 79.
std::wstring_view shortcut_text(int code);

// A tooltip with the shortcut after it ("Open (Ctrl+O)") when shortcuts are
// shown in tooltips and the tool has one.
std::wstring tooltip_with_shortcut(std::wstring_view tooltip, int code, bool show_shortcuts);

}  // namespace mz::menus
