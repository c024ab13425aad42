// The console tester end to end on generated trees of real archives: the
// three result files, the renames on disk, the output and the exit status.
#include <atomic>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "console_platform.h"
#include "number_format.h"
#include "path_text.h"
#include "qrw32_app.h"
#include "temp_folder.h"
#include "tester_archives.h"
#include "zip_builder.h"

namespace quarrow::ui {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A path as the engine shows and records it on this platform.
std::string Shown(const std::string& path) {
  return PlatformEngineSettings().lowerCasePaths ? run::AsciiLower(path) : path;
}

using fixtures::BadCrcArchive;
using fixtures::TruncatedArchive;

std::vector<uint8_t> GoodArchive(const std::string& diz) { return fixtures::SmallGoodArchive(diz); }

// "mm-dd-yyyy hh:mm:ss  " followed by `markers`.
bool IsHeaderLine(const std::string& line, const std::string& markers) {
  const std::string shape = "00-00-0000 00:00:00  ";
  if (line.size() != shape.size() + markers.size() || line.substr(shape.size()) != markers) return false;
  for (size_t i = 0; i < shape.size(); ++i) {
    const bool digit = line[i] >= '0' && line[i] <= '9';
    if (shape[i] == '0' ? !digit : line[i] != shape[i]) return false;
  }
  return true;
}

std::string TotalsText(uint64_t bytes) {
  std::string text = " ";
  text += std::to_string(bytes);
  text += " \r\n";
  return text;
}

Strings Lines(const std::string& text) {
  Strings lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
  return lines;
}

struct Tree {
  TempFolder temp;
  std::string root = temp / "Tree";
  std::string program = temp / "program";
  uint64_t bytesToTest = 0;

  Tree() {
    Put("good.zip", GoodArchive("GOOD ARCHIVE\r\n"));
    Put("sub/bad.zip", BadCrcArchive());
    WriteText(temp / "Tree/sub/bad.zip.bad", "an older twin");
    Put("sub/deeper/cut.zip", TruncatedArchive());
    Put("sub/deeper/Mixed.ZIP", GoodArchive(""));
    Put("x.zip/inner.zip", GoodArchive(""));
    WriteText(temp / "Tree/.hidden/h.zip", "never looked at");
    WriteText(temp / "Tree/notes.txt", "not an archive");
    fs::create_directories(program);
    WriteText(temp / "program/old.DIZ", "left by an earlier run");
    WriteText(temp / "program/keep.txt", "not a description file");
  }

  void Put(const std::string& relative, const std::vector<uint8_t>& bytes) {
    fs::create_directories(fs::path(temp / ("Tree/" + relative)).parent_path());
    ASSERT_TRUE(fixtures::WriteFile(temp / ("Tree/" + relative), bytes));
    bytesToTest += bytes.size();
  }
  std::string At(const std::string& relative) const { return temp / ("Tree/" + relative); }
  std::string ProgramFile(const std::string& name) const { return temp / ("program/" + name); }
};

struct Console {
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleIo io{in, out, err};

