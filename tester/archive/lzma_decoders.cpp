// LZMA (method 14) and xz (method 95) through liblzma.
#include "stream_decoders.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include <lzma.h>

namespace quarrow::archive {
namespace {

// The memory a stream may ask liblzma for, whatever its headers claim.
constexpr uint64_t kMemoryLimit = 256u << 20;
// An LZMA dictionary never needs to be larger than the entry's output, and
// is held to this size so a hostile header cannot ask for gigabytes.
constexpr uint64_t kMaxDictionary = 64u << 20;

DecodeStep RunLzma(lzma_stream& stream, std::span<const uint8_t> input, std::span<uint8_t> output) {
  stream.next_in = input.data();
  stream.avail_in = input.size();
  stream.next_out = output.data();
  stream.avail_out = output.size();
  const lzma_ret status = lzma_code(&stream, LZMA_RUN);
  DecodeStep step{input.size() - stream.avail_in, output.size() - stream.avail_out, DecodeStatus::kMore};
  // LZMA_BUF_ERROR only says no progress was possible; the checker sees
  // that the input ran out before the end.
  if (status == LZMA_STREAM_END) step.status = DecodeStatus::kEnd;
  else if (status != LZMA_OK && status != LZMA_BUF_ERROR) step.status = DecodeStatus::kInvalid;
  return step;
}

// The zip form of LZMA: a 4-byte header (encoder version, length of the
// properties), the 5 bytes of LZMA properties, then the raw stream, ended
// either by an end marker or by the entry's uncompressed size.
class LzmaDecoder final : public EntryDecoder {
 public:
  ~LzmaDecoder() override { lzma_end(&stream_); }

  bool Start(uint64_t size) override {
    size_ = size;
    headerLength_ = 0;
    started_ = false;
    return true;
  }

  DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    size_t headerUsed = 0;
    if (!started_) {
      headerUsed = std::min(input.size(), header_.size() - headerLength_);
      std::copy_n(input.begin(), headerUsed, header_.begin() + headerLength_);
      headerLength_ += headerUsed;
      if (headerLength_ < header_.size()) return {headerUsed, 0, DecodeStatus::kMore};
      if (!StartStream()) return {headerUsed, 0, DecodeStatus::kInvalid};
      started_ = true;
    }
    DecodeStep step = RunLzma(stream_, input.subspan(headerUsed), output);
    step.consumed += headerUsed;
    return step;
  }

 private:
  bool StartStream() {
    const size_t propertiesLength = header_[2] | header_[3] << 8;
    if (propertiesLength != 5) return false;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, header_.data() + 4, 5) != LZMA_OK) return false;
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    options->dict_size = static_cast<uint32_t>(std::max<uint64_t>(
        LZMA_DICT_SIZE_MIN, std::min<uint64_t>({options->dict_size, size_, kMaxDictionary})));
    // The stream ends at the known size, with or without an end marker.
    filters[0].id = LZMA_FILTER_LZMA1EXT;
    options->ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
    options->ext_size_low = static_cast<uint32_t>(size_);
    options->ext_size_high = static_cast<uint32_t>(size_ >> 32);
    const bool ready = lzma_raw_decoder(&stream_, filters) == LZMA_OK;
    std::free(options);  // lzma_properties_decode allocates with the default allocator
    return ready;
  }

  lzma_stream stream_ = LZMA_STREAM_INIT;
  std::array<uint8_t, 9> header_{};
  size_t headerLength_ = 0;
  bool started_ = false;
  uint64_t size_ = 0;
};

// A whole .xz stream, with its own checks.
class XzDecoder final : public EntryDecoder {
 public:
  ~XzDecoder() override { lzma_end(&stream_); }

  bool Start(uint64_t) override { return lzma_stream_decoder(&stream_, kMemoryLimit, 0) == LZMA_OK; }

  DecodeStep Step(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    return RunLzma(stream_, input, output);
  }

 private:
  lzma_stream stream_ = LZMA_STREAM_INIT;
};

}  // namespace

std::unique_ptr<EntryDecoder> MakeLzmaDecoder() { return std::make_unique<LzmaDecoder>(); }
std::unique_ptr<EntryDecoder> MakeXzDecoder() { return std::make_unique<XzDecoder>(); }

}  // namespace quarrow::archive
