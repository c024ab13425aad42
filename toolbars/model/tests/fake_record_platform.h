#pragma once
// A RecordPlatform without the platform: texts are Latin-1, kept values are
// plain texts, and a picture is its pixels (one without pixels stands for a
// picture object that holds no image).
#include <optional>

#include "deck_records.h"

namespace mz::test {

struct TextValue final : OpaqueValue {
  explicit TextValue(std::wstring value) : text(std::move(value)) {}
  std::wstring text;
  std::unique_ptr<OpaqueValue> clone() const override { return std::make_unique<TextValue>(*this); }
};

struct PixelPicture final : PictureObject {
  explicit PixelPicture(std::optional<records::PixelImage> image) : pixels(std::move(image)) {}
  std::optional<records::PixelImage> pixels;
};

inline std::wstring text_of(const Opaque& value) {
  const auto* text = dynamic_cast<const TextValue*>(value.get());
  return text ? text->text : std::wstring();
}

class FakeRecordPlatform final : public RecordPlatform {
 public:
  std::string to_ansi(std::wstring_view text) const override { return std::string(text.begin(), text.end()); }
  std::wstring from_ansi(std::string_view text) const override {
    std::wstring wide;
    for (char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
  }
  std::string tag_text(const Opaque& tag) const override { return to_ansi(text_of(tag)); }
  std::string item_data_text(const Opaque& data) const override { return to_ansi(text_of(data)); }
  Opaque text_value(std::wstring_view text) const override {
    return Opaque(std::make_unique<TextValue>(std::wstring(text)));
  }
  PictureRef inline_picture(std::span<const std::uint8_t>) const override { return nullptr; }
  PictureRef picture_from_pixels(const records::PixelImage& image) const override {
    return std::make_shared<PixelPicture>(image);
  }
  std::optional<records::PixelImage> picture_pixels(const PictureRef& picture, std::uint32_t) const override {
    const auto* held = dynamic_cast<const PixelPicture*>(picture.get());
    return held ? held->pixels : std::nullopt;
  }
};

}  // namespace mz::test
