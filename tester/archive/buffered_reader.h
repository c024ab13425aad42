#pragma once
// One fixed window of file bytes over a ByteSource. Testing reads entries in
// file-offset order, so most requests (local headers, data, descriptors, the
// central directory) are served from a window filled by one large read.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "byte_source.h"

namespace quarrow::archive {

class BufferedReader {
 public:
  // `buffer` holds the window; it is owned by the caller so that one buffer
  // serves many operations.
  BufferedReader(ByteSource& source, std::span<uint8_t> buffer);

  uint64_t Size() const { return source_.Size(); }
  size_t Capacity() const { return buffer_.size(); }

  // Exactly `length` bytes at `offset`, valid until the next call. The caller
  // checks first that the range lies inside the file and that `length` is at
  // most Capacity(); nothing is returned only when the source fails to read
  // (or when those preconditions are broken).
  std::optional<std::span<const uint8_t>> Read(uint64_t offset, size_t length);

  // Between 1 and min(maxLength, Capacity()) bytes at `offset`, for streaming
  // an entry's data through the window. Same preconditions as Read().
  std::optional<std::span<const uint8_t>> ReadSome(uint64_t offset, uint64_t maxLength);

 private:
  bool Holds(uint64_t offset, size_t length) const;
  bool Fill(uint64_t offset);

  ByteSource& source_;
  std::span<uint8_t> buffer_;
  uint64_t windowStart_ = 0;
  size_t windowLength_ = 0;
};

}  // namespace quarrow::archive
