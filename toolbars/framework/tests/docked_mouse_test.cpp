// The mouse over docked toolbars, with real input: the pointer entering and
// leaving tools and toolbars, clicks that activate a tool only when pressed
// and released over it, state buttons, a lost capture, double clicks, the
// control's own mouse events and the tooltip of the hot tool.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "com_test_support.h"
#include "deck_builder_win32.h"
#include "dispatch_ids.h"
#include "gdi_room_win32.h"
#include "hosting_support.h"
#include "real_input.h"
#include "test_container.h"

namespace mz::test {
namespace {

// One toolbar "Bar", docked top, with one button "A" captioned `caption`.
bool build_one_button(Form& form, const wchar_t* caption) {
  const client::ToolEntry tools[] = {{L"A", mzTypeButton, caption}};
  const client::Placement placed[] = {{L"A"}};
  const client::ToolbarEntry bars[] = {{L"Bar", mzStandard, mzDockedTop, 1, placed}};
  return client::build_deck(control_interface(form.control), {tools, {}, bars}).ok();
}

// A form in front, measuring in pixels, with the toolbar of build_one_button
// and no tooltips.
bool host_one_button_in_pixels(Form& form, const wchar_t* caption) {
  form.site.scale_units = L"Pixels";
  return host_in_front(form) && build_one_button(form, caption) &&
         put(form.control, L"ShowToolTips", Var(false)).ok();
}

TEST(DockedMouse, ToolsArePressedOnThePressAndActivatedOnAReleaseOverThem) {
  on_fresh_thread([] {
    HWND holder = nullptr;  // the window that held the capture
    {
      Form form;
      form.site.scale_units = L"Pixels";
      ASSERT_TRUE(host_in_front(form));
      const client::ToolEntry tools[] = {
          {L"A", mzTypeButton, L""}, {L"S", mzTypeStateButton, L""}, {L"B", mzTypeButton, L""}};
      const client::Placement placed[] = {{L"A"}, {L"S"}, {L"B"}};
      const client::ToolbarEntry bars[] = {{L"Bar", mzStandard, mzDockedTop, 1, placed}};
      ASSERT_TRUE(client::build_deck(control_interface(form.control), {tools, {}, bars}).ok());
      ASSERT_TRUE(put(form.control, L"ShowToolTips", Var(false)).ok());

      // The three tools sit 23 pixels apart in the top area, above the client area.
      const int a = 12, s = 35, b = 58, y = -23;
      for (auto [x, id] : {std::pair{a, L"A"}, std::pair{s, L"S"}, std::pair{b, L"B"}}) {
        const CallResult found = call(form.control, L"ToolFromPosition", {Var(double(x)), Var(double(y))});
        IDispatch* tool = found.value.object();
        ASSERT_TRUE(tool && get(tool, L"ID").value.as_text() == id) << "no tool at " << x;
      }
      RealInput mouse(form);

      mouse.move(a, y);
      EXPECT_EQ(mouse.events_until(L"ToolEnter A"), (Names{L"ToolBarEnter Bar", L"ToolEnter A"}));
      mouse.click(a, y);
      EXPECT_EQ(mouse.events_until(L"ToolClick A"), (Names{L"MouseDown 1", L"MouseUp 1", L"ToolClick A"}));

      // A state button toggles with each click.
      IDispatch* all_tools = get_object(form.control, L"Tools");
      IDispatch* state_tool = get_object(all_tools, L"Item", {Var(L"S")});
      all_tools->Release();
      mouse.click(s, y);
      EXPECT_EQ(mouse.events_until(L"ToolClick S"),
                (Names{L"ToolExit A", L"ToolEnter S", L"MouseDown 1", L"MouseUp 1", L"ToolClick S"}));
      EXPECT_EQ(get(state_tool, L"State").value.as_long(), 1);
      mouse.release(s, y);  // a stray release clicks nothing
      mouse.click(s + 6, y);  // beside the first click, so not a double click
      EXPECT_EQ(mouse.events_until(L"ToolClick S"), (Names{L"MouseUp 1", L"MouseDown 1", L"MouseUp 1", L"ToolClick S"}));
      EXPECT_EQ(get(state_tool, L"State").value.as_long(), 0);
      state_tool->Release();

      // Pressed on A, released over B: nothing is clicked.
      mouse.press(a, y);
      mouse.move(b, y);
      mouse.release(b, y);
      EXPECT_EQ(mouse.events_until(L"MouseUp 1"),
                (Names{L"ToolExit S", L"ToolEnter A", L"MouseDown 1", L"ToolExit A", L"ToolEnter B", L"MouseUp 1"}));

      // Another window takes the capture while A is pressed: the press is over.
      mouse.press(a + 5, y);  // beside the last press, so not a double click
      EXPECT_EQ(mouse.events_until(L"MouseDown 1"), (Names{L"ToolExit B", L"ToolEnter A", L"MouseDown 1"}));
      // The top area's own window holds the capture: hidden, owned by the host,
      // over the area, naming the area and the control.
      holder = GetCapture();
      ASSERT_NE(holder, nullptr);
      wchar_t class_name[16] = {};
      GetClassNameW(holder, class_name, 16);
      EXPECT_STREQ(class_name, L"MzDock");
      EXPECT_FALSE(IsWindowVisible(holder));
      EXPECT_EQ(GetWindow(holder, GW_OWNER), form.window);
      EXPECT_EQ(GetPropW(holder, L"MzDockProp"), reinterpret_cast<HANDLE>(1));
      EXPECT_EQ(GetPropW(holder, L"MzControlProp"), GetPropW(form.window, L"MzControlProp"));
      RECT covered{}, client{};
      GetWindowRect(holder, &covered);
      GetClientRect(form.window, &client);
      const POINT client_origin = mouse.screen(0, 0);
      const long top_height = call(form.control, L"GetDockHeight", {Var(short{mzDockedTop})}).value.as_long();
      EXPECT_EQ(covered.left, client_origin.x);
      EXPECT_EQ(covered.bottom, client_origin.y);
      EXPECT_EQ(covered.right - covered.left, client.right);
      EXPECT_EQ(covered.bottom - covered.top, top_height);
      HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
      SetCapture(other);
      ReleaseCapture();
      DestroyWindow(other);
      mouse.release(a, y);
      mouse.click(300, -10);  // on the area, off the toolbar
      EXPECT_EQ(mouse.events_until(L"Click"),
                (Names{L"MouseUp 1", L"ToolExit A", L"ToolBarExit Bar", L"MouseDown 1", L"MouseUp 1", L"Click"}));

      // A double click on a tool clicks it twice and reports the double click.
      mouse.click(b, y);
      mouse.click(b, y);
      EXPECT_EQ(mouse.events_until(L"ToolClick B"),
                (Names{L"ToolBarEnter Bar", L"ToolEnter B", L"MouseDown 1", L"MouseUp 1", L"ToolClick B"}));
      EXPECT_EQ(mouse.events_until(L"ToolClick B"), (Names{L"DblClick", L"ToolDblClick B", L"MouseUp 1", L"ToolClick B"}));
      POINT released{};  // where the pointer was let go, in host client coordinates
      GetCursorPos(&released);
      ScreenToClient(form.window, &released);

      // Into the client area: the hot-tool worker notices the pointer left.
      mouse.move(100, 100);
      EXPECT_EQ(mouse.events_until(L"ToolBarExit Bar"), (Names{L"ToolExit B", L"ToolBarExit Bar"}));

      // Mouse events report host client coordinates.
      const FiredEvent& up = *std::find_if(mouse.all_events().rbegin(), mouse.all_events().rend(),
                                           [](const FiredEvent& e) { return e.dispid == DISPID_DMzToolBarsEvents_MouseUp; });
      EXPECT_EQ(up.args.at(2).as_long(), released.x);
      EXPECT_EQ(up.args.at(3).as_long(), released.y);
    }
    // The area's window goes with the control and its host.
    EXPECT_FALSE(IsWindow(holder));
  });
}

TEST(DockedMouse, TheHotToolShowsItsTooltipAfterTheDelay) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_in_front(form));
    ASSERT_TRUE(build_one_button(form, L"&Open"));
    ASSERT_TRUE(put(form.control, L"ToolTipDelay", Var(short{1})).ok());
    RealInput mouse(form);

