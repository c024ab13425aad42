#include "tool_images_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "com_ptr.h"

namespace mz::images {
namespace {

using com::ComPtr;

constexpr int kGrayColours = 16;
// A metafile's frame comes from the host and may claim any size; a tool
// image larger than this is not a picture anyone can show on a button.
constexpr int kLargestRenderedSide = 4096;

// A BITMAPINFO with room for a full 256-entry colour table.
struct BitmapInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};

  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

BitmapInfo describe(int width, int height, int bits) {
  BitmapInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;  // negative: rows from the top
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = BI_RGB;
  return info;
}

std::size_t row_bytes(int width, int bits) { return static_cast<std::size_t>((width * bits + 31) / 32) * 4; }

// An RGBQUAD and a 0x00RRGGBB colour share their layout in memory.
std::uint32_t colour_of(const RGBQUAD& quad) {
  return static_cast<std::uint32_t>(quad.rgbRed) << 16 | quad.rgbGreen << 8 | quad.rgbBlue;
}
RGBQUAD quad_of(std::uint32_t colour) {
  return {static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8), static_cast<BYTE>(colour >> 16), 0};
}
std::uint32_t colour_of(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

std::uint32_t read_pixel(const BYTE* row, int bits, int x) {
  switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    case 8: return row[x];
    default: {
      std::uint32_t value;
      std::memcpy(&value, row + static_cast<std::size_t>(x) * 4, 4);
      return value & 0xFFFFFF;
    }
  }
}

void write_pixel(BYTE* row, int bits, int x, std::uint32_t value) {
  switch (bits) {
    case 1: row[x / 8] |= static_cast<BYTE>((value & 1) << (7 - x % 8)); break;
    case 4: row[x / 2] |= static_cast<BYTE>((value & 0xF) << (x % 2 ? 0 : 4)); break;
    case 8: row[x] = static_cast<BYTE>(value); break;
    default: std::memcpy(row + static_cast<std::size_t>(x) * 4, &value, 4); break;
  }
}

int bits_for_palette(std::size_t entries) { return entries <= 2 ? 1 : entries <= 16 ? 4 : 8; }

// A bitmap read through a bottom-up DIB: 1, 4 or 8 bits keep their palette,
// deeper bitmaps are read as colours.
std::optional<PixelBuffer> bitmap_buffer(HBITMAP bitmap) {
  BITMAP shape{};
  if (!GetObjectW(bitmap, sizeof(shape), &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0) return std::nullopt;
  const int depth = shape.bmBitsPixel * shape.bmPlanes;
  const int bits = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : 32;
  BitmapInfo info = describe(shape.bmWidth, shape.bmHeight, bits);
  std::vector<BYTE> data(row_bytes(shape.bmWidth, bits) * shape.bmHeight);
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, shape.bmHeight, data.data(), info.get(), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != shape.bmHeight) return std::nullopt;

  PixelBuffer image{shape.bmWidth, shape.bmHeight, {}, {}};
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) image.palette.push_back(colour_of(info.colours[i]));
  }
  image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const BYTE* row = data.data() + row_bytes(image.width, bits) * (image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) image.pixels.push_back(read_pixel(row, bits, x));
  }
  return image;
}

int himetric_to_pixels(long value, int dots_per_inch) { return MulDiv(value, dots_per_inch, 2540); }

// The picture's size in HIMETRIC. Wine's picture object reports none for an
// enhanced metafile it was given as a handle; its header has the frame.
SIZE himetric_size(IPicture* picture, SHORT type, OLE_HANDLE handle) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  if ((width <= 0 || height <= 0) && type == PICTYPE_ENHMETAFILE) {
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(reinterpret_cast<HENHMETAFILE>(static_cast<UINT_PTR>(handle)), sizeof(header), &header)) {
      width = header.rclFrame.right - header.rclFrame.left;
      height = header.rclFrame.bottom - header.rclFrame.top;
    }
  }
  return {width, height};
}

bool draw_picture(HDC dc, IPicture* picture, SHORT type, OLE_HANDLE handle, SIZE himetric, SIZE size) {
  if (type == PICTYPE_ENHMETAFILE) {
    const RECT target{0, 0, size.cx, size.cy};
    return PlayEnhMetaFile(dc, reinterpret_cast<HENHMETAFILE>(static_cast<UINT_PTR>(handle)), &target) != FALSE;
  }
  return SUCCEEDED(
      picture->Render(dc, 0, 0, size.cx, size.cy, 0, himetric.cy, himetric.cx, -himetric.cy, nullptr));
}

