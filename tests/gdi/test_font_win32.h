#pragma once
// A bold font that is not antialiased, so text pixels take exactly their
// colours (Wine substitutes an outline font of its own for a face it lacks),
// and the extent of a text drawn in a font.
#include <windows.h>

#include <string>

namespace quarrow::test {

class TestFont {
 public:
  explicit TestFont(int height = -16, const wchar_t* face = L"Arial")
      : font_(CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face)) {}
  TestFont(const TestFont&) = delete;
  TestFont& operator=(const TestFont&) = delete;
  ~TestFont() { DeleteObject(font_); }
  HFONT get() const { return font_; }

 private:
  HFONT font_;
};

// The extent DrawText measures for one line of `text` with `flags`.
inline SIZE text_extent(HFONT font, const std::wstring& text, UINT flags = 0) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | flags);
  SelectObject(dc, old);
  DeleteDC(dc);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace quarrow::test
