#include "com_test_support.h"

namespace mz::test {

long Var::as_long() const {
  VARIANT out;
  VariantInit(&out);
  if (FAILED(VariantChangeType(&out, const_cast<VARIANT*>(&v_), 0, VT_I4))) return LONG_MIN;
  return V_I4(&out);
}

std::wstring Var::as_text() const {
  VARIANT out;
  VariantInit(&out);
  if (FAILED(VariantChangeType(&out, const_cast<VARIANT*>(&v_), 0, VT_BSTR))) return L"<not text>";
  std::wstring text(V_BSTR(&out), SysStringLen(V_BSTR(&out)));
  VariantClear(&out);
  return text;
}

namespace {

CallResult invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Var> args, bool named_put) {
  CallResult result;
  if (!object) {
    result.hr = E_POINTER;
    return result;
  }
  DISPID dispid = DISPID_VALUE;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  result.hr = name ? object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid) : S_OK;
  if (FAILED(result.hr)) return result;

  std::vector<VARIANT> reversed;
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), named_put ? &put_id : nullptr, static_cast<UINT>(reversed.size()),
                    named_put ? 1u : 0u};
  EXCEPINFO exception{};
  UINT bad_argument = 0;
  result.hr = object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.value.get(), &exception,
                             &bad_argument);
  if (result.hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    result.scode = exception.scode;
    if (HRESULT_FACILITY(exception.scode) == FACILITY_CONTROL) result.error_code = HRESULT_CODE(exception.scode);
    if (exception.bstrDescription) result.description = exception.bstrDescription;
    if (exception.bstrSource) result.source = exception.bstrSource;
    if (exception.bstrHelpFile) result.help_file = exception.bstrHelpFile;
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
  }
  return result;
}

}  // namespace

CallResult get(IDispatch* object, const wchar_t* name, std::vector<Var> args) {
  return invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args), false);
}

CallResult put(IDispatch* object, const wchar_t* name, Var value, std::vector<Var> args) {
  args.push_back(std::move(value));
  return invoke(object, name, DISPATCH_PROPERTYPUT, std::move(args), true);
}

CallResult put_ref(IDispatch* object, const wchar_t* name, Var value) {
  return invoke(object, name, DISPATCH_PROPERTYPUTREF, {std::move(value)}, true);
}

CallResult call(IDispatch* object, const wchar_t* name, std::vector<Var> args) {
  return invoke(object, name, DISPATCH_METHOD, std::move(args), false);
}

CallResult invoke_default(IDispatch* object, std::vector<Var> args) {
  return invoke(object, nullptr, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args), false);
}

IDispatch* get_object(IDispatch* object, const wchar_t* name, std::vector<Var> args) {
  CallResult result = get(object, name, std::move(args));
  IDispatch* found = result.ok() ? result.value.object() : nullptr;
  if (found) found->AddRef();
  return found;
}

IDispatch* call_object(IDispatch* object, const wchar_t* name, std::vector<Var> args) {
  CallResult result = call(object, name, std::move(args));
  IDispatch* found = result.ok() ? result.value.object() : nullptr;
  if (found) found->AddRef();
  return found;
}

HRESULT EventSink::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DMzToolBarsEvents) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  FiredEvent event{dispid, {}};
  for (UINT i = params->cArgs; i > 0; --i) {
    Var arg;
    VariantCopy(arg.get(), &params->rgvarg[i - 1]);
    event.args.push_back(arg);
  }
  events.push_back(event);
  if (on_event) on_event(events.back());
  return S_OK;
}

void EventSink::connect(IUnknown* control) {
  IConnectionPointContainer* container = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
  ASSERT_EQ(container->FindConnectionPoint(DIID_DMzToolBarsEvents, &point_), S_OK);
  container->Release();
  ASSERT_EQ(point_->Advise(static_cast<IDispatch*>(this), &cookie_), S_OK);
}

void EventSink::disconnect() {
  if (!point_) return;
  point_->Unadvise(cookie_);
  point_->Release();
  point_ = nullptr;
}

std::vector<DISPID> EventSink::dispids() const {
  std::vector<DISPID> ids;
  for (const auto& event : events) ids.push_back(event.dispid);
  return ids;
}

IDispatch* ControlTest::create_control() {
  static HMODULE library = LoadLibraryW(L"MzDeck2.dll");
  if (!library) return nullptr;
  auto get_class_object =
      exported<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(library, "DllGetClassObject");
  IClassFactory* factory = nullptr;
  if (!get_class_object || FAILED(get_class_object(CLSID_MzToolDeck, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  IDispatch* created = nullptr;
  factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&created));
  factory->Release();
  return created;
}

void ControlTest::SetUp() {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  control = create_control();
  ASSERT_NE(control, nullptr);
}

void ControlTest::TearDown() {
  if (control) control->Release();
  control = nullptr;
  CoUninitialize();
}

}  // namespace mz::test
