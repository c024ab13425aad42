#pragma once
// Paints the dock areas into the host window's frame, double-buffered: each
// area is composed off-screen (background, then its toolbars band by band)
// into a bitmap kept until something in the area changes, and copied to the
// window from there. A stretched or tiled background picture is rendered once
// into a bitmap of its own. Repainting one toolbar's band composes only that
// band again and copies only its strip.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <array>
#include <optional>

#include "deck_layout.h"
#include "area_background.h"
#include "tool_images_win32.h"
#include "painter_win32.h"
#include "toolbar_paint.h"

namespace mz {

// The background of the areas: the control's colour and its picture.
struct DockBackground {
  COLORREF colour = 0;
  IPicture* picture = nullptr;  // none when null or empty
  paint::BackgroundStyle style = paint::BackgroundStyle::centred;
  bool use_mask = false;
  COLORREF mask = 0;
};

// What the dock areas show: the model, its last layout and the settings and
// marks the tools are drawn with.
struct DockScene {
  const Deck& deck;
  const DeckLayout& layout;
  const CaptionCache& captions;
  paint::DeckPaintLook look;
  paint::ToolMarks marks;
  DockBackground background;
  COLORREF fore = 0;  // the control's ForeColor
  HFONT font = nullptr;
};

class DockPainter {
 public:
  explicit DockPainter(images::ToolImageCache::PictureReader reader) : images_(reader) {}
  DockPainter(const DockPainter&) = delete;
  DockPainter& operator=(const DockPainter&) = delete;
  ~DockPainter() { drop_all(); }

  // Everything must be composed again (a layout pass, a changed setting).
  void invalidate();
  // The background picture or its settings changed.
  void invalidate_background();
  // The tools' images, which the popup menus draw too.
  images::ToolImageCache& images() { return images_; }
  // A tool's pictures changed or the tool went away.
  void forget_images(const Tool* tool) { images_.forget(tool); }

  // Copies every shown area to `dc`, whose origin is the host window's,
  // composing those that changed.
  void paint(HDC dc, const DockScene& scene);
  // Composes the band of the docked toolbar `toolbar_id` again and copies
  // its strip to `dc`. An area not composed yet is composed and copied whole.
  void paint_band(HDC dc, const DockScene& scene, int toolbar_id);

  // A floating toolbar's client area of `size` (its frame keeps the result):
  // the areas' background at that size, then the tools of `model` where
  // `placement` puts them, in client coordinates.
  void paint_floating(HDC dc, const DockScene& scene, const Toolbar& toolbar, const ModelToolbar& model,
                      const Placement& placement, Size size);

 private:
  struct Area {
    HBITMAP composed = nullptr;
    bool composed_valid = false;
    HBITMAP background = nullptr;
    bool background_valid = false;
    Size size;
  };

  // Makes the area's bitmaps fit its size; false when the area is not painted.
  bool prepare(Area& area, Size size);
  // Background and the toolbars that cross `clip` (area coordinates).
  void draw_area(Area& area, HDC memory, int index, const DockScene& scene, const Rect& clip);
  void draw_background(Area& area, HDC memory, const DockScene& scene);
  // A toolbar, docked in an area whose origin is `origin` or floating.
  void draw_toolbar(HDC dc, const Toolbar& toolbar, const ModelToolbar& model, const LaidOutToolbar& laid_out,
                    Point origin, const DockScene& scene);
  // The caption fonts of the control's font, made again when it changes.
  paint::CaptionFonts& fonts(HFONT font);
  void drop(Area& area);
  void drop_all();

  std::array<Area, 4> areas_;
  images::ToolImageCache images_;
  std::optional<paint::CaptionFonts> fonts_;
  HFONT fonts_font_ = nullptr;
};

}  // namespace mz
