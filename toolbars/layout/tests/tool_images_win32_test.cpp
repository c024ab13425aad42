// Tool images as GDI bitmaps and regions, read back pixel by pixel, and the
// per-tool cache that keeps them.
#include "tool_images_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com_ptr.h"
#include "gdi_room_win32.h"

namespace mz::images {
namespace {

using com::ComPtr;

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlack = 0x000000;

// A picture reference of the tests' own over a picture object.
class HeldPicture final : public PictureObject {
 public:
  explicit HeldPicture(IPictureDisp* picture, bool* gone = nullptr) : picture_(picture), gone_(gone) {}
  ~HeldPicture() override {
    if (gone_) *gone_ = true;
  }
  IPictureDisp* get() const { return picture_.get(); }

 private:
  ComPtr<IPictureDisp> picture_;
  bool* gone_;
};

IPictureDisp* read_held(const PictureRef& ref) {
  const auto* held = dynamic_cast<const HeldPicture*>(ref.get());
  return held ? held->get() : nullptr;
}

// A picture object that owns the handle in `description`, as a reference.
PictureRef owned_picture(PICTDESC description) {
  description.cbSizeofstruct = sizeof(description);
  IPictureDisp* picture = nullptr;
  EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)), S_OK);
  if (!picture) return nullptr;
  auto ref = std::make_shared<const HeldPicture>(picture);
  picture->Release();
  return ref;
}

// A 32-bit bitmap picture drawn with letters: '.' magenta, 'W' white,
// 'R' red, 'K' black.
PictureRef bitmap_picture(const std::vector<std::string>& rows) {
  const int width = static_cast<int>(rows[0].size());
  const int height = static_cast<int>(rows.size());
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* raw = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
  auto* pixels = static_cast<std::uint32_t*>(raw);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const char c = rows[y][x];
      pixels[y * width + x] = c == '.' ? kMagenta : c == 'W' ? kWhite : c == 'R' ? kRed : kBlack;
    }
  }
  PICTDESC description{};
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  return owned_picture(description);
}

// 16 x 16: a transparent border around red, with a one-pixel gap in row 5.
std::vector<std::string> bordered_rows() {
  std::vector<std::string> rows(16, std::string(16, '.'));
  for (int y = 1; y < 15; ++y) rows[y].replace(1, 14, 14, 'R');
  rows[5][7] = '.';
  return rows;
}

// The pixels of a bitmap as 0x00RRGGBB colours, rows from the top.
std::vector<std::uint32_t> colours_of(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS), height);
  ReleaseDC(nullptr, screen);
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

BITMAP shape_of(HBITMAP bitmap) {
  BITMAP shape{};
  EXPECT_NE(GetObjectW(bitmap, sizeof(shape), &shape), 0);
  return shape;
}

std::vector<Rect> rects_of(HRGN region) {
  std::vector<BYTE> data(GetRegionData(region, 0, nullptr));
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  EXPECT_NE(GetRegionData(region, static_cast<DWORD>(data.size()), header), 0u);
  const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
  std::vector<Rect> result;
  for (DWORD i = 0; i < header->rdh.nCount; ++i)
    result.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
  return result;
}

