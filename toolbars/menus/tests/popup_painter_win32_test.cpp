// Popup items and scroll areas painted into memory device contexts and read
// back pixel by pixel: fills and text colours per state, the mnemonic's
// underline, the shortcut at the right end, the submenu arrow, the separator
// line, the checked image box, the expand chevrons, the picture, the scroll
// triangles, and the GDI objects a paint leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "dc_state_win32.h"
#include "gdi_room_win32.h"
#include "pixel_canvas_win32.h"
#include "popup_painter_win32.h"
#include "test_font_win32.h"

namespace mz::menus {
namespace {

using paint::Role;

// Distinct colours for every role, so each pixel tells who drew it.
constexpr COLORREF kOutside = RGB(1, 2, 3);
constexpr COLORREF kBack = RGB(200, 190, 180);
constexpr COLORREF kSelection = RGB(10, 36, 106);
constexpr COLORREF kSelectionText = RGB(250, 250, 240);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(224, 224, 224);
constexpr COLORREF kButtonText = RGB(0, 0, 128);
constexpr COLORREF kGrayText = RGB(160, 96, 96);
constexpr COLORREF kControlFore = RGB(0, 128, 0);
constexpr COLORREF kToolFore = RGB(0, 96, 160);

paint::Colours test_colours() {
  return paint::Colours::system(kControlFore)
      .with(Role::popup_back, kBack)
      .with(Role::selection, kSelection)
      .with(Role::selection_text, kSelectionText)
      .with(Role::highlight, kHighlight)
      .with(Role::shadow, kShadow)
      .with(Role::light, kLight)
      .with(Role::button_text, kButtonText)
      .with(Role::gray_text, kGrayText);
}

// The popup's roles start from the system's colours and take others, given
// as colours or as system colour indexes, one role at a time.
TEST(PopupColours, PopupRolesHaveSystemDefaultsAndTakeOthers) {
  const paint::Colours system = paint::Colours::system(kControlFore);
  EXPECT_EQ(system(Role::popup_back), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(system(Role::selection), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(system(Role::selection_text), GetSysColor(COLOR_HIGHLIGHTTEXT));
  struct Case {
    Role role;
    COLORREF given;
    COLORREF resolved;
  };
  const Case cases[] = {
      {Role::popup_back, RGB(1, 2, 3), RGB(1, 2, 3)},
      {Role::popup_back, 0x80000000u | COLOR_WINDOW, GetSysColor(COLOR_WINDOW)},
      {Role::selection, RGB(4, 5, 6), RGB(4, 5, 6)},
      {Role::selection_text, RGB(7, 8, 9), RGB(7, 8, 9)},
  };
  for (const Case& c : cases) {
    const paint::Colours changed = system.with(c.role, c.given);
    EXPECT_EQ(changed(c.role), c.resolved);
    for (const Role other : {Role::popup_back, Role::selection, Role::selection_text, Role::tooltip_text}) {
      if (other != c.role) {
        EXPECT_EQ(changed(other), system(other));
      }
    }
  }
}

using Pixels = std::set<std::pair<int, int>>;

class Canvas : public quarrow::test::PixelCanvas {
 public:
  Canvas() : PixelCanvas(240, 60, kOutside) {}

  Pixels of(COLORREF colour, Rect area) const {
    return pixels_of(colour, {area.left, area.top, area.right, area.bottom});
  }
  // The colours found in `area`.
  std::set<COLORREF> colours(Rect area) const {
    std::set<COLORREF> out;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) out.insert(at(x, y));
    }
    return out;
  }
};

Rect bounds(const Pixels& pixels) {
  Rect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const auto& [x, y] : pixels) {
    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
  }
  return r;
}

using quarrow::test::TestFont;

// A text's measured extent, + 2 each way, as the caption cache holds it.
Size extent_of(const TestFont& font, const std::wstring& text) {
  const SIZE extent = quarrow::test::text_extent(font.get(), text);
  return {extent.cx + 2, extent.cy + 2};
}

// Where the ink of a text drawn from x = 0 ends.
int ink_right(const TestFont& font, const std::wstring& text) {
  const Canvas canvas;
  const HGDIOBJ old = SelectObject(canvas.dc(), font.get());
  SetTextColor(canvas.dc(), kControlFore);
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT r{0, 0, canvas.width(), canvas.height()};
  DrawTextW(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
  SelectObject(canvas.dc(), old);
  return bounds(canvas.of(kControlFore, {0, 0, canvas.width(), canvas.height()})).right;
}

struct Item {
  PopupItemInput input;
  std::wstring caption;
  std::wstring shortcut;
};

Item text_item(ToolType type, const TestFont& font, const std::wstring& caption, const std::wstring& shortcut = L"") {
  Item item{{}, caption, shortcut};
  item.input.type = type;
  item.input.caption = extent_of(font, caption);
  if (!shortcut.empty()) item.input.shortcut = extent_of(font, shortcut);
  return item;
}

// The item painted at its own size at (0, 0) of a fresh canvas.
Rect paint_item(const Canvas& canvas, const Item& item, const PopupItemState& state, const TestFont& font,
                const images::ToolImageCache::Image* image = nullptr, Size picture = {}) {
  const Size size = popup_item_sizes(std::span(&item.input, 1), 16).front();
  const Rect rect = rect_at({0, 0}, size);
  const PopupItemPlan plan = plan_popup_item(item.input, rect, state, 16, picture, false);
  PopupItemArt art;
  art.caption = item.caption;
  art.shortcut = item.shortcut;
  art.image = image;
  art.fore = kToolFore;
  paint_popup_item(canvas.dc(), plan, art, test_colours(), font.get());
  return rect;
}

PopupItemState state_of(bool hot, bool enabled) {
  PopupItemState s;
  s.hot = hot;
  s.enabled = enabled;
  return s;
}

TEST(PopupPainter, FillAndCaptionColourPerState) {
  struct Case {
    const char* name;
    bool tool_fore;
    PopupItemState state;
    COLORREF back;
    COLORREF text;
    std::set<COLORREF> others;  // what else the item may show (an emboss)
  };
  PopupItemState rare = state_of(false, true);
  rare.rarely_used = true;
  const Case cases[] = {
      {"plain", false, state_of(false, true), kBack, kControlFore, {}},
      {"the tool's own fore colour", true, state_of(false, true), kBack, kToolFore, {}},
      {"hot", false, state_of(true, true), kSelection, kSelectionText, {}},
      {"disabled hot stays gray", false, state_of(true, false), kSelection, kGrayText, {}},
      {"disabled, embossed", false, state_of(false, false), kBack, kGrayText, {kHighlight}},
      {"rarely used", false, rare, kLight, kControlFore, {}},
  };
  const TestFont font(-14);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Item item = text_item(ToolType::button, font, L"Open");
    item.input.tool_fore_color = c.tool_fore;
    Canvas canvas;
    const Rect rect = paint_item(canvas, item, c.state, font);
    // The corners take the fill, the text its colour, and nothing else shows.
    EXPECT_EQ(canvas.at(rect.left, rect.top), c.back);
    EXPECT_EQ(canvas.at(rect.right - 1, rect.bottom - 1), c.back);
    EXPECT_GT(canvas.of(c.text, rect).size(), 20u);
    std::set<COLORREF> allowed = c.others;
    allowed.insert({c.back, c.text});
    EXPECT_EQ(canvas.colours(rect), allowed);
    // Nothing outside the item.
    EXPECT_EQ(canvas.at(rect.right, rect.top), kOutside);
    EXPECT_EQ(canvas.at(rect.left, rect.bottom), kOutside);
  }
}

TEST(PopupPainter, TheMnemonicIsUnderlined) {
  const TestFont font(-14);
  Item marked = text_item(ToolType::button, font, L"&File");
  const Item plain = text_item(ToolType::button, font, L"File");
  marked.input.caption = plain.input.caption;  // the measurement leaves the marker out
  Canvas with_marker;
  Canvas without;
  const Rect rect = paint_item(with_marker, marked, state_of(false, true), font);
  paint_item(without, plain, state_of(false, true), font);
  const Pixels underlined = with_marker.of(kControlFore, rect);
  const Pixels letters = without.of(kControlFore, rect);
  EXPECT_TRUE(std::includes(underlined.begin(), underlined.end(), letters.begin(), letters.end()));
  // The extra pixels are a horizontal line under the first letter.
  Pixels extra;
  std::set_difference(underlined.begin(), underlined.end(), letters.begin(), letters.end(),
                      std::inserter(extra, extra.end()));
  ASSERT_FALSE(extra.empty());
  const Rect line = bounds(extra);
  EXPECT_EQ(line.height(), 1);
  EXPECT_GE(line.width(), 4);
  EXPECT_GE(line.top, bounds(letters).bottom - 3);
  EXPECT_LT(line.left, bounds(letters).left + 3);
}

// The caption starts right of the image column; the shortcut ends at the
// arrow column, whatever its length.
TEST(PopupPainter, ShortcutEndsAtTheArrowColumn) {
  const TestFont font(-14);
  for (const std::wstring shortcut : {L"Ctrl+O", L"Ctrl+Shift+F12"}) {
    SCOPED_TRACE(std::string(shortcut.begin(), shortcut.end()));
    Canvas canvas;
    const Item item = text_item(ToolType::button, font, L"Open", shortcut);
    const Rect rect = paint_item(canvas, item, state_of(false, true), font);
    const Pixels text = canvas.of(kControlFore, rect);
    const Rect all = bounds(text);
    const int arrow_column = rect.right - kPopupArrowColumn;
    // The glyphs' ink may end short of the text's advance: the ink right of
    // the text drawn alone from x = 0 says by how much.
    EXPECT_EQ(all.right, arrow_column - (item.input.shortcut.width - 2) + ink_right(font, shortcut));
    EXPECT_GE(all.left, popup_image_column(16) + kPopupCaptionGap);
    EXPECT_LE(all.left, popup_image_column(16) + kPopupCaptionGap + 3);
    // A gap of background separates caption and shortcut.
    const int caption_end = popup_image_column(16) + kPopupCaptionGap + item.input.caption.width;
    EXPECT_TRUE(canvas.of(kControlFore, {caption_end, rect.top, caption_end + kPopupShortcutGap, rect.bottom}).empty());
  }
}

TEST(PopupPainter, SubmenuArrowPointsRightAtTheItemsEnd) {
  const TestFont font(-14);
  struct Case {
    const char* name;
    PopupItemState state;
    COLORREF ink;
  };
  const Case cases[] = {{"plain", state_of(false, true), kControlFore}, {"hot", state_of(true, true), kSelectionText}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas;
    const Item item = text_item(ToolType::menu, font, L"");
    const Rect rect = paint_item(canvas, item, c.state, font);
    ASSERT_EQ(rect.height(), 22);
    const int x = rect.right - 10;
    Pixels expected;
    for (int column = 0; column < 4; ++column) {
      for (int y = 7 + column; y <= 13 - column; ++y) expected.insert({x + column, y});
    }
    EXPECT_EQ(canvas.of(c.ink, rect), expected);
  }
}

TEST(PopupPainter, SeparatorIsShadowOverHighlightAcrossTheItem) {
  const TestFont font(-14);
  Canvas canvas;
  const Item item = text_item(ToolType::separator, font, L"");
  const Rect rect = paint_item(canvas, item, state_of(false, true), font);
  ASSERT_EQ(rect.height(), 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < rect.right; ++x) {
      const bool line = x >= 1 && x < rect.right - 1;
      const COLORREF expected = line && y == 2 ? kShadow : line && y == 3 ? kHighlight : kBack;
      ASSERT_EQ(canvas.at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(PopupPainter, CheckedStateButtonShowsASunkenBoxWithACheckMark) {
  const TestFont font(-14);
  Canvas canvas;
  const Item item = text_item(ToolType::state_button, font, L"");
  PopupItemState state = state_of(false, true);
  state.checked = true;
  const Rect rect = paint_item(canvas, item, state, font);
  const Rect box{2, 2, 20, 20};
  EXPECT_EQ(canvas.of(kShadow, rect), canvas.of(kShadow, box));
  EXPECT_EQ(canvas.at(box.left, box.top), kShadow);
  EXPECT_EQ(canvas.at(box.right - 1, box.top + 5), kHighlight);
  EXPECT_EQ(canvas.at(box.left + 5, box.bottom - 1), kHighlight);
  const Pixels mark = canvas.of(kControlFore, rect);
  EXPECT_EQ(bounds(mark), (Rect{7, 7, 14, 14}));
  EXPECT_GT(mark.size(), 15u);  // three pixels thick
}

TEST(PopupPainter, ExpandToolIsADoubleChevronCentred) {
  const TestFont font(-14);
  Canvas canvas;
  Item item = text_item(ToolType::button, font, L"");
  item.input.expand = true;
  const Rect rect = paint_item(canvas, item, state_of(false, true), font);
  const Pixels marks = canvas.of(kButtonText, rect);
  const Rect drawn = bounds(marks);
  EXPECT_EQ(drawn.size(), (Size{5, 9}));
  EXPECT_LE(std::abs((drawn.left - rect.left) - (rect.right - drawn.right)), 1);
  EXPECT_LE(std::abs((drawn.top - rect.top) - (rect.bottom - drawn.bottom)), 1);
  // Pointing down: the lowest row is the tip, one pixel in the middle.
  EXPECT_EQ(canvas.of(kButtonText, {rect.left, drawn.bottom - 1, rect.right, drawn.bottom}),
            (Pixels{{drawn.left + 2, drawn.bottom - 1}}));
}

// A picture of one colour with a transparent corner pixel, as the image
// cache holds one.
class SolidImage {
 public:
  explicit SolidImage(std::uint32_t colour) {
    images::PixelBuffer picture{16, 16, std::vector<std::uint32_t>(256, colour), {}};
    picture.pixels[15 * 16] = 0xFF00FF;
    image_ = {images::bitmap_from_buffer(picture),
              images::region_from_rects(images::shape_rects(picture, images::bottom_left(picture)))};
  }
  SolidImage(const SolidImage&) = delete;
  SolidImage& operator=(const SolidImage&) = delete;
  ~SolidImage() {
    DeleteObject(image_.bitmap);
    DeleteObject(image_.shape);
  }
  const images::ToolImageCache::Image* get() const { return &image_; }

 private:
  images::ToolImageCache::Image image_;
};

TEST(PopupPainter, PictureFillsItsBoxOverTheSelection) {
  const TestFont font(-14);
  const SolidImage image(0xFF0000);
  Canvas canvas;
  const Item item = text_item(ToolType::button, font, L"Open");
  const Rect rect = paint_item(canvas, item, state_of(true, true), font, image.get(), {16, 16});
  const Pixels red = canvas.of(RGB(255, 0, 0), rect);
  EXPECT_EQ(red.size(), 255u);
  EXPECT_EQ(bounds(red), (Rect{3, 3, 19, 19}));
  EXPECT_EQ(canvas.at(3, 18), kSelection);  // the transparent corner
}

TEST(PopupPainter, ScrollTriangleIs8By4CentredInItsArea) {
  struct Case {
    const char* name;
    bool up;
    int wide_row;  // the row 8 pixels wide
  };
  const Case cases[] = {{"up", true, 9}, {"down", false, 6}};
  const Rect area{0, 0, 100, 16};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas;
    paint_scroll_area(canvas.dc(), area, c.up, test_colours());
    Pixels expected;
    for (int row = 0; row < 4; ++row) {
      const int y = c.up ? c.wide_row - row : c.wide_row + row;
      for (int x = 46 + row; x < 54 - row; ++x) expected.insert({x, y});
    }
    EXPECT_EQ(canvas.of(kButtonText, area), expected);
    EXPECT_EQ(canvas.of(kBack, area).size(), static_cast<size_t>(100 * 16 - 20));
    EXPECT_EQ(canvas.at(100, 0), kOutside);
  }
}

TEST(PopupPainter, RepeatedPaintsKeepNoObjectsAndRestoreTheContext) {
  const TestFont font(-14);
  const SolidImage image(0x0000FF);
  Canvas canvas;
  HDC dc = canvas.dc();
  const quarrow::test::DcState before = quarrow::test::DcState::of(dc);

  Item menu = text_item(ToolType::menu, font, L"&Recent", L"Ctrl+R");
  menu.input.display_style = 3;
  Item disabled = text_item(ToolType::state_button, font, L"&Save");
  Item expand = text_item(ToolType::button, font, L"");
  expand.input.expand = true;
  PopupItemState checked = state_of(false, false);
  checked.checked = true;
  checked.rarely_used = checked.run_starts = checked.run_ends = true;
  const auto paint_all = [&] {
    paint_item(canvas, menu, state_of(true, true), font, image.get(), {16, 16});
    paint_item(canvas, disabled, checked, font, image.get(), {16, 16});
    paint_item(canvas, disabled, checked, font);
    paint_item(canvas, expand, state_of(false, true), font);
    paint_scroll_area(dc, {0, 0, 100, 16}, true, test_colours());
  };
  paint_all();  // the system's own first-use objects
  const int room_before = quarrow::test::gdi_room();
  ASSERT_GT(room_before, 2000);
  for (int i = 0; i < 1000; ++i) paint_all();
  EXPECT_LT(room_before - quarrow::test::gdi_room(), 10);

  EXPECT_EQ(quarrow::test::DcState::of(dc), before);
  EXPECT_FALSE(before.clipped);
}

}  // namespace
}  // namespace mz::menus
