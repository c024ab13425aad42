// The control in a container: ambient properties, in-place activation, the
// window set-up with the thread's hooks, one control per host window, and the
// coordinates of the position methods. Each case runs on a thread of its own,
// so that its thread's list of live controls starts empty.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "com_test_support.h"
#include "control_diagnostics.h"
#include "deck_builder_win32.h"
#include "dispatch_ids.h"
#include "hosting_support.h"
#include "pixel_canvas_win32.h"
#include "test_container.h"

namespace mz::test {
namespace {

// How many of the calling thread's four hooks are installed, as the control sees them.
int installed_hooks(IDispatch* control) {
  IControlDiagnostics* diagnostics = nullptr;
  if (FAILED(control->QueryInterface(kIidControlDiagnostics, reinterpret_cast<void**>(&diagnostics)))) return -1;
  HHOOK hooks[4] = {};
  diagnostics->GetThreadHooks(hooks);
  diagnostics->Release();
  int count = 0;
  for (HHOOK hook : hooks) count += hook != nullptr;
  return count;
}

TEST(Hosting, RunTimeSiteActivatesInvisiblyInstallsHooksAndNamesTheControl) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    EXPECT_EQ(form.site.activations, 1);
    EXPECT_EQ(installed_hooks(form.control), 4);
    EXPECT_EQ(GetPropW(form.window, L"MzControlProp"), control_interface(form.control));

    IOleInPlaceObject* in_place = nullptr;
    ASSERT_EQ(form.control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&in_place)), S_OK);
    HWND own = nullptr;
    ASSERT_EQ(in_place->GetWindow(&own), S_OK);
    EXPECT_EQ(GetParent(own), form.window);
    EXPECT_FALSE(GetWindowLongW(own, GWL_STYLE) & WS_VISIBLE);  // invisible at run time
    in_place->Release();

    IOleObject* object = nullptr;
    form.control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
    DWORD status = 0;
    object->GetMiscStatus(DVASPECT_CONTENT, &status);
    EXPECT_TRUE(status & OLEMISC_INVISIBLEATRUNTIME);
    object->Release();
    EXPECT_EQ(get(form.control, L"Redraw").value.as_long(), -1);

    form.unload();
    EXPECT_EQ(GetPropW(form.window, L"MzControlProp"), nullptr);
  });
}

TEST(Hosting, HooksComeWithTheFirstControlOfAThreadAndGoWithTheLast) {
  on_fresh_thread([] {
    auto first = std::make_unique<Form>();
    auto second = std::make_unique<Form>();
    ASSERT_EQ(first->host(), S_OK);
    ASSERT_EQ(second->host(), S_OK);
    IDispatch* observer = ControlTest::create_control();  // unsited: a member of the thread's list too
    EXPECT_EQ(installed_hooks(observer), 4);
    first.reset();
    EXPECT_EQ(installed_hooks(observer), 4);
    second.reset();
    EXPECT_EQ(installed_hooks(observer), 4);  // the observer still lives on this thread
    observer->Release();

    // Another control on the thread: its set-up installs them; its end removes them.
    auto third = std::make_unique<Form>();
    ASSERT_EQ(third->host(), S_OK);
    IDispatch* probe = third->control;
    probe->AddRef();
    EXPECT_EQ(installed_hooks(probe), 4);
    third->unload();
    EXPECT_EQ(installed_hooks(probe), 4);  // the probe keeps the control alive
    probe->Release();
    IDispatch* fresh = ControlTest::create_control();
    EXPECT_EQ(installed_hooks(fresh), 0);  // the last control took them when it went
    fresh->Release();
  });
}

