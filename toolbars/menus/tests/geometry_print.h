#pragma once
// Readable test failures for the geometry types.
#include <ostream>

#include "toolbars/layout/geometry.h"

namespace mz {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline void PrintTo(const Size& s, std::ostream* os) { *os << "{" << s.width << " x " << s.height << "}"; }
}  // namespace mz
