// Paint plans executed into memory device contexts, read back pixel by pixel:
// grab bars, checkerboards, button frames, arrows, captions with their 3-D
// layers, turned captions, pictures with their shapes, the tooltip, and the
// GDI objects a paint leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bar_builders.h"
#include "dc_state_win32.h"
#include "gdi_room_win32.h"
#include "pixel_canvas_win32.h"
#include "painter_win32.h"
#include "test_font_win32.h"
#include "tool_placement.h"

namespace mz::paint {
namespace {

constexpr Orientation kH = Orientation::horizontal;
constexpr Orientation kV = Orientation::vertical;

// Distinct colours for every role, so each pixel tells who drew it.
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(224, 224, 224);
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);
constexpr COLORREF kButtonText = RGB(0, 0, 128);
constexpr COLORREF kGrayText = RGB(160, 96, 96);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kToolFore = RGB(0, 96, 160);
constexpr COLORREF kControlFore = RGB(0, 128, 0);
constexpr COLORREF kTipBack = RGB(255, 255, 225);
constexpr COLORREF kTipText = RGB(0, 0, 255);

Colours test_colours() {
  return Colours::system(kControlFore)
      .with(Role::highlight, kHighlight)
      .with(Role::shadow, kShadow)
      .with(Role::light, kLight)
      .with(Role::dark_shadow, kDarkShadow)
      .with(Role::button_text, kButtonText)
      .with(Role::gray_text, kGrayText)
      .with(Role::tooltip_back, kTipBack)
      .with(Role::tooltip_text, kTipText);
}

using Pixels = std::set<std::pair<int, int>>;

Pixels moved_pixels(const Pixels& pixels, Point by) {
  Pixels out;
  for (const auto& [x, y] : pixels) out.insert({x + by.x, y + by.y});
  return out;
}

bool contains(const Pixels& pixels, int x, int y) { return pixels.count({x, y}) != 0; }

Rect grown(Rect r, int by) { return shrunk(r, -by); }

// A canvas filled with the button face, with the pixels of one colour.
class Canvas : public quarrow::test::PixelCanvas {
 public:
  explicit Canvas(int width = 160, int height = 120) : PixelCanvas(width, height, kFace) {}

  Pixels of(COLORREF colour, Rect area) const {
    return pixels_of(colour, {area.left, area.top, area.right, area.bottom});
  }

  Rect whole() const { return {0, 0, width(), height()}; }
};

// Every pixel of `area` has the colour `expected` gives it.
void expect_pixels(const Canvas& canvas, Rect area, const std::function<COLORREF(int, int)>& expected) {
  int wrong = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF want = expected(x, y);
      if (canvas.at(x, y) == want) continue;
      if (++wrong <= 5)
        ADD_FAILURE() << "pixel (" << x << "," << y << ") is " << std::hex << canvas.at(x, y) << ", expected " << want;
    }
  }
  EXPECT_EQ(wrong, 0);
}

using quarrow::test::TestFont;

// A caption's measured extent, + 2 each way, as the caption cache holds it.
Size caption_extent(HFONT font, const std::wstring& text, UINT flags = 0) {
  const SIZE extent = quarrow::test::text_extent(font, text, flags);
  return {extent.cx + 2, extent.cy + 2};
}

ToolBarLook bar_look(Orientation orientation = kH, bool large_icons = false, Font3D font3d = Font3D::none) {
  ToolBarLook bar;
  bar.look.orientation = orientation;
  bar.look.large_icons = large_icons;
  bar.look.picture_size = large_icons ? 32 : 16;
  bar.font3d = font3d;
  return bar;
}

ToolPaintInput tool_input(ToolType type, Rect rect, ToolState state = {}, std::uint8_t display_style = 0) {
  ToolPaintInput tool;
  tool.type = type;
  tool.display_style = display_style;
  tool.rect = rect;
  tool.state = state;
  tool.picture = {16, 16};
  return tool;
}

ToolState state_of(bool hot, bool pressed, bool checked, bool enabled = true) {
  ToolState s;
  s.hot = hot;
  s.pressed = pressed;
  s.state_checked = checked;
  s.enabled = enabled;
  return s;
}

// ---- Toolbar frame ----

struct GrabCase {
  const char* name;
  DeckStyle style;
  Orientation orientation;
  bool floatable;
  int bars;
};

