#pragma once
// Connection points of the control: one for its event dispinterface and one
// for property-change notifications. A connection point is part of the
// object that owns it and shares that object's reference count.
#include <windows.h>
#include <ocidl.h>

#include <utility>
#include <vector>

#include "com_ptr.h"

namespace mz::com {

class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer& container, const IID& iid) : container_(container), iid_(iid) {}
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  const IID& iid() const { return iid_; }
  // The connected sinks, each as the interface this point calls, taken
  // before a call so that sinks may connect and disconnect meanwhile.
  std::vector<ComPtr<IUnknown>> sinks() const;

 private:
  IConnectionPointContainer& container_;
  IID iid_;
  std::vector<std::pair<DWORD, ComPtr<IUnknown>>> sinks_;
  DWORD next_cookie_ = 1;
};

// Enumerates a fixed set of connection points.
HRESULT enumerate_connection_points(std::vector<ComPtr<IConnectionPoint>> points, IEnumConnectionPoints** out);

}  // namespace mz::com
