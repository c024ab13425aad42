#pragma once
// File names the control reads through its container: the container's bind
// host, the internet cache and downloads. urlmon and wininet are bound at run
// time, so a system without them treats every name as a local file name.
#include <windows.h>
#include <ocidl.h>
#include <urlmon.h>

#include <optional>
#include <string>
#include <unordered_map>

#include "com_ptr.h"

namespace mz::com {

// The container's bind host: asked through the site's service provider, else
// from the site itself. Empty when the container cannot download.
ComPtr<IBindHost> find_bind_host(IOleClientSite* site);

// The local file of `url` in the internet cache, if it has a complete entry
// whose file still exists.
std::optional<std::wstring> cached_file(const std::wstring& url);

// Downloads `url` into the internet cache and waits for it; the local file,
// or nothing if the download failed or the download function is missing.
std::optional<std::wstring> download_to_cache(const std::wstring& url);

// Told when a download it started ends.
class DownloadClient {
 public:
  // `file` is the local file of the download; empty if it failed.
  virtual void download_done(DISPID tag, const std::wstring& file) = 0;

 protected:
  ~DownloadClient() = default;
};

// The control's downloads in progress, at most one per tag (the DISPID of the
// method that asked for it). Starting another with the same tag abandons the
// first; the client hears of the end of each download it did not abandon,
// and of none after this object is gone.
class Downloads {
 public:
  Downloads() = default;
  Downloads(const Downloads&) = delete;
  Downloads& operator=(const Downloads&) = delete;
  ~Downloads();

  // Starts downloading `url` through `host`.
  HRESULT start(IBindHost* host, const std::wstring& url, DISPID tag, DownloadClient& client);
  // Forgets the download of `tag`, once it has ended.
  void finished(DISPID tag);

 private:
  void cancel(DISPID tag);

  std::unordered_map<DISPID, ComPtr<IBindStatusCallback>> running_;
};

}  // namespace mz::com
