#include "local_header.h"

#include <algorithm>
#include <cstring>

#include "byte_cursor.h"
#include "checked_math.h"
#include "zip_extra.h"
#include "zip_format.h"

namespace quarrow::archive {
namespace {

struct DescriptorForm {
  bool signature;
  bool wideSizes;
  size_t Size() const { return (signature ? 4 : 0) + 4 + (wideSizes ? 16 : 8); }
};

// Writers differ in whether the descriptor has a signature and whether its
// sizes are 64-bit (zip64 entries); the form whose values match the central
// entry is the one present. Signed forms are tried first so a CRC that happens
// to equal the signature still decodes.
constexpr DescriptorForm kDescriptorForms[] = {
    {true, true}, {true, false}, {false, true}, {false, false}};

bool DescriptorMatches(std::span<const uint8_t> bytes, DescriptorForm form,
                       const CentralEntry& entry) {
  if (bytes.size() < form.Size()) return false;
  ByteCursor cursor(bytes);
  if (form.signature && cursor.U32() != zip::kDataDescriptorSignature) return false;
  const uint32_t crc = cursor.U32();
  const uint64_t compressed = form.wideSizes ? cursor.U64() : cursor.U32();
  const uint64_t uncompressed = form.wideSizes ? cursor.U64() : cursor.U32();
  return cursor.Ok() && crc == entry.crc32 && compressed == entry.compressedSize &&
         uncompressed == entry.uncompressedSize;
}

ResultCode CheckDataDescriptor(BufferedReader& reader, const CentralEntry& entry,
                               uint64_t dataEnd, StructureCheck& fault) {
  const size_t available = static_cast<size_t>(std::min<uint64_t>(
      entry.spaceEnd - dataEnd, DescriptorForm{true, true}.Size()));
  const auto bytes = reader.Read(dataEnd, available);
  if (!bytes) return kCannotRead;
  for (const DescriptorForm form : kDescriptorForms) {
    if (DescriptorMatches(*bytes, form, entry)) return kOk;
  }
  return Reject(fault, StructureCheck::kDataDescriptor);
}

}  // namespace

ResultCode ReadLocalHeader(BufferedReader& reader, const CentralEntry& entry,
                           std::string_view name, uint64_t& dataOffset, StructureCheck& fault) {
  // The directory check guarantees the fixed header and the name fit.
  const auto fixed = reader.Read(entry.localOffset, zip::kLocalHeaderSize);
  if (!fixed) return kCannotRead;
  ByteCursor cursor(*fixed);
  if (cursor.U32() != zip::kLocalHeaderSignature) return Reject(fault, StructureCheck::kLocalHeader);
  cursor.Skip(2);  // version needed
  const uint16_t flags = cursor.U16();
  const uint16_t method = cursor.U16();
  cursor.Skip(2 + 2);  // time, date: writers disagree with their own central entries
  const uint32_t crc = cursor.U32();
  uint64_t compressed = cursor.U32();
  uint64_t uncompressed = cursor.U32();
  const uint16_t nameLength = cursor.U16();
  const uint16_t extraLength = cursor.U16();
  if (method != entry.method || nameLength != entry.nameLength ||
      (flags & zip::kFlagEncrypted) != (entry.flags & zip::kFlagEncrypted)) {
    return Reject(fault, StructureCheck::kLocalHeader);
  }

  const uint64_t headerLength = zip::kLocalHeaderSize + uint64_t{nameLength} + extraLength;
  const std::optional<uint64_t> entryLength = CheckedAdd(headerLength, entry.compressedSize);
  if (!entryLength || !RangeWithin(entry.localOffset, *entryLength, entry.spaceEnd)) {
    return Reject(fault, StructureCheck::kEntryLayout);
  }
  const auto variable = reader.Read(entry.localOffset + zip::kLocalHeaderSize,
                                    size_t{nameLength} + extraLength);
  if (!variable) return kCannotRead;
  if (nameLength != 0 && std::memcmp(variable->data(), name.data(), nameLength) != 0) {
    return Reject(fault, StructureCheck::kLocalHeader);
  }
  dataOffset = entry.localOffset + headerLength;
  const uint64_t dataEnd = dataOffset + entry.compressedSize;

  if (flags & zip::kFlagDataDescriptor) return CheckDataDescriptor(reader, entry, dataEnd, fault);
  if (!ApplyZip64Extra(variable->subspan(nameLength), {&uncompressed, &compressed})) {
    return Reject(fault, StructureCheck::kLocalHeader);
  }
  if (crc != entry.crc32 || compressed != entry.compressedSize ||
      uncompressed != entry.uncompressedSize) {
    return Reject(fault, StructureCheck::kLocalHeader);
  }
  return kOk;
}

}  // namespace quarrow::archive
