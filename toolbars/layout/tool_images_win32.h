#pragma once
// A tool's images as GDI objects: picture objects read into pixel buffers,
// buffers turned into device-independent bitmaps, shape rectangles into
// regions, and a cache of every derived bitmap and region per tool.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "tool_images.h"
#include "toolbars/model/tool.h"

namespace mz::images {

// The pixels of a picture object. A bitmap is read as it is (palette indices
// for up to 8 bits per pixel); any other picture is rendered over `face`
// (a COLORREF) at `size`, or at its natural size when `size` is empty.
// Nothing for an empty picture or one that cannot be read.
std::optional<PixelBuffer> picture_buffer(IPictureDisp* picture, COLORREF face, std::optional<SIZE> size);

// A device-independent bitmap with the buffer's pixels: 1, 4 or 8 bits with
// the palette as colour table, 32 bits without one.
HBITMAP bitmap_from_buffer(const PixelBuffer& image);

// The region made of the rectangles; null when there are none.
HRGN region_from_rects(const std::vector<Rect>& rects);

// The gray rendering: the picture mapped onto the first 16 colours of the
// default palette in a 4-bit bitmap whose colour table then holds their grays.
HBITMAP gray_bitmap(const PixelBuffer& image);

// Every derived bitmap and region of the tools drawn so far. An image is
// built on first use and kept until the tool's pictures, UseMaskColor or
// PictureSize change, or the button colours of the system change.
class ToolImageCache {
 public:
  // The platform picture object behind a model picture reference.
  using PictureReader = IPictureDisp* (*)(const PictureRef&);

  // Owned by the cache. A null bitmap: the picture gave no image; a null
  // shape: no pixel is opaque.
  struct Image {
    HBITMAP bitmap = nullptr;
    HRGN shape = nullptr;
  };

  explicit ToolImageCache(PictureReader reader) : reader_(reader) {}
  ToolImageCache(const ToolImageCache&) = delete;
  ToolImageCache& operator=(const ToolImageCache&) = delete;
  ~ToolImageCache() { clear(); }

  // Which of the tool's pictures hold an image.
  GivenPictures given(const Tool& tool) const;
  // The image of a choice for the tool, at natural size or at 32 x 32.
  // Null for a choice of no image. The pointer and its handles stay valid
  // until the cache drops the tool's images (on a later call or forget).
  const Image* image(const Tool& tool, ImageChoice choice, bool large);

  // Drops the images of one tool (a tool that goes away), or of all.
  void forget(const Tool* tool);
  void clear();

 private:
  using Key = std::tuple<ImageKind, ImageKind, bool>;
  struct Entry {
    // Weak references: they keep the pictures' identity unique without
    // keeping the pictures alive.
    std::array<std::weak_ptr<const PictureObject>, 4> pictures;
    bool use_mask_color = false;
    std::int16_t picture_size = 0;
    std::map<Key, Image> images;
  };

  Entry& entry_for(const Tool& tool);
  Image build(const Tool& tool, ImageChoice choice, bool large) const;
  std::optional<PixelBuffer> source_pixels(const Tool& tool, ImageKind kind, bool large) const;
  void check_system_colours();

  PictureReader reader_;
  std::map<const Tool*, Entry> entries_;
  COLORREF face_ = CLR_INVALID;
  COLORREF shadow_ = CLR_INVALID;
};

}  // namespace mz::images
