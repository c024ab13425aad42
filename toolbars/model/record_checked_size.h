#pragma once
// Size arithmetic on values read from outside bytes (counts, widths, lengths,
// offsets), done in 64-bit unsigned integers whatever the pointer width, so
// that a 32-bit build computes the same sizes as a 64-bit one. A step that
// overflows makes the size invalid for good; an invalid size fits nothing.
//
//   CheckedSize(count).Times(itemSize).AtMost(reader.Remaining())
//   CheckedSize(width).Times(bitCount).Plus(31).DividedBy(32).Times(4)
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace mz::records {

class CheckedSize {
 public:
  constexpr CheckedSize(std::uint64_t value) : value_(value) {}

  constexpr CheckedSize Plus(std::uint64_t n) const {
    if (!valid_ || n > kMax - value_) return Invalid();
    return CheckedSize(value_ + n);
  }

  constexpr CheckedSize Times(std::uint64_t n) const {
    if (!valid_ || (n != 0 && value_ > kMax / n)) return Invalid();
    return CheckedSize(value_ * n);
  }

  // Rounds down; `n` is a constant of the caller's, never zero.
  constexpr CheckedSize DividedBy(std::uint64_t n) const { return valid_ ? CheckedSize(value_ / n) : Invalid(); }

  constexpr bool Valid() const { return valid_; }

  // True when the size is valid and not above `limit`.
  constexpr bool AtMost(std::uint64_t limit) const { return valid_ && value_ <= limit; }

  // The size as the platform's size_t, or nothing when it is invalid or
  // larger than a size_t can hold.
  constexpr std::optional<std::size_t> ToSize() const {
    if (!AtMost(std::numeric_limits<std::size_t>::max())) return std::nullopt;
    return static_cast<std::size_t>(value_);
  }

  // The 64-bit value; meaningful only when Valid().
  constexpr std::uint64_t Value() const { return value_; }

 private:
  static constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

  static constexpr CheckedSize Invalid() {
    CheckedSize size(0);
    size.valid_ = false;
    return size;
  }

  std::uint64_t value_;
  bool valid_ = true;
};

}  // namespace mz::records
