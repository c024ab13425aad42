#include "buffered_reader.h"

#include <algorithm>

#include "checked_math.h"

namespace quarrow::archive {

BufferedReader::BufferedReader(ByteSource& source, std::span<uint8_t> buffer)
    : source_(source), buffer_(buffer) {}

bool BufferedReader::Holds(uint64_t offset, size_t length) const {
  return offset >= windowStart_ && RangeWithin(offset - windowStart_, length, windowLength_);
}

bool BufferedReader::Fill(uint64_t offset) {
  windowLength_ = 0;
  if (offset > Size()) return false;
  const size_t length = static_cast<size_t>(std::min<uint64_t>(buffer_.size(), Size() - offset));
  if (!source_.ReadAt(offset, buffer_.first(length))) return false;
  windowStart_ = offset;
  windowLength_ = length;
  return true;
}

std::optional<std::span<const uint8_t>> BufferedReader::Read(uint64_t offset, size_t length) {
  if (length > buffer_.size() || !RangeWithin(offset, length, Size())) return std::nullopt;
  if (!Holds(offset, length) && !Fill(offset)) return std::nullopt;
  return std::span<const uint8_t>(buffer_.data() + (offset - windowStart_), length);
}

std::optional<std::span<const uint8_t>> BufferedReader::ReadSome(uint64_t offset,
                                                                 uint64_t maxLength) {
  if (maxLength == 0 || offset >= Size()) return std::nullopt;
  if (!Holds(offset, 1) && !Fill(offset)) return std::nullopt;
  const size_t available = windowLength_ - static_cast<size_t>(offset - windowStart_);
  const size_t length = static_cast<size_t>(std::min<uint64_t>(available, maxLength));
  return std::span<const uint8_t>(buffer_.data() + (offset - windowStart_), length);
}

}  // namespace quarrow::archive
