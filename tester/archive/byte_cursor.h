#pragma once
// A bounded little-endian reader over a byte span. A read past the end sets a
// sticky error flag and returns zero, so a decoder reads a whole record and
// checks Ok() once instead of testing every field.
#include <cstddef>
#include <cstdint>
#include <span>

namespace quarrow::archive {

class ByteCursor {
 public:
  explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint8_t U8() { return static_cast<uint8_t>(Little(1)); }
  uint16_t U16() { return static_cast<uint16_t>(Little(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Little(4)); }
  uint64_t U64() { return Little(8); }

  // The next `length` bytes, or an empty span (and the error flag) when fewer remain.
  std::span<const uint8_t> Bytes(size_t length) {
    if (!Take(length)) return {};
    return bytes_.subspan(position_ - length, length);
  }

  void Skip(size_t length) { Take(length); }

  size_t Remaining() const { return bytes_.size() - position_; }
  bool Ok() const { return ok_; }

 private:
  bool Take(size_t length) {
    if (!ok_ || length > Remaining()) {
      ok_ = false;
      return false;
    }
    position_ += length;
    return true;
  }

  uint64_t Little(size_t width) {
    if (!Take(width)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
      value |= uint64_t{bytes_[position_ - width + i]} << (8 * i);
    }
    return value;
  }

  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace quarrow::archive