TEST(Hosting, OnlyOneControlPerHostWindow) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);

    // The second control's message box blocks InitNew; a watcher reads and closes it.
    std::vector<std::wstring> box_texts;
    bool box_has_owner = true;
    std::thread watcher([&] {
      for (int tries = 0; tries < 600; ++tries) {
        HWND box = FindWindowW(L"#32770", L"ToolDeck Plus Error");
        if (box) {
          box_has_owner = GetWindow(box, GW_OWNER) != nullptr;
          EnumChildWindows(
              box,
              [](HWND child, LPARAM texts) {
                wchar_t text[256] = {};
                GetWindowTextW(child, text, 256);
                reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
                return TRUE;
              },
              reinterpret_cast<LPARAM>(&box_texts));
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    });
    TestSite second_site(form.window);
    IDispatch* second = ControlTest::create_control();
    IOleObject* object = nullptr;
    second->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
    object->SetClientSite(&second_site);
    IPersistStreamInit* persist = nullptr;
    second->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    EXPECT_EQ(persist->InitNew(), static_cast<HRESULT>(0x80040007));
    watcher.join();

    EXPECT_NE(std::find(box_texts.begin(), box_texts.end(),
                        L"Only one control allowed per form, if an error is displayed after this just press OK to "
                        L"continue."),
              box_texts.end());
    EXPECT_FALSE(box_has_owner);
    // The first control is unaffected.
    EXPECT_EQ(GetPropW(form.window, L"MzControlProp"), control_interface(form.control));
    EXPECT_TRUE(put(form.control, L"BackColor", Var(0x00FF00)).ok());
    IDispatch* tools = get_object(form.control, L"Tools");
    EXPECT_TRUE(call(tools, L"Add", {Var(L"ID_Open")}).ok());
    tools->Release();

    object->SetClientSite(nullptr);
    object->Release();
    persist->Release();
    second->Release();

    // A control on another form is fine.
    Form other;
    EXPECT_EQ(other.host(), S_OK);
  });
}

// Loading saved state into a second control of the same host window fails
// like InitNew does, and loads nothing.
TEST(Hosting, LoadingSavedStateAppliesTheOneControlRule) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    IDispatch* tools = get_object(form.control, L"Tools");
    ASSERT_TRUE(call(tools, L"Add", {Var(L"ID_Open")}).ok());
    tools->Release();
    IPersistStreamInit* first = nullptr;
    form.control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&first));
    IStream* saved = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &saved), S_OK);
    ASSERT_EQ(first->Save(saved, FALSE), S_OK);
    first->Release();

    std::atomic<bool> done{false};
    std::atomic<int> boxes{0};
    std::thread watcher([&] {
      while (!done) {
        if (HWND box = FindWindowW(L"#32770", L"ToolDeck Plus Error")) {
          ++boxes;
          SendMessageW(box, WM_COMMAND, IDOK, 0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
    TestSite second_site(form.window);
    IDispatch* second = ControlTest::create_control();
    IOleObject* object = nullptr;
    second->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
    object->SetClientSite(&second_site);
    IPersistStreamInit* persist = nullptr;
    second->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    LARGE_INTEGER zero{};
    saved->Seek(zero, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(persist->Load(saved), static_cast<HRESULT>(0x80040007));
    done = true;
    watcher.join();
    EXPECT_EQ(boxes, 1);
    IDispatch* second_tools = get_object(second, L"Tools");
    EXPECT_EQ(get(second_tools, L"Count").value.as_long(), 0);
    second_tools->Release();

    object->SetClientSite(nullptr);
    object->Release();
    persist->Release();
    second->Release();
    saved->Release();
  });
}

TEST(Hosting, TheControlTakesACopyOfTheAmbientFont) {
  on_fresh_thread([] {
    wchar_t face[] = L"Tahoma";
    FONTDESC description{sizeof(FONTDESC), face, {{100000, 0}}, FW_BOLD, ANSI_CHARSET, FALSE, FALSE, FALSE};
    IFontDisp* ambient = nullptr;
    ASSERT_EQ(OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&ambient)), S_OK);
    Form form;
    form.site.font = ambient;
    ASSERT_EQ(form.host(), S_OK);
    IDispatch* font = get_object(form.control, L"Font");
    ASSERT_NE(font, nullptr);
    // Wine substitutes fonts it lacks, so the name is compared with the
    // ambient font's own report of it.
    EXPECT_EQ(get(font, L"Name").value.as_text(), get(ambient, L"Name").value.as_text());
    EXPECT_EQ(get(font, L"Size").value.as_long(), 10);
    EXPECT_EQ(get(font, L"Bold").value.as_long(), -1);
    font->Release();
    // A copy: the container's later changes do not reach the control.
    put(ambient, L"Size", Var(20));
    put(ambient, L"Bold", Var(false));
    font = get_object(form.control, L"Font");
    EXPECT_EQ(get(font, L"Size").value.as_long(), 10);
    EXPECT_EQ(get(font, L"Bold").value.as_long(), -1);
    font->Release();
    form.unload();
    ambient->Release();
  });
}

TEST(Hosting, DesignTimeRules) {
  on_fresh_thread([] {
    Form form(false);
    ASSERT_EQ(form.host(), S_OK);
    EXPECT_EQ(installed_hooks(form.control), 0);  // hooks are for run time

    CallResult read = get(form.control, L"Redraw");
    EXPECT_EQ(read.error_code, 394);
    EXPECT_EQ(read.description, L"Property unavailable at design time");
    CallResult write = put(form.control, L"Redraw", Var(false));
    EXPECT_EQ(write.error_code, 383);
    EXPECT_EQ(write.description, L"Property is read-only");

    IDispatch* tools = get_object(form.control, L"Tools");
    IDispatch* combo = call_object(tools, L"Add", {Var(L"ID_Find"), Var(4)});
    EXPECT_EQ(get(combo, L"ComboBox").error_code, 394);
    IDispatch* toolbars = get_object(form.control, L"ToolBars");
    EventSink sink;
    sink.connect(form.control);
    IDispatch* bar = call_object(toolbars, L"Add", {Var(L"Standard")});
    EXPECT_TRUE(sink.events.empty());  // toolbar changes are reported at run time only
    sink.disconnect();
    EXPECT_EQ(get(bar, L"Stock").value.as_long(), -1);
    EXPECT_EQ(get(bar, L"DisplayMoreToolsButton").value.as_long(), -1);
    for (IDispatch* held : {bar, toolbars, combo, tools}) held->Release();

    IOleInPlaceObject* in_place = nullptr;
    form.control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&in_place));
    HWND own = nullptr;
    in_place->GetWindow(&own);
    EXPECT_TRUE(GetWindowLongW(own, GWL_STYLE) & WS_VISIBLE);  // the placeholder shows in the designer
    in_place->Release();

    // The container switching to run mode tells the control.
    form.site.user_mode = true;
    IOleControl* ole_control = nullptr;
    form.control->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&ole_control));
    ole_control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    ole_control->Release();
    EXPECT_EQ(get(form.control, L"Redraw").value.as_long(), -1);
  });
}

