// The main window in this process, with the real toolbar control loaded from
// the stored state, the real archive component and real files: the toolbar
// dispatch while idle and while running, keys, drops, the browse dialog, the
// purge question, the settings file, the root-folder check, the resize on a
// toolbar move, and screenshots of the three windows.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "dispatch_ids.h"
#include "main_window.h"
#include "path_text.h"
#include "shell_commands.h"
#include "startup_screen.h"
#include "summary_window.h"
#include "temp_folder.h"
#include "tester_archives.h"
#include "variant_win32.h"
#include "window_units.h"
#include "window_test_support.h"
#include "zip_builder.h"

namespace quarrow::ui {
namespace {

namespace fs = std::filesystem;
using mz::client::Variant;
using mz::com::ComPtr;
using test::CreatedWindows;
using test::DialogWatcher;
using test::PressButton;

// Wine sees the Unix root as drive Z:.
std::string WinePath(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

const std::string kStateFile = WinePath(QUARROW_TOOLBAR_STATE_FILE);
const std::string kLibraryFolder = WinePath(QUARROW_MZDECK2_DIR);
const std::string kRecorder = WinePath(QUARROW_RECORDER);
const std::string kArtifacts = WinePath(QUARROW_ARTIFACT_DIR);
const std::string kProgramAssets = WinePath(QUARROW_PROGRAM_DIR);

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::vector<uint8_t> GoodArchive(size_t bytes) {
  std::string data;
  data.reserve(bytes);
  for (size_t i = 0; data.size() < bytes; ++i) data += "line " + std::to_string(i * 7919 % 100003) + "\r\n";
  fixtures::ZipBuilder zip;
  zip.Add("data.txt", data);
  zip.Add("file_id.diz", "A test archive\r\n");
  return zip.Build();
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// Posts the shell's drop message with `paths` to `window`.
void PostDrop(HWND window, const std::vector<std::string>& paths) {
  size_t chars = 1;
  for (const std::string& path : paths) chars += path.size() + 1;
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  char* at = reinterpret_cast<char*>(drop + 1);
  for (const std::string& path : paths) {
    memcpy(at, path.c_str(), path.size());
    at += path.size() + 1;
  }
  ::GlobalUnlock(memory);
  ::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// Runs an action once, from a timer of this thread, as soon as `ready`
// holds: a timer fires while a run yields to the window system.
std::function<bool()> timerAction;

void CALLBACK OnActionTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (timerAction && timerAction()) {
    ::KillTimer(nullptr, id);
    timerAction = nullptr;
  }
}

void WhenReady(std::function<bool()> ready, std::function<void()> action) {
  timerAction = [ready = std::move(ready), action = std::move(action)] {
    if (!ready()) return false;
    action();
    return true;
  };
  ::SetTimer(nullptr, 0, 5, OnActionTimer);
}

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    // Good archives big enough that a run spans many yields.
    bigTree = new TempFolder;
    for (int i = 0; i < 24; ++i) WriteBytes(*bigTree / ("zips\\good" + std::to_string(i) + ".zip"), GoodArchive(1 << 20));
  }
  static void TearDownTestSuite() {
    delete bigTree;
    bigTree = nullptr;
    ::OleUninitialize();
  }

  void SetUp() override {
    state_ = ReadFile(kStateFile);
    ASSERT_FALSE(state_.empty());
    ::SetEnvironmentVariableA("QUARROW_RECORD_FILE", Recorded().c_str());
  }

  void TearDown() override {
    if (window_) window_->CloseWindow();
    window_.reset();
    ::SetEnvironmentVariableA("QUARROW_RECORD_FILE", nullptr);
  }

  // Serves the windows the way the program's message loop does.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 60000) {
    return test::PumpUntil(done, timeoutMs, [this](MSG& message) {
      return window_ && !window_->Closed() && window_->PreTranslate(message);
    });
  }

  MainWindow& Open(const std::string& programFolder = "") {
    window_ = std::make_unique<MainWindow>(
        ::GetModuleHandleA(nullptr),
        MainWindowSettings{programFolder.empty() ? program_.Path().string() : programFolder, "", kLibraryFolder,
                           state_, kSummaryTimeoutMs},
        startup_);
    return *window_;
  }

  MainWindow& Loaded() {
    MainWindow& window = Open();
    EXPECT_EQ(window.Load(), MainWindow::LoadResult::kLoaded);
    return window;
  }