TEST(PainterFrame, GrabBarsPerStyle) {
  const GrabCase cases[] = {
      {"97 floatable row: two bars", DeckStyle::office97, kH, true, 2},
      {"2000 floatable row: one bar", DeckStyle::office2000, kH, true, 1},
      {"97 row that may not float: one bar", DeckStyle::office97, kH, false, 1},
      {"97 floatable column: two bars", DeckStyle::office97, kV, true, 2},
      {"2000 floatable column: one bar", DeckStyle::office2000, kV, true, 1},
  };
  for (const GrabCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Rect r = c.orientation == kH ? Rect{10, 5, 110, 31} : Rect{5, 10, 31, 110};
    BarFrameInput frame;
    frame.rect = r;
    frame.orientation = c.orientation;
    frame.style = c.style;
    frame.floatable = c.floatable;
    ToolbarPlan plan;
    plan.frame = plan_bar_frame(frame);
    plan.clip = r;
    Canvas canvas;
    const TestFont font;
    CaptionFonts fonts(font.get());
    paint_toolbar(canvas.dc(), plan, {}, test_colours(), fonts);

    for (int k = 0; k <= c.bars; ++k) {
      const int along = 4 + 3 * k;
      const Rect bar = c.orientation == kH ? Rect{r.left + along, r.top + 2, r.left + along + 3, r.bottom - 2}
                                           : Rect{r.left + 2, r.top + along, r.right - 2, r.top + along + 3};
      if (k == c.bars) {
        expect_pixels(canvas, bar, [](int, int) { return kFace; });
        continue;
      }
      // Top, right and bottom sides first, then the left side over the
      // corner it shares with the bottom.
      expect_pixels(canvas, bar, [&](int x, int y) {
        if (x == bar.left) return kHighlight;
        if (x == bar.right - 1 || y == bar.bottom - 1) return kShadow;
        if (y == bar.top) return kHighlight;
        return kFace;
      });
    }
  }
}

// The engraved double chevron of a compressed toolbar: 1-pixel lines, light
// then shadow, each line leaving out its last point; the pair again 4 pixels on.
TEST(PainterFrame, CompressedChevronLines) {
  const Rect r{10, 5, 110, 31};
  BarFrameInput frame;
  frame.rect = r;
  frame.compressed = true;
  frame.display_grab_handles = false;
  ToolbarPlan plan;
  plan.frame = plan_bar_frame(frame);
  plan.clip = r;
  Canvas canvas;
  const TestFont font;
  CaptionFonts fonts(font.get());
  paint_toolbar(canvas.dc(), plan, {}, test_colours(), fonts);

  Pixels light, shadow;
  for (const int step : {0, 4}) {
    const int x = r.right - 11 + step, y = r.top;
    for (const Point p : {Point{0, 2}, Point{1, 3}, Point{2, 4}, Point{3, 5}, Point{4, 5}, Point{3, 6}, Point{2, 7}, Point{1, 8}})
      light.insert({x + p.x, y + p.y});
    for (const Point p : {Point{1, 2}, Point{2, 3}, Point{3, 4}, Point{3, 5}, Point{2, 6}, Point{1, 7}})
      shadow.insert({x + p.x, y + p.y});
  }
  expect_pixels(canvas, {r.right - 12, r.top + 1, r.right - 1, r.top + 11}, [&](int x, int y) {
    if (contains(shadow, x, y)) return kShadow;
    return contains(light, x, y) ? kLight : kFace;
  });
}

struct SeparatorCase {
  const char* name;
  Orientation orientation;
  Rect rect;
  Rect line;  // the etched line's two pixel rows or columns
};

TEST(PainterTool, SeparatorsAreEtchedLines) {
  const SeparatorCase cases[] = {
      // Shrunk by 2, 1 pixel up: shadow on the left, highlight on the right.
      {"row", kH, {20, 4, 26, 26}, {22, 5, 24, 23}},
      // Shrunk by 2, 1 pixel left: shadow on top, highlight below.
      {"column", kV, {4, 20, 26, 26}, {5, 22, 23, 24}},
  };
  for (const SeparatorCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolPlan plan = plan_tool(tool_input(ToolType::separator, c.rect), bar_look(c.orientation));
    Canvas canvas;
    const TestFont font;
    CaptionFonts fonts(font.get());
    paint_tool(canvas.dc(), plan, {}, test_colours(), fonts);
    expect_pixels(canvas, grown(c.rect, 1), [&](int x, int y) {
      if (x < c.line.left || x >= c.line.right || y < c.line.top || y >= c.line.bottom) return kFace;
      const bool first = c.orientation == kH ? x == c.line.left : y == c.line.top;
      return first ? kShadow : kHighlight;
    });
  }
}

// ---- Button states ----

struct StateCase {
  const char* name;
  ToolState state;
  std::optional<COLORREF> upper_left;  // frame colours, none without a frame
  COLORREF lower_right;
  bool checkerboard;
};

