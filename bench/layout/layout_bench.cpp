// layout_bench: the cost of laying out docked toolbars, per pass over 40
// toolbars of 30, 60 and 120 tools (buttons, dropdowns, a combo box,
// separators every fifth place, some tools with AutoWrap), in both styles.
//
//  1. Arithmetic: full, fitted and minimum length, thickness and tool
//     placement of every toolbar, from prepared inputs. The toolbars are
//     given lengths from ample to a third of their full length, so that
//     some fit, some overflow and some wrap.
//  2. The same with the inputs built from the object model first (tool
//     sizes from captions in the cache), as a layout pass does.
//  3. The whole pass the control runs: the toolbars spread over the four
//     dock areas of a 1024 x 768 window, three bands each, arranged in their
//     bands, the areas cut out, and the results written into the model.
//
// Target: under 200 us per pass at 30 tools, growing linearly. Each figure
// is the best of several runs. This is not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/no_deck_events.h"
#include "deck_layout.h"
#include "tool_placement.h"
#include "toolbar_extents.h"
#include "toolbar_from_model.h"

namespace {

using mz::bench::NoEvents;
using Clock = std::chrono::steady_clock;
constexpr int kToolbars = 40;

double best_us(int runs, const std::function<void()>& measured) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    measured();
    best = std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return best;
}

mz::ToolType type_at(int i) {
  if (i % 5 == 4) return mz::ToolType::separator;
  if (i % 13 == 6) return mz::ToolType::combo_box;
  if (i % 7 == 3) return mz::ToolType::drop_down;
  return mz::ToolType::button;
}

// A control with kToolbars toolbars of `tools` placed tools each, every
// caption measured.
void fill(mz::Deck& deck, mz::CaptionCache& captions, int tools) {
  for (int bar = 0; bar < kToolbars; ++bar) {
    const std::wstring name = L"Bar" + std::to_wstring(bar);
    auto toolbar = deck.add_toolbar(&name, 0).value();
    constexpr mz::DockCode kAreas[] = {mz::DockCode::top, mz::DockCode::bottom, mz::DockCode::left,
                                       mz::DockCode::right};
    toolbar->docked_status = kAreas[bar % 4];
    toolbar->docked_row = static_cast<int16_t>(bar / 4 % 3 + 1);
    toolbar->display_more_tools = bar % 2 == 0;
    for (int i = 0; i < tools; ++i) {
      const mz::ToolType type = type_at(i);
      std::shared_ptr<mz::PlacedTool> placed;
      if (type == mz::ToolType::separator) {
        placed = mz::make_placed_separator();
        toolbar->tools.insert(toolbar->tools.size(), placed);
        continue;
      }
      const std::wstring id = name + L"_" + std::to_wstring(i);
      auto tool = deck.add_tool(id, static_cast<int32_t>(type), -1).value();
      tool->auto_wrap = i % 11 == 0;
      placed = deck.add_placed(toolbar->tools, id, static_cast<int32_t>(type), -1).value();
      placed->fields.display_style = i % 3 == 0 ? 3 : 0;
      captions.store(placed.get(), {30 + i % 20, 15});
    }
  }
}

// Lengths from ample down to a third of the full length.
int offered_length(const mz::ToolbarInput& input, int bar) {
  const int full = mz::full_length(input);
  return full - (full * 2 / 3) * (bar % 5) / 4;
}

int lay_out(const mz::ToolbarInput& input, int bar) {
  const int length = offered_length(input, bar);
  const int fitted = mz::fitted_length(input, length);
  const int minimum = mz::minimum_length(input);
  const int thick = mz::thickness(input);
  const mz::Rect bounds = mz::rect_at({0, 0}, mz::oriented_size(input.shape.orientation, length, thick));
  const mz::Placement placement = mz::place_tools(input, bounds);
  return fitted + minimum + placement.thickness;
}

void run(int tools, int style) {
  NoEvents events;
  mz::Deck deck(events);
  mz::CaptionCache captions;
  fill(deck, captions, tools);
  const mz::DeckLook look{.style = style, .font_height = 13};

  std::vector<mz::ToolbarInput> inputs;
  for (const auto& toolbar : deck.toolbars()) inputs.push_back(mz::toolbar_from_model(deck, *toolbar, look, captions).input);

  long checksum = 0;
  const double arithmetic = best_us(50, [&] {
    for (size_t bar = 0; bar < inputs.size(); ++bar) checksum += lay_out(inputs[bar], static_cast<int>(bar));
  });
  const double with_model = best_us(50, [&] {
    int bar = 0;
    for (const auto& toolbar : deck.toolbars())
      checksum += lay_out(mz::toolbar_from_model(deck, *toolbar, look, captions).input, bar++);
  });
  mz::DeckLayout docked;
  const double whole_pass = best_us(50, [&] { checksum += docked.lay_out(deck, look, captions, {0, 0, 1024, 768}).top; });
  std::printf("  %3d tools, %s: %8.1f us arithmetic, %8.1f us from the model, %8.1f us whole pass  (checksum %ld)\n",
              tools, style == 0 ? "97  " : "2000", arithmetic, with_model, whole_pass, checksum % 1000);
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  std::printf("Layout of %d docked toolbars, per pass\n", kToolbars);
  for (int style : {1, 0})
    for (int tools : {30, 60, 120}) run(tools, style);
  return 0;
}
