// paint_bench: painting one dock area holding 10 toolbars of 20 tools
// (buttons with pictures, some with captions, a drop-down, a state button
// checked, separators), against the platform's toolbar common control
// painting the same number of buttons, in the same run.
//
//  1. Full repaint: the area composed again from nothing and copied, against
//     the ten common-control toolbars each painting its whole client area.
//  2. Band repaint after a hover change: the hot tool moves to its
//     neighbour and the toolbar's band is composed and copied, against one
//     common-control toolbar changing its hot button and painting itself.
//
// Both paint into memory device contexts compatible with the screen, so
// the program needs a display (the common controls are windows). Target:
// the band repaint no slower than the common control's. Each figure is the best of several
// runs of many paints. This is not a test.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/no_deck_events.h"
#include "dock_painter_win32.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kToolbars = 10;
constexpr int kTools = 20;
constexpr int kWidth = 1024, kHeight = 768;

double best_us_per_paint(int paints, const std::function<void()>& paint) {
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const auto start = Clock::now();
    for (int i = 0; i < paints; ++i) paint();
    best = std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count() / paints);
  }
  return best;
}

// A 16 x 16 picture: a coloured square on white.
HBITMAP picture(int seed) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16}, inside{3, 3, 13, 13};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH brush = CreateSolidBrush(RGB(seed * 37 % 256, seed * 91 % 256, seed * 53 % 256));
  FillRect(dc, &inside, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

// Pictures the model refers to, read back by the painter's image cache.
struct BenchPicture final : mz::PictureObject {
  IPictureDisp* object = nullptr;
  ~BenchPicture() override {
    if (object) object->Release();
  }
};

IPictureDisp* read_picture(const mz::PictureRef& ref) {
  const auto* held = dynamic_cast<const BenchPicture*>(ref.get());
  return held ? held->object : nullptr;
}

mz::PictureRef picture_ref(int seed) {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = picture(seed);
  auto held = std::make_shared<BenchPicture>();
  OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&held->object));
  return held;
}

mz::ToolType type_at(int i) {
  if (i % 7 == 6) return mz::ToolType::separator;
  if (i == 3) return mz::ToolType::drop_down;
  if (i == 4) return mz::ToolType::state_button;
  return mz::ToolType::button;
}

struct Scene {
  mz::bench::NoEvents events;
  mz::Deck deck{events};
  mz::CaptionCache captions;
  mz::DeckLayout layout;
  mz::DeckLook look{.style = 1, .large_icons = false, .customizing = false, .customizer_available = true, .font_height = 13};
  std::vector<mz::PlacedTool*> first_tools;  // the first two tools of the first toolbar

  Scene() {
    for (int bar = 0; bar < kToolbars; ++bar) {
      const std::wstring name = L"Bar" + std::to_wstring(bar);
      auto toolbar = deck.add_toolbar(&name, 0).value();
      toolbar->docked_row = static_cast<int16_t>(bar + 1);
      for (int i = 0; i < kTools; ++i) {
        const mz::ToolType type = type_at(i);
        if (type == mz::ToolType::separator) {
          toolbar->tools.insert(toolbar->tools.size(), mz::make_placed_separator());
          continue;
        }
        const std::wstring id = name + L"_" + std::to_wstring(i);
        auto tool = deck.add_tool(id, static_cast<int32_t>(type), -1).value();
        tool->pictures[0] = picture_ref(bar * kTools + i);
        tool->state = i == 4 ? 1 : 0;
        tool->own.name = L"Tool " + std::to_wstring(i);
        auto placed = deck.add_placed(toolbar->tools, id, static_cast<int32_t>(type), -1).value();
        placed->fields.display_style = i % 5 == 0 ? 3 : 0;
        captions.store(placed.get(), {40, 15});
        if (bar == 0 && first_tools.size() < 2) first_tools.push_back(placed.get());
      }
    }
    layout.lay_out(deck, look, captions, {0, 0, kWidth, kHeight});
  }

