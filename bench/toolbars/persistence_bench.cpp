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

// Calls a member by name with the arguments in natural order; a put passes
// its value as the named property argument.
VARIANT invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put_id = DISPID_PROPERTYPUT;
  const bool is_put = flags == DISPATCH_PROPERTYPUT || flags == DISPATCH_PROPERTYPUTREF;
  DISPPARAMS params{reversed.data(), is_put ? &put_id : nullptr, static_cast<UINT>(reversed.size()), is_put ? 1u : 0u};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = object->Invoke(dispid_of(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                              is_put ? nullptr : &result, nullptr, nullptr);
  if (FAILED(hr)) {
    std::fprintf(stderr, "%ls failed: 0x%08lx\n", name, static_cast<unsigned long>(hr));
    std::exit(1);
  }
  for (auto& v : args) VariantClear(&v);
  return result;
}

VARIANT object_arg(IDispatch* object) {
  VARIANT v;
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = object;
  object->AddRef();
  return v;
}

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
  IDispatch* tools = invoke(control, L"Tools", DISPATCH_PROPERTYGET, {}).pdispVal;
  for (int i = 0; i < tool_count; ++i) {
    IDispatch* tool = invoke(tools, L"Add", DISPATCH_METHOD, {text(tool_id(i))}).pdispVal;
    invoke(tool, L"Name", DISPATCH_PROPERTYPUT, {text(L"Tool &" + std::to_wstring(i))});
    invoke(tool, L"ToolTipText", DISPATCH_PROPERTYPUT, {text(L"Does thing " + std::to_wstring(i))});
    if (i % 4 == 0) {
      IDispatch* picture = small_picture(i);
      invoke(tool, L"Picture", DISPATCH_PROPERTYPUTREF, {object_arg(picture)});
      picture->Release();
    }
    tool->Release();
  }
  IDispatch* toolbars = invoke(control, L"ToolBars", DISPATCH_PROPERTYGET, {}).pdispVal;
  for (int t = 0; t < 100; ++t) {
    IDispatch* toolbar = invoke(toolbars, L"Add", DISPATCH_METHOD, {}).pdispVal;
    IDispatch* placed = invoke(toolbar, L"Tools", DISPATCH_PROPERTYGET, {}).pdispVal;
    for (int j = 0; j < 20; ++j) {
      VARIANT added = invoke(placed, L"Add", DISPATCH_METHOD, {text(tool_id((t * 20 + j) % tool_count))});
      VariantClear(&added);
    }
    placed->Release();
    toolbar->Release();
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
  build(control, tool_count);
  constexpr int kRuns = 5;
  double best_save = 1e30, best_load = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    auto start = Clock::now();
    invoke(control, L"SaveConfiguration", DISPATCH_METHOD, {text(path)});
    best_save = std::min(best_save, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  for (int run = 0; run < kRuns; ++run) {
    IDispatch* fresh = create_control();
    auto start = Clock::now();
    invoke(fresh, L"LoadConfiguration", DISPATCH_METHOD, {text(path)});
    best_load = std::min(best_load, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    fresh->Release();
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
  if (!create_control()) {
    std::fprintf(stderr, "MzDeck2.dll not found or not loadable\n");
    return 1;
  }
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
