// Configuration files (the control's whole saved state in the stream
// "ToolBars" of a compound file, or in a memory stream) and layout files (the
// toolbars' arrangement in the stream "Layout"), named by local file or, when
// the container can download, by URL; and sounds played from files named the
// same way.
#include "control_object.h"

#include <mmsystem.h>

#include <cwctype>
#include <iterator>
#include <optional>

#include "dispatch_ids.h"
#include "error_info.h"
#include "persisted_objects_win32.h"
#include "record_platform_win32.h"
#include "scoped_value.h"
#include "text.h"
#include "toolbars/model/record_layout.h"

namespace mz::com {
namespace {

constexpr wchar_t kConfigurationStream[] = L"ToolBars";
constexpr wchar_t kLayoutStream[] = L"Layout";

// A download is tagged with the DISPID of the method that started it.
constexpr DISPID kLoadConfigurationId = DISPID_IMzToolBarControl_LoadConfiguration;
constexpr DISPID kLoadLayoutId = DISPID_IMzToolBarControl_LoadLayout;
constexpr DISPID kPlaySoundFileId = DISPID_IMzToolBarControl_PlaySoundFile;

constexpr wchar_t kFilePrefix[] = L"file://";
constexpr std::size_t kFilePrefixLength = std::size(kFilePrefix) - 1;

// The local file of a "file://" name: the rest of the name, without the slash
// that "file:///c:/..." puts before the drive.
std::optional<std::wstring> file_url_path(const std::wstring& name) {
  if (name.size() < kFilePrefixLength || _wcsnicmp(name.c_str(), kFilePrefix, kFilePrefixLength) != 0)
    return std::nullopt;
  std::wstring path = name.substr(kFilePrefixLength);
  if (path.size() >= 3 && path[0] == L'/' && iswalpha(path[1]) && path[2] == L':') path.erase(0, 1);
  return path;
}

void play_file_async(const std::wstring& file) {
  PlaySoundW(file.c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME);
}

std::wstring lower_case(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// Creates (or replaces) a compound file holding one stream with `bytes`.
HRESULT write_compound_file(const std::wstring& path, const wchar_t* stream_name, std::span<const std::uint8_t> bytes) {
  ComPtr<IStorage> storage;
  HRESULT hr = StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.put());
  if (FAILED(hr)) return hr;
  ComPtr<IStream> stream;
  hr = storage->CreateStream(stream_name, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.put());
  if (FAILED(hr)) return hr;
  hr = write_all(stream.get(), bytes);
  if (FAILED(hr)) return hr;
  return storage->Commit(STGC_DEFAULT);
}

// The content of one stream of a compound file, opened for reading while
// others may read it too. The stream lives only as long as its storage.
HRESULT read_compound_stream(const std::wstring& path, const wchar_t* stream_name, std::vector<std::uint8_t>& out) {
  ComPtr<IStorage> storage;
  HRESULT hr = StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, storage.put());
  if (FAILED(hr)) return hr;
  ComPtr<IStream> stream;
  hr = storage->OpenStream(stream_name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put());
  if (FAILED(hr)) return hr;
  return read_rest(stream.get(), out);
}

bool starts_with_header(std::span<const std::uint8_t> bytes) {
  records::RecordReader reader(bytes);
  return reader.U32() == records::kControlStreamSignature && reader.U32() == records::kControlStreamHeaderWord &&
         !reader.Failed();
}

}  // namespace

// --- Configuration files ----------------------------------------------------------

