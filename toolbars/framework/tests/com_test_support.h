#pragma once
// Drives MzDeck2.dll the way hosts do: created through its class object
// without registration, called through IDispatch by name (as a script or
// form runtime does, with the late-binding client kit) or through the
// vtable, with an event sink that records what the control fires.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MzDeck2_h.h"
#include "late_binding_win32.h"

namespace mz::test {

// The late-binding client kit under the names the tests use.
using Var = client::Variant;
using client::CallResult;
using client::call;
using client::call_object;
using client::get;
using client::get_object;
using client::invoke_default;
using client::put;
using client::put_ref;

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
