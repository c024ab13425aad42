#pragma once
#include <cstdint>

namespace mz {

// A colour is either 0x00BBGGRR or 0x80000000 plus a system colour index.
constexpr bool is_valid_ole_colour(uint32_t colour) {
  return colour <= 0x00FFFFFFu || (colour >= 0x80000000u && colour <= 0x80FFFFFFu);
}

}  // namespace mz
