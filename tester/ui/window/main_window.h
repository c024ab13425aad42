#pragma once
// The tester's main window "Quarrow": the run engine's platform on screen
// (title, folder and progress panels, labels, pointer, yielding), the
// container of the toolbar control, and the home of the commands, keys,
// drops and the settings file.
#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "archive_component_adapter.h"
#include "archive_tester.h"
#include "main_window_rules.h"
#include "run_engine.h"
#include "screen_pacer.h"
#include "startup_screen.h"
#include "summary_window.h"
#include "system_platform.h"
#include "tool_deck_host.h"

namespace quarrow::ui {

inline constexpr char kMainWindowClass[] = "QuarrowMain";

// Child window ids.
enum MainElement : int {
  kDriveList = 200,
  kBrowseButton,   // Command1
  kCancelButton,   // Command2
  kFolderPanel,    // MzPanel1
  kAboutPanel,     // MzPanel2
  kProgressPanel,  // MzPanel3
  kCounterPanel,   // MzPanel4
  kFrame,          // Frame1
  kLabel1 = 211,   // Label1 .. Label5 are 211 .. 215, in the order of run::Label
};

// Entries the window adds to its window menu.
enum MainMenuEntry : UINT {
  kBrowseEntry = 0x1010,  // "&Browse..."
  kExitEntry = 0x1020,    // "E&xit..."
};

struct MainWindowSettings {
  std::string programFolder;  // no trailing "\"
  std::string commandLine;
  std::string libraryFolder;  // where MzDeck2.dll is when it is not registered
  std::string_view toolbarState;  // the control's saved stream
  UINT summaryTimeoutMs = kSummaryTimeoutMs;
};

class MainWindow final : public SystemPlatform, public run::RunView, private ToolDeckEvents {
 public:
  MainWindow(HINSTANCE instance, MainWindowSettings settings, StartupScreen& startup);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  enum class LoadResult {
    kLoaded,      // the window is up; a command-line run has been performed
    kRootFolder,  // the program sits in a root folder: it ends at once
    kNoWindow,    // the window could not be created (no display): it ends at once
  };
  // Loading: creates and shows the window, checks the program folder, reads
  // the settings and performs a command-line run.
  LoadResult Load();
  // True once the window has gone: the message loop destroys it after the
  // closing steps.
  bool Closed() const { return window_ == nullptr; }

  HWND Handle() const { return window_; }
  HWND Element(int id) const { return ::GetDlgItem(window_, id); }
  run::RunEngine& Engine() { return engine_; }
  ToolDeckHost* ToolDeck() { return toolDeck_.get(); }
  SummaryWindow& Summary() { return summary_; }

  // Keys of the window and its children (Esc, F1) and the summary window's
  // keyboard navigation; true when the message was used.
  bool PreTranslate(MSG& message);

  // Commands.
  void Browse();
  void OpenLog();
  void PurgeLog();
  void Contents();
  void Web();
  void Email();
  void About();

  // run::RunView
  void SetTitle(const std::string& text) override;
  void SetFolderPanel(const std::string& text) override;
  void SetProgress(int percent) override;
  void SetLabel(run::Label label, const std::string& text) override;
  void SetBusyPointer(bool busy) override;
  void EnableBrowseButton(bool enabled) override;
  void EnableBrowseMenuEntry(bool enabled) override;
  std::optional<std::string> BrowseForFolder(const std::string& startFolder) override;
  void MinimizeWindow() override;
  void RestoreWindow() override;
  bool IsWindowMinimized() override;
  void HideWindow() override;
  void CloseWindow() override;
  void ProcessEvents() override;
  void ShowSummary(const run::RunSummary& summary) override;
  void ArchiveChecked(const run::ArchiveOutcome&) override { ShowPending(); }
  void PlaySoundAsync(const std::string& path) override { PlaySoundFileAsync(path); }
  void OpenInTextEditor(const std::string& path) override;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateElements();
  HWND AddChild(const char* className, const char* text, DWORD style, int id, const RECT& bounds);
  void FillDriveList();
  bool SelectDrive(const std::string& drive);
  void DriveChanged();
  void ReadSettings();
  void WriteSettings();

  // ToolDeckEvents
  void OnToolClick(const std::wstring& toolId) override;
  void OnToolBarModified(int change) override;

  void OnCommand(int id);
  void OnDrop(HDROP drop);
  void OnContextMenu(HWND source);
  // The closing steps.
  void Unload();
  void DestroyWhenIdle();
  void RunCommand(ToolCommand command);
  // The run's texts and progress reach the screen at the pacer's pace; every
  // other view operation first shows what is still waiting, so a run's last
  // values are on screen at each archive's end and at the run's end.
  void Paced();
  void ShowPending();
  // Fires when a waiting change of the display falls due while nothing else
  // shows it (the window is idle between runs).
  static constexpr UINT_PTR kPaceTimer = 1;

  HINSTANCE instance_;
  MainWindowSettings settings_;
  StartupScreen& startup_;
  archive::ArchiveTester tester_;
  ArchiveComponentAdapter component_{tester_};
  run::RunEngine engine_;
  HWND window_ = nullptr;
  HWND tips_ = nullptr;
  HFONT font_ = nullptr;
  IFontDisp* controlFont_ = nullptr;
  std::unique_ptr<ToolDeckHost> toolDeck_;
  SummaryWindow summary_;
  bool busy_ = false;
  ScreenPacer pacer_;
  bool paceTimerArmed_ = false;
  // Paces the serving of the message queue during a run's yields.
  static constexpr ScreenPacer::Millis kInputInterval{5};
  ScreenPacer inputPacer_{kInputInterval};
  std::optional<std::string> pendingTitle_, pendingFolder_;
  std::optional<int> pendingProgress_;
  std::array<std::optional<std::string>, 5> pendingLabels_;  // by run::Label
  bool unloaded_ = false;
  // Runs and drop runs in progress: the window stays while one is using it.
  int activeRuns_ = 0;
};

}  // namespace quarrow::ui
