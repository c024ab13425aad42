#pragma once
// The control's Tools collection as persisted: every tool record in
// collection order, the removed-tool list (a signed 16-bit count and that
// many ID strings), then the picture strips.
//
// There are four strips, one per PictureKind in that order. A strip holds one
// 32 x 33 cell for every tool, in collection order, that has that picture;
// a strip no tool needs is not written. A written strip is a 32-bit byte
// count followed by a packed bitmap (see record_picture_strip.h).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolbars/model/record_reader.h"
#include "toolbars/model/record_result.h"
#include "toolbars/model/record_tool.h"

namespace mz::records {

struct ToolsStream {
  std::vector<ToolRecord> Tools;
  std::vector<std::string> RemovedToolIDs;
  // Packed bitmap of each strip, indexed by PictureKind; empty exactly when
  // no tool has that picture. Data that predates strips keeps its pictures
  // in each tool's InlinePictures instead.
  std::array<std::vector<std::uint8_t>, kPictureKinds> Strips;

  bool operator==(const ToolsStream&) const = default;
};

// Number of cells in the strip of `kind`: the tools that have that picture.
std::size_t StripCellCount(const std::vector<ToolRecord>& tools, PictureKind kind);

// The tools in the strip of `kind`, as indices into `tools`: element k is
// the tool whose picture is in cell k.
std::vector<std::size_t> StripTools(const std::vector<ToolRecord>& tools, PictureKind kind);

// Reads `toolsCount` tool records and what follows them. Stops at the first
// failure; the tools read completely before it are kept. A count that is
// negative or cannot fit in the remaining bytes fails before anything is
// read, and a strip of zero bytes is a BadBitmap.
Partial<ToolsStream> ReadToolsStream(RecordReader& reader, std::uint32_t version, std::int16_t toolsCount,
                                     const ObjectMeasure& inlinePicture);

// Fails with Inconsistent when a strip is missing for a picture some tool
// has, or present for one no tool has.
void WriteToolsStream(RecordWriter& writer, const ToolsStream& stream);

}  // namespace mz::records
