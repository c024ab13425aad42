#pragma once
// Toolbar records.
//
// Current form (45 bytes, then Name, the placed tools and the TagVariant string):
//   0 CaptionAlignment   1 DockedStatus   2 Font3D   3 Style   4 reserved
//   5 dock area to return to   6 DockedColumn (2)   8 DockedRow (2)
//  10 placed tool count (2)   12 reserved (2)   14 reserved (2)
//  16 row while floating (2)   18 column while floating (2)
//  20 reserved (2)   22 reserved (2)   24 DockFlags (4)   28 FloatingHeight (4)
//  32 FloatingLeft (4)   36 FloatingTop (4)   40 FloatingWidth (4)
//  44 flags: AllowCustomize, AllowHiding, DisplayGrabHandles, Stock, Visible,
//     DisplayMoreToolsButton (bits 0..5)
// Older data has a 41-byte form without the fields at 20 and 22 (DockFlags
// and the floating geometry move up by 4, the flags are at 40), no TagVariant
// before 0x00020000, and no DisplayMoreToolsButton before 0x00020001.
// Reserved fields are not interpreted; they are written back as loaded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolbars/model/record_reader.h"
#include "toolbars/model/record_result.h"
#include "toolbars/model/record_tool.h"

namespace mz::records {

inline constexpr std::uint8_t kDockedFloating = 16;

// Defaults are those of a blank toolbar and of one created at run time; a
// toolbar created at design time sets Stock and DisplayMoreToolsButton.
struct ToolbarRecord {
  std::uint8_t CaptionAlignment = 3;
  std::uint8_t DockedStatus = 1;
  std::uint8_t Font3D = 0;
  std::uint8_t Style = 0;  // 0 standard, 1 menu bar
  std::uint8_t Reserved4 = 0;
  std::uint8_t ReturnDock = 1;  // where a floating toolbar docks again
  std::int16_t DockedColumn = 1;
  std::int16_t DockedRow = 1;
  std::int16_t Reserved12 = -1;
  std::int16_t Reserved14 = -1;
  std::int16_t FloatingRow = -1;     // what DockedRow reports while floating
  std::int16_t FloatingColumn = -1;  // what DockedColumn reports while floating
  std::int16_t Reserved20 = -1;
  std::int16_t Reserved22 = -1;
  std::int32_t DockFlags = 31;
  std::int32_t FloatingHeight = -1;
  std::int32_t FloatingLeft = -1;
  std::int32_t FloatingTop = -1;
  std::int32_t FloatingWidth = -1;

  bool AllowCustomize = true;
  bool AllowHiding = true;
  bool DisplayGrabHandles = true;
  bool Stock = false;
  bool Visible = true;
  bool DisplayMoreToolsButton = false;

  std::string Name = "ToolBar";
  std::vector<ToolInstanceRecord> Tools;  // placed tools in toolbar order
  std::string TagString;                  // TagVariant when it holds a string, else empty

  bool operator==(const ToolbarRecord&) const = default;
};

// Smallest encoded record in data of `version`.
std::size_t MinToolbarRecordSize(std::uint32_t version);

Result<ToolbarRecord> ReadToolbarRecord(RecordReader& reader, std::uint32_t version);
void WriteToolbarRecord(RecordWriter& writer, const ToolbarRecord& toolbar);

// `count` toolbar records in a row; reading stops at the first that fails. A
// count that is negative or cannot fit in the remaining bytes fails at the
// offset where the records would start, before anything is read.
Partial<std::vector<ToolbarRecord>> ReadToolbarRecords(RecordReader& reader, std::uint32_t version, std::int16_t count);
void WriteToolbarRecords(RecordWriter& writer, const std::vector<ToolbarRecord>& toolbars);

}  // namespace mz::records
