#include "toolbars/model/record_picture_strip.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <optional>

#include "toolbars/model/record_checked_size.h"
#include "toolbars/model/record_reader.h"

namespace mz::records {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;        // uncompressed
constexpr std::uint32_t kBitFields = 3;  // uncompressed, channels given by masks

// A packed bitmap whose sizes have all been checked against its bytes.
struct DibView {
  std::int64_t Width = 0;
  std::int64_t Height = 0;  // rows, positive
  bool TopDown = false;
  unsigned BitCount = 0;
  std::span<const std::uint8_t> Palette;  // 4 bytes per entry: blue, green, red, unused
  std::span<const std::uint8_t> Bits;
  std::size_t Stride = 0;
  bool UseMasks = false;
  std::array<std::uint32_t, 3> Masks{};  // red, green, blue
};

// The next `size` bytes of `dib` from `at`, moving `at` past them, or nothing
// when they are not all there.
std::optional<std::span<const std::uint8_t>> Slice(std::span<const std::uint8_t> dib, std::size_t& at, CheckedSize size) {
  if (!size.AtMost(dib.size() - at)) return std::nullopt;
  const std::span<const std::uint8_t> part = dib.subspan(at, static_cast<std::size_t>(size.Value()));
  at += part.size();
  return part;
}

// A colour mask is empty or one run of set bits; any other mask would give
// channel values wider than a byte, which would spill into the next channel.
bool IsBitRun(std::uint32_t mask) {
  return mask == 0 || std::has_single_bit((std::uint64_t{mask} >> std::countr_zero(mask)) + 1);
}

Result<DibView> ParseDib(std::span<const std::uint8_t> dib) {
  RecordReader reader(dib);
  const std::uint32_t headerSize = reader.U32();
  const std::int32_t width = reader.I32();
  const std::int32_t height = reader.I32();
  const std::uint32_t planes = static_cast<std::uint16_t>(reader.I16());
  const unsigned bitCount = static_cast<std::uint16_t>(reader.I16());
  const std::uint32_t compression = reader.U32();
  reader.U32();  // image size: recomputed, often 0
  reader.U32();  // horizontal resolution
  reader.U32();  // vertical resolution
  const std::uint32_t colorsUsed = reader.U32();
  reader.U32();  // important colours
  if (reader.Failed()) return RecordError{RecordErrorCode::BadBitmap, reader.Error()->Offset};

  auto bad = [](std::size_t offset) { return RecordError{RecordErrorCode::BadBitmap, offset}; };
  if (headerSize < kInfoHeaderSize || headerSize > dib.size()) return bad(0);
  if (width <= 0) return bad(4);
  if (height == 0 || height == std::numeric_limits<std::int32_t>::min()) return bad(8);
  if (planes != 1) return bad(12);
  const bool indexed = bitCount == 1 || bitCount == 4 || bitCount == 8;
  if (!indexed && bitCount != 16 && bitCount != 24 && bitCount != 32) return bad(14);
  const bool masked = compression == kBitFields;
  if (compression != kRgb && !(masked && (bitCount == 16 || bitCount == 32))) return bad(16);

  DibView view;
  view.Width = width;
  view.Height = height < 0 ? -static_cast<std::int64_t>(height) : height;
  view.TopDown = height < 0;
  view.BitCount = bitCount;

  std::size_t at = headerSize;  // checked against the size above
  if (masked) {
    // Masks follow a plain information header, or sit inside a larger one.
    const bool afterHeader = headerSize < kInfoHeaderSize + 12;
    RecordReader masks(dib.subspan(afterHeader ? headerSize : kInfoHeaderSize));
    for (std::uint32_t& mask : view.Masks) mask = masks.U32();
    if (masks.Failed()) return bad(kInfoHeaderSize);
    if (!std::all_of(view.Masks.begin(), view.Masks.end(), IsBitRun)) return bad(kInfoHeaderSize);
    if (afterHeader) at += 12;  // just read from there
    view.UseMasks = true;
  } else if (bitCount == 16) {
    view.UseMasks = true;
    view.Masks = {0x7C00, 0x03E0, 0x001F};
  }

  std::uint64_t paletteEntries = colorsUsed;
  if (indexed) {
    const std::uint64_t maxEntries = 1ull << bitCount;
    if (paletteEntries == 0) paletteEntries = maxEntries;
    if (paletteEntries > maxEntries) return bad(32);
  }
  const std::optional<std::span<const std::uint8_t>> palette = Slice(dib, at, CheckedSize(paletteEntries).Times(4));
  if (!palette) return bad(32);
  view.Palette = *palette;

  // Rows are padded to whole 32-bit words.
  const CheckedSize stride = CheckedSize(static_cast<std::uint64_t>(width)).Times(bitCount).Plus(31).DividedBy(32).Times(4);
  const std::size_t bitsStart = at;
  const std::optional<std::span<const std::uint8_t>> bits =
      Slice(dib, at, stride.Times(static_cast<std::uint64_t>(view.Height)));
  if (!bits) return bad(bitsStart);
  view.Bits = *bits;
  view.Stride = static_cast<std::size_t>(stride.Value());  // at most the size of the bits, so it fits
  return view;
}

std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const unsigned bits = static_cast<unsigned>(std::popcount(mask));
  const std::uint32_t v = (value & mask) >> std::countr_zero(mask);
  if (bits >= 8) return (v >> (bits - 8)) & 0xFF;
  return v * 255 / ((1u << bits) - 1);
}

