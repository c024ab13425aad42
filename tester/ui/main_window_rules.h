#pragma once
// The main window's decisions that do not depend on the window system: which
// command a toolbar tool runs, how the window resizes when its toolbar
// moves, what the browse dialog accepts, and where the program may run.
#include <string>
#include <string_view>

namespace quarrow::ui {

enum class ToolCommand {
  kNone,
  kUpdateRenaming,  // read the "Rename bad zips" tool's check state
  kAbortRun,
  kCloseWindow,
  kStartRun,
  kContents,
  kWeb,
  kEmail,
  kAbout,
  kOpenLog,
  kPurgeLog,
};

// The command for a clicked tool, by its ID (letter case ignored). During a
// run, Exit and Browse abort it, the help tools still work and Open and
// Purge do nothing.
ToolCommand CommandForTool(std::string_view toolId, bool running);

// Window sizes in twips.
struct TwipSize {
  int width = 0;
  int height = 0;
  bool operator==(const TwipSize&) const = default;
};

inline constexpr TwipSize kDesignSize{4605, 3640};

// The toolbar control's dock codes and change codes the window reacts to.
inline constexpr int kDockedLeft = 4;
inline constexpr int kDockedRight = 8;
inline constexpr int kChangeDocked = 5;
inline constexpr int kChangeUndocked = 6;

// The window's size after a toolbar changed, from the dock of the control's
// first toolbar and the change code of the event.
TwipSize SizeAfterToolbarChange(TwipSize current, int firstToolbarDock, int change);

// The browse dialog's judgement of the selected path.
struct BrowseSelection {
  std::string statusText;
  bool acceptable = false;  // before the drive list has been switched to it
};

BrowseSelection JudgeBrowseSelection(std::string_view path);

// True for a drive's root ("c:", "c:\") or a share's root ("\\server\share").
// The program refuses to run from one: its result files and the description
// files it deletes would share the root with everything else on the drive.
bool IsRootFolder(std::string_view folder);

// The command line the tester works with, from the process's full command
// line: the text after the program's name (quoted or not) and the blanks
// that follow it. Double quotes are dropped: a shell entry quotes a folder
// whose name holds blanks ("c:\my zips" /R), and no path can hold a quote.
std::string ProgramArguments(std::string_view fullCommandLine);

// "c:" for a path on drive c, empty when the path names no drive letter.
std::string DriveOfPath(std::string_view path);

}  // namespace quarrow::ui
