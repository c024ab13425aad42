#include "bench_dispatch.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "MzDeck2_h.h"
#include "dispatch_ids.h"
#include "object_creation_win32.h"

namespace mz::bench {

IDispatch* create_control() {
  IDispatch* control = nullptr;
  client::create_from_library(client::beside_program(L"MzDeck2.dll"), CLSID_MzToolDeck, IID_IDispatch,
                              reinterpret_cast<void**>(&control));
  return control;
}

client::Variant must(client::CallResult result, const wchar_t* what) {
  if (!result.ok()) {
    std::fprintf(stderr, "%ls failed: 0x%08lx %ls\n", what, static_cast<unsigned long>(result.error()),
                 result.description.c_str());
    std::exit(1);
  }
  return std::move(result.value);
}

IDispatch* must_object(client::CallResult result, const wchar_t* what) {
  const client::Variant value = must(std::move(result), what);
  IDispatch* object = value.object();
  if (!object) {
    std::fprintf(stderr, "%ls returned no object\n", what);
    std::exit(1);
  }
  object->AddRef();
  return object;
}

IDispatch* new_toolbar_tools(IDispatch* toolbars) {
  IDispatch* toolbar = must_object(client::call(toolbars, DISPID_IMzToolBarsCollection_Add), L"ToolBars.Add");
  IDispatch* tools = must_object(client::get(toolbar, DISPID_IMzToolBar_Tools), L"ToolBar.Tools");
  toolbar->Release();
  return tools;
}

std::wstring tool_id(int i) { return L"ID_Tool" + std::to_wstring(i); }

}  // namespace mz::bench
