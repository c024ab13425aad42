#pragma once
// The values each numeric property accepts. The setters refuse a value
// outside its range; the loader replaces one with the property's default,
// so that saved state can never hold what the object model would refuse.
#include <cstdint>

namespace mz {

// An inclusive range with the value a loaded field falls back to.
struct PropertyRange {
  int32_t low;
  int32_t high;
  int32_t fallback;

  constexpr bool contains(int64_t value) const { return value >= low && value <= high; }
  // `value` when it is in range, else the fallback.
  constexpr int32_t clamp_or_default(int64_t value) const {
    return contains(value) ? static_cast<int32_t>(value) : fallback;
  }
};

// The control.
inline constexpr PropertyRange kFontSourceRange{0, 1, 0};
// mzStyle97, mzStyle2000, and 2, which a saved form or host may hold and
// which is drawn as 2000.
inline constexpr PropertyRange kStyleRange{0, 2, 1};
inline constexpr PropertyRange kMenuAnimationsRange{0, 3, 0};
inline constexpr PropertyRange kPersonalizedMenusRange{0, 2, 1};
inline constexpr PropertyRange kPictureBackgroundStyleRange{0, 2, 0};
inline constexpr PropertyRange kToolTipDelayRange{0, INT16_MAX, 500};

// Tools and placed tools.
inline constexpr PropertyRange kToolTypeRange{0, 8, 0};
inline constexpr PropertyRange kToolStateRange{0, 1, 0};
inline constexpr PropertyRange kShortcutRange{0, 79, 0};
inline constexpr PropertyRange kMenuVisibilityRange{0, 1, 0};
inline constexpr PropertyRange kPictureSizeRange{16, 32, 16};
inline constexpr PropertyRange kForeColorSourceRange{0, 1, 0};
inline constexpr PropertyRange kDisplayStyleRange{0, 3, 0};
// A tool's own control width; a placed tool may also hold -1 (its tool's).
inline constexpr PropertyRange kToolCtlWidthRange{0, INT16_MAX, 75};
inline constexpr PropertyRange kPlacedCtlWidthRange{-1, INT16_MAX, -1};
inline constexpr PropertyRange kComboStyleRange{0, 1, 0};
inline constexpr PropertyRange kEditMaxLengthRange{0, INT16_MAX, 0};

// Toolbars.
inline constexpr PropertyRange kCaptionAlignmentRange{0, 3, 3};
inline constexpr PropertyRange kFont3DRange{0, 5, 0};
inline constexpr PropertyRange kDockFlagsRange{0, 127, 31};  // DockFlags::kAll, kDefault
inline constexpr PropertyRange kDockedRowRange{1, INT16_MAX, 1};
inline constexpr PropertyRange kDockedColumnRange{1, INT16_MAX, 1};

}  // namespace mz
