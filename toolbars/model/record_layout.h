#pragma once
// The layout stream: the arrangement of the toolbars without the tools.
//   toolbar count (16-bit), every toolbar record,
//   usage count (16-bit), then per tool its ID and RecentlyUsed as a 16-bit
//   Boolean (0 or -1).
// A layout has no version of its own; it is read with the version of the
// control's last loaded data, and only data above 0x00020008 has the usage
// entries.
#include <cstdint>
#include <string>
#include <vector>

#include "toolbars/model/record_reader.h"
#include "toolbars/model/record_result.h"
#include "toolbars/model/record_toolbar.h"

namespace mz::records {

struct ToolUsage {
  std::string ID;
  bool RecentlyUsed = false;

  bool operator==(const ToolUsage&) const = default;
};

struct LayoutStream {
  std::vector<ToolbarRecord> ToolBars;
  std::vector<ToolUsage> Usage;

  bool operator==(const LayoutStream&) const = default;
};

// Fails only when the toolbar count cannot be read. A later failure ends
// reading and is reported in the Partial, which keeps the complete toolbar
// records and usage entries read before it.
Result<Partial<LayoutStream>> ReadLayoutStream(RecordReader& reader, std::uint32_t version);

Result<std::vector<std::uint8_t>> EncodeLayoutStream(const LayoutStream& layout);

}  // namespace mz::records
