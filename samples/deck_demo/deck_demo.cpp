// ToolDeck demo: a resizable window hosting one toolbar control with a menu
// bar, three toolbars (one docked at the left) holding every type of tool,
// built through the control's object model at start, with pictures drawn in
// code. Every event the control fires is logged, by name, to the list that
// fills the window. F6 switches between the two styles, F7 turns large icons
// on and off.
//   deck_demo.exe    (MzDeck2.dll registered, or beside the program)
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "com_ptr.h"
#include "control_container_win32.h"
#include "deck_builder_win32.h"
#include "tool_icons_win32.h"
#include "late_binding_win32.h"
#include "object_creation_win32.h"

namespace {

using mz::client::kSeparatorId;
using mz::client::MenuEntry;
using mz::client::Placement;
using mz::client::ToolbarEntry;
using mz::client::ToolEntry;
using mz::com::ComPtr;

constexpr ToolEntry kTools[] = {
    {L"ID_File", mzTypeMenu, L"&File"},
    {L"ID_Edit", mzTypeMenu, L"&Edit"},
    {L"ID_View", mzTypeMenu, L"&View"},
    {L"ID_Help", mzTypeMenu, L"&Help"},
    {L"ID_Recent", mzTypeMenu, L"&Recent Files"},
    {L"ID_New", mzTypeButton, L"&New", L"New document"},
    {L"ID_Open", mzTypeButton, L"&Open...", L"Open a document"},
    {L"ID_Save", mzTypeButton, L"&Save", L"Save the document"},
    {L"ID_Print", mzTypeButton, L"&Print...", L"Print"},
    {L"ID_Exit", mzTypeButton, L"E&xit"},
    {L"ID_Undo", mzTypeDropDown, L"&Undo", L"Undo"},
    {L"ID_Align", mzTypeDropDownState, L"&Align", L"Align the text"},
    {L"ID_FindLabel", mzTypeLabel, L"Find:"},
    {L"ID_First", mzTypeButton, L"report.txt"},
    {L"ID_Second", mzTypeButton, L"notes.txt"},
    {L"ID_Cut", mzTypeButton, L"Cu&t", L"Cut"},
    {L"ID_Copy", mzTypeButton, L"&Copy", L"Copy"},
    {L"ID_Paste", mzTypeButton, L"&Paste", L"Paste"},
    {L"ID_Bold", mzTypeStateButton, L"&Bold", L"Bold"},
    {L"ID_Italic", mzTypeStateButton, L"&Italic", L"Italic"},
    {L"ID_Find", mzTypeEdit, L"Find:", L"Text to find", false, 100},
    {L"ID_Zoom", mzTypeComboBox, L"Zoom:", L"Zoom", false, 80},
    {L"ID_Grid", mzTypeStateButton, L"&Grid", L"Show the grid", true},
    {L"ID_Ruler", mzTypeStateButton, L"&Ruler", L"Show the ruler"},
    {L"ID_Contents", mzTypeButton, L"&Contents"},
    {L"ID_About", mzTypeButton, L"&About ToolDeck demo..."},
};

constexpr Placement kFileMenu[] = {
    {L"ID_New"}, {L"ID_Open"}, {L"ID_Save"}, {kSeparatorId}, {L"ID_Recent"}, {L"ID_Print"}, {kSeparatorId}, {L"ID_Exit"},
};
constexpr Placement kRecentMenu[] = {{L"ID_First"}, {L"ID_Second"}};
constexpr Placement kEditMenu[] = {{L"ID_Cut"}, {L"ID_Copy"}, {L"ID_Paste"}, {kSeparatorId}, {L"ID_Bold"},
                                       {L"ID_Italic"}};
constexpr Placement kViewMenu[] = {{L"ID_Grid"}, {L"ID_Ruler"}};
constexpr Placement kHelpMenu[] = {{L"ID_Contents"}, {kSeparatorId}, {L"ID_About"}};
constexpr MenuEntry kMenus[] = {
    {L"ID_File", kFileMenu}, {L"ID_Recent", kRecentMenu}, {L"ID_Edit", kEditMenu},
    {L"ID_View", kViewMenu}, {L"ID_Help", kHelpMenu},
};

constexpr Placement kMenuBar[] = {{L"ID_File"}, {L"ID_Edit"}, {L"ID_View"}, {L"ID_Help"}};
constexpr Placement kStandard[] = {
    {L"ID_New"},   {L"ID_Open"},      {L"ID_Save"}, {kSeparatorId}, {L"ID_Undo"},
    {L"ID_Print"}, {kSeparatorId}, {L"ID_FindLabel"}, {L"ID_Find"},
};
constexpr Placement kFormat[] = {
    {L"ID_Cut"},    {L"ID_Copy"},  {L"ID_Paste"},   {kSeparatorId},
    {L"ID_Bold"},   {L"ID_Italic"}, {L"ID_Align"}, {kSeparatorId}, {L"ID_Zoom"},
};
constexpr Placement kView[] = {{L"ID_Grid"}, {L"ID_Ruler"}, {kSeparatorId}, {L"ID_Contents"}};
constexpr ToolbarEntry kToolbars[] = {
    {L"Menu Bar", mzMenuBar, mzDockedTop, 1, kMenuBar},
    {L"Standard", mzStandard, mzDockedTop, 2, kStandard},
    {L"Format", mzStandard, mzDockedTop, 3, kFormat},
    {L"View", mzStandard, mzDockedLeft, 1, kView},
};

// The tools that get a picture, and the placed tools that show their
// caption beside it.
using mz::client::Icon;
constexpr mz::client::ToolIcon kPictures[] = {
    {L"ID_New", Icon::page},       {L"ID_Open", Icon::folder},    {L"ID_Save", Icon::disk},
    {L"ID_Print", Icon::printer},  {L"ID_Cut", Icon::scissors},   {L"ID_Copy", Icon::copies},
    {L"ID_Paste", Icon::clipboard}, {L"ID_Bold", Icon::bold},     {L"ID_Italic", Icon::italic},
    {L"ID_Undo", Icon::undo},      {L"ID_Align", Icon::align},    {L"ID_Grid", Icon::grid},
};
struct Captioned {
  const wchar_t* toolbar;
  const wchar_t* id;
};
constexpr Captioned kCaptioned[] = {{L"Standard", L"ID_Save"}, {L"Format", L"ID_Paste"}, {L"View", L"ID_Grid"}};

constexpr wchar_t kWindowClass[] = L"ToolDeckDemo";
constexpr int kLogId = 100;

// The name of one of the control's events, from its type library.
std::wstring event_name(IMzToolBarControl* control, DISPID event) {
  ComPtr<IProvideClassInfo> provider = ComPtr<IMzToolBarControl>(control).query<IProvideClassInfo>();
  ComPtr<ITypeInfo> coclass;
  if (!provider || FAILED(provider->GetClassInfo(coclass.put()))) return std::to_wstring(event);
  ComPtr<ITypeInfo> events;
  HREFTYPE reference = 0;
  if (FAILED(coclass->GetRefTypeOfImplType(1, &reference)) || FAILED(coclass->GetRefTypeInfo(reference, events.put())))
    return std::to_wstring(event);
  BSTR name = nullptr;
  UINT count = 0;
  if (FAILED(events->GetNames(event, &name, 1, &count)) || count == 0) return std::to_wstring(event);
  std::wstring text(name, SysStringLen(name));
  SysFreeString(name);
  return text;
}

// One line of the log: the event's name and its arguments as text.
std::wstring describe(IMzToolBarControl* control, DISPID event, const DISPPARAMS& arguments) {
  std::wstring line = event_name(control, event);
  for (UINT i = arguments.cArgs; i-- > 0;) {
    VARIANT text;
    VariantInit(&text);
    VARIANT& argument = arguments.rgvarg[i];
    line += i + 1 == arguments.cArgs ? L"  " : L", ";
    if (SUCCEEDED(VariantChangeType(&text, &argument, VARIANT_ALPHABOOL, VT_BSTR)))
      line += std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
    else
      line += L"(object)";
    VariantClear(&text);
  }
  return line;
}

class DemoWindow final : private mz::client::ControlEvents {
 public:
  explicit DemoWindow(HWND window)
      : window_(window),
        log_(CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 0, 0, 0, 0, window,
                             reinterpret_cast<HMENU>(kLogId), nullptr, nullptr)),
        container_(window, nullptr, *this) {
    SendMessageW(log_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }

  // Creates the control and fills it; a message says what failed.
  bool start() {
    HRESULT hr = container_.create(mz::client::beside_program(L"MzDeck2.dll"), nullptr);
    std::wstring failed = L"creating the control";
    if (SUCCEEDED(hr)) {
      const mz::client::BuildResult built = mz::client::build_deck(container_.control(), {kTools, kMenus, kToolbars});
      hr = built.hr;
      failed = built.failed_step;
    }
    if (SUCCEEDED(hr)) {
      hr = decorate();
      failed = L"giving the tools their pictures";
    }
    if (SUCCEEDED(hr)) return true;
    wchar_t code[16];
    wsprintfW(code, L"0x%08lX", static_cast<unsigned long>(hr));
    MessageBoxW(window_, (L"The ToolDeck control could not be started: " + failed + L" failed (" + code + L").").c_str(),
                L"ToolDeck demo", MB_OK | MB_ICONERROR);
    return false;
  }

  void resize() {
    RECT client;
    GetClientRect(window_, &client);
    MoveWindow(log_, client.left, client.top, client.right - client.left, client.bottom - client.top, TRUE);
  }

  void stop() { container_.destroy(); }

  // F6 switches the style, F7 large icons; true for a key taken.
  bool key(WPARAM key) {
    IMzToolBarControl* control = container_.control();
    if (!control) return false;
    if (key == VK_F6) {
      Constants_Style style = mzStyle2000;
      control->get_Style(&style);
      control->put_Style(style == mzStyle97 ? mzStyle2000 : mzStyle97);
      return true;
    }
    if (key == VK_F7) {
      VARIANT_BOOL large = VARIANT_FALSE;
      control->get_LargeIcons(&large);
      control->put_LargeIcons(large ? VARIANT_FALSE : VARIANT_TRUE);
      return true;
    }
    return false;
  }

 private:
  // Pictures for the tools (the control keeps copies) and captions beside
  // some of them.
  HRESULT decorate() {
    IMzToolBarControl* control = container_.control();
    HRESULT hr = mz::client::give_icons(control, kPictures);
    ComPtr<IMzToolBarsCollection> toolbars;
    if (SUCCEEDED(hr)) hr = control->get_ToolBars(toolbars.put());
    for (const Captioned& captioned : kCaptioned) {
      if (FAILED(hr)) return hr;
      IDispatch* toolbar = mz::client::get_object(toolbars.get(), L"Item", {mz::client::Variant(captioned.toolbar)});
      IDispatch* placed = toolbar ? mz::client::get_object(toolbar, L"Tools") : nullptr;
      IDispatch* tool = placed ? mz::client::get_object(placed, L"Item", {mz::client::Variant(captioned.id)}) : nullptr;
      hr = tool ? mz::client::put(tool, L"DisplayStyle", mz::client::Variant(short{mzDisplayImageAndText})).error() : E_FAIL;
      for (IDispatch* held : {tool, placed, toolbar})
        if (held) held->Release();
    }
    return hr;
  }

  void on_event(DISPID event, DISPPARAMS& arguments) override {
    const std::wstring line = describe(container_.control(), event, arguments);
    const LRESULT index = SendMessageW(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(log_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  }

  HWND window_;
  HWND log_;
  mz::client::ControlContainer container_;
};

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* demo = reinterpret_cast<DemoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new DemoWindow(window)));
      return 0;
    case WM_SIZE:
      if (demo) demo->resize();
      return 0;
    case WM_DESTROY:
      if (demo) {
        demo->stop();
        delete demo;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      }
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kWindowClass;
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, kWindowClass, L"ToolDeck demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, 760, 520, nullptr, nullptr, instance, nullptr);
  if (!window) {
    MessageBoxW(nullptr, L"The demo window could not be created.", L"ToolDeck demo", MB_OK | MB_ICONERROR);
    OleUninitialize();
    return 1;
  }
  auto* demo = reinterpret_cast<DemoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  int status = 1;
  if (demo && demo->start()) {
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (message.message == WM_KEYDOWN && demo->key(message.wParam)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    status = 0;
  } else {
    DestroyWindow(window);
  }
  OleUninitialize();
  return status;
}
