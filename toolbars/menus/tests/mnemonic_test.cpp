#include "mnemonic.h"

#include <gtest/gtest.h>

#include "shortcut_index.h"

namespace mz::menus {
namespace {

TEST(Mnemonic, TheCharacterAfterTheFirstSingleAmpersand) {
  struct Case {
    std::wstring_view caption;
    wchar_t mnemonic;
  };
  const Case cases[] = {
      {L"&File", L'F'}, {L"E&xit", L'x'}, {L"Save && &Quit", L'Q'}, {L"Fish && Chips", 0},
      {L"Trailing&", 0}, {L"", 0},        {L"&&&A", L'A'},          {L"None", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(mnemonic_of(c.caption), c.mnemonic) << std::wstring(c.caption);
}

// The owner of a code is the first usable tool in collection order, and a
// change is seen only after the index is told.
TEST(ShortcutIndex, FirstUsableOwnerInCollectionOrder) {
  ToolCollection tools;
  for (const wchar_t* id : {L"a", L"b", L"c"}) tools.insert(tools.size(), std::make_shared<Tool>(id, ToolType::button));
  tools.at(0)->shortcut = 5;
  tools.at(1)->shortcut = 5;  // a loaded file may hold a code twice
  tools.at(2)->shortcut = 79;
  ShortcutIndex index;
  const auto any = [](const Tool&) { return true; };
  EXPECT_EQ(index.owner(tools, 5, any), tools.at(0));
  EXPECT_EQ(index.owner(tools, 5, [](const Tool& tool) { return tool.id != L"a"; }), tools.at(1));
  EXPECT_EQ(index.owner(tools, 79, any), tools.at(2));
  EXPECT_EQ(index.owner(tools, 6, any), nullptr);
  EXPECT_EQ(index.owner(tools, 0, any), nullptr);
  EXPECT_EQ(index.owner(tools, 80, any), nullptr);
  EXPECT_EQ(index.owner(tools, -1, any), nullptr);

  tools.at(2)->shortcut = 6;
  EXPECT_EQ(index.owner(tools, 6, any), nullptr);  // not told yet
  index.invalidate();
  EXPECT_EQ(index.owner(tools, 6, any), tools.at(2));
  EXPECT_EQ(index.owner(tools, 79, any), nullptr);

  const std::shared_ptr<Tool> gone = tools.erase(0);
  index.invalidate();
  EXPECT_EQ(index.owner(tools, 5, any), tools.at(0));
}

}  // namespace
}  // namespace mz::menus
