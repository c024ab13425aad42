#pragma once
// The local header in front of each entry's data, and the data descriptor that
// may follow the data.
#include <cstdint>
#include <string_view>

#include "archive_tester.h"
#include "buffered_reader.h"
#include "zip_directory.h"

namespace quarrow::archive {

// Reads the local header of `entry` and checks it against the central entry:
// signature, method, encryption flag and name, and the CRC-32 and sizes unless
// they are deferred to a data descriptor, in which case the descriptor (with or
// without its signature, 32- or 64-bit sizes) must carry them. The header,
// data and descriptor must all end before entry.spaceEnd. On kOk, `dataOffset`
// is where the compressed data starts. Returns kOk, kBadStructure (with
// `fault` set) or kCannotRead.
ResultCode ReadLocalHeader(BufferedReader& reader, const CentralEntry& entry,
                           std::string_view name, uint64_t& dataOffset, StructureCheck& fault);

}  // namespace quarrow::archive
