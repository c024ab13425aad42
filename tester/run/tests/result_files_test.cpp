// The result files byte for byte, from a table of small runs, and the
// skipping of file steps that fail.
#include "result_files.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "harness.h"
#include "path_text.h"
#include "result_files.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

struct RecordingCase {
  const char* name;
  const char* commandLine;
  std::function<void(Harness&)> setUp;
  std::function<void(Harness&)> run;
  const char* totals;
  const char* logAdded;                  // appended to whatever the log held
  std::optional<std::string> errors;     // nullopt: no errors file
  Strings sounds;
  Strings editorFiles;
};

void Browse(Harness& h) { h.engine.StartRun(); }

const RecordingCase kCases[] = {
    {"first run ever, from the window",
     "",
     [](Harness& h) {
       h.platform.AddFile("c:\\t\\a.zip", "PK!");
       h.platform.browseAnswers = {"c:\\t"};
       h.platform.clockReadings = {100.0f, 100.5f};
     },
     Browse,
     " 3 \r\n",
     "03-07-2024 09:05:02   \r\n"
     " 1 tested\r\n"
     " 0 bad\r\n"
     " 3 - bytes tested\r\n"
     " 3 - total bytes tested\r\n"
     " .5 - seconds\r\n"
     " Path tested - c:\\t\\\r\n"
     "\r\n",
     std::nullopt,
     {},
     {}},
    {"command line with bad archives, totals and an old errors file present",
     "C:\\T",
     [](Harness& h) {
       h.platform.AddFile("c:\\t\\a.zip", "PK-aa");
       h.platform.AddFile("c:\\t\\b.zip", "PK-bbb");
       h.platform.AddFile("c:\\t\\c.zip", "PK");
       h.component.Script("c:\\t\\a.zip").testResult = kResultBadCrc;
       h.component.Script("c:\\t\\b.zip").extractResult = kResultBadStructure;
       h.platform.AddFile(h.ProgramFile("QRtot.txt"), " 1000 \r\n");
       h.platform.AddFile(h.ProgramFile("errors.txt"), "old\r\n");
       h.platform.AddFile(h.ProgramFile("Quarrow.log"), "previous\r\n");
       h.platform.clockReadings = {10.0f, 12.0f};
     },
     Browse,
     " 1013 \r\n",
     "03-07-2024 09:05:02   (Command line)\r\n"
     " 3 tested\r\n"
     " 2 bad\r\n"
     " 13 - bytes tested\r\n"
     " 1,013 - total bytes tested\r\n"
     " 2. - seconds\r\n"
     " Path tested - c:\\t\\\r\n"
     "# 110 - c:\\t\\a.zip - renamed (c:\\t\\a.zip.bad)  \r\n"
     "# 100 - c:\\t\\b.zip - renamed (c:\\t\\b.zip.bad)  \r\n",
     "03-07-2024 09:05:02   (Command line)\r\n"
     " 3 tested\r\n"
     " 2 bad\r\n"
     " 13 - bytes tested\r\n"
     " 2. - seconds\r\n"
     " Path tested - c:\\t\\\r\n"
     "# 110 - c:\\t\\a.zip - renamed (c:\\t\\a.zip.bad)  \r\n"
     "# 100 - c:\\t\\b.zip - renamed (c:\\t\\b.zip.bad)  \r\n",
     {"c:\\qrw\\error.wav"},
     {"c:\\qrw\\errors.txt"}},
    {"date run with a bad archive plays no sound",
     "c:\\scans\\&",
     [](Harness& h) {
       h.platform.AddFile("c:\\scans\\0307\\x.zip", "PK");
       h.platform.AddFile("c:\\scans\\0306\\old.zip", "PK");
       h.component.fallback.testResult = kResultBadData;
       h.Record().renameDisabled = true;
       h.platform.clockReadings = {0.0f, 1234.567f};
     },
     Browse,
     " 2 \r\n",
     "03-07-2024 09:05:02   (Date run)\r\n"
     " 1 tested\r\n"
     " 1 bad\r\n"
     " 2 - bytes tested\r\n"
     " 2 - total bytes tested\r\n"
     " 1,234.57 - seconds\r\n"
     " Path tested - c:\\scans\\0307\\\r\n"
     "# 200 - c:\\scans\\0307\\x.zip  \r\n",
     "03-07-2024 09:05:02   (Date run)\r\n"
     " 1 tested\r\n"
     " 1 bad\r\n"
     " 2 - bytes tested\r\n"
     " 1,234.57 - seconds\r\n"
     " Path tested - c:\\scans\\0307\\\r\n"
     "# 200 - c:\\scans\\0307\\x.zip  \r\n",
     {},
     {"c:\\qrw\\errors.txt"}},
    {"dropped folder with a bad archive, total carried in memory",
     "",
     [](Harness& h) {
       h.platform.AddFile("c:\\drop\\z.zip", "PK");
       h.component.fallback.testResult = kResultCannotRead;
       h.Record().renameDisabled = true;
       h.Record().runningTotal = 7;
       h.platform.clockReadings = {5.0f, 5.25f};
     },
     [](Harness& h) { h.engine.DropRun({"C:\\Drop"}); },
     " 9 \r\n",
     "03-07-2024 09:05:02   (Drag n drop)\r\n"
     " 1 tested\r\n"
     " 1 bad\r\n"
     " 2 bytes tested\r\n"
     " 9 - total bytes tested\r\n"
     " .25 seconds\r\n"
     " Path tested - c:\\drop\\\r\n"
     "# 410 - c:\\drop\\z.zip  \r\n",
     "03-07-2024 09:05:02   (Drag n drop)\r\n"
     " 1 tested\r\n"
     " 1 bad\r\n"
     " 2 bytes tested\r\n"
     " .25 seconds\r\n"
     " Path tested - c:\\drop\\\r\n"
     "# 410 - c:\\drop\\z.zip  \r\n",
     {"c:\\qrw\\error.wav"},
     {"c:\\qrw\\errors.txt"}},
    {"no bad archive leaves the errors file; unreadable total text reads as 0",
     "",
     [](Harness& h) {
       h.platform.AddFile("c:\\t\\a.zip", "PK");
       h.platform.AddFile(h.ProgramFile("errors.txt"), "old\r\n");
       h.platform.AddFile(h.ProgramFile("QRtot.txt"), "abc\r\n");
       h.Record().runningTotal = 500;
       h.platform.browseAnswers = {"c:\\t"};
     },
     Browse,
     " 2 \r\n",
     "03-07-2024 09:05:02   \r\n"
     " 1 tested\r\n"
     " 0 bad\r\n"
     " 2 - bytes tested\r\n"
     " 2 - total bytes tested\r\n"
     " . - seconds\r\n"
     " Path tested - c:\\t\\\r\n"
     "\r\n",
     "old\r\n",
     {},
     {}},
    {"a total of 1e15 and more is written in exponent form",
     "",
     [](Harness& h) {
       h.platform.AddFile("c:\\t\\a.zip", "PK");
       h.platform.AddFile(h.ProgramFile("QRtot.txt"), " 999999999999998 \r\n");
       h.platform.browseAnswers = {"c:\\t"};
     },
     Browse,
     " 1E+15 \r\n",
     "03-07-2024 09:05:02   \r\n"
     " 1 tested\r\n"
     " 0 bad\r\n"
     " 2 - bytes tested\r\n"
     " 1,000,000,000,000,000 - total bytes tested\r\n"
     " . - seconds\r\n"
     " Path tested - c:\\t\\\r\n"
     "\r\n",
     std::nullopt,
     {},
     {}},
    {"aborted right-click run",
     "c:\\t /R",
     [](Harness& h) {
       h.platform.AddFile("c:\\t\\a.zip", "PK");
       h.platform.onProcessEvents = [&h] {
         if (h.platform.folderPanel == "c:\\t\\" && h.Record().running) h.engine.AbortRun();
       };
     },
     Browse,
     " 0 \r\n",
     "03-07-2024 09:05:02  (Aborted) (Right click)\r\n"
     " 0 tested\r\n"
     " 0 bad\r\n"
     " 0 - bytes tested\r\n"
     " 0 - total bytes tested\r\n"
     " . - seconds\r\n"
     " Path tested - c:\\t\\\r\n"
     "\r\n",
     std::nullopt,
     {},
     {}},
};

