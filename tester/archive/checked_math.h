#pragma once
// Overflow-safe arithmetic on offsets and sizes read from an archive. Every
// field of a zip file may be hostile, so sums and bound checks go through these
// helpers instead of plain `+` and `<=`, which could wrap around.
#include <cstdint>
#include <optional>

namespace quarrow::archive {

// a + b, or nothing when the sum does not fit in 64 bits.
inline std::optional<uint64_t> CheckedAdd(uint64_t a, uint64_t b) {
  if (b > UINT64_MAX - a) return std::nullopt;
  return a + b;
}

// True when the range [offset, offset + length) lies inside [0, limit).
inline bool RangeWithin(uint64_t offset, uint64_t length, uint64_t limit) {
  return offset <= limit && length <= limit - offset;
}

// floor(100 * part / whole), saturating at UINT64_MAX; 0 when whole is 0.
inline uint64_t PercentOf(uint64_t part, uint64_t whole) {
  if (whole == 0) return 0;
  // Scale both down until the remainder times 100 cannot overflow; the
  // precision lost is far below one percent.
  while (whole > UINT64_MAX / 100) {
    part >>= 1;
    whole >>= 1;
  }
  const uint64_t quotient = part / whole;
  if (quotient > UINT64_MAX / 100 - 1) return UINT64_MAX;
  return quotient * 100 + (part % whole) * 100 / whole;
}

}  // namespace quarrow::archive