// An icon or metafile drawn over the button face into colour pixels.
std::optional<PixelBuffer> rendered_buffer(IPicture* picture, SHORT type, OLE_HANDLE handle, COLORREF face,
                                           std::optional<SIZE> size) {
  const SIZE himetric = himetric_size(picture, type, handle);
  if (!size) {
    HDC screen = GetDC(nullptr);
    size = SIZE{himetric_to_pixels(himetric.cx, GetDeviceCaps(screen, LOGPIXELSX)),
                himetric_to_pixels(himetric.cy, GetDeviceCaps(screen, LOGPIXELSY))};
    ReleaseDC(nullptr, screen);
  }
  if (size->cx <= 0 || size->cy <= 0 || size->cx > kLargestRenderedSide || size->cy > kLargestRenderedSide)
    return std::nullopt;

  PixelBuffer image{static_cast<int>(size->cx), static_cast<int>(size->cy), {}, {}};
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, colour_of(face));
  HBITMAP target = bitmap_from_buffer(image);
  if (!target) return std::nullopt;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  const bool drawn = draw_picture(dc, picture, type, handle, himetric, *size);
  SelectObject(dc, old);
  DeleteDC(dc);
  std::optional<PixelBuffer> result;
  if (drawn) result = bitmap_buffer(target);
  DeleteObject(target);
  return result;
}

bool same_picture(const std::weak_ptr<const PictureObject>& kept, const PictureRef& current) {
  return !kept.owner_before(current) && !current.owner_before(kept);
}

bool same_pictures(const std::array<std::weak_ptr<const PictureObject>, 4>& kept,
                   const std::array<PictureRef, 4>& current) {
  return std::equal(kept.begin(), kept.end(), current.begin(), same_picture);
}

bool is_bitmap(IPictureDisp* picture_disp) {
  ComPtr<IPicture> picture;
  SHORT type = PICTYPE_NONE;
  return SUCCEEDED(picture_disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.put()))) &&
         SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP;
}

std::array<std::uint32_t, kGrayColours> default_colours() {
  PALETTEENTRY entries[kGrayColours]{};
  GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, kGrayColours, entries);
  std::array<std::uint32_t, kGrayColours> colours{};
  for (int i = 0; i < kGrayColours; ++i)
    colours[i] = static_cast<std::uint32_t>(entries[i].peRed) << 16 | entries[i].peGreen << 8 | entries[i].peBlue;
  return colours;
}

}  // namespace

std::optional<PixelBuffer> picture_buffer(IPictureDisp* picture_disp, COLORREF face, std::optional<SIZE> size) {
  if (!picture_disp) return std::nullopt;
  ComPtr<IPicture> picture;
  if (FAILED(picture_disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.put())))) return std::nullopt;
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || FAILED(picture->get_Handle(&handle)) || !handle) return std::nullopt;
  if (type == PICTYPE_BITMAP) return bitmap_buffer(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
  if (type == PICTYPE_ICON || type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE)
    return rendered_buffer(picture.get(), type, handle, face, size);
  return std::nullopt;
}

HBITMAP bitmap_from_buffer(const PixelBuffer& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height || image.palette.size() > 256)
    return nullptr;
  const int bits = image.palette.empty() ? 32 : bits_for_palette(image.palette.size());
  BitmapInfo info = describe(image.width, -image.height, bits);
  for (std::size_t i = 0; i < image.palette.size(); ++i) info.colours[i] = quad_of(image.palette[i]);
  if (bits <= 8) info.header.biClrUsed = static_cast<DWORD>(image.palette.size());
  void* raw = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &raw, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* bytes = static_cast<BYTE*>(raw);
  const std::size_t stride = row_bytes(image.width, bits);
  std::memset(bytes, 0, stride * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) write_pixel(bytes + stride * y, bits, x, image.at(x, y));
  }
  GdiFlush();
  return bitmap;
}

HRGN region_from_rects(const std::vector<Rect>& rects) {
  if (rects.empty()) return nullptr;
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* region = reinterpret_cast<RGNDATA*>(data.data());
  region->rdh.dwSize = sizeof(RGNDATAHEADER);
  region->rdh.iType = RDH_RECTANGLES;
  region->rdh.nCount = static_cast<DWORD>(rects.size());
  region->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
  auto* out = reinterpret_cast<RECT*>(region->Buffer);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    out[i] = RECT{r.left, r.top, r.right, r.bottom};
    bounds = RECT{std::min<LONG>(bounds.left, r.left), std::min<LONG>(bounds.top, r.top),
                  std::max<LONG>(bounds.right, r.right), std::max<LONG>(bounds.bottom, r.bottom)};
  }
  region->rdh.rcBound = bounds;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

