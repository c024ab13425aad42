// Menus with real input: the menu bar reached with Alt and mnemonics, popups
// navigated with the arrows, Enter and Esc, opened and closed with the mouse,
// shortcut keys, and the PopupMenu method with its own loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "com_test_support.h"
#include "deck_builder_win32.h"
#include "dispatch_ids.h"
#include "hosting_support.h"
#include "real_input.h"
#include "screenshot_win32.h"
#include "test_container.h"

namespace mz::test {
namespace {

// The keys that reached the host window, recorded by a subclass of it.
struct HostKeys {
  static inline std::vector<UINT> seen;    // virtual-key codes of key-downs and system key-downs
  static inline std::vector<UINT> system;  // of system key-downs (keys struck with Alt held)
  static inline WNDPROC original = nullptr;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) seen.push_back(static_cast<UINT>(wparam));
    if (message == WM_SYSKEYDOWN) system.push_back(static_cast<UINT>(wparam));
    // The platform's own menu loop would take over the thread on F10 or Alt.
    if (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_KEYMENU) return 0;
    return CallWindowProcW(original, window, message, wparam, lparam);
  }
  static void watch(HWND window) {
    seen.clear();
    system.clear();
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostKeys::procedure)));
  }
  static bool saw(UINT key) { return std::find(seen.begin(), seen.end(), key) != seen.end(); }
};

// The visible "MzMenu" windows of the thread, outermost first by creation.
std::vector<HWND> open_popups() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpW(name, L"MzMenu") == 0 && IsWindowVisible(window))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool popups_become(size_t count) {
  return pump_until([&] { return open_popups().size() == count; });
}

// File: Open (Ctrl+O), Save, a separator, Recent (a submenu with one file),
// Exit; Help: About. The menu bar holds File and Help; a toolbar below it
// holds Save and the drop-down Undo.
bool build_menus(Form& form) {
  const client::ToolEntry tools[] = {
      {L"File", mzTypeMenu, L"&File"},   {L"Help", mzTypeMenu, L"&Help"},   {L"Open", mzTypeButton, L"&Open"},
      {L"Save", mzTypeButton, L"&Save"}, {L"Recent", mzTypeMenu, L"&Recent"}, {L"One", mzTypeButton, L"File &1"},
      {L"Exit", mzTypeButton, L"E&xit"}, {L"About", mzTypeButton, L"&About"},  {L"Undo", mzTypeDropDown, L"&Undo"}};
  const client::Placement file[] = {{L"Open"}, {L"Save"}, {client::kSeparatorId}, {L"Recent"}, {L"Exit"}};
  const client::Placement recent[] = {{L"One"}};
  const client::Placement help[] = {{L"About"}};
  const client::MenuEntry menus[] = {{L"File", file}, {L"Recent", recent}, {L"Help", help}};
  const client::Placement bar[] = {{L"File"}, {L"Help"}};
  const client::Placement standard[] = {{L"Save"}, {L"Undo"}};
  const client::ToolbarEntry bars[] = {{L"Menu", mzMenuBar, mzDockedTop, 1, bar},
                                       {L"Standard", mzStandard, mzDockedTop, 2, standard}};
  if (!client::build_deck(control_interface(form.control), {tools, menus, bars}).ok()) return false;
  IDispatch* all_tools = get_object(form.control, L"Tools");
  IDispatch* open = get_object(all_tools, L"Item", {Var(L"Open")});
  const bool shortcut = put(open, L"Shortcut", Var(int32_t{mzCtrlO})).ok();
  open->Release();
  all_tools->Release();
  return shortcut && put(form.control, L"ShowToolTips", Var(false)).ok();
}

// A form in front with the menus above, the keyboard focus in the host.
bool host_menus(Form& form) {
  form.site.scale_units = L"Pixels";
  if (!host_in_front(form) || !build_menus(form)) return false;
  SetFocus(form.window);
  HostKeys::watch(form.window);
  return true;
}

