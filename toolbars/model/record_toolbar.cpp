#include "toolbars/model/record_toolbar.h"

#include "toolbars/model/record_version.h"

namespace mz::records {
namespace {

constexpr std::uint8_t kAllowCustomize = 0x01;
constexpr std::uint8_t kAllowHiding = 0x02;
constexpr std::uint8_t kDisplayGrabHandles = 0x04;
constexpr std::uint8_t kStock = 0x08;
constexpr std::uint8_t kVisible = 0x10;
constexpr std::uint8_t kDisplayMoreToolsButton = 0x20;

void SetFlags(ToolbarRecord& toolbar, std::uint8_t flags) {
  toolbar.AllowCustomize = flags & kAllowCustomize;
  toolbar.AllowHiding = flags & kAllowHiding;
  toolbar.DisplayGrabHandles = flags & kDisplayGrabHandles;
  toolbar.Stock = flags & kStock;
  toolbar.Visible = flags & kVisible;
  toolbar.DisplayMoreToolsButton = flags & kDisplayMoreToolsButton;
}

std::uint8_t Flags(const ToolbarRecord& toolbar) {
  std::uint8_t flags = 0;
  if (toolbar.AllowCustomize) flags |= kAllowCustomize;
  if (toolbar.AllowHiding) flags |= kAllowHiding;
  if (toolbar.DisplayGrabHandles) flags |= kDisplayGrabHandles;
  if (toolbar.Stock) flags |= kStock;
  if (toolbar.Visible) flags |= kVisible;
  if (toolbar.DisplayMoreToolsButton) flags |= kDisplayMoreToolsButton;
  return flags;
}

}  // namespace

std::size_t MinToolbarRecordSize(std::uint32_t version) {
  const std::size_t fixed = HasLongToolbarRecord(version) ? 45 : 41;
  const std::size_t strings = HasToolbarTag(version) ? 2 : 1;
  return fixed + 2 * strings;
}

Result<ToolbarRecord> ReadToolbarRecord(RecordReader& reader, std::uint32_t version) {
  ToolbarRecord toolbar;
  toolbar.CaptionAlignment = reader.U8();
  toolbar.DockedStatus = reader.U8();
  toolbar.Font3D = reader.U8();
  toolbar.Style = reader.U8();
  toolbar.Reserved4 = reader.U8();
  toolbar.ReturnDock = reader.U8();
  toolbar.DockedColumn = reader.I16();
  toolbar.DockedRow = reader.I16();
  const std::size_t countOffset = reader.Offset();
  const std::int16_t toolCount = reader.I16();
  toolbar.Reserved12 = reader.I16();
  toolbar.Reserved14 = reader.I16();
  toolbar.FloatingRow = reader.I16();
  toolbar.FloatingColumn = reader.I16();
  if (HasLongToolbarRecord(version)) {
    toolbar.Reserved20 = reader.I16();
    toolbar.Reserved22 = reader.I16();
  }
  toolbar.DockFlags = reader.I32();
  toolbar.FloatingHeight = reader.I32();
  toolbar.FloatingLeft = reader.I32();
  toolbar.FloatingTop = reader.I32();
  toolbar.FloatingWidth = reader.I32();
  SetFlags(toolbar, reader.U8());
  if (!HasMoreToolsButton(version)) toolbar.DisplayMoreToolsButton = false;
  toolbar.Name = reader.String();
  if (reader.Failed()) return *reader.Error();

  // The count sits in the fixed part, so it is checked only now, against
  // what follows the name.
  if (toolCount < 0) reader.Fail(RecordErrorCode::NegativeCount, countOffset);
  else if (!reader.Holds(static_cast<std::uint64_t>(toolCount), MinPlacedToolSize(version)))
    reader.Fail(RecordErrorCode::CountTooLarge, countOffset);
  if (reader.Failed()) return *reader.Error();

  toolbar.Tools.reserve(static_cast<std::size_t>(toolCount));
  for (std::int16_t i = 0; i < toolCount && !reader.Failed(); ++i) {
    Result<ToolInstanceRecord> tool = ReadPlacedTool(reader, version);
    if (tool) toolbar.Tools.push_back(std::move(*tool));
  }
  if (HasToolbarTag(version)) toolbar.TagString = reader.String();
  return reader.Finish(std::move(toolbar));
}

void WriteToolbarRecord(RecordWriter& writer, const ToolbarRecord& toolbar) {
  writer.U8(toolbar.CaptionAlignment);
  writer.U8(toolbar.DockedStatus);
  writer.U8(toolbar.Font3D);
  writer.U8(toolbar.Style);
  writer.U8(toolbar.Reserved4);
  writer.U8(toolbar.ReturnDock);
  writer.I16(toolbar.DockedColumn);
  writer.I16(toolbar.DockedRow);
  writer.Count(toolbar.Tools.size());
  writer.I16(toolbar.Reserved12);
  writer.I16(toolbar.Reserved14);
  writer.I16(toolbar.FloatingRow);
  writer.I16(toolbar.FloatingColumn);
  writer.I16(toolbar.Reserved20);
  writer.I16(toolbar.Reserved22);
  writer.I32(toolbar.DockFlags);
  writer.I32(toolbar.FloatingHeight);
  writer.I32(toolbar.FloatingLeft);
  writer.I32(toolbar.FloatingTop);
  writer.I32(toolbar.FloatingWidth);
  writer.U8(Flags(toolbar));
  writer.String(toolbar.Name);
  for (const ToolInstanceRecord& tool : toolbar.Tools) WritePlacedTool(writer, tool);
  writer.String(toolbar.TagString);
}

Partial<std::vector<ToolbarRecord>> ReadToolbarRecords(RecordReader& reader, std::uint32_t version,
                                                       std::int16_t count) {
  Partial<std::vector<ToolbarRecord>> result;
  if (count < 0) {
    result.Error = RecordError{RecordErrorCode::NegativeCount, reader.Offset()};
    return result;
  }
  if (!reader.Holds(static_cast<std::uint64_t>(count), MinToolbarRecordSize(version))) {
    result.Error = RecordError{RecordErrorCode::CountTooLarge, reader.Offset()};
    return result;
  }
  result.Value.reserve(static_cast<std::size_t>(count));
  for (std::int16_t i = 0; i < count; ++i) {
    Result<ToolbarRecord> toolbar = ReadToolbarRecord(reader, version);
    if (!toolbar) {
      result.Error = toolbar.error();
      break;
    }
    result.Value.push_back(std::move(*toolbar));
  }
  return result;
}

void WriteToolbarRecords(RecordWriter& writer, const std::vector<ToolbarRecord>& toolbars) {
  for (const ToolbarRecord& toolbar : toolbars) WriteToolbarRecord(writer, toolbar);
}

}  // namespace mz::records
