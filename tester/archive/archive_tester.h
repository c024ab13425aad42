#pragma once
// The archive component: tests zip archives and extracts their description
// files. It works synchronously on the caller's thread and reports progress
// through a status handler called on that same thread.
//
// Result codes of Extract() and Test(). The tester reads them this way:
// 190 is an abort; 100, 110, 200 and 410 make an archive bad for either
// operation; any other code of 100 or more makes it bad only when the extract
// operation returns it. So every kind of damage maps to one of the four
// "bad" codes, and the codes that mean "could not be judged" (120, 130) are
// returned by Test() only.
//
//   0    success: every entry was read, inflated and matched its CRC-32 and sizes
//   100  not a readable zip structure: no end record, a bad signature, a central
//        directory or local header that is truncated, points outside the file,
//        overlaps another entry or disagrees with its central entry, or an
//        entry whose method number is no compression method of the zip format
//        (LastStructureCheck() tells which check fired)
//   110  an entry's data does not match its CRC-32 or its recorded sizes
//   120  (Test only) an entry uses a compression method of the zip format
//        that this build cannot decompress; every other entry was good
//        (UnverifiedMethod() names the method)
//   130  (Test only) an entry is encrypted and was not checked; every other
//        entry was good
//   140  (Extract only) no entry matched the file mask
//   190  the operation was aborted through the abort property
//   200  an entry's compressed data is damaged (the deflate stream is invalid,
//        stops short of its end marker, or ends before the entry's compressed
//        bytes do)
//   410  the archive file cannot be opened or read (also when its directory
//        lists more entries than memory can hold)
//   420  the archive file cannot be opened for lack of permission: nothing
//        was read, so nothing is known about the archive (the tester neither
//        counts it bad nor renames it)
//
// Test() checks the entries in file-offset order and stops at the first damage
// it finds; 120 or 130 is returned only when no entry was damaged (the first
// such entry found decides which).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "inflate_engine.h"

namespace quarrow::archive {

enum class OperationKind;
struct OperationWorkspace;

// Which structure check made an operation return 100.
enum class StructureCheck : uint8_t {
  kNone,
  kEndRecord,         // no end record describing a single-file archive
  kZip64Records,      // the zip64 locator or zip64 end record is unusable
  kCentralDirectory,  // a central entry is cut short, misplaced or malformed
  kEntryCount,        // the end record's entry count disagrees with the directory
  kEntryLayout,       // an entry lies outside the file, in the directory or over another
  kLocalHeader,       // a local header is missing or disagrees with its central entry
  kDataDescriptor,    // a data descriptor is missing or disagrees with its central entry
  kUndefinedMethod,   // an entry's method number is no compression method of the format
};

// A short fixed name of the check ("end-record", "entry-layout", ...), "" for kNone.
const char* StructureCheckName(StructureCheck check);

// What an operation found besides its result code.
struct ResultDetail {
  StructureCheck structure = StructureCheck::kNone;  // with result 100
  uint16_t method = 0;                               // with result 120
};

enum ResultCode : int16_t {
  kOk = 0,
  kBadStructure = 100,
  kBadCrc = 110,
  kUnsupportedMethod = 120,
  kEncrypted = 130,
  kNothingMatched = 140,
  kAborted = 190,
  kBadData = 200,
  kCannotRead = 410,
  kPermissionDenied = 420,
};

// Arguments of the Status event. It is raised as each entry starts
// (Processed 0), after every MiB of output of a long entry, and once more when
// the operation has gone through all its entries (for the last entry, with
// Completion 100). It is not raised for entries the mask leaves out.
struct StatusEvent {
  std::string FileName;     // entry name as stored in the archive
  uint32_t Size = 0;        // uncompressed bytes (low 32 bits for zip64 entries)
  uint32_t PSize = 0;       // compressed bytes (low 32 bits)
  uint32_t Processed = 0;   // uncompressed bytes of this entry produced so far
  uint32_t Attr = 0;        // external attributes
  uint32_t FTime = 0;       // DOS date (high 16 bits) and time (low 16 bits)
  uint32_t CRC = 0;         // CRC-32 recorded in the central directory
  int16_t Ratio = 0;        // percentage saved by compression: 100 - 100 * PSize / Size
  int16_t Completion = 0;   // 0..100: compressed bytes of the operation consumed so far
  std::string Method;       // "Stored", "Deflated", "BZip2", "LZMA", "Zstd", "XZ" or "Method N"
  bool Encrypted = false;
  int16_t ComLen = 0;       // length of the entry comment (at most 32767)
  std::string Comment;      // entry comment
};

// Hands `task` to the caller's other threads; each idle one may run it once,
// at any time, or never. The operation's result does not depend on it.
using HelpOffer = std::function<void(const std::function<void()>& task)>;

// Tests of archives whose selected entries hold at least this many compressed
// bytes share their entries with the helping threads: below it, opening the
// file again and setting up another inflater cost more than they save.
constexpr uint64_t kShareEntriesFrom = 4 * 1024 * 1024;

class ArchiveTester {
 public:
  using StatusHandler = std::function<void(const StatusEvent&)>;

