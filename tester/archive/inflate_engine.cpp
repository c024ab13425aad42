#include "inflate_engine.h"

#include <algorithm>
#include <limits>

#include <zlib.h>
#ifdef QUARROW_HAVE_ISAL
#include <isa-l/crc.h>
#endif

namespace quarrow::archive {
namespace {

constexpr InflateEngine kEngines[] = {
#ifdef QUARROW_HAVE_ISAL
    InflateEngine::kIsal,
#endif
    InflateEngine::kZlib,
};

uint32_t ZlibCrc32(uint32_t crc, std::span<const uint8_t> bytes) {
  // zlib's crc32 takes a 32-bit length: feed longer spans in pieces.
  do {
    const size_t piece = std::min<size_t>(bytes.size(), std::numeric_limits<uInt>::max());
    crc = static_cast<uint32_t>(crc32(crc, bytes.data(), static_cast<uInt>(piece)));
    bytes = bytes.subspan(piece);
  } while (!bytes.empty());
  return crc;
}

}  // namespace

std::span<const InflateEngine> InflateEngines() { return kEngines; }

InflateEngine DefaultInflateEngine() { return kEngines[0]; }

std::string_view InflateEngineName(InflateEngine engine) {
  return engine == InflateEngine::kIsal ? "isal" : "zlib";
}

std::optional<InflateEngine> InflateEngineNamed(std::string_view name) {
  for (const InflateEngine engine : kEngines) {
    if (InflateEngineName(engine) == name) return engine;
  }
  return std::nullopt;
}

uint32_t UpdateCrc32(InflateEngine engine, uint32_t crc, std::span<const uint8_t> bytes) {
#ifdef QUARROW_HAVE_ISAL
  // crc32_gzip_refl is the reflected IEEE polynomial of gzip and zip, with
  // the same pre- and post-inversion as zlib's crc32.
  if (engine == InflateEngine::kIsal) return crc32_gzip_refl(crc, bytes.data(), bytes.size());
#else
  (void)engine;
#endif
  return ZlibCrc32(crc, bytes);
}

}  // namespace quarrow::archive
