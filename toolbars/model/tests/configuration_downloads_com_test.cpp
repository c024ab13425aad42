// Configuration, layout and sound names read through a container that can
// download: a recording bind host stands in for the container's, and the test
// finishes each download by hand with a local file of its choice.
#include <gtest/gtest.h>

#include <urlmon.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "com_test_support.h"
#include "persistence_test_support.h"

namespace mz::test {
namespace {

// Records the names it is asked to make monikers for and keeps the callback
// of every bind, so a test can end the download the way the host would.
class RecordingBindHost final : public IBindHost {
 public:
  std::vector<std::wstring> monikers;
  std::vector<IBindStatusCallback*> binds;
  std::vector<DWORD> bind_flags;

  ~RecordingBindHost() {
    for (IBindStatusCallback* callback : binds) callback->Release();
  }

  // Ends bind `index` as a download into `file` (an empty file: failed).
  void complete(std::size_t index, const std::wstring& file) {
    IBindStatusCallback* callback = binds.at(index);
    callback->OnStartBinding(0, nullptr);
    if (!file.empty()) {
      FORMATETC format{0, nullptr, DVASPECT_CONTENT, -1, TYMED_FILE};
      STGMEDIUM medium{};
      medium.tymed = TYMED_FILE;
      medium.lpszFileName = const_cast<LPOLESTR>(file.c_str());
      callback->OnDataAvailable(BSCF_FIRSTDATANOTIFICATION | BSCF_LASTDATANOTIFICATION, 0, &format, &medium);
    }
    callback->OnStopBinding(file.empty() ? INET_E_DOWNLOAD_FAILURE : S_OK, nullptr);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IBindHost) return E_NOINTERFACE;
    *out = static_cast<IBindHost*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD) override {
    monikers.emplace_back(name);
    return CreateItemMoniker(L"!", name, moniker);
  }
  HRESULT STDMETHODCALLTYPE MonikerBindToStorage(IMoniker*, IBindCtx*, IBindStatusCallback* callback, REFIID,
                                                 void** object) override {
    *object = nullptr;
    callback->AddRef();
    binds.push_back(callback);
    DWORD flags = 0;
    BINDINFO info{};
    info.cbSize = sizeof info;
    callback->GetBindInfo(&flags, &info);
    bind_flags.push_back(flags);
    return MK_S_ASYNCHRONOUS;
  }
  HRESULT STDMETHODCALLTYPE MonikerBindToObject(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID,
                                                void**) override {
    return E_NOTIMPL;
  }
};

// How a site offers the bind host.
enum class Offer { none, service, site };

// A client site that offers `host` through its service provider, or itself,
// or not at all.
class DownloadSite final : public IOleClientSite, public IServiceProvider {
 public:
  DownloadSite(Offer offer, IBindHost* host) : offer_(offer), host_(host) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
      *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IServiceProvider && offer_ == Offer::service)
      *out = static_cast<IServiceProvider*>(this);
    else if (iid == IID_IBindHost && offer_ == Offer::site)
      return host_->QueryInterface(iid, out);
    else
      return E_NOINTERFACE;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
    *out = nullptr;
    if (service != SID_SBindHost) return E_NOINTERFACE;
    return host_->QueryInterface(iid, out);
  }

 private:
  Offer offer_;
  IBindHost* host_;
};

constexpr wchar_t kConfigurationUrl[] = L"http://example.invalid/tools/main.tdk";
constexpr wchar_t kLayoutUrl[] = L"http://example.invalid/tools/Arrangement.tdl";

class Downloads : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    source = create_control();
    build_sample(source);
    sample = save_state(source);
    ASSERT_TRUE(call(source, L"SaveConfiguration", {Var(configuration.path())}).ok());
    ASSERT_TRUE(call(source, L"SaveLayout", {Var(layout.path())}).ok());
  }
  void TearDown() override {
    if (sited) set_site(sited, nullptr);
    if (source) source->Release();
    ControlTest::TearDown();
  }

  static void set_site(IDispatch* control, IOleClientSite* site) {
    IOleObject* object = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    EXPECT_EQ(object->SetClientSite(site), S_OK);
    object->Release();
  }
  // Sites the fixture's control in a container offering the bind host so.
  void site_control(DownloadSite& site) {
    set_site(control, &site);
    sited = control;
  }

  IDispatch* source = nullptr;
  std::vector<std::uint8_t> sample;
  TempFile configuration{L"mzdeck_download.tdk"};
  TempFile layout{L"mzdeck_download.tdl"};
  RecordingBindHost host;
  IDispatch* sited = nullptr;
};

