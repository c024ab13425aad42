#include "main_window_rules.h"

#include <gtest/gtest.h>

namespace quarrow::ui {
namespace {

struct ToolCase {
  const char* id;
  ToolCommand idle;
  ToolCommand running;
};

TEST(MainWindowRules, EachToolIdWhileIdleAndWhileRunning) {
  const ToolCase cases[] = {
      {"ID_Bad", ToolCommand::kUpdateRenaming, ToolCommand::kUpdateRenaming},
      {"ID_Exit", ToolCommand::kCloseWindow, ToolCommand::kAbortRun},
      {"ID_Browse", ToolCommand::kStartRun, ToolCommand::kAbortRun},
      {"ID_Contents", ToolCommand::kContents, ToolCommand::kContents},
      {"ID_Web", ToolCommand::kWeb, ToolCommand::kWeb},
      {"ID_Email", ToolCommand::kEmail, ToolCommand::kEmail},
      {"ID_About", ToolCommand::kAbout, ToolCommand::kAbout},
      {"ID_Open", ToolCommand::kOpenLog, ToolCommand::kNone},
      {"ID_Purge", ToolCommand::kPurgeLog, ToolCommand::kNone},
      {"id_purge", ToolCommand::kPurgeLog, ToolCommand::kNone},
      {"ID_BROWSE", ToolCommand::kStartRun, ToolCommand::kAbortRun},
      {"ID_mnuFile", ToolCommand::kNone, ToolCommand::kNone},
      {"ID_Help", ToolCommand::kNone, ToolCommand::kNone},
      {"", ToolCommand::kNone, ToolCommand::kNone},
  };
  for (const ToolCase& c : cases) {
    EXPECT_EQ(CommandForTool(c.id, false), c.idle) << c.id;
    EXPECT_EQ(CommandForTool(c.id, true), c.running) << c.id;
  }
}

TEST(MainWindowRules, SizeAfterToolbarChange) {
  struct Case {
    int dock, change;
    TwipSize expected;
  };
  const TwipSize start{4605, 3640};
  const Case cases[] = {
      {1, 5, {4605, 3640}},   // docked top: height for a docked toolbar
      {2, 4, {4605, 3640}},   // resized at the bottom: unchanged
      {4, 4, {5005, 3250}},   // left
      {8, 7, {5005, 3250}},   // right, a tool added
      {4, 5, {5005, 3640}},   // docked left: wide, and docked height
      {16, 6, {4605, 3250}},  // floating
      {8, 6, {4605, 3250}},   // the undocked size wins over the side size
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SizeAfterToolbarChange(start, c.dock, c.change), c.expected) << c.dock << " " << c.change;
  }
  EXPECT_EQ(SizeAfterToolbarChange({3000, 2000}, 1, 5), (TwipSize{3000, 3640}));
}

TEST(MainWindowRules, BrowseSelection) {
  const BrowseSelection empty = JudgeBrowseSelection("");
  EXPECT_EQ(empty.statusText, "Not a valid drive or path");
  EXPECT_FALSE(empty.acceptable);
  const BrowseSelection folder = JudgeBrowseSelection("D:\\Zips\\New");
  EXPECT_EQ(folder.statusText, "d:\\zips\\new");
  EXPECT_TRUE(folder.acceptable);
}

TEST(MainWindowRules, RootFolders) {
  for (const char* root : {"c:", "C:\\", "z:/", "\\", "\\\\server\\share", "\\\\server\\share\\", "\\\\server"}) {
    EXPECT_TRUE(IsRootFolder(root)) << root;
  }
  for (const char* folder : {"c:\\quarrow", "c:\\a\\b\\", "\\\\server\\share\\qrw", "quarrow", ""}) {
    EXPECT_FALSE(IsRootFolder(folder)) << folder;
  }
}

TEST(MainWindowRules, ProgramArgumentsFollowTheProgramName) {
  struct Case {
    const char* full;
    const char* arguments;
  };
  const Case cases[] = {
      {"Qrw32.exe", ""},
      {"Qrw32.exe   ", ""},
      {"Qrw32.exe c:\\zips", "c:\\zips"},
      {"\"C:\\Program Files\\Quarrow\\Qrw32.exe\" c:\\zips&", "c:\\zips&"},
      {"\"C:\\Program Files\\Quarrow\\Qrw32.exe\" \"c:\\my zips\" /R", "c:\\my zips /R"},
      {"Qrw32.exe \"c:\\zips\\\"&", "c:\\zips\\&"},
      {"Qrw32.exe c:\\zips\\ ", "c:\\zips\\ "},  // trailing blanks are the folder's
      {"\"Qrw32.exe", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgramArguments(c.full), c.arguments) << c.full;
}

TEST(MainWindowRules, DriveOfPath) {
  EXPECT_EQ(DriveOfPath("D:\\zips"), "d:");
  EXPECT_EQ(DriveOfPath("c:"), "c:");
  EXPECT_EQ(DriveOfPath("\\\\server\\share"), "");
  EXPECT_EQ(DriveOfPath("1:\\x"), "");
  EXPECT_EQ(DriveOfPath(""), "");
}

}  // namespace
}  // namespace quarrow::ui
