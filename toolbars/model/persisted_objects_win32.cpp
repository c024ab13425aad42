#include "persisted_objects_win32.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "com_ptr.h"

namespace mz::com {
namespace {

// A stored picture starts with this tag and the byte count of what follows.
constexpr std::uint32_t kPictureTag = 0x0000746C;
constexpr std::size_t kPictureHeader = 8;
// A stored font: version, charset (2), flags, weight (2), size (4), then the
// face name's byte count and the name.
constexpr std::size_t kFontFixedPart = 10;

std::uint32_t read_u32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::optional<std::size_t> measure_picture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kPictureHeader || read_u32(bytes) != kPictureTag) return std::nullopt;
  const std::size_t body = read_u32(bytes.subspan(4));
  if (body > bytes.size() - kPictureHeader) return std::nullopt;
  return kPictureHeader + body;
}

std::optional<std::size_t> measure_font(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFontFixedPart + 1) return std::nullopt;
  const std::size_t size = kFontFixedPart + 1 + bytes[kFontFixedPart];
  if (size > bytes.size()) return std::nullopt;
  return size;
}

}  // namespace

HRESULT stream_over(std::span<const std::uint8_t> bytes, IStream** out) {
  *out = nullptr;
  ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  if (FAILED(hr)) return hr;
  hr = write_all(stream.get(), bytes);
  if (FAILED(hr)) return hr;
  LARGE_INTEGER zero{};
  hr = stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  if (FAILED(hr)) return hr;
  *out = stream.detach();
  return S_OK;
}

HRESULT read_rest(IStream* stream, std::vector<std::uint8_t>& out) {
  out.clear();
  constexpr ULONG kChunk = 64 * 1024;
  for (;;) {
    const std::size_t at = out.size();
    out.resize(at + kChunk);
    ULONG read = 0;
    HRESULT hr = stream->Read(out.data() + at, kChunk, &read);
    out.resize(at + read);
    if (FAILED(hr)) return hr;
    if (read == 0) return S_OK;
  }
}

HRESULT write_all(IStream* stream, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(bytes.size(), std::numeric_limits<LONG>::max()));
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes.data(), chunk, &written);
    if (FAILED(hr)) return hr;
    if (written == 0) return STG_E_MEDIUMFULL;
    bytes = bytes.subspan(written);
  }
  return S_OK;
}

ULARGE_INTEGER stream_position(IStream* stream) {
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  stream->Seek(zero, STREAM_SEEK_CUR, &position);
  return position;
}

HRESULT seek_to(IStream* stream, ULARGE_INTEGER start, std::uint64_t offset) {
  LARGE_INTEGER target;
  target.QuadPart = static_cast<LONGLONG>(start.QuadPart + offset);
  return stream->Seek(target, STREAM_SEEK_SET, nullptr);
}

HRESULT save_object(IUnknown* object, std::vector<std::uint8_t>& out) {
  ComPtr<IPersistStream> persist;
  HRESULT hr = object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.put()));
  if (FAILED(hr)) return hr;
  ComPtr<IStream> stream;
  hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  if (FAILED(hr)) return hr;
  hr = persist->Save(stream.get(), TRUE);
  if (FAILED(hr)) return hr;
  LARGE_INTEGER zero{};
  hr = stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  if (FAILED(hr)) return hr;
  return read_rest(stream.get(), out);
}

HRESULT load_font(std::span<const std::uint8_t> bytes, IFontDisp** out) {
  *out = nullptr;
  wchar_t face[] = L"MS Sans Serif";
  FONTDESC description{sizeof(FONTDESC), face, {{80000, 0}}, FW_NORMAL, ANSI_CHARSET, FALSE, FALSE, FALSE};
  ComPtr<IFontDisp> font;
  HRESULT hr = OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(font.put()));
  if (FAILED(hr)) return hr;
  auto persist = font.query<IPersistStream>();
  if (!persist) return E_NOINTERFACE;
  ComPtr<IStream> stream;
  hr = stream_over(bytes, stream.put());
  if (FAILED(hr)) return hr;
  hr = persist->Load(stream.get());
  if (FAILED(hr)) return hr;
  *out = font.detach();
  return S_OK;
}

HRESULT load_picture(std::span<const std::uint8_t> bytes, IPictureDisp** out) {
  *out = nullptr;
  ComPtr<IStream> stream;
  HRESULT hr = stream_over(bytes, stream.put());
  if (FAILED(hr)) return hr;
  return OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPictureDisp,
                        reinterpret_cast<void**>(out));
}

records::StoredObjectMeasures stored_object_measures() { return {measure_font, measure_picture}; }

}  // namespace mz::com
