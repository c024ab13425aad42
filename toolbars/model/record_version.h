#pragma once
// Data versions of the control's persisted records.
//
// Every record is read according to the version of the data being loaded and
// always written in the current layout. Each predicate below names one change
// of layout and answers whether data of a given version has it; versions
// above the current one are read as the current one.
#include <cstdint>

namespace mz::records {

// The version the control writes.
inline constexpr std::uint32_t kCurrentVersion = 0x00020009;

// The version given to configuration data that starts directly with the
// property block, without header or version word.
inline constexpr std::uint32_t kHeaderlessVersion = 0x00010003;

// Tool pictures are stored in four strips after the tool records, and the
// full part of a tool record carries the pictures' width and height. Older
// data stores each picture inline after its tool's strings, at 16 x 16.
constexpr bool HasPictureStrips(std::uint32_t version) { return version >= 0x00010004; }

// Toolbar records end with the toolbar's TagVariant string.
constexpr bool HasToolbarTag(std::uint32_t version) { return version >= 0x00020000; }

// Toolbar records keep DisplayMoreToolsButton; older data turns it off. The
// full part of a tool record has picture width and height right after
// PictureSize, and its second flag byte in full.
constexpr bool HasMoreToolsButton(std::uint32_t version) { return version >= 0x00020001; }
constexpr bool HasCurrentFullPartOrder(std::uint32_t version) { return version >= 0x00020001; }

// The property block is 25 bytes with PersonalizedMenus and Style (older: 24
// bytes, both 0), and the full part of a tool record has MenuVisibility.
constexpr bool HasPersonalizedMenusAndStyle(std::uint32_t version) { return version > 0x00020001; }
constexpr bool HasMenuVisibility(std::uint32_t version) { return version > 0x00020001; }

// The instance part of a tool record has its instance flag byte (older: 8
// bytes, the tool visible everywhere), and edit records end with PasswordChar.
constexpr bool HasInstanceFlags(std::uint32_t version) { return version > 0x00020002; }
constexpr bool HasPasswordChar(std::uint32_t version) { return version > 0x00020002; }

// The tools stream carries the list of tools the user removed.
constexpr bool HasRemovedToolList(std::uint32_t version) { return version > 0x00020006; }

// Toolbar records are 45 bytes, with the fields at offsets 20 and 22 (older:
// 41 bytes).
constexpr bool HasLongToolbarRecord(std::uint32_t version) { return version > 0x00020007; }

// Layout files end with each tool's RecentlyUsed value.
constexpr bool HasLayoutUsage(std::uint32_t version) { return version > 0x00020008; }

}  // namespace mz::records
