#include "compression_method.h"

#include "stream_decoders.h"
#include "zip_format.h"

namespace quarrow::archive {
namespace {

struct Decodable {
  uint16_t method;
  std::unique_ptr<EntryDecoder> (*make)();
};

// The methods this build verifies besides stored data. The Windows builds
// have zlib only; the native build also links the system's bzip2, liblzma
// and zstd libraries when they are present.
constexpr Decodable kDecodable[] = {
    {zip::kMethodDeflated, MakeDeflateDecoder},
#ifdef QUARROW_HAVE_BZIP2
    {12, MakeBzip2Decoder},
#endif
#ifdef QUARROW_HAVE_LZMA
    {14, MakeLzmaDecoder},
    {95, MakeXzDecoder},
#endif
#ifdef QUARROW_HAVE_ZSTD
    {93, MakeZstdDecoder},
#endif
};

}  // namespace

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
  if (method == zip::kMethodStored) return true;
  for (const Decodable& d : kDecodable) {
    if (d.method == method) return true;
  }
  return false;
}

std::unique_ptr<EntryDecoder> MakeDecoder(uint16_t method, InflateEngine engine) {
#ifdef QUARROW_HAVE_ISAL
  if (method == zip::kMethodDeflated && engine == InflateEngine::kIsal) return MakeIsalDeflateDecoder();
#else
  (void)engine;
#endif
  for (const Decodable& d : kDecodable) {
    if (d.method == method) return d.make();
  }
  return nullptr;
}

std::string MethodName(uint16_t method) {
  switch (method) {
    case zip::kMethodStored: return "Stored";
    case zip::kMethodDeflated: return "Deflated";
    case 12: return "BZip2";
    case 14: return "LZMA";
    case 93: return "Zstd";
    case 95: return "XZ";
    default: return "Method " + std::to_string(method);
  }
}

}  // namespace quarrow::archive