  std::string ProgramFile(const char* name) const { return program_ / name; }
  std::string Log() const { return ReadFile(ProgramFile("Quarrow.log")); }
  std::string Recorded() const { return program_ / "recorded.txt"; }
  std::string Commands() const { return ReadFile(Recorded()); }

  // The command lines recorded by the stand-in programs, once `count` are in.
  bool WaitForCommands(size_t count) {
    return PumpUntil([&] { return Count(Commands(), "\n") >= count; }, 20000);
  }

  // Fires the control's ToolClick for `id`, through the control's own
  // connection to the window.
  void ClickTool(const wchar_t* id) {
    IMzToolBarControl* control = window_->ToolDeck()->Control();
    ComPtr<IConnectionPointContainer> points = ComPtr<IMzToolBarControl>(control).query<IConnectionPointContainer>();
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(DIID_DMzToolBarsEvents, point.put()), S_OK);
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(connections.put()), S_OK);
    CONNECTDATA connection{};
    ASSERT_EQ(connections->Next(1, &connection, nullptr), S_OK);
    ComPtr<IDispatch> sink;
    connection.pUnk->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(sink.put()));
    connection.pUnk->Release();
    ComPtr<IMzTool> tool = Tool(id);
    ASSERT_TRUE(tool);
    Variant argument(tool.get());
    DISPPARAMS params{argument.get(), nullptr, 1, 0};
    EXPECT_EQ(sink->Invoke(DISPID_DMzToolBarsEvents_ToolClick, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                           nullptr, nullptr),
              S_OK);
  }

  ComPtr<IMzTool> Tool(const wchar_t* id) {
    ComPtr<IMzToolsCollection> tools;
    window_->ToolDeck()->Control()->get_Tools(tools.put());
    ComPtr<IMzTool> tool;
    tools->get_Item(*Variant(id), tool.put());
    return tool;
  }

  // Drops the big tree and runs `action` in the middle of the drop run.
  void DuringDropRun(const std::function<void()>& action) {
    MainWindow& window = *window_;
    bool acted = false;
    WhenReady([&] { return window.Engine().Record().running; },
              [&] {
                acted = true;
                action();
              });
    PostDrop(window.Handle(), {*bigTree / "zips"});
    ASSERT_TRUE(PumpUntil([&] { return Count(Log(), "(Drag n drop)") == 1 && !window.Engine().Record().running; }));
    EXPECT_TRUE(acted);
  }

  static TempFolder* bigTree;
  TempFolder program_;
  std::string state_;
  StartupScreen startup_{::GetModuleHandleA(nullptr), program_.Path().string()};
  std::unique_ptr<MainWindow> window_;
};

TempFolder* MainWindowTest::bigTree = nullptr;

