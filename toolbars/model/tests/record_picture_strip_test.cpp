#include "toolbars/model/record_picture_strip.h"

#include <gtest/gtest.h>

#include <array>

#include "toolbars/model/tests/record_fixtures.h"

namespace mz::records {
namespace {

using testing::Bytes;
using testing::PatternImage;

// Test-side writer of packed bitmaps in every supported depth, so cutting is
// checked against bitmaps not made by the code under test.
struct DibFormat {
  unsigned bitCount;
  bool topDown;
  bool bitFields;  // 16 and 32 bits: explicit 5-6-5 or 8-8-8 masks
  std::uint32_t headerSize = 40;
};

// A colour table of 2^bitCount distinct colours.
std::vector<std::uint32_t> Palette(unsigned bitCount) {
  std::vector<std::uint32_t> palette;
  for (unsigned i = 0; i < (1u << bitCount); ++i) palette.push_back((i * 0x00112233u + 0x00405060u) & 0x00FFFFFF);
  return palette;
}

// Writes a width x height bitmap of a fixed pattern and returns it with the
// colours, rows from the top, that cutting must find in it.
std::pair<std::vector<std::uint8_t>, std::vector<std::uint32_t>> MakeDib(const DibFormat& format, int width, int height) {
  const bool indexed = format.bitCount <= 8;
  const std::vector<std::uint32_t> palette = indexed ? Palette(format.bitCount) : std::vector<std::uint32_t>{};
  std::vector<std::uint32_t> expected;
  std::vector<std::uint32_t> raw;  // index or packed value per pixel
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t n = static_cast<std::uint32_t>(x * 7 + y * 13);
      if (indexed) {
        const std::uint32_t index = n % palette.size();
        raw.push_back(index);
        expected.push_back(palette[index]);
      } else if (format.bitCount == 16) {
        const std::uint32_t r = n % 32, g = (n * 3) % 64, b = (n * 5) % 32;
        if (format.bitFields) {
          raw.push_back(r << 11 | g << 5 | b);
          expected.push_back((r * 255 / 31) << 16 | (g * 255 / 63) << 8 | (b * 255 / 31));
        } else {
          const std::uint32_t g5 = g % 32;
          raw.push_back(r << 10 | g5 << 5 | b);
          expected.push_back((r * 255 / 31) << 16 | (g5 * 255 / 31) << 8 | (b * 255 / 31));
        }
      } else {
        const std::uint32_t color = (n * 0x00030507u) & 0x00FFFFFF;
        raw.push_back(color);
        expected.push_back(color);
      }
    }
  }

  const int stride = (width * static_cast<int>(format.bitCount) + 31) / 32 * 4;
  Bytes b;
  b.U32(format.headerSize).I32(width).I32(format.topDown ? -height : height).I16(1).I16(static_cast<std::int16_t>(format.bitCount));
  b.U32(format.bitFields ? 3 : 0).U32(0).U32(2835).U32(2835).U32(indexed ? static_cast<std::uint32_t>(palette.size()) : 0).U32(0);
  const std::uint32_t masks[3] = {format.bitCount == 16 ? 0xF800u : 0x00FF0000u, format.bitCount == 16 ? 0x07E0u : 0x0000FF00u,
                                  format.bitCount == 16 ? 0x001Fu : 0x000000FFu};
  for (std::uint32_t i = 40; i < format.headerSize; i += 4) b.U32(format.bitFields && i < 52 ? masks[(i - 40) / 4] : 0);
  if (format.bitFields && format.headerSize == 40) b.U32(masks[0]).U32(masks[1]).U32(masks[2]);
  for (std::uint32_t color : palette) b.U8(color & 0xFF).U8((color >> 8) & 0xFF).U8((color >> 16) & 0xFF).U8(0);
  for (int row = 0; row < height; ++row) {
    const int y = format.topDown ? row : height - 1 - row;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = raw[static_cast<std::size_t>(y * width + x)];
      switch (format.bitCount) {
        case 1: line[x / 8] |= static_cast<std::uint8_t>(v << (7 - x % 8)); break;
        case 4: line[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v); break;
        case 8: line[x] = static_cast<std::uint8_t>(v); break;
        case 16: line[2 * x] = v & 0xFF; line[2 * x + 1] = (v >> 8) & 0xFF; break;
        case 24: line[3 * x] = v & 0xFF; line[3 * x + 1] = (v >> 8) & 0xFF; line[3 * x + 2] = (v >> 16) & 0xFF; break;
        case 32: for (int i = 0; i < 4; ++i) line[4 * x + i] = (v >> (8 * i)) & 0xFF; break;
      }
    }
    b.Raw(line);
  }
  return {b.data(), expected};
}

