#pragma once
// Moves the object model's tools and toolbars into and out of their saved
// records: texts between wide strings and the system's ANSI code page,
// tag values kept as text, pictures into and out of the picture strips.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "deck.h"
#include "opaque_value.h"
#include "toolbars/model/record_layout.h"
#include "toolbars/model/record_toolbar.h"
#include "toolbars/model/record_tools_stream.h"

namespace mz::com {

std::string to_ansi(std::wstring_view text);
std::wstring from_ansi(std::string_view text);

// A tag value as saved: its text when it holds a string, else empty.
std::string tag_text(const Opaque& tag);
// A loaded tag: a non-empty text becomes a string value, an empty one Empty.
void load_tag_text(const std::string& text, Opaque& tag);

// The Tools collection with its removed-tool list and picture strips filled
// with `fill` (0x00RRGGBB). A picture object that holds no image is dropped
// from its tool first, so that no flag announces a picture the strips lack.
HRESULT save_tools(Deck& deck, std::uint32_t fill, records::ToolsStream& out);
std::vector<records::ToolbarRecord> save_toolbars(const Deck& deck);
records::LayoutStream save_layout(const Deck& deck);

struct LoadRules {
  std::uint32_t version;  // of the data being loaded
  bool run_time;
};

// Appends the loaded tools to the deck. A tool whose ID is refused (empty,
// reserved or used twice) or whose type is unknown is left out; values out
// of their property's range take the property's default.
void load_tools(Deck& deck, const records::ToolsStream& stream, const LoadRules& rules);
// Appends the loaded toolbars; one whose name is refused (empty or used
// twice) or that would be a second menu bar is left out.
void load_toolbars(Deck& deck, const std::vector<records::ToolbarRecord>& toolbars, const LoadRules& rules);
// Sets RecentlyUsed of each listed tool that exists; other IDs are skipped.
void load_usage(Deck& deck, const std::vector<records::ToolUsage>& usage);

}  // namespace mz::com