TEST_F(Downloads, UrlIsDownloadedThroughTheBindHostThenLoaded) {
  struct Case {
    const char* what;
    Offer offer;
  } cases[] = {{"service provider", Offer::service}, {"client site", Offer::site}};
  for (const Case& c : cases) {
    IDispatch* target = create_control();
    RecordingBindHost recording;
    DownloadSite site(c.offer, &recording);
    set_site(target, &site);
    const std::vector<std::uint8_t> before = save_state(target);

    // The name is lower-cased before it is used; the call returns at once.
    CallResult started = call(target, L"LoadConfiguration", {Var(L"HTTP://Example.invalid/Tools/Main.tdk")});
    ASSERT_TRUE(started.ok()) << c.what << std::hex << started.error();
    ASSERT_EQ(recording.monikers, std::vector<std::wstring>{kConfigurationUrl}) << c.what;
    ASSERT_EQ(recording.binds.size(), 1u) << c.what;
    EXPECT_TRUE(recording.bind_flags[0] & BINDF_ASYNCHRONOUS) << c.what;
    EXPECT_TRUE(recording.bind_flags[0] & BINDF_NEEDFILE) << c.what;
    EXPECT_EQ(save_state(target), before) << c.what;

    recording.complete(0, configuration.path());
    EXPECT_EQ(save_state(target), sample) << c.what;
    set_site(target, nullptr);
    target->Release();
  }
}

TEST_F(Downloads, LayoutUrlKeepsItsCaseAndLoadsWhenDownloaded) {
  DownloadSite site(Offer::service, &host);
  site_control(site);
  ASSERT_TRUE(call(control, L"LoadConfiguration", {Var(L"file://" + configuration.path())}).ok());
  IDispatch* toolbars = get_object(control, L"ToolBars");
  ASSERT_TRUE(call(toolbars, L"Remove", {Var(L"Standard")}).ok());
  toolbars->Release();
  ASSERT_EQ(toolbar(control, L"Standard"), nullptr);

  ASSERT_TRUE(call(control, L"LoadLayout", {Var(kLayoutUrl)}).ok());
  ASSERT_EQ(host.monikers, std::vector<std::wstring>{kLayoutUrl});
  EXPECT_EQ(toolbar(control, L"Standard"), nullptr);
  host.complete(0, layout.path());
  EXPECT_NE(toolbar(control, L"Standard"), nullptr);
}

TEST_F(Downloads, LocalNamesAreReadWithoutDownloading) {
  const std::wstring path = configuration.path();
  std::wstring forward = path;
  for (wchar_t& c : forward)
    if (c == L'\\') c = L'/';
  struct Case {
    const char* what;
    Offer offer;
    std::wstring name;
  } cases[] = {
      {"file:// name", Offer::service, L"file://" + path},
      {"FILE:// name", Offer::site, L"FILE://" + path},
      {"file:/// before the drive", Offer::service, L"file:///" + forward},
      {"no bind host, plain path", Offer::none, path},
  };
  for (const Case& c : cases) {
    IDispatch* target = create_control();
    RecordingBindHost recording;
    DownloadSite site(c.offer, &recording);
    set_site(target, &site);
    CallResult loaded = call(target, L"LoadConfiguration", {Var(c.name)});
    ASSERT_TRUE(loaded.ok()) << c.what << std::hex << loaded.error();
    EXPECT_EQ(save_state(target), sample) << c.what;
    EXPECT_TRUE(recording.monikers.empty()) << c.what;
    set_site(target, nullptr);
    target->Release();
  }
}

TEST_F(Downloads, WithoutBindHostAUrlIsALocalFileName) {
  DownloadSite site(Offer::none, &host);
  site_control(site);
  CallResult result = call(control, L"LoadConfiguration", {Var(kConfigurationUrl)});
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(host.monikers.empty());
}