TEST(ResultFiles, ByteForByte) {
  for (const RecordingCase& c : kCases) {
    SCOPED_TRACE(c.name);
    Harness h(c.commandLine);
    c.setUp(h);
    const std::string logBefore = h.Log();

    c.run(h);

    EXPECT_EQ(h.Totals(), c.totals);
    EXPECT_EQ(h.Log(), logBefore + c.logAdded);
    EXPECT_EQ(h.platform.Exists(h.ProgramFile("errors.txt")), c.errors.has_value());
    if (c.errors) {
      EXPECT_EQ(h.Errors(), *c.errors);
    }
    EXPECT_EQ(h.platform.sounds, c.sounds);
    EXPECT_EQ(h.platform.editorFiles, c.editorFiles);
  }
}

TEST(ResultFiles, ControlCharactersInNamesAreEscapedNotWrittenAsLineBreaks) {
  RunResult run;
  run.when = {2024, 3, 7, 9, 5, 2};
  run.badZips = 1;
  run.pathTested = "/t/new\nline/";
  const std::string lines[] = {"# 110 - /t/new\nline/a\r\x1b[2J.zip"};
  run.errorLines = lines;
  const std::string log = MasterLogEntry(run);
  EXPECT_NE(log.find(" Path tested - /t/new\\x0Aline/\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("# 110 - /t/new\\x0Aline/a\\x0D\\x1B[2J.zip  \r\n"), std::string::npos) << log;
  // Every line break left is one the file's format put there.
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 8);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\r'), 8);
  EXPECT_EQ(EscapeControlCharacters("c:\\plain name\x7f"), "c:\\plain name\\x7F");
}

TEST(ResultFiles, TwoRunsAppendTwoEntriesAndAccumulateTheTotal) {
  Harness h;
  h.platform.AddFile("c:\\t\\a.zip", "PK-12345");
  h.platform.browseAnswers = {"c:\\t", "c:\\t"};

  h.engine.StartRun();
  h.engine.StartRun();

  auto entry = [](const char* total) {
    return std::string("03-07-2024 09:05:02   \r\n 1 tested\r\n 0 bad\r\n 8 - bytes tested\r\n") + total +
           " - total bytes tested\r\n . - seconds\r\n Path tested - c:\\t\\\r\n\r\n";
  };
  EXPECT_EQ(h.Log(), entry(" 8") + entry(" 16"));
  EXPECT_EQ(h.Totals(), " 16 \r\n");
}

TEST(ResultFiles, AFailingFileStepIsSkippedAndTheOthersRun) {
  const struct {
    const char* failing;
    bool unreadableTotals;
    bool totalsWritten, errorsWritten, logWritten;
    const char* totalLine;
  } cases[] = {
      {"qrtot.txt", false, false, true, true, " 52 - total bytes tested"},
      {"errors.txt", false, true, false, true, " 52 - total bytes tested"},
      {"quarrow.log", false, true, true, false, nullptr},
      {"", true, true, true, true, " 52 - total bytes tested"},  // total kept in memory
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    Harness h("c:\\t");
    h.platform.AddFile("c:\\t\\a.zip", "PK");
    h.component.fallback.testResult = kResultBadCrc;
    h.Record().renameDisabled = true;
    h.Record().runningTotal = 50;
    if (*c.failing) h.platform.failingWrites.insert(std::string("c:\\qrw\\") + c.failing);
    if (c.unreadableTotals) {
      h.platform.AddFile(h.ProgramFile("QRtot.txt"), " 9999 \r\n");
      h.platform.unreadableFiles.insert("c:\\qrw\\qrtot.txt");
    }

    h.engine.StartRun();

    EXPECT_EQ(h.Totals(), c.totalsWritten ? " 52 \r\n" : "");
    EXPECT_EQ(h.platform.Exists(h.ProgramFile("errors.txt")), c.errorsWritten);
    EXPECT_EQ(h.platform.Exists(h.ProgramFile("Quarrow.log")), c.logWritten);
    if (c.totalLine) {
      EXPECT_NE(h.Log().find(c.totalLine), std::string::npos);
    }
    EXPECT_EQ(h.platform.summaries.size(), 1u);
  }
}

}  // namespace
}  // namespace quarrow::run
