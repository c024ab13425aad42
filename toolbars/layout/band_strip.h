#pragma once
// The part of a dock area that repainting one docked toolbar's band copies
// to the window: the whole length of the area, across the band's lines, or
// only across the toolbar itself when it sits on a later line of its band.
#include <optional>

#include "dock_layout.h"

namespace mz {

// `area` and the laid-out toolbar rectangles are in the same coordinates.
// Nothing when the area holds no toolbar `toolbar_id`.
std::optional<Rect> band_strip(Orientation o, Rect area, const AreaLayout& layout, int toolbar_id);

}  // namespace mz
