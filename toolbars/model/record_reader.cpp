#include "toolbars/model/record_reader.h"

#include <limits>

#include "toolbars/model/record_checked_size.h"

namespace mz::records {

std::string_view RecordErrorText(RecordErrorCode code) {
  switch (code) {
    case RecordErrorCode::Truncated: return "the data ends inside a field";
    case RecordErrorCode::NegativeLength: return "a string has a negative length";
    case RecordErrorCode::NegativeCount: return "a count is negative";
    case RecordErrorCode::CountTooLarge: return "a count is larger than the data can hold";
    case RecordErrorCode::BadSignature: return "the stream does not start with the control's header";
    case RecordErrorCode::ValueTooLarge: return "a string or count does not fit its field";
    case RecordErrorCode::Inconsistent: return "a presence flag disagrees with its data";
    case RecordErrorCode::ObjectUnreadable: return "a stored font or picture cannot be read";
    case RecordErrorCode::BadBitmap: return "a picture strip is not a readable bitmap";
    case RecordErrorCode::BadCell: return "a picture cell is empty or outside its strip";
  }
  return "unknown record error";
}

const std::uint8_t* RecordReader::Take(std::size_t count) {
  if (error_) return nullptr;
  if (count > Remaining()) {
    Fail(RecordErrorCode::Truncated);
    return nullptr;
  }
  const std::uint8_t* at = bytes_.data() + offset_;
  offset_ += count;
  return at;
}

std::uint8_t RecordReader::U8() {
  const std::uint8_t* p = Take(1);
  return p ? p[0] : 0;
}

std::int16_t RecordReader::I16() {
  const std::uint8_t* p = Take(2);
  if (!p) return 0;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

std::uint32_t RecordReader::U32() {
  const std::uint8_t* p = Take(4);
  if (!p) return 0;
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t RecordReader::I32() { return static_cast<std::int32_t>(U32()); }

std::string RecordReader::String() {
  const std::size_t start = offset_;
  const std::int16_t length = I16();
  if (length < 0) {
    Fail(RecordErrorCode::NegativeLength, start);
    return {};
  }
  const std::uint8_t* p = Take(static_cast<std::size_t>(length));
  if (!p) return {};
  return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(length));
}

std::span<const std::uint8_t> RecordReader::Bytes(std::size_t count) {
  const std::uint8_t* p = Take(count);
  if (!p) return {};
  return {p, count};
}

std::size_t RecordReader::Count(std::size_t minItemSize) {
  const std::size_t start = offset_;
  const std::int16_t count = I16();
  if (Failed()) return 0;
  if (count < 0) {
    Fail(RecordErrorCode::NegativeCount, start);
    return 0;
  }
  if (!Holds(static_cast<std::uint64_t>(count), minItemSize)) {
    Fail(RecordErrorCode::CountTooLarge, start);
    return 0;
  }
  return static_cast<std::size_t>(count);
}

bool RecordReader::Holds(std::uint64_t count, std::uint64_t minItemSize) const {
  return CheckedSize(count).Times(minItemSize).AtMost(Remaining());
}

std::vector<std::uint8_t> RecordReader::StoredObject(const ObjectMeasure& measure) {
  if (error_) return {};
  const std::optional<std::size_t> length = measure ? measure(Rest()) : std::nullopt;
  if (!length || *length == 0 || *length > Remaining()) {
    Fail(RecordErrorCode::ObjectUnreadable);
    return {};
  }
  const std::span<const std::uint8_t> object = Bytes(*length);
  return {object.begin(), object.end()};
}

void RecordReader::Fail(RecordErrorCode code, std::size_t offset) {
  if (!error_) error_ = RecordError{code, offset};
}

void RecordWriter::U8(std::uint8_t value) { bytes_.push_back(value); }

void RecordWriter::I16(std::int16_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  bytes_.push_back(static_cast<std::uint8_t>(v));
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void RecordWriter::U32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void RecordWriter::I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }

void RecordWriter::String(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    Fail(RecordErrorCode::ValueTooLarge);
    return;
  }
  I16(static_cast<std::int16_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void RecordWriter::Count(std::size_t count) {
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    Fail(RecordErrorCode::ValueTooLarge);
    return;
  }
  I16(static_cast<std::int16_t>(count));
}

void RecordWriter::Bytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void RecordWriter::Fail(RecordErrorCode code) {
  if (!error_) error_ = RecordError{code, bytes_.size()};
}

Result<std::vector<std::uint8_t>> RecordWriter::Finish() && {
  if (error_) return *error_;
  return std::move(bytes_);
}

}  // namespace mz::records
