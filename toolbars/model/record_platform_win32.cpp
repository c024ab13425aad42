#include "record_platform_win32.h"

#include <windows.h>

#include <algorithm>

#include "com_ptr.h"
#include "persisted_objects_win32.h"
#include "picture_cells_win32.h"
#include "picture_ref_win32.h"
#include "tag_value.h"
#include "variant_args.h"

namespace mz::com {

std::string to_ansi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring from_ansi(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string RecordPlatformWin32::to_ansi(std::wstring_view text) const { return com::to_ansi(text); }
std::wstring RecordPlatformWin32::from_ansi(std::string_view text) const { return com::from_ansi(text); }

std::string RecordPlatformWin32::tag_text(const Opaque& tag) const {
  Variant value;
  if (FAILED(read_value(tag, value.get()))) return {};
  auto text = string_argument(*value.get());
  return text ? com::to_ansi(*text) : std::string();
}

std::string RecordPlatformWin32::item_data_text(const Opaque& data) const {
  Variant value;
  if (FAILED(read_value(data, value.get()))) return {};
  auto text = text_argument(*value.get());
  return text ? com::to_ansi(*text) : std::string();
}

Opaque RecordPlatformWin32::text_value(std::wstring_view text) const {
  Variant value;
  V_VT(value.get()) = VT_BSTR;
  V_BSTR(value.get()) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  Opaque kept;
  if (V_BSTR(value.get())) store_value(*value.get(), kept);
  return kept;
}

PictureRef RecordPlatformWin32::inline_picture(std::span<const std::uint8_t> bytes) const {
  ComPtr<IPictureDisp> picture;
  if (FAILED(load_picture(bytes, picture.put()))) return nullptr;
  return picture_ref(picture.get());
}

PictureRef RecordPlatformWin32::picture_from_pixels(const records::PixelImage& image) const {
  ComPtr<IPictureDisp> picture;
  if (FAILED(com::picture_from_pixels(image, picture.put()))) return nullptr;
  return picture_ref(picture.get());
}

std::optional<records::PixelImage> RecordPlatformWin32::picture_pixels(const PictureRef& picture,
                                                                      std::uint32_t fill) const {
  return com::picture_pixels(picture_object(picture), fill);
}

const RecordPlatform& record_platform() {
  static const RecordPlatformWin32 platform;
  return platform;
}

}  // namespace mz::com
