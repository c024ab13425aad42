// Qrw32.exe end to end, as a process: started with a command line on a
// generated tree of good and damaged archives, its result files, renames and
// summary window read back from outside, and the rules for a second start
// and a start from a drive's root.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>

#include "program_test_process.h"
#include "tester_archives.h"
#include "zip_builder.h"

namespace quarrow::ui::program_test {
namespace {

using Strings = std::vector<std::string>;

constexpr char kSummaryClass[] = "QuarrowStats";
constexpr char kMainClass[] = "QuarrowMain";

// Summary elements by control id.
constexpr int kPathFrame = 100, kResultsFrame = 101, kTotalFrame = 102;
constexpr int kPathLabel = 111, kZipsLabel = 112, kBadLabel = 113, kBytesLabel = 114, kSecondsLabel = 115,
              kTotalLabel = 116, kAbortedLabel = 117, kErrorLogButton = 120;

// --- archives --------------------------------------------------------------

using fixtures::BadCrcArchive;
using fixtures::TruncatedArchive;

// A good archive with a description file; `noise` stored bytes make its size
// run into thousands, so the byte counts show their grouping.
std::vector<uint8_t> GoodArchive(const std::string& diz, size_t noise = 0) {
  if (noise == 0) return fixtures::SmallGoodArchive(diz);
  fixtures::ZipBuilder zip;
  zip.Add("readme.txt", "A small archive.\r\n");
  if (!diz.empty()) zip.Add("file_id.diz", diz);
  zip.Add("data.bin", fixtures::SampleNoise(noise), {.method = fixtures::kStored});
  return zip.Build();
}

// --- expected texts --------------------------------------------------------

// A whole number with "," between groups of three digits.
std::string Grouped(uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

// "mm-dd-yyyy hh:mm:ss   <marker>"
bool IsHeaderLine(const std::string& line, const std::string& marker) {
  static const std::regex shape(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d   (.*))");
  std::smatch match;
  return std::regex_match(line, match, shape) && match[1] == marker;
}

// The seconds of a run as the summary shows them: at least one integer
// digit, grouped, and always two decimals.
bool IsSummarySeconds(const std::string& text) {
  // A run that crosses midnight records a negative time.
  static const std::regex shape(R"(-? \d{1,3}(,\d{3})*\.\d\d - seconds)");
  return std::regex_match(text, shape);
}

// The seconds of a run as the log records them: no integer digit for less
// than a second, at most two decimals, trailing zeros dropped.
bool IsLogSeconds(const std::string& text) {
  static const std::regex shape(R"(-? (\d{1,3}(,\d{3})*)?\.(\d?[1-9])? - seconds)");
  return std::regex_match(text, shape);
}

SYSTEMTIME Today() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return now;
}

std::string DateFolderName(const SYSTEMTIME& day) {
  char name[8];
  std::snprintf(name, sizeof name, "%02u%02u", day.wMonth % 100u, day.wDay % 100u);
  return name;
}

// --- the test bed ----------------------------------------------------------

// A program folder and a tree of archives, both fresh, in one temporary folder.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(QuarrowAlreadyRunning()) << "a Qrw32 of this Wine session is running: every start would only "
                                             "wake it";
    ASSERT_NO_FATAL_FAILURE(InstallProgram(program_));
    // The recorders then write beside themselves, in the program folder.
    ::SetEnvironmentVariableA("QUARROW_RECORD_FILE", nullptr);
  }

  // Writes an archive under the tree and counts its bytes.
  void Put(const std::string& relative, const std::vector<uint8_t>& bytes) {
    ASSERT_NO_FATAL_FAILURE(WriteBytes(At(relative), bytes));
    treeBytes_ += bytes.size();
  }
  std::string At(const std::string& relative) const { return temp_ / ("tree\\" + relative); }
  std::string Root() const { return temp_ / "tree"; }
  // The tree path as the program records and shows it.
  std::string Shown(const std::string& path) const { return AsciiLower(path); }

