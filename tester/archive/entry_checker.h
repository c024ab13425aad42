#pragma once
// Streams one entry's data through fixed buffers: stored data is checksummed
// as it is read, compressed data is decoded from the read window straight
// into one output buffer by the method's decoder. The CRC-32 and both sizes
// are compared with the central entry at the end. Deflate data and CRC-32
// values go through the chosen inflate engine's library.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "archive_tester.h"
#include "buffered_reader.h"
#include "entry_decoder.h"
#include "inflate_engine.h"
#include "zip_directory.h"

namespace quarrow::archive {

// Told about every buffer of output of the entry being checked.
class OutputListener {
 public:
  virtual ~OutputListener() = default;
  // `bytes` is the next piece of uncompressed data (possibly empty when a
  // step consumed input only); `consumed` counts the compressed bytes used so
  // far. Returning false stops the check with kAborted.
  virtual bool OnOutput(std::span<const uint8_t> bytes, uint64_t consumed) = 0;
  // The entry is decoded again from its start: the bytes told so far do not
  // count, OnOutput tells them anew.
  virtual void OnRestart() = 0;
};

class EntryChecker {
 public:
  explicit EntryChecker(size_t outputCapacity);
  ~EntryChecker();
  EntryChecker(const EntryChecker&) = delete;
  EntryChecker& operator=(const EntryChecker&) = delete;

  // The engine of the checks that follow (the build's default until set).
  InflateEngine Engine() const { return engine_; }
  void SetEngine(InflateEngine engine);
  size_t OutputCapacity() const { return output_.size(); }

  // Checks the data of `entry` (stored, or of a method CanDecompress
  // accepts), which starts at `dataOffset` and lies inside the file. Output
  // beyond the recorded size is never produced: the check stops as soon as
  // the data exceeds it. Returns kOk, kBadCrc (CRC-32 or a size differs),
  // kBadData (the compressed stream is invalid, stops short of its end, or
  // ends before the entry's compressed bytes do), kCannotRead or kAborted.
  ResultCode Check(BufferedReader& reader, const CentralEntry& entry, uint64_t dataOffset,
                   OutputListener& listener);

 private:
  ResultCode CheckStored(BufferedReader& reader, const CentralEntry& entry, uint64_t dataOffset,
                         OutputListener& listener);
  // Nothing when `deferInvalid` is set and the decoder finds the stream
  // invalid: its output of that step is not told, and the caller decides.
  std::optional<ResultCode> CheckDecoded(EntryDecoder& decoder, BufferedReader& reader,
                                         const CentralEntry& entry, uint64_t dataOffset,
                                         OutputListener& listener, bool deferInvalid);
  EntryDecoder* DecoderFor(uint16_t method);
  uint32_t UpdateCrc(uint32_t crc, std::span<const uint8_t> bytes) const;

  InflateEngine engine_ = DefaultInflateEngine();

  std::map<uint16_t, std::unique_ptr<EntryDecoder>> decoders_;  // made on first use
  std::unique_ptr<EntryDecoder> zlibDeflate_;  // checks again the streams ISA-L finds damaged
  std::vector<uint8_t> output_;
};

}  // namespace quarrow::archive
