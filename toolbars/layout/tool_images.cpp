#include "tool_images.h"

#include <algorithm>

namespace mz::images {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

ImageChoice given_as_is(ImageKind kind) { return {kind, kind}; }

ImageChoice enabled_image(const GivenPictures& given, const ToolImageState& state) {
  if (state.pressed_or_checked && given.down) return given_as_is(ImageKind::down);
  if (!given.normal) return {};
  if (state.active_colors && !state.hot) return {ImageKind::gray, ImageKind::normal};
  return given_as_is(ImageKind::normal);
}

ImageChoice disabled_image(const GivenPictures& given, const ToolImageState& state) {
  if (state.pressed_or_checked && given.down_disabled) return given_as_is(ImageKind::down_disabled);
  if (given.disabled) return given_as_is(ImageKind::disabled);
  if (given.normal) return {ImageKind::generated_disabled, ImageKind::normal};
  if (state.pressed_or_checked && given.down) return {ImageKind::generated_disabled, ImageKind::down};
  return {};
}

// The runs [left; right) of one row's pixels that are not `transparent`.
std::vector<std::pair<int, int>> row_runs(const PixelBuffer& image, int y, std::uint32_t transparent) {
  std::vector<std::pair<int, int>> runs;
  int x = 0;
  while (x < image.width) {
    while (x < image.width && image.at(x, y) == transparent) ++x;
    const int start = x;
    while (x < image.width && image.at(x, y) != transparent) ++x;
    if (x > start) runs.emplace_back(start, x);
  }
  return runs;
}

}  // namespace

std::uint32_t PixelBuffer::colour_at(int x, int y) const {
  const std::uint32_t value = at(x, y);
  if (palette.empty()) return value;
  return value < palette.size() ? palette[value] : 0;
}

ImageChoice choose_image(const GivenPictures& given, const ToolImageState& state) {
  return state.enabled ? enabled_image(given, state) : disabled_image(given, state);
}

std::uint32_t gray_of(std::uint32_t colour) {
  const std::uint32_t red = (colour >> 16) & 0xFF;
  const std::uint32_t green = (colour >> 8) & 0xFF;
  const std::uint32_t blue = colour & 0xFF;
  const std::uint32_t luminance = (30 * red + 59 * green + 11 * blue) / 100;
  std::uint32_t level = 128;
  if (luminance >= 192) level = 255;
  else if (luminance <= 64) level = 0;
  else if (luminance > 128) level = 192;
  return level << 16 | level << 8 | level;
}

std::array<std::uint32_t, 16> gray_table(const std::array<std::uint32_t, 16>& colours) {
  std::array<std::uint32_t, 16> grays{};
  std::transform(colours.begin(), colours.end(), grays.begin(), gray_of);
  return grays;
}

std::uint32_t bottom_left(const PixelBuffer& image) { return image.at(0, image.height - 1); }

std::vector<Rect> shape_rects(const PixelBuffer& image, std::uint32_t transparent) {
  std::vector<Rect> rects;
  std::vector<std::pair<int, int>> previous;
  std::size_t previous_first = 0;  // where the previous row's rectangles start in `rects`
  for (int y = 0; y < image.height; ++y) {
    auto runs = row_runs(image, y, transparent);
    if (!runs.empty() && runs == previous) {
      for (std::size_t i = previous_first; i < rects.size(); ++i) rects[i].bottom = y + 1;
      continue;
    }
    previous_first = rects.size();
    for (const auto& [left, right] : runs) rects.push_back({left, y, right, y + 1});
    previous = std::move(runs);
  }
  return rects;
}

PixelBuffer generated_disabled(const PixelBuffer& source, std::uint32_t shadow, std::uint32_t face) {
  PixelBuffer result{source.width, source.height, {}, {shadow, face}};
  result.pixels.assign(source.pixels.size(), kDisabledFace);
  const std::uint32_t transparent = bottom_left(source);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      if (source.at(x, y) != transparent && source.colour_at(x, y) != kWhite)
        result.pixels[static_cast<std::size_t>(y) * source.width + x] = kDisabledShadow;
    }
  }
  return result;
}

PixelBuffer stretch_for_large(const PixelBuffer& image) {
  if (image.pixels.empty() || image.width > kLargeIconSize || image.height > kLargeIconSize) return image;
  PixelBuffer large{kLargeIconSize, kLargeIconSize, {}, image.palette};
  large.pixels.reserve(kLargeIconSize * kLargeIconSize);
  for (int y = 0; y < kLargeIconSize; ++y) {
    for (int x = 0; x < kLargeIconSize; ++x)
      large.pixels.push_back(image.at(x * image.width / kLargeIconSize, y * image.height / kLargeIconSize));
  }
  return large;
}

}  // namespace mz::images