TEST_F(MainWindowTest, LoadsTheToolbarControlFromTheStoredState) {
  char before[MAX_PATH + 1] = {}, after[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryA(sizeof before, before);
  MainWindow& window = Loaded();
  // A command line may name a folder relative to where the program started.
  ::GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(after, before);
  ASSERT_NE(window.ToolDeck(), nullptr);
  ComPtr<IMzToolsCollection> tools;
  ASSERT_EQ(window.ToolDeck()->Control()->get_Tools(tools.put()), S_OK);
  long count = 0;
  tools->get_Count(&count);
  EXPECT_EQ(count, 11);
  EXPECT_EQ(window.ToolDeck()->ToolState(L"ID_Bad"), std::optional<int>(mzChecked));
  EXPECT_EQ(window.ToolDeck()->FirstToolbarDock(), std::optional<int>(1));
  char title[64];
  ::GetWindowTextA(window.Handle(), title, sizeof title);
  EXPECT_STREQ(title, "Quarrow");
  EXPECT_FALSE(window.Engine().Record().renameDisabled);
}

// Calls one of the library's registration entry points.
HRESULT CallRegistration(const char* entry) {
  const HMODULE library = ::LoadLibraryA((kLibraryFolder + "\\MzDeck2.dll").c_str());
  using Call = HRESULT(STDAPICALLTYPE*)();
  const auto call = reinterpret_cast<Call>(reinterpret_cast<void*>(::GetProcAddress(library, entry)));
  return call ? call() : E_FAIL;
}

class IgnoredEvents : public ToolDeckEvents {
 public:
  void OnToolClick(const std::wstring&) override {}
  void OnToolBarModified(int) override {}
};

TEST_F(MainWindowTest, TheControlComesFromItsRegistrationElseFromBesideTheProgram) {
  TempFolder empty;
  IgnoredEvents events;
  const HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                      nullptr, nullptr);
  ASSERT_EQ(CallRegistration("DllRegisterServer"), S_OK);
  {
    ToolDeckHost registered(host, nullptr, events);
    EXPECT_EQ(registered.Create(state_, empty.Path().string()), S_OK);
    EXPECT_EQ(registered.FirstToolbarDock(), std::optional<int>(1));
  }
  ASSERT_EQ(CallRegistration("DllUnregisterServer"), S_OK);
  {
    ToolDeckHost nowhere(host, nullptr, events);
    EXPECT_EQ(nowhere.Create(state_, empty.Path().string()), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(nowhere.Control(), nullptr);
    ToolDeckHost beside(host, nullptr, events);
    EXPECT_EQ(beside.Create(state_, kLibraryFolder), S_OK);
    EXPECT_EQ(beside.ToolState(L"ID_Bad"), std::optional<int>(mzChecked));
  }
  // Other tests of this prefix expect the control registered.
  EXPECT_EQ(CallRegistration("DllRegisterServer"), S_OK);
  ::DestroyWindow(host);
}

// Chooses "Open log" in the File menu the context menu shows, from a timer
// that runs inside the menu's own loop: a click on the item's middle.
struct ChooseOpenLog {
  static inline bool chosen = false;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = ::FindWindowA("MzMenu", nullptr);
    if (!popup || !::IsWindowVisible(popup)) return;
    ::KillTimer(nullptr, timer);
    // Browse, a separator (6 high), Open log, Purge log, a separator, Bad,
    // a separator, Exit: five items of one height.
    RECT client;
    ::GetClientRect(popup, &client);
    const int item = (client.bottom - 3 * 6) / 5;
    const LPARAM at = MAKELPARAM(20, item + 6 + item / 2);
    ::SendMessageA(popup, WM_MOUSEMOVE, 0, at);
    ::SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(popup, WM_LBUTTONUP, 0, at);
    chosen = true;
  }
};

TEST_F(MainWindowTest, TheContextMenuShowsTheFileMenuWhoseOpenLogItemOpensTheLog) {
  MainWindow& window = Loaded();
  WriteText(ProgramFile("Quarrow.log"), "log\r\n");
  ChooseOpenLog::chosen = false;
  ::SetTimer(nullptr, 0, 10, &ChooseOpenLog::Tick);
  // The right button over the frame: the menu shows and its loop runs until a choice closes it.
  ::SendMessageA(window.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(::GetDlgItem(window.Handle(), kFrame)),
                 MAKELPARAM(100, 100));
  EXPECT_TRUE(ChooseOpenLog::chosen);
  EXPECT_EQ(::FindWindowA("MzMenu", nullptr), nullptr) << "the menu is gone once chosen";
  ASSERT_TRUE(WaitForCommands(1));
  EXPECT_NE(Commands().find("notepad.exe " + ProgramFile("Quarrow.log")), std::string::npos) << Commands();
  EXPECT_EQ(window.ToolDeck()->PopupMenu(L"ID_NoSuchMenu"), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 40007));
}

TEST_F(MainWindowTest, RenameToolTurnsRenamingOffAndOnByItsState) {
  MainWindow& window = Loaded();
  Tool(L"ID_Bad")->put_State(mzUnchecked);
  ClickTool(L"ID_Bad");
  EXPECT_TRUE(window.Engine().Record().renameDisabled);
  Tool(L"ID_Bad")->put_State(mzChecked);
  ClickTool(L"ID_Bad");
  EXPECT_FALSE(window.Engine().Record().renameDisabled);
}

