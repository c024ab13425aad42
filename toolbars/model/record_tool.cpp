#include "toolbars/model/record_tool.h"

#include "toolbars/model/record_version.h"

namespace mz::records {
namespace {

// First flag byte of the full part.
constexpr std::uint8_t kAutoWrap = 0x01;
constexpr std::uint8_t kEnabled = 0x02;
constexpr std::uint8_t kGroupAllowAllUp = 0x04;
constexpr std::uint8_t kVisible = 0x08;
constexpr std::uint8_t kUseMaskColor = 0x10;
constexpr std::uint8_t kHasPicture = 0x20;
constexpr std::uint8_t kHasPictureDisabled = 0x40;
constexpr std::uint8_t kHasPictureDown = 0x80;
// Second flag byte.
constexpr std::uint8_t kHasPictureDownDisabled = 0x01;
constexpr std::uint8_t kKeptFlag = 0x02;
constexpr std::uint8_t kCustomizable = 0x04;
constexpr std::uint8_t kRecentlyUsed = 0x08;
// Instance flag byte.
constexpr std::uint8_t kVisibleHere = 0x01;

constexpr std::size_t kStringMin = 2;  // an empty string is its byte count alone

// Size of the full part's fixed fields in data of `version`.
std::size_t FullPartSize(std::uint32_t version) {
  if (HasMenuVisibility(version)) return 12;
  return HasPictureStrips(version) ? 11 : 7;
}

ToolInstanceRecord ReadInstancePart(RecordReader& reader, std::uint32_t version) {
  ToolInstanceRecord tool;
  tool.ForeColorSource = reader.U8();
  tool.DisplayStyle = reader.U8();
  tool.ForeColor = reader.U32();
  tool.CtlWidth = reader.I16();
  tool.VisibleHere = HasInstanceFlags(version) ? (reader.U8() & kVisibleHere) != 0 : true;
  tool.Name = reader.String();
  tool.ID = reader.String();
  return tool;
}

void WriteInstancePart(RecordWriter& writer, const ToolInstanceRecord& tool, std::int16_t ctlWidth) {
  writer.U8(tool.ForeColorSource);
  writer.U8(tool.DisplayStyle);
  writer.U32(tool.ForeColor);
  writer.I16(ctlWidth);
  writer.U8(tool.VisibleHere ? kVisibleHere : 0);
  writer.String(tool.Name);
  writer.String(tool.ID);
}

void SetFirstFlags(ToolRecord& tool, std::uint8_t flags) {
  tool.AutoWrap = flags & kAutoWrap;
  tool.Enabled = flags & kEnabled;
  tool.GroupAllowAllUp = flags & kGroupAllowAllUp;
  tool.Visible = flags & kVisible;
  tool.UseMaskColor = flags & kUseMaskColor;
  tool.HasPicture[kPicture] = flags & kHasPicture;
  tool.HasPicture[kPictureDisabled] = flags & kHasPictureDisabled;
  tool.HasPicture[kPictureDown] = flags & kHasPictureDown;
}

void SetSecondFlags(ToolRecord& tool, std::uint8_t flags) {
  tool.HasPicture[kPictureDownDisabled] = flags & kHasPictureDownDisabled;
  tool.KeptFlag = flags & kKeptFlag;
  tool.Customizable = flags & kCustomizable;
  tool.RecentlyUsed = flags & kRecentlyUsed;
}

std::uint8_t FirstFlags(const ToolRecord& tool) {
  std::uint8_t flags = 0;
  if (tool.AutoWrap) flags |= kAutoWrap;
  if (tool.Enabled) flags |= kEnabled;
  if (tool.GroupAllowAllUp) flags |= kGroupAllowAllUp;
  if (tool.Visible) flags |= kVisible;
  if (tool.UseMaskColor) flags |= kUseMaskColor;
  if (tool.HasPicture[kPicture]) flags |= kHasPicture;
  if (tool.HasPicture[kPictureDisabled]) flags |= kHasPictureDisabled;
  if (tool.HasPicture[kPictureDown]) flags |= kHasPictureDown;
  return flags;
}

std::uint8_t SecondFlags(const ToolRecord& tool) {
  std::uint8_t flags = 0;
  if (tool.HasPicture[kPictureDownDisabled]) flags |= kHasPictureDownDisabled;
  if (tool.KeptFlag) flags |= kKeptFlag;
  if (tool.Customizable) flags |= kCustomizable;
  if (tool.RecentlyUsed) flags |= kRecentlyUsed;
  return flags;
}

void ReadFullPart(RecordReader& reader, std::uint32_t version, ToolRecord& tool) {
  tool.State = reader.U8();
  tool.Type = reader.U8();
  tool.Shortcut = reader.U8();
  if (HasMenuVisibility(version)) {
    tool.MenuVisibility = reader.U8();
    tool.PictureSize = reader.I16();
    tool.PictureWidth = reader.I16();
    tool.PictureHeight = reader.I16();
    SetFirstFlags(tool, reader.U8());
    SetSecondFlags(tool, reader.U8());
  } else if (HasCurrentFullPartOrder(version)) {
    tool.PictureSize = reader.I16();
    tool.PictureWidth = reader.I16();
    tool.PictureHeight = reader.I16();
    SetFirstFlags(tool, reader.U8());
    SetSecondFlags(tool, reader.U8());
    // Tools of this data have no usage history; they count as recently used
    // so personalized menus do not hide them.
    tool.MenuVisibility = 0;
    tool.RecentlyUsed = true;
  } else {
    tool.PictureSize = reader.I16();
    SetFirstFlags(tool, reader.U8());
    // Only the picture bit and the kept bit existed in the second byte then.
    SetSecondFlags(tool, reader.U8() & (kHasPictureDownDisabled | kKeptFlag));
    tool.Customizable = true;
    if (HasPictureStrips(version)) {
      tool.PictureWidth = reader.I16();
      tool.PictureHeight = reader.I16();
    } else {
      tool.PictureWidth = 16;
      tool.PictureHeight = 16;
    }
  }
}

void ReadInlinePictures(RecordReader& reader, const ObjectMeasure& measure, ToolRecord& tool) {
  for (PictureKind kind : {kPicture, kPictureDown, kPictureDownDisabled, kPictureDisabled}) {
    if (tool.HasPicture[kind]) tool.InlinePictures[kind] = reader.StoredObject(measure);
  }
}

bool HasAnyPicture(const ToolRecord& tool) {
  for (bool present : tool.HasPicture) {
    if (present) return true;
  }
  return false;
}

}  // namespace

std::size_t MinPlacedToolSize(std::uint32_t version) {
  return (HasInstanceFlags(version) ? 9 : 8) + 2 * kStringMin;
}

std::size_t MinToolRecordSize(std::uint32_t version) {
  return MinPlacedToolSize(version) + FullPartSize(version) + 5 * kStringMin;
}

Result<ToolInstanceRecord> ReadPlacedTool(RecordReader& reader, std::uint32_t version) {
  return reader.Finish(ReadInstancePart(reader, version));
}

void WritePlacedTool(RecordWriter& writer, const ToolInstanceRecord& tool) {
  const std::int16_t width = tool.CtlWidth == -1 || tool.CtlWidth >= 1 ? tool.CtlWidth : 1;
  WriteInstancePart(writer, tool, width);
}

Result<ToolRecord> ReadToolRecord(RecordReader& reader, std::uint32_t version, const ObjectMeasure& inlinePicture) {
  ToolRecord tool;
  tool.Instance = ReadInstancePart(reader, version);
  ReadFullPart(reader, version, tool);
  tool.Category = reader.String();
  tool.Description = reader.String();
  tool.Group = reader.String();
  tool.ToolTipText = reader.String();
  tool.TagString = reader.String();
  if (!HasPictureStrips(version)) ReadInlinePictures(reader, inlinePicture, tool);
  if (reader.Failed()) return *reader.Error();

  switch (tool.Type) {
    case kToolTypeComboBox: {
      Result<ComboRecord> combo = ReadComboRecord(reader);
      if (!combo) return combo.error();
      tool.ComboBox = std::move(*combo);
      break;
    }
    case kToolTypeEdit: {
      Result<EditRecord> edit = ReadEditRecord(reader, version);
      if (!edit) return edit.error();
      tool.Edit = std::move(*edit);
      break;
    }
    case kToolTypeMenu: {
      Result<MenuRecord> menu = ReadMenuRecord(reader, version);
      if (!menu) return menu.error();
      tool.Menu = std::move(*menu);
      break;
    }
    default: break;
  }
  return tool;
}

void WriteToolRecord(RecordWriter& writer, const ToolRecord& tool) {
  WriteInstancePart(writer, tool.Instance, tool.Instance.CtlWidth >= 1 ? tool.Instance.CtlWidth : 1);
  const bool pictures = HasAnyPicture(tool);
  writer.U8(tool.State);
  writer.U8(tool.Type);
  writer.U8(tool.Shortcut);
  writer.U8(tool.MenuVisibility);
  writer.I16(tool.PictureSize);
  writer.I16(pictures ? tool.PictureWidth : 0);
  writer.I16(pictures ? tool.PictureHeight : 0);
  writer.U8(FirstFlags(tool));
  writer.U8(SecondFlags(tool));
  writer.String(tool.Category);
  writer.String(tool.Description);
  writer.String(tool.Group);
  writer.String(tool.ToolTipText);
  writer.String(tool.TagString);
  switch (tool.Type) {
    case kToolTypeComboBox: WriteComboRecord(writer, tool.ComboBox); break;
    case kToolTypeEdit: WriteEditRecord(writer, tool.Edit); break;
    case kToolTypeMenu: WriteMenuRecord(writer, tool.Menu); break;
    default: break;
  }
}

Result<ComboRecord> ReadComboRecord(RecordReader& reader) {
  ComboRecord combo;
  combo.Style = reader.U8();
  const std::uint8_t flags = reader.U8();
  combo.Locked = flags & 0x01;
  combo.Sorted = flags & 0x02;
  combo.Text = reader.String();
  const std::size_t count = reader.Count(2 * kStringMin);
  combo.Items.reserve(count);
  for (std::size_t i = 0; i < count && !reader.Failed(); ++i) {
    ComboItem item;
    item.Text = reader.String();
    item.ItemData = reader.String();
    combo.Items.push_back(std::move(item));
  }
  return reader.Finish(std::move(combo));
}

void WriteComboRecord(RecordWriter& writer, const ComboRecord& combo) {
  writer.U8(combo.Style);
  writer.U8(static_cast<std::uint8_t>((combo.Locked ? 0x01 : 0) | (combo.Sorted ? 0x02 : 0)));
  writer.String(combo.Text);
  writer.Count(combo.Items.size());
  for (const ComboItem& item : combo.Items) {
    writer.String(item.Text);
    writer.String(item.ItemData);
  }
}

Result<EditRecord> ReadEditRecord(RecordReader& reader, std::uint32_t version) {
  EditRecord edit;
  edit.MaxLength = reader.I16();
  edit.Locked = reader.U8() & 0x01;
  edit.Text = reader.String();
  if (HasPasswordChar(version)) edit.PasswordChar = reader.String();
  return reader.Finish(std::move(edit));
}

void WriteEditRecord(RecordWriter& writer, const EditRecord& edit) {
  writer.I16(edit.MaxLength);
  writer.U8(edit.Locked ? 0x01 : 0);
  writer.String(edit.Text);
  writer.String(edit.PasswordChar);
}

Result<MenuRecord> ReadMenuRecord(RecordReader& reader, std::uint32_t version) {
  MenuRecord menu;
  const std::size_t count = reader.Count(MinPlacedToolSize(version));
  menu.Tools.reserve(count);
  for (std::size_t i = 0; i < count && !reader.Failed(); ++i) {
    menu.Tools.push_back(ReadInstancePart(reader, version));
  }
  return reader.Finish(std::move(menu));
}

void WriteMenuRecord(RecordWriter& writer, const MenuRecord& menu) {
  writer.Count(menu.Tools.size());
  for (const ToolInstanceRecord& tool : menu.Tools) WritePlacedTool(writer, tool);
}

}  // namespace mz::records
