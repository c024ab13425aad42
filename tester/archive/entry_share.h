#pragma once
// Checks the entries of one archive on several threads at once. Each thread
// streams the entries it takes through its own file handle and buffers; what
// a check finds (the progress points the operation raises Status at, then
// its result) is handed to the calling thread in entry order, as soon as the
// entries before are over, so the caller decides exactly as if it had
// checked them one by one.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "archive_tester.h"
#include "buffered_reader.h"
#include "byte_source.h"
#include "entry_checker.h"
#include "zip_directory.h"

namespace quarrow::archive {

// A long entry raises Status again each time its output passes a multiple of
// this many bytes.
constexpr uint64_t kStatusInterval = 1024 * 1024;

// The checks an entry passes before its data: its local header against the
// central entry, and a method number the format assigned. Returns kOk with
// `dataOffset` set when the data can be checked, kEncrypted or
// kUnsupportedMethod when it cannot, or the fault (kBadStructure with
// `fault` set, kCannotRead).
ResultCode OpenEntry(BufferedReader& reader, const ZipDirectory& directory, const CentralEntry& entry,
                     uint64_t& dataOffset, StructureCheck& fault);

// Where a check of an entry's data raised progress: output counted so far
// (restarting from 0 when the entry is decoded again) and compressed bytes used.
struct ProgressPoint {
  uint64_t produced = 0;
  uint64_t consumed = 0;
};

// What the check of one entry found.
struct EntryRecord {
  ResultCode result = kAborted;  // kOk, kEncrypted, kUnsupportedMethod or the fault
  StructureCheck fault = StructureCheck::kNone;
  std::vector<ProgressPoint> progress;
  uint64_t produced = 0;  // output counted when the check ended
};

// Told about the entries in order, on the thread that runs the share: an
// entry's turn, each of its progress points, its end. Each returns false
// to end the test there.
class EntryTaker {
 public:
  virtual ~EntryTaker() = default;
  virtual bool Begin(size_t index) = 0;
  virtual bool Progress(size_t index, const ProgressPoint& point) = 0;
  virtual bool End(size_t index, const EntryRecord& record) = 0;
};

class EntryShare {
 public:
  // The entries `selected` (indexes into `directory`) of the archive in
  // `source`. Entry checks stop when `abort` is set.
  EntryShare(ByteSource& source, const ZipDirectory& directory, std::span<const size_t> selected,
             InflateEngine engine, const std::atomic<bool>& abort);

  // Offers the work to `help`, checks entries on this thread with `reader`
  // and `checker` too, and tells `taker` about every entry in order until
  // it says stop or all are told. Progress is told while this thread checks
  // and while it waits, so a taker that aborts at an event stops the test
  // within a few buffers of work. An entry nobody checked (the test was
  // aborted first) ends with result kAborted. Returns once no other thread
  // is working on the archive.
  void Run(BufferedReader& reader, EntryChecker& checker, const HelpOffer& help, EntryTaker& taker);

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace quarrow::archive
