#include "late_binding_win32.h"

#include <utility>

namespace mz::client {
namespace {

// Reads the exception information of a failed member into the result, as
// a script host fills Err from it, and frees its strings.
void take_exception(EXCEPINFO& exception, CallResult& result) {
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  if (exception.wCode != 0) {
    // A member that reports a bare error code leaves scode 0; the code is
    // an automation error then, as Err.Number shows it.
    result.error_code = exception.wCode;
    result.scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, exception.wCode);
  } else {
    result.scode = exception.scode;
    if (HRESULT_FACILITY(exception.scode) == FACILITY_CONTROL) result.error_code = HRESULT_CODE(exception.scode);
  }
  if (exception.bstrDescription) result.description = exception.bstrDescription;
  if (exception.bstrSource) result.source = exception.bstrSource;
  if (exception.bstrHelpFile) result.help_file = exception.bstrHelpFile;
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
}

// A put passes its value as the one named argument, DISPID_PROPERTYPUT.
CallResult invoke(IDispatch* object, DISPID member, WORD flags, std::vector<Variant> args) {
  CallResult result;
  if (!object) {
    result.hr = E_POINTER;
    return result;
  }
  // Invoke takes the arguments last first.
  std::vector<VARIANT> reversed;
  reversed.reserve(args.size());
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
  const bool is_put = flags == DISPATCH_PROPERTYPUT || flags == DISPATCH_PROPERTYPUTREF;
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), is_put ? &put_id : nullptr, static_cast<UINT>(reversed.size()),
                    is_put ? 1u : 0u};
  EXCEPINFO exception{};
  UINT bad_argument = 0;
  result.hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.value.get(), &exception,
                             &bad_argument);
  if (result.hr == DISP_E_EXCEPTION) take_exception(exception, result);
  return result;
}

// Looks the member up by name first; a name the object does not know fails
// the call with GetIDsOfNames's answer.
CallResult invoke(IDispatch* object, const std::wstring& name, WORD flags, std::vector<Variant> args) {
  DISPID member = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  const HRESULT hr = object ? object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member) : E_POINTER;
  if (FAILED(hr)) {
    CallResult result;
    result.hr = hr;
    return result;
  }
  return invoke(object, member, flags, std::move(args));
}

IDispatch* returned_object(const CallResult& result) {
  IDispatch* found = result.ok() ? result.value.object() : nullptr;
  if (found) found->AddRef();
  return found;
}

}  // namespace

DISPID dispid_of(IDispatch* object, const std::wstring& name) {
  DISPID member = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  if (!object || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member)))
    return DISPID_UNKNOWN;
  return member;
}

CallResult get(IDispatch* object, const std::wstring& name, std::vector<Variant> args) {
  return invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
}

CallResult get(IDispatch* object, DISPID member, std::vector<Variant> args) {
  return invoke(object, member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
}

CallResult put(IDispatch* object, const std::wstring& name, Variant value, std::vector<Variant> args) {
  args.push_back(std::move(value));
  return invoke(object, name, DISPATCH_PROPERTYPUT, std::move(args));
}

CallResult put(IDispatch* object, DISPID member, Variant value, std::vector<Variant> args) {
  args.push_back(std::move(value));
  return invoke(object, member, DISPATCH_PROPERTYPUT, std::move(args));
}

CallResult put_ref(IDispatch* object, const std::wstring& name, Variant value) {
  std::vector<Variant> args;
  args.push_back(std::move(value));
  return invoke(object, name, DISPATCH_PROPERTYPUTREF, std::move(args));
}

CallResult put_ref(IDispatch* object, DISPID member, Variant value) {
  std::vector<Variant> args;
  args.push_back(std::move(value));
  return invoke(object, member, DISPATCH_PROPERTYPUTREF, std::move(args));
}

CallResult call(IDispatch* object, const std::wstring& name, std::vector<Variant> args) {
  return invoke(object, name, DISPATCH_METHOD, std::move(args));
}

CallResult call(IDispatch* object, DISPID member, std::vector<Variant> args) {
  return invoke(object, member, DISPATCH_METHOD, std::move(args));
}

CallResult invoke_default(IDispatch* object, std::vector<Variant> args) {
  return get(object, DISPID_VALUE, std::move(args));
}

IDispatch* get_object(IDispatch* object, const std::wstring& name, std::vector<Variant> args) {
  return returned_object(get(object, name, std::move(args)));
}

IDispatch* call_object(IDispatch* object, const std::wstring& name, std::vector<Variant> args) {
  return returned_object(call(object, name, std::move(args)));
}

}  // namespace mz::client
