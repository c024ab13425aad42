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

#include "MzDeck2_h.h"
#include "bench_dispatch.h"

namespace {

using mz::bench::create_control;
using mz::bench::dispid_of;
using mz::bench::text;
using mz::bench::tool_id;
using Clock = std::chrono::steady_clock;

// Invokes a member by dispatch id with the arguments in natural order.
VARIANT invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr, nullptr);
  if (FAILED(hr)) {
    std::fprintf(stderr, "call %ld failed: 0x%08lx\n", static_cast<long>(id), static_cast<unsigned long>(hr));
    std::exit(1);
  }
  return result;
}

void clear(std::vector<VARIANT>& values) {
  for (auto& v : values) VariantClear(&v);
}

double microseconds_per_call(Clock::duration elapsed, long calls) {
  return std::chrono::duration<double, std::micro>(elapsed).count() / static_cast<double>(calls);
}

// Adds tools [from; to) to the control's Tools; returns the time per Add.
double add_tools(IDispatch* tools, int from, int to) {
  const DISPID add = dispid_of(tools, L"Add");
  auto start = Clock::now();
  for (int i = from; i < to; ++i) {
    std::vector<VARIANT> args{text(tool_id(i))};
    VARIANT result = invoke(tools, add, DISPATCH_METHOD, args);
    VariantClear(&result);
    clear(args);
  }
  return microseconds_per_call(Clock::now() - start, to - from);
}

// Looks up `calls` tools by ID spread over the first `count` tools.
double look_up(IDispatch* tools, int count, long calls) {
  const DISPID item = dispid_of(tools, L"Item");
  std::vector<VARIANT> ids;
  for (long i = 0; i < calls; ++i) ids.push_back(text(tool_id(static_cast<int>((i * 7919) % count))));
  auto start = Clock::now();
  for (auto& id : ids) {
    VARIANT result = invoke(tools, item, DISPATCH_PROPERTYGET, {id});
    VariantClear(&result);
  }
  double per_call = microseconds_per_call(Clock::now() - start, calls);
  clear(ids);
  return per_call;
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
  IDispatch* tools = invoke(control, dispid_of(control, L"Tools"), DISPATCH_PROPERTYGET, {}).pdispVal;

  double add_first = add_tools(tools, 0, 500);
  double lookup_small = look_up(tools, 500, kLookups);
  double add_rest = add_tools(tools, 500, 5000);
  double lookup_large = look_up(tools, 5000, kLookups);

  IDispatch* toolbars = invoke(control, dispid_of(control, L"ToolBars"), DISPATCH_PROPERTYGET, {}).pdispVal;
  const DISPID add_toolbar = dispid_of(toolbars, L"Add");
  std::vector<IDispatch*> toolbar_tools;
  auto start = Clock::now();
  for (int i = 0; i < 100; ++i) {
    IDispatch* toolbar = invoke(toolbars, add_toolbar, DISPATCH_METHOD, {}).pdispVal;
    toolbar_tools.push_back(invoke(toolbar, dispid_of(toolbar, L"Tools"), DISPATCH_PROPERTYGET, {}).pdispVal);
    toolbar->Release();
  }
  double per_toolbar = microseconds_per_call(Clock::now() - start, 100);

  start = Clock::now();
  for (int i = 0; i < 100; ++i) {
    const DISPID add = dispid_of(toolbar_tools[i], L"Add");
    for (int j = 0; j < 50; ++j) {
      std::vector<VARIANT> args{text(tool_id(i * 50 + j))};
      VARIANT result = invoke(toolbar_tools[i], add, DISPATCH_METHOD, args);
      VariantClear(&result);
      clear(args);
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