TEST_F(MainWindowTest, OpenLogStartsTheEditorOnlyWhenTheLogExists) {
  Loaded();
  ClickTool(L"ID_Open");
  ClickTool(L"ID_Contents");  // a command that is always recorded, to wait for
  ASSERT_TRUE(WaitForCommands(1));
  EXPECT_EQ(Count(Commands(), "notepad.exe"), 0u);

  WriteText(ProgramFile("Quarrow.log"), "log\r\n");
  ClickTool(L"ID_Open");
  ASSERT_TRUE(WaitForCommands(2));
  EXPECT_NE(Commands().find("notepad.exe " + ProgramFile("Quarrow.log")), std::string::npos) << Commands();
  EXPECT_NE(Commands().find("winhelp.exe " + ProgramFile("Qrw32.hlp")), std::string::npos) << Commands();
}

// Points the shell's command for a URL scheme at the stand-in program while
// alive, then puts the previous command back.
class ScopedUrlHandler {
 public:
  explicit ScopedUrlHandler(const std::string& scheme) : key_(scheme + "\\shell\\open\\command") {
    char previous[1024] = {};
    LONG size = sizeof previous;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key_.c_str(), previous, &size) == ERROR_SUCCESS) previous_ = previous;
    Set("\"" + kRecorder + "\" %1");
  }
  ~ScopedUrlHandler() { Set(previous_); }

 private:
  void Set(const std::string& command) {
    ::RegSetValueA(HKEY_CLASSES_ROOT, key_.c_str(), REG_SZ, command.c_str(), static_cast<DWORD>(command.size()));
  }

  std::string key_;
  std::string previous_;
};

TEST_F(MainWindowTest, WebPageAndMailAddressGoToTheShell) {
  ScopedUrlHandler web("https");
  ScopedUrlHandler mail("mailto");
  Loaded();
  ClickTool(L"ID_Web");
  ClickTool(L"ID_Email");
  ASSERT_TRUE(WaitForCommands(2));
  EXPECT_NE(Commands().find(kWebPage), std::string::npos) << Commands();
  EXPECT_NE(Commands().find(kMailAddress), std::string::npos) << Commands();
}

TEST_F(MainWindowTest, PurgeAsksAndCancelKeepsTheLog) {
  Loaded();
  WriteText(ProgramFile("Quarrow.log"), "log\r\n");
  {
    DialogWatcher question("#32770", "Quarrow", [](HWND box) { PressButton(box, IDCANCEL); });
    ClickTool(L"ID_Purge");
    ASSERT_TRUE(question.Seen());
    EXPECT_EQ(question.Texts().back(), "Delete master log?");
  }
  EXPECT_TRUE(fs::exists(ProgramFile("Quarrow.log")));
  {
    DialogWatcher question("#32770", "Quarrow", [](HWND box) { PressButton(box, IDOK); });
    ClickTool(L"ID_Purge");
    ASSERT_TRUE(question.Seen());
  }
  EXPECT_FALSE(fs::exists(ProgramFile("Quarrow.log")));
}

TEST_F(MainWindowTest, AboutShowsTheStartupScreenAndTakesItDown) {
  Loaded();
  CreatedWindows created;
  ClickTool(L"ID_About");
  EXPECT_TRUE(created.Contains(kStartupScreenClass));
  EXPECT_FALSE(startup_.IsOpen());
}

TEST_F(MainWindowTest, ExitWhileIdleClosesTheWindowWithItsClosingSteps) {
  MainWindow& window = Loaded();
  WriteText(ProgramFile("file_id.diz"), "left by a run");
  WriteText(ProgramFile("keep.txt"), "not a description file");
  window.Engine().SetLastFolder("C:\\Zips");
  ClickTool(L"ID_Exit");
  EXPECT_TRUE(PumpUntil([&] { return window.Closed(); }));
  EXPECT_FALSE(fs::exists(ProgramFile("file_id.diz")));
  EXPECT_TRUE(fs::exists(ProgramFile("keep.txt")));
  EXPECT_EQ(ReadFile(ProgramFile("lastfold.ini")), "c:\\zips\r\n");
}

TEST_F(MainWindowTest, ALastFolderWithACommaComesBackCutAtTheComma) {
  MainWindow& first = Loaded();
  first.Engine().SetLastFolder("c:\\old,zips");
  first.CloseWindow();
  ASSERT_TRUE(PumpUntil([&] { return first.Closed(); }));
  EXPECT_EQ(ReadFile(ProgramFile("lastfold.ini")), "c:\\old,zips\r\n");
  MainWindow& second = Loaded();
  EXPECT_EQ(second.Engine().Record().lastFolder, "c:\\old");
}

