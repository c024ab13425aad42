// Saves and loads a configuration file of a large command-bar set: N tools
// (a quarter with a 16 x 16 picture) and 100 toolbars of 20 placed tools.
// Prints the time per save and per load and the file size for N = 2,000 and
// N = 4,000; doubling the tools should at most double the time (no lookups
// that grow with the number of tools).
//
// Run under Wine from the folder of MzDeck2.dll:
//   WINEPREFIX=... wine64 persistence_bench.exe
#include <windows.h>
#include <olectl.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_dispatch.h"
#include "com_ptr.h"
#include "dispatch_ids.h"

namespace {

using namespace mz::bench;
using namespace mz::client;
using mz::com::ComPtr;
using Clock = std::chrono::steady_clock;

IDispatch* small_picture(int seed) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) SetPixel(dc, x, y, RGB(seed * 13 & 0xFF, x * 16, y * 16));
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  IDispatch* picture = nullptr;
  OleCreatePictureIndirect(&description, IID_IDispatch, TRUE, reinterpret_cast<void**>(&picture));
  return picture;
}

void build(IDispatch* control, int tool_count) {
  IDispatch* tools = must_object(get(control, DISPID_IMzToolBarControl_Tools), L"Tools");
  for (int i = 0; i < tool_count; ++i) {
    IDispatch* tool = must_object(call(tools, DISPID_IMzToolsCollection_Add, {Variant(tool_id(i))}), L"Tools.Add");
    must(put(tool, DISPID_IMzTool_Name, Variant(L"Tool &" + std::to_wstring(i))), L"Name");
    must(put(tool, DISPID_IMzTool_ToolTipText, Variant(L"Does thing " + std::to_wstring(i))), L"ToolTipText");
    if (i % 4 == 0) {
      IDispatch* picture = small_picture(i);
      must(put_ref(tool, DISPID_IMzTool_Picture, Variant(picture)), L"Picture");
      picture->Release();
    }
    tool->Release();
  }
  IDispatch* toolbars = must_object(get(control, DISPID_IMzToolBarControl_ToolBars), L"ToolBars");
  for (int t = 0; t < 100; ++t) {
    IDispatch* placed = new_toolbar_tools(toolbars);
    for (int j = 0; j < 20; ++j) {
      must(call(placed, DISPID_IMzToolsCollection_Add, {Variant(tool_id((t * 20 + j) % tool_count))}),
           L"ToolBar.Tools.Add");
    }
    placed->Release();
  }
  toolbars->Release();
  tools->Release();
}

struct Figures {
  double save_ms, load_ms;
  long long file_size;
};

// The best of a few runs of each operation, in milliseconds.
Figures measure(int tool_count, const std::wstring& path) {
  IDispatch* control = create_control();
  if (!control) {
    std::fprintf(stderr, "MzDeck2.dll not found or not loadable\n");
    std::exit(1);
  }
  build(control, tool_count);
  constexpr int kRuns = 5;
  double best_save = 1e30, best_load = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    auto start = Clock::now();
    must(call(control, DISPID_IMzToolBarControl_SaveConfiguration, {Variant(path)}), L"SaveConfiguration");
    best_save = std::min(best_save, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  for (int run = 0; run < kRuns; ++run) {
    ComPtr<IDispatch> fresh = ComPtr<IDispatch>::adopt(create_control());
    auto start = Clock::now();
    must(call(fresh.get(), DISPID_IMzToolBarControl_LoadConfiguration, {Variant(path)}), L"LoadConfiguration");
    best_load = std::min(best_load, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes);
  control->Release();
  return {best_save, best_load,
          static_cast<long long>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow};
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"persistence_bench.tdk";
  const Figures base = measure(2000, path);
  const Figures doubled = measure(4000, path);
  DeleteFileW(path.c_str());
  std::printf("ToolDeck configuration file, 100 toolbars of 20 placed tools, a quarter of the tools with pictures\n");
  std::printf("  tools   save ms   load ms   file bytes\n");
  std::printf("  %5d  %8.2f  %8.2f  %11lld\n", 2000, base.save_ms, base.load_ms, base.file_size);
  std::printf("  %5d  %8.2f  %8.2f  %11lld\n", 4000, doubled.save_ms, doubled.load_ms, doubled.file_size);
  std::printf("  growth for twice the tools: save %.2fx, load %.2fx (linear is 2.0x)\n", doubled.save_ms / base.save_ms,
              doubled.load_ms / base.load_ms);
  CoUninitialize();
  return 0;
}
