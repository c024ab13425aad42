// Deflate (method 8) through zlib's raw inflate.
#include "stream_decoders.h"

#include <algorithm>
#include <limits>

#include <zlib.h>

namespace quarrow::archive {
namespace {

class DeflateDecoder final : public EntryDecoder {
 public:
  DeflateDecoder() {
    // Raw deflate: zip entries carry no zlib header or trailer.
    ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
  }
  ~DeflateDecoder() override {
    if (ready_) inflateEnd(&stream_);
  }

  bool Start(uint64_t) override { return ready_ && inflateReset(&stream_) == Z_OK; }

  DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    const uInt inSize = static_cast<uInt>(std::min<size_t>(input.size(), std::numeric_limits<uInt>::max()));
    const uInt outSize = static_cast<uInt>(std::min<size_t>(output.size(), std::numeric_limits<uInt>::max()));
    stream_.next_in = const_cast<Bytef*>(input.data());
    stream_.avail_in = inSize;
    stream_.next_out = output.data();
    stream_.avail_out = outSize;
    const int status = inflate(&stream_, Z_NO_FLUSH);
    DecodeStep step{inSize - stream_.avail_in, outSize - stream_.avail_out, DecodeStatus::kMore};
    // Z_BUF_ERROR only says no progress was possible; the checker sees that
    // the input ran out before the end marker.
    if (status == Z_STREAM_END) step.status = DecodeStatus::kEnd;
    else if (status != Z_OK && status != Z_BUF_ERROR) step.status = DecodeStatus::kInvalid;
    return step;
  }

 private:
  z_stream stream_{};
  bool ready_ = false;
};

}  // namespace

std::unique_ptr<EntryDecoder> MakeDeflateDecoder() { return std::make_unique<DeflateDecoder>(); }

}  // namespace quarrow::archive