TEST_F(Downloads, OnlyTheLatestDownloadOfAMethodIsLoaded) {
  DownloadSite site(Offer::service, &host);
  site_control(site);
  TempFile other(L"mzdeck_download_other.tdk");
  call_object(tools_of(control), L"Add", {Var(L"ID_Other")});
  ASSERT_TRUE(call(control, L"SaveConfiguration", {Var(other.path())}).ok());
  const std::vector<std::uint8_t> other_state = save_state(control);

  ASSERT_TRUE(call(control, L"LoadConfiguration", {Var(kConfigurationUrl)}).ok());
  ASSERT_TRUE(call(control, L"LoadConfiguration", {Var(L"http://example.invalid/second.tdk")}).ok());
  ASSERT_EQ(host.binds.size(), 2u);
  // The first, abandoned download ends: nothing is loaded from it.
  host.complete(0, configuration.path());
  EXPECT_EQ(save_state(control), other_state);
  // A failed download loads nothing either.
  host.complete(1, L"");
  EXPECT_EQ(save_state(control), other_state);
  // A new request after a failure downloads again.
  ASSERT_TRUE(call(control, L"LoadConfiguration", {Var(kConfigurationUrl)}).ok());
  ASSERT_EQ(host.binds.size(), 3u);
  host.complete(2, configuration.path());
  EXPECT_EQ(save_state(control), sample);
}

TEST_F(Downloads, DownloadEndingAfterTheControlIsGoneIsIgnored) {
  IDispatch* target = create_control();
  DownloadSite site(Offer::service, &host);
  set_site(target, &site);
  ASSERT_TRUE(call(target, L"LoadConfiguration", {Var(kConfigurationUrl)}).ok());
  set_site(target, nullptr);
  EXPECT_EQ(target->Release(), 0u);
  host.complete(0, configuration.path());  // must not reach the released control
  EXPECT_EQ(host.binds.size(), 1u);
}

TEST_F(Downloads, CachedUrlIsReadFromTheCache) {
  const wchar_t* url = L"http://example.invalid/cached/main.tdk";
  wchar_t cache_file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryW(url, 0, L"tdk", cache_file, 0));
  write_compound_file(cache_file, L"ToolBars", sample);
  FILETIME never{};
  ASSERT_TRUE(CommitUrlCacheEntryW(url, cache_file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));

  DownloadSite site(Offer::service, &host);
  site_control(site);
  CallResult loaded = call(control, L"LoadConfiguration", {Var(url)});
  DeleteUrlCacheEntryW(url);
  ASSERT_TRUE(loaded.ok()) << std::hex << loaded.error();
  EXPECT_TRUE(host.monikers.empty());
  EXPECT_EQ(save_state(control), sample);
}

TEST_F(Downloads, SoundDownloadsOnceWhilePending) {
  DownloadSite site(Offer::service, &host);
  site_control(site);
  const wchar_t* sound = L"http://example.invalid/ding.wav";
  constexpr int kDownload = 2, kPlayDefault = 4, kPlayWhenDownloaded = 16, kPlaySystemSound = 32;
  struct Step {
    const char* what;
    const wchar_t* sound;
    int flags;
    std::size_t binds_after;
  } steps[] = {
      {"empty name does nothing", L"", kDownload, 0},
      {"system sound is played by name", L"SystemAsterisk", kPlaySystemSound, 0},
      {"download starts", sound, kDownload | kPlayWhenDownloaded, 1},
      {"same sound while pending", sound, kDownload | kPlayDefault, 1},
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(call(control, L"PlaySoundFile", {Var(s.sound), Var(s.flags)}).ok()) << s.what;
    EXPECT_EQ(host.binds.size(), s.binds_after) << s.what;
  }
  ASSERT_EQ(host.monikers, std::vector<std::wstring>{sound});
  // Once the download has ended the sound can be downloaded again.
  host.complete(0, configuration.path());
  EXPECT_TRUE(call(control, L"PlaySoundFile", {Var(sound), Var(kDownload)}).ok());
  EXPECT_EQ(host.binds.size(), 2u);
}

}  // namespace
}  // namespace mz::test