// A placed tool's rectangle in the host's client coordinates (the dock areas
// lie above the client area, at negative y).
RECT tool_rect(Form& form, const wchar_t* toolbar_name, const wchar_t* id) {
  IDispatch* toolbars = get_object(form.control, L"ToolBars");
  IDispatch* toolbar = get_object(toolbars, L"Item", {Var(toolbar_name)});
  IDispatch* placed_tools = get_object(toolbar, L"Tools");
  IDispatch* tool = get_object(placed_tools, L"Item", {Var(id)});
  const int area_top = -call(form.control, L"GetDockHeight", {Var(short{mzDockedTop})}).value.as_long();
  const int left = get(tool, L"Left").value.as_long(), top = area_top + get(tool, L"Top").value.as_long();
  const RECT rect{left, top, left + get(tool, L"Width").value.as_long(), top + get(tool, L"Height").value.as_long()};
  for (IDispatch* object : {tool, placed_tools, toolbar, toolbars}) object->Release();
  return rect;
}

// The tool is drawn raised (hot), sunken (its menu open) or flat.
enum class Look { flat, raised, sunken };
Look look_of(Form& form, const RECT& tool) {
  const COLORREF top_left = frame_pixel(form.window, tool.left, tool.top);
  const COLORREF bottom_right = frame_pixel(form.window, tool.right - 1, tool.bottom - 1);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (top_left == highlight && bottom_right == shadow) return Look::raised;
  if (top_left == shadow && bottom_right == highlight) return Look::sunken;
  return Look::flat;
}

bool looks(Form& form, const RECT& tool, Look look) {
  return pump_until([&] { return look_of(form, tool) == look; });
}

TEST(Menus, AltAloneHighlightsTheFirstMenuAndAltAgainLeaves) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    const RECT file = tool_rect(form, L"Menu", L"File");
    ASSERT_TRUE(looks(form, file, Look::flat));

    RealInput::stroke(VK_MENU);
    EXPECT_TRUE(looks(form, file, Look::raised)) << "Alt alone highlights the first menu";
    RealInput::stroke(VK_MENU);
    EXPECT_TRUE(looks(form, file, Look::flat)) << "Alt again leaves menu mode";
    // Neither Alt reached the host, so the platform started no menu of its own.
    EXPECT_FALSE(HostKeys::saw(VK_MENU));

    // Out of menu mode, Down is the host's and opens nothing.
    RealInput::stroke(VK_DOWN);
    EXPECT_TRUE(pump_until([] { return HostKeys::saw(VK_DOWN); }));
    EXPECT_TRUE(open_popups().empty());

    // Alt held while another key goes down and up is a modifier: no menu mode.
    RealInput::stroke('Q', {VK_MENU});
    RealInput::stroke(VK_DOWN);
    EXPECT_TRUE(pump_until([] { return std::count(HostKeys::seen.begin(), HostKeys::seen.end(), VK_DOWN) == 2; }));
    EXPECT_TRUE(open_popups().empty());
    EXPECT_EQ(look_of(form, file), Look::flat);

    // Alt, Alt, Space: the second Alt leaves menu mode, and the Space struck
    // while it is held reaches the host as Alt+Space (the window menu's key).
    RealInput::stroke(VK_MENU);
    ASSERT_TRUE(looks(form, file, Look::raised));
    RealInput::stroke(VK_SPACE, {VK_MENU});
    EXPECT_TRUE(pump_until([] { return std::count(HostKeys::system.begin(), HostKeys::system.end(), VK_SPACE) == 1; }));
    EXPECT_TRUE(looks(form, file, Look::flat));
    EXPECT_FALSE(HostKeys::saw(VK_MENU));
  });
}