  mz::DockScene dock_scene(const mz::PlacedTool* hot) const {
    return {.deck = deck,
            .layout = layout,
            .captions = captions,
            .look = {.layout = look, .control_enabled = true, .run_mode = true},
            .marks = {.hot = hot, .pressed = false, .on_arrow = false, .dropped = nullptr, .selected = nullptr},
            .background = {.colour = GetSysColor(COLOR_BTNFACE),
                           .picture = nullptr,
                           .style = mz::paint::BackgroundStyle::centred,
                           .use_mask = false,
                           .mask = 0},
            .fore = GetSysColor(COLOR_BTNTEXT),
            .font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
  }
};

// A memory device context as large as the window the areas are in.
class Canvas {
 public:
  Canvas() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

struct Figures {
  double full = 0, band = 0;
};

Figures measure_deck() {
  Scene scene;
  Canvas canvas;
  mz::DockPainter painter(read_picture);
  const mz::DockScene idle = scene.dock_scene(nullptr);
  Figures figures;
  figures.full = best_us_per_paint(100, [&] {
    painter.invalidate();
    painter.paint(canvas.dc(), idle);
  });
  const mz::DockScene hot[2] = {scene.dock_scene(scene.first_tools[0]), scene.dock_scene(scene.first_tools[1])};
  painter.paint(canvas.dc(), hot[0]);
  int turn = 0;
  figures.band = best_us_per_paint(1000, [&] { painter.paint_band(canvas.dc(), hot[++turn % 2], 0); });
  return figures;
}

// Ten toolbar common controls of 20 buttons with pictures and the same
// separators, in a window that is never shown.
Figures measure_common_control() {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, kToolbars * kTools, 0);
  for (int i = 0; i < kToolbars * kTools; ++i) {
    HBITMAP bitmap = picture(i);
    ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
    DeleteObject(bitmap);
  }
  std::vector<HWND> bars;
  for (int bar = 0; bar < kToolbars; ++bar) {
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NOPARENTALIGN |
                                   CCS_NORESIZE | CCS_NODIVIDER, 0, bar * 26, kWidth, 26, parent, nullptr, nullptr, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < kTools; ++i) {
      TBBUTTON button{};
      button.iBitmap = bar * kTools + i;
      button.idCommand = 100 + i;
      button.fsState = TBSTATE_ENABLED | (i == 4 ? TBSTATE_CHECKED : 0);
      button.fsStyle = static_cast<BYTE>(type_at(i) == mz::ToolType::separator ? BTNS_SEP
                                         : i == 3                             ? BTNS_DROPDOWN
                                         : i == 4                             ? BTNS_CHECK
                                                                              : BTNS_BUTTON);
      buttons.push_back(button);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    bars.push_back(toolbar);
  }
  Canvas canvas;
  Figures figures;
  figures.full = best_us_per_paint(100, [&] {
    for (HWND toolbar : bars) SendMessageW(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  });
  int turn = 0;
  figures.band = best_us_per_paint(1000, [&] {
    SendMessageW(bars[0], TB_SETHOTITEM, ++turn % 2, 0);
    SendMessageW(bars[0], WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  });
  for (HWND toolbar : bars) DestroyWindow(toolbar);
  DestroyWindow(parent);
  ImageList_Destroy(images);
  return figures;
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  OleInitialize(nullptr);
  const Figures deck = measure_deck();
  const Figures common = measure_common_control();
  std::printf("Painting one dock area of %d toolbars of %d tools, per paint\n", kToolbars, kTools);
  std::printf("  full repaint:  %8.1f us   common control %8.1f us   ratio %.2f\n", deck.full, common.full,
              deck.full / common.full);
  std::printf("  band repaint:  %8.1f us   common control %8.1f us   ratio %.2f (target <= 1)\n", deck.band,
              common.band, deck.band / common.band);
  OleUninitialize();
  return 0;
}
