#pragma once
// Drives MzDeck2.dll the way hosts do: created through its class object
// without registration, called through IDispatch by name (as a script or
// form runtime does) or through the vtable, with an event sink that records
// what the control fires.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MzDeck2_h.h"

namespace mz::test {

// Owns a VARIANT.
class Var {
 public:
  Var() { VariantInit(&v_); }
  Var(const wchar_t* text) : Var() {
    V_VT(&v_) = VT_BSTR;
    V_BSTR(&v_) = SysAllocString(text);
  }
  Var(const std::wstring& text) : Var(text.c_str()) {}
  Var(int32_t value) : Var() {
    V_VT(&v_) = VT_I4;
    V_I4(&v_) = value;
  }
  Var(short value) : Var() {
    V_VT(&v_) = VT_I2;
    V_I2(&v_) = value;
  }
  Var(double value) : Var() {
    V_VT(&v_) = VT_R8;
    V_R8(&v_) = value;
  }
  Var(bool value) : Var() {
    V_VT(&v_) = VT_BOOL;
    V_BOOL(&v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  explicit Var(IDispatch* object) : Var() {
    V_VT(&v_) = VT_DISPATCH;
    V_DISPATCH(&v_) = object;
    if (object) object->AddRef();
  }
  static Var missing() {
    Var v;
    V_VT(&v.v_) = VT_ERROR;
    V_ERROR(&v.v_) = DISP_E_PARAMNOTFOUND;
    return v;
  }
  static Var null() {
    Var v;
    V_VT(&v.v_) = VT_NULL;
    return v;
  }
  // A reference to a String, as a caller passes a variable by reference.
  static Var string_ref(BSTR* text) {
    Var v;
    V_VT(&v.v_) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&v.v_) = text;
    return v;
  }
  Var(const Var& other) : Var() { VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)); }
  Var& operator=(const Var& other) {
    if (this != &other) VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    return *this;
  }
  ~Var() { VariantClear(&v_); }

  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }
  VARTYPE type() const { return V_VT(&v_); }
  // The value converted, for comparisons in tests.
  long as_long() const;
  std::wstring as_text() const;
  IDispatch* object() const { return V_VT(&v_) == VT_DISPATCH ? V_DISPATCH(&v_) : nullptr; }

 private:
  VARIANT v_;
};

// What a late-bound call returned: its HRESULT, its value, and on
// DISP_E_EXCEPTION the EXCEPINFO.
struct CallResult {
  HRESULT hr = E_FAIL;
  Var value;
  HRESULT scode = S_OK;  // the EXCEPINFO's failure code
  long error_code = 0;   // the control's error code within scode (0x800A0000 + code), or 0
  std::wstring description, source, help_file;

  bool ok() const { return SUCCEEDED(hr); }
  // The failure the method itself returned.
  HRESULT error() const { return hr == DISP_E_EXCEPTION ? scode : hr; }
};

// Calls a member by name: GetIDsOfNames, then Invoke.
CallResult get(IDispatch* object, const wchar_t* name, std::vector<Var> args = {});
CallResult put(IDispatch* object, const wchar_t* name, Var value, std::vector<Var> args = {});
CallResult put_ref(IDispatch* object, const wchar_t* name, Var value);
CallResult call(IDispatch* object, const wchar_t* name, std::vector<Var> args = {});
// Calls the default member (DISPID 0), as "collection(index)" does in a script.
CallResult invoke_default(IDispatch* object, std::vector<Var> args);
// The object a property returned (with a reference for the caller), or null.
IDispatch* get_object(IDispatch* object, const wchar_t* name, std::vector<Var> args = {});
// The object a method returned (with a reference for the caller), or null.
IDispatch* call_object(IDispatch* object, const wchar_t* name, std::vector<Var> args = {});

struct FiredEvent {
  DISPID dispid;
  std::vector<Var> args;  // in the order of the event's parameters
};

// Records every event the control fires. on_event, when set, runs inside
// the handler, as a host's handler would.
class EventSink final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  void connect(IUnknown* control);
  void disconnect();
  std::vector<DISPID> dispids() const;

  std::vector<FiredEvent> events;
  std::function<void(const FiredEvent&)> on_event;

 private:
  ULONG refs_ = 1;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

// A fixture with COM initialised in a single-threaded apartment and a fresh
// control created through the library's class object.
class ControlTest : public ::testing::Test {
 public:
  // A new control, not registered, not sited: in run mode with its defaults.
  static IDispatch* create_control();

 protected:
  void SetUp() override;
  void TearDown() override;

  IDispatch* control = nullptr;
};

// A function exported by a loaded library.
template <class Function>
Function exported(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The control's error codes as automation errors.
constexpr HRESULT control_error(long code) { return static_cast<HRESULT>(0x800A0000u + static_cast<unsigned>(code)); }

}  // namespace mz::test