TEST_F(MainWindowTest, BrowseCancelledWritesNothing) {
  MainWindow& window = Loaded();
  DialogWatcher browse("#32770", "", [](HWND dialog) { PressButton(dialog, IDCANCEL); });
  ClickTool(L"ID_Browse");
  EXPECT_TRUE(browse.Seen());
  EXPECT_FALSE(fs::exists(ProgramFile("Quarrow.log")));
  EXPECT_EQ(window.Engine().Record().zipsTested, 0);
}

TEST_F(MainWindowTest, BrowseRunsTheChosenFolderAndShowsTheSummary) {
  MainWindow& window = Loaded();
  TempFolder tree;
  WriteBytes(tree / "a\\good.zip", GoodArchive(1000));
  WriteBytes(tree / "a\\bad.zip", fixtures::BadCrcArchive());
  const std::string chosen = tree / "a";
  std::string status;
  bool okEnabled = false;
  DialogWatcher browse("#32770", "", [&](HWND dialog) {
    // The dialog can show before its folder tree is filled; a selection made
    // that early is lost, so it is made again until the dialog reports it.
    const DWORD deadline = ::GetTickCount() + 30000;
    while (status.empty() && ::GetTickCount() < deadline) {
      ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
      for (const std::string& text : test::StaticTexts(dialog)) {
        if (text == run::AsciiLower(chosen)) status = text;
      }
      if (status.empty()) ::Sleep(20);
    }
    okEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK));
    PressButton(dialog, IDOK);
  });
  std::vector<std::string> summaryTexts;
  bool errorLogEnabled = false;
  DialogWatcher summary("QuarrowStats", "Quarrow Stats", [&](HWND stats) {
    for (int id = kSummaryLabel1; id <= kSummaryLabel1 + 6; ++id) {
      char text[512] = {};
      ::GetWindowTextA(::GetDlgItem(stats, id), text, sizeof text);
      summaryTexts.push_back(text);
    }
    errorLogEnabled = ::IsWindowEnabled(::GetDlgItem(stats, kSummaryErrorLog));
    PressButton(stats, IDOK);
  });
  ::SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(kBrowseButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.Element(kBrowseButton)));
  ASSERT_TRUE(browse.Seen());
  EXPECT_EQ(status, run::AsciiLower(chosen));
  EXPECT_TRUE(okEnabled);
  ASSERT_TRUE(summary.Seen());
  ASSERT_EQ(summaryTexts.size(), 7u);
  EXPECT_EQ(summaryTexts[0], run::AsciiLower(chosen) + "\\");
  EXPECT_EQ(summaryTexts[1], " 2 - zips tested");
  EXPECT_EQ(summaryTexts[2], " 1 - bad zips");
  EXPECT_EQ(summaryTexts[6], "");
  EXPECT_TRUE(errorLogEnabled);
  EXPECT_EQ(window.Engine().Record().lastFolder, run::AsciiLower(chosen));
  EXPECT_TRUE(fs::exists(tree / "a\\bad.zip.bad"));
  EXPECT_EQ(Count(Log(), " 1 bad\r\n"), 1u) << Log();
  EXPECT_FALSE(::IsIconic(window.Handle()));
  window.CloseWindow();
  EXPECT_EQ(ReadFile(ProgramFile("lastfold.ini")), run::AsciiLower(chosen) + "\r\n");
}

TEST_F(MainWindowTest, DropRunFromTheShellsDropMessage) {
  MainWindow& window = Loaded();
  TempFolder tree;
  WriteBytes(tree / "one\\good.zip", GoodArchive(1000));
  WriteBytes(tree / "one\\bad.zip", fixtures::BadCrcArchive());
  WriteBytes(tree / "two\\good.zip", GoodArchive(2000));
  PostDrop(window.Handle(), {tree / "one", tree / "two"});
  ASSERT_TRUE(PumpUntil([&] { return Count(Log(), "(Drag n drop)") == 2; }));
  const std::string log = Log();
  EXPECT_EQ(Count(log, " 2 tested\r\n"), 1u) << log;
  EXPECT_EQ(Count(log, " 1 tested\r\n"), 1u) << log;
  EXPECT_TRUE(fs::exists(tree / "one\\bad.zip.bad"));
  char label[128];
  ::GetWindowTextA(window.Element(kLabel1), label, sizeof label);
  EXPECT_TRUE(run::EndsWith(label, " bytes tested")) << label;
}