  int Run(const Strings& args, const std::string& programFolder) { return RunQrw32(args, io, programFolder); }
};

TEST(Qrw32EndToEnd, TestsATreeRenamesBadArchivesAndWritesTheThreeFiles) {
  Tree tree;
  Console console;

  EXPECT_EQ(console.Run({tree.root}, tree.program), 1) << console.err.str();

  // Renames on disk: the bad archives carry ".bad", the older twin is gone.
  EXPECT_FALSE(fs::exists(tree.At("sub/bad.zip")));
  EXPECT_NE(ReadText(tree.At("sub/bad.zip.bad")), "an older twin");
  EXPECT_EQ(fs::file_size(tree.At("sub/bad.zip.bad")), BadCrcArchive().size());
  EXPECT_TRUE(fs::exists(tree.At("sub/deeper/cut.zip.bad")));
  EXPECT_TRUE(fs::exists(tree.At("good.zip")));
  EXPECT_TRUE(fs::exists(tree.At("sub/deeper/Mixed.ZIP")));

  const char sep = PlatformEngineSettings().separator;
  const std::string root = Shown(tree.root) + sep;
  const std::string bad = Shown(tree.At("sub/bad.zip"));
  const std::string cut = Shown(tree.At("sub/deeper/cut.zip"));
  const std::string badLine = "# 110 - " + bad + " - renamed (" + bad + ".bad)";
  const std::string cutLine = "# 100 - " + cut + " - renamed (" + cut + ".bad)";

  // One line per archive, in some order of the folders.
  Strings printed;
  std::istringstream output(console.out.str());
  for (std::string line; std::getline(output, line) && !line.empty();) printed.push_back(line);
  std::sort(printed.begin(), printed.end());
  Strings expected = {"bad   " + badLine,
                      "bad   " + cutLine,
                      "good  " + Shown(tree.At("good.zip")),
                      "good  " + Shown(tree.At("sub/deeper/Mixed.ZIP")),
                      "good  " + Shown(tree.At("x.zip/inner.zip")),
                      "Error log: " + tree.ProgramFile("errors.txt")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(printed, expected);
  EXPECT_NE(console.out.str().find("Quarrow Stats\nPath tested:\n  " + root + "\nResults:\n"
                                   "   5 - zips tested\n   2 - bad zips\n"),
            std::string::npos)
      << console.out.str();

  // The totals file and the master log of a first run.
  EXPECT_EQ(ReadText(tree.ProgramFile("QRtot.txt")), TotalsText(tree.bytesToTest));
  const Strings log = Lines(ReadText(tree.ProgramFile("Quarrow.log")));
  ASSERT_EQ(log.size(), 9u);
  EXPECT_TRUE(IsHeaderLine(log[0], " (Command line)")) << log[0];
  EXPECT_EQ(log[1], " 5 tested");
  EXPECT_EQ(log[2], " 2 bad");
  const std::string bytes = run::FormatNumber(static_cast<double>(tree.bytesToTest), " ############,##0");
  EXPECT_EQ(log[3], bytes + " - bytes tested");
  EXPECT_EQ(log[4], bytes + " - total bytes tested");
  EXPECT_TRUE(run::EndsWith(log[5], " - seconds")) << log[5];
  EXPECT_EQ(log[6], " Path tested - " + root);
  Strings errorLines = {log[7], log[8]};
  std::sort(errorLines.begin(), errorLines.end());
  Strings expectedLines = {badLine + "  ", cutLine + "  "};
  std::sort(expectedLines.begin(), expectedLines.end());
  EXPECT_EQ(errorLines, expectedLines);

  // The errors file: the same entry without the total line.
  Strings errors = Lines(ReadText(tree.ProgramFile("errors.txt")));
  Strings logWithoutTotal = log;
  logWithoutTotal.erase(logWithoutTotal.begin() + 4);
  EXPECT_EQ(errors, logWithoutTotal);

  // Description files were extracted there and are cleaned up at the end.
  EXPECT_FALSE(fs::exists(tree.ProgramFile("file_id.diz")));
  EXPECT_FALSE(fs::exists(tree.ProgramFile("old.DIZ")));
  EXPECT_TRUE(fs::exists(tree.ProgramFile("keep.txt")));
}

TEST(Qrw32EndToEnd, ASecondRunAppendsAndAccumulatesAndKeepsTheErrorsFile) {
  Tree tree;
  Console first, second;
  ASSERT_EQ(first.Run({tree.root}, tree.program), 1);
  const std::string errorsBefore = ReadText(tree.ProgramFile("errors.txt"));
  const uint64_t firstBytes = tree.bytesToTest;

  // Only the three good archives are left under ".zip" names.
  EXPECT_EQ(second.Run({"--no-rename", tree.root}, tree.program), 0) << second.err.str();

  const uint64_t goodBytes = fs::file_size(tree.At("good.zip")) + fs::file_size(tree.At("sub/deeper/Mixed.ZIP")) +
                             fs::file_size(tree.At("x.zip/inner.zip"));
  EXPECT_EQ(ReadText(tree.ProgramFile("QRtot.txt")), TotalsText(firstBytes + goodBytes));
  const Strings log = Lines(ReadText(tree.ProgramFile("Quarrow.log")));
  ASSERT_EQ(log.size(), 17u);
  EXPECT_EQ(log[10], " 3 tested");
  EXPECT_EQ(log[13], run::FormatNumber(static_cast<double>(firstBytes + goodBytes), " ###############,##0") +
                         " - total bytes tested");
  EXPECT_EQ(log[16], "");
  EXPECT_EQ(ReadText(tree.ProgramFile("errors.txt")), errorsBefore);
}

TEST(Qrw32EndToEnd, NoRenameLeavesBadArchivesInPlace) {
  Tree tree;
  Console console;

  EXPECT_EQ(console.Run({"--no-rename", tree.root}, tree.program), 1);

  EXPECT_TRUE(fs::exists(tree.At("sub/bad.zip")));
  EXPECT_EQ(ReadText(tree.At("sub/bad.zip.bad")), "an older twin");
  EXPECT_NE(ReadText(tree.ProgramFile("errors.txt")).find("# 110 - " + Shown(tree.At("sub/bad.zip")) + "  \r\n"),
            std::string::npos);
}

TEST(Qrw32EndToEnd, DropWritesOneEntryPerItem) {
  Tree tree;
  Console console;

  EXPECT_EQ(console.Run({"--drop", tree.At("sub"), tree.At("x.zip")}, tree.program), 1);

  const Strings log = Lines(ReadText(tree.ProgramFile("Quarrow.log")));
  const char sep = PlatformEngineSettings().separator;
  Strings headers, paths;
  for (const std::string& line : log) {
    if (run::EndsWith(line, "(Drag n drop)")) headers.push_back(line);
    if (line.rfind(" Path tested - ", 0) == 0) paths.push_back(line.substr(15));
  }
  EXPECT_EQ(headers.size(), 2u);
  EXPECT_EQ(paths, (Strings{Shown(tree.At("sub")) + sep, Shown(tree.At("x.zip")) + sep}));
  EXPECT_NE(ReadText(tree.ProgramFile("Quarrow.log")).find("\r\n 3 tested\r\n 2 bad\r\n"), std::string::npos);
  EXPECT_EQ(console.out.str().find("Quarrow Stats"), std::string::npos);  // drops show no summary
}

TEST(Qrw32EndToEnd, AnArchiveDroppedFirstIsTestedAlone) {
  Tree tree;
  Console console;

  EXPECT_EQ(console.Run({"--drop", tree.At("good.zip"), tree.At("sub")}, tree.program), 0);

  const std::string log = ReadText(tree.ProgramFile("Quarrow.log"));
  EXPECT_NE(log.find("\r\n 1 tested\r\n 0 bad\r\n"), std::string::npos);
  EXPECT_NE(log.find(" Path tested - " + Shown(tree.At("good.zip")) + PlatformEngineSettings().separator + "\r\n"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(tree.At("sub/bad.zip")));
}

TEST(Qrw32EndToEnd, AsksForTheFolderOnATerminal) {
  Tree tree;
  Console console;
  console.io.inIsTerminal = true;
  console.in.str("\n\n" + tree.root + "\n");

  EXPECT_EQ(console.Run({}, tree.program), 1);

  const std::string prompt = "Choose drive or folder of Zip's to test\nAl sub-directories will be checked also\nFolder: ";
  EXPECT_EQ(console.err.str(), prompt + prompt + prompt);
  EXPECT_NE(ReadText(tree.ProgramFile("Quarrow.log")).find(" 5 tested\r\n"), std::string::npos);
}

TEST(Qrw32EndToEnd, AFolderTypedAtThePromptMustExist) {
  Tree tree;
  Console console;
  console.io.inIsTerminal = true;
  console.in.str(tree.At("missing") + "\n" + tree.root + "\n");

  EXPECT_EQ(console.Run({}, tree.program), 1);

  EXPECT_NE(console.err.str().find("qrw32: the folder " + tree.At("missing") + " does not exist\n"),
            std::string::npos);
  const std::string log = ReadText(tree.ProgramFile("Quarrow.log"));
  EXPECT_EQ(log.find("missing"), std::string::npos);
  EXPECT_NE(log.find(" 5 tested\r\n"), std::string::npos);
}

TEST(Qrw32EndToEnd, EndOfInputAtThePromptCancelsWithNothingWritten) {
  Tree tree;
  Console console;
  console.io.inIsTerminal = true;

  EXPECT_EQ(console.Run({}, tree.program), 0);

  EXPECT_FALSE(fs::exists(tree.ProgramFile("Quarrow.log")));
  EXPECT_FALSE(fs::exists(tree.ProgramFile("QRtot.txt")));
  EXPECT_TRUE(fs::exists(tree.At("sub/bad.zip")));
}

TEST(Qrw32EndToEnd, UsageErrorsWriteNothing) {
  Tree tree;
  const Strings cases[] = {{"--bogus", tree.root}, {"--drop"}, {}, {tree.At("missing")}, {tree.At("missing") + " /R"}};
  for (const Strings& args : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    Console console;
    EXPECT_EQ(console.Run(args, tree.program), 2);
    EXPECT_NE(console.err.str().find("qrw32: "), std::string::npos);
    EXPECT_FALSE(fs::exists(tree.ProgramFile("Quarrow.log")));
  }
}

TEST(Qrw32EndToEnd, AProgramFolderThatCannotTakeTheResultsEndsBeforeTheRun) {
  Tree tree;
  WriteText(tree.temp / "a-file", "not a folder");
  for (const std::string& folder : {tree.temp / "missing", tree.temp / "a-file"}) {
    SCOPED_TRACE(folder);
    Console console;
    EXPECT_EQ(console.Run({tree.root}, folder), 2);
    EXPECT_NE(console.err.str().find("qrw32: the program folder " + folder + " is missing or not writable"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(tree.At("sub/bad.zip")));  // nothing was tested
    EXPECT_TRUE(console.out.str().empty());
  }
}

TEST(Qrw32EndToEnd, AnInterruptedRunIsRecordedAndExitsWith130) {
  Tree tree;
  Console console;
  std::atomic<bool> interrupted{true};
  console.io.interrupted = &interrupted;

  EXPECT_EQ(console.Run({tree.root}, tree.program), 130);

  const std::string log = ReadText(tree.ProgramFile("Quarrow.log"));
  EXPECT_NE(log.find("(Aborted) (Command line)\r\n 0 tested\r\n"), std::string::npos) << log;
  EXPECT_TRUE(fs::exists(tree.At("sub/bad.zip")));
}

}  // namespace
}  // namespace quarrow::ui
