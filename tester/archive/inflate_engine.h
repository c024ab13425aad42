#pragma once
// The libraries that inflate deflate entries and compute CRC-32 values: zlib
// in every build, and Intel's ISA-L in native builds that find it, where it is
// the default for being several times faster. Both give the same result on
// every archive; the choice only changes the speed.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quarrow::archive {

enum class InflateEngine : uint8_t { kZlib, kIsal };

// The engines this build has, the default first.
std::span<const InflateEngine> InflateEngines();
InflateEngine DefaultInflateEngine();

// "zlib" or "isal", and back; nothing for a name this build has no engine of.
std::string_view InflateEngineName(InflateEngine engine);
std::optional<InflateEngine> InflateEngineNamed(std::string_view name);

// The zip CRC-32 of `bytes` continued from `crc` (0 to start), computed by
// `engine`'s library.
uint32_t UpdateCrc32(InflateEngine engine, uint32_t crc, std::span<const uint8_t> bytes);

}  // namespace quarrow::archive
