#pragma once
// The control's scalar property block and its defaults.
//
// The block is 25 bytes in current data:
//   0 BackColor (4)   4 ForeColor (4)   8 PictureBackgroundMaskColor (4)
//  12 ToolBarsCount (2)   14 ToolsCount (2)   16 ToolTipDelay (2)
//  18 FontSource   19 MenuAnimations   20 PersonalizedMenus
//  21 PictureBackgroundStyle   22 Style   23 the eight Booleans   24 presence flags
// Older data has a 24-byte form without PersonalizedMenus and Style (both
// then 0): offset 20 is unused, 21 PictureBackgroundStyle, 22 the Booleans,
// 23 the presence flags.
//
// The defaults table lists the scalar properties in the order InitNew and the
// property bag walk them; the Boolean table does the same for the Booleans.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolbars/model/record_reader.h"
#include "toolbars/model/record_result.h"

namespace mz::records {

struct ControlPropertyBlock {
  std::uint32_t BackColor = 0x8000000F;
  std::uint32_t ForeColor = 0x80000012;
  std::uint32_t PictureBackgroundMaskColor = 0x00C0C0C0;
  std::int16_t ToolBarsCount = 0;  // toolbar records that follow
  std::int16_t ToolsCount = 0;     // tool records that follow
  std::int16_t ToolTipDelay = 500;
  std::uint8_t FontSource = 0;
  std::uint8_t MenuAnimations = 0;
  std::uint8_t PersonalizedMenus = 1;
  std::uint8_t PictureBackgroundStyle = 0;
  std::uint8_t Style = 1;

  bool ActiveColors = false;
  bool DisplayContextMenu = true;
  bool Enabled = true;
  bool PictureBackgroundUseMask = false;
  bool ShowShortcutsInToolTips = false;
  bool ShowToolTips = true;
  bool Visible = true;
  bool LargeIcons = false;

  bool FontSet = false;               // a font was set explicitly; its stored form follows the block
  bool HasPictureBackground = false;  // a background picture's stored form follows the block

  bool operator==(const ControlPropertyBlock&) const = default;
};

inline constexpr std::size_t kControlBlockSize = 25;
inline constexpr std::size_t kOlderControlBlockSize = 24;

// Presence flag bits (offset 24).
inline constexpr std::uint8_t kPresenceFont = 0x01;
inline constexpr std::uint8_t kPresencePictureBackground = 0x04;

enum class ControlProperty {
  BackColor,
  FontSource,
  ForeColor,
  MenuAnimations,
  PictureBackgroundMaskColor,
  PictureBackgroundStyle,
  ToolBarsCount,
  ToolsCount,
  ToolTipDelay,
  PersonalizedMenus,
  Style,
};

// The variant type a property is stored with in a property bag.
enum class BagType { I4, I2 };

struct ControlDefaultRow {
  ControlProperty Property;
  std::string_view Name;       // property-bag name
  std::size_t Offset;          // in the 25-byte block
  std::int32_t Default;
  BagType Type;
  std::size_t Width;           // bytes in the block
};

inline constexpr std::array<ControlDefaultRow, 11> kControlDefaults = {{
    {ControlProperty::BackColor, "BackColor", 0, static_cast<std::int32_t>(0x8000000Fu), BagType::I4, 4},
    {ControlProperty::FontSource, "FontSource", 18, 0, BagType::I2, 1},
    {ControlProperty::ForeColor, "ForeColor", 4, static_cast<std::int32_t>(0x80000012u), BagType::I4, 4},
    {ControlProperty::MenuAnimations, "MenuAnimations", 19, 0, BagType::I2, 1},
    {ControlProperty::PictureBackgroundMaskColor, "PictureBackgroundMaskColor", 8, 0x00C0C0C0, BagType::I4, 4},
    {ControlProperty::PictureBackgroundStyle, "PictureBackgroundStyle", 21, 0, BagType::I2, 1},
    {ControlProperty::ToolBarsCount, "ToolBarsCount", 12, 0, BagType::I2, 2},
    {ControlProperty::ToolsCount, "ToolsCount", 14, 0, BagType::I2, 2},
    {ControlProperty::ToolTipDelay, "ToolTipDelay", 16, 500, BagType::I2, 2},
    {ControlProperty::PersonalizedMenus, "PersonalizedMenus", 20, 1, BagType::I2, 1},
    {ControlProperty::Style, "Style", 22, 1, BagType::I2, 1},
}};

struct ControlBooleanRow {
  std::string_view Name;  // property-bag name (VT_BOOL)
  unsigned Bit;           // in the Boolean byte
  bool Default;
  bool ControlPropertyBlock::*Member;
};

inline constexpr std::array<ControlBooleanRow, 8> kControlBooleans = {{
    {"ActiveColors", 0, false, &ControlPropertyBlock::ActiveColors},
    {"DisplayContextMenu", 1, true, &ControlPropertyBlock::DisplayContextMenu},
    {"Enabled", 2, true, &ControlPropertyBlock::Enabled},
    {"PictureBackgroundUseMask", 3, false, &ControlPropertyBlock::PictureBackgroundUseMask},
    {"ShowShortcutsInToolTips", 4, false, &ControlPropertyBlock::ShowShortcutsInToolTips},
    {"ShowToolTips", 5, true, &ControlPropertyBlock::ShowToolTips},
    {"Visible", 6, true, &ControlPropertyBlock::Visible},
    {"LargeIcons", 7, false, &ControlPropertyBlock::LargeIcons},
}};

// A property's value as its bag type holds it (colours as their 32-bit
// pattern).
std::int32_t GetControlProperty(const ControlPropertyBlock& block, ControlProperty property);

// Stores `value`; returns false and leaves the block unchanged when the value
// does not fit the property's field in the block.
bool SetControlProperty(ControlPropertyBlock& block, ControlProperty property, std::int32_t value);

// What an absent property-bag value falls back to for data of `version`:
// data that predates PersonalizedMenus and Style has both off.
std::int32_t ControlPropertyFallback(const ControlDefaultRow& row, std::uint32_t version);

// The block's size in data of `version`.
std::size_t ControlBlockSize(std::uint32_t version);

Result<ControlPropertyBlock> ReadControlBlock(RecordReader& reader, std::uint32_t version);
void WriteControlBlock(RecordWriter& writer, const ControlPropertyBlock& block);

}  // namespace mz::records
