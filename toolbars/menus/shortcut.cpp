#include "shortcut.h"

#include <array>

namespace mz::menus {
namespace {

constexpr int kCtrlLetterBase = 0;  // Ctrl+A is 1
constexpr int kFunctionBase = 26;   // F1 is 27
constexpr int kCtrlFunctionBase = 38;
constexpr int kShiftFunctionBase = 50;
constexpr int kShiftCtrlFunctionBase = 62;
constexpr int kCtrlIns = 75, kShiftIns = 76, kDel = 77, kShiftDel = 78, kAltBksp = 79;

bool in_keys(uint16_t key, Key first, Key last) {
  return key >= static_cast<uint16_t>(first) && key <= static_cast<uint16_t>(last);
}

int function_code(int n, bool ctrl, bool shift) {
  if (ctrl && shift) return kShiftCtrlFunctionBase + n;
  if (ctrl) return kCtrlFunctionBase + n;
  if (shift) return kShiftFunctionBase + n;
  return kFunctionBase + n;
}

using Texts = std::array<std::wstring, kShortcutCount>;

Texts make_texts() {
  Texts texts;
  texts[kShortcutNone] = L"None";
  for (int letter = 0; letter < 26; ++letter)
    texts[kCtrlLetterBase + 1 + letter] = std::wstring(L"Ctrl+") + static_cast<wchar_t>(L'A' + letter);
  for (int n = 1; n <= 12; ++n) {
    const std::wstring key = L"F" + std::to_wstring(n);
    texts[kFunctionBase + n] = key;
    texts[kCtrlFunctionBase + n] = L"Ctrl+" + key;
    texts[kShiftFunctionBase + n] = L"Shift+" + key;
    texts[kShiftCtrlFunctionBase + n] = L"Shift+Ctrl+" + key;
  }
  texts[kCtrlIns] = L"Ctrl+Ins";
  texts[kShiftIns] = L"Shift+Ins";
  texts[kDel] = L"Del";
  texts[kShiftDel] = L"Shift+Del";
  texts[kAltBksp] = L"Alt+Bksp";
  return texts;
}

}  // namespace

int shortcut_of(const KeyPress& press) {
  if (press.released) return kShortcutNone;
  const uint16_t key = press.key;
  if (press.alt) {
    const bool plain_backspace = key == static_cast<uint16_t>(Key::backspace) && !press.ctrl && !press.shift;
    return plain_backspace ? kAltBksp : kShortcutNone;
  }
  if (press.ctrl && in_keys(key, Key::a, Key::z)) return kCtrlLetterBase + 1 + (key - static_cast<uint16_t>(Key::a));
  if (in_keys(key, Key::f1, Key::f12))
    return function_code(key - static_cast<uint16_t>(Key::f1) + 1, press.ctrl, press.shift);
  if (key == static_cast<uint16_t>(Key::insert)) {
    if (press.ctrl && !press.shift) return kCtrlIns;
    if (press.shift && !press.ctrl) return kShiftIns;
  }
  if (key == static_cast<uint16_t>(Key::del) && !press.ctrl) return press.shift ? kShiftDel : kDel;
  return kShortcutNone;
}

std::wstring_view shortcut_text(int code) {
  static const Texts texts = make_texts();
  if (code < 0 || code >= kShortcutCount) return {};
  return texts[static_cast<size_t>(code)];
}

std::wstring tooltip_with_shortcut(std::wstring_view tooltip, int code, bool show_shortcuts) {
  std::wstring text(tooltip);
  if (show_shortcuts && code > kShortcutNone && code < kShortcutCount) {
    text += L" (";
    text += shortcut_text(code);
    text += L")";
  }
  return text;
}

}  // namespace mz::menus
