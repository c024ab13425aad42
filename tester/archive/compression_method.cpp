#include "compression_method.h"

#include "zip_format.h"

namespace quarrow::archive {

bool IsDefinedMethod(uint16_t method) {
  switch (method) {
    case 0:                                            // stored
    case 1: case 2: case 3: case 4: case 5: case 6:    // shrunk, reduced 1-4, imploded
    case 8: case 9: case 10:                           // deflate, deflate64, PKWARE DCL implode
    case 12: case 14:                                  // bzip2, LZMA
    case 16: case 18: case 19:                         // IBM z/OS CMPSC, IBM TERSE, IBM LZ77 z
    case 20:                                           // zstd (the number first used for it)
    case 93: case 94: case 95: case 96: case 97: case 98:  // zstd, MP3, xz, JPEG, WavPack, PPMd
    case 99:                                           // AES encryption marker
      return true;
    default:
      return false;
  }
}

bool CanDecompress(uint16_t method) {
  return method == zip::kMethodStored || method == zip::kMethodDeflated;
}

std::string MethodName(uint16_t method) {
  switch (method) {
    case zip::kMethodStored: return "Stored";
    case zip::kMethodDeflated: return "Deflated";
    default: return "Method " + std::to_string(method);
  }
}

}  // namespace quarrow::archive