TEST(Menus, AltLetterOpensItsMenuAndTheKeysNavigateToAChoice) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    const RECT file = tool_rect(form, L"Menu", L"File");

    RealInput::stroke('F', {VK_MENU});
    EXPECT_EQ(mouse.events_until(L"ToolClick File"), (Names{L"ToolClick File"}));
    ASSERT_TRUE(popups_become(1));
    EXPECT_TRUE(looks(form, file, Look::sunken)) << "the tool of the open menu";
    // The popup hangs below its tool.
    RECT popup{};
    GetWindowRect(open_popups().front(), &popup);
    EXPECT_EQ(popup.left, mouse.screen(file.left, 0).x);
    EXPECT_EQ(popup.top, mouse.screen(0, file.bottom).y);

    // Open is highlighted first; Down moves to Save; Enter chooses it. The
    // open menu is kept as a screenshot for reviewers.
    RealInput::stroke(VK_DOWN);
    EXPECT_EQ(mouse.events_until(L"ToolEnter Save"), (Names{L"ToolEnter Open", L"ToolExit Open", L"ToolEnter Save"}));
    EXPECT_TRUE(quarrow::test::SaveScreenshot(open_popups().front(),
                                              quarrow::test::ScreenshotFolder() + "\\menu_popup.bmp"));
    RealInput::stroke(VK_RETURN);
    EXPECT_EQ(mouse.events_until(L"ToolClick Save"), (Names{L"ToolExit Save", L"ToolClick Save"}))
        << "the menu closes before the chosen tool runs";
    EXPECT_TRUE(popups_become(0));
    EXPECT_TRUE(looks(form, file, Look::flat)) << "choosing ends menu mode";
    EXPECT_FALSE(HostKeys::saw(VK_DOWN) || HostKeys::saw(VK_RETURN) || HostKeys::saw('F'));

    IDispatch* all_tools = get_object(form.control, L"Tools");
    for (auto [id, used] : {std::pair{L"Save", true}, std::pair{L"Open", false}}) {
      IDispatch* tool = get_object(all_tools, L"Item", {Var(id)});
      EXPECT_EQ(get(tool, L"RecentlyUsed").value.as_long() != 0, used) << std::string(id, id + 4);
      tool->Release();
    }
    all_tools->Release();
  });
}

TEST(Menus, SubmenusOpenWithRightAndEscClosesOneLevelAtATime) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    const RECT file = tool_rect(form, L"Menu", L"File");

    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    // Open, Save, (separator skipped) Recent: Right opens its submenu beside it.
    for (int i = 0; i < 2; ++i) RealInput::stroke(VK_DOWN);
    RealInput::stroke(VK_RIGHT);
    EXPECT_EQ(mouse.events_until(L"ToolClick Recent"),
              (Names{L"ToolClick File", L"ToolEnter Open", L"ToolExit Open", L"ToolEnter Save", L"ToolExit Save",
                     L"ToolEnter Recent", L"ToolClick Recent"}));
    ASSERT_TRUE(popups_become(2));
    const std::vector<HWND> popups = open_popups();
    RECT outer{}, inner{};
    GetWindowRect(popups[0], &outer);
    GetWindowRect(popups[1], &inner);
    if (inner.left < outer.left) std::swap(outer, inner);
    EXPECT_EQ(inner.left, outer.right - 3) << "a submenu overlaps its parent by 3 pixels";

    RealInput::stroke(VK_ESCAPE);
    EXPECT_TRUE(popups_become(1));
    RealInput::stroke(VK_ESCAPE);
    EXPECT_TRUE(popups_become(0));
    EXPECT_TRUE(looks(form, file, Look::raised)) << "back on the bar, File highlighted";
    RealInput::stroke(VK_ESCAPE);
    EXPECT_TRUE(looks(form, file, Look::flat));
    EXPECT_FALSE(HostKeys::saw(VK_ESCAPE));
    RealInput::stroke(VK_ESCAPE);
    EXPECT_TRUE(pump_until([] { return HostKeys::saw(VK_ESCAPE); })) << "out of menu mode Esc is the host's";
  });
}

