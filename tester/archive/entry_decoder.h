#pragma once
// One streaming decompressor per compression method, driven by EntryChecker
// through fixed input and output buffers. Each is reused from entry to entry.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "inflate_engine.h"

namespace quarrow::archive {

enum class DecodeStatus {
  kMore,     // went on normally; call again with more input or output room
  kEnd,      // the stream's end marker was reached
  kInvalid,  // the data is not a valid stream of this method
};

struct DecodeStep {
  size_t consumed = 0;  // bytes of `input` used
  size_t produced = 0;  // bytes written to the start of `output`
  DecodeStatus status = DecodeStatus::kMore;
};

class EntryDecoder {
 public:
  virtual ~EntryDecoder() = default;
  // Gets ready for a new entry whose recorded uncompressed size is `size`
  // (a hint some formats need; the checker enforces it). False when the
  // decoder cannot be set up.
  virtual bool Start(uint64_t size) = 0;
  virtual DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) = 0;
};

// A decoder for `method`, or nothing when this build has none (stored data
// needs none: the checker reads it directly). Deflate is decoded by
// `engine`'s library.
std::unique_ptr<EntryDecoder> MakeDecoder(uint16_t method, InflateEngine engine);

}  // namespace quarrow::archive