std::uint32_t PaletteColor(const DibView& dib, std::size_t index) {
  if (index * 4 + 4 > dib.Palette.size()) return 0;
  const std::uint8_t* entry = dib.Palette.data() + index * 4;
  return (static_cast<std::uint32_t>(entry[2]) << 16) | (static_cast<std::uint32_t>(entry[1]) << 8) | entry[0];
}

// The pixel at column x of row y counted from the top. ParseDib has checked
// that all rows of the bitmap's width lie within its bits.
std::uint32_t PixelAt(const DibView& dib, std::size_t x, std::size_t y) {
  const std::size_t row = dib.TopDown ? y : static_cast<std::size_t>(dib.Height) - 1 - y;
  const std::uint8_t* p = dib.Bits.data() + row * dib.Stride;
  switch (dib.BitCount) {
    case 1: return PaletteColor(dib, (p[x / 8] >> (7 - x % 8)) & 0x01);
    case 4: return PaletteColor(dib, x % 2 == 0 ? p[x / 2] >> 4 : p[x / 2] & 0x0F);
    case 8: return PaletteColor(dib, p[x]);
    case 24: return (static_cast<std::uint32_t>(p[3 * x + 2]) << 16) | (static_cast<std::uint32_t>(p[3 * x + 1]) << 8) | p[3 * x];
    default: break;
  }
  std::uint32_t value = 0;
  const std::size_t bytes = dib.BitCount / 8;
  for (std::size_t i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(p[bytes * x + i]) << (8 * i);
  if (!dib.UseMasks) return value;
  return (Channel(value, dib.Masks[0]) << 16) | (Channel(value, dib.Masks[1]) << 8) | Channel(value, dib.Masks[2]);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::uint32_t PixelFromColorRef(std::uint32_t colorRef) {
  return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

Result<std::vector<std::uint8_t>> BuildPictureStrip(std::span<const PixelImage> cells, std::uint32_t fill) {
  if (cells.empty()) return std::vector<std::uint8_t>{};
  for (const PixelImage& image : cells) {
    const bool sized = image.Width >= 0 && image.Height >= 0 &&
                       CheckedSize(static_cast<std::uint64_t>(image.Width)).Times(static_cast<std::uint64_t>(image.Height)).ToSize() ==
                           image.Pixels.size();
    if (!sized) return RecordError{RecordErrorCode::Inconsistent, 0};
  }
  // The header holds the image size in 32 bits, which also keeps the width
  // well inside its signed 32-bit field.
  const CheckedSize stripWidth = CheckedSize(cells.size()).Times(kStripCellWidth);
  const CheckedSize stripImageSize = stripWidth.Times(4).Times(kStripHeight);
  if (!stripImageSize.AtMost(std::numeric_limits<std::uint32_t>::max()) ||
      !stripImageSize.Plus(kInfoHeaderSize).ToSize()) {
    return RecordError{RecordErrorCode::ValueTooLarge, 0};
  }

  const auto width = static_cast<std::size_t>(stripWidth.Value());
  std::vector<std::uint32_t> pixels(width * kStripHeight, fill);  // rows from the top
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const PixelImage& image = cells[k];
    const int w = std::min(image.Width, kStripCellWidth);
    const int h = std::min(image.Height, kStripHeight);
    for (int y = 0; y < h; ++y) {
      const std::uint32_t* from = image.Pixels.data() + static_cast<std::size_t>(y) * image.Width;
      std::copy(from, from + w, pixels.begin() + static_cast<std::ptrdiff_t>(y * width + k * kStripCellWidth));
    }
  }

  const auto imageSize = static_cast<std::size_t>(stripImageSize.Value());
  std::vector<std::uint8_t> dib(kInfoHeaderSize + imageSize, 0);
  PutU32(&dib[0], kInfoHeaderSize);
  PutU32(&dib[4], static_cast<std::uint32_t>(width));
  PutU32(&dib[8], kStripHeight);  // positive: rows stored bottom-up
  dib[12] = 1;                    // planes
  dib[14] = 32;                   // bits per pixel
  PutU32(&dib[16], kRgb);
  PutU32(&dib[20], static_cast<std::uint32_t>(imageSize));
  std::uint8_t* out = dib.data() + kInfoHeaderSize;
  for (int row = kStripHeight - 1; row >= 0; --row) {
    for (std::size_t x = 0; x < width; ++x, out += 4) PutU32(out, pixels[static_cast<std::size_t>(row) * width + x]);
  }
  return dib;
}

Result<PixelImage> CutStripCell(std::span<const std::uint8_t> dib, std::size_t cell, int width, int height) {
  Result<DibView> parsed = ParseDib(dib);
  if (!parsed) return parsed.error();
  const DibView& view = *parsed;

  const auto cells = static_cast<std::size_t>((view.Width + kStripCellWidth - 1) / kStripCellWidth);
  if (width <= 0 || height <= 0 || cell >= cells) return RecordError{RecordErrorCode::BadCell, 0};
  const std::int64_t left = static_cast<std::int64_t>(cell) * kStripCellWidth;

  PixelImage image;
  image.Width = static_cast<int>(std::min<std::int64_t>({width, kStripCellWidth, view.Width - left}));
  image.Height = static_cast<int>(std::min<std::int64_t>({height, kStripHeight, view.Height}));
  image.Pixels.reserve(static_cast<std::size_t>(image.Width) * image.Height);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      image.Pixels.push_back(PixelAt(view, static_cast<std::size_t>(left + x), static_cast<std::size_t>(y)));
    }
  }
  return image;
}

}  // namespace mz::records
