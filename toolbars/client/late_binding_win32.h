#pragma once
// Calling an object through IDispatch as a script host does: a member by
// name (GetIDsOfNames, then Invoke) or by its dispatch id, the arguments in
// their natural order, and a failure reported as the script sees it in Err.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "variant_win32.h"

namespace mz::client {

// What a call returned: its HRESULT and value, and when the member failed
// (DISP_E_EXCEPTION) what the exception information says.
struct CallResult {
  HRESULT hr = E_FAIL;
  Variant value;
  HRESULT scode = S_OK;  // the failure the member reported
  long error_code = 0;   // the automation error's code (Err.Number) within scode (0x800A0000 + code), or 0
  std::wstring description, source, help_file;  // Err.Description, Err.Source, Err.HelpFile

  bool ok() const { return SUCCEEDED(hr); }
  // The failure the member itself reported, else the failure of the call.
  HRESULT error() const { return hr == DISP_E_EXCEPTION ? scode : hr; }
};

// Members are named by a String or given by their dispatch id (DISPID_VALUE
// is the id overload, not a null name).

// The dispatch id of a member, or DISPID_UNKNOWN when the object has none.
DISPID dispid_of(IDispatch* object, const std::wstring& name);

// Reads a property (or calls a method that returns a value).
CallResult get(IDispatch* object, const std::wstring& name, std::vector<Variant> args = {});
CallResult get(IDispatch* object, DISPID member, std::vector<Variant> args = {});
// Sets a property by value; `args` are the property's indexes.
CallResult put(IDispatch* object, const std::wstring& name, Variant value, std::vector<Variant> args = {});
CallResult put(IDispatch* object, DISPID member, Variant value, std::vector<Variant> args = {});
// Sets an object property by reference ("Set x.Name = object").
CallResult put_ref(IDispatch* object, const std::wstring& name, Variant value);
CallResult put_ref(IDispatch* object, DISPID member, Variant value);
CallResult call(IDispatch* object, const std::wstring& name, std::vector<Variant> args = {});
CallResult call(IDispatch* object, DISPID member, std::vector<Variant> args = {});
// Calls the default member, as "collection(index)" does in a script.
CallResult invoke_default(IDispatch* object, std::vector<Variant> args);

// The object a property or a method returned, with a reference for the
// caller, or null.
IDispatch* get_object(IDispatch* object, const std::wstring& name, std::vector<Variant> args = {});
IDispatch* call_object(IDispatch* object, const std::wstring& name, std::vector<Variant> args = {});

}  // namespace mz::client