HBITMAP gray_bitmap(const PixelBuffer& image) {
  HBITMAP source = bitmap_from_buffer(image);
  if (!source) return nullptr;
  const auto colours = default_colours();
  PixelBuffer blank{image.width, image.height, std::vector<std::uint32_t>(image.pixels.size(), 0),
                    std::vector<std::uint32_t>(colours.begin(), colours.end())};
  HBITMAP gray = bitmap_from_buffer(blank);
  if (gray) {
    // GDI maps each colour onto the nearest of the 16; the table then turns
    // those into their grays.
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ old_from = SelectObject(from, source);
    HGDIOBJ old_to = SelectObject(to, gray);
    BitBlt(to, 0, 0, image.width, image.height, from, 0, 0, SRCCOPY);
    RGBQUAD table[kGrayColours];
    const auto grays = gray_table(colours);
    for (int i = 0; i < kGrayColours; ++i) table[i] = quad_of(grays[i]);
    SetDIBColorTable(to, 0, kGrayColours, table);
    SelectObject(to, old_to);
    SelectObject(from, old_from);
    DeleteDC(to);
    DeleteDC(from);
  }
  DeleteObject(source);
  return gray;
}

GivenPictures ToolImageCache::given(const Tool& tool) const {
  auto present = [&](PictureSlot slot) { return reader_(tool.pictures[static_cast<std::size_t>(slot)]) != nullptr; };
  return {present(PictureSlot::normal), present(PictureSlot::down), present(PictureSlot::disabled),
          present(PictureSlot::down_disabled)};
}

const ToolImageCache::Image* ToolImageCache::image(const Tool& tool, ImageChoice choice, bool large) {
  if (choice.kind == ImageKind::none) return nullptr;
  check_system_colours();
  auto& images = entry_for(tool).images;
  const Key key{choice.kind, choice.source, large};
  auto found = images.find(key);
  if (found == images.end()) found = images.emplace(key, build(tool, choice, large)).first;
  return &found->second;
}

void ToolImageCache::forget(const Tool* tool) {
  auto found = entries_.find(tool);
  if (found == entries_.end()) return;
  for (auto& [key, image] : found->second.images) {
    if (image.bitmap) DeleteObject(image.bitmap);
    if (image.shape) DeleteObject(image.shape);
  }
  entries_.erase(found);
}

void ToolImageCache::clear() {
  while (!entries_.empty()) forget(entries_.begin()->first);
}

ToolImageCache::Entry& ToolImageCache::entry_for(const Tool& tool) {
  auto found = entries_.find(&tool);
  if (found != entries_.end() && (!same_pictures(found->second.pictures, tool.pictures) ||
                                  found->second.use_mask_color != tool.use_mask_color ||
                                  found->second.picture_size != tool.picture_size)) {
    forget(&tool);
    found = entries_.end();
  }
  if (found == entries_.end())
    found = entries_.emplace(&tool, Entry{{tool.pictures[0], tool.pictures[1], tool.pictures[2], tool.pictures[3]},
                                          tool.use_mask_color, tool.picture_size, {}})
                .first;
  return found->second;
}

void ToolImageCache::check_system_colours() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  if (face == face_ && shadow == shadow_) return;
  clear();
  face_ = face;
  shadow_ = shadow;
}

std::optional<PixelBuffer> ToolImageCache::source_pixels(const Tool& tool, ImageKind kind, bool large) const {
  static constexpr std::pair<ImageKind, PictureSlot> kSlots[] = {{ImageKind::normal, PictureSlot::normal},
                                                                  {ImageKind::down, PictureSlot::down},
                                                                  {ImageKind::disabled, PictureSlot::disabled},
                                                                  {ImageKind::down_disabled, PictureSlot::down_disabled}};
  IPictureDisp* picture = nullptr;
  for (const auto& [k, slot] : kSlots) {
    if (k == kind) picture = reader_(tool.pictures[static_cast<std::size_t>(slot)]);
  }
  auto natural = picture_buffer(picture, face_, std::nullopt);
  if (!large || !natural) return natural;
  // Icons and metafiles are drawn at 32 x 32 rather than stretched; bitmaps
  // are stretched pixel by pixel.
  const bool fits = natural->width <= kLargeIconSize && natural->height <= kLargeIconSize;
  if (fits && !is_bitmap(picture)) return picture_buffer(picture, face_, SIZE{kLargeIconSize, kLargeIconSize});
  return stretch_for_large(*natural);
}

ToolImageCache::Image ToolImageCache::build(const Tool& tool, ImageChoice choice, bool large) const {
  auto pixels = source_pixels(tool, choice.source, large);
  if (!pixels) return {};
  if (choice.kind == ImageKind::gray)
    return {gray_bitmap(*pixels), region_from_rects(shape_rects(*pixels, bottom_left(*pixels)))};
  if (choice.kind == ImageKind::generated_disabled) {
    const PixelBuffer disabled = generated_disabled(*pixels, colour_of(shadow_), colour_of(face_));
    return {bitmap_from_buffer(disabled), region_from_rects(shape_rects(disabled, kDisabledFace))};
  }
  return {bitmap_from_buffer(*pixels), region_from_rects(shape_rects(*pixels, bottom_left(*pixels)))};
}

}  // namespace mz::images