TEST(PainterTool, FrameAndCheckerboardPerState) {
  const StateCase cases[] = {
      {"normal: no frame", state_of(false, false, false), std::nullopt, kFace, false},
      {"hot: raised", state_of(true, false, false), kHighlight, kShadow, false},
      {"pressed: sunken", state_of(true, true, false), kShadow, kHighlight, false},
      {"checked: sunken over a checkerboard", state_of(false, false, true), kShadow, kHighlight, true},
      {"hot checked: sunken, no checkerboard", state_of(true, false, true), kShadow, kHighlight, false},
      {"checked disabled: sunken, no checkerboard", state_of(false, false, true, false), kShadow, kHighlight, false},
  };
  const Rect r{11, 4, 34, 26};
  const Rect inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolPlan plan = plan_tool(tool_input(ToolType::state_button, r, c.state), bar_look());
    Canvas canvas;
    const TestFont font;
    CaptionFonts fonts(font.get());
    paint_tool(canvas.dc(), plan, {}, test_colours(), fonts);

    const int mid_y = (r.top + r.bottom) / 2;
    EXPECT_EQ(canvas.at(r.left, mid_y), c.upper_left.value_or(kFace));
    EXPECT_EQ(canvas.at(r.right - 1, mid_y), c.upper_left ? c.lower_right : kFace);
    expect_pixels(canvas, inside, [&](int x, int y) {
      return c.checkerboard && checker_pixel({x, y}) ? kHighlight : kFace;
    });
  }
}

// Two checked buttons side by side, the second starting at an odd distance
// from the first: both patterns count from the context's own origin, also
// when that origin is moved on the device.
TEST(PainterTool, CheckerboardsOfNeighboursLineUp) {
  const Rect bar_rect{0, 0, 80, 26};
  const Placement placement = place_tools(test::bar({test::tool(23, 22), test::tool(23, 22)}), bar_rect);
  ASSERT_EQ(placement.tools.size(), 2u);
  const Rect first = placement.tools[0].rect;
  const Rect second = placement.tools[1].rect;
  ASSERT_EQ(first.right, second.left);
  ASSERT_NE((second.left - first.left) % 2, 0);

  const ToolPaintInput checked = tool_input(ToolType::state_button, {}, state_of(false, false, true));
  const std::vector<ToolPaintInput> inputs{checked, checked};
  BarFrameInput frame;
  frame.rect = bar_rect;
  const ToolbarPlan plan = plan_toolbar(frame, placement, inputs, bar_look());
  ASSERT_EQ(plan.tools.size(), 2u);

  for (const Point device_origin : {Point{0, 0}, Point{1, 0}, Point{0, 1}, Point{3, 6}}) {
    SCOPED_TRACE(testing::Message() << "origin at (" << device_origin.x << "," << device_origin.y << ")");
    Canvas canvas;
    SetViewportOrgEx(canvas.dc(), device_origin.x, device_origin.y, nullptr);
    const TestFont font;
    CaptionFonts fonts(font.get());
    paint_toolbar(canvas.dc(), plan, {}, test_colours(), fonts);
    for (const Rect& button : {first, second}) {
      const Rect inside{button.left + 1, button.top + 1, button.right - 1, button.bottom - 1};
      const Rect on_device{inside.left + device_origin.x, inside.top + device_origin.y, inside.right + device_origin.x,
                           inside.bottom + device_origin.y};
      expect_pixels(canvas, on_device, [&](int x, int y) {
        return checker_pixel({x - device_origin.x, y - device_origin.y}) ? kHighlight : kFace;
      });
    }
  }
}

// ---- Arrows ----

struct ArrowCase {
  const char* name;
  bool large_icons;
  bool enabled;
  Rect rect;
  Point corner;  // the triangle's top-left corner
  int scale;     // half its height; 1: 5 x 3, 4: 17 x 9
};

TEST(PainterTool, DropdownArrowGeometry) {
  const ArrowCase cases[] = {
      // (right - 7, top + (22 - 3) / 2)
      {"small", false, true, {10, 4, 42, 26}, {35, 13}, 1},
      {"small disabled", false, false, {10, 4, 42, 26}, {35, 13}, 1},
      // (right - 18, top + (40 - 3) / 2 - 3)
      {"large", true, true, {10, 4, 70, 44}, {52, 19}, 4},
      {"large disabled", true, false, {10, 4, 70, 44}, {52, 19}, 4},
  };
  for (const ArrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    ToolPaintInput tool = tool_input(ToolType::drop_down, c.rect, state_of(false, false, false, c.enabled));
    const ToolPlan plan = plan_tool(tool, bar_look(kH, c.large_icons));
    Canvas canvas;
    const TestFont font;
    CaptionFonts fonts(font.get());
    paint_tool(canvas.dc(), plan, {}, test_colours(), fonts);

    Pixels triangle;
    for (int row = 0; row <= 2 * c.scale; ++row) {
      for (int x = c.corner.x + row; x <= c.corner.x + 4 * c.scale - row; ++x) triangle.insert({x, c.corner.y + row});
    }
    const Pixels lifted = moved_pixels(triangle, {1, 1});
    const Rect arrow_part{c.rect.right - (c.large_icons ? 19 : 9), c.rect.top + 1, c.rect.right - 1, c.rect.bottom - 1};
    expect_pixels(canvas, arrow_part, [&](int x, int y) {
      if (c.enabled) return contains(triangle, x, y) ? kBlack : kFace;
      if (contains(triangle, x, y)) return kShadow;
      return contains(lifted, x, y) ? kHighlight : kFace;
    });
  }
}

