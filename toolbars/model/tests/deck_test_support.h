#pragma once
// A Deck with a recorder of what it reports, and helpers that describe a
// list of placed tools as text ("A,-,B" with "-" for a separator).
#include <functional>
#include <string>
#include <vector>

#include "deck.h"

namespace mz::test {

struct RecordedModified {
  Modified change;
  std::wstring toolbar;
  std::wstring tool;  // empty when no tool is concerned
};

class Recorder : public DeckEvents {
 public:
  void toolbar_modified(Modified change, const std::shared_ptr<Toolbar>& toolbar,
                        const std::shared_ptr<PlacedTool>& placed) override {
    modified.push_back({change, toolbar ? toolbar->name : L"", placed ? placed->id : L""});
  }
  void tool_click(const ToolRef& tool) override {
    clicks.push_back(tool.is_placed() ? L"placed:" + tool.placed->id : tool.tool->id);
    if (on_click) on_click();
  }
  void model_changed(const Change& change) override { changes.push_back(change); }

  std::vector<RecordedModified> modified;
  std::vector<std::wstring> clicks;
  std::function<void()> on_click;
  std::vector<Change> changes;
};

inline std::wstring describe(const PlacedToolList& list) {
  std::wstring text;
  for (const auto& placed : list) {
    if (!text.empty()) text += L",";
    text += placed->is_separator() ? L"-" : placed->id;
  }
  return text;
}

// Fills a toolbar from a description such as "A,-,B".
inline void fill(Deck& deck, PlacedToolList& list, const std::wstring& layout) {
  size_t start = 0;
  while (start <= layout.size() && !layout.empty()) {
    size_t comma = layout.find(L',', start);
    std::wstring item = layout.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
    if (item == L"-") {
      // Separators can only go before an existing tool: place a marker and swap.
      auto placed = make_placed_separator();
      list.insert(list.size(), placed);
    } else {
      deck.add_placed(list, item, 0, -1);
    }
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
}

}  // namespace mz::test