  std::string ProgramFile(const std::string& name) const { return program_ + "\\" + name; }
  std::string Exe() const { return ProgramFile("Qrw32.exe"); }
  bool AnyResultFile() const {
    for (const char* name : {"Quarrow.log", "QRtot.txt", "errors.txt", "lastfold.ini"}) {
      if (FileExists(ProgramFile(name))) return true;
    }
    return false;
  }
  Strings LogLines() const {
    bool complete = false;
    Strings lines = CrLfLines(ReadText(ProgramFile("Quarrow.log")), &complete);
    EXPECT_TRUE(complete) << "Quarrow.log does not end with CR LF";
    return lines;
  }

  ChildProcess Start(const std::string& arguments,
                     const std::vector<std::pair<std::string, std::string>>& environment = {}) {
    std::optional<ChildProcess> child = ChildProcess::Start(Exe(), arguments, environment);
    EXPECT_TRUE(child.has_value()) << "CreateProcess failed: " << ::GetLastError();
    return child ? std::move(*child) : ChildProcess{};
  }

  TempFolder temp_;
  std::string program_ = temp_ / "program";
  uint64_t treeBytes_ = 0;
};

// The summary's elements as read from outside the program.
struct SummaryTexts {
  std::string title, pathFrame, resultsFrame, totalFrame;
  std::string path, zips, bad, bytes, seconds, total, aborted;
  bool errorLogEnabled = false;
  bool okPresent = false;
};

SummaryTexts ReadSummary(HWND summary) {
  auto text = [&](int id) { return TextOf(::GetDlgItem(summary, id)); };
  SummaryTexts t;
  t.title = TextOf(summary);
  t.pathFrame = text(kPathFrame);
  t.resultsFrame = text(kResultsFrame);
  t.totalFrame = text(kTotalFrame);
  t.path = text(kPathLabel);
  t.zips = text(kZipsLabel);
  t.bad = text(kBadLabel);
  t.bytes = text(kBytesLabel);
  t.seconds = text(kSecondsLabel);
  t.total = text(kTotalLabel);
  t.aborted = text(kAbortedLabel);
  const HWND errorLog = ::GetDlgItem(summary, kErrorLogButton);
  t.errorLogEnabled = errorLog && ::IsWindowEnabled(errorLog);
  t.okPresent = TextOf(::GetDlgItem(summary, IDOK)) == "&Ok";
  return t;
}