PixelImage Crop(const std::vector<std::uint32_t>& pixels, int width, int left, int w, int h) {
  PixelImage image{w, h, {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.Pixels.push_back(pixels[static_cast<std::size_t>(y * width + left + x)]);
  }
  return image;
}

TEST(PictureStrip, BuildsA32BitStripOfCellsFilledWithTheBackColour) {
  const std::vector<PixelImage> cells = {PatternImage(16, 16, 1), PatternImage(20, 10, 2), PatternImage(40, 40, 3)};
  Result<std::vector<std::uint8_t>> strip = BuildPictureStrip(cells, 0x00A0B0C0);
  ASSERT_TRUE(strip.ok());

  RecordReader header(*strip);
  EXPECT_EQ(header.U32(), 40u);   // header size
  EXPECT_EQ(header.I32(), 96);    // 32 x 3 cells
  EXPECT_EQ(header.I32(), 33);    // bottom-up
  EXPECT_EQ(header.I16(), 1);     // planes
  EXPECT_EQ(header.I16(), 32);    // bits per pixel
  EXPECT_EQ(header.U32(), 0u);    // uncompressed
  EXPECT_EQ(strip->size(), 40u + 96u * 33u * 4u);

  for (std::size_t k = 0; k < cells.size(); ++k) {
    Result<PixelImage> cut = CutStripCell(*strip, k, cells[k].Width, cells[k].Height);
    ASSERT_TRUE(cut.ok()) << k;
    const int w = std::min(cells[k].Width, 32), h = std::min(cells[k].Height, 33);
    EXPECT_EQ(*cut, Crop(cells[k].Pixels, cells[k].Width, 0, w, h)) << k;
  }
  // Outside the pictures, the whole cell is the fill colour.
  Result<PixelImage> second = CutStripCell(*strip, 1, 32, 33);
  ASSERT_TRUE(second.ok());
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (x >= 20 || y >= 10) {
        ASSERT_EQ(second->Pixels[static_cast<std::size_t>(y * 32 + x)], 0x00A0B0C0u) << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(BuildPictureStrip({}, 0)->empty());
}

TEST(PictureStrip, RefusesImagesWhosePixelsDoNotMatchTheirSize) {
  const std::vector<PixelImage> cells = {PixelImage{4, 4, std::vector<std::uint32_t>(15)}};
  EXPECT_EQ(BuildPictureStrip(cells, 0).error().Code, RecordErrorCode::Inconsistent);
}

TEST(PictureStrip, CutsCellsFromBitmapsOfEveryDepth) {
  const DibFormat formats[] = {
      {1, false, false},  {1, true, false},  {4, false, false}, {4, true, false},   {8, false, false},
      {8, true, false},   {16, false, false}, {16, true, true}, {24, false, false}, {24, true, false},
      {32, false, false}, {32, true, true},  {32, false, true, 108}, {16, false, true, 124},
  };
  for (const DibFormat& format : formats) {
    SCOPED_TRACE(::testing::Message() << format.bitCount << " bits" << (format.topDown ? " top-down" : "")
                                      << (format.bitFields ? " masks" : "") << " header " << format.headerSize);
    const int width = 3 * 32 - 5, height = 33;  // the last cell is narrower than 32
    const auto [dib, pixels] = MakeDib(format, width, height);
    for (std::size_t cell = 0; cell < 3; ++cell) {
      Result<PixelImage> cut = CutStripCell(dib, cell, 30, 31);
      ASSERT_TRUE(cut.ok()) << cell;
      const int left = static_cast<int>(cell) * 32;
      EXPECT_EQ(*cut, Crop(pixels, width, left, std::min(30, width - left), 31)) << cell;
    }
  }
}

TEST(PictureStrip, RejectsBitmapsThatDoNotHoldWhatTheyClaim) {
  const auto [good, pixels] = MakeDib({8, false, false}, 64, 33);
  struct Case {
    const char* name;
    std::size_t offset;
    std::vector<std::uint8_t> field;  // bytes written over the good bitmap at offset
    std::size_t newSize;              // 0 keeps the size
  };
  auto le32 = [](std::uint32_t v) { return Bytes().U32(v).data(); };
  const Case cases[] = {
      {"header shorter than 40", 0, le32(12), 0},
      {"header longer than the data", 0, le32(100000), 0},
      {"zero width", 4, le32(0), 0},
      {"negative width", 4, le32(static_cast<std::uint32_t>(-64)), 0},
      {"zero height", 8, le32(0), 0},
      {"most negative height", 8, le32(0x80000000u), 0},
      {"huge width", 4, le32(0x7FFFFFFF), 0},
      {"huge height", 8, le32(0x7FFFFFFF), 0},
      {"two planes", 12, {2, 0}, 0},
      {"unknown depth", 14, {12, 0}, 0},
      {"run-length compressed", 16, le32(1), 0},
      {"masks on 8 bits", 16, le32(3), 0},
      {"more colours than the depth", 32, le32(257), 0},
      {"huge colour count", 32, le32(0x40000000), 0},
      {"bits cut short", 0, {}, 0},
      {"header cut short", 0, {}, 20},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> dib = good;
    std::copy(c.field.begin(), c.field.end(), dib.begin() + static_cast<std::ptrdiff_t>(c.offset));
    if (c.newSize) dib.resize(c.newSize);
    if (std::string_view(c.name) == "bits cut short") dib.pop_back();
    Result<PixelImage> cut = CutStripCell(dib, 0, 16, 16);
    ASSERT_FALSE(cut.ok()) << c.name;
    EXPECT_EQ(cut.error().Code, RecordErrorCode::BadBitmap) << c.name;
  }
}

TEST(PictureStrip, RejectsCellsOutsideTheStripOrEmpty) {
  const std::vector<PixelImage> cells = {PatternImage(16, 16, 1), PatternImage(16, 16, 2)};
  const std::vector<std::uint8_t> strip = *BuildPictureStrip(cells, 0);
  struct Case {
    std::size_t cell;
    int width, height;
  };
  const Case cases[] = {{2, 16, 16}, {SIZE_MAX, 16, 16}, {0, 0, 16}, {0, 16, 0}, {1, -1, 16}};
  for (const Case& c : cases) {
    Result<PixelImage> cut = CutStripCell(strip, c.cell, c.width, c.height);
    ASSERT_FALSE(cut.ok()) << c.cell << " " << c.width << "x" << c.height;
    EXPECT_EQ(cut.error().Code, RecordErrorCode::BadCell);
  }
}

// A 40-byte information header of one plane.
Bytes InfoHeader(std::int32_t width, std::int32_t height, std::int16_t bitCount, std::uint32_t compression) {
  Bytes b;
  b.U32(40).I32(width).I32(height).I16(1).I16(bitCount).U32(compression).U32(0).U32(2835).U32(2835).U32(0).U32(0);
  return b;
}

// Rows of these widths take 2^32 + 32 bytes; cut to 32 bits they would take
// 32, which is all the bits there are, and the second cell would be read from
// past them.
TEST(PictureStrip, RefusesRowsTooLongForTheBitsRatherThanWrappingTheirSize) {
  struct Case {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    std::int16_t bitCount;
  };
  const Case cases[] = {
      {"32 bits, bottom-up", 0x40000008, 1, 32},
      {"32 bits, top-down", 0x40000008, -1, 32},
      {"24 bits", 1431655776, 1, 24},
  };
  for (const Case& c : cases) {
    Bytes b = InfoHeader(c.width, c.height, c.bitCount, 0);
    b.Raw(std::vector<std::uint8_t>(32, 0x7F));
    for (std::size_t cell : {std::size_t{0}, std::size_t{1}}) {
      Result<PixelImage> cut = CutStripCell(b.data(), cell, 32, 1);
      ASSERT_FALSE(cut.ok()) << c.name << ", cell " << cell;
      EXPECT_EQ(cut.error(), (RecordError{RecordErrorCode::BadBitmap, 40})) << c.name << ", cell " << cell;
    }
  }
}

// A mask with a gap gives channel values wider than a byte, which would run
// into the neighbouring channel of the pixel.
TEST(PictureStrip, RefusesColourMasksThatAreNotOneRunOfBits) {
  struct Case {
    const char* name;
    std::int16_t bitCount;
    std::array<std::uint32_t, 3> masks;  // red, green, blue
  };
  const Case cases[] = {
      {"16 bits, red with a gap", 16, {0x0801, 0x07E0, 0x001E}},
      {"16 bits, blue in two runs", 16, {0xF800, 0x07E0, 0x0011}},
      {"32 bits, green with a gap", 32, {0x00FF0000, 0x0000C100, 0x0000003F}},
  };
  for (const Case& c : cases) {
    Bytes b = InfoHeader(1, 1, c.bitCount, 3);
    b.U32(c.masks[0]).U32(c.masks[1]).U32(c.masks[2]).U32(0xFFFFFFFF);
    Result<PixelImage> cut = CutStripCell(b.data(), 0, 1, 1);
    ASSERT_FALSE(cut.ok()) << c.name;
    EXPECT_EQ(cut.error(), (RecordError{RecordErrorCode::BadBitmap, 40})) << c.name;
  }
  // The same bitmap with runs of bits cuts, every channel within its byte.
  Bytes good = InfoHeader(1, 1, 16, 3);
  good.U32(0xF800).U32(0x07E0).U32(0x001F).U32(0xFFFF);
  Result<PixelImage> cut = CutStripCell(good.data(), 0, 1, 1);
  ASSERT_TRUE(cut.ok());
  EXPECT_EQ(cut->Pixels, std::vector<std::uint32_t>{0x00FFFFFF});
}

// Width x height counts that a 32-bit size_t would wrap: the pixels present
// match the wrapped count, not the image.
TEST(PictureStrip, RefusesImagesWhosePixelCountWrapsInThirtyTwoBits) {
  struct Case {
    int width, height;
    std::size_t pixels;
  };
  const Case cases[] = {{65536, 65536, 0}, {65536, 65537, 65536}, {65537, 65536, 65536}};
  for (const Case& c : cases) {
    const std::vector<PixelImage> cells = {PixelImage{c.width, c.height, std::vector<std::uint32_t>(c.pixels)}};
    Result<std::vector<std::uint8_t>> strip = BuildPictureStrip(cells, 0);
    ASSERT_FALSE(strip.ok()) << c.width << "x" << c.height;
    EXPECT_EQ(strip.error().Code, RecordErrorCode::Inconsistent) << c.width << "x" << c.height;
  }
}

// One more cell than a bitmap's 32-bit image size can say: 32 x 33 pixels of
// 4 bytes per cell.
TEST(PictureStrip, RefusesStripsLargerThanABitmapCanSay) {
  const std::size_t cells = 0xFFFFFFFFu / (32 * 33 * 4) + 1;
  const std::vector<PixelImage> empty(cells);
  Result<std::vector<std::uint8_t>> strip = BuildPictureStrip(empty, 0);
  ASSERT_FALSE(strip.ok());
  EXPECT_EQ(strip.error().Code, RecordErrorCode::ValueTooLarge);
}

TEST(PictureStrip, ColorRefBecomesAPixel) {
  EXPECT_EQ(PixelFromColorRef(0x00112233), 0x00332211u);
  EXPECT_EQ(PixelFromColorRef(0x000000FF), 0x00FF0000u);
}

}  // namespace
}  // namespace mz::records