std::uint32_t system_colour(int index) {
  const COLORREF c = GetSysColor(index);
  return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

constexpr ImageChoice kNormal{ImageKind::normal, ImageKind::normal};
constexpr ImageChoice kGray{ImageKind::gray, ImageKind::normal};
constexpr ImageChoice kDisabled{ImageKind::generated_disabled, ImageKind::normal};

class ToolImagesWin32 : public ::testing::Test {
 protected:
  ToolImageCache cache{&read_held};
  Tool tool{L"T", ToolType::button};
};

TEST_F(ToolImagesWin32, TransparentBorderGivesTheShapeRectangles) {
  tool.pictures[0] = bitmap_picture(bordered_rows());
  const auto* image = cache.image(tool, kNormal, false);
  ASSERT_NE(image, nullptr);
  ASSERT_NE(image->shape, nullptr);
  EXPECT_EQ(rects_of(image->shape),
            (std::vector<Rect>{{1, 1, 15, 5}, {1, 5, 7, 6}, {8, 5, 15, 6}, {1, 6, 15, 15}}));
  const BITMAP shape = shape_of(image->bitmap);
  EXPECT_EQ(shape.bmWidth, 16);
  EXPECT_EQ(shape.bmHeight, 16);
}

TEST_F(ToolImagesWin32, FullyTransparentPictureHasNoShape) {
  tool.pictures[0] = bitmap_picture(std::vector<std::string>(4, "...."));
  const auto* image = cache.image(tool, kNormal, false);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(image->bitmap, nullptr);
  EXPECT_EQ(image->shape, nullptr);
}

TEST_F(ToolImagesWin32, LargeIconsStretchA16PictureTo32) {
  tool.pictures[0] = bitmap_picture(bordered_rows());
  const auto* image = cache.image(tool, kNormal, true);
  ASSERT_NE(image, nullptr);
  const BITMAP shape = shape_of(image->bitmap);
  EXPECT_EQ(shape.bmWidth, 32);
  EXPECT_EQ(shape.bmHeight, 32);
  const auto pixels = colours_of(image->bitmap, 32, 32);
  EXPECT_EQ(pixels[1 * 32 + 1], kMagenta);
  EXPECT_EQ(pixels[2 * 32 + 2], kRed);
  EXPECT_EQ(pixels[29 * 32 + 29], kRed);
  EXPECT_EQ(pixels[30 * 32 + 30], kMagenta);
  EXPECT_EQ(pixels[10 * 32 + 14], kMagenta);  // the gap, two pixels wide now
  EXPECT_EQ(pixels[10 * 32 + 15], kMagenta);
  EXPECT_EQ(rects_of(image->shape),
            (std::vector<Rect>{{2, 2, 30, 10}, {2, 10, 14, 12}, {16, 10, 30, 12}, {2, 12, 30, 30}}));
}

TEST_F(ToolImagesWin32, GeneratedDisabledIsShadowOnTheNonWhiteShape) {
  const std::vector<std::string> rows{
      "......",
      ".KWWR.",
      ".RKKW.",
      "......",
  };
  tool.pictures[0] = bitmap_picture(rows);
  const auto* image = cache.image(tool, kDisabled, false);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(shape_of(image->bitmap).bmBitsPixel, 1);
  const auto pixels = colours_of(image->bitmap, 6, 4);
  const std::uint32_t shadow = system_colour(COLOR_BTNSHADOW);
  const std::uint32_t face = system_colour(COLOR_BTNFACE);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const char c = rows[y][x];
      EXPECT_EQ(pixels[y * 6 + x], c == 'K' || c == 'R' ? shadow : face) << x << "," << y;
    }
  }
  EXPECT_EQ(rects_of(image->shape), (std::vector<Rect>{{1, 1, 2, 2}, {4, 1, 5, 2}, {1, 2, 4, 3}}));
}

TEST_F(ToolImagesWin32, GrayPictureMapsKnownColours) {
  // Colours of the default palette, so that each maps onto itself before
  // its gray replaces it.
  const std::vector<std::uint32_t> colours{0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x808080, 0xC0C0C0, 0xFFFFFF};
  const std::vector<std::uint32_t> grays{0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x808080, 0xFFFFFF, 0xFFFFFF};
  const PixelBuffer source{static_cast<int>(colours.size()), 1, colours, {}};
  HBITMAP gray = gray_bitmap(source);
  ASSERT_NE(gray, nullptr);
  EXPECT_EQ(shape_of(gray).bmBitsPixel, 4);
  EXPECT_EQ(colours_of(gray, static_cast<int>(colours.size()), 1), grays);
  DeleteObject(gray);
}

TEST_F(ToolImagesWin32, GrayImageOfATool) {
  tool.pictures[0] = bitmap_picture({"RW", "K."});
  const auto* image = cache.image(tool, kGray, false);
  ASSERT_NE(image, nullptr);
  // Magenta is not among the 16 colours: its nearest is dark magenta, whose
  // gray is black.
  EXPECT_EQ(colours_of(image->bitmap, 2, 2), (std::vector<std::uint32_t>{0x808080, kWhite, kBlack, kBlack}));
  EXPECT_EQ(rects_of(image->shape), (std::vector<Rect>{{0, 0, 2, 1}, {1, 1, 2, 2}}));
}

TEST_F(ToolImagesWin32, PaletteBitmapsCompareIndicesNotColours) {
  // A 4-bit bitmap whose entries 0 and 1 are both white: only index 0, the
  // bottom-left pixel's, is transparent.
  struct {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 4, -2, 1, 4, BI_RGB, 0, 0, 0, 16, 0};
    RGBQUAD colours[16]{{255, 255, 255, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}};
  } info;
  void* raw = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &raw, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  auto* rows = static_cast<BYTE*>(raw);  // rows of 4 bytes, two pixels a byte
  rows[0] = 0x01;                        // 0 1 2 0
  rows[1] = 0x20;
  rows[4] = 0x00;                        // 0 0 0 0
  rows[5] = 0x00;
  PICTDESC description{};
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  tool.pictures[0] = owned_picture(description);

  const auto* image = cache.image(tool, kNormal, false);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(rects_of(image->shape), (std::vector<Rect>{{1, 0, 3, 1}}));
  EXPECT_EQ(colours_of(image->bitmap, 4, 2),
            (std::vector<std::uint32_t>{kWhite, kWhite, kRed, kWhite, kWhite, kWhite, kWhite, kWhite}));
}