TEST_F(ProgramTest, CommandLineRunWritesResultsShowsTheSummaryAndEndsOnOk) {
  ASSERT_NO_FATAL_FAILURE(Put("good.zip", GoodArchive("GOOD ARCHIVE\r\n", 3000)));
  ASSERT_NO_FATAL_FAILURE(Put("sub\\bad.zip", BadCrcArchive()));
  ASSERT_NO_FATAL_FAILURE(Put("sub\\deeper\\cut.zip", TruncatedArchive()));
  ASSERT_NO_FATAL_FAILURE(Put("sub\\deeper\\Mixed.ZIP", GoodArchive("")));
  ASSERT_NO_FATAL_FAILURE(WriteText(At("notes.txt"), "not an archive"));
  ASSERT_NO_FATAL_FAILURE(WriteText(ProgramFile("old.DIZ"), "left by an earlier run"));
  ASSERT_NO_FATAL_FAILURE(WriteText(ProgramFile("keep.txt"), "not a description file"));
  const size_t badSize = BadCrcArchive().size();

  ChildProcess program = Start(Root());
  const HWND summary = WaitForWindow(program, kSummaryClass);
  ASSERT_NE(summary, nullptr) << "no summary window; the program "
                              << (program.Running() ? "still runs" : "has ended");

  // The summary, read back from its elements.
  const SummaryTexts shown = ReadSummary(summary);
  const std::string root = Shown(Root()) + "\\";
  const std::string bytes = " " + Grouped(treeBytes_);
  EXPECT_EQ(shown.title, "Quarrow Stats");
  EXPECT_EQ(shown.pathFrame, "Path tested");
  EXPECT_EQ(shown.resultsFrame, "Results");
  EXPECT_EQ(shown.totalFrame, "Running total bytes tested");
  EXPECT_EQ(shown.path, root);
  EXPECT_EQ(shown.zips, " 4 - zips tested");
  EXPECT_EQ(shown.bad, " 2 - bad zips");
  EXPECT_EQ(shown.bytes, bytes + " - bytes tested");
  EXPECT_TRUE(IsSummarySeconds(shown.seconds)) << shown.seconds;
  EXPECT_EQ(shown.total, bytes + " - total bytes tested");
  EXPECT_EQ(shown.aborted, "");
  EXPECT_TRUE(shown.errorLogEnabled);
  EXPECT_TRUE(shown.okPresent);
  // A top-level window of its own, not owned by the main window, which
  // waits minimized meanwhile.
  EXPECT_EQ(::GetWindow(summary, GW_OWNER), nullptr);
  EXPECT_EQ(::GetAncestor(summary, GA_PARENT), ::GetDesktopWindow());
  const std::vector<HWND> mains = TopLevelWindows(program.Id(), kMainClass);
  ASSERT_EQ(mains.size(), 1u);
  EXPECT_TRUE(::IsIconic(mains[0]));
  EXPECT_EQ(TextOf(mains[0]), "Quarrow");
  // Nothing else is up: the start-up screen has gone.
  for (HWND window : TopLevelWindows(program.Id())) {
    if (window != summary && window != mains[0] && ::IsWindowVisible(window)) {
      ADD_FAILURE() << "another window shows: " << ClassOf(window) << " \"" << TextOf(window) << "\"";
    }
  }

  // The result files are written before the summary shows.
  const std::string bad = Shown(At("sub\\bad.zip"));
  const std::string cut = Shown(At("sub\\deeper\\cut.zip"));
  const std::string badLine = "# 110 - " + bad + " - renamed (" + bad + ".bad)";
  const std::string cutLine = "# 100 - " + cut + " - renamed (" + cut + ".bad)";
  EXPECT_EQ(ReadText(ProgramFile("QRtot.txt")), " " + std::to_string(treeBytes_) + " \r\n");
  const Strings log = LogLines();
  ASSERT_EQ(log.size(), 9u) << ReadText(ProgramFile("Quarrow.log"));
  EXPECT_TRUE(IsHeaderLine(log[0], "(Command line)")) << log[0];
  EXPECT_EQ(log[1], " 4 tested");
  EXPECT_EQ(log[2], " 2 bad");
  EXPECT_EQ(log[3], bytes + " - bytes tested");
  EXPECT_EQ(log[4], bytes + " - total bytes tested");
  EXPECT_TRUE(IsLogSeconds(log[5])) << log[5];
  EXPECT_EQ(log[6], " Path tested - " + root);
  Strings errorLines = {log[7], log[8]};
  std::sort(errorLines.begin(), errorLines.end());
  Strings expectedLines = {badLine + "  ", cutLine + "  "};
  std::sort(expectedLines.begin(), expectedLines.end());
  EXPECT_EQ(errorLines, expectedLines);
  Strings logWithoutTotal = log;
  logWithoutTotal.erase(logWithoutTotal.begin() + 4);
  bool complete = false;
  EXPECT_EQ(CrLfLines(ReadText(ProgramFile("errors.txt")), &complete), logWithoutTotal);
  EXPECT_TRUE(complete);

  // The renames on disk; good archives keep their names.
  EXPECT_FALSE(FileExists(At("sub\\bad.zip")));
  EXPECT_TRUE(FileExists(At("sub\\bad.zip.bad")));
  EXPECT_EQ(std::filesystem::file_size(At("sub\\bad.zip.bad")), badSize);
  EXPECT_FALSE(FileExists(At("sub\\deeper\\cut.zip")));
  EXPECT_TRUE(FileExists(At("sub\\deeper\\cut.zip.bad")));
  EXPECT_TRUE(FileExists(At("good.zip")));
  EXPECT_TRUE(FileExists(At("sub\\deeper\\Mixed.ZIP")));

  // The end of the run opened the errors file in the text editor, and
  // "&Error log" opens it once more.
  const std::string commands = RecordedCommandsFile(program_);
  const std::string openErrors = "notepad.exe " + ProgramFile("errors.txt") + "\n";
  ASSERT_TRUE(WaitUntil([&] { return !ReadText(commands).empty(); })) << "notepad.exe was not started";
  EXPECT_EQ(ReadText(commands), openErrors);
  ASSERT_TRUE(::PostMessageA(::GetDlgItem(summary, kErrorLogButton), BM_CLICK, 0, 0));
  EXPECT_TRUE(WaitUntil([&] { return ReadText(commands).size() > openErrors.size(); }));
  EXPECT_EQ(ReadText(commands), openErrors + openErrors);
  EXPECT_TRUE(program.Running()) << "the Error log button ended the program";

  // "&Ok" ends the program.
  ASSERT_TRUE(::PostMessageA(::GetDlgItem(summary, IDOK), BM_CLICK, 0, 0));
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(TopLevelWindows(program.Id()).empty());

  // Description files, extracted by this run or left by another, are gone.
  EXPECT_EQ(FilesEndingIn(program_, ".diz"), Strings{});
  EXPECT_TRUE(FileExists(ProgramFile("keep.txt")));
}