TEST(Hosting, TheContainersViewShowsThePlaceholder) {
  on_fresh_thread([] {
    Form form(false);
    ASSERT_EQ(form.host(), S_OK);
    IViewObject2* view = nullptr;
    ASSERT_EQ(form.control->QueryInterface(IID_IViewObject2, reinterpret_cast<void**>(&view)), S_OK);

    // Drawn into the bounds given: a raised edge around button face, the
    // toolbox picture in the middle, nothing outside the bounds.
    quarrow::test::PixelCanvas canvas(60, 50, RGB(0x12, 0x34, 0x56));
    const RECTL bounds{5, 5, 55, 45};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0),
              S_OK);
    EXPECT_EQ(canvas.at(2, 2), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(canvas.at(5, 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.at(6, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.at(54, 44), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.at(8, 8), GetSysColor(COLOR_BTNFACE));
    int picture_pixels = 0;
    for (int y = 20; y < 30; ++y)
      for (int x = 22; x < 38; ++x) picture_pixels += canvas.at(x, y) != GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(picture_pixels, 20);

    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0),
              DV_E_DVASPECT);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &bounds, nullptr, nullptr, 0),
              E_INVALIDARG);

    // The view's extent is the object's.
    IOleObject* object = nullptr;
    form.control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
    SIZEL set{2000, 700}, seen{}, object_seen{};
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &set), S_OK);
    EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &seen), S_OK);
    object->GetExtent(DVASPECT_CONTENT, &object_seen);
    EXPECT_EQ(seen.cx, object_seen.cx);
    EXPECT_EQ(seen.cy, object_seen.cy);
    object->Release();
    view->Release();
  });
}

TEST(Hosting, EnabledAtRunTimeInstallsTheHooksAfresh) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    for (bool value : {true, false, true}) {
      EXPECT_TRUE(put(form.control, L"Enabled", Var(value)).ok());
      EXPECT_EQ(installed_hooks(form.control), 4);
      EXPECT_EQ(get(form.control, L"Enabled").value.as_long(), value ? -1 : 0);
    }
  });
}