TEST_F(ToolImagesWin32, IconsAreRenderedOverButtonFaceAtTheirSize) {
  // A 16 x 16 icon: the left half masked out, the right half red.
  std::vector<BYTE> mask(16 * 2), colour(16 * 16 * 4);
  for (int y = 0; y < 16; ++y) {
    mask[y * 2] = 0xFF;  // transparent
    for (int x = 8; x < 16; ++x) colour[(y * 16 + x) * 4 + 2] = 0xFF;
  }
  HICON icon = CreateIcon(GetModuleHandleW(nullptr), 16, 16, 1, 32, mask.data(), colour.data());
  ASSERT_NE(icon, nullptr);
  PICTDESC description{};
  description.picType = PICTYPE_ICON;
  description.icon.hicon = icon;
  tool.pictures[0] = owned_picture(description);

  const std::uint32_t face = system_colour(COLOR_BTNFACE);
  const auto* natural = cache.image(tool, kNormal, false);
  ASSERT_NE(natural, nullptr);
  ASSERT_EQ(shape_of(natural->bitmap).bmWidth, 16);
  auto pixels = colours_of(natural->bitmap, 16, 16);
  EXPECT_EQ(pixels[0], face);
  EXPECT_EQ(pixels[15 * 16 + 7], face);
  EXPECT_EQ(pixels[15 * 16 + 8], kRed);
  EXPECT_EQ(rects_of(natural->shape), (std::vector<Rect>{{8, 0, 16, 16}}));

  const auto* large = cache.image(tool, kNormal, true);
  ASSERT_NE(large, nullptr);
  ASSERT_EQ(shape_of(large->bitmap).bmWidth, 32);
  pixels = colours_of(large->bitmap, 32, 32);
  EXPECT_EQ(pixels[31 * 32 + 15], face);
  EXPECT_EQ(pixels[31 * 32 + 16], kRed);
}

PictureRef metafile_picture(LONG width_hundredths_mm, LONG height_hundredths_mm) {
  const RECT frame{0, 0, width_hundredths_mm, height_hundredths_mm};
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT all{0, 0, 100000, 100000};
  FillRect(recorder, &all, red);
  DeleteObject(red);
  PICTDESC description{};
  description.picType = PICTYPE_ENHMETAFILE;
  description.emf.hemf = CloseEnhMetaFile(recorder);
  return owned_picture(description);
}

TEST_F(ToolImagesWin32, MetafilesAreRenderedAtTheirSizeUnlessAbsurdlyLarge) {
  tool.pictures[0] = metafile_picture(423, 423);  // 16 pixels at 96 dots per inch
  const auto* image = cache.image(tool, kNormal, false);
  ASSERT_NE(image, nullptr);
  ASSERT_NE(image->bitmap, nullptr);
  EXPECT_EQ(shape_of(image->bitmap).bmWidth, 16);
  EXPECT_EQ(colours_of(image->bitmap, 16, 16)[8 * 16 + 8], kRed);

  // A frame of 100 metres would ask for hundreds of gigabytes of pixels.
  tool.pictures[0] = metafile_picture(10000000, 10000000);
  image = cache.image(tool, kNormal, false);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->bitmap, nullptr);
  EXPECT_EQ(image->shape, nullptr);
}

TEST_F(ToolImagesWin32, CacheKeepsImagesUntilTheirInputsChange) {
  tool.pictures[0] = bitmap_picture(bordered_rows());
  const auto* first = cache.image(tool, kNormal, false);
  ASSERT_NE(first, nullptr);
  const HBITMAP bitmap = first->bitmap;
  const HRGN shape = first->shape;
  const auto* again = cache.image(tool, kNormal, false);
  EXPECT_EQ(again->bitmap, bitmap);
  EXPECT_EQ(again->shape, shape);
  EXPECT_NE(cache.image(tool, kNormal, true)->bitmap, bitmap);  // the large one is another image

  tool.pictures[0] = bitmap_picture(bordered_rows());
  const auto* changed = cache.image(tool, kNormal, false);
  EXPECT_NE(changed->bitmap, bitmap);
  EXPECT_EQ(GetObjectType(bitmap), 0u);  // the old one was deleted
  EXPECT_EQ(GetObjectType(shape), 0u);

  const HBITMAP before_mask = changed->bitmap;
  tool.use_mask_color = !tool.use_mask_color;
  EXPECT_NE(cache.image(tool, kNormal, false)->bitmap, before_mask);

  const HBITMAP before_size = cache.image(tool, kNormal, false)->bitmap;
  tool.picture_size = 24;
  EXPECT_NE(cache.image(tool, kNormal, false)->bitmap, before_size);

  const HBITMAP kept = cache.image(tool, kNormal, false)->bitmap;
  cache.forget(&tool);
  EXPECT_EQ(GetObjectType(kept), 0u);
}

