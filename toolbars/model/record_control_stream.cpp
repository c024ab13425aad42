#include "toolbars/model/record_control_stream.h"

namespace mz::records {
namespace {

// Everything after the header: block, stored objects, tag, tools, toolbars.
void ReadBody(RecordReader& reader, const StoredObjectMeasures& measures, Partial<ControlStream>& result) {
  ControlStream& stream = result.Value;
  const std::uint32_t version = stream.Header.Version;

  Result<ControlPropertyBlock> block = ReadControlBlock(reader, version);
  if (!block) {
    result.Error = block.error();
    return;
  }
  stream.Block = *block;
  if (stream.Block.FontSet) stream.Font = reader.StoredObject(measures.Font);
  if (stream.Block.HasPictureBackground) stream.PictureBackground = reader.StoredObject(measures.Picture);
  stream.TagString = reader.String();
  if (reader.Failed()) {
    result.Error = reader.Error();
    return;
  }

  Partial<ToolsStream> tools = ReadToolsStream(reader, version, stream.Block.ToolsCount, measures.Picture);
  stream.Tools = std::move(tools.Value);
  if (tools.Error) {
    result.Error = tools.Error;
    return;
  }

  Partial<std::vector<ToolbarRecord>> toolbars = ReadToolbarRecords(reader, version, stream.Block.ToolBarsCount);
  stream.ToolBars = std::move(toolbars.Value);
  result.Error = toolbars.Error;
}

}  // namespace

Result<ControlStreamHeader> ReadControlStreamHeader(RecordReader& reader) {
  const std::uint32_t signature = reader.U32();
  const std::uint32_t word = reader.U32();
  if (!reader.Failed() && (signature != kControlStreamSignature || word != kControlStreamHeaderWord)) {
    reader.Fail(RecordErrorCode::BadSignature, reader.Offset() - 8);
  }
  ControlStreamHeader header;
  header.ExtentX = reader.I32();
  header.ExtentY = reader.I32();
  header.Version = reader.U32();
  return reader.Finish(header);
}

void WriteControlStreamHeader(RecordWriter& writer, std::int32_t extentX, std::int32_t extentY) {
  writer.U32(kControlStreamSignature);
  writer.U32(kControlStreamHeaderWord);
  writer.I32(extentX);
  writer.I32(extentY);
  writer.U32(kCurrentVersion);
}

Partial<ControlStream> ReadControlStream(RecordReader& reader, const StoredObjectMeasures& measures) {
  Partial<ControlStream> result;
  Result<ControlStreamHeader> header = ReadControlStreamHeader(reader);
  if (!header) {
    result.Error = header.error();
    return result;
  }
  result.Value.Header = *header;
  ReadBody(reader, measures, result);
  return result;
}

Partial<ControlStream> ReadHeaderlessControlStream(RecordReader& reader, const StoredObjectMeasures& measures) {
  Partial<ControlStream> result;
  result.Value.Header.Version = kHeaderlessVersion;
  ReadBody(reader, measures, result);
  return result;
}

Result<std::vector<std::uint8_t>> EncodeControlStream(const ControlStream& stream) {
  RecordWriter writer;
  WriteControlStreamHeader(writer, stream.Header.ExtentX, stream.Header.ExtentY);

  ControlPropertyBlock block = stream.Block;
  if (stream.Tools.Tools.size() > 0x7FFF || stream.ToolBars.size() > 0x7FFF) {
    writer.Fail(RecordErrorCode::ValueTooLarge);
    return std::move(writer).Finish();
  }
  block.ToolsCount = static_cast<std::int16_t>(stream.Tools.Tools.size());
  block.ToolBarsCount = static_cast<std::int16_t>(stream.ToolBars.size());
  WriteControlBlock(writer, block);

  if (block.FontSet == stream.Font.empty() || block.HasPictureBackground == stream.PictureBackground.empty()) {
    writer.Fail(RecordErrorCode::Inconsistent);
    return std::move(writer).Finish();
  }
  writer.Bytes(stream.Font);
  writer.Bytes(stream.PictureBackground);
  writer.String(stream.TagString);
  WriteToolsStream(writer, stream.Tools);
  WriteToolbarRecords(writer, stream.ToolBars);
  return std::move(writer).Finish();
}

Result<std::vector<std::uint8_t>> EncodeToolsStream(const ToolsStream& stream) {
  RecordWriter writer;
  WriteToolsStream(writer, stream);
  return std::move(writer).Finish();
}

Result<std::vector<std::uint8_t>> EncodeToolbarRecords(const std::vector<ToolbarRecord>& toolbars) {
  RecordWriter writer;
  WriteToolbarRecords(writer, toolbars);
  return std::move(writer).Finish();
}

}  // namespace mz::records
