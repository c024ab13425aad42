#include "picture_cells_win32.h"

#include <algorithm>
#include <cstring>

#include "com_ptr.h"

namespace mz::com {
namespace {

// A top-down 32-bit DIB section of the given size and its pixels.
HBITMAP create_pixels_bitmap(int width, int height, std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(raw);
  return bitmap;
}

// Size in pixels of a picture given in HIMETRIC.
int himetric_to_pixels(OLE_XSIZE_HIMETRIC value, int dots_per_inch) { return MulDiv(value, dots_per_inch, 2540); }

}  // namespace

std::uint32_t fill_pixel(OLE_COLOR colour) {
  COLORREF resolved = 0;
  if (FAILED(OleTranslateColor(colour, nullptr, &resolved))) resolved = GetSysColor(COLOR_BTNFACE);
  return records::PixelFromColorRef(resolved);
}

bool holds_image(IPictureDisp* picture_disp) {
  if (!picture_disp) return false;
  ComPtr<IPicture> picture;
  if (FAILED(picture_disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.put())))) return false;
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  return SUCCEEDED(picture->get_Type(&type)) && SUCCEEDED(picture->get_Handle(&handle)) && handle != 0 &&
         type != PICTYPE_NONE && type != PICTYPE_UNINITIALIZED;
}

std::optional<records::PixelImage> picture_pixels(IPictureDisp* picture_disp, std::uint32_t fill) {
  if (!picture_disp) return std::nullopt;
  ComPtr<IPicture> picture;
  if (FAILED(picture_disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.put())))) return std::nullopt;
  if (!holds_image(picture_disp)) return std::nullopt;
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  picture->get_Type(&type);
  picture->get_Handle(&handle);

  int width = 0, height = 0;
  if (type == PICTYPE_BITMAP) {
    // A bitmap's own size in pixels, without a round trip through HIMETRIC.
    BITMAP info{};
    if (!GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof(info), &info)) return std::nullopt;
    width = info.bmWidth;
    height = info.bmHeight;
  } else {
    OLE_XSIZE_HIMETRIC hm_width = 0;
    OLE_YSIZE_HIMETRIC hm_height = 0;
    picture->get_Width(&hm_width);
    picture->get_Height(&hm_height);
    HDC screen = GetDC(nullptr);
    width = himetric_to_pixels(hm_width, GetDeviceCaps(screen, LOGPIXELSX));
    height = himetric_to_pixels(hm_height, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
  }
  if (width <= 0 || height <= 0) return std::nullopt;
  // Only the top-left cell of a strip is kept; a larger picture is clipped.
  width = std::min(width, records::kStripCellWidth);
  height = std::min(height, records::kStripHeight);

  std::uint32_t* bits = nullptr;
  HBITMAP target = create_pixels_bitmap(width, height, &bits);
  if (!target) return std::nullopt;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  for (int i = 0; i < width * height; ++i) bits[i] = fill;
  bool drawn = false;
  if (type == PICTYPE_BITMAP) {
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old_source = SelectObject(source, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
    drawn = BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
    SelectObject(source, old_source);
    DeleteDC(source);
  } else {
    OLE_XSIZE_HIMETRIC hm_width = 0;
    OLE_YSIZE_HIMETRIC hm_height = 0;
    picture->get_Width(&hm_width);
    picture->get_Height(&hm_height);
    drawn = SUCCEEDED(picture->Render(dc, 0, 0, width, height, 0, hm_height, hm_width, -hm_height, nullptr));
  }
  GdiFlush();
  std::optional<records::PixelImage> image;
  if (drawn) {
    image.emplace();
    image->Width = width;
    image->Height = height;
    image->Pixels.assign(bits, bits + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // The strip keeps colour only; the unused top byte of each pixel is not
    // part of the picture.
    for (auto& pixel : image->Pixels) pixel &= 0x00FFFFFF;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(target);
  return image;
}

HRESULT picture_from_pixels(const records::PixelImage& image, IPictureDisp** out) {
  *out = nullptr;
  if (image.Width <= 0 || image.Height <= 0 ||
      image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
    return E_INVALIDARG;
  std::uint32_t* bits = nullptr;
  HBITMAP bitmap = create_pixels_bitmap(image.Width, image.Height, &bits);
  if (!bitmap) return E_OUTOFMEMORY;
  std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(std::uint32_t));
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  HRESULT hr = OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(out));
  if (FAILED(hr)) DeleteObject(bitmap);
  return hr;
}

}  // namespace mz::com