// Sets the button face and shadow colours for the test's lifetime.
class ButtonColours {
 public:
  ButtonColours(COLORREF face, COLORREF shadow)
      : old_{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW)} {
    const COLORREF wanted[] = {face, shadow};
    SetSysColors(2, kElements, wanted);
  }
  ~ButtonColours() { SetSysColors(2, kElements, old_); }

 private:
  static constexpr int kElements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
  COLORREF old_[2];
};

TEST_F(ToolImagesWin32, ButtonColourChangesRebuildTheImages) {
  tool.pictures[0] = bitmap_picture({"R.", ".."});
  const HBITMAP before = cache.image(tool, kDisabled, false)->bitmap;
  ButtonColours colours(RGB(0x12, 0x34, 0x56), RGB(0x65, 0x43, 0x21));
  ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0x12, 0x34, 0x56));
  const auto* after = cache.image(tool, kDisabled, false);
  EXPECT_EQ(GetObjectType(before), 0u);
  EXPECT_EQ(colours_of(after->bitmap, 2, 2), (std::vector<std::uint32_t>{0x654321, 0x123456, 0x123456, 0x123456}));
}

TEST_F(ToolImagesWin32, CacheDoesNotKeepAReplacedPictureAlive) {
  const PictureRef given = bitmap_picture({"R.", ".."});
  bool gone = false;
  tool.pictures[0] = std::make_shared<const HeldPicture>(read_held(given), &gone);
  ASSERT_NE(cache.image(tool, kNormal, false)->bitmap, nullptr);
  tool.pictures[0] = bitmap_picture({"K.", ".."});
  EXPECT_TRUE(gone);
  // The new picture is not mistaken for the old one.
  EXPECT_EQ(colours_of(cache.image(tool, kNormal, false)->bitmap, 2, 2)[0], kBlack);
}

TEST_F(ToolImagesWin32, GivenPicturesFollowTheTool) {
  EXPECT_EQ(cache.image(tool, ImageChoice{}, false), nullptr);
  tool.pictures[static_cast<std::size_t>(PictureSlot::down)] = bitmap_picture({"R.", ".."});
  const GivenPictures given = cache.given(tool);
  EXPECT_FALSE(given.normal);
  EXPECT_TRUE(given.down);
  EXPECT_FALSE(given.disabled);
  EXPECT_FALSE(given.down_disabled);
  // A disabled pressed tool with only a down picture shows its silhouette.
  const auto* image = cache.image(tool, choose_image(given, {.pressed_or_checked = true, .enabled = false}), false);
  ASSERT_NE(image, nullptr);
  const std::uint32_t shadow = system_colour(COLOR_BTNSHADOW);
  const std::uint32_t face = system_colour(COLOR_BTNFACE);
  EXPECT_EQ(colours_of(image->bitmap, 2, 2), (std::vector<std::uint32_t>{shadow, face, face, face}));
}

TEST_F(ToolImagesWin32, NoGdiHandleLeakOverThousandsOfBuildsAndDrops) {
  const PictureRef pictures[] = {bitmap_picture(bordered_rows()), bitmap_picture(bordered_rows())};
  const int room_before = quarrow::test::gdi_room();
  ASSERT_GT(room_before, 2000);
  for (int i = 0; i < 1000; ++i) {
    tool.pictures[0] = pictures[i % 2];
    for (bool large : {false, true}) {
      for (ImageChoice choice : {kNormal, kGray, kDisabled}) {
        const auto* image = cache.image(tool, choice, large);
        ASSERT_NE(image, nullptr);
        ASSERT_NE(image->bitmap, nullptr) << i;
        ASSERT_NE(image->shape, nullptr) << i;
      }
    }
  }
  cache.clear();
  EXPECT_LT(room_before - quarrow::test::gdi_room(), 10);
}

}  // namespace
}  // namespace mz::images
