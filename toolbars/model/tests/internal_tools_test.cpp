// The control's own tools and menu bar stay out of everything the host sees
// and saves.
#include <gtest/gtest.h>

#include "deck.h"
#include "deck_records.h"
#include "deck_test_support.h"
#include "fake_record_platform.h"

namespace mz::test {
namespace {

class InternalTools : public ::testing::Test {
 protected:
  Recorder events;
  Deck deck{events};
  FakeRecordPlatform platform;

  std::shared_ptr<Toolbar> add_toolbar(const std::wstring& name, int style = 0) {
    auto added = deck.add_toolbar(&name, style);
    EXPECT_TRUE(added.ok());
    return added.value();
  }
};

TEST_F(InternalTools, AToolbarShowsTheMoreToolsButtonAtRunTimeWhenAskedUnlessItIsTheMenuBar) {
  struct Case {
    const char* name;
    bool design_time;
    bool display;
    int style;
    bool shown;
  } cases[] = {
      {"run time, asked", false, true, 0, true},
      {"run time, not asked", false, false, 0, false},
      {"design time", true, true, 0, false},
      {"menu bar", false, true, 1, false},
  };
  for (const auto& c : cases) {
    Deck fresh{events};
    std::wstring name = L"Bar";
    auto bar = fresh.add_toolbar(&name, c.style).value();
    bar->display_more_tools = c.display;
    fresh.modes.design_time = c.design_time;
    PlacedTool* button = fresh.more_tools_button(*bar);
    EXPECT_EQ(button != nullptr, c.shown) << c.name;
    if (button) {
      EXPECT_EQ(fresh.tool_of(*button), fresh.internal().more_tools()) << c.name;
    }
  }
}

TEST_F(InternalTools, TheMoreToolsButtonIsNoneOfTheToolbarsToolsAndIsNotSaved) {
  ASSERT_TRUE(deck.add_tool(L"Open", 0, -1).ok());
  auto bar = add_toolbar(L"Standard");
  ASSERT_TRUE(deck.add_placed(bar->tools, L"Open", 0, -1).ok());
  ASSERT_TRUE(deck.set_display_more_tools(*bar, true) == ErrorCode::none);
  PlacedTool* button = deck.more_tools_button(*bar);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button, deck.more_tools_button(*bar));  // one button per toolbar, kept

  EXPECT_EQ(deck.tools().size(), 1u);
  EXPECT_EQ(describe(bar->tools), L"Open");
  EXPECT_EQ(deck.tools().find(kMoreToolsId), nullptr);
  EXPECT_EQ(button->owner, nullptr);
  records::ToolsStream saved;
  ASSERT_TRUE(save_tools(deck, platform, 0, saved));
  ASSERT_EQ(saved.Tools.size(), 1u);
  EXPECT_EQ(saved.Tools[0].Instance.ID, "Open");
  auto bars = save_toolbars(deck, platform);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].Tools.size(), 1u);

  deck.clear_placed(bar->tools);
  deck.clear_tools();
  EXPECT_EQ(deck.tool_of(*button), deck.internal().more_tools());
}

TEST_F(InternalTools, AHostToolWithAnInternalToolsIdStaysApartFromIt) {
  auto bar = add_toolbar(L"Standard");
  bar->display_more_tools = true;
  auto host_tool = deck.add_tool(kMoreToolsId, 0, -1);
  ASSERT_TRUE(host_tool.ok());
  ASSERT_TRUE(deck.add_tool(kExpandId, 0, -1).ok());
  ASSERT_TRUE(deck.add_placed(bar->tools, kMoreToolsId, 0, -1).ok());

  EXPECT_EQ(deck.tool_of(*bar->tools.at(0)), host_tool.value());
  EXPECT_EQ(deck.tool_of(*deck.more_tools_button(*bar)), deck.internal().more_tools());
  EXPECT_NE(deck.internal().expand(), deck.tools().find(kExpandId));
  EXPECT_FALSE(deck.internal().more_tools()->in_collection);
  EXPECT_FALSE(deck.internal().expand()->in_collection);
}

TEST_F(InternalTools, TheInternalMenuBarIsNoneOfTheHostsToolbars) {
  add_toolbar(L"Standard");
  Toolbar& internal = deck.internal().open_menu_bar();
  EXPECT_TRUE(internal.is_menu_bar());
  EXPECT_EQ(internal.name, kInternalMenuBarName);
  EXPECT_FALSE(internal.display_grab_handles);

  EXPECT_EQ(deck.toolbars().size(), 1u);
  EXPECT_EQ(deck.toolbars().find(kInternalMenuBarName), nullptr);
  EXPECT_FALSE(deck.toolbars().has_menu_bar());
  add_toolbar(L"Menu", 1);  // the host's one menu bar is still free to add
  EXPECT_EQ(save_toolbars(deck, platform).size(), 2u);

  deck.clear_toolbars();
  EXPECT_EQ(deck.toolbars().size(), 0u);
  EXPECT_EQ(deck.internal().menu_bar().get(), &internal);
  deck.internal().close_menu_bar();
  EXPECT_EQ(deck.internal().menu_bar(), nullptr);
}

}  // namespace
}  // namespace mz::test
