#pragma once
// The platform's side of the saved records: texts in the system's ANSI code
// page, host values kept as variants, and standard picture objects.
#include <string>
#include <string_view>

#include "deck_records.h"

namespace mz::com {

std::string to_ansi(std::wstring_view text);
std::wstring from_ansi(std::string_view text);

class RecordPlatformWin32 final : public RecordPlatform {
 public:
  std::string to_ansi(std::wstring_view text) const override;
  std::wstring from_ansi(std::string_view text) const override;
  std::string tag_text(const Opaque& tag) const override;
  std::string item_data_text(const Opaque& data) const override;
  Opaque text_value(std::wstring_view text) const override;
  PictureRef inline_picture(std::span<const std::uint8_t> bytes) const override;
  PictureRef picture_from_pixels(const records::PixelImage& image) const override;
  std::optional<records::PixelImage> picture_pixels(const PictureRef& picture, std::uint32_t fill) const override;
};

// The one instance; it keeps no state.
const RecordPlatform& record_platform();

}  // namespace mz::com
