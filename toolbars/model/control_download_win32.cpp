// The container's bind host, the internet cache and downloads, with the
// urlmon and wininet functions bound at first use.
#include "control_download_win32.h"

#include <wininet.h>

#include <atomic>
#include <utility>
#include <vector>

namespace mz::com {
namespace {

template <class Function>
Function bound_function(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool file_exists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The callback of one download. It asks the bind host for a local file and
// tells the client about it when the binding stops.
class Download final : public IBindStatusCallback {
 public:
  Download(DISPID tag, DownloadClient& client) : tag_(tag), client_(&client) {}

  void cancel() {
    client_ = nullptr;
    if (binding_) binding_->Abort();
    binding_.reset();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IBindStatusCallback) return E_NOINTERFACE;
    *out = static_cast<IBindStatusCallback*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override {
    binding_ = ComPtr<IBinding>(binding);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT status, LPCWSTR) override {
    ComPtr<IBindStatusCallback> keep_alive(this);  // the client may drop its reference
    binding_.reset();
    // The client is told once; a download that ends again is ignored.
    DownloadClient* client = std::exchange(client_, nullptr);
    if (client) client->download_done(tag_, SUCCEEDED(status) ? file_ : std::wstring());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    if (!flags || !info) return E_INVALIDARG;
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_GETNEWESTVERSION | BINDF_NEEDFILE;
    const ULONG size = info->cbSize;
    ZeroMemory(info, size);
    info->cbSize = size;
    info->dwBindVerb = BINDVERB_GET;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) override {
    if (medium && medium->tymed == TYMED_FILE && medium->lpszFileName) file_ = medium->lpszFileName;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

 private:
  ~Download() = default;

  std::atomic<ULONG> references_{1};
  DISPID tag_;
  DownloadClient* client_;
  ComPtr<IBinding> binding_;
  std::wstring file_;
};

}  // namespace

ComPtr<IBindHost> find_bind_host(IOleClientSite* site) {
  ComPtr<IBindHost> host;
  if (!site) return host;
  ComPtr<IServiceProvider> services;
  if (SUCCEEDED(site->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(services.put()))) &&
      SUCCEEDED(services->QueryService(SID_SBindHost, IID_IBindHost, reinterpret_cast<void**>(host.put()))) && host)
    return host;
  host.reset();
  site->QueryInterface(IID_IBindHost, reinterpret_cast<void**>(host.put()));
  return host;
}

std::optional<std::wstring> cached_file(const std::wstring& url) {
  using GetEntry = BOOL(WINAPI*)(LPCWSTR, INTERNET_CACHE_ENTRY_INFOW*, DWORD*);
  static const auto get_entry = bound_function<GetEntry>(L"wininet.dll", "GetUrlCacheEntryInfoW");
  if (!get_entry) return std::nullopt;
  DWORD size = 0;
  if (get_entry(url.c_str(), nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
    return std::nullopt;
  // The entry is followed by its strings; keep the buffer aligned for it.
  std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
  if (!get_entry(url.c_str(), entry, &size)) return std::nullopt;
  if ((entry->CacheEntryType & SPARSE_CACHE_ENTRY) || !entry->lpszLocalFileName) return std::nullopt;
  std::wstring file = entry->lpszLocalFileName;
  if (!file_exists(file)) return std::nullopt;
  return file;
}

std::optional<std::wstring> download_to_cache(const std::wstring& url) {
  using DownloadToCache = HRESULT(WINAPI*)(IUnknown*, LPCWSTR, LPWSTR, DWORD, DWORD, IBindStatusCallback*);
  static const auto download = bound_function<DownloadToCache>(L"urlmon.dll", "URLDownloadToCacheFileW");
  if (!download) return std::nullopt;
  std::wstring file(MAX_PATH, L'\0');
  if (FAILED(download(nullptr, url.c_str(), file.data(), static_cast<DWORD>(file.size()), 0, nullptr)))
    return std::nullopt;
  file.resize(wcsnlen(file.c_str(), file.size()));
  if (file.empty()) return std::nullopt;
  return file;
}

Downloads::~Downloads() {
  while (!running_.empty()) cancel(running_.begin()->first);
}

HRESULT Downloads::start(IBindHost* host, const std::wstring& url, DISPID tag, DownloadClient& client) {
  cancel(tag);
  ComPtr<IMoniker> moniker;
  std::wstring name = url;
  HRESULT hr = host->CreateMoniker(name.data(), nullptr, moniker.put(), 0);
  if (FAILED(hr)) return hr;
  if (!moniker) return E_UNEXPECTED;
  ComPtr<IBindCtx> context;
  hr = CreateBindCtx(0, context.put());
  if (FAILED(hr)) return hr;
  ComPtr<IBindStatusCallback> callback;
  *callback.put() = new Download(tag, client);  // takes the creation reference
  running_[tag] = callback;
  // The download's data arrive through the callback; a stream handed back
  // at once is not needed.
  ComPtr<IStream> stream;
  hr = host->MonikerBindToStorage(moniker.get(), context.get(), callback.get(), IID_IStream,
                                  reinterpret_cast<void**>(stream.put()));
  if (FAILED(hr) && running_.contains(tag) && running_[tag].get() == callback.get()) cancel(tag);
  return hr;
}

void Downloads::finished(DISPID tag) { running_.erase(tag); }

void Downloads::cancel(DISPID tag) {
  auto found = running_.find(tag);
  if (found == running_.end()) return;
  ComPtr<IBindStatusCallback> callback = std::move(found->second);
  running_.erase(found);
  static_cast<Download*>(callback.get())->cancel();
}

}  // namespace mz::com
