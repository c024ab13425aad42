#pragma once
// Checks the entries of one archive on several threads at once. Each thread
// streams the entries it takes through its own file handle and buffers; what
// a check finds is kept per entry (its result and the progress points the
// operation raises Status at) and handed back on the calling thread in entry
// order, so the caller decides exactly as if it had checked them one by one.
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

class EntryShare {
 public:
  // Told each entry's record, in order; false ends the check there.
  using Deliver = std::function<bool(size_t index, const EntryRecord& record)>;

  // The entries `selected` (indexes into `directory`) of the archive in
  // `source`. Entry checks stop when `abort` is set.
  EntryShare(ByteSource& source, const ZipDirectory& directory, std::span<const size_t> selected,
             InflateEngine engine, const std::atomic<bool>& abort);

  // Offers the work to `help`, checks entries on this thread with `reader`
  // and `checker` too, and delivers every record in order until `deliver`
  // says stop or all are delivered. An entry nobody checked (the check was
  // aborted first) is delivered with result kAborted. Returns once no other
  // thread is working on the archive.
  void Run(BufferedReader& reader, EntryChecker& checker, const HelpOffer& help, const Deliver& deliver);

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace quarrow::archive
