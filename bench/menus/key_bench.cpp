// key_bench: what the keyboard hook spends per key on the portable side, for
// a deck of 200, 2,000 and 20,000 tools that carry shortcuts (codes 1 to 79
// in turn, so most codes are held by many tools, as a loaded file may have
// them):
//
//  1. Translation and lookup: the shortcut code of the key press, then the
//     first usable owner of the code from the shortcut index (built once,
//     before the timing, as it is after the tools change).
//  2. The same for a key whose code no tool carries (Ctrl+Shift+Q, read as
//     Ctrl+Q, which the deck leaves free) and for one that has no code
//     (Alt+F4).
//  3. Menu mode's handling of one navigation key (Down in an open popup of
//     30 items, below a menu bar of 10 menus).
//
// Target: flat in the number of tools, well under 10 us per key. Each figure
// is the best of several runs of 100,000 keys. This is not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "menu_machine.h"
#include "shortcut.h"
#include "shortcut_index.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace mz;
using namespace mz::menus;

constexpr int kKeys = 100000;

double best_ns_per_key(const std::function<void()>& one_key) {
  double best = 1e300;
  for (int run = 0; run < 7; ++run) {
    const auto start = Clock::now();
    for (int i = 0; i < kKeys; ++i) one_key();
    const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
    best = std::min(best, spent.count() / kKeys);
  }
  return best;
}

ToolCollection tools_with_shortcuts(int count) {
  ToolCollection tools;
  for (int i = 0; i < count; ++i) {
    auto tool = std::make_shared<Tool>(L"T" + std::to_wstring(i), ToolType::button);
    tool->shortcut = static_cast<uint8_t>(1 + i % 79);
    if (tool->shortcut == 17) tool->shortcut = 18;  // Ctrl+Q stays free
    tool->enabled = i % 3 != 0;  // every third tool is disabled, so some lookups pass one by
    tools.insert(tools.size(), std::move(tool));
  }
  return tools;
}

volatile const void* sink;
volatile bool eaten;

void lookups(int count) {
  ToolCollection tools = tools_with_shortcuts(count);
  ShortcutIndex index;
  const auto usable = [](const Tool& tool) { return tool.enabled; };
  index.owner(tools, 1, usable);  // builds it
  KeyPress ctrl_o;
  ctrl_o.key = 'O';
  ctrl_o.ctrl = true;
  KeyPress free_key = ctrl_o;
  free_key.key = 'Q';
  free_key.shift = true;
  KeyPress alt_f4;
  alt_f4.key = 0x73;
  alt_f4.alt = true;
  const double claimed = best_ns_per_key([&] { sink = index.owner(tools, shortcut_of(ctrl_o), usable).get(); });
  const double free = best_ns_per_key([&] { sink = index.owner(tools, shortcut_of(free_key), usable).get(); });
  const double none = best_ns_per_key([&] { sink = index.owner(tools, shortcut_of(alt_f4), usable).get(); });
  std::printf("%6d tools: Ctrl+O (owned) %7.1f ns   Ctrl+Shift+Q (free) %7.1f ns   Alt+F4 (no code) %7.1f ns\n", count,
              claimed, free, none);
}

void navigation() {
  MenuView view;
  for (int bar = 0; bar < 2; ++bar) view.bars.emplace_back(10, MenuItem{ItemKind::menu});
  view.menu_bar = 0;
  view.popups.push_back({MenuItems(30, MenuItem{ItemKind::other}), false});
  MenuMachine machine;
  FocusFacts focus;
  focus.host_active = true;
  KeyInput alt;
  alt.key = static_cast<uint16_t>(MenuKey::alt);
  machine.key(view, alt, focus);
  alt.released = true;
  machine.key(view, alt, focus);
  KeyInput down;
  down.key = static_cast<uint16_t>(MenuKey::down);
  machine.key(view, down, focus);  // opens the first menu
  machine.popup_shown(view, 0);
  KeyInput up = down;
  up.released = true;
  const double per_key = best_ns_per_key([&] {
    eaten = machine.key(view, down, focus).eat;
    eaten = machine.key(view, up, focus).eat;
  });
  std::printf("menu mode: Down and its release in a popup of 30 items %7.1f ns\n", per_key);
}

}  // namespace

int main() {
  for (int count : {200, 2000, 20000}) lookups(count);
  navigation();
  return 0;
}