// ---- Captions ----

// The pixels a text takes when drawn plainly in its rectangle.
Pixels plain_text(HFONT font, const std::wstring& text, Rect rect) {
  Canvas canvas;
  TextStyle style;
  style.text = kBlack;
  draw_text(canvas.dc(), text, rect, font, style);
  return canvas.of(kBlack, canvas.whole());
}

// The colour layers leave at a pixel, from the plain text's pixels: the last
// layer drawn over it wins.
using Layers = std::vector<std::pair<COLORREF, Point>>;
COLORREF layered(const Pixels& text, const Layers& layers, int x, int y) {
  COLORREF out = kFace;
  for (const auto& [colour, offset] : layers) {
    if (contains(text, x - offset.x, y - offset.y)) out = colour;
  }
  return out;
}

struct EffectCase {
  const char* name;
  Font3D effect;
  Layers layers;  // in drawing order
};

TEST(TextPainter, Font3DLayers) {
  constexpr COLORREF kText = RGB(200, 0, 0);
  constexpr COLORREF kLift = RGB(0, 200, 0);
  constexpr COLORREF kDrop = RGB(0, 0, 200);
  const EffectCase cases[] = {
      {"none", Font3D::none, {{kText, {0, 0}}}},
      {"raised light", Font3D::raised_light, {{kLift, {0, 0}}, {kText, {1, 1}}}},
      {"raised heavy", Font3D::raised_heavy, {{kLift, {0, 0}}, {kDrop, {2, 2}}, {kText, {1, 1}}}},
      {"inset light", Font3D::inset_light, {{kLift, {1, 1}}, {kText, {0, 0}}}},
      {"inset heavy", Font3D::inset_heavy, {{kDrop, {0, 0}}, {kLift, {2, 2}}, {kText, {1, 1}}}},
      {"drop shadow of 3", Font3D::drop_shadow, {{kDrop, {3, 3}}, {kText, {0, 0}}}},
  };
  const TestFont font;
  const std::wstring text = L"Save As";
  const Rect rect{10, 10, 130, 40};
  const Pixels plain = plain_text(font.get(), text, rect);
  ASSERT_GT(plain.size(), 50u);
  for (const EffectCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas;
    TextStyle style;
    style.effect = c.effect;
    style.text = kText;
    style.highlight = kLift;
    style.shadow = kDrop;
    style.drop_depth = 3;
    draw_text(canvas.dc(), text, rect, font.get(), style);
    expect_pixels(canvas, grown(rect, 4), [&](int x, int y) { return layered(plain, c.layers, x, y); });
  }
}

struct InkBox {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

InkBox box_of(const Pixels& ink) {
  InkBox box;
  for (const auto& [x, y] : ink) {
    box.left = std::min(box.left, x), box.right = std::max(box.right, x + 1);
    box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y + 1);
  }
  return box;
}

struct PlacementCase {
  int alignment;
  bool right;   // else left, or centred when neither
  bool bottom;  // else top, or middle when neither
  bool centre_x;
  bool middle_y;
};

TEST(TextPainter, AlignmentCodesPlaceTheText) {
  const TestFont font;
  const std::wstring text = L"Hi";
  const Rect rect{10, 10, 150, 80};
  const Size extent = caption_extent(font.get(), text);
  const PlacementCase cases[] = {
      {0, false, false, false, false}, {1, false, false, false, true}, {2, false, true, false, false},
      {3, true, false, false, false},  {4, true, false, false, true},  {5, true, true, false, false},
      {6, false, false, true, false},  {7, false, false, true, true},  {8, false, true, true, false},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "code " << c.alignment);
    Canvas canvas;
    TextStyle style;
    style.alignment = c.alignment;
    draw_text(canvas.dc(), text, rect, font.get(), style);
    const Pixels ink = canvas.of(kBlack, canvas.whole());
    ASSERT_FALSE(ink.empty());
    const InkBox box = box_of(ink);
    // The text's cell is its extent without the 2 pixels the cache adds.
    const int cell_w = extent.width - 2, cell_h = extent.height - 2;
    const int want_left = c.right ? rect.right - cell_w : c.centre_x ? rect.left + (rect.width() - cell_w) / 2 : rect.left;
    const int want_top = c.bottom ? rect.bottom - cell_h : c.middle_y ? rect.top + (rect.height() - cell_h) / 2 : rect.top;
    EXPECT_GE(box.left, want_left);
    EXPECT_LE(box.right, want_left + cell_w);
    EXPECT_LE(box.left - want_left, 3);
    EXPECT_GE(box.top, want_top);
    EXPECT_LE(box.bottom, want_top + cell_h);
    EXPECT_LE(want_top + cell_h - box.bottom, cell_h / 2);
  }
}

