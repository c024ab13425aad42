// deck_bench: the object model's operations that grow with its size.
//
//  1. Tools.Clear of 4,000, 8,000 and 16,000 tools, each placed once on a
//     toolbar of 40 tools between separators (target: linear, well under a
//     second at 16,000).
//  2. The menu containment check that refuses a menu holding itself, over 25
//     menus each holding the next one twice (2^24 paths from top to bottom):
//     adding the top menu to the bottom one (refused: a path is found), and
//     to a menu outside the graph (allowed: every path is ruled out)
//     (target: microseconds).
//
// Each figure is the best of several runs. This is not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/no_deck_events.h"
#include "deck.h"

namespace {

using mz::bench::NoEvents;
using Clock = std::chrono::steady_clock;

// Best time of `runs` runs of `measured`, each after a fresh `prepare`, in
// microseconds.
double best_us(int runs, const std::function<void()>& prepare, const std::function<void()>& measured) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    prepare();
    const auto start = Clock::now();
    measured();
    best = std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return best;
}

void fill_tools(mz::Deck& deck, int tools) {
  std::shared_ptr<mz::Toolbar> bar;
  for (int i = 0; i < tools; ++i) {
    if (i % 40 == 0) {
      const std::wstring name = L"Bar" + std::to_wstring(i / 40);
      bar = deck.add_toolbar(&name, 0).value();
    }
    const std::wstring id = L"ID_Tool" + std::to_wstring(i);
    deck.add_tool(id, 0, -1);
    deck.add_placed(bar->tools, id, 0, -1);
    if (bar->tools.size() > 1 && i % 5 == 0) deck.add_placed(bar->tools, L"separator", 8, static_cast<long>(bar->tools.size()));
  }
}

void clear_benchmark() {
  std::printf("Tools.Clear (tools on toolbars of 40, with separators)\n");
  double previous = 0;
  for (int tools : {4000, 8000, 16000}) {
    NoEvents events;
    std::unique_ptr<mz::Deck> deck;
    const double us = best_us(3, [&] { deck = std::make_unique<mz::Deck>(events); fill_tools(*deck, tools); },
                              [&] { deck->clear_tools(); });
    std::printf("  %6d tools: %10.1f us", tools, us);
    if (previous > 0) std::printf("  (x%.2f for 2x the tools)", us / previous);
    std::printf("\n");
    previous = us;
  }
}

void containment_benchmark() {
  constexpr int kDepth = 24;
  NoEvents events;
  mz::Deck deck(events);
  for (int level = 0; level <= kDepth; ++level) deck.add_tool(L"M" + std::to_wstring(level), 7, -1);
  for (int level = 0; level < kDepth; ++level) {
    auto menu = deck.tools().find(L"M" + std::to_wstring(level));
    const std::wstring next = L"M" + std::to_wstring(level + 1);
    deck.add_placed(*menu->menu(), next, 0, -1);
    deck.add_placed(*menu->menu(), next, 0, -1);
  }
  auto bottom = deck.tools().find(L"M" + std::to_wstring(kDepth));
  auto outside = deck.add_tool(L"Outside", 7, -1).value();
  std::printf("Menu containment check, %d menus each holding the next twice\n", kDepth + 1);
  for (auto* target : {bottom.get(), outside.get()}) {
    bool added = false;
    const double us = best_us(3, [] {}, [&] { added = deck.add_placed(*target->menu(), L"M0", 0, -1).ok(); });
    std::printf("  top menu into %-8ls %12.1f us (%s)\n", target->id.c_str(), us, added ? "allowed" : "refused");
  }
}

}  // namespace

int main() {
  // Each figure shows as soon as it is measured.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  clear_benchmark();
  containment_benchmark();
  return 0;
}
