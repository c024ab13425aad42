// The inflate engines: each one's CRC-32 is zlib's, and each gives the same
// result on good and damaged deflate streams whatever the sizes of the read
// window and of the output buffer (so wherever the stream is cut between
// steps).
#include <gtest/gtest.h>

#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

#include "buffered_reader.h"
#include "byte_source.h"
#include "entry_checker.h"
#include "inflate_engine.h"
#include "zip_builder.h"

namespace quarrow::archive {
namespace {

uint32_t ZlibCrc(std::span<const uint8_t> bytes) {
  return static_cast<uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

TEST(InflateEngine, Crc32IsZlibsOnTestVectors) {
  const std::vector<uint8_t> check = fixtures::Bytes("123456789");
  const std::vector<uint8_t> noise = fixtures::SampleNoise(1 << 20);
  for (const InflateEngine engine : InflateEngines()) {
    SCOPED_TRACE(std::string(InflateEngineName(engine)));
    EXPECT_EQ(UpdateCrc32(engine, 0, {}), 0u);
    EXPECT_EQ(UpdateCrc32(engine, 0, check), 0xCBF43926u);
    // Every length and alignment of the vector routines' edges, whole and
    // continued from a split.
    for (size_t offset = 0; offset < 9; ++offset) {
      for (size_t length = 0; length < 300; length += 1 + length / 16) {
        const std::span<const uint8_t> bytes(noise.data() + offset, length);
        ASSERT_EQ(UpdateCrc32(engine, 0, bytes), ZlibCrc(bytes)) << offset << " " << length;
        const size_t split = length / 3;
        const uint32_t head = UpdateCrc32(engine, 0, bytes.first(split));
        ASSERT_EQ(UpdateCrc32(engine, head, bytes.subspan(split)), ZlibCrc(bytes)) << offset << " " << length;
      }
    }
    EXPECT_EQ(UpdateCrc32(engine, 0, noise), ZlibCrc(noise));
  }
}

TEST(InflateEngine, NamesSelectTheEnginesOfThisBuild) {
  ASSERT_FALSE(InflateEngines().empty());
  EXPECT_EQ(DefaultInflateEngine(), InflateEngines().front());
  for (const InflateEngine engine : InflateEngines()) {
    EXPECT_EQ(InflateEngineNamed(InflateEngineName(engine)), engine);
  }
  EXPECT_EQ(InflateEngineNamed("zlib"), InflateEngine::kZlib);
  EXPECT_EQ(InflateEngineNamed("gzip"), std::nullopt);
#ifdef QUARROW_HAVE_ISAL
  EXPECT_EQ(DefaultInflateEngine(), InflateEngine::kIsal);
#else
  EXPECT_EQ(InflateEngineNamed("isal"), std::nullopt);
#endif
}

class Collector final : public OutputListener {
 public:
  bool OnOutput(std::span<const uint8_t> bytes, uint64_t) override {
    output.insert(output.end(), bytes.begin(), bytes.end());
    return true;
  }
  void OnRestart() override { output.clear(); }
  std::vector<uint8_t> output;
};

// One deflate entry: its compressed bytes (the whole source) and the central
// entry's sizes and CRC-32.
struct StreamCase {
  std::string name;
  std::vector<uint8_t> stream;
  uint64_t size;
  uint32_t crc;
  ResultCode expected;
};

StreamCase Make(std::string name, std::span<const uint8_t> data, std::vector<uint8_t> stream,
                ResultCode expected) {
  return {std::move(name), std::move(stream), data.size(), fixtures::Crc32(data), expected};
}

std::vector<StreamCase> StreamCases() {
  // Larger than the 32 KiB window, so matches reach back across steps.
  const std::vector<uint8_t> text = fixtures::SampleText(100000);
  const std::vector<uint8_t> noise = fixtures::SampleNoise(70000);  // stored blocks
  const std::vector<uint8_t> stream = fixtures::Deflate(text);
  const size_t n = stream.size();
  std::vector<StreamCase> cases = {
      Make("text", text, stream, kOk),
      Make("text_fastest", text, fixtures::Deflate(text, 1), kOk),
      Make("text_smallest", text, fixtures::Deflate(text, 9), kOk),
      Make("noise", noise, fixtures::Deflate(noise), kOk),
      Make("empty", {}, fixtures::Deflate({}), kOk),
  };
  for (const size_t length : {size_t{0}, size_t{1}, n / 2, n - 1}) {
    std::vector<uint8_t> cut(stream.begin(), stream.begin() + static_cast<ptrdiff_t>(length));
    cases.push_back(Make("truncated_to_" + std::to_string(length), text, cut, kBadData));
  }
  for (const size_t extra : {1, 3, 8, 9, 20}) {
    std::vector<uint8_t> longer = stream;
    longer.insert(longer.end(), extra, 0xA5);
    cases.push_back(Make("trailing_" + std::to_string(extra), text, longer, kBadData));
  }
  for (const size_t at : {size_t{0}, n / 3, n / 2, 2 * n / 3}) {
    for (const uint8_t mask : {0x01, 0x10, 0x80}) {
      std::vector<uint8_t> flipped = stream;
      fixtures::FlipByte(flipped, at, mask);
      // Which check a flipped bit trips depends on the bit; that the
      // engines agree on it is checked against zlib's result below.
      cases.push_back(Make("flip_" + std::to_string(at) + "_" + std::to_string(mask), text, flipped,
                           ResultCode(-1)));
    }
  }
  // Found by the fuzzer: a distance reaching before the start, which ISA-L
  // reports only after writing bytes past the recorded size.
  const std::vector<uint8_t> diz =
      fixtures::Bytes("QUARROW SAMPLE ARCHIVE\r\nA small archive for trying the tester.\r\n");
  std::vector<uint8_t> tooFar = fixtures::Deflate(diz);
  tooFar.at(20) = 0x10;
  tooFar.at(48) = 0xA6;
  cases.push_back(Make("distance_too_far", diz, tooFar, kBadData));
  // A dynamic block whose literal/length code set leaves codes unassigned
  // ('a' one bit, end of block two bits): "aaaaa", recorded here as
  // "aaaab". zlib rejects the block; ISA-L decodes it, and then finds the
  // CRC-32 wrong.
  cases.push_back(Make("incomplete_code_set", fixtures::Bytes("aaaab"),
                       {0x05, 0xC0, 0x01, 0x04, 0x00, 0x00, 0x00, 0x80, 0x20, 0x00, 0x00,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x02},
                       kBadData));
  StreamCase crc = Make("wrong_crc", text, stream, kBadCrc);
  crc.crc ^= 1;
  cases.push_back(crc);
  for (const uint64_t size : {uint64_t{0}, uint64_t{99999}, uint64_t{100001}, uint64_t{1} << 40}) {
    StreamCase lying = Make("size_" + std::to_string(size), text, stream, kBadCrc);
    lying.size = size;
    cases.push_back(lying);
  }
  return cases;
}

ResultCode CheckStream(InflateEngine engine, const StreamCase& c, size_t window, size_t output,
                       std::vector<uint8_t>* produced = nullptr) {
  MemoryByteSource source(c.stream);
  std::vector<uint8_t> buffer(window);
  BufferedReader reader(source, buffer);
  EntryChecker checker(output);
  checker.SetEngine(engine);
  CentralEntry entry;
  entry.method = 8;
  entry.compressedSize = c.stream.size();
  entry.uncompressedSize = c.size;
  entry.crc32 = c.crc;
  Collector collector;
  const ResultCode result = checker.Check(reader, entry, 0, collector);
  if (produced) *produced = std::move(collector.output);
  return result;
}

TEST(InflateEngine, EveryEngineGivesTheSameResultWhateverTheBufferSizes) {
  // (read window, output buffer): byte by byte on either side, odd sizes,
  // and the sizes the operations use.
  const std::pair<size_t, size_t> sizes[] = {{1, 256 << 10}, {3, 7},        {64, 1},
                                             {4096, 4096},   {256 << 10, 1}, {256 << 10, 256 << 10}};
  for (const StreamCase& c : StreamCases()) {
    const ResultCode reference = CheckStream(InflateEngine::kZlib, c, 256 << 10, 256 << 10);
    if (c.expected != ResultCode(-1)) {
      EXPECT_EQ(reference, c.expected) << c.name;
    } else {
      EXPECT_TRUE(reference == kBadData || reference == kBadCrc) << c.name << " gave " << reference;
    }
    for (const InflateEngine engine : InflateEngines()) {
      for (const auto& [window, output] : sizes) {
        std::vector<uint8_t> produced;
        EXPECT_EQ(CheckStream(engine, c, window, output, &produced), reference)
            << c.name << " with " << InflateEngineName(engine) << ", window " << window
            << ", output " << output;
        if (reference == kOk) {
          EXPECT_EQ(produced.size(), c.size) << c.name;
          EXPECT_EQ(fixtures::Crc32(produced), c.crc) << c.name;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quarrow::archive