TEST(TextPainter, GrayedTextKeepsToTheTextsPixels) {
  const TestFont font;
  const std::wstring text = L"Disabled";
  const Rect rect{10, 10, 150, 40};
  const Pixels plain = plain_text(font.get(), text, rect);
  Canvas canvas;
  TextStyle style;
  style.gray = true;
  style.text = kGrayText;
  draw_text(canvas.dc(), text, rect, font.get(), style);
  const Pixels gray = canvas.of(kGrayText, canvas.whole());
  const Pixels changed = [&] {
    Pixels out;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x)
        if (canvas.at(x, y) != kFace) out.insert({x, y});
    return out;
  }();
  EXPECT_FALSE(gray.empty());
  EXPECT_EQ(changed, gray);
  for (const auto& [x, y] : gray) EXPECT_TRUE(contains(plain, x, y)) << x << "," << y;
  EXPECT_LT(gray.size(), plain.size());
}

// Flags passed on to the platform never write into the caller's text (an
// ellipsis would overwrite it, past its end when it is short) and never
// turn drawing into measuring.
TEST(TextPainter, PlatformFlagsNeitherModifyNorOnlyMeasure) {
  const TestFont font;
  const std::wstring text = L"A caption far too long for its place";
  const std::wstring kept = text;
  Canvas canvas;
  TextStyle style;
  style.alignment = DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT;
  draw_text(canvas.dc(), text, {10, 10, 70, 40}, font.get(), style);
  EXPECT_EQ(text, kept);
  EXPECT_FALSE(canvas.of(kBlack, canvas.whole()).empty());
}

TEST(TextPainter, OpaqueFillsTheTextsCell) {
  constexpr COLORREF kBack = RGB(10, 20, 30);
  const TestFont font;
  const std::wstring text = L"Hi";
  const Size extent = caption_extent(font.get(), text);
  const Rect rect{10, 10, 110, 60};
  Canvas canvas;
  TextStyle style;
  style.opaque = true;
  style.back = kBack;
  style.alignment = 4;  // right, middle
  draw_text(canvas.dc(), text, rect, font.get(), style);
  const Rect cell = place_text(rect, {extent.width - 2, extent.height - 2}, {TextAlign::end, TextAlign::centre});
  expect_pixels(canvas, grown(rect, 1), [&](int x, int y) {
    const bool in_cell = x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
    if (!in_cell) return kFace;
    return canvas.at(x, y) == kBlack ? kBlack : kBack;
  });
  EXPECT_FALSE(canvas.of(kBlack, cell).empty());
}

struct CaptionCase {
  const char* name;
  bool enabled;
  bool tool_fore_color;
  COLORREF fore;  // the tool's ForeColor
  Font3D font3d;
  Layers layers;
};

// A text-only button's caption through its plan: colour by state and
// ForeColorSource, the toolbar's effect while enabled, embossed when not.
TEST(PainterTool, CaptionColoursAndEffects) {
  const CaptionCase cases[] = {
      {"control's ForeColor", true, false, kToolFore, Font3D::none, {{kControlFore, {0, 0}}}},
      {"tool's ForeColor", true, true, kToolFore, Font3D::none, {{kToolFore, {0, 0}}}},
      {"tool's ForeColor, a system colour",
       true,
       true,
       0x80000000 | COLOR_HIGHLIGHT,
       Font3D::none,
       {{GetSysColor(COLOR_HIGHLIGHT), {0, 0}}}},
      {"raised heavy: highlight, black shadow, text",
       true,
       false,
       kToolFore,
       Font3D::raised_heavy,
       {{kHighlight, {0, 0}}, {kBlack, {2, 2}}, {kControlFore, {1, 1}}}},
      {"disabled: embossed whatever the effect",
       false,
       true,
       kToolFore,
       Font3D::raised_heavy,
       {{kHighlight, {1, 1}}, {kGrayText, {0, 0}}}},
  };
  const TestFont font;
  const std::wstring caption = L"Print";
  const Size extent = caption_extent(font.get(), caption);
  const Rect r{10, 10, 10 + extent.width + 12, 10 + extent.height + 8};
  for (const CaptionCase& c : cases) {
    SCOPED_TRACE(c.name);
    ToolPaintInput tool = tool_input(ToolType::button, r, state_of(false, false, false, c.enabled), 1);
    tool.caption = extent;
    tool.tool_fore_color = c.tool_fore_color;
    const ToolPlan plan = plan_tool(tool, bar_look(kH, false, c.font3d));
    ASSERT_TRUE(plan.caption);
    const Pixels plain = plain_text(font.get(), caption, plan.caption->rect);
    ASSERT_GT(plain.size(), 20u);
    Canvas canvas;
    CaptionFonts fonts(font.get());
    ToolArt art;
    art.caption = caption;
    art.fore = c.fore;
    paint_tool(canvas.dc(), plan, art, test_colours(), fonts);
    expect_pixels(canvas, grown(r, -1), [&](int x, int y) { return layered(plain, c.layers, x, y); });
  }
}

