#include "zip_directory.h"

#include <algorithm>
#include <optional>

#include "byte_cursor.h"
#include "checked_math.h"
#include "zip_extra.h"
#include "zip_format.h"

namespace quarrow::archive {
namespace {

// The most central entries reserved for before any is decoded.
constexpr uint64_t kReservedEntries = 4096;

// Where the end record says the central directory is.
struct EndRecord {
  uint64_t offset = 0;         // file offset of the end record
  uint64_t entryCount = 0;
  uint64_t centralSize = 0;
  uint64_t centralOffset = 0;
  uint64_t centralLimit = 0;   // the central directory must end at or before this offset
};

// Fills the zip64 fields of `end` from the locator just before the end record
// and the zip64 end record it points to. Returns kOk when there is no locator
// (a plain archive), kBadStructure when the zip64 records are unusable.
ResultCode ApplyZip64EndRecord(BufferedReader& reader, EndRecord& end, StructureCheck& fault) {
  if (end.offset < zip::kZip64LocatorSize) return kOk;
  const uint64_t locatorOffset = end.offset - zip::kZip64LocatorSize;
  const auto locator = reader.Read(locatorOffset, zip::kZip64LocatorSize);
  if (!locator) return kCannotRead;
  ByteCursor loc(*locator);
  if (loc.U32() != zip::kZip64LocatorSignature) return kOk;
  const uint32_t locatorDisk = loc.U32();
  const uint64_t recordOffset = loc.U64();
  const uint32_t diskCount = loc.U32();
  // Some writers store 0 disks instead of 1; both mean a single-file archive.
  if (locatorDisk != 0 || diskCount > 1) return Reject(fault, StructureCheck::kZip64Records);
  if (!RangeWithin(recordOffset, zip::kZip64EndRecordSize, locatorOffset)) {
    return Reject(fault, StructureCheck::kZip64Records);
  }

  const auto record = reader.Read(recordOffset, zip::kZip64EndRecordSize);
  if (!record) return kCannotRead;
  ByteCursor rec(*record);
  if (rec.U32() != zip::kZip64EndRecordSignature) return Reject(fault, StructureCheck::kZip64Records);
  rec.Skip(8 + 2 + 2);  // record size, versions
  const uint32_t disk = rec.U32();
  const uint32_t centralDisk = rec.U32();
  const uint64_t entriesOnDisk = rec.U64();
  end.entryCount = rec.U64();
  end.centralSize = rec.U64();
  end.centralOffset = rec.U64();
  if (disk != 0 || centralDisk != 0 || entriesOnDisk != end.entryCount) {
    return Reject(fault, StructureCheck::kZip64Records);
  }
  end.centralLimit = recordOffset;
  return kOk;
}

// Decodes the end record candidate at `offset` (its bytes start `record`) and
// checks that it describes a single-file archive whose central directory lies
// before it. kBadStructure means "not this candidate", with `fault` saying why.
ResultCode DecodeEndRecord(BufferedReader& reader, std::span<const uint8_t> record,
                           uint64_t offset, EndRecord& end, StructureCheck& fault) {
  ByteCursor cursor(record);
  cursor.Skip(4);  // signature, already matched
  const uint16_t disk = cursor.U16();
  const uint16_t centralDisk = cursor.U16();
  const uint16_t entriesOnDisk = cursor.U16();
  const uint16_t entryCount = cursor.U16();
  end.centralSize = cursor.U32();
  end.centralOffset = cursor.U32();
  const uint16_t commentLength = cursor.U16();
  // The comment must fit in the file: a signature inside an archive comment
  // usually fails here, and the search goes on backwards.
  if (!cursor.Ok() || commentLength > cursor.Remaining()) {
    return Reject(fault, StructureCheck::kEndRecord);
  }
  end.offset = offset;
  end.entryCount = entryCount;
  end.centralLimit = offset;

  const ResultCode zip64 = ApplyZip64EndRecord(reader, end, fault);
  if (zip64 != kOk) return zip64;
  const bool isZip64 = end.centralLimit != offset;
  if (!isZip64 && (disk != 0 || centralDisk != 0 || entriesOnDisk != entryCount)) {
    return Reject(fault, StructureCheck::kEndRecord);  // a volume of a spanned archive
  }
  if (!RangeWithin(end.centralOffset, end.centralSize, end.centralLimit)) {
    return Reject(fault, StructureCheck::kEndRecord);
  }
  return kOk;
}

// On kBadStructure, `fault` tells why the candidate nearest the end of the
// file was refused (the end-record check when there was none).
ResultCode FindEndRecord(BufferedReader& reader, EndRecord& end, StructureCheck& fault) {
  const uint64_t size = reader.Size();
  if (size < zip::kEndRecordSize) return Reject(fault, StructureCheck::kEndRecord);
  StructureCheck firstRefusal = StructureCheck::kEndRecord;
  bool refused = false;
  const size_t searchLength = static_cast<size_t>(
      std::min<uint64_t>(size, zip::kEndRecordSize + zip::kMaxCommentLength));
  const uint64_t searchStart = size - searchLength;

  auto tail = reader.Read(searchStart, searchLength);
  if (!tail) return kCannotRead;
  for (size_t pos = searchLength - zip::kEndRecordSize + 1; pos-- > 0;) {
    const std::span<const uint8_t> candidate = tail->subspan(pos);
    if (ByteCursor(candidate).U32() != zip::kEndRecordSignature) continue;
    StructureCheck why = StructureCheck::kEndRecord;
    const ResultCode result = DecodeEndRecord(reader, candidate, searchStart + pos, end, why);
    if (result != kBadStructure) return result;
    if (!refused) firstRefusal = why;
    refused = true;
    // Decoding may have moved the window (zip64 records); the search goes on
    // over the same bytes.
    tail = reader.Read(searchStart, searchLength);
    if (!tail) return kCannotRead;
  }
  return Reject(fault, firstRefusal);
}

// Bytes in front of an archive whose offsets were written without them (a
// self-extractor stub, or anything prepended to a finished archive): the
// central directory is not where the end record says, but it ends right
// where the end record starts. Returns how far every recorded offset is
// short, 0 for an archive whose offsets are right.
ResultCode FindPrefixLength(BufferedReader& reader, const EndRecord& end, uint64_t& prefix) {
  prefix = 0;
  if (end.entryCount == 0) return kOk;
  const auto isCentralEntry = [&](uint64_t offset, bool& found) {
    found = false;
    if (!RangeWithin(offset, 4, reader.Size())) return kOk;
    const auto bytes = reader.Read(offset, 4);
    if (!bytes) return kCannotRead;
    found = ByteCursor(*bytes).U32() == zip::kCentralHeaderSignature;
    return kOk;
  };
  bool found = false;
  ResultCode result = isCentralEntry(end.centralOffset, found);
  if (result != kOk || found) return result;
  const uint64_t actual = end.centralLimit - end.centralSize;  // DecodeEndRecord checked the size fits
  if (actual <= end.centralOffset) return kOk;
  result = isCentralEntry(actual, found);
  if (result == kOk && found) prefix = actual - end.centralOffset;
  return result;
}

// Decodes the central entry whose bytes (fixed part, name, extra field and
// comment) are `record`, found at file offset `offset`. Its local offset is
// moved by `prefix` (see FindPrefixLength).
ResultCode DecodeCentralEntry(std::span<const uint8_t> record, uint64_t offset, uint64_t prefix,
                              ZipDirectory& directory, StructureCheck& fault) {
  ByteCursor cursor(record);
  if (cursor.U32() != zip::kCentralHeaderSignature) {
    return Reject(fault, StructureCheck::kCentralDirectory);
  }
  CentralEntry entry;
  cursor.Skip(2 + 2);  // versions made by and needed
  entry.flags = cursor.U16();
  entry.method = cursor.U16();
  const uint16_t time = cursor.U16();
  const uint16_t date = cursor.U16();
  entry.dosDateTime = (uint32_t{date} << 16) | time;
  entry.crc32 = cursor.U32();
  entry.compressedSize = cursor.U32();
  entry.uncompressedSize = cursor.U32();
  entry.nameLength = cursor.U16();
  const uint16_t extraLength = cursor.U16();
  entry.commentLength = cursor.U16();
  cursor.Skip(2 + 2);  // disk number start, internal attributes
  entry.externalAttributes = cursor.U32();
  entry.localOffset = cursor.U32();
  const std::span<const uint8_t> name = cursor.Bytes(entry.nameLength);
  const std::span<const uint8_t> extra = cursor.Bytes(extraLength);
  if (!cursor.Ok()) return Reject(fault, StructureCheck::kCentralDirectory);
  if (!ApplyZip64Extra(extra, {&entry.uncompressedSize, &entry.compressedSize,
                               &entry.localOffset})) {
    return Reject(fault, StructureCheck::kCentralDirectory);
  }
  const std::optional<uint64_t> localOffset = CheckedAdd(entry.localOffset, prefix);
  if (!localOffset) return Reject(fault, StructureCheck::kEntryLayout);
  entry.localOffset = *localOffset;
  entry.commentOffset = offset + zip::kCentralHeaderSize + entry.nameLength + extraLength;
  entry.nameOffset = directory.names.size();
  directory.names.append(name.begin(), name.end());
  directory.entries.push_back(entry);
  return kOk;
}

ResultCode ReadCentralEntries(BufferedReader& reader, const EndRecord& end, uint64_t prefix,
                              const std::atomic<bool>& abort, ZipDirectory& directory,
                              StructureCheck& fault) {
  // Every central entry takes at least its fixed part, so the count is
  // limited by the bytes actually present.
  if (end.entryCount > end.centralSize / zip::kCentralHeaderSize) {
    return Reject(fault, StructureCheck::kEntryCount);
  }
  // A decoded entry takes more memory than its 46 bytes on disk, so the
  // claimed count only sizes a first reservation; the list grows with the
  // entries actually decoded.
  directory.entries.reserve(static_cast<size_t>(std::min<uint64_t>(end.entryCount, kReservedEntries)));
  const uint64_t centralEnd = end.centralOffset + end.centralSize;
  uint64_t offset = end.centralOffset;
  for (uint64_t i = 0; i < end.entryCount; ++i) {
    if (abort.load(std::memory_order_relaxed)) return kAborted;
    if (!RangeWithin(offset, zip::kCentralHeaderSize, centralEnd)) {
      return Reject(fault, StructureCheck::kCentralDirectory);
    }
    const auto head = reader.Read(offset, zip::kCentralHeaderSize);
    if (!head) return kCannotRead;
    ByteCursor lengths(head->subspan(28));
    const size_t recordSize =
        zip::kCentralHeaderSize + lengths.U16() + lengths.U16() + lengths.U16();
    if (!RangeWithin(offset, recordSize, centralEnd)) {
      return Reject(fault, StructureCheck::kCentralDirectory);
    }
    const auto record = reader.Read(offset, recordSize);
    if (!record) return kCannotRead;
    const ResultCode result = DecodeCentralEntry(*record, offset, prefix, directory, fault);
    if (result != kOk) return result;
    offset += recordSize;
  }
  // A further central entry means the count is wrong and entries would be
  // silently left untested.
  if (RangeWithin(offset, 4, centralEnd)) {
    const auto next = reader.Read(offset, 4);
    if (!next) return kCannotRead;
    if (ByteCursor(*next).U32() == zip::kCentralHeaderSignature) {
      return Reject(fault, StructureCheck::kEntryCount);
    }
  }
  return kOk;
}

// Sorts the entries by local offset and checks that each one's local header,
// name and compressed data fit before the next entry (or the central
// directory). The local header's extra field and any data descriptor are
// checked against the same bound when the entry is read.
ResultCode CheckEntryLayout(ZipDirectory& directory, StructureCheck& fault) {
  auto& entries = directory.entries;
  const auto byOffset = [](const CentralEntry& a, const CentralEntry& b) {
    return a.localOffset < b.localOffset;
  };
  if (!std::is_sorted(entries.begin(), entries.end(), byOffset)) {
    std::stable_sort(entries.begin(), entries.end(), byOffset);
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    CentralEntry& entry = entries[i];
    entry.spaceEnd = i + 1 < entries.size() ? entries[i + 1].localOffset : directory.centralOffset;
    const std::optional<uint64_t> minimumLength =
        CheckedAdd(zip::kLocalHeaderSize + entry.nameLength, entry.compressedSize);
    if (!minimumLength || !RangeWithin(entry.localOffset, *minimumLength, entry.spaceEnd)) {
      return Reject(fault, StructureCheck::kEntryLayout);
    }
  }
  return kOk;
}

}  // namespace

ResultCode ReadDirectory(BufferedReader& reader, const std::atomic<bool>& abort,
                         ZipDirectory& directory, StructureCheck& fault) {
  directory.entries.clear();
  directory.names.clear();
  EndRecord end;
  ResultCode result = FindEndRecord(reader, end, fault);
  if (result != kOk) return result;
  uint64_t prefix = 0;
  result = FindPrefixLength(reader, end, prefix);
  if (result != kOk) return result;
  end.centralOffset += prefix;
  directory.centralOffset = end.centralOffset;
  result = ReadCentralEntries(reader, end, prefix, abort, directory, fault);
  if (result != kOk) return result;
  return CheckEntryLayout(directory, fault);
}

}  // namespace quarrow::archive
