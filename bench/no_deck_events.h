#pragma once
// A listener for benchmarks of the object model that ignores what it hears.
#include "toolbars/model/deck.h"

namespace mz::bench {

class NoEvents final : public DeckEvents {
 public:
  void toolbar_modified(Modified, const std::shared_ptr<Toolbar>&, const std::shared_ptr<PlacedTool>&) override {}
  void tool_click(const ToolRef&) override {}
  void model_changed(const Change&) override {}
};

}  // namespace mz::bench
