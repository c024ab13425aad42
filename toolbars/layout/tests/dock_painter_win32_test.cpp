// The dock areas composed off-screen and copied: what a band repaint copies
// and what it leaves, the composed image kept until it is invalidated, and a
// floating toolbar's client without a frame.
#include <windows.h>

#include <gtest/gtest.h>

#include "dock_painter_win32.h"
#include "pixel_canvas_win32.h"
#include "toolbars/model/tests/deck_test_support.h"

namespace mz {
namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kBack = RGB(0, 128, 64);

IPictureDisp* no_picture(const PictureRef&) { return nullptr; }

// Two toolbars of two buttons in the top area, one band each, laid out in
// a window 300 x 200; the second tool of each is a checked state button.
class DockPainterTest : public ::testing::Test {
 protected:
  test::Recorder events;
  Deck deck{events};
  CaptionCache captions;
  DeckLayout layout;
  DockPainter painter{no_picture};
  quarrow::test::PixelCanvas canvas{300, 200, kUntouched};
  std::vector<std::shared_ptr<PlacedTool>> placed;

  void SetUp() override {
    for (int bar = 0; bar < 2; ++bar) {
      const std::wstring name = L"Bar" + std::to_wstring(bar);
      auto toolbar = deck.add_toolbar(&name, 0).value();
      toolbar->docked_row = static_cast<int16_t>(bar + 1);
      for (int i = 0; i < 2; ++i) {
        const std::wstring id = name + L"_" + std::to_wstring(i);
        const auto type = static_cast<int32_t>(i == 0 ? ToolType::button : ToolType::state_button);
        deck.add_tool(id, type, -1).value()->state = static_cast<uint8_t>(i);
        placed.push_back(deck.add_placed(toolbar->tools, id, type, -1).value());
      }
    }
    layout.lay_out(deck, look(), captions, {0, 0, 300, 200});
  }

  static DeckLook look() {
    return {.style = 1, .large_icons = false, .customizing = false, .customizer_available = false, .font_height = 13};
  }

  DockScene scene(const PlacedTool* hot = nullptr, COLORREF back = kBack) const {
    return {.deck = deck,
            .layout = layout,
            .captions = captions,
            .look = {.layout = look(), .control_enabled = true, .run_mode = true},
            .marks = {.hot = hot, .pressed = false, .on_arrow = false, .dropped = nullptr, .selected = nullptr},
            .background = {.colour = back, .picture = nullptr, .style = paint::BackgroundStyle::centred,
                           .use_mask = false, .mask = 0},
            .fore = RGB(0, 0, 0),
            .font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
  }

  Rect tool_rect(int index) const {
    const Point origin = layout.cut().areas[0].origin();
    const PlacedTool& tool = *placed[static_cast<size_t>(index)];
    return rect_at({origin.x + tool.left, origin.y + tool.top}, {tool.width, tool.height});
  }
  const LaidOutToolbar& laid_out(int band) const { return layout.cut().layouts[0].toolbars[static_cast<size_t>(band)]; }

  void wipe() {
    const RECT all{0, 0, 300, 200};
    HBRUSH brush = CreateSolidBrush(kUntouched);
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
  }
};

TEST_F(DockPainterTest, ABandRepaintCopiesOnlyItsBandWithTheNewMarks) {
  painter.paint(canvas.dc(), scene());
  const Rect second = laid_out(1).rect;
  ASSERT_GT(second.top, laid_out(0).rect.bottom - 1);
  EXPECT_EQ(canvas.at(290, second.top + 2), kBack);
  const Rect hot = tool_rect(0);
  EXPECT_EQ(canvas.at(hot.left, hot.top), kBack);  // no frame while not hot

  wipe();
  painter.paint_band(canvas.dc(), scene(placed[0].get()), laid_out(0).id);
  EXPECT_EQ(canvas.at(hot.left, hot.top), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the hot tool is raised";
  EXPECT_EQ(canvas.at(hot.right - 1, hot.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.at(290, laid_out(0).rect.top + 2), kBack) << "the band's strip runs the area's length";
  EXPECT_EQ(canvas.at(290, second.top + 2), kUntouched) << "the other band is not copied";
  EXPECT_EQ(canvas.at(hot.left, 199), kUntouched) << "nothing below the areas";
}

TEST_F(DockPainterTest, TheComposedImageIsKeptUntilInvalidated) {
  painter.paint(canvas.dc(), scene());
  painter.paint(canvas.dc(), scene(nullptr, RGB(200, 0, 0)));
  EXPECT_EQ(canvas.at(290, laid_out(1).rect.top + 2), kBack) << "copied from the kept image";
  painter.invalidate();
  painter.paint(canvas.dc(), scene(nullptr, RGB(200, 0, 0)));
  EXPECT_EQ(canvas.at(290, laid_out(1).rect.top + 2), RGB(200, 0, 0));
}

TEST_F(DockPainterTest, AFloatingToolbarsClientHasNoFrameAndItsToolsWhereThePlacementPutsThem) {
  Toolbar& toolbar = *deck.toolbars().at(0);
  toolbar.docked_status = DockCode::floating;
  const ModelToolbar model = toolbar_from_model(deck, toolbar, look(), captions);
  Placement placement;
  placement.tools = {{{2, 2, 25, 24}, ToolFate::shown, 0}, {{25, 2, 48, 24}, ToolFate::shown, 0}};

  painter.paint_floating(canvas.dc(), scene(placed[0].get()), toolbar, model, placement, {60, 26});
  EXPECT_EQ(canvas.at(0, 0), kBack) << "no border";
  EXPECT_EQ(canvas.at(59, 25), kBack);
  EXPECT_EQ(canvas.at(2, 2), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the hot tool raised";
  EXPECT_EQ(canvas.at(25, 2), GetSysColor(COLOR_BTNSHADOW)) << "the checked tool sunken";
  EXPECT_EQ(canvas.at(60, 0), kUntouched) << "nothing beyond the client";
}

}  // namespace
}  // namespace mz
