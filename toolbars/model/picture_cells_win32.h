#pragma once
// Tool pictures as pixel images, for the picture strips of the saved state:
// a picture object drawn into pixels over a background colour, and pixels
// turned back into a bitmap picture object.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <optional>

#include "toolbars/model/record_picture_strip.h"

namespace mz::com {

// An OLE colour (also a system colour) as the pixel a strip is filled with.
std::uint32_t fill_pixel(OLE_COLOR colour);

// Whether a picture object holds an image.
bool holds_image(IPictureDisp* picture);

// The picture's pixels drawn over `fill` (0x00RRGGBB), or nothing when the
// object holds no image.
std::optional<records::PixelImage> picture_pixels(IPictureDisp* picture, std::uint32_t fill);

// A new bitmap picture object that owns a copy of the pixels.
HRESULT picture_from_pixels(const records::PixelImage& image, IPictureDisp** out);

}  // namespace mz::com