// An archive of `entries` small stored entries; with `damagedLast` the last
// entry's data no longer matches its CRC.
std::vector<uint8_t> ManyEntryArchive(int entries, bool damagedLast) {
  fixtures::ZipBuilder zip;
  for (int i = 0; i < entries; ++i) {
    zip.Add("part" + std::to_string(i / 1000) + "/entry" + std::to_string(i) + ".txt",
            "entry " + std::to_string(i) + "\r\n", {.method = fixtures::kStored});
  }
  std::vector<uint8_t> bytes = zip.Build();
  if (damagedLast) fixtures::FlipByte(bytes, zip.Layout().entries.back().data, 0x01);
  return bytes;
}

// Every entry's progress event reaches the window; the display keeps up at
// the screen's pace, and what the run ends with is what the window shows.
TEST_F(MainWindowTest, ADropRunOverArchivesOfManyEntriesEndsWithTheirVerdictsShown) {
  MainWindow& window = Loaded();
  TempFolder tree;
  WriteBytes(tree / "many\\good.zip", ManyEntryArchive(20000, false));
  WriteBytes(tree / "many\\bad.zip", ManyEntryArchive(20000, true));
  PostDrop(window.Handle(), {tree / "many"});
  ASSERT_TRUE(PumpUntil([&] { return Count(Log(), "(Drag n drop)") == 1 && !window.Engine().Record().running; }));

  const std::string log = Log();
  EXPECT_EQ(Count(log, " 2 tested\r\n"), 1u) << log;
  EXPECT_EQ(Count(log, " 1 bad\r\n"), 1u) << log;
  EXPECT_TRUE(fs::exists(tree / "many\\bad.zip.bad"));
  EXPECT_TRUE(fs::exists(tree / "many\\good.zip"));
  char text[128] = {};
  ::GetWindowTextA(window.Element(kLabel1 + static_cast<int>(run::Label::kCounter)), text, sizeof text);
  EXPECT_STREQ(text, " 2  tested    -    1  bad");
  ::GetWindowTextA(window.Element(kLabel1 + static_cast<int>(run::Label::kArchiveName)), text, sizeof text);
  EXPECT_TRUE(run::EndsWith(text, " bytes tested")) << text;
  ::GetWindowTextA(window.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Quarrow");
}

struct RunningCase {
  const wchar_t* tool;
  bool aborts;
  const char* recorded;  // a command line part the tool starts, or null
};

TEST_F(MainWindowTest, ToolsWhileARunIsInProgress) {
  const RunningCase cases[] = {
      {L"ID_Open", false, nullptr},
      {L"ID_Purge", false, nullptr},
      {L"ID_Contents", false, "winhelp.exe "},
      {L"ID_Exit", true, nullptr},
      {L"ID_Browse", true, nullptr},
  };
  for (const RunningCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "tool " << static_cast<const void*>(c.tool));
    fs::remove(ProgramFile("Quarrow.log"));
    fs::remove(Recorded());
    WriteText(ProgramFile("Quarrow.log"), "");
    MainWindow& window = Loaded();
    CreatedWindows created;
    DuringDropRun([&] { ClickTool(c.tool); });
    const std::string log = Log();
    EXPECT_EQ(Count(log, "(Aborted)"), c.aborts ? 1u : 0u) << log;
    if (!c.aborts) {
      EXPECT_EQ(Count(log, " 24 tested\r\n"), 1u) << log;
    }
    EXPECT_FALSE(created.Contains("#32770"));  // no question, no browse dialog
    EXPECT_FALSE(window.Closed());
    if (c.recorded) {
      ASSERT_TRUE(WaitForCommands(1));
      EXPECT_NE(Commands().find(c.recorded), std::string::npos) << Commands();
    } else {
      EXPECT_EQ(Commands(), "");
    }
    window.CloseWindow();
  }
}