// On a vertical toolbar the caption reads top to bottom: "TTTT" turned
// clockwise has its crossbars down its right side.
TEST(PainterTool, CaptionOfVerticalToolbarRunsDown) {
  const TestFont font(-20);
  const std::wstring caption = L"TTTT";
  const Size extent = caption_extent(font.get(), caption);
  const Rect r{20, 10, 20 + extent.height + 8, 10 + extent.width + 12};
  ToolPaintInput tool = tool_input(ToolType::button, r, {}, 1);
  tool.caption = extent;
  const ToolPlan plan = plan_tool(tool, bar_look(kV));
  ASSERT_TRUE(plan.caption);
  ASSERT_TRUE(plan.caption->rotated);
  Canvas canvas;
  CaptionFonts fonts(font.get());
  ToolArt art;
  art.caption = caption;
  paint_tool(canvas.dc(), plan, art, test_colours(), fonts);

  const Pixels ink = canvas.of(kControlFore, canvas.whole());
  ASSERT_GT(ink.size(), 40u);
  const InkBox turned = box_of(ink);
  const InkBox flat = box_of(plain_text(font.get(), caption, {0, 0, 150, 50}));
  const Rect& cell = plan.caption->rect;
  EXPECT_GE(turned.left, cell.left);
  EXPECT_GE(turned.top, cell.top);
  EXPECT_LE(turned.right, cell.right);
  EXPECT_LE(turned.bottom, cell.bottom);
  EXPECT_NEAR(turned.height(), flat.width(), 2);
  EXPECT_NEAR(turned.width(), flat.height(), 2);
  int right_edge = 0, left_edge = 0;
  for (const auto& [x, y] : ink) {
    if (x >= turned.right - 2) ++right_edge;
    if (x < turned.left + 2) ++left_edge;
  }
  EXPECT_GT(right_edge, 2 * left_edge);
}

TEST(CaptionFonts, TurnedCopyOfAnOutlineFontKeepsItsFace) {
  const TestFont font;
  CaptionFonts fonts(font.get());
  EXPECT_EQ(fonts.normal(), font.get());
  HFONT turned = fonts.rotated();
  ASSERT_NE(turned, nullptr);
  EXPECT_NE(turned, font.get());
  EXPECT_EQ(fonts.rotated(), turned);
  LOGFONTW made{}, given{};
  ASSERT_TRUE(GetObjectW(turned, sizeof(made), &made));
  ASSERT_TRUE(GetObjectW(font.get(), sizeof(given), &given));
  EXPECT_EQ(made.lfEscapement, 2700);
  EXPECT_EQ(made.lfOrientation, 2700);
  EXPECT_EQ(std::wstring(made.lfFaceName), std::wstring(given.lfFaceName));
  EXPECT_EQ(made.lfHeight, given.lfHeight);
}

int CALLBACK note_raster_face(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM found) {
  if (!(type & RASTER_FONTTYPE)) return 1;
  *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
  return 0;
}

TEST(CaptionFonts, TurnedCopyOfARasterFontIsArial) {
  std::wstring raster;
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc, &any, note_raster_face, reinterpret_cast<LPARAM>(&raster), 0);
  DeleteDC(dc);
  if (raster.empty()) GTEST_SKIP() << "no raster font installed";
  const TestFont font(-13, raster.c_str());
  CaptionFonts fonts(font.get());
  LOGFONTW made{};
  ASSERT_TRUE(GetObjectW(fonts.rotated(), sizeof(made), &made));
  EXPECT_EQ(std::wstring(made.lfFaceName), L"Arial");
  EXPECT_EQ(made.lfEscapement, 2700);
}