// Over a child window of the host the mouse hook sees messages for the
// child, never for the host: the hover worker must not take that for lost
// hooks and have them installed afresh.
TEST(Hosting, TheHoverWorkerLeavesTheHooksAloneOverAChildOfTheHost) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    ShowWindow(form.window, SW_SHOWNOACTIVATE);
    RECT client{};
    GetClientRect(form.window, &client);
    HWND child = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                                 form.window, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    IControlDiagnostics* diagnostics = nullptr;
    ASSERT_EQ(form.control->QueryInterface(kIidControlDiagnostics, reinterpret_cast<void**>(&diagnostics)), S_OK);
    auto counts = [&] {
      LONG polls = 0, reports = 0;
      diagnostics->GetHoverCounts(&polls, &reports);
      return std::pair{polls, reports};
    };

    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(form.window, &centre);
    ASSERT_EQ(WindowFromPoint(centre), child);
    const LONG start = counts().first;
    SetCursorPos(centre.x, centre.y);
    // Enough polls for the worker to have seen the move and judged it.
    EXPECT_TRUE(pump_until([&] { return counts().first >= start + 4; }));
    EXPECT_EQ(counts().second, 0);
    diagnostics->Release();
    DestroyWindow(child);
  });
}

// What the about box showed, read by a timer inside its modal loop.
std::wstring about_name, about_version;

void CALLBACK read_and_close_about_box(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", L"About ToolDeck");
  if (!dialog) return;
  KillTimer(nullptr, timer);
  wchar_t text[128] = L"";
  GetDlgItemTextW(dialog, 101, text, 128);
  about_name = text;
  GetDlgItemTextW(dialog, 102, text, 128);
  about_version = text;
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(Hosting, AboutBoxShowsTheControlsNameAndVersionUntilClosed) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    about_name.clear();
    about_version.clear();
    SetTimer(nullptr, 0, 20, read_and_close_about_box);
    EXPECT_TRUE(call(form.control, L"AboutBox").ok());
    EXPECT_EQ(about_name, L"ToolDeck command-bar control (MzDeck2)");
    EXPECT_EQ(about_version, L"Version 2.0");
  });
}

TEST(Hosting, AttachWindowMovesTheControlToAnotherWindow) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    CallResult refused = call(form.control, L"AttachWindow", {Var(0x12345)});
    EXPECT_EQ(refused.error_code, 380);
    EXPECT_EQ(GetPropW(form.window, L"MzControlProp"), control_interface(form.control));

    EXPECT_TRUE(call(form.control, L"AttachWindow", {Var(static_cast<int32_t>(reinterpret_cast<INT_PTR>(other)))}).ok());
    EXPECT_EQ(GetPropW(form.window, L"MzControlProp"), nullptr);
    EXPECT_EQ(GetPropW(other, L"MzControlProp"), control_interface(form.control));
    EXPECT_EQ(installed_hooks(form.control), 4);
    form.unload();
    EXPECT_EQ(GetPropW(other, L"MzControlProp"), nullptr);
    DestroyWindow(other);
  });
}

TEST(Hosting, AnUnsitedControlCanBeAttachedToAWindow) {
  on_fresh_thread([] {
    HWND window = CreateWindowExW(0, L"STATIC", L"script host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    IDispatch* control = ControlTest::create_control();
    EXPECT_EQ(installed_hooks(control), 0);
    EXPECT_TRUE(call(control, L"AttachWindow", {Var(static_cast<int32_t>(reinterpret_cast<INT_PTR>(window)))}).ok());
    EXPECT_EQ(installed_hooks(control), 4);
    EXPECT_EQ(GetPropW(window, L"MzControlProp"), control_interface(control));
    control->Release();
    DestroyWindow(window);
  });
}

TEST(Hosting, PositionMethodsTakeContainerUnits) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    struct Case {
      const wchar_t* units;
      size_t transforms;  // TransformCoords calls expected for the three methods
    } cases[] = {{L"twips", 3}, {L"Pixels", 0}};
    for (const auto& c : cases) {
      form.site.scale_units = c.units;
      form.site.transformed.clear();
      EXPECT_EQ(call(form.control, L"WhereIs", {Var(1440.0), Var(720.0)}).value.as_long(), mzWhereIsNone);
      EXPECT_EQ(call(form.control, L"ToolFromPosition", {Var(1440.0), Var(720.0)}).value.object(), nullptr);
      EXPECT_EQ(call(form.control, L"ToolBarFromPosition", {Var(1440.0), Var(720.0)}).value.object(), nullptr);
      ASSERT_EQ(form.site.transformed.size(), c.transforms);
      if (c.transforms) {
        EXPECT_EQ(form.site.transformed[0].x, 1440.0f);
        EXPECT_EQ(form.site.transformed[0].y, 720.0f);
        EXPECT_EQ(form.site.transform_flags, static_cast<DWORD>(XFORMCOORDS_POSITION | XFORMCOORDS_CONTAINERTOHIMETRIC));
      }
    }
  });
}

