// Builds a large command-bar set through late binding (5,000 tools, 100
// toolbars of 50 placed tools) and looks tools up by ID, printing the time per
// call. Lookups by ID should not grow with the number of tools: the run
// measures them with 500, 5,000 and 50,000 tools and prints the ratios; a walk
// over the collection would make them grow tenfold at each step.
//
// Run under Wine from the folder of MzDeck2.dll:
//   WINEPREFIX=... wine64 toolbar_model_bench.exe
#include <windows.h>
#include <oleauto.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_dispatch.h"
#include "dispatch_ids.h"

namespace {

using namespace mz::bench;
using namespace mz::client;
using Clock = std::chrono::steady_clock;

double microseconds_per_call(Clock::duration elapsed, long calls) {
  return std::chrono::duration<double, std::micro>(elapsed).count() / static_cast<double>(calls);
}

// Adds tools [from; to) to the control's Tools; returns the time per Add.
double add_tools(IDispatch* tools, int from, int to) {
  auto start = Clock::now();
  for (int i = from; i < to; ++i)
    must(call(tools, DISPID_IMzToolsCollection_Add, {Variant(tool_id(i))}), L"Tools.Add");
  return microseconds_per_call(Clock::now() - start, to - from);
}

// Looks up `calls` tools by ID spread over the first `count` tools.
double look_up(IDispatch* tools, int count, long calls) {
  std::vector<Variant> ids;
  for (long i = 0; i < calls; ++i) ids.emplace_back(tool_id(static_cast<int>((i * 7919) % count)));
  auto start = Clock::now();
  for (const Variant& id : ids) must(get(tools, DISPID_IMzToolsCollection_Item, {id}), L"Tools.Item");
  return microseconds_per_call(Clock::now() - start, calls);
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IDispatch* control = create_control();
  if (!control) {
    std::fprintf(stderr, "MzDeck2.dll not found or not loadable\n");
    return 1;
  }
  const long kLookups = 20000;
  IDispatch* tools = must_object(get(control, DISPID_IMzToolBarControl_Tools), L"Tools");

  double add_first = add_tools(tools, 0, 500);
  double lookup_small = look_up(tools, 500, kLookups);
  double add_rest = add_tools(tools, 500, 5000);
  double lookup_large = look_up(tools, 5000, kLookups);

  IDispatch* toolbars = must_object(get(control, DISPID_IMzToolBarControl_ToolBars), L"ToolBars");
  std::vector<IDispatch*> toolbar_tools;
  auto start = Clock::now();
  for (int i = 0; i < 100; ++i) toolbar_tools.push_back(new_toolbar_tools(toolbars));
  double per_toolbar = microseconds_per_call(Clock::now() - start, 100);

  start = Clock::now();
  for (int i = 0; i < 100; ++i) {
    for (int j = 0; j < 50; ++j) {
      must(call(toolbar_tools[i], DISPID_IMzToolsCollection_Add, {Variant(tool_id(i * 50 + j))}),
           L"ToolBar.Tools.Add");
    }
  }
  double per_placed = microseconds_per_call(Clock::now() - start, 5000);

  // Ten times more tools again, to see the trend of lookups by ID.
  add_tools(tools, 5000, 50000);
  double lookup_huge = look_up(tools, 50000, kLookups);

  std::printf("ToolDeck object model through IDispatch (microseconds per call)\n");
  std::printf("  Tools.Add, first 500 tools        %8.2f\n", add_first);
  std::printf("  Tools.Add, tools 500 to 5000      %8.2f\n", add_rest);
  std::printf("  ToolBars.Add, 100 toolbars        %8.2f\n", per_toolbar);
  std::printf("  Toolbar Tools.Add, 100 x 50       %8.2f\n", per_placed);
  std::printf("  Tools.Item(ID) with   500 tools   %8.2f\n", lookup_small);
  std::printf("  Tools.Item(ID) with 5,000 tools   %8.2f\n", lookup_large);
  std::printf("  Tools.Item(ID) with 50,000 tools  %8.2f\n", lookup_huge);
  std::printf("  lookup growth for 10x the tools   %8.2fx, for 100x %8.2fx (flat is 1.0x)\n",
              lookup_large / lookup_small, lookup_huge / lookup_small);

  for (IDispatch* list : toolbar_tools) list->Release();
  toolbars->Release();
  tools->Release();
  control->Release();
  CoUninitialize();
  return 0;
}
