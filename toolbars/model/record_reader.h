#pragma once
// Bounded little-endian cursor over persisted bytes, and its writing twin.
//
// The reader's error is sticky: the first failure is kept with the offset of
// the field that caused it, and every later read returns zero or empty
// without moving, so a record reader can read all of its fields and check
// once at the end. Nothing is allocated from a length or count before it has
// been checked against the bytes that remain.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolbars/model/record_result.h"

namespace mz::records {

// Measures an object stored in the platform's own stream form (a font or a
// picture) at the start of `bytes`: how many bytes it takes, or nothing when
// it cannot be read there. The codec keeps such objects as raw bytes; turning
// them into objects is the platform side's business.
using ObjectMeasure =
    std::function<std::optional<std::size_t>(std::span<const std::uint8_t> bytes)>;

class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  // The reader only views its bytes: a temporary buffer would be gone before
  // the first read.
  explicit RecordReader(std::vector<std::uint8_t>&&) = delete;

  std::uint8_t U8();
  std::int16_t I16();
  std::int32_t I32();
  std::uint32_t U32();

  // A signed 16-bit byte count followed by that many bytes of text.
  std::string String();

  // `count` bytes, as a view into the input.
  std::span<const std::uint8_t> Bytes(std::size_t count);

  // A signed 16-bit count of items that take at least `minItemSize` bytes
  // each; fails when negative or when that many items cannot fit in what
  // remains. Returns 0 after a failure.
  std::size_t Count(std::size_t minItemSize);

  // Whether `count` items of at least `minItemSize` bytes each can fit in
  // what remains (computed without overflow at any pointer width).
  bool Holds(std::uint64_t count, std::uint64_t minItemSize) const;

  // A stored platform object: `measure` says how long it is; its bytes are
  // returned as a copy.
  std::vector<std::uint8_t> StoredObject(const ObjectMeasure& measure);

  // Records `code` at `offset` unless an earlier error is already kept.
  void Fail(RecordErrorCode code, std::size_t offset);
  void Fail(RecordErrorCode code) { Fail(code, offset_); }

  bool Failed() const { return error_.has_value(); }
  const std::optional<RecordError>& Error() const { return error_; }
  std::size_t Offset() const { return offset_; }
  std::size_t Remaining() const { return bytes_.size() - offset_; }
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(offset_); }

  // `value` if no read has failed so far, else the kept error.
  template <class T>
  Result<T> Finish(T value) const {
    if (error_) return *error_;
    return value;
  }

 private:
  // The next `count` bytes, or nothing (and a Truncated error) when fewer remain.
  const std::uint8_t* Take(std::size_t count);

  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
  std::optional<RecordError> error_;
};

class RecordWriter {
 public:
  void U8(std::uint8_t value);
  void I16(std::int16_t value);
  void I32(std::int32_t value);
  void U32(std::uint32_t value);

  // Fails with ValueTooLarge when the text is longer than a signed 16-bit
  // byte count can say.
  void String(std::string_view text);

  // A signed 16-bit count; fails with ValueTooLarge above 32767.
  void Count(std::size_t count);

  void Bytes(std::span<const std::uint8_t> bytes);

  // Records `code` at the current offset unless an earlier error is kept.
  void Fail(RecordErrorCode code);

  bool Failed() const { return error_.has_value(); }
  std::size_t Offset() const { return bytes_.size(); }

  // The bytes written, or the first error.
  Result<std::vector<std::uint8_t>> Finish() &&;

 private:
  std::vector<std::uint8_t> bytes_;
  std::optional<RecordError> error_;
};

}  // namespace mz::records