// One toolbar of two 22-pixel buttons docked on top; its grab handle is 10,
// so it is 58 long and 26 thick, and the top area 27 with its pixel line.
TEST(Hosting, DockedToolbarsAreCutOutOfTheHostsClientAreaAndHitTested) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    form.site.scale_units = L"Pixels";
    // Shown and on top of other test programs' windows, so that the points
    // asked about are over it.
    SetWindowPos(form.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    RECT empty{};
    GetClientRect(form.window, &empty);
    EXPECT_EQ(call(form.control, L"GetDockHeight", {Var(mzDockedTop)}).value.as_long(), 0);

    const client::ToolEntry tools[] = {{L"A", mzTypeButton, L""}, {L"B", mzTypeButton, L""}};
    const client::Placement placed[] = {{L"A"}, {L"B"}};
    const client::ToolbarEntry bars[] = {{L"Bar", mzStandard, mzDockedTop, 1, placed}};
    IMzToolBarControl* named = control_interface(form.control);
    ASSERT_TRUE(client::build_deck(named, {tools, {}, bars}).ok());

    RECT docked{};
    GetClientRect(form.window, &docked);
    EXPECT_EQ(empty.bottom - docked.bottom, 27);
    EXPECT_EQ(docked.right, empty.right);
    EXPECT_EQ(call(form.control, L"GetDockHeight", {Var(mzDockedTop)}).value.as_long(), 27);
    EXPECT_EQ(call(form.control, L"GetDockWidth", {Var(mzDockedTop)}).value.as_long(), empty.right);
    EXPECT_EQ(call(form.control, L"GetDockWidth", {Var(mzDockedLeft)}).value.as_long(), 0);

    // Client coordinates: the area lies above the client area, from y -27.
    struct Case {
      int x, y;
      Constants_WhereIs where;
      const wchar_t* tool;
    } cases[] = {{12, -23, mzWhereIsTool, L"A"},   {35, -23, mzWhereIsTool, L"B"},
                 {3, -23, mzWhereIsToolBar, nullptr}, {300, -10, mzWhereIsTopDock, nullptr},
                 {100, 100, mzWhereIsNone, nullptr}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.x);
      const std::vector<client::Variant> at{Var(double(c.x)), Var(double(c.y))};
      EXPECT_EQ(call(form.control, L"WhereIs", at).value.as_long(), c.where);
      const CallResult found_tool = call(form.control, L"ToolFromPosition", at);
      IDispatch* tool = found_tool.value.object();
      EXPECT_EQ(tool ? get(tool, L"ID").value.as_text() : L"", c.tool ? c.tool : L"");
      const CallResult found_toolbar = call(form.control, L"ToolBarFromPosition", at);
      IDispatch* toolbar = found_toolbar.value.object();
      EXPECT_EQ(toolbar ? get(toolbar, L"Name").value.as_text() : L"",
                c.where == mzWhereIsTool || c.where == mzWhereIsToolBar ? L"Bar" : L"");
    }

    // Hidden, the toolbar gives its room back.
    IDispatch* toolbars = get_object(form.control, L"ToolBars");
    IDispatch* bar = get_object(toolbars, L"Item", {Var(L"Bar")});
    ASSERT_TRUE(put(bar, L"Visible", Var(false)).ok());
    RECT hidden{};
    GetClientRect(form.window, &hidden);
    EXPECT_EQ(hidden.bottom, empty.bottom);
    EXPECT_EQ(call(form.control, L"WhereIs", {Var(12.0), Var(-23.0)}).value.as_long(), mzWhereIsNone);
    bar->Release();
    toolbars->Release();
  });
}

TEST(Hosting, AHostsNativeMenuGivesWayToTheDockAreas) {
  on_fresh_thread([] {
    Form form;
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&File");
    ASSERT_TRUE(SetMenu(form.window, menu));
    ASSERT_EQ(form.host(), S_OK);
    EXPECT_EQ(GetMenu(form.window), nullptr);
    EXPECT_TRUE(IsMenu(menu)) << "the menu stays the host's";
    DestroyMenu(menu);
  });
}

