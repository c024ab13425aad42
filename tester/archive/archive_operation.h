#pragma once
// One extract or test operation over any byte source. ArchiveTester opens the
// archive file and runs one of these; the fuzzer and tests run them over
// memory.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "archive_tester.h"
#include "byte_source.h"
#include "entry_checker.h"
#include "inflate_engine.h"
#include "zip_directory.h"

namespace quarrow::archive {

enum class OperationKind { kExtract, kTest };

struct OperationSettings {
  OperationKind kind = OperationKind::kTest;
  std::string fileMask;
  std::string destination;      // extract only
  bool keepFolderNames = false;  // extract only
  InflateEngine engine = DefaultInflateEngine();
  HelpOffer help;                          // test only: threads that check entries too
  uint64_t shareFrom = kShareEntriesFrom;  // ... for archives of this many compressed bytes
};

// Buffers and inflate state kept from one operation to the next, so that
// testing many small archives does not allocate and clear half a megabyte
// each time. One workspace serves one operation at a time.
struct OperationWorkspace {
  OperationWorkspace();

  std::vector<uint8_t> readBuffer;
  EntryChecker checker;
  ZipDirectory directory;
  std::vector<uint8_t> extracted;  // the entry being extracted
};

// Reads the directory of the archive in `source`, then works through the
// entries whose plain file name matches the mask in file-offset order, raising
// `status` as each starts, every MiB of output of a long entry, and once more
// with Completion 100 when all are done. `abort` is polled at every entry and
// every buffer of data. Returns the operation's result code; `detail` says
// which structure check fired (100) or which method was not verified (120).
ResultCode RunOperation(ByteSource& source, const OperationSettings& settings,
                        const std::atomic<bool>& abort,
                        const ArchiveTester::StatusHandler& status,
                        OperationWorkspace& workspace, ResultDetail& detail);

}  // namespace quarrow::archive
