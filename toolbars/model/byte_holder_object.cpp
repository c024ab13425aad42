#include "byte_holder_object.h"

#include <atomic>
#include <new>

#include "MzDeck2_h.h"
#include "class_factory.h"
#include "com_ptr.h"
#include "error_info.h"
#include "module.h"
#include "persisted_objects_win32.h"

namespace mz::com {
namespace {

class ByteHolder final : public IPersistStream {
 public:
  std::vector<std::uint8_t> bytes;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPersist && iid != IID_IPersistStream) return E_NOINTERFACE;
    *out = static_cast<IPersistStream*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override {
    if (!out) return E_POINTER;
    *out = CLSID_MzByteHolder;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }

  // The count is not trusted: the bytes are read as they come, and a stream
  // that ends early fails the load.
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override {
    return guarded([&]() -> HRESULT {
      if (!stream) return E_POINTER;
      std::uint8_t size_field[4];
      ULONG read = 0;
      HRESULT hr = stream->Read(size_field, sizeof(size_field), &read);
      if (FAILED(hr)) return hr;
      if (read != sizeof(size_field)) return STG_E_READFAULT;
      std::uint32_t left = static_cast<std::uint32_t>(size_field[0]) | static_cast<std::uint32_t>(size_field[1]) << 8 |
                           static_cast<std::uint32_t>(size_field[2]) << 16 | static_cast<std::uint32_t>(size_field[3]) << 24;
      std::vector<std::uint8_t> loaded;
      while (left > 0) {
        const ULONG chunk = std::min<std::uint32_t>(left, 64 * 1024);
        const std::size_t at = loaded.size();
        loaded.resize(at + chunk);
        hr = stream->Read(loaded.data() + at, chunk, &read);
        if (FAILED(hr)) return hr;
        if (read == 0) return STG_E_READFAULT;
        loaded.resize(at + read);
        left -= read;
      }
      bytes = std::move(loaded);
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL) override {
    if (!stream) return E_POINTER;
    const auto size = static_cast<std::uint32_t>(bytes.size());
    const std::uint8_t size_field[4] = {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                                        static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
    HRESULT hr = write_all(stream, size_field);
    return FAILED(hr) ? hr : write_all(stream, bytes);
  }

  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override {
    if (!size) return E_POINTER;
    size->QuadPart = 4 + bytes.size();
    return S_OK;
  }

 private:
  ModuleObjectCount counted_;
  std::atomic<ULONG> refs_{1};
};

}  // namespace

HRESULT create_byte_holder(REFIID iid, void** out) {
  auto* holder = new (std::nothrow) ByteHolder;
  if (!holder) return E_OUTOFMEMORY;
  HRESULT hr = holder->QueryInterface(iid, out);
  holder->Release();
  return hr;
}

HRESULT make_byte_holder(const std::vector<std::uint8_t>& bytes, IUnknown** out) {
  *out = nullptr;
  auto* holder = new (std::nothrow) ByteHolder;
  if (!holder) return E_OUTOFMEMORY;
  holder->bytes = bytes;
  *out = static_cast<IPersistStream*>(holder);
  return S_OK;
}

HRESULT byte_holder_bytes(IUnknown* holder, std::vector<std::uint8_t>& out) {
  if (!holder) return E_POINTER;
  std::vector<std::uint8_t> form;
  HRESULT hr = save_object(holder, form);
  if (FAILED(hr)) return hr;
  if (form.size() < 4) return STG_E_READFAULT;
  const std::uint32_t size = static_cast<std::uint32_t>(form[0]) | static_cast<std::uint32_t>(form[1]) << 8 |
                             static_cast<std::uint32_t>(form[2]) << 16 | static_cast<std::uint32_t>(form[3]) << 24;
  if (size != form.size() - 4) return STG_E_READFAULT;
  out.assign(form.begin() + 4, form.end());
  return S_OK;
}

}  // namespace mz::com