TEST_F(ProgramTest, SummaryTimerEndsTheProgramWhenNobodyClicks) {
  ASSERT_NO_FATAL_FAILURE(Put("good.zip", GoodArchive("ONLY GOOD\r\n")));
  ASSERT_NO_FATAL_FAILURE(Put("sub\\other.zip", GoodArchive("")));

  ChildProcess program = Start(Root(), {{"QUARROW_SUMMARY_TIMER_MS", "500"}});
  // Once the summary is up, the program must end well before the usual 30
  // seconds: this bound tells the shortened timer from the usual one. A
  // summary gone before it was seen has closed by itself already.
  ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(program.Id(), kSummaryClass).empty() || !program.Running(); }));
  EXPECT_EQ(program.WaitForExit(std::chrono::seconds(20)), std::optional<DWORD>(0))
      << "the summary did not close by itself";

  const Strings log = LogLines();
  ASSERT_EQ(log.size(), 8u);
  EXPECT_TRUE(IsHeaderLine(log[0], "(Command line)")) << log[0];
  EXPECT_EQ(log[1], " 2 tested");
  EXPECT_EQ(log[2], " 0 bad");
  EXPECT_EQ(log[7], "");
  // No bad archive: no errors file and no editor.
  EXPECT_FALSE(FileExists(ProgramFile("errors.txt")));
  EXPECT_FALSE(FileExists(RecordedCommandsFile(program_)));
  EXPECT_EQ(FilesEndingIn(program_, ".diz"), Strings{});
}

