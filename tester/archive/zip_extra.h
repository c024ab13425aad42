#pragma once
// The zip64 extended-information extra field, shared by central and local
// headers.
#include <cstdint>
#include <initializer_list>
#include <span>

namespace quarrow::archive {

// Each of `fields` that holds the 32-bit marker gets the next 64-bit value of
// the zip64 extra field found in `extra`, in the order given (uncompressed
// size, compressed size, local header offset: the order the format fixes).
// Returns false when a field needs a value the extra data does not hold.
// Malformed trailing bytes after the last complete extra field are ignored,
// as some writers pad the extra data for alignment.
bool ApplyZip64Extra(std::span<const uint8_t> extra, std::initializer_list<uint64_t*> fields);

}  // namespace quarrow::archive
