#include "connection_point.h"

#include <olectl.h>

#include "error_info.h"
#include "snapshot_enum.h"

namespace mz::com {
namespace {

using Connection = std::pair<DWORD, ComPtr<IUnknown>>;

HRESULT CopyConnection(const Connection& connection, CONNECTDATA* out) {
  out->dwCookie = connection.first;
  out->pUnk = connection.second.get();
  out->pUnk->AddRef();
  return S_OK;
}

void ClearConnection(CONNECTDATA* out) {
  out->pUnk->Release();
  out->pUnk = nullptr;
}

using ConnectionEnum = SnapshotEnum<IEnumConnections, CONNECTDATA, Connection, CopyConnection, ClearConnection>;

}  // namespace

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  return guarded([&]() -> HRESULT {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
  });
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  return guarded([&]() -> HRESULT {
    if (!out) return E_POINTER;
    container_.AddRef();
    *out = &container_;
    return S_OK;
  });
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  return guarded([&]() -> HRESULT {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> target;
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(target.put())))) {
      // An event sink may answer only to IDispatch, which is all that is called.
      if (iid_ == IID_IPropertyNotifySink ||
          FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(target.put()))))
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = next_cookie_++;
    sinks_.emplace_back(*cookie, std::move(target));
    return S_OK;
  });
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  return guarded([&]() -> HRESULT {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
      if (it->first == cookie) {
        // Release after the entry is gone: the sink may call back in.
        ComPtr<IUnknown> sink = std::move(it->second);
        sinks_.erase(it);
        return S_OK;
      }
    }
    return CONNECT_E_NOCONNECTION;
  });
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  return guarded([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    return ConnectionEnum::create(sinks_, out);
  });
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::sinks() const {
  std::vector<ComPtr<IUnknown>> copy;
  copy.reserve(sinks_.size());
  for (const auto& entry : sinks_) copy.push_back(entry.second);
  return copy;
}

namespace {

HRESULT CopyPoint(const ComPtr<IConnectionPoint>& point, IConnectionPoint** out) {
  *out = point.get();
  (*out)->AddRef();
  return S_OK;
}

void ClearPoint(IConnectionPoint** out) {
  (*out)->Release();
  *out = nullptr;
}

using ConnectionPointEnum =
    SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>, CopyPoint, ClearPoint>;

}  // namespace

HRESULT enumerate_connection_points(std::vector<ComPtr<IConnectionPoint>> points, IEnumConnectionPoints** out) {
  return ConnectionPointEnum::create(std::move(points), out);
}

}  // namespace mz::com