TEST_F(MainWindowTest, EscapeFromAChildWindowAbortsTheRun) {
  MainWindow& window = Loaded();
  DuringDropRun([&] {
    ::PostMessageA(window.Element(kCancelButton), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  const std::string log = Log();
  EXPECT_EQ(Count(log, "(Aborted)"), 1u) << log;
  EXPECT_EQ(Count(log, " 24 tested\r\n"), 0u) << log;
  EXPECT_FALSE(window.Engine().Record().running);
}

TEST_F(MainWindowTest, ADriveThatIsNotReadyPutsTheDriveListBackOnC) {
  MainWindow& window = Loaded();
  const HWND drives = window.Element(kDriveList);
  // A drive letter with nothing behind it, as an empty disc drive shows.
  const LRESULT missing = ::SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("y:"));
  ::SendMessageA(drives, CB_SETCURSEL, static_cast<WPARAM>(missing), 0);
  ::SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(kDriveList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drives));
  char selected[64] = {};
  ::SendMessageA(drives, CB_GETLBTEXT, ::SendMessageA(drives, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(selected));
  EXPECT_EQ(std::string(selected).substr(0, 2), "c:");
}

TEST_F(MainWindowTest, F1OpensTheHelpFromAnyChildAlsoWhenIdle) {
  MainWindow& window = Loaded();
  ::PostMessageA(window.Element(kDriveList), WM_KEYDOWN, VK_F1, 0);
  ASSERT_TRUE(WaitForCommands(1));
  EXPECT_EQ(Commands().rfind("winhelp.exe " + ProgramFile("Qrw32.hlp"), 0), 0u) << Commands();
}

TEST_F(MainWindowTest, ARootFolderIsRefusedWithAMessage) {
  DialogWatcher message("#32770", "Quarrow error", [](HWND box) { PressButton(box, IDOK); });
  MainWindow& window = Open("c:\\");
  EXPECT_EQ(window.Load(), MainWindow::LoadResult::kRootFolder);
  ASSERT_TRUE(message.Seen());
  EXPECT_EQ(message.Texts().back(), "Quarrow can not be run from\r\na root directory, please reinstall.");
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(fs::exists("c:\\Quarrow.log") && fs::exists("c:\\lastfold.ini"));
}

TEST_F(MainWindowTest, MovingTheFirstToolbarResizesTheWindow) {
  MainWindow& window = Loaded();
  ComPtr<IMzToolBarsCollection> toolbars;
  window.ToolDeck()->Control()->get_ToolBars(toolbars.put());
  VARIANT first;
  V_VT(&first) = VT_I4;
  V_I4(&first) = 1;
  ComPtr<IMzToolBar> toolbar;
  ASSERT_EQ(toolbars->get_Item(first, toolbar.put()), S_OK);
  ASSERT_EQ(toolbar->put_DockedStatus(mzDockedLeft), S_OK);
  RECT frame;
  ::GetWindowRect(window.Handle(), &frame);
  // Docked at the side: 5005 twips wide, and the docked height of 3640.
  EXPECT_NEAR(frame.right - frame.left, ::MulDiv(5005, ScreenDpi(), 1440), 1);
  EXPECT_NEAR(frame.bottom - frame.top, ::MulDiv(3640, ScreenDpi(), 1440), 1);
}

TEST_F(MainWindowTest, ScreenshotsOfTheThreeWindows) {
  fs::create_directories(kArtifacts);
  MainWindow& window = Loaded();
  window.SetFolderPanel("c:\\zips\\incoming\\");
  window.SetLabel(run::Label::kArchiveName, "Archive.zip");
  window.SetLabel(run::Label::kEntrySize, "   12,345 bytes");
  window.SetLabel(run::Label::kCounter, " 17  tested    -    1  bad");
  window.SetLabel(run::Label::kEntryName, "readme.txt");
  window.SetLabel(run::Label::kRatio, " 61% ratio");
  window.SetProgress(45);
  test::PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(test::SaveScreenshot(window.Handle(), kArtifacts + "\\main_window.bmp"));

  fs::copy_file(kProgramAssets + "\\Chaucer.ttf", ProgramFile("Chaucer.ttf"));
  startup_.Show();
  test::PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(test::SaveScreenshot(startup_.Handle(), kArtifacts + "\\startup_screen.bmp"));
  startup_.Close();

  run::RunSummary figures{"c:\\zips\\incoming\\", 17, 1, 1234567, 2.5f, 987654321, true, false};
  window.Summary().Show(run::MakeSummaryTexts(figures), 0, [] {});
  test::PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(test::SaveScreenshot(window.Summary().Handle(), kArtifacts + "\\summary_window.bmp"));
  window.Summary().Close();
}

}  // namespace
}  // namespace quarrow::ui
