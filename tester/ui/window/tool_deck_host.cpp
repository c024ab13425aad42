#include "tool_deck_host.h"

#include <shlwapi.h>

#include "dispatch_ids.h"
#include "variant_win32.h"

namespace quarrow::ui {
namespace {

using mz::client::Variant;
using mz::com::ComPtr;

// The tool's ID of a ToolClick argument.
std::optional<std::wstring> ToolId(VARIANT& argument) {
  IDispatch* object = nullptr;
  if (V_VT(&argument) == VT_DISPATCH) object = V_DISPATCH(&argument);
  if (V_VT(&argument) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(&argument)) object = *V_DISPATCHREF(&argument);
  if (!object) return std::nullopt;
  ComPtr<IMzTool> tool;
  if (FAILED(object->QueryInterface(IID_IMzTool, reinterpret_cast<void**>(tool.put())))) return std::nullopt;
  BSTR id = nullptr;
  if (FAILED(tool->get_ID(&id))) return std::nullopt;
  std::wstring text(id ? id : L"", id ? ::SysStringLen(id) : 0);
  ::SysFreeString(id);
  return text;
}

// The library's path: the folder is in the ANSI code page, as the program
// gets its folder.
std::wstring LibraryPath(const std::string& libraryFolder) {
  const std::string path = libraryFolder + "\\MzDeck2.dll";
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
  return wide;
}

ComPtr<IStream> StreamOver(std::string_view bytes) {
  return ComPtr<IStream>::adopt(
      ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
}

}  // namespace

ToolDeckHost::ToolDeckHost(HWND window, IFontDisp* font, ToolDeckEvents& events)
    : events_(events), container_(window, font, *this) {}

HRESULT ToolDeckHost::Create(std::string_view state, const std::string& libraryFolder) {
  ComPtr<IStream> stream = StreamOver(state);
  if (!stream) return E_OUTOFMEMORY;
  return container_.create(LibraryPath(libraryFolder), stream.get());
}

// Arguments arrive last first; the other events are accepted and ignored.
void ToolDeckHost::on_event(DISPID event, DISPPARAMS& arguments) {
  if (event == DISPID_DMzToolBarsEvents_ToolClick && arguments.cArgs == 1) {
    if (const std::optional<std::wstring> id = ToolId(arguments.rgvarg[0])) events_.OnToolClick(*id);
  } else if (event == DISPID_DMzToolBarsEvents_ToolBarModified && arguments.cArgs == 3) {
    VARIANT change;
    ::VariantInit(&change);
    if (SUCCEEDED(::VariantChangeType(&change, &arguments.rgvarg[2], 0, VT_I4))) events_.OnToolBarModified(V_I4(&change));
  }
}

HRESULT ToolDeckHost::PopupMenu(const wchar_t* toolId) {
  if (!Control()) return E_UNEXPECTED;
  const Variant missing = Variant::missing();
  return Control()->PopupMenu(*Variant(toolId), *missing, *missing, *missing);
}

std::optional<int> ToolDeckHost::ToolState(const wchar_t* toolId) {
  if (!Control()) return std::nullopt;
  ComPtr<IMzToolsCollection> tools;
  if (FAILED(Control()->get_Tools(tools.put()))) return std::nullopt;
  ComPtr<IMzTool> tool;
  Constants_State state{};
  if (FAILED(tools->get_Item(*Variant(toolId), tool.put())) || FAILED(tool->get_State(&state))) return std::nullopt;
  return static_cast<int>(state);
}

std::optional<int> ToolDeckHost::FirstToolbarDock() {
  if (!Control()) return std::nullopt;
  ComPtr<IMzToolBarsCollection> toolbars;
  if (FAILED(Control()->get_ToolBars(toolbars.put()))) return std::nullopt;
  ComPtr<IMzToolBar> toolbar;
  Constants_DockedStatus dock{};
  if (FAILED(toolbars->get_Item(*Variant(int32_t{1}), toolbar.put())) || FAILED(toolbar->get_DockedStatus(&dock))) {
    return std::nullopt;
  }
  return static_cast<int>(dock);
}

}  // namespace quarrow::ui
