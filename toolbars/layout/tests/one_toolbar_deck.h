#pragma once
// A deck with one toolbar "Bar" and helpers that place new tools and
// separators on it, for tests of what is built from the model.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "caption_cache.h"
#include "toolbars/model/tests/deck_test_support.h"

namespace mz::test {

class OneToolbarDeck : public ::testing::Test {
 protected:
  Recorder events;
  Deck deck{events};
  CaptionCache captions;
  std::shared_ptr<Toolbar> toolbar;

  void SetUp() override {
    const std::wstring name = L"Bar";
    toolbar = deck.add_toolbar(&name, 0).value();
  }
  std::shared_ptr<PlacedTool> place(const wchar_t* id, ToolType type) {
    deck.add_tool(id, static_cast<int32_t>(type), -1);
    return deck.add_placed(toolbar->tools, id, static_cast<int32_t>(type), -1).value();
  }
  // The object model takes a separator only before a tool; as the last tool
  // so far it goes into the list directly.
  std::shared_ptr<PlacedTool> place_separator() {
    auto separator = make_placed_separator();
    toolbar->tools.insert(toolbar->tools.size(), separator);
    return separator;
  }
};

}  // namespace mz::test
