#pragma once
// A memory device context over a 32-bit top-down DIB section, filled with
// one colour, whose pixels a test reads directly.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>

namespace quarrow::test {

class PixelCanvas {
 public:
  PixelCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* raw = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    bits_ = static_cast<const std::uint32_t*>(raw);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;
  ~PixelCanvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // CLR_INVALID outside the canvas.
  COLORREF at(int x, int y) const {
    GdiFlush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const std::uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }

  // The points {x, y} of `area` that have the colour.
  std::set<std::pair<int, int>> pixels_of(COLORREF colour, RECT area) const {
    std::set<std::pair<int, int>> out;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (at(x, y) == colour) out.insert({x, y});
      }
    }
    return out;
  }

 private:
  int width_, height_;
  HBITMAP bitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace quarrow::test