  ArchiveTester();
  ~ArchiveTester();

  // Abort (dispatch id 1). Each operation clears it as it starts; setting it
  // while an operation runs (from the status handler or another thread) stops
  // that operation within a few milliseconds of work, with result 190. Read
  // after an operation, true means that operation was cut short.
  bool Abort() const { return abort_.load(std::memory_order_relaxed); }
  void SetAbort(bool value) { abort_.store(value, std::memory_order_relaxed); }

  // Destination folder (dispatch id 4): where Extract() writes.
  const std::string& DestinationFolder() const { return destination_; }
  void SetDestinationFolder(std::string folder) { destination_ = std::move(folder); }

  // Option 10: keep folder names. Off (the default, and what the tester
  // sets), every extracted entry is written under its plain file name
  // directly in the destination folder. On, the entry's relative folders are
  // kept and created below the destination folder.
  bool KeepFolderNames() const { return keepFolderNames_; }
  void SetKeepFolderNames(bool value) { keepFolderNames_ = value; }

  // Archive name (dispatch id 18): path of the archive to work on.
  const std::string& ArchiveName() const { return archiveName_; }
  void SetArchiveName(std::string path) { archiveName_ = std::move(path); }

  // File mask (dispatch id 21): entries whose plain file name matches it
  // ("*" and "?" wildcards, letter case ignored); "" matches every entry.
  const std::string& FileMask() const { return fileMask_; }
  void SetFileMask(std::string mask) { fileMask_ = std::move(mask); }

  // The library that inflates deflate entries and computes CRC-32 values
  // (the build's default until set). Results do not depend on it.
  InflateEngine Engine() const { return engine_; }
  void SetEngine(InflateEngine engine) { engine_ = engine; }

  // Threads that help test one archive: its entries are checked on them
  // too, and the result, detail and Status events are those of a check on
  // the caller's thread alone (events are raised on the caller's thread, in
  // entry order, once the entries before have been checked). Only tests of
  // at least `fromBytes` compressed bytes and two entries are shared.
  void SetEntryHelp(HelpOffer offer, uint64_t fromBytes = kShareEntriesFrom) {
    help_ = std::move(offer);
    shareFrom_ = fromBytes;
  }

  // Status event.
  void OnStatus(StatusHandler handler) { status_ = std::move(handler); }

  // Extract operation (dispatch id 25): checks the archive's structure and
  // writes the entries matching the mask into the destination folder. Each
  // matching entry's data is inflated into memory and checked against its
  // CRC-32 and sizes before anything is written, and the file is written
  // whole or not at all. A matching entry is checked but not written when
  // its name is unsafe (see extract_name.h), when it is larger than 1 MiB
  // uncompressed, when 16 files or 4 MiB have already been written by this
  // operation (or it would pass 4 MiB), or when the destination cannot take it (no folder set, a
  // missing folder, a link or folder in the way, a full disk): a failed write
  // is the destination's problem, not the archive's. Encrypted entries and
  // unsupported methods are skipped unchecked. Skipped entries still count as
  // matched. The local headers of entries the mask leaves out are not read.
  // `flags` is reserved: pass 0 (other values are ignored).
  int16_t Extract(int16_t flags);

  // Test operation (dispatch id 22): reads, inflates and verifies every entry
  // matching the mask.
  int16_t Test();

  // After an operation that returned 100: the check that fired; else kNone.
  StructureCheck LastStructureCheck() const { return detail_.structure; }
  // After a test that returned 120: the method number of the entry that
  // decided it; else 0.
  uint16_t UnverifiedMethod() const { return detail_.method; }

 private:
  int16_t Run(OperationKind kind);

  std::atomic<bool> abort_{false};
  ResultDetail detail_;
  std::string destination_;
  bool keepFolderNames_ = false;
  std::string archiveName_;
  std::string fileMask_;
  InflateEngine engine_ = DefaultInflateEngine();
  StatusHandler status_;
  HelpOffer help_;
  uint64_t shareFrom_ = kShareEntriesFrom;
  std::unique_ptr<OperationWorkspace> workspace_;  // buffers reused by every operation
};

}  // namespace quarrow::archive
