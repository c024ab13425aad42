#include "qrw32_arguments.h"

#include <gtest/gtest.h>

namespace quarrow::ui {
namespace {

using Strings = std::vector<std::string>;
using Mode = Qrw32Arguments::Mode;
using Form = run::CommandLineForm;

// Folders that exist in the cases below, named like the trailing forms.
bool IsFolder(const std::string& path) { return path == "/real&" || path == "/real /R" || path == "/data"; }

TEST(Qrw32Arguments, Forms) {
  const struct {
    Strings args;
    Mode mode;
    bool noRename;
    const char* folder;
    Form form;
    Strings drops;
    const char* error;  // a part of the message, "" when there is none
  } cases[] = {
      {{}, Mode::kRun, false, "", Form::kEmpty, {}, ""},
      {{"/data/zips"}, Mode::kRun, false, "/data/zips", Form::kFolder, {}, ""},
      {{"C:\\My Zips"}, Mode::kRun, false, "C:\\My Zips", Form::kFolder, {}, ""},
      {{"c:\\data", "/R"}, Mode::kRun, false, "c:\\data", Form::kRightClickRun, {}, ""},
      {{"c:\\data /R"}, Mode::kRun, false, "c:\\data", Form::kRightClickRun, {}, ""},
      {{"/scans/&"}, Mode::kRun, false, "/scans/", Form::kDateRun, {}, ""},
      {{"--date", "/scans"}, Mode::kRun, false, "/scans", Form::kDateRun, {}, ""},
      {{"--right-click", "/scans"}, Mode::kRun, false, "/scans", Form::kRightClickRun, {}, ""},
      // An existing folder's name is that folder, whatever it ends in.
      {{"/real&"}, Mode::kRun, false, "/real&", Form::kFolder, {}, ""},
      {{"/real", "/R"}, Mode::kRun, false, "/real /R", Form::kFolder, {}, ""},
      {{"/real /R"}, Mode::kRun, false, "/real /R", Form::kFolder, {}, ""},
      // Options anywhere; "--" ends them.
      {{"/data", "--no-rename"}, Mode::kRun, true, "/data", Form::kFolder, {}, ""},
      {{"--no-rename", "/data"}, Mode::kRun, true, "/data", Form::kFolder, {}, ""},
      {{"--", "--odd name"}, Mode::kRun, false, "--odd name", Form::kFolder, {}, ""},
      {{"--drop", "a.zip", "dir", "--no-rename"}, Mode::kDrop, true, "", Form::kEmpty, {"a.zip", "dir"}, ""},
      {{"--drop", "a.zip", "--", "--no-rename"}, Mode::kDrop, false, "", Form::kEmpty, {"a.zip", "--no-rename"}, ""},
      {{"--no-rename", "--drop", "x"}, Mode::kDrop, true, "", Form::kEmpty, {"x"}, ""},
      {{"--help"}, Mode::kHelp, false, "", Form::kEmpty, {}, ""},
      // Usage errors.
      {{"/one", "/two"}, Mode::kRun, false, "", Form::kEmpty, {}, "one folder at most (given: /one and /two)"},
      {{"--date", "/one", "/two"}, Mode::kRun, false, "", Form::kEmpty, {}, "one folder at most"},
      {{"--date"}, Mode::kRun, false, "", Form::kEmpty, {}, "--date needs a folder"},
      {{"--drop"}, Mode::kDrop, false, "", Form::kEmpty, {}, "--drop needs at least one path"},
      {{"--bogus", "/data"}, Mode::kRun, false, "", Form::kEmpty, {}, "unknown option --bogus"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Qrw32Arguments parsed = ParseQrw32Arguments(c.args, IsFolder);
    if (*c.error) {
      EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
      continue;
    }
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.mode, c.mode);
    EXPECT_EQ(parsed.renameDisabled, c.noRename);
    EXPECT_EQ(parsed.folder, c.folder);
    EXPECT_EQ(parsed.form, c.form);
    EXPECT_EQ(parsed.dropItems, c.drops);
  }
}

TEST(Qrw32Arguments, Jobs) {
  const struct {
    Strings args;
    std::optional<unsigned> jobs;
    const char* error;  // "" when there is none
  } cases[] = {
      {{"/data"}, std::nullopt, ""},
      {{"--jobs", "4", "/data"}, 4u, ""},
      {{"/data", "--jobs", "1"}, 1u, ""},
      {{"--jobs", "256", "--drop", "x"}, 256u, ""},
      {{"--jobs", "0", "/data"}, std::nullopt, "--jobs needs a number from 1 to 256"},
      {{"--jobs", "257", "/data"}, std::nullopt, "--jobs needs a number from 1 to 256"},
      {{"--jobs", "-2", "/data"}, std::nullopt, "--jobs needs a number from 1 to 256"},
      {{"--jobs", "2x", "/data"}, std::nullopt, "--jobs needs a number from 1 to 256"},
      {{"/data", "--jobs"}, std::nullopt, "--jobs needs a number from 1 to 256"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Qrw32Arguments parsed = ParseQrw32Arguments(c.args, IsFolder);
    EXPECT_EQ(parsed.error, c.error);
    if (!*c.error) {
      EXPECT_EQ(parsed.jobs, c.jobs);
    }
  }
}

TEST(Qrw32Arguments, EngineCommandLineKeepsTheForm) {
  EXPECT_EQ(EngineCommandLine("/a", Form::kDateRun), "/a&");
  EXPECT_EQ(EngineCommandLine("/a", Form::kRightClickRun), "/a /R");
  EXPECT_EQ(EngineCommandLine("/a&", Form::kFolder), "/a&");
  EXPECT_EQ(EngineCommandLine("", Form::kEmpty), "");
}

}  // namespace
}  // namespace quarrow::ui