    mouse.move(12, -23);
    mouse.events_until(L"ToolEnter A");
    HWND tip = nullptr;
    EXPECT_TRUE(pump_until([&] {
      tip = FindWindowW(L"MzToolTip", nullptr);
      return tip && IsWindowVisible(tip);
    }));
    wchar_t text[32] = {};
    GetWindowTextW(tip, text, 32);
    EXPECT_STREQ(text, L"Open");

    // Pressing the tool hides it.
    mouse.press(12, -23);
    mouse.events_until(L"MouseDown 1");
    EXPECT_FALSE(IsWindowVisible(tip));
    mouse.release(12, -23);
    mouse.events_until(L"ToolClick A");
  });
}

// Keeps the points of the context-menu requests the tracker window receives.
LRESULT CALLBACK record_context_menu(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                     DWORD_PTR points) {
  if (message == 4031) reinterpret_cast<std::vector<LPARAM>*>(points)->push_back(lparam);
  return DefSubclassProc(window, message, wparam, lparam);
}

TEST(DockedMouse, ARightPressOverTheBarsAsksTheTrackerForTheContextMenu) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_in_front(form));
    ASSERT_TRUE(build_one_button(form, L""));
    ASSERT_TRUE(put(form.control, L"ShowToolTips", Var(false)).ok());
    RealInput mouse(form);
    mouse.move(12, -23);
    mouse.events_until(L"ToolEnter A");
    const HWND tracker = FindWindowExW(form.window, nullptr, L"MzTracker", nullptr);
    ASSERT_NE(tracker, nullptr);
    std::vector<LPARAM> asked;
    ASSERT_TRUE(SetWindowSubclass(tracker, record_context_menu, 1, reinterpret_cast<DWORD_PTR>(&asked)));

    // Over a tool and in the host's client area (which is the host's own),
    // then over the area beside the toolbar: two requests, at the pointer.
    mouse.right_click(12, -23);
    mouse.events_until(L"MouseUp 2");
    mouse.right_click(100, 100);
    mouse.right_click(300, -10);
    mouse.events_until(L"Click");
    EXPECT_TRUE(pump_until([&] { return asked.size() >= 2; }));
    const POINT on_tool = mouse.screen(12, -23), on_area = mouse.screen(300, -10);
    EXPECT_EQ(asked, (std::vector<LPARAM>{MAKELPARAM(on_tool.x, on_tool.y), MAKELPARAM(on_area.x, on_area.y)}));
    RemoveWindowSubclass(tracker, record_context_menu, 1);
  });
}

