// bzip2 (method 12) through libbz2.
#include "stream_decoders.h"

#include <algorithm>
#include <climits>

#include <bzlib.h>

namespace quarrow::archive {
namespace {

class Bzip2Decoder final : public EntryDecoder {
 public:
  ~Bzip2Decoder() override { End(); }

  bool Start(uint64_t) override {
    End();
    stream_ = bz_stream{};
    ready_ = BZ2_bzDecompressInit(&stream_, 0, 0) == BZ_OK;
    return ready_;
  }

  DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    const unsigned inSize = static_cast<unsigned>(std::min<size_t>(input.size(), UINT_MAX));
    const unsigned outSize = static_cast<unsigned>(std::min<size_t>(output.size(), UINT_MAX));
    stream_.next_in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
    stream_.avail_in = inSize;
    stream_.next_out = reinterpret_cast<char*>(output.data());
    stream_.avail_out = outSize;
    const int status = BZ2_bzDecompress(&stream_);
    DecodeStep step{inSize - stream_.avail_in, outSize - stream_.avail_out, DecodeStatus::kMore};
    if (status == BZ_STREAM_END) step.status = DecodeStatus::kEnd;
    else if (status != BZ_OK) step.status = DecodeStatus::kInvalid;
    return step;
  }

 private:
  void End() {
    if (ready_) BZ2_bzDecompressEnd(&stream_);
    ready_ = false;
  }

  bz_stream stream_{};
  bool ready_ = false;
};

}  // namespace

std::unique_ptr<EntryDecoder> MakeBzip2Decoder() { return std::make_unique<Bzip2Decoder>(); }

}  // namespace quarrow::archive
