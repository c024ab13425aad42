// Zstandard (method 93) through libzstd.
#include "stream_decoders.h"

#include <zstd.h>

namespace quarrow::archive {
namespace {

class ZstdDecoder final : public EntryDecoder {
 public:
  ZstdDecoder() : context_(ZSTD_createDCtx()) {}
  ~ZstdDecoder() override { ZSTD_freeDCtx(context_); }

  bool Start(uint64_t) override {
    // The library's default window limit (128 MiB) bounds the memory a
    // frame can ask for; a frame that wants more is refused as invalid.
    return context_ && !ZSTD_isError(ZSTD_DCtx_reset(context_, ZSTD_reset_session_only));
  }

  DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    ZSTD_inBuffer in{input.data(), input.size(), 0};
    ZSTD_outBuffer out{output.data(), output.size(), 0};
    const size_t result = ZSTD_decompressStream(context_, &out, &in);
    DecodeStep step{in.pos, out.pos, DecodeStatus::kMore};
    // 0 means a frame is complete and flushed. An entry holds one frame;
    // bytes after it are reported by the checker as trailing data.
    if (ZSTD_isError(result)) step.status = DecodeStatus::kInvalid;
    else if (result == 0) step.status = DecodeStatus::kEnd;
    return step;
  }

 private:
  ZSTD_DCtx* context_;
};

}  // namespace

std::unique_ptr<EntryDecoder> MakeZstdDecoder() { return std::make_unique<ZstdDecoder>(); }

}  // namespace quarrow::archive
