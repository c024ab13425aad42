#pragma once
// The central directory of a zip archive, decoded into plain records and
// checked as a whole before any entry data is read.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive_tester.h"
#include "buffered_reader.h"

namespace quarrow::archive {

// One central directory entry, reduced to what testing and extraction need.
struct CentralEntry {
  uint64_t localOffset = 0;       // offset of the local header
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint64_t spaceEnd = 0;          // where the next entry (or the central directory) starts
  uint64_t commentOffset = 0;     // file offset of the entry comment
  uint64_t nameOffset = 0;        // offset of the name in ZipDirectory::names
  uint32_t crc32 = 0;
  uint32_t externalAttributes = 0;
  uint32_t dosDateTime = 0;       // DOS date in the high 16 bits, time in the low 16
  uint16_t nameLength = 0;
  uint16_t commentLength = 0;
  uint16_t method = 0;
  uint16_t flags = 0;
};

struct ZipDirectory {
  std::vector<CentralEntry> entries;  // in local-offset order
  std::string names;                  // the entry names, back to back
  uint64_t centralOffset = 0;         // start of the central directory

  std::string_view Name(const CentralEntry& entry) const {
    return std::string_view(names).substr(entry.nameOffset, entry.nameLength);
  }
};

// Records which check rejected the archive and returns kBadStructure.
inline ResultCode Reject(StructureCheck& fault, StructureCheck check) {
  fault = check;
  return kBadStructure;
}

// Finds the end record (searched backwards through the last 64 KiB + 22 bytes,
// so an archive comment is allowed), follows the zip64 locator when there is
// one, decodes every central entry (with its zip64 extra field) and checks that
// every entry lies inside the file, ends before the central directory and
// overlaps no other entry. An archive with bytes in front whose offsets do not
// count them (a self-extractor, junk prepended) is read at the shifted
// offsets, so it is judged by its entries. Entry data is never touched, so an archive whose
// entries share their bytes is rejected before anything is inflated.
// Returns kOk, kBadStructure (with `fault` set), kCannotRead or kAborted
// (checked once per entry).
ResultCode ReadDirectory(BufferedReader& reader, const std::atomic<bool>& abort,
                         ZipDirectory& directory, StructureCheck& fault);

}  // namespace quarrow::archive