TEST(Menus, APressOpensTheMenuAClickElsewhereClosesItAndAClickOnAnItemChoosesIt) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    const RECT file = tool_rect(form, L"Menu", L"File");
    const RECT help = tool_rect(form, L"Menu", L"Help");
    const int y = (file.top + file.bottom) / 2;

    mouse.click((file.left + file.right) / 2, y);
    mouse.events_until(L"ToolClick File");
    ASSERT_TRUE(popups_become(1));
    // Pointing at the next menu of the bar opens it instead.
    mouse.move((help.left + help.right) / 2, y);
    mouse.events_until(L"ToolClick Help");
    EXPECT_TRUE(pump_until([&] {
      const std::vector<HWND> shown = open_popups();
      RECT popup{};
      return shown.size() == 1 && GetWindowRect(shown[0], &popup) && popup.left == mouse.screen(help.left, 0).x;
    }));
    // A click in the host's client area ends menu mode.
    mouse.click(200, 100);
    EXPECT_TRUE(popups_become(0));
    EXPECT_TRUE(looks(form, help, Look::flat));

    // A click on the open menu's tool closes it again.
    mouse.click((file.left + file.right) / 2, y);
    mouse.events_until(L"ToolClick File");
    ASSERT_TRUE(popups_become(1));
    mouse.click((file.left + file.right) / 2, y);
    EXPECT_TRUE(popups_become(0));

    // An item is chosen by a click on it.
    mouse.click((file.left + file.right) / 2, y);
    mouse.events_until(L"ToolClick File");
    ASSERT_TRUE(popups_become(1));
    RECT popup{};
    GetWindowRect(open_popups().front(), &popup);
    const POINT first_item{popup.left + 20, popup.top + GetSystemMetrics(SM_CYDLGFRAME) + 4};
    mouse.click_screen(first_item);
    EXPECT_EQ(mouse.events_until(L"ToolClick Open").back(), L"ToolClick Open");
    EXPECT_TRUE(popups_become(0));
  });
}

// The middle of item `index` of the File popup (Open, Save, a separator 6
// high, Recent, Exit: four items of one height), on the screen.
POINT file_item(HWND popup, int index) {
  RECT client{};
  GetClientRect(popup, &client);
  const int item = (client.bottom - 6) / 4;
  POINT at{client.right / 2, index * item + (index >= 3 ? 6 - item : 0) + item / 2};
  ClientToScreen(popup, &at);
  return at;
}

TEST(Menus, RestingOnASubmenuOpensItAndMinimizingTheHostEndsMenuMode) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    const HWND file = open_popups().front();

    // What lies under the pointer inside a popup: a tool on an item, the menu on its frame.
    POINT recent = file_item(file, 3);
    POINT client = recent;
    ScreenToClient(form.window, &client);
    const auto where = [&](POINT at) {
      return call(form.control, L"WhereIs", {Var(double(at.x)), Var(double(at.y))}).value.as_long();
    };
    EXPECT_EQ(where(client), mzWhereIsTool);
    RECT frame{};
    GetWindowRect(file, &frame);
    POINT edge{frame.left + 1, frame.top + 1};
    ScreenToClient(form.window, &edge);
    EXPECT_EQ(where(edge), mzWhereIsMenu);

    mouse.move(client.x, client.y);
    EXPECT_TRUE(popups_become(2)) << "the submenu opens after the hover delay";
    ShowWindow(form.window, SW_MINIMIZE);
    EXPECT_TRUE(popups_become(0));
  });
}

TEST(Menus, APopupOpenedFromTheKeyboardUnderAStillPointerKeepsItsFirstItemHighlighted) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    POINT exit_item = file_item(open_popups().front(), 4);
    RealInput::stroke(VK_ESCAPE);
    RealInput::stroke(VK_ESCAPE);
    ASSERT_TRUE(popups_become(0));

    // The pointer rests where Exit will be; the popup appears under it.
    ScreenToClient(form.window, &exit_item);
    mouse.move(exit_item.x, exit_item.y);
    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    RealInput::stroke(VK_RETURN);
    EXPECT_EQ(mouse.events_until(L"ToolClick Open").back(), L"ToolClick Open");
  });
}

TEST(Menus, AnAnimatedPopupGrowsToTheSizeOfAnUnanimatedOne) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    RECT still{};
    GetWindowRect(open_popups().front(), &still);
    RealInput::stroke(VK_ESCAPE);
    RealInput::stroke(VK_ESCAPE);
    ASSERT_TRUE(popups_become(0));

    for (int32_t animation : {mzAnimationUnfold, mzAnimationSlide, mzAnimationRandom}) {
      ASSERT_TRUE(put(form.control, L"MenuAnimations", Var(animation)).ok());
      RealInput::stroke('F', {VK_MENU});
      ASSERT_TRUE(popups_become(1)) << animation;
      const HWND popup = open_popups().front();
      EXPECT_TRUE(pump_until([&] {
        RECT now{};
        return GetWindowRect(popup, &now) && EqualRect(&now, &still);
      })) << animation;
      RealInput::stroke(VK_ESCAPE);
      RealInput::stroke(VK_ESCAPE);
      ASSERT_TRUE(popups_become(0));
    }
  });
}

