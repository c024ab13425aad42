#pragma once
// Keys struck through SendInput: they reach the focused window of the
// foreground thread, through the thread's keyboard hooks, as typed keys do.
#include <windows.h>

#include <initializer_list>
#include <iterator>

namespace quarrow::test {

// A key goes down or up.
inline void send_key(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(INPUT));
}

// A key struck, with modifiers held around it.
inline void strike(WORD virtual_key, std::initializer_list<WORD> held = {}) {
  for (WORD modifier : held) send_key(modifier, false);
  send_key(virtual_key, false);
  send_key(virtual_key, true);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) send_key(*it, true);
}

}  // namespace quarrow::test
