#pragma once
// The compression methods of the zip format: which numbers it defines, what
// they are called, and which of them this build can decompress.
#include <cstdint>
#include <string>

namespace quarrow::archive {

// True for the method numbers the zip format assigns (stored, the legacy
// methods, deflate and deflate64, bzip2, LZMA, zstd, xz, PPMd and the
// others). Any other number is damage, not a method nobody here knows.
bool IsDefinedMethod(uint16_t method);

// True when this build verifies entries of `method`.
bool CanDecompress(uint16_t method);

// "Stored", "Deflated", "BZip2", "LZMA", "Zstd" or "XZ" for the Status
// event; "Method N" for the rest.
std::string MethodName(uint16_t method);

}  // namespace quarrow::archive