TEST(Menus, APressOnADropDownArrowRunsItsDropDownWithTheToolShownDropped) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    const RECT undo = tool_rect(form, L"Standard", L"Undo");
    const RECT arrow{undo.right - 9, undo.top, undo.right, undo.bottom};
    EventSink sink;
    sink.connect(form.control);
    Look during = Look::flat;
    std::vector<long> point;
    sink.on_event = [&](const FiredEvent& event) {
      if (event.dispid != DISPID_DMzToolBarsEvents_ToolDropDown) return;
      during = look_of(form, arrow);
      point = {event.args.at(1).as_long(), event.args.at(2).as_long()};
    };
    mouse.click(arrow.left + 4, (arrow.top + arrow.bottom) / 2);
    const Names names = mouse.events_until(L"ToolCloseUp Undo");
    EXPECT_EQ(std::count(names.begin(), names.end(), L"ToolDropDown Undo"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), L"ToolClick Undo"), 0) << "the arrow does not click the tool";
    EXPECT_EQ(during, Look::sunken) << "the arrow part shows dropped while the host handles it";
    const POINT below = mouse.screen(undo.left, undo.bottom);
    EXPECT_EQ(point, (std::vector<long>{below.x, below.y})) << "the point below the tool";
    EXPECT_TRUE(looks(form, arrow, Look::raised)) << "hot again, not dropped, once closed up";
    sink.disconnect();
  });
}

// Whether a pixel of the button-text colour lies within 2 pixels of (x, y)
// of the popup's client area.
bool arrow_near(HWND popup, int x, int y) {
  HDC dc = GetDC(popup);
  bool found = false;
  for (int dy = -2; dy <= 2 && !found; ++dy)
    for (int dx = -2; dx <= 2 && !found; ++dx) found = GetPixel(dc, x + dx, y + dy) == GetSysColor(COLOR_BTNTEXT);
  ReleaseDC(popup, dc);
  return found;
}

TEST(Menus, APopupTallerThanTheScreenScrollsToTheItemTheKeysReach) {
  on_fresh_thread([] {
    Form form;
    form.site.scale_units = L"Pixels";
    ASSERT_TRUE(host_in_front(form));
    std::vector<std::wstring> ids;
    for (int i = 0; i < 90; ++i) ids.push_back(L"Item" + std::to_wstring(i));
    std::vector<client::ToolEntry> tools{{L"Long", mzTypeMenu, L"&Long"}};
    std::vector<client::Placement> items;
    // One long caption in the middle makes the popup wide, so the short
    // captions at its top and bottom stay clear of the arrows' middle.
    for (const std::wstring& id : ids) {
      tools.push_back({id.c_str(), mzTypeButton, id == L"Item45" ? L"An item with a much longer caption" : id.c_str()});
      items.push_back({id.c_str()});
    }
    const client::MenuEntry menus[] = {{L"Long", items}};
    const client::Placement bar[] = {{L"Long"}};
    const client::ToolbarEntry bars[] = {{L"Menu", mzMenuBar, mzDockedTop, 1, bar}};
    ASSERT_TRUE(client::build_deck(control_interface(form.control), {tools, menus, bars}).ok());
    SetFocus(form.window);

    RealInput::stroke('L', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    const HWND popup = open_popups().front();
    RECT rect{}, work{}, client{};
    GetWindowRect(popup, &rect);
    GetClientRect(popup, &client);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(rect.top, work.top);
    EXPECT_LE(rect.bottom, work.bottom) << "cut to the work area";
    // 90 items do not fit: a down arrow in the bottom area, none at the top.
    const int middle = client.right / 2;
    EXPECT_TRUE(pump_until([&] { return arrow_near(popup, middle, client.bottom - 8); }));
    EXPECT_FALSE(arrow_near(popup, middle, 8));

    // The pointer resting on the bottom area scrolls the popup down: the top
    // area appears. (The first move only notes the pointer.)
    RealInput mouse(form);
    const auto rest_at = [&](int y) {
      POINT at{middle, y};
      ClientToScreen(popup, &at);
      ScreenToClient(form.window, &at);
      mouse.move(at.x + 1, at.y);
      mouse.move(at.x, at.y);
    };
    rest_at(client.bottom - 4);
    EXPECT_TRUE(pump_until([&] { return arrow_near(popup, middle, 8); }));
    rest_at(client.bottom / 2);

    // End reaches the last item: the popup scrolls to it, so the top area
    // shows its arrow and the bottom one is gone.
    RealInput::stroke(VK_END);
    EXPECT_TRUE(pump_until([&] { return !arrow_near(popup, middle, client.bottom - 8); }));
    EXPECT_TRUE(arrow_near(popup, middle, 8));
    RealInput::stroke(VK_RETURN);
    EXPECT_EQ(mouse.events_until(L"ToolClick Item89").back(), L"ToolClick Item89");
  });
}

TEST(Menus, AShortcutKeyClicksItsToolUnlessTheToolIsDisabled) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    RealInput::stroke('O', {VK_CONTROL});
    EXPECT_EQ(mouse.events_until(L"ToolClick Open"), (Names{L"ToolClick Open"}));
    EXPECT_FALSE(HostKeys::saw('O'));

    IDispatch* all_tools = get_object(form.control, L"Tools");
    IDispatch* open = get_object(all_tools, L"Item", {Var(L"Open")});
    ASSERT_TRUE(put(open, L"Enabled", Var(false)).ok());
    open->Release();
    all_tools->Release();
    RealInput::stroke('O', {VK_CONTROL});
    EXPECT_TRUE(pump_until([] { return HostKeys::saw('O'); })) << "a disabled tool leaves its key to the host";
  });
}