// A pixel of the host's frame, at (x, y) of its client area's coordinates.
TEST(DockedMouse, TheHotToolIsDrawnRaisedAndSunkenWhilePressed) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_one_button_in_pixels(form, L""));
    const COLORREF back = RGB(0, 128, 64);
    ASSERT_TRUE(put(form.control, L"BackColor", Var(static_cast<int32_t>(back))).ok());

    // The tool's rectangle in its area, and the area above the client area.
    IDispatch* toolbars = get_object(form.control, L"ToolBars");
    IDispatch* toolbar = get_object(toolbars, L"Item", {Var(L"Bar")});
    IDispatch* placed_tools = get_object(toolbar, L"Tools");
    IDispatch* tool = get_object(placed_tools, L"Item", {Var(L"A")});
    const int area_top = -call(form.control, L"GetDockHeight", {Var(short{mzDockedTop})}).value.as_long();
    const int left = get(tool, L"Left").value.as_long(), top = area_top + get(tool, L"Top").value.as_long();
    const int right = left + get(tool, L"Width").value.as_long() - 1;
    const int bottom = top + get(tool, L"Height").value.as_long() - 1;
    for (IDispatch* object : {tool, placed_tools, toolbar, toolbars}) object->Release();
    ASSERT_GT(right, left);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    auto corners_are = [&](COLORREF top_left, COLORREF bottom_right) {
      return pump_until([&] {
        return frame_pixel(form.window, left, top) == top_left &&
               frame_pixel(form.window, right, bottom) == bottom_right;
      });
    };

    // The area shows its background colour beside the toolbar, and a tool
    // that is not hot has no frame.
    EXPECT_TRUE(pump_until([&] { return frame_pixel(form.window, 300, area_top + 2) == back; }));
    EXPECT_TRUE(corners_are(back, back));
    RealInput mouse(form);
    mouse.move(left + 4, top + 4);
    mouse.events_until(L"ToolEnter A");
    EXPECT_TRUE(corners_are(highlight, shadow)) << "raised while hot";
    mouse.press(left + 4, top + 4);
    mouse.events_until(L"MouseDown 1");
    EXPECT_TRUE(corners_are(shadow, highlight)) << "sunken while pressed";
    mouse.release(left + 4, top + 4);
    mouse.events_until(L"ToolClick A");
    EXPECT_TRUE(corners_are(highlight, shadow)) << "raised again once released";
    mouse.move(300, area_top + 2);
    mouse.events_until(L"ToolExit A");
    EXPECT_TRUE(corners_are(back, back));
  });
}

