#include "toolbars/model/record_layout.h"

#include "toolbars/model/record_version.h"

namespace mz::records {
namespace {

constexpr std::size_t kMinUsageSize = 4;  // empty ID and the Boolean
constexpr std::int16_t kTrue = -1;

}  // namespace

Result<Partial<LayoutStream>> ReadLayoutStream(RecordReader& reader, std::uint32_t version) {
  const std::int16_t toolbarCount = reader.I16();
  if (reader.Failed()) return *reader.Error();

  Partial<LayoutStream> result;
  Partial<std::vector<ToolbarRecord>> toolbars = ReadToolbarRecords(reader, version, toolbarCount);
  result.Value.ToolBars = std::move(toolbars.Value);
  if (toolbars.Error) {
    result.Error = toolbars.Error;
    return result;
  }
  if (!HasLayoutUsage(version)) return result;

  const std::size_t count = reader.Count(kMinUsageSize);
  result.Value.Usage.reserve(count);
  for (std::size_t i = 0; i < count && !reader.Failed(); ++i) {
    ToolUsage usage;
    usage.ID = reader.String();
    usage.RecentlyUsed = reader.I16() != 0;
    if (!reader.Failed()) result.Value.Usage.push_back(std::move(usage));
  }
  result.Error = reader.Error();
  return result;
}

Result<std::vector<std::uint8_t>> EncodeLayoutStream(const LayoutStream& layout) {
  RecordWriter writer;
  writer.Count(layout.ToolBars.size());
  WriteToolbarRecords(writer, layout.ToolBars);
  writer.Count(layout.Usage.size());
  for (const ToolUsage& usage : layout.Usage) {
    writer.String(usage.ID);
    writer.I16(usage.RecentlyUsed ? kTrue : 0);
  }
  return std::move(writer).Finish();
}

}  // namespace mz::records
