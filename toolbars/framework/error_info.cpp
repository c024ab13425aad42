#include "error_info.h"

#include <oleauto.h>

#include <iterator>

#include "com_ptr.h"
#include "module.h"
#include "string_ids.h"

namespace mz::com {
namespace {

UINT description_id(ErrorCode code) {
  switch (code) {
    case ErrorCode::invalid_property_value: return IDS_INVALID_PROPERTY_VALUE;
    case ErrorCode::property_read_only: return IDS_PROPERTY_READ_ONLY;
    case ErrorCode::unavailable_at_design_time: return IDS_UNAVAILABLE_AT_DESIGN_TIME;
    case ErrorCode::invalid_index: return IDS_INVALID_INDEX;
    case ErrorCode::cannot_perform: return IDS_CANNOT_PERFORM;
    case ErrorCode::not_a_menu: return IDS_NOT_A_MENU;
    case ErrorCode::only_one_menu_bar: return IDS_ONLY_ONE_MENU_BAR;
    case ErrorCode::duplicate_id: return IDS_DUPLICATE_ID;
    case ErrorCode::shortcut_in_use: return IDS_SHORTCUT_IN_USE;
    case ErrorCode::invalid_name: return IDS_INVALID_NAME;
    case ErrorCode::inside_event: return IDS_INSIDE_EVENT;
    case ErrorCode::invalid_dock: return IDS_INVALID_DOCK;
    case ErrorCode::not_a_placed_property: return IDS_NOT_A_PLACED_PROPERTY;
    case ErrorCode::menu_already_open: return IDS_MENU_ALREADY_OPEN;
    case ErrorCode::none:
    case ErrorCode::general_failure: break;
  }
  return 0;
}

// Sets the thread's error information; nothing is allocated on the C++
// heap, so that this works when that heap is exhausted.
void set_error_info(REFIID iid, const wchar_t* source, UINT description) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.put()))) return;
  wchar_t text[256] = L"";
  LoadStringW(module_instance(), description, text, static_cast<int>(std::size(text)));
  wchar_t help_file[] = L"MzDeck2.hlp";
  create->SetGUID(iid);
  create->SetSource(const_cast<LPOLESTR>(source));
  create->SetDescription(text);
  create->SetHelpFile(help_file);
  create->SetHelpContext(0);
  if (auto info = create.query<IErrorInfo>()) SetErrorInfo(0, info.get());
}

}  // namespace

HRESULT raise_error(ErrorCode code, REFIID iid, const wchar_t* source) {
  if (code == ErrorCode::none) return S_OK;
  if (code == ErrorCode::general_failure) return plain_failure(E_FAIL);
  set_error_info(iid, source, description_id(code));
  return control_error(static_cast<int>(code));
}

HRESULT out_of_memory() {
  set_error_info(GUID_NULL, L"ToolDeck", IDS_OUT_OF_MEMORY);
  return E_OUTOFMEMORY;
}

HRESULT plain_failure(HRESULT hr) {
  SetErrorInfo(0, nullptr);
  return hr;
}

}  // namespace mz::com
