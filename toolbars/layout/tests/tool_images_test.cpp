// Picture choice per state, the gray mapping, shape rectangles, the generated
// disabled silhouette and the large-icon stretch, over small pixel pictures.
#include "tool_images.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mz::images {
namespace {

constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlack = 0x000000;

// A colour picture drawn with letters: '.' green, 'W' white, 'R' red, 'K' black.
PixelBuffer picture(const std::vector<std::string>& rows) {
  PixelBuffer image{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}, {}};
  for (const auto& row : rows) {
    for (char c : row) image.pixels.push_back(c == '.' ? kGreen : c == 'W' ? kWhite : c == 'R' ? kRed : kBlack);
  }
  return image;
}

// A palette picture drawn with digits, one palette index per pixel.
PixelBuffer indexed(const std::vector<std::string>& rows, std::vector<std::uint32_t> palette) {
  PixelBuffer image{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}, std::move(palette)};
  for (const auto& row : rows) {
    for (char c : row) image.pixels.push_back(static_cast<std::uint32_t>(c - '0'));
  }
  return image;
}

TEST(ToolImages, ChoiceTable) {
  using K = ImageKind;
  constexpr GivenPictures kAll{true, true, true, true};
  constexpr GivenPictures kNormal{.normal = true};
  constexpr GivenPictures kDown{.down = true};
  constexpr GivenPictures kNormalDown{.normal = true, .down = true};
  constexpr GivenPictures kNone{};
  struct Case {
    const char* name;
    GivenPictures given;
    ToolImageState state;
    ImageChoice expected;
  };
  const Case cases[] = {
      {"enabled plain", kAll, {}, {K::normal, K::normal}},
      {"enabled pressed", kAll, {.pressed_or_checked = true}, {K::down, K::down}},
      {"enabled pressed without a down picture", kNormal, {.pressed_or_checked = true}, {K::normal, K::normal}},
      {"active colours, not hot", kAll, {.active_colors = true}, {K::gray, K::normal}},
      {"active colours, hot", kAll, {.hot = true, .active_colors = true}, {K::normal, K::normal}},
      {"active colours, pressed", kAll, {.pressed_or_checked = true, .active_colors = true}, {K::down, K::down}},
      {"enabled with only a down picture", kDown, {}, {}},
      {"disabled pressed", kAll, {.pressed_or_checked = true, .enabled = false}, {K::down_disabled, K::down_disabled}},
      {"disabled", kAll, {.enabled = false}, {K::disabled, K::disabled}},
      {"disabled pressed without a down-disabled picture",
       GivenPictures{true, true, true, false},
       {.pressed_or_checked = true, .enabled = false},
       {K::disabled, K::disabled}},
      {"disabled, generated from the normal picture", kNormalDown, {.enabled = false},
       {K::generated_disabled, K::normal}},
      {"disabled pressed, generated from the normal picture", kNormalDown,
       {.pressed_or_checked = true, .enabled = false}, {K::generated_disabled, K::normal}},
      {"disabled pressed, generated from the down picture", kDown, {.pressed_or_checked = true, .enabled = false},
       {K::generated_disabled, K::down}},
      {"disabled, only a down picture, not pressed", kDown, {.enabled = false}, {}},
      {"no pictures", kNone, {.hot = true, .active_colors = true}, {}},
      {"no pictures, disabled", kNone, {.pressed_or_checked = true, .enabled = false}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(choose_image(c.given, c.state), c.expected);
  }
}

TEST(ToolImages, GrayLevels) {
  struct Case {
    std::uint32_t colour;
    std::uint32_t gray;
  };
  const Case cases[] = {
      {0x000000, 0x000000},
      {0xFFFFFF, 0xFFFFFF},
      {0x404040, 0x000000},  // luminance 64: still black
      {0x414141, 0x808080},  // 65
      {0x808080, 0x808080},  // 128: still the middle gray
      {0x818181, 0xC0C0C0},  // 129
      {0xBFBFBF, 0xC0C0C0},  // 191
      {0xC0C0C0, 0xFFFFFF},  // 192
  };
  // The channels weigh 30, 59 and 11 per cent.
  const Case weighted[] = {
      {0xFF0000, 0x808080},  // red 76
      {0x00FF00, 0xC0C0C0},  // green 150
      {0x0000FF, 0x000000},  // blue 28
      {0xFFFF00, 0xFFFFFF},  // yellow 226
      {0x00FFFF, 0xC0C0C0},  // cyan 178
  };
  for (const auto& c : cases) EXPECT_EQ(gray_of(c.colour), c.gray) << std::hex << c.colour;
  for (const auto& c : weighted) EXPECT_EQ(gray_of(c.colour), c.gray) << std::hex << c.colour;
}

TEST(ToolImages, GrayTableMapsEveryEntry) {
  const std::array<std::uint32_t, 16> colours{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                              0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4,
                                              0x808080, 0xFF0000, 0x00FF00, 0xFFFF00};
  // Luminances 0, 38, 75, 113, 14, 52, 89, 192, 208, 195, 250, 160, 128, 76, 150, 226.
  const std::array<std::uint32_t, 16> expected{0x000000, 0x000000, 0x808080, 0x808080, 0x000000, 0x000000,
                                               0x808080, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xC0C0C0,
                                               0x808080, 0x808080, 0xC0C0C0, 0xFFFFFF};
  EXPECT_EQ(gray_table(colours), expected);
}

TEST(ToolImages, ShapeRectangles) {
  struct Case {
    const char* name;
    PixelBuffer image;
    std::vector<Rect> expected;
  };
  const Case cases[] = {
      {"transparent border: equal rows merge", picture({"....", ".RR.", ".RK.", "...."}), {{1, 1, 3, 3}}},
      {"two runs per row, merged over two rows",
       picture({"R.K.", "R.K.", "RRRR", "...."}),
       {{0, 0, 1, 2}, {2, 0, 3, 2}, {0, 2, 4, 3}}},
      {"a row equal to one two rows up starts new rectangles",
       picture({".R..", "..R.", ".R..", "...."}),
       {{1, 0, 2, 1}, {2, 1, 3, 2}, {1, 2, 2, 3}}},
      {"a gap row ends the merge", picture({"RR..", "....", "RR..", "...."}), {{0, 0, 2, 1}, {0, 2, 2, 3}}},
      {"fully transparent", picture({"...", "...", "..."}), {}},
      {"transparency is the bottom-left colour, not green", picture({"..W", "WWW"}), {{0, 0, 2, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(shape_rects(c.image, bottom_left(c.image)), c.expected);
  }
}

TEST(ToolImages, PaletteShapesCompareIndicesNotColours) {
  // Entries 0 and 2 hold the same colour; only index 0 is transparent.
  const PixelBuffer image = indexed({"012", "200", "000"}, {kWhite, kRed, kWhite});
  EXPECT_EQ(bottom_left(image), 0u);
  EXPECT_EQ(shape_rects(image, 0), (std::vector<Rect>{{1, 0, 3, 1}, {0, 1, 1, 2}}));
}

TEST(ToolImages, GeneratedDisabledSilhouette) {
  const PixelBuffer source = picture({
      "......",
      ".KWWR.",
      ".RKKW.",
      "......",
  });
  const PixelBuffer disabled = generated_disabled(source, 0x808080, 0xC0C0C0);
  EXPECT_EQ(disabled.palette, (std::vector<std::uint32_t>{0x808080, 0xC0C0C0}));
  const std::vector<std::string> expected{
      "111111",
      "101101",
      "100011",
      "111111",
  };
  ASSERT_EQ(disabled.width, 6);
  ASSERT_EQ(disabled.height, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(disabled.at(x, y), static_cast<std::uint32_t>(expected[y][x] - '0')) << x << "," << y;
  }
  // Its shape, with button face as the transparent colour, is the shadow.
  EXPECT_EQ(shape_rects(disabled, kDisabledFace),
            (std::vector<Rect>{{1, 1, 2, 2}, {4, 1, 5, 2}, {1, 2, 4, 3}}));
}

TEST(ToolImages, GeneratedDisabledOfAPaletteWhiteBackground) {
  // A white background at the bottom-left is transparent; white inside a
  // shape of another background stays face, by colour through the palette.
  const PixelBuffer source = indexed({"120", "000"}, {kGreen, kRed, kWhite});
  const PixelBuffer disabled = generated_disabled(source, 1, 2);
  EXPECT_EQ(disabled.pixels, (std::vector<std::uint32_t>{kDisabledShadow, kDisabledFace, kDisabledFace,
                                                         kDisabledFace, kDisabledFace, kDisabledFace}));
}

TEST(ToolImages, LargeStretch) {
  const PixelBuffer small = picture({"R.", "KW"});
  const PixelBuffer large = stretch_for_large(small);
  ASSERT_EQ(large.width, 32);
  ASSERT_EQ(large.height, 32);
  EXPECT_EQ(large.at(0, 0), kRed);
  EXPECT_EQ(large.at(15, 15), kRed);
  EXPECT_EQ(large.at(16, 15), kGreen);
  EXPECT_EQ(large.at(15, 16), kBlack);
  EXPECT_EQ(large.at(31, 31), kWhite);

  // A 16 x 16 picture with a one-pixel transparent border: two pixels wide at 32.
  std::vector<std::string> rows(16, std::string(16, '.'));
  for (int y = 1; y < 15; ++y) rows[y].replace(1, 14, 14, 'R');
  const PixelBuffer sixteen = stretch_for_large(picture(rows));
  EXPECT_EQ(shape_rects(sixteen, bottom_left(sixteen)), (std::vector<Rect>{{2, 2, 30, 30}}));

  const PixelBuffer palette = stretch_for_large(indexed({"01"}, {kGreen, kRed}));
  EXPECT_EQ(palette.palette, (std::vector<std::uint32_t>{kGreen, kRed}));
  EXPECT_EQ(palette.at(31, 31), 1u);
}

TEST(ToolImages, LargeStretchKeepsBiggerPictures) {
  const PixelBuffer wide{33, 1, std::vector<std::uint32_t>(33, kRed), {}};
  EXPECT_EQ(stretch_for_large(wide).width, 33);
  const PixelBuffer tall{2, 40, std::vector<std::uint32_t>(80, kRed), {}};
  EXPECT_EQ(stretch_for_large(tall).height, 40);
  const PixelBuffer exact{32, 32, std::vector<std::uint32_t>(32 * 32, kRed), {}};
  EXPECT_EQ(stretch_for_large(exact).pixels, exact.pixels);
}

}  // namespace
}  // namespace mz::images
