// Deflate (method 8) through ISA-L's raw streaming inflate. Its state holds
// the 32 KiB history window and its own small buffers, whatever the entry's
// size.
#include "stream_decoders.h"

#include <algorithm>
#include <limits>

#include <isa-l/igzip_lib.h>

namespace quarrow::archive {
namespace {

class IsalDeflateDecoder final : public EntryDecoder {
 public:
  IsalDeflateDecoder() : state_(std::make_unique<inflate_state>()) { isal_inflate_init(state_.get()); }

  bool Start(uint64_t) override {
    // Raw deflate (ISAL_DEFLATE) with the full window: the reset's defaults.
    isal_inflate_reset(state_.get());
    return true;
  }

  DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    constexpr size_t kMax = std::numeric_limits<uint32_t>::max();
    const uint32_t inSize = static_cast<uint32_t>(std::min(input.size(), kMax));
    const uint32_t outSize = static_cast<uint32_t>(std::min(output.size(), kMax));
    inflate_state& s = *state_;
    s.next_in = const_cast<uint8_t*>(input.data());
    s.avail_in = inSize;
    s.next_out = output.data();
    s.avail_out = outSize;
    const int status = isal_inflate(&s);
    DecodeStep step{inSize - s.avail_in, outSize - s.avail_out, DecodeStatus::kMore};
    // ISA-L says "no error" both while going on and at the end; the block
    // state tells which.
    if (status < 0) step.status = DecodeStatus::kInvalid;
    else if (s.block_state == ISAL_BLOCK_FINISH) step.status = EndOfStream(step.consumed);
    return step;
  }

 private:
  // ISA-L reads whole bytes ahead into its bit buffer and leaves there, at
  // the end, those that follow the stream (the rest of its last byte is
  // padding). Those read by this step are handed back, so the checker sees
  // them as bytes after the stream. Those read by an earlier step were
  // already counted as consumed: they are bytes after the stream all the
  // same, and invalid data is what the checker makes of such bytes.
  DecodeStatus EndOfStream(size_t& consumed) const {
    const size_t readAhead = static_cast<size_t>(state_->read_in_length) / 8;
    if (readAhead > consumed) {
      consumed = 0;
      return DecodeStatus::kInvalid;
    }
    consumed -= readAhead;
    return DecodeStatus::kEnd;
  }

  std::unique_ptr<inflate_state> state_;  // about 100 KiB: kept off the stack
};

}  // namespace

std::unique_ptr<EntryDecoder> MakeIsalDeflateDecoder() { return std::make_unique<IsalDeflateDecoder>(); }

}  // namespace quarrow::archive