TEST_F(ProgramTest, DateRunTestsOnlyTodaysFolder) {
  const std::string today = DateFolderName(Today());
  ASSERT_NO_FATAL_FAILURE(Put(today + "\\a.zip", GoodArchive("TODAY\r\n", 1500)));
  ASSERT_NO_FATAL_FAILURE(Put(today + "\\inner\\b.zip", GoodArchive("")));
  // Damaged archives outside today's folder: a run that reached them would
  // count and rename them. "0000" is never a day.
  ASSERT_NO_FATAL_FAILURE(WriteBytes(At("outside.zip"), BadCrcArchive()));
  ASSERT_NO_FATAL_FAILURE(WriteBytes(At("0000\\old.zip"), BadCrcArchive()));

  ChildProcess program = Start(Root() + "\\&");
  const HWND summary = WaitForWindow(program, kSummaryClass);
  ASSERT_NE(summary, nullptr);
  if (DateFolderName(Today()) != today) GTEST_SKIP() << "the day changed during the run";
  const SummaryTexts shown = ReadSummary(summary);
  EXPECT_EQ(shown.path, Shown(At(today)) + "\\");
  EXPECT_EQ(shown.zips, " 2 - zips tested");
  EXPECT_EQ(shown.bad, " 0 - bad zips");
  EXPECT_FALSE(shown.errorLogEnabled);

  // Esc dismisses the summary as its keyboard interface says.
  ASSERT_TRUE(::PostMessageA(::GetDlgItem(summary, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001));
  ASSERT_EQ(program.WaitForExit(), std::optional<DWORD>(0));

  const Strings log = LogLines();
  ASSERT_EQ(log.size(), 8u) << ReadText(ProgramFile("Quarrow.log"));
  EXPECT_TRUE(IsHeaderLine(log[0], "(Date run)")) << log[0];
  EXPECT_EQ(log[1], " 2 tested");
  EXPECT_EQ(log[2], " 0 bad");
  EXPECT_EQ(log[3], " " + Grouped(treeBytes_) + " - bytes tested");
  EXPECT_EQ(log[6], " Path tested - " + Shown(At(today)) + "\\");
  EXPECT_TRUE(FileExists(At("outside.zip")));
  EXPECT_TRUE(FileExists(At("0000\\old.zip")));
  EXPECT_FALSE(FileExists(ProgramFile("errors.txt")));
}

// A start folder that does not exist ends the program at once, whatever
// the form of the command line.
TEST_F(ProgramTest, AMissingStartFolderEndsWithNothingWritten) {
  ASSERT_NO_FATAL_FAILURE(Put("outside.zip", BadCrcArchive()));
  ASSERT_NO_FATAL_FAILURE(Put("0000\\old.zip", BadCrcArchive()));
  const std::string cases[] = {
      Root() + "\\&",               // no folder for today ("0000" is never a day)
      Root() + "\\missing /R",      // right-click run
      Root() + "\\missing",         // plain folder
  };
  for (const std::string& arguments : cases) {
    SCOPED_TRACE(arguments);
    ChildProcess program = Start(arguments);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));

    EXPECT_FALSE(AnyResultFile());
    EXPECT_TRUE(FileExists(At("outside.zip")));
    EXPECT_TRUE(FileExists(At("0000\\old.zip")));
    EXPECT_FALSE(FileExists(RecordedCommandsFile(program_)));
  }
}

// A bad archive that another program holds open cannot be renamed: it is
// recorded as such and stays under its name.
TEST_F(ProgramTest, ABadArchiveHeldOpenIsRecordedAsNotRenamed) {
  ASSERT_NO_FATAL_FAILURE(Put("sub\\bad.zip", BadCrcArchive()));
  const HANDLE held = ::CreateFileA(At("sub\\bad.zip").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  struct Release {
    HANDLE handle;
    ~Release() { ::CloseHandle(handle); }
  } release{held};

  ChildProcess program = Start(Root(), {{"QUARROW_SUMMARY_TIMER_MS", "500"}});
  ASSERT_EQ(program.WaitForExit(), std::optional<DWORD>(0));

  const std::string bad = Shown(At("sub\\bad.zip"));
  const Strings log = LogLines();
  ASSERT_EQ(log.size(), 8u) << ReadText(ProgramFile("Quarrow.log"));
  EXPECT_EQ(log[2], " 1 bad");
  EXPECT_EQ(log[7], "# 110 - " + bad + " - can't rename (file open)  ");
  EXPECT_NE(ReadText(ProgramFile("errors.txt")).find("\r\n# 110 - " + bad + " - can't rename (file open)  \r\n"),
            std::string::npos);
  EXPECT_TRUE(FileExists(At("sub\\bad.zip")));
  EXPECT_FALSE(FileExists(At("sub\\bad.zip.bad")));
}

// Both right-click forms: a blank and "/R" after the folder, and a folder
// whose path itself ends in "\R" (tested as it stands).
struct RightClickCase {
  const char* name;
  const char* suffix;  // after the tree's path on the command line
  const char* tested;  // the folder tested, below the tree
};

class RightClickRun : public ProgramTest, public ::testing::WithParamInterface<RightClickCase> {};

TEST_P(RightClickRun, IsMarkedAndKeepsTheMainWindowHiddenWhileTheSummaryShows) {
  const RightClickCase& c = GetParam();
  const std::string below = c.tested[0] ? std::string(c.tested) + "\\" : "";
  const std::string tested = c.tested[0] ? At(c.tested) : Root();
  ASSERT_NO_FATAL_FAILURE(Put(below + "good.zip", GoodArchive("GOOD\r\n")));
  ASSERT_NO_FATAL_FAILURE(Put(below + "sub\\bad.zip", BadCrcArchive()));

  ChildProcess program = Start(Root() + c.suffix);
  const HWND summary = WaitForWindow(program, kSummaryClass);
  ASSERT_NE(summary, nullptr);

  const std::vector<HWND> mains = TopLevelWindows(program.Id(), kMainClass);
  ASSERT_EQ(mains.size(), 1u);
  EXPECT_FALSE(::IsWindowVisible(mains[0]));
  EXPECT_TRUE(::IsWindowVisible(summary));
  EXPECT_EQ(TextOf(::GetDlgItem(summary, kPathLabel)), Shown(tested) + "\\");
  EXPECT_EQ(TextOf(::GetDlgItem(summary, kBadLabel)), " 1 - bad zips");

  const Strings log = LogLines();
  ASSERT_EQ(log.size(), 8u) << ReadText(ProgramFile("Quarrow.log"));
  EXPECT_TRUE(IsHeaderLine(log[0], "(Right click)")) << log[0];
  EXPECT_EQ(log[1], " 2 tested");
  EXPECT_EQ(log[2], " 1 bad");
  EXPECT_EQ(log[6], " Path tested - " + Shown(tested) + "\\");

  // Closing the summary ends the program.
  ASSERT_TRUE(::PostMessageA(summary, WM_CLOSE, 0, 0));
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return !ReadText(RecordedCommandsFile(program_)).empty(); }));
  EXPECT_EQ(ReadText(RecordedCommandsFile(program_)), "notepad.exe " + ProgramFile("errors.txt") + "\n");
}

