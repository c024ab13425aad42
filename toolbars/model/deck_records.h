#pragma once
// Moves the object model's tools and toolbars into and out of their saved
// records. Loading refuses what the object model itself would refuse, so
// that no saved state can build a model its setters could not: a refused
// tool or toolbar is left out, a field out of its property's range takes the
// property's default, and a menu that would contain itself loses the
// sub-tool that closes the loop.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "deck.h"
#include "toolbars/base/opaque_value.h"
#include "picture_ref.h"
#include "toolbars/model/record_layout.h"
#include "toolbars/model/record_picture_strip.h"
#include "toolbars/model/record_toolbar.h"
#include "toolbars/model/record_tools_stream.h"

namespace mz {

// What the mapping needs of the platform: texts in the system's code page,
// host values kept as text, and picture objects.
class RecordPlatform {
 public:
  virtual std::string to_ansi(std::wstring_view text) const = 0;
  virtual std::wstring from_ansi(std::string_view text) const = 0;
  // A tag value as saved: its text when it holds a string, else empty.
  virtual std::string tag_text(const Opaque& tag) const = 0;
  // Combo-box item data as saved: its text form, empty when it has none.
  virtual std::string item_data_text(const Opaque& data) const = 0;
  // A loaded, non-empty text as a string value.
  virtual Opaque text_value(std::wstring_view text) const = 0;
  // A picture stored inline by data older than the picture strips; null when
  // it cannot be read.
  virtual PictureRef inline_picture(std::span<const std::uint8_t> bytes) const = 0;
  virtual PictureRef picture_from_pixels(const records::PixelImage& image) const = 0;
  // The picture drawn over `fill` (0x00RRGGBB), or nothing when it holds no
  // image.
  virtual std::optional<records::PixelImage> picture_pixels(const PictureRef& picture,
                                                            std::uint32_t fill) const = 0;

 protected:
  ~RecordPlatform() = default;
};

// The Tools collection with its removed-tool list and picture strips filled
// with `fill`. A picture that holds no image is saved as absent; the tool
// keeps it. Fails only when a strip cannot be built (out of memory).
bool save_tools(const Deck& deck, const RecordPlatform& platform, std::uint32_t fill, records::ToolsStream& out);
std::vector<records::ToolbarRecord> save_toolbars(const Deck& deck, const RecordPlatform& platform);
records::LayoutStream save_layout(const Deck& deck, const RecordPlatform& platform);

// Appends the loaded tools to the deck. At run time the tools of the
// removed-tool list are removed again.
void load_tools(Deck& deck, const records::ToolsStream& stream, bool run_time, const RecordPlatform& platform);
// Appends the loaded toolbars.
void load_toolbars(Deck& deck, const std::vector<records::ToolbarRecord>& toolbars, const RecordPlatform& platform);
// Sets RecentlyUsed of each listed tool that exists; other IDs are skipped.
void load_usage(Deck& deck, const std::vector<records::ToolUsage>& usage, const RecordPlatform& platform);

}  // namespace mz