TEST(Menus, AnOpenPopupFollowsItsItemsAndClosesWhenItsMenuToolGoes) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(popups_become(1));
    const HWND popup = open_popups().front();
    RECT before{};
    GetClientRect(popup, &before);

    // The host puts one more tool into the open menu: the popup grows by an item.
    IDispatch* all_tools = get_object(form.control, L"Tools");
    ASSERT_TRUE(call(all_tools, L"Add", {Var(L"New"), Var(int32_t{mzTypeButton})}).ok());
    IDispatch* file = get_object(all_tools, L"Item", {Var(L"File")});
    IDispatch* menu = get_object(file, L"Menu");
    IDispatch* items = get_object(menu, L"Tools");
    ASSERT_TRUE(call(items, L"Add", {Var(L"New")}).ok());
    const int item = (before.bottom - 6) / 4;
    EXPECT_TRUE(pump_until([&] {
      RECT now{};
      return GetClientRect(popup, &now) && now.bottom == before.bottom + item;
    }));
    for (IDispatch* object : {items, menu, file}) object->Release();

    // The menu tool itself goes: so does its popup.
    ASSERT_TRUE(call(all_tools, L"Remove", {Var(L"File")}).ok());
    EXPECT_TRUE(popups_become(0));
    all_tools->Release();
  });
}

// A host may do anything in the menu tool's ToolClick, even unload the form:
// the popup that was about to open then never shows.
TEST(Menus, AFormUnloadedInItsMenuToolsToolClickShowsNoPopup) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    EventSink sink;
    sink.connect(form.control);
    bool unloaded = false;
    sink.on_event = [&](const FiredEvent& event) {
      if (event.dispid != DISPID_DMzToolBarsEvents_ToolClick || unloaded) return;
      unloaded = true;
      form.unload();
    };
    RealInput::stroke('F', {VK_MENU});
    ASSERT_TRUE(pump_until([&] { return unloaded; }));
    // The popup would have opened in the same call as the event.
    EXPECT_TRUE(open_popups().empty());
    const size_t seen = sink.events.size();
    RealInput::stroke('F', {VK_MENU});
    RealInput::stroke(VK_DOWN);
    EXPECT_TRUE(pump_until([] { return HostKeys::saw(VK_DOWN); })) << "keys are the host's again";
    EXPECT_TRUE(open_popups().empty());
    EXPECT_EQ(sink.events.size(), seen);
    sink.disconnect();
  });
}

// What a PopupMenu call saw while its popup was open, from a timer that runs
// inside the call's own loop.
struct InsideTheLoop {
  static inline IDispatch* control = nullptr;
  static inline RECT popup{};
  static inline long again = 0;
  static inline int ticks = 0;