TEST(CaptionFonts, DropDepthGrowsWithTheFont) {
  const TestFont small(-13), large(-60);
  EXPECT_EQ(CaptionFonts(small.get()).drop_depth(), 1);
  EXPECT_GT(CaptionFonts(large.get()).drop_depth(), 1);
}

// ---- Images ----

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kRedPixel = 0xFF0000;
constexpr std::uint32_t kBluePixel = 0x0000FF;

// 16 x 16: a 2-pixel magenta (transparent) border around red, with a blue
// 4 x 4 corner inside.
images::PixelBuffer bordered_picture() {
  images::PixelBuffer picture{16, 16, std::vector<std::uint32_t>(256, kMagenta), {}};
  for (int y = 2; y < 14; ++y) {
    for (int x = 2; x < 14; ++x) picture.pixels[y * 16 + x] = x < 6 && y < 6 ? kBluePixel : kRedPixel;
  }
  return picture;
}

COLORREF colour_of_pixel(std::uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

// An image as the cache holds one, owned by the test.
class OwnedImage {
 public:
  explicit OwnedImage(const images::PixelBuffer& picture)
      : image_{images::bitmap_from_buffer(picture),
               images::region_from_rects(images::shape_rects(picture, images::bottom_left(picture)))} {}
  OwnedImage(const OwnedImage&) = delete;
  OwnedImage& operator=(const OwnedImage&) = delete;
  ~OwnedImage() {
    if (image_.bitmap) DeleteObject(image_.bitmap);
    if (image_.shape) DeleteObject(image_.shape);
  }
  const images::ToolImageCache::Image* get() const { return &image_; }

 private:
  images::ToolImageCache::Image image_;
};

struct ImageCase {
  const char* name;
  bool large_icons;
  bool enabled;
  Point device_origin;  // where the context's origin lies on its bitmap
};

// The picture at its place, through its shape, stretched 16 to 32 with large
// icons; a disabled tool's shape first in highlight 1 pixel down-right.
TEST(PainterImage, ShapeStretchAndSilhouette) {
  const ImageCase cases[] = {
      {"small", false, true, {0, 0}},
      {"small disabled", false, false, {0, 0}},
      {"16 x 16 stretched to 32 x 32", true, true, {0, 0}},
      {"stretched disabled", true, false, {0, 0}},
      {"disabled, origin moved", false, false, {3, 2}},
      {"stretched disabled, origin moved", true, false, {-5, 1}},
  };
  const images::PixelBuffer picture = bordered_picture();
  const OwnedImage image(picture);
  ASSERT_NE(image.get()->bitmap, nullptr);
  ASSERT_NE(image.get()->shape, nullptr);
  for (const ImageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int side = c.large_icons ? 40 : 24;
    const Rect r{10, 10, 10 + side, 10 + side};
    const ToolPlan plan = plan_tool(tool_input(ToolType::button, r, state_of(false, false, false, c.enabled)),
                                    bar_look(kH, c.large_icons));
    ASSERT_TRUE(plan.image);
    const Rect dest = plan.image->dest;
    const int scale = c.large_icons ? 2 : 1;
    ASSERT_EQ(dest.width(), 16 * scale);
    ASSERT_EQ(plan.image->silhouette, !c.enabled);
    Canvas canvas;
    SetViewportOrgEx(canvas.dc(), c.device_origin.x, c.device_origin.y, nullptr);
    const TestFont font;
    CaptionFonts fonts(font.get());
    ToolArt art;
    art.image = image.get();
    paint_tool(canvas.dc(), plan, art, test_colours(), fonts);

    const Rect clip = plan.image->clip.value_or(grown(dest, 2));
    const auto source = [&](int x, int y) -> std::optional<std::uint32_t> {
      if (x < dest.left || y < dest.top || x >= dest.right || y >= dest.bottom) return std::nullopt;
      const std::uint32_t v = picture.at((x - dest.left) / scale, (y - dest.top) / scale);
      if (v == kMagenta) return std::nullopt;
      return v;
    };
    expect_pixels(canvas, moved(grown(dest, 2), c.device_origin), [&](int x, int y) {
      x -= c.device_origin.x;
      y -= c.device_origin.y;
      if (x < clip.left || y < clip.top || x >= clip.right || y >= clip.bottom) return kFace;
      if (const auto v = source(x, y)) return colour_of_pixel(*v);
      if (!c.enabled && source(x - 1, y - 1)) return kHighlight;
      return kFace;
    });
  }
}

TEST(PainterImage, MissingImageDrawsNothing) {
  const OwnedImage image(bordered_picture());
  images::ToolImageCache::Image no_bitmap{nullptr, image.get()->shape};
  const images::ToolImageCache::Image* images[] = {nullptr, &no_bitmap};
  const Rect r{10, 10, 34, 34};
  const ToolPlan plan = plan_tool(tool_input(ToolType::button, r, state_of(false, false, false, false)), bar_look());
  for (const auto* missing : images) {
    Canvas canvas;
    const TestFont font;
    CaptionFonts fonts(font.get());
    ToolArt art;
    art.image = missing;
    paint_tool(canvas.dc(), plan, art, test_colours(), fonts);
    expect_pixels(canvas, grown(r, 2), [](int, int) { return kFace; });
  }
}

// ---- Tooltip ----

TEST(PainterTooltip, EdgesFillAndUnprefixedText) {
  const TestFont font;
  const std::wstring text = L"&&&&";
  const Size extent = caption_extent(font.get(), text, DT_NOPREFIX);
  const Rect client{5, 5, extent.width + 15, extent.height + 11};
  const TooltipPlan plan = plan_tooltip(client, extent);
  Canvas canvas;
  paint_tooltip(canvas.dc(), plan, text, font.get(), test_colours());

  const Pixels ink = canvas.of(kTipText, canvas.whole());
  expect_pixels(canvas, grown(client, 1), [&](int x, int y) {
    if (x < client.left || y < client.top || x >= client.right || y >= client.bottom) return kFace;
    // Left and top raised inner, then right and bottom raised outer over
    // the corners they share.
    if (x == client.right - 1 || y == client.bottom - 1) return kDarkShadow;
    if (x == client.left || y == client.top) return kHighlight;
    return contains(ink, x, y) ? kTipText : kTipBack;
  });
  ASSERT_FALSE(ink.empty());
  const InkBox box = box_of(ink);
  EXPECT_GE(box.left, plan.text.left);
  EXPECT_LE(box.right, plan.text.right);
  EXPECT_GE(box.top, plan.text.top);
  EXPECT_LE(box.bottom, plan.text.bottom);
  // All four ampersands: no mnemonic processing halves them.
  EXPECT_GT(box.width(), (extent.width - 2) * 3 / 4);
}

// ---- Resources ----

// One of everything: a toolbar of a checked, a disabled pictured, a
// dropdown and a captioned tool, also turned on a column; a tool and a
// checkerboard on their own, a grayed text and a tooltip.
void paint_everything(HDC dc, const OwnedImage& image, HFONT font) {
  const Rect bar_rect{0, 0, 120, 30};
  const Placement placement = place_tools(test::bar({test::tool(), test::tool(), test::tool(32, 22), test::tool(30, 22)}),
                                          bar_rect);
  std::vector<ToolPaintInput> inputs{
      tool_input(ToolType::state_button, {}, state_of(false, false, true)),
      tool_input(ToolType::button, {}, state_of(false, false, false, false)),
      tool_input(ToolType::drop_down, {}, state_of(true, false, false)),
      tool_input(ToolType::button, {}, {}, 3),
  };
  inputs[3].caption = {14, 16};
  const Colours colours = test_colours();
  CaptionFonts fonts(font);
  ToolArt art[4];
  for (ToolArt& a : art) {
    a.caption = L"Go";
    a.image = image.get();
  }
  for (const Orientation o : {kH, kV}) {
    BarFrameInput frame;
    frame.rect = bar_rect;
    frame.orientation = o;
    paint_toolbar(dc, plan_toolbar(frame, placement, inputs, bar_look(o, false, Font3D::drop_shadow)), art, colours,
                  fonts);
  }
  paint_tool(dc, plan_tool(tool_input(ToolType::drop_down, {0, 90, 40, 112}, state_of(false, false, true, false)), bar_look()),
             art[0], colours, fonts);
  draw_checkerboard(dc, {50, 90, 70, 110}, kHighlight);
  TextStyle gray;
  gray.gray = true;
  draw_text(dc, L"Gray", {0, 40, 100, 60}, font, gray);
  paint_tooltip(dc, plan_tooltip({0, 60, 60, 80}, {30, 16}), L"Tip", font, colours);
}

TEST(PainterResources, RepeatedPaintsKeepNoObjectsAndRestoreTheContext) {
  const OwnedImage image(bordered_picture());
  const TestFont font;
  Canvas canvas;
  HDC dc = canvas.dc();
  const quarrow::test::DcState before = quarrow::test::DcState::of(dc);

  paint_everything(dc, image, font.get());  // the system's own first-use objects
  const int room_before = quarrow::test::gdi_room();
  ASSERT_GT(room_before, 2000);
  for (int i = 0; i < 1000; ++i) paint_everything(dc, image, font.get());
  EXPECT_LT(room_before - quarrow::test::gdi_room(), 10);

  EXPECT_EQ(quarrow::test::DcState::of(dc), before);
  EXPECT_FALSE(before.clipped);
}

}  // namespace
}  // namespace mz::paint
