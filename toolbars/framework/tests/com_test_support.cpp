#include "com_test_support.h"

#include "object_creation_win32.h"

namespace mz::test {

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
  IDispatch* created = nullptr;
  client::create_from_library(client::beside_program(L"MzDeck2.dll"), CLSID_MzToolDeck, IID_IDispatch,
                              reinterpret_cast<void**>(&created));
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