// A 4 x 4 picture object: its top-left pixel red, the others blue.
IDispatch* corner_picture() {
  const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; i < 16; ++i) pixels[i] = i == 0 ? 0x00FF0000 : 0x000000FF;
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  IDispatch* picture = nullptr;
  OleCreatePictureIndirect(&description, IID_IDispatch, TRUE, reinterpret_cast<void**>(&picture));
  return picture;
}

TEST(DockedMouse, ATiledBackgroundPictureStartsAtTheAreasOriginAndMayLeaveItsMaskColourOut) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_one_button_in_pixels(form, L""));
    const COLORREF back = RGB(0, 128, 64), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    ASSERT_TRUE(put(form.control, L"BackColor", Var(static_cast<int32_t>(back))).ok());
    IDispatch* picture = corner_picture();
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(put(form.control, L"PictureBackgroundStyle", Var(short{2})).ok());
    ASSERT_TRUE(put_ref(form.control, L"PictureBackground", Var(picture)).ok());
    picture->Release();

    // Off the toolbar, the tiles repeat every 4 pixels from the area's origin.
    const int top = -call(form.control, L"GetDockHeight", {Var(short{mzDockedTop})}).value.as_long();
    auto tiles_show = [&](COLORREF others) {
      return pump_until([&] {
        return frame_pixel(form.window, 296, top) == red && frame_pixel(form.window, 297, top) == others &&
               frame_pixel(form.window, 296, top + 1) == others && frame_pixel(form.window, 300, top + 4) == red &&
               frame_pixel(form.window, 299, top + 3) == others;
      });
    };
    EXPECT_TRUE(tiles_show(blue));
    ASSERT_TRUE(put(form.control, L"PictureBackgroundMaskColor", Var(static_cast<int32_t>(blue))).ok());
    ASSERT_TRUE(put(form.control, L"PictureBackgroundUseMask", Var(true)).ok());
    EXPECT_TRUE(tiles_show(back)) << "the mask colour shows the background colour";
  });
}

// A picture for a tool: a 16 x 16 bitmap, white with a coloured square.
HBITMAP square_picture(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all{0, 0, 16, 16}, inside{4, 4, 12, 12};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &inside, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

// Gives the tool a new picture through PictureBmp, which keeps a copy.
bool give_picture(IDispatch* tool, COLORREF colour) {
  HBITMAP bitmap = square_picture(colour);
  const bool given =
      put(tool, L"PictureBmp", Var(static_cast<int32_t>(reinterpret_cast<INT_PTR>(bitmap)))).ok();
  DeleteObject(bitmap);
  return given;
}

TEST(DockedMouse, RepaintsAndPropertyChangesLeaveNoGdiObjectsBehind) {
  on_fresh_thread([] {
    Form form;
    ASSERT_TRUE(host_one_button_in_pixels(form, L"Open"));
    IDispatch* tools = get_object(form.control, L"Tools");
    IDispatch* tool = get_object(tools, L"Item", {Var(L"A")});
    tools->Release();
    RealInput mouse(form);

    // Hover and press repaint the band; colour puts repaint the areas;
    // pictures, icon size and style changes build images and lay out again.
    int round = 0;
    auto churn = [&] {
      ++round;
      EXPECT_TRUE(put(form.control, L"BackColor", Var(static_cast<int32_t>(RGB(round % 256, 128, 64)))).ok());
      EXPECT_TRUE(put(form.control, L"ForeColor", Var(static_cast<int32_t>(RGB(0, round % 256, 0)))).ok());
      if (round % 10 == 0) {
        EXPECT_TRUE(give_picture(tool, RGB(round % 256, 0, 0)));
        EXPECT_TRUE(put(tool, L"Enabled", Var(round % 20 == 0)).ok());
        EXPECT_TRUE(put(form.control, L"LargeIcons", Var(round % 30 == 0)).ok());
        EXPECT_TRUE(put(form.control, L"Style", Var(short(round % 20 == 0 ? 0 : 1))).ok());
      }
      if (round % 100 == 50) {  // small icons now, so the tool is where it starts
        mouse.move(12, -23);
        mouse.events_until(L"ToolEnter A");
        mouse.move(300, -10);
        mouse.events_until(L"ToolExit A");
      }
    };
    for (int i = 0; i < 100; ++i) churn();  // the platform's own first-use objects
    const int room_before = quarrow::test::gdi_room();
    ASSERT_GT(room_before, 2000);
    for (int i = 0; i < 1000; ++i) churn();
    EXPECT_LT(room_before - quarrow::test::gdi_room(), 10);
    tool->Release();
  });
}

}  // namespace
}  // namespace mz::test
