// Saved records into the object model and back: what loading refuses, which
// defaults replace out-of-range fields, and that saving leaves the model as
// it was.
#include <gtest/gtest.h>

#include <functional>

#include "deck_records.h"
#include "deck_test_support.h"
#include "fake_record_platform.h"

namespace mz::test {
namespace {

records::ToolInstanceRecord placed(const std::string& id) {
  records::ToolInstanceRecord record;
  record.ID = id;
  return record;
}

records::ToolRecord tool(const std::string& id, uint8_t type = 0) {
  records::ToolRecord record;
  record.Instance.ID = id;
  record.Type = type;
  return record;
}

records::ToolRecord menu(const std::string& id, const std::vector<std::string>& subs) {
  records::ToolRecord record = tool(id, 7);
  for (const auto& sub : subs) record.Menu.Tools.push_back(placed(sub));
  return record;
}

records::ToolbarRecord toolbar(const std::string& name, uint8_t style = 0) {
  records::ToolbarRecord record;
  record.Name = name;
  record.Style = style;
  return record;
}

class DeckRecords : public ::testing::Test {
 protected:
  Recorder events;
  Deck deck{events};
  FakeRecordPlatform platform;

  void load(std::vector<records::ToolRecord> tools, bool run_time = true) {
    records::ToolsStream stream;
    stream.Tools = std::move(tools);
    load_tools(deck, stream, run_time, platform);
  }
  std::wstring ids() const {
    std::wstring text;
    for (const auto& t : deck.tools()) text += (text.empty() ? L"" : L",") + t->id;
    return text;
  }
  std::wstring menu_of(const wchar_t* id) const { return describe(*deck.tools().find(id)->menu()); }
};

TEST_F(DeckRecords, ToolsTheModelWouldRefuseAreLeftOut) {
  load({tool("A"), tool(""), tool("Separator"), tool("B", 8), tool("C", 9), tool("a"), tool("D", 7)});
  EXPECT_EQ(ids(), L"A,D");
}

TEST_F(DeckRecords, MenusThatWouldContainThemselvesLoseTheClosingSubTool) {
  // A -> B -> A is a loop, C contains itself, D shares B with A.
  load({menu("A", {"x", "B"}), menu("B", {"A", "y"}), menu("C", {"C", "z"}), menu("D", {"B", "A"})});
  EXPECT_EQ(menu_of(L"A"), L"x,B");
  EXPECT_EQ(menu_of(L"B"), L"y");
  EXPECT_EQ(menu_of(L"C"), L"z");
  EXPECT_EQ(menu_of(L"D"), L"B,A");
  // The model built from the stream still refuses a loop.
  EXPECT_EQ(error_of(deck.add_placed(*deck.tools().find(L"B")->menu(), L"D", 0, -1)), ErrorCode::cannot_perform);
}

TEST_F(DeckRecords, SubToolsLeftOutOfAMenuTakeTheirStraySeparatorsWithThem) {
  struct Case {
    const char* name;
    std::vector<records::ToolRecord> tools;
    std::vector<std::string> removed;
    const wchar_t* menu;
    const wchar_t* expected;
  } cases[] = {
      {"loop closed last", {menu("A", {"x", "B"}), menu("B", {"y", "separator", "A"})}, {}, L"B", L"y"},
      {"loop closed first", {menu("A", {"B"}), menu("B", {"A", "separator", "y"})}, {}, L"B", L"y"},
      {"loop closed between separators",
       {menu("A", {"B"}), menu("B", {"y", "separator", "A", "separator", "z"})}, {}, L"B", L"y,-,z"},
      {"removed tool last", {tool("Gone"), menu("M", {"x", "separator", "Gone"})}, {"Gone"}, L"M", L"x"},
      {"removed tool first", {tool("Gone"), menu("M", {"Gone", "separator", "x"})}, {"Gone"}, L"M", L"x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    deck.discard_all();
    records::ToolsStream stream;
    stream.Tools = c.tools;
    stream.RemovedToolIDs = c.removed;
    load_tools(deck, stream, true, platform);
    EXPECT_EQ(menu_of(c.menu), c.expected);
  }
}

TEST_F(DeckRecords, MenusSharingSubMenusAtDepthAreWalkedOnce) {
  // M0 holds M1 twice, M1 holds M2 twice, ...: 2^24 paths to the bottom menu.
  constexpr int kDepth = 24;
  std::vector<records::ToolRecord> menus;
  // Names built by appending: GCC 12 warns falsely about "M" + std::string.
  auto name = [](int level) { return std::string("M").append(std::to_string(level)); };
  for (int level = 0; level <= kDepth; ++level) {
    const std::string next = name(level + 1);
    menus.push_back(level < kDepth ? menu(name(level), {next, next}) : menu("M24", {}));
  }
  load(menus);
  EXPECT_EQ(menu_of(L"M0"), L"M1,M1");
  Tool& bottom = *deck.tools().find(L"M24");
  EXPECT_EQ(error_of(deck.add_placed(*bottom.menu(), L"M0", 0, -1)), ErrorCode::cannot_perform);
  EXPECT_TRUE(deck.add_placed(*bottom.menu(), L"Leaf", 0, -1).ok());
}

TEST_F(DeckRecords, OutOfRangeToolFieldsTakeTheirDefaults) {
  struct Case {
    const char* field;
    std::function<void(records::ToolRecord&)> spoil;
    std::function<bool(const Tool&)> holds_default;
  } cases[] = {
      {"State", [](auto& r) { r.State = 2; }, [](const Tool& t) { return t.state == 0; }},
      {"Shortcut", [](auto& r) { r.Shortcut = 80; }, [](const Tool& t) { return t.shortcut == 0; }},
      {"MenuVisibility", [](auto& r) { r.MenuVisibility = 2; }, [](const Tool& t) { return t.menu_visibility == 0; }},
      {"PictureSize 15", [](auto& r) { r.PictureSize = 15; }, [](const Tool& t) { return t.picture_size == 16; }},
      {"PictureSize 33", [](auto& r) { r.PictureSize = 33; }, [](const Tool& t) { return t.picture_size == 16; }},
      {"ForeColorSource", [](auto& r) { r.Instance.ForeColorSource = 2; },
       [](const Tool& t) { return t.own.fore_color_source == 0; }},
      {"DisplayStyle", [](auto& r) { r.Instance.DisplayStyle = 4; },
       [](const Tool& t) { return t.own.display_style == 0; }},
      {"ForeColor", [](auto& r) { r.Instance.ForeColor = 0x01000000; },
       [](const Tool& t) { return t.own.fore_color == 0x80000012; }},
      {"CtlWidth", [](auto& r) { r.Instance.CtlWidth = -5; }, [](const Tool& t) { return t.own.ctl_width == 75; }},
      {"combo Style", [](auto& r) { r.Type = 4; r.ComboBox.Style = 2; },
       [](const Tool& t) { return t.combo()->style == 0; }},
      {"edit MaxLength", [](auto& r) { r.Type = 5; r.Edit.MaxLength = -1; },
       [](const Tool& t) { return t.edit()->max_length == 0; }},
  };
  for (const auto& c : cases) {
    deck.discard_all();
    records::ToolRecord record = tool("T");
    c.spoil(record);
    load({record});
    ASSERT_EQ(deck.tools().size(), 1u) << c.field;
    EXPECT_TRUE(c.holds_default(*deck.tools().at(0))) << c.field;
  }
}

TEST_F(DeckRecords, ShortcutsAndGroupsAreSettledAsTheSettersKeepThem) {
  records::ToolRecord a = tool("A"), b = tool("B"), c = tool("C"), d = tool("D");
  a.Shortcut = b.Shortcut = 5;
  a.Group = "G";
  a.GroupAllowAllUp = false;
  b.Group = "g";
  b.State = 1;
  c.Group = "G";
  c.State = 1;
  d.Shortcut = 6;
  load({a, b, c, d});
  const auto& tools = deck.tools();
  EXPECT_EQ(tools.find(L"A")->shortcut, 5);
  EXPECT_EQ(tools.find(L"B")->shortcut, 0);
  EXPECT_EQ(tools.find(L"D")->shortcut, 6);
  EXPECT_EQ(tools.find(L"B")->state, 1);
  EXPECT_EQ(tools.find(L"C")->state, 0);
  for (const wchar_t* id : {L"A", L"B", L"C"}) EXPECT_FALSE(tools.find(id)->group_allow_all_up);
}

TEST_F(DeckRecords, PlacedListsHaveNoStraySeparatorsOrEmptyIds) {
  records::ToolbarRecord bar = toolbar("T");
  for (const char* id : {"separator", "A", "", "Separator", "separator", "B", "separator"}) bar.Tools.push_back(placed(id));
  load({tool("A"), tool("B"), menu("M", {"separator", "X", "separator", "separator", "A", "separator"})});
  load_toolbars(deck, {bar}, platform);
  EXPECT_EQ(describe(deck.toolbars().at(0)->tools), L"A,-,B");
  EXPECT_EQ(menu_of(L"M"), L"X,-,A");
}

TEST_F(DeckRecords, ToolbarsTheModelWouldRefuseAreLeftOutAndFieldsTakeDefaults) {
  records::ToolbarRecord odd = toolbar("Odd");
  odd.DockedRow = 0;
  odd.DockedColumn = -3;
  odd.CaptionAlignment = 4;
  odd.Font3D = 6;
  odd.DockFlags = 128;
  odd.DockedStatus = 3;
  odd.ReturnDock = 16;
  records::ToolbarRecord menu_bar = toolbar("Menu", 1);
  menu_bar.DisplayMoreToolsButton = true;
  menu_bar.AllowHiding = true;
  menu_bar.Visible = false;
  load_toolbars(deck, {odd, toolbar(""), toolbar("odd"), toolbar("Style2", 2), menu_bar, toolbar("Menu2", 1)},
                platform);
  ASSERT_EQ(deck.toolbars().size(), 2u);
  const Toolbar& loaded = *deck.toolbars().at(0);
  EXPECT_EQ(loaded.docked_row, 1);
  EXPECT_EQ(loaded.docked_column, 1);
  EXPECT_EQ(loaded.caption_alignment, 3);
  EXPECT_EQ(loaded.font3d, 0);
  EXPECT_EQ(loaded.dock_flags, DockFlags(31));
  EXPECT_EQ(loaded.docked_status, DockCode::top);
  EXPECT_EQ(loaded.return_dock, DockCode::top);
  const Toolbar& bar = *deck.toolbars().at(1);
  EXPECT_TRUE(bar.is_menu_bar());
  EXPECT_FALSE(bar.display_more_tools);
  EXPECT_FALSE(bar.allow_hiding);
  EXPECT_TRUE(bar.visible);
}

TEST_F(DeckRecords, AValidStreamComesBackAsItWasLoaded) {
  records::ToolsStream stream;
  records::ToolRecord combo = tool("Find", 4);
  combo.ComboBox.Items = {{"one", "1"}, {"two", ""}};
  combo.TagString = "tag";
  records::ToolRecord edit = tool("Name", 5);
  edit.Edit = {12, true, "text", "*"};
  records::ToolRecord file = menu("File", {"Find", "Name"});
  file.Menu.Tools[1].Name = "&Name";
  file.Menu.Tools[1].CtlWidth = 40;
  stream.Tools = {combo, edit, file};
  stream.RemovedToolIDs = {"Gone"};
  records::ToolbarRecord bar = toolbar("Standard");
  bar.Tools = {placed("Find"), placed("File")};
  bar.DockedStatus = 16;
  bar.FloatingRow = 4;
  bar.Stock = true;

  load_tools(deck, stream, true, platform);
  load_toolbars(deck, {bar}, platform);
  records::ToolsStream saved;
  ASSERT_TRUE(save_tools(deck, platform, 0xC0C0C0, saved));
  EXPECT_EQ(saved, stream);
  EXPECT_EQ(save_toolbars(deck, platform), std::vector<records::ToolbarRecord>{bar});
}

TEST_F(DeckRecords, SavingLeavesAPictureWithoutAnImageOnItsTool) {
  load({tool("A"), tool("B")});
  records::PixelImage image{2, 1, {0x112233, 0x445566}};
  deck.tools().at(0)->pictures[0] = std::make_shared<PixelPicture>(std::nullopt);
  deck.tools().at(1)->pictures[0] = std::make_shared<PixelPicture>(image);
  records::ToolsStream saved;
  ASSERT_TRUE(save_tools(deck, platform, 0, saved));
  EXPECT_FALSE(saved.Tools[0].HasPicture[records::kPicture]);
  EXPECT_TRUE(saved.Tools[1].HasPicture[records::kPicture]);
  EXPECT_EQ(records::StripCellCount(saved.Tools, records::kPicture), 1u);
  EXPECT_NE(deck.tools().at(0)->pictures[0], nullptr);
}

TEST_F(DeckRecords, PicturesOfOneToolAreSavedAtTheOneSizeItsRecordHolds) {
  // The record keeps one picture size, the first picture's; a larger
  // PictureDown is saved as it will be read back, so a second save of what
  // was loaded writes the same strips.
  load({tool("A")});
  deck.tools().at(0)->pictures[static_cast<size_t>(PictureSlot::normal)] = std::make_shared<PixelPicture>(records::PixelImage{2, 1, {0x010101, 0x020202}});
  deck.tools().at(0)->pictures[static_cast<size_t>(PictureSlot::down)] = std::make_shared<PixelPicture>(
      records::PixelImage{3, 2, {0x111111, 0x121212, 0x131313, 0x212121, 0x222222, 0x232323}});
  records::ToolsStream first;
  ASSERT_TRUE(save_tools(deck, platform, 0xC0C0C0, first));
  ASSERT_EQ(first.Tools[0].PictureWidth, 2);
  ASSERT_EQ(first.Tools[0].PictureHeight, 1);

  deck.discard_all();
  load_tools(deck, first, true, platform);
  records::ToolsStream second;
  ASSERT_TRUE(save_tools(deck, platform, 0xC0C0C0, second));
  EXPECT_EQ(second, first);
  auto down = records::CutStripCell(first.Strips[1], 0, 3, 2);
  ASSERT_TRUE(down);
  EXPECT_EQ(down->Pixels, (std::vector<uint32_t>{0x111111, 0x121212, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0}));
}

TEST_F(DeckRecords, RemovedToolsGoAgainOnlyAtRunTime) {
  records::ToolsStream stream;
  stream.Tools = {tool("A"), tool("B")};
  stream.RemovedToolIDs = {"a", ""};
  load_tools(deck, stream, false, platform);
  EXPECT_EQ(ids(), L"A,B");
  EXPECT_EQ(deck.removed_tool_ids(), std::vector<std::wstring>{L"a"});
  deck.discard_all();
  load_tools(deck, stream, true, platform);
  EXPECT_EQ(ids(), L"B");
}

}  // namespace
}  // namespace mz::test