INSTANTIATE_TEST_SUITE_P(Forms, RightClickRun,
                         ::testing::Values(RightClickCase{"SwitchAfterABlank", " /R", ""},
                                           RightClickCase{"FolderEndingInR", "\\R", "R"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramTest, ASecondStartRestoresTheFirstWindowAndEndsWithoutAWindow) {
  ASSERT_NO_FATAL_FAILURE(Put("sub\\bad.zip", BadCrcArchive()));
  ChildProcess first = Start("");
  const HWND main = WaitForWindow(first, kMainClass);
  ASSERT_NE(main, nullptr) << "the first instance shows no main window";

  // A plain second start, and one naming a folder: neither may run anything.
  for (const std::string& arguments : {std::string(), Root()}) {
    SCOPED_TRACE("second start with \"" + arguments + "\"");
    ASSERT_TRUE(::PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(main) != FALSE; })) << "the first window did not minimize";

    ChildProcess second = Start(arguments);
    std::map<HWND, std::string> windowsOfSecond;  // with their classes, read while they exist
    EXPECT_TRUE(WaitUntil([&] {
      for (HWND window : TopLevelWindows(second.Id())) windowsOfSecond.emplace(window, ClassOf(window));
      return !second.Running();
    })) << "the second instance did not end";
    EXPECT_EQ(second.WaitForExit(std::chrono::milliseconds(0)), std::optional<DWORD>(0));
    for (const auto& [window, kind] : windowsOfSecond) ADD_FAILURE() << "the second instance made a window: " << kind;

    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(main); })) << "the first window stays minimized";
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_TRUE(first.Running());
  }
  EXPECT_FALSE(AnyResultFile());
  EXPECT_TRUE(FileExists(At("sub\\bad.zip")));

  ASSERT_TRUE(::PostMessageA(main, WM_CLOSE, 0, 0));
  EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(0));
}

// Removes what a test put in a folder it does not own.
class RemoveFiles {
 public:
  RemoveFiles(std::string folder, Strings names) : folder_(std::move(folder)), names_(std::move(names)) {}
  ~RemoveFiles() {
    for (const std::string& name : names_) ::DeleteFileA((folder_ + name).c_str());
  }