  static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const std::vector<HWND> shown = open_popups();
    if (shown.empty()) {
      if (++ticks > 500) KillTimer(nullptr, timer);
      return;
    }
    KillTimer(nullptr, timer);
    GetWindowRect(shown.front(), &popup);
    again = call(control, L"PopupMenu", {Var(L"Help")}).error_code;
    RealInput::stroke(VK_ESCAPE);
  }
};

// A right click on the only item of the popup a PopupMenu call shows, from
// a timer inside the call's loop; Esc a few ticks later if it is still open.
struct RightClickInside {
  static inline int ticks = 0;

  static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const std::vector<HWND> shown = open_popups();
    if (shown.empty()) {
      if (ticks > 0 || ++ticks > 500) KillTimer(nullptr, timer);
      return;
    }
    if (++ticks == 1) {
      RECT client{};
      GetClientRect(shown.front(), &client);
      const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
      SendMessageW(shown.front(), WM_MOUSEMOVE, 0, at);
      SendMessageW(shown.front(), WM_RBUTTONDOWN, MK_RBUTTON, at);
      SendMessageW(shown.front(), WM_RBUTTONUP, 0, at);
    } else if (ticks == 5) {
      KillTimer(nullptr, timer);
      RealInput::stroke(VK_ESCAPE);
    }
  }
};

TEST(Menus, TheRightButtonChoosesInAPopupMenuOnlyWhenItsFlagsSaySo) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    for (int32_t flags : {mzPopupMenuRightButton, mzPopupMenuLeftButton}) {
      RightClickInside::ticks = 0;
      SetTimer(nullptr, 0, 10, &RightClickInside::tick);
      EXPECT_EQ(call(form.control, L"PopupMenu", {Var(L"Help"), Var(flags)}).hr, S_OK);
      EXPECT_TRUE(open_popups().empty());
    }
    // Both calls raised the menu's ToolClick; only the first chose its item.
    Names names;
    for (const FiredEvent& event : mouse.all_events()) names.push_back(name_of(event));
    EXPECT_EQ(std::count(names.begin(), names.end(), L"ToolClick Help"), 2);
    EXPECT_EQ(std::count(names.begin(), names.end(), L"ToolClick About"), 1);
  });
}

TEST(Menus, PopupMenuOpensAtItsPointAndReturnsWhenThePopupCloses) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_menus(form));
    RealInput mouse(form);
    InsideTheLoop::control = form.control;

    // Right aligned at (400, 300): the popup's right edge is at x = 400.
    InsideTheLoop::popup = {};
    SetTimer(nullptr, 0, 10, &InsideTheLoop::tick);
    const CallResult shown =
        call(form.control, L"PopupMenu", {Var(L"Help"), Var(int32_t{mzPopupMenuRightAlign}), Var(400.0), Var(300.0)});
    EXPECT_EQ(shown.hr, S_OK);
    EXPECT_EQ(InsideTheLoop::popup.right, 400);
    EXPECT_EQ(InsideTheLoop::popup.top, 300);
    EXPECT_EQ(InsideTheLoop::again, 40017) << "already open";
    EXPECT_TRUE(open_popups().empty()) << "the call returns once the popup closed";
    EXPECT_EQ(mouse.events_until(L"ToolClick Help"), (Names{L"ToolClick Help"}));

    // Flags out of range count as 1: left aligned at the point.
    InsideTheLoop::popup = {};
    SetTimer(nullptr, 0, 10, &InsideTheLoop::tick);
    EXPECT_EQ(call(form.control, L"PopupMenu", {Var(L"Help"), Var(int32_t{9}), Var(400.0), Var(300.0)}).hr, S_OK);
    EXPECT_EQ(InsideTheLoop::popup.left, 400);

    // Only menu tools pop up.
    const CallResult refused = call(form.control, L"PopupMenu", {Var(L"Open")});
    EXPECT_EQ(refused.error_code, 40007);
    EXPECT_EQ(refused.description, L"The tool is not a valid menu");
    EXPECT_TRUE(open_popups().empty());
  });
}

}  // namespace
}  // namespace mz::test
