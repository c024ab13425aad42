#pragma once
// The control's binary stream, as a container saves it and as configuration
// files hold it:
//   signature 0x12344321, the value 8, extent width and height (HIMETRIC),
//   data version, property block, the font's stored form (if the block says
//   a font was set), the background picture's stored form (if present),
//   TagVariant string, tools stream, every toolbar record.
// The earliest configuration data has no header and no version word: it
// starts with the property block and is read as version 0x00010003.
//
// The font and picture forms belong to the platform's standard objects. The
// reader is told their length by a measure; their bytes are kept as they are
// and written back unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "toolbars/model/record_control_block.h"
#include "toolbars/model/record_reader.h"
#include "toolbars/model/record_result.h"
#include "toolbars/model/record_toolbar.h"
#include "toolbars/model/record_tools_stream.h"
#include "toolbars/model/record_version.h"

namespace mz::records {

inline constexpr std::uint32_t kControlStreamSignature = 0x12344321;
inline constexpr std::uint32_t kControlStreamHeaderWord = 8;

struct ControlStreamHeader {
  std::int32_t ExtentX = 0;  // HIMETRIC
  std::int32_t ExtentY = 0;
  std::uint32_t Version = kCurrentVersion;  // of the data that follows

  bool operator==(const ControlStreamHeader&) const = default;
};

// Measures of the stored objects a control stream may hold. Picture also
// measures the inline tool pictures of data that predates picture strips.
struct StoredObjectMeasures {
  ObjectMeasure Font;
  ObjectMeasure Picture;
};

struct ControlStream {
  ControlStreamHeader Header;
  ControlPropertyBlock Block;  // ToolsCount and ToolBarsCount as loaded
  std::vector<std::uint8_t> Font;               // stored font, present exactly when Block.FontSet
  std::vector<std::uint8_t> PictureBackground;  // stored picture, present exactly when Block.HasPictureBackground
  std::string TagString;  // TagVariant when it holds a string, else empty
  ToolsStream Tools;
  std::vector<ToolbarRecord> ToolBars;

  bool operator==(const ControlStream&) const = default;
};

// Signature, header word, extent and version.
Result<ControlStreamHeader> ReadControlStreamHeader(RecordReader& reader);
// Always writes the current version: everything after the header is written
// in the current layout.
void WriteControlStreamHeader(RecordWriter& writer, std::int32_t extentX, std::int32_t extentY);

// Reads a whole control stream. Stops at the first failure, keeping what was
// read before it (complete tool and toolbar records only). The reader is left
// just after the stream's last byte on success.
Partial<ControlStream> ReadControlStream(RecordReader& reader, const StoredObjectMeasures& measures);

// Reads headerless configuration data (version 0x00010003).
Partial<ControlStream> ReadHeaderlessControlStream(RecordReader& reader, const StoredObjectMeasures& measures);

// Writes the stream in the current layout, with ToolsCount and ToolBarsCount
// taken from the records.
Result<std::vector<std::uint8_t>> EncodeControlStream(const ControlStream& stream);

// The byte-holder contents of a property bag: the tools stream, and the
// toolbar records one after another.
Result<std::vector<std::uint8_t>> EncodeToolsStream(const ToolsStream& stream);
Result<std::vector<std::uint8_t>> EncodeToolbarRecords(const std::vector<ToolbarRecord>& toolbars);

}  // namespace mz::records
