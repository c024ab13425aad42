#pragma once
// Streams one entry's data through fixed buffers: stored data is checksummed
// as it is read, deflated data is inflated from the read window straight into
// one output buffer. The CRC-32 and both sizes are compared with the central
// entry at the end.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <zlib.h>

#include "archive_tester.h"
#include "buffered_reader.h"
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
};

class EntryChecker {
 public:
  explicit EntryChecker(size_t outputCapacity);
  ~EntryChecker();
  EntryChecker(const EntryChecker&) = delete;
  EntryChecker& operator=(const EntryChecker&) = delete;

  // Checks the stored or deflated data of `entry`, which starts at
  // `dataOffset` and lies inside the file. Output beyond the recorded size is
  // never produced: the check stops as soon as the data exceeds it. Returns
  // kOk, kBadCrc (CRC-32 or a size differs), kBadData (the deflate stream is
  // invalid, stops short of its end marker, or ends before the entry's
  // compressed bytes do), kCannotRead or kAborted.
  ResultCode Check(BufferedReader& reader, const CentralEntry& entry, uint64_t dataOffset,
                   OutputListener& listener);

 private:
  ResultCode CheckStored(BufferedReader& reader, const CentralEntry& entry, uint64_t dataOffset,
                         OutputListener& listener);
  ResultCode CheckDeflated(BufferedReader& reader, const CentralEntry& entry,
                           uint64_t dataOffset, OutputListener& listener);

  z_stream stream_{};
  bool streamReady_ = false;
  std::vector<uint8_t> output_;
};

}  // namespace quarrow::archive
