#pragma once
// A tool's images over plain pixel buffers: which of its pictures a state
// shows, the gray and the generated disabled renderings, the shape of a
// picture (its non-transparent pixels as rectangles) and the 32 x 32 stretch
// of large icons. The Windows side reads pictures into buffers and turns the
// results into bitmaps and regions.
#include <array>
#include <cstdint>
#include <vector>

#include "geometry.h"

namespace mz::images {

// Pixels in rows from the top. Without a palette each pixel is a colour
// 0x00RRGGBB; with one it is an index into the palette.
struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint32_t> palette;

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // The colour of a pixel, through the palette when there is one.
  std::uint32_t colour_at(int x, int y) const;
};

// Which pictures the host gave a tool.
struct GivenPictures {
  bool normal = false;
  bool down = false;
  bool disabled = false;
  bool down_disabled = false;
};

struct ToolImageState {
  bool pressed_or_checked = false;
  bool hot = false;
  bool enabled = true;
  bool active_colors = false;
};

enum class ImageKind : std::uint8_t { none, normal, down, disabled, down_disabled, gray, generated_disabled };

// The image a state shows. A gray or generated image is made from `source`
// (normal or down); for the others `source` equals `kind`.
struct ImageChoice {
  ImageKind kind = ImageKind::none;
  ImageKind source = ImageKind::none;
  constexpr bool operator==(const ImageChoice&) const = default;
};

ImageChoice choose_image(const GivenPictures& given, const ToolImageState& state);

// Luminance (30 R + 59 G + 11 B) / 100 of a 0x00RRGGBB colour, reduced to
// one of four grays (0, 128, 192, 255), returned as a colour.
std::uint32_t gray_of(std::uint32_t colour);
std::array<std::uint32_t, 16> gray_table(const std::array<std::uint32_t, 16>& colours);

// The colour of the bottom-left pixel (a palette index for palette buffers),
// the transparent colour of a picture. The buffer must not be empty.
std::uint32_t bottom_left(const PixelBuffer& image);

// The pixels that are not `transparent`, as rectangles: each row's runs, with
// a row whose runs equal the row above extending that row's rectangles
// downwards. Empty when every pixel is transparent.
std::vector<Rect> shape_rects(const PixelBuffer& image, std::uint32_t transparent);

// Palette indices of the generated disabled picture.
inline constexpr std::uint32_t kDisabledShadow = 0;
inline constexpr std::uint32_t kDisabledFace = 1;

// The disabled silhouette of a non-empty picture: a two-colour buffer with the palette
// {shadow, face}. Shape pixels (those not of the bottom-left colour) become
// shadow unless the source is white there; everything else is face.
PixelBuffer generated_disabled(const PixelBuffer& source, std::uint32_t shadow, std::uint32_t face);

inline constexpr int kLargeIconSize = 32;

// A picture of up to 32 x 32 stretched to 32 x 32 (nearest pixel); a larger
// picture keeps its size.
PixelBuffer stretch_for_large(const PixelBuffer& image);

}  // namespace mz::images