HRESULT ControlObject::SaveConfiguration(BSTR config_file) {
  return guarded([&]() -> HRESULT {
    std::vector<std::uint8_t> bytes;
    HRESULT hr = encode_state(bytes);
    if (SUCCEEDED(hr)) hr = write_compound_file(from_bstr(config_file), kConfigurationStream, bytes);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ControlObject::SaveConfigurationEx(VARIANT* configuration) {
  return guarded([&]() -> HRESULT {
    if (!configuration) return plain_failure(E_POINTER);
    VariantInit(configuration);
    std::vector<std::uint8_t> bytes;
    HRESULT hr = encode_state(bytes);
    ComPtr<IStream> stream;
    if (SUCCEEDED(hr)) hr = stream_over(bytes, stream.put());
    if (FAILED(hr)) return plain_failure(hr);
    V_VT(configuration) = VT_UNKNOWN;
    V_UNKNOWN(configuration) = stream.detach();
    return S_OK;
  });
}

HRESULT ControlObject::LoadConfiguration(BSTR config_file) {
  return guarded([&]() -> HRESULT {
    if (deck_.modes.designer) {
      // The designer only names the file it will write; nothing is loaded.
      if (!designer_configuration_.empty()) DeleteFileW(designer_configuration_.c_str());
      designer_configuration_ = from_bstr(config_file);
      return S_OK;
    }
    if (in_event_) return fail(ErrorCode::inside_event);
    HRESULT hr = S_OK;
    const auto file = resolve_file_name(lower_case(from_bstr(config_file)), kLoadConfigurationId, hr);
    if (file) hr = load_configuration_file(*file);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ControlObject::load_configuration_file(const std::wstring& file) {
  std::vector<std::uint8_t> bytes;
  HRESULT hr = read_compound_stream(file, kConfigurationStream, bytes);
  if (SUCCEEDED(hr)) hr = load_configuration(bytes);
  return hr;
}

HRESULT ControlObject::LoadConfigurationEx(VARIANT configuration) {
  return guarded([&]() -> HRESULT {
    if (in_event_) return fail(ErrorCode::inside_event);
    const VARIANT& value = value_of(configuration);
    ComPtr<IStream> stream;
    if (V_VT(&value) != VT_UNKNOWN || !V_UNKNOWN(&value) ||
        FAILED(V_UNKNOWN(&value)->QueryInterface(IID_IStream, reinterpret_cast<void**>(stream.put()))))
      return plain_failure(E_UNEXPECTED);
    // The configuration is the whole stream, wherever its position was left.
    LARGE_INTEGER zero{};
    std::vector<std::uint8_t> bytes;
    HRESULT hr = stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr)) hr = read_rest(stream.get(), bytes);
    if (SUCCEEDED(hr)) hr = load_configuration(bytes);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ControlObject::load_configuration(std::span<const std::uint8_t> bytes) {
  HRESULT hr = S_OK;
  {
    // No drawing, no events and no hooks while the state is replaced; the
    // window set-up at the end installs the hooks again.
    ScopedValue redraw(redraw_, false);
    ScopedValue loading(loading_, true);
    remove_hooks_for_load();
    // A failed load keeps what the read produced, never the previous state.
    hr = decode_state(bytes, false, nullptr);
    // The earliest configurations start directly with the property block. A
    // state that has the header and fails later is not one of them: reading
    // it again without the header would only replace what was read with noise.
    if (FAILED(hr) && !starts_with_header(bytes)) {
      loaded_version_ = records::kHeaderlessVersion;
      hr = decode_state(bytes, true, nullptr);
    }
  }
  property_changed(DISPID_UNKNOWN);
  refresh_layout();
  if (SUCCEEDED(hr))
    finish_load();
  else if (!design_time() && has_window())
    set_up_windows(true);
  return hr;
}

// --- Layout files -----------------------------------------------------------------

HRESULT ControlObject::SaveLayout(BSTR config_file) {
  return guarded([&]() -> HRESULT {
    auto bytes = records::EncodeLayoutStream(save_layout(deck_, record_platform()));
    if (!bytes) return plain_failure(E_INVALIDARG);
    HRESULT hr = write_compound_file(from_bstr(config_file), kLayoutStream, *bytes);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ControlObject::LoadLayout(BSTR layout_file) {
  return guarded([&]() -> HRESULT {
    HRESULT hr = S_OK;
    const auto file = resolve_file_name(from_bstr(layout_file), kLoadLayoutId, hr);
    if (file) hr = load_layout_file(*file);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ControlObject::load_layout_file(const std::wstring& file) {
  std::vector<std::uint8_t> bytes;
  HRESULT hr = read_compound_stream(file, kLayoutStream, bytes);
  if (SUCCEEDED(hr)) hr = load_layout(bytes);
  return hr;
}

HRESULT ControlObject::load_layout(std::span<const std::uint8_t> bytes) {
  bool read_count = false;
  {
    ScopedValue redraw(redraw_, false);
    ScopedValue loading(loading_, true);
    ScopedValue enabled(properties_.enabled, false);
    deck_.clear_toolbars();
    records::RecordReader reader(bytes);
    auto read = records::ReadLayoutStream(reader, loaded_version_);
    read_count = read.ok();
    if (read) {
      // What was read before a later failure is kept, and the load succeeds.
      load_toolbars(deck_, read->Value.ToolBars, record_platform());
      load_usage(deck_, read->Value.Usage, record_platform());
    }
  }
  property_changed(DISPID_UNKNOWN);
  refresh_layout();
  return read_count ? S_OK : STG_E_READFAULT;
}

// --- Names read through the container ---------------------------------------------

std::optional<std::wstring> ControlObject::resolve_file_name(const std::wstring& name, DISPID tag, HRESULT& hr) {
  hr = S_OK;
  const ComPtr<IBindHost> host = find_bind_host(site_.client_site());
  if (!host) return name;
  if (auto path = file_url_path(name)) return path;
  if (auto cached = cached_file(name)) return cached;
  hr = downloads_.start(host.get(), name, tag, *this);
  return std::nullopt;
}

// The download's file is read directly: handing it to the public method
// again would resolve it as a URL once more and download it without end.
// Nobody waits for the outcome, so it is not reported.
void ControlObject::download_done(DISPID tag, const std::wstring& file) {
  downloads_.finished(tag);
  switch (tag) {
    case kLoadConfigurationId:
      if (!file.empty() && !in_event_) load_configuration_file(file);
      break;
    case kLoadLayoutId:
      if (!file.empty()) load_layout_file(file);
      break;
    case kPlaySoundFileId:
      pending_sound_.clear();
      if (play_when_downloaded_ && !file.empty()) play_file_async(file);
      break;
    default:
      break;
  }
}

// --- Sounds -----------------------------------------------------------------------

// A sound is played at once when the container cannot download; otherwise it
// comes from the internet cache or is downloaded first, as the flags say.
// Nothing is reported, whether or not it played.
HRESULT ControlObject::PlaySoundFile(BSTR sound, VARIANT sound_flags) {
  return guarded([&]() -> HRESULT {
    if (SysStringLen(sound) == 0) return S_OK;
    std::int32_t flags = mzWaitAndPlay;
    if (!is_missing(sound_flags))
      if (auto given = int32_argument(sound_flags)) flags = *given;
    const std::wstring name = from_bstr(sound);
    const ComPtr<IBindHost> host = find_bind_host(site_.client_site());
    if (!host || (flags & mzPlaySystemSound)) {
      const DWORD kind = (flags & mzPlaySystemSound) ? SND_ALIAS : SND_FILENAME;
      PlaySoundW(name.c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | kind);
      return S_OK;
    }
    if (flags & mzPlayIfCached) {
      if (auto cached = cached_file(name)) {
        play_file_async(*cached);
        return S_OK;
      }
    }
    if (!(flags & mzWaitAndPlay)) {
      if (flags & mzPlayDefault) PlaySoundW(L"Default", nullptr, SND_ASYNC | SND_NODEFAULT | SND_ALIAS);
      if (!pending_sound_.empty() && pending_sound_ == name) return S_OK;
      pending_sound_ = name;
      play_when_downloaded_ = (flags & mzPlayWhenDownloaded) != 0;
      if (FAILED(downloads_.start(host.get(), name, kPlaySoundFileId, *this))) pending_sound_.clear();
      return S_OK;
    }
    if (auto downloaded = download_to_cache(name)) play_file_async(*downloaded);
    return S_OK;
  });
}

}  // namespace mz::com
