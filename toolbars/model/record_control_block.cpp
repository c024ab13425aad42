#include "toolbars/model/record_control_block.h"

#include <limits>

#include "toolbars/model/record_version.h"

namespace mz::records {
namespace {

std::uint8_t BooleanByte(const ControlPropertyBlock& block) {
  std::uint8_t byte = 0;
  for (const ControlBooleanRow& row : kControlBooleans) {
    if (block.*row.Member) byte |= static_cast<std::uint8_t>(1u << row.Bit);
  }
  return byte;
}

void SetBooleans(ControlPropertyBlock& block, std::uint8_t byte) {
  for (const ControlBooleanRow& row : kControlBooleans) block.*row.Member = (byte >> row.Bit) & 1;
}

void SetPresence(ControlPropertyBlock& block, std::uint8_t byte) {
  block.FontSet = (byte & kPresenceFont) != 0;
  block.HasPictureBackground = (byte & kPresencePictureBackground) != 0;
}

bool FitsByte(std::int32_t value) { return value >= 0 && value <= 0xFF; }

bool FitsInt16(std::int32_t value) {
  return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

}  // namespace

std::int32_t GetControlProperty(const ControlPropertyBlock& block, ControlProperty property) {
  switch (property) {
    case ControlProperty::BackColor: return static_cast<std::int32_t>(block.BackColor);
    case ControlProperty::FontSource: return block.FontSource;
    case ControlProperty::ForeColor: return static_cast<std::int32_t>(block.ForeColor);
    case ControlProperty::MenuAnimations: return block.MenuAnimations;
    case ControlProperty::PictureBackgroundMaskColor: return static_cast<std::int32_t>(block.PictureBackgroundMaskColor);
    case ControlProperty::PictureBackgroundStyle: return block.PictureBackgroundStyle;
    case ControlProperty::ToolBarsCount: return block.ToolBarsCount;
    case ControlProperty::ToolsCount: return block.ToolsCount;
    case ControlProperty::ToolTipDelay: return block.ToolTipDelay;
    case ControlProperty::PersonalizedMenus: return block.PersonalizedMenus;
    case ControlProperty::Style: return block.Style;
  }
  return 0;
}

bool SetControlProperty(ControlPropertyBlock& block, ControlProperty property, std::int32_t value) {
  const auto asColor = static_cast<std::uint32_t>(value);
  const auto asByte = static_cast<std::uint8_t>(value);
  const auto asInt16 = static_cast<std::int16_t>(value);
  switch (property) {
    case ControlProperty::BackColor: block.BackColor = asColor; return true;
    case ControlProperty::ForeColor: block.ForeColor = asColor; return true;
    case ControlProperty::PictureBackgroundMaskColor: block.PictureBackgroundMaskColor = asColor; return true;
    case ControlProperty::ToolBarsCount:
      if (!FitsInt16(value)) return false;
      block.ToolBarsCount = asInt16;
      return true;
    case ControlProperty::ToolsCount:
      if (!FitsInt16(value)) return false;
      block.ToolsCount = asInt16;
      return true;
    case ControlProperty::ToolTipDelay:
      if (!FitsInt16(value)) return false;
      block.ToolTipDelay = asInt16;
      return true;
    case ControlProperty::FontSource:
      if (!FitsByte(value)) return false;
      block.FontSource = asByte;
      return true;
    case ControlProperty::MenuAnimations:
      if (!FitsByte(value)) return false;
      block.MenuAnimations = asByte;
      return true;
    case ControlProperty::PersonalizedMenus:
      if (!FitsByte(value)) return false;
      block.PersonalizedMenus = asByte;
      return true;
    case ControlProperty::PictureBackgroundStyle:
      if (!FitsByte(value)) return false;
      block.PictureBackgroundStyle = asByte;
      return true;
    case ControlProperty::Style:
      if (!FitsByte(value)) return false;
      block.Style = asByte;
      return true;
  }
  return false;
}

std::int32_t ControlPropertyFallback(const ControlDefaultRow& row, std::uint32_t version) {
  const bool newerProperty =
      row.Property == ControlProperty::PersonalizedMenus || row.Property == ControlProperty::Style;
  if (newerProperty && !HasPersonalizedMenusAndStyle(version)) return 0;
  return row.Default;
}

std::size_t ControlBlockSize(std::uint32_t version) {
  return HasPersonalizedMenusAndStyle(version) ? kControlBlockSize : kOlderControlBlockSize;
}

Result<ControlPropertyBlock> ReadControlBlock(RecordReader& reader, std::uint32_t version) {
  ControlPropertyBlock block;
  block.BackColor = reader.U32();
  block.ForeColor = reader.U32();
  block.PictureBackgroundMaskColor = reader.U32();
  block.ToolBarsCount = reader.I16();
  block.ToolsCount = reader.I16();
  block.ToolTipDelay = reader.I16();
  block.FontSource = reader.U8();
  block.MenuAnimations = reader.U8();
  if (HasPersonalizedMenusAndStyle(version)) {
    block.PersonalizedMenus = reader.U8();
    block.PictureBackgroundStyle = reader.U8();
    block.Style = reader.U8();
  } else {
    reader.U8();  // unused in the older form
    block.PictureBackgroundStyle = reader.U8();
    block.PersonalizedMenus = 0;
    block.Style = 0;
  }
  SetBooleans(block, reader.U8());
  SetPresence(block, reader.U8());
  return reader.Finish(block);
}

void WriteControlBlock(RecordWriter& writer, const ControlPropertyBlock& block) {
  writer.U32(block.BackColor);
  writer.U32(block.ForeColor);
  writer.U32(block.PictureBackgroundMaskColor);
  writer.I16(block.ToolBarsCount);
  writer.I16(block.ToolsCount);
  writer.I16(block.ToolTipDelay);
  writer.U8(block.FontSource);
  writer.U8(block.MenuAnimations);
  writer.U8(block.PersonalizedMenus);
  writer.U8(block.PictureBackgroundStyle);
  writer.U8(block.Style);
  writer.U8(BooleanByte(block));
  writer.U8(static_cast<std::uint8_t>((block.FontSet ? kPresenceFont : 0) |
                                      (block.HasPictureBackground ? kPresencePictureBackground : 0)));
}

}  // namespace mz::records
