#include "dock_painter_win32.h"

#include <algorithm>
#include <vector>

#include "band_strip.h"
#include "painter_win32.h"

namespace mz {

namespace {

bool crosses(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

struct PictureExtent {
  long width = 0, height = 0;  // HIMETRIC
  Size pixels;
  bool icon = false;
};

std::optional<PictureExtent> extent_of(IPicture* picture) {
  PictureExtent extent;
  SHORT type = PICTYPE_NONE;
  if (!picture || FAILED(picture->get_Type(&type)) || type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED ||
      FAILED(picture->get_Width(&extent.width)) || FAILED(picture->get_Height(&extent.height)))
    return std::nullopt;
  HDC screen = GetDC(nullptr);
  extent.pixels = {MulDiv(extent.width, GetDeviceCaps(screen, LOGPIXELSX), 2540),
                   MulDiv(extent.height, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  ReleaseDC(nullptr, screen);
  extent.icon = type == PICTYPE_ICON;
  return extent;
}

void render(HDC dc, IPicture* picture, const PictureExtent& extent, const Rect& at) {
  picture->Render(dc, at.left, at.top, at.width(), at.height(), 0, extent.height, extent.width, -extent.height,
                  nullptr);
}

// The picture at `at`, its pixels of the mask colour left out.
void render_masked(HDC dc, IPicture* picture, const PictureExtent& extent, const Rect& at, COLORREF mask) {
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, at.width(), at.height());
  if (memory && bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    paint::fill_rect(memory, rect_at({0, 0}, at.size()), mask);
    render(memory, picture, extent, rect_at({0, 0}, at.size()));
    GdiTransparentBlt(dc, at.left, at.top, at.width(), at.height(), memory, 0, 0, at.width(), at.height(), mask);
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
}

void draw_picture(HDC dc, const DockBackground& background, const PictureExtent& extent, const Rect& at) {
  if (background.use_mask)
    render_masked(dc, background.picture, extent, at, background.mask);
  else
    render(dc, background.picture, extent, at);
}

// The background picture's extent and where it goes in an area of `size`.
struct BackgroundLook {
  std::optional<PictureExtent> extent;
  paint::BackgroundPlan plan;
};

BackgroundLook background_look(const DockBackground& background, Size size) {
  BackgroundLook look;
  look.extent = extent_of(background.picture);
  std::optional<paint::BackgroundPicture> picture;
  if (look.extent) picture = paint::BackgroundPicture{look.extent->pixels, look.extent->icon};
  look.plan = paint::plan_background(size, picture, background.style);
  return look;
}

// Tiles from the origin: the first tile is drawn over the colour, then the
// tiled part is copied beside itself and below itself, doubling each time,
// so that a small picture costs a few copies instead of a drawing per tile.
void tile(HDC dc, Size size, const DockBackground& background, const PictureExtent& extent, Size step) {
  draw_picture(dc, background, extent, rect_at({0, 0}, step));
  for (int done = step.width; done < size.width; done *= 2)
    BitBlt(dc, done, 0, std::min(done, size.width - done), step.height, dc, 0, 0, SRCCOPY);
  for (int done = step.height; done < size.height; done *= 2)
    BitBlt(dc, 0, done, size.width, std::min(done, size.height - done), dc, 0, 0, SRCCOPY);
}

// Colour, then the picture as the plan places it.
void render_background(HDC dc, Size size, const DockBackground& background, const BackgroundLook& look) {
  const std::optional<PictureExtent>& extent = look.extent;
  const paint::BackgroundPlan& plan = look.plan;
  paint::fill_rect(dc, rect_at({0, 0}, size), background.colour);
  if (!extent) return;
  if (plan.picture) draw_picture(dc, background, *extent, *plan.picture);
  if (plan.tile) tile(dc, size, background, *extent, *plan.tile);
}

HBITMAP screen_bitmap(Size size) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size.width, size.height);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

int area_holding(const DockCut& cut, int toolbar_id) {
  for (size_t i = 0; i < cut.layouts.size(); ++i)
    for (const LaidOutToolbar& toolbar : cut.layouts[i].toolbars)
      if (toolbar.id == toolbar_id) return static_cast<int>(i);
  return -1;
}

Orientation area_orientation(int index) { return index < 2 ? Orientation::horizontal : Orientation::vertical; }

bool window_tool(ToolType type) { return type == ToolType::combo_box || type == ToolType::edit; }

}  // namespace

void DockPainter::invalidate() {
  for (Area& area : areas_) area.composed_valid = false;
}

void DockPainter::invalidate_background() {
  for (Area& area : areas_) area.composed_valid = area.background_valid = false;
}

void DockPainter::drop(Area& area) {
  if (area.composed) DeleteObject(area.composed);
  if (area.background) DeleteObject(area.background);
  area = {};
}

void DockPainter::drop_all() {
  for (Area& area : areas_) drop(area);
}

bool DockPainter::prepare(Area& area, Size size) {
  if (size.width <= 1 || size.height <= 1) {
    drop(area);
    return false;
  }
  if (size != area.size) {
    drop(area);
    area.size = size;
  }
  if (!area.composed) area.composed = screen_bitmap(size);
  return area.composed != nullptr;
}

void DockPainter::draw_background(Area& area, HDC memory, const DockScene& scene) {
  const BackgroundLook look = background_look(scene.background, area.size);
  if (!look.plan.cached) {
    render_background(memory, area.size, scene.background, look);
    return;
  }
  if (!area.background) area.background = screen_bitmap(area.size);
  HDC cache = area.background ? CreateCompatibleDC(memory) : nullptr;
  if (!cache) {
    render_background(memory, area.size, scene.background, look);
    return;
  }
  HGDIOBJ old = SelectObject(cache, area.background);
  if (!area.background_valid) render_background(cache, area.size, scene.background, look);
  area.background_valid = true;
  BitBlt(memory, 0, 0, area.size.width, area.size.height, cache, 0, 0, SRCCOPY);
  SelectObject(cache, old);
  DeleteDC(cache);
}

void DockPainter::draw_toolbar(HDC dc, const Toolbar& toolbar, const ModelToolbar& model,
                               const LaidOutToolbar& laid_out, Point origin, const DockScene& scene) {
  paint::ToolbarPaint input =
      paint::toolbar_paint(scene.deck, toolbar, model, laid_out, origin, scene.look, scene.marks, scene.captions);
  std::vector<paint::ToolArt> art(input.tools.size());
  for (size_t i = 0; i < input.tools.size(); ++i) {
    const Tool* tool = input.models[i];
    if (!tool) continue;
    paint::ToolPaintInput& paint_input = input.tools[i];
    const bool large = scene.look.layout.large_icons && !window_tool(tool->type());
    const images::ImageChoice choice =
        images::choose_image(images_.given(*tool), paint::image_state(paint_input.state, false));
    const images::ToolImageCache::Image* image = images_.image(*tool, choice, large);
    BITMAP bitmap{};
    if (image && image->bitmap && GetObjectW(image->bitmap, sizeof bitmap, &bitmap))
      paint_input.picture = {bitmap.bmWidth, bitmap.bmHeight};
    art[i] = {input.captions[i], image, paint::resolved_colour(model.tools[i]->fields.fore_color)};
  }
  const paint::ToolbarPlan plan = paint::plan_toolbar(input.frame, input.placement, input.tools, input.bar);
  paint::paint_toolbar(dc, plan, art, paint::Colours::system(scene.fore), fonts(scene.font));
}

paint::CaptionFonts& DockPainter::fonts(HFONT font) {
  if (!fonts_ || fonts_font_ != font) {
    fonts_.emplace(font);
    fonts_font_ = font;
  }
  return *fonts_;
}

void DockPainter::draw_area(Area& area, HDC memory, int index, const DockScene& scene, const Rect& clip) {
  const Rect& bounds = scene.layout.cut().areas[static_cast<size_t>(index)];
  const int saved = SaveDC(memory);
  IntersectClipRect(memory, clip.left, clip.top, clip.right, clip.bottom);
  draw_background(area, memory, scene);
  for (const LaidOutToolbar& laid_out : scene.layout.cut().layouts[static_cast<size_t>(index)].toolbars) {
    const DeckLayout::Source source = scene.layout.source(laid_out.id);
    if (source.toolbar && crosses(relative_to(laid_out.rect, bounds.origin()), clip))
      draw_toolbar(memory, *source.toolbar, *source.model, laid_out, bounds.origin(), scene);
  }
  RestoreDC(memory, saved);
}

void DockPainter::paint(HDC dc, const DockScene& scene) {
  for (size_t i = 0; i < areas_.size(); ++i) {
    const Rect& bounds = scene.layout.cut().areas[i];
    Area& area = areas_[i];
    if (!prepare(area, bounds.size())) continue;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) continue;
    HGDIOBJ old = SelectObject(memory, area.composed);
    if (!area.composed_valid) draw_area(area, memory, static_cast<int>(i), scene, rect_at({0, 0}, area.size));
    area.composed_valid = true;
    BitBlt(dc, bounds.left, bounds.top, bounds.width(), bounds.height(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
}

void DockPainter::paint_floating(HDC dc, const DockScene& scene, const Toolbar& toolbar, const ModelToolbar& model,
                                 const Placement& placement, Size size) {
  const BackgroundLook look = background_look(scene.background, size);
  if (!look.plan.painted) return;
  render_background(dc, size, scene.background, look);
  const LaidOutToolbar client{.id = -1, .band = 0, .rect = rect_at({0, 0}, size), .placement = placement,
                              .wrapped = false, .compressed = placement.compressed};
  draw_toolbar(dc, toolbar, model, client, {0, 0}, scene);
}

void DockPainter::paint_band(HDC dc, const DockScene& scene, int toolbar_id) {
  const DockCut& cut = scene.layout.cut();
  const int index = area_holding(cut, toolbar_id);
  if (index < 0) return;
  const auto i = static_cast<size_t>(index);
  Area& area = areas_[i];
  if (!area.composed_valid) {
    paint(dc, scene);
    return;
  }
  const std::optional<Rect> strip = band_strip(area_orientation(index), cut.areas[i], cut.layouts[i], toolbar_id);
  if (!strip) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  HGDIOBJ old = SelectObject(memory, area.composed);
  const Rect in_area = relative_to(*strip, cut.areas[i].origin());
  draw_area(area, memory, index, scene, in_area);
  BitBlt(dc, strip->left, strip->top, strip->width(), strip->height(), memory, in_area.left, in_area.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace mz