TEST(Hosting, LargeIconsLaysOutAgainBeforeIconSizeChanged) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    const client::ToolEntry tools[] = {{L"A", mzTypeButton, L""}};
    const client::Placement placed[] = {{L"A"}};
    const client::ToolbarEntry bars[] = {{L"Bar", mzStandard, mzDockedTop, 1, placed}};
    ASSERT_TRUE(client::build_deck(control_interface(form.control), {tools, {}, bars}).ok());
    auto dock_height = [&] { return call(form.control, L"GetDockHeight", {Var(mzDockedTop)}).value.as_long(); };
    const long small = dock_height();

    EventSink sink;
    sink.connect(form.control);
    long seen_in_event = 0;
    sink.on_event = [&](const FiredEvent& event) {
      if (event.dispid == DISPID_DMzToolBarsEvents_IconSizeChanged) seen_in_event = dock_height();
    };
    ASSERT_TRUE(put(form.control, L"LargeIcons", Var(true)).ok());
    const long large = seen_in_event;
    EXPECT_GT(large, small);
    EXPECT_EQ(dock_height(), large);

    // Back to small icons, the client area grows back at once.
    RECT before{};
    GetClientRect(form.window, &before);
    ASSERT_TRUE(put(form.control, L"LargeIcons", Var(false)).ok());
    RECT after{};
    GetClientRect(form.window, &after);
    EXPECT_EQ(after.bottom - before.bottom, large - small);
    EXPECT_EQ(seen_in_event, small);
    sink.disconnect();
  });
}

// Counts the host window's frame computations, each of which lays the
// docked toolbars out.
LRESULT CALLBACK count_layouts(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR count) {
  if (message == WM_NCCALCSIZE) ++*reinterpret_cast<int*>(count);
  return DefSubclassProc(window, message, wparam, lparam);
}

TEST(Hosting, AToolbarMovedToAnotherPlaceIsLaidOutOnce) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    const client::ToolEntry tools[] = {{L"A", mzTypeButton, L""}};
    const client::Placement placed[] = {{L"A"}};
    const client::ToolbarEntry bars[] = {{L"One", mzStandard, mzDockedTop, 1, placed},
                                         {L"Two", mzStandard, mzDockedTop, 2, placed}};
    ASSERT_TRUE(client::build_deck(control_interface(form.control), {tools, {}, bars}).ok());
    IDispatch* toolbars = get_object(form.control, L"ToolBars");
    IDispatch* two = get_object(toolbars, L"Item", {Var(L"Two")});
    int layouts = 0;
    ASSERT_TRUE(SetWindowSubclass(form.window, count_layouts, 1, reinterpret_cast<DWORD_PTR>(&layouts)));
    const std::pair<const wchar_t*, Var> puts[] = {{L"DockedRow", Var(short{1})},
                                                  {L"DockedColumn", Var(short{1})},
                                                  {L"DockedStatus", Var(int32_t{mzDockedLeft})},
                                                  {L"Visible", Var(false)},
                                                  {L"Visible", Var(true)}};
    for (const auto& [name, value] : puts) {
      layouts = 0;
      ASSERT_TRUE(put(two, name, value).ok());
      EXPECT_EQ(layouts, 1) << "after a put of " << std::string(name, name + wcslen(name));
    }
    EXPECT_GT(call(form.control, L"GetDockHeight", {Var(mzDockedTop)}).value.as_long(), 0);
    EXPECT_GT(call(form.control, L"GetDockWidth", {Var(mzDockedLeft)}).value.as_long(), 0);
    RemoveWindowSubclass(form.window, count_layouts, 1);
    two->Release();
    toolbars->Release();
  });
}

TEST(Hosting, FrozenEventsAreNotFired) {
  on_fresh_thread([] {
    Form form;
    ASSERT_EQ(form.host(), S_OK);
    EventSink sink;
    sink.connect(form.control);
    IOleControl* ole_control = nullptr;
    form.control->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&ole_control));
    IDispatch* toolbars = get_object(form.control, L"ToolBars");
    ole_control->FreezeEvents(TRUE);
    call(toolbars, L"Add", {Var(L"Quiet")});
    ole_control->FreezeEvents(FALSE);
    call(toolbars, L"Add", {Var(L"Heard")});
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(get(sink.events[0].args[1].object(), L"Name").value.as_text(), L"Heard");
    toolbars->Release();
    ole_control->Release();
    sink.disconnect();
  });
}

}  // namespace
}  // namespace mz::test