 private:
  std::string folder_;
  Strings names_;
};

// Drive q: is mapped by the test set-up to an empty folder.
TEST(ProgramFromADriveRoot, ShowsTheRootFolderMessageAndEndsWithNothingWritten) {
  ASSERT_FALSE(QuarrowAlreadyRunning());
  ASSERT_NE(::GetDriveTypeA("q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR)) << "drive q: is not mapped";
  const std::string root = "q:\\";
  RemoveFiles cleanup(root, {"Qrw32.exe", "MzDeck2.dll", "thunder.wav", "error.wav", "Chaucer.ttf", "notepad.exe",
                             "winhelp.exe", "Quarrow.log", "QRtot.txt", "errors.txt", "lastfold.ini"});
  ASSERT_NO_FATAL_FAILURE(InstallProgram(root));

  std::optional<ChildProcess> program = ChildProcess::Start(root + "Qrw32.exe", "");
  ASSERT_TRUE(program.has_value()) << "CreateProcess failed: " << ::GetLastError();
  const HWND box = WaitForWindow(*program, "#32770");
  ASSERT_NE(box, nullptr) << "no message box";

  EXPECT_EQ(TextOf(box), "Quarrow error");
  Strings texts;
  std::vector<HWND> buttons;
  bool icon = false;
  for (HWND child : Children(box)) {
    const std::string kind = AsciiLower(ClassOf(child));
    if (kind == "static" && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = true;
    } else if (kind == "static" && !TextOf(child).empty()) {
      texts.push_back(TextOf(child));
    } else if (kind == "button" && ::IsWindowVisible(child)) {
      buttons.push_back(child);
    }
  }
  EXPECT_EQ(texts, Strings{"Quarrow can not be run from\r\na root directory, please reinstall."});
  EXPECT_TRUE(icon);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(::GetDlgCtrlID(buttons[0]), IDOK);
  EXPECT_EQ(TextOf(buttons[0]), "OK");

  ASSERT_TRUE(::PostMessageA(buttons[0], BM_CLICK, 0, 0));
  EXPECT_EQ(program->WaitForExit(), std::optional<DWORD>(0));
  for (const char* name : {"Quarrow.log", "QRtot.txt", "errors.txt", "lastfold.ini"}) {
    EXPECT_FALSE(FileExists(root + name)) << name;
  }
  EXPECT_EQ(TopLevelWindows(program->Id(), kSummaryClass), std::vector<HWND>{});
}

// The recorder that stands in for notepad.exe and winhelp.exe.
TEST(RecordCommand, AppendsItsCommandLineBesideItselfOrToTheNamedFile) {
  ::SetEnvironmentVariableA("QUARROW_RECORD_FILE", nullptr);
  TempFolder temp;
  const std::string recorder = temp / "notepad.exe";
  ASSERT_TRUE(std::filesystem::copy_file(QUARROW_RECORD_COMMAND, recorder));
  const std::string beside = temp / "commands.txt";
  const std::string named = temp / "named.txt";

  auto run = [&](const std::string& arguments, const std::vector<std::pair<std::string, std::string>>& environment) {
    std::optional<ChildProcess> child = ChildProcess::Start(recorder, arguments, environment);
    ASSERT_TRUE(child.has_value());
    EXPECT_EQ(child->WaitForExit(), std::optional<DWORD>(0));
  };
  ASSERT_NO_FATAL_FAILURE(run("c:\\some folder\\errors.txt", {}));
  ASSERT_NO_FATAL_FAILURE(run("second", {}));
  ASSERT_NO_FATAL_FAILURE(run("elsewhere", {{"QUARROW_RECORD_FILE", named}}));

  const std::string quoted = "\"" + recorder + "\"";
  EXPECT_EQ(ReadText(beside), quoted + " c:\\some folder\\errors.txt\n" + quoted + " second\n");
  EXPECT_EQ(ReadText(named), quoted + " elsewhere\n");
}

}  // namespace
}  // namespace quarrow::ui::program_test
