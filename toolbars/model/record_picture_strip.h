#pragma once
// Picture strips: the tools' pictures saved side by side in one packed
// device-independent bitmap per kind of picture.
//
// A strip for n tools is 32 x n pixels wide and 33 high, filled with the
// control's background colour; the k-th tool's picture sits at the top-left
// of the cell whose left edge is at 32 * k. Strips are written as 32 bits per
// pixel; a loaded strip may have been made by other code, so cutting reads
// 1, 4, 8, 16, 24 and 32 bits per pixel, with colour tables and bit masks
// (each one run of bits), bottom-up and top-down, and checks every size
// against the bytes present, computed without overflow at any pointer width.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "toolbars/model/record_result.h"

namespace mz::records {

inline constexpr int kStripCellWidth = 32;
inline constexpr int kStripHeight = 33;

struct PixelImage {
  int Width = 0;
  int Height = 0;
  // Width * Height pixels, rows from the top, each 0x00RRGGBB. A 32-bit
  // strip's unused top byte is passed through as it is.
  std::vector<std::uint32_t> Pixels;

  bool operator==(const PixelImage&) const = default;
};

// A colour in the platform's 0x00BBGGRR order as a pixel value.
std::uint32_t PixelFromColorRef(std::uint32_t colorRef);

// The packed bitmap of a strip whose cell k shows cells[k], clipped to the
// 32 x 33 cell; empty when there are no cells. Fails with Inconsistent when
// an image's pixel count does not match its size, and with ValueTooLarge
// when the strip's image would be larger than a bitmap's 32-bit image size.
Result<std::vector<std::uint8_t>> BuildPictureStrip(std::span<const PixelImage> cells, std::uint32_t fill);

// The width x height pixels at the top-left of cell `cell` of a packed
// bitmap, clipped to the cell and to the bitmap. Fails with BadBitmap when
// the bitmap cannot be read and with BadCell when the cell lies outside it or
// the size is not positive.
Result<PixelImage> CutStripCell(std::span<const std::uint8_t> dib, std::size_t cell, int width, int height);

}  // namespace mz::records
