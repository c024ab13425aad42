#include "zip_extra.h"

#include "byte_cursor.h"
#include "zip_format.h"

namespace quarrow::archive {

bool ApplyZip64Extra(std::span<const uint8_t> extra, std::initializer_list<uint64_t*> fields) {
  bool needed = false;
  for (const uint64_t* field : fields) needed = needed || *field == zip::kMarker32;
  if (!needed) return true;

  ByteCursor cursor(extra);
  while (cursor.Remaining() >= 4) {
    const uint16_t id = cursor.U16();
    const uint16_t size = cursor.U16();
    if (size > cursor.Remaining()) break;
    std::span<const uint8_t> data = cursor.Bytes(size);
    if (id != zip::kZip64ExtraId) continue;
    ByteCursor values(data);
    for (uint64_t* field : fields) {
      if (*field == zip::kMarker32) *field = values.U64();
    }
    return values.Ok();
  }
  return false;
}

}  // namespace quarrow::archive
