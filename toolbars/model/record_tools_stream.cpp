#include "toolbars/model/record_tools_stream.h"

#include <limits>

#include "toolbars/model/record_version.h"

namespace mz::records {
namespace {

constexpr std::size_t kMinRemovedIdSize = 2;

// Stops `result` at the reader's error, if any; true when reading may go on.
bool KeepGoing(const RecordReader& reader, Partial<ToolsStream>& result) {
  if (!reader.Failed()) return true;
  result.Error = *reader.Error();
  return false;
}

void ReadStrips(RecordReader& reader, Partial<ToolsStream>& result) {
  for (std::size_t kind = 0; kind < kPictureKinds; ++kind) {
    if (StripCellCount(result.Value.Tools, static_cast<PictureKind>(kind)) == 0) continue;
    const std::size_t start = reader.Offset();
    const std::uint32_t size = reader.U32();
    if (!reader.Failed() && size == 0) reader.Fail(RecordErrorCode::BadBitmap, start);
    const std::span<const std::uint8_t> dib = reader.Bytes(size);
    if (!KeepGoing(reader, result)) return;
    result.Value.Strips[kind].assign(dib.begin(), dib.end());
  }
}

}  // namespace

std::size_t StripCellCount(const std::vector<ToolRecord>& tools, PictureKind kind) {
  std::size_t count = 0;
  for (const ToolRecord& tool : tools) count += tool.HasPicture[kind] ? 1 : 0;
  return count;
}

std::vector<std::size_t> StripTools(const std::vector<ToolRecord>& tools, PictureKind kind) {
  std::vector<std::size_t> members;
  for (std::size_t i = 0; i < tools.size(); ++i) {
    if (tools[i].HasPicture[kind]) members.push_back(i);
  }
  return members;
}

Partial<ToolsStream> ReadToolsStream(RecordReader& reader, std::uint32_t version, std::int16_t toolsCount,
                                     const ObjectMeasure& inlinePicture) {
  Partial<ToolsStream> result;
  if (toolsCount < 0) {
    result.Error = RecordError{RecordErrorCode::NegativeCount, reader.Offset()};
    return result;
  }
  if (!reader.Holds(static_cast<std::uint64_t>(toolsCount), MinToolRecordSize(version))) {
    result.Error = RecordError{RecordErrorCode::CountTooLarge, reader.Offset()};
    return result;
  }
  result.Value.Tools.reserve(static_cast<std::size_t>(toolsCount));
  for (std::int16_t i = 0; i < toolsCount; ++i) {
    Result<ToolRecord> tool = ReadToolRecord(reader, version, inlinePicture);
    if (!tool) {
      result.Error = tool.error();
      return result;
    }
    result.Value.Tools.push_back(std::move(*tool));
  }

  if (HasRemovedToolList(version)) {
    const std::size_t count = reader.Count(kMinRemovedIdSize);
    result.Value.RemovedToolIDs.reserve(count);
    for (std::size_t i = 0; i < count && !reader.Failed(); ++i) result.Value.RemovedToolIDs.push_back(reader.String());
    if (!KeepGoing(reader, result)) {
      result.Value.RemovedToolIDs.clear();
      return result;
    }
  }

  if (HasPictureStrips(version)) ReadStrips(reader, result);
  return result;
}

void WriteToolsStream(RecordWriter& writer, const ToolsStream& stream) {
  for (const ToolRecord& tool : stream.Tools) WriteToolRecord(writer, tool);
  writer.Count(stream.RemovedToolIDs.size());
  for (const std::string& id : stream.RemovedToolIDs) writer.String(id);
  for (std::size_t kind = 0; kind < kPictureKinds; ++kind) {
    const bool needed = StripCellCount(stream.Tools, static_cast<PictureKind>(kind)) > 0;
    const std::vector<std::uint8_t>& dib = stream.Strips[kind];
    if (needed != !dib.empty()) {
      writer.Fail(RecordErrorCode::Inconsistent);
      return;
    }
    if (!needed) continue;
    if (dib.size() > std::numeric_limits<std::uint32_t>::max()) {
      writer.Fail(RecordErrorCode::ValueTooLarge);
      return;
    }
    writer.U32(static_cast<std::uint32_t>(dib.size()));
    writer.Bytes(dib);
  }
}

}  // namespace mz::records
