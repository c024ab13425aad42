#pragma once
// Layout of an input of the record fuzz target, shared with the generator of
// its seeds:
//   byte 0   what to decode (FuzzMode, taken modulo kFuzzModes)
//   byte 1   data version, an index into kFuzzVersions (modulo its size)
//   byte 2-3 a signed 16-bit count (records to read) or cell index
//   byte 4-5 cell width and height (picture modes)
//   then the data.
#include <array>
#include <cstddef>
#include <cstdint>

namespace mz::records::testing {

enum FuzzMode : std::uint8_t {
  kFuzzControlStream,    // with header; the version comes from the data
  kFuzzHeaderless,       // headerless configuration data
  kFuzzToolsStream,      // the count is ToolsCount
  kFuzzToolbarRecords,   // the count is ToolBarsCount
  kFuzzLayoutStream,
  kFuzzCutCell,          // the data is a packed bitmap
  kFuzzBuildStrip,       // the data gives images to build a strip from
  kFuzzModes
};

inline constexpr std::size_t kFuzzHeaderSize = 6;

inline constexpr std::array<std::uint32_t, 9> kFuzzVersions = {
    0x00010003, 0x00010004, 0x00020000, 0x00020001, 0x00020002,
    0x00020006, 0x00020007, 0x00020008, 0x00020009};

}  // namespace mz::records::testing
