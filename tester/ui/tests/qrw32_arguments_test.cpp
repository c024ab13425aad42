#include "qrw32_arguments.h"

#include <gtest/gtest.h>

namespace quarrow::ui {
namespace {

using Strings = std::vector<std::string>;
using Mode = Qrw32Arguments::Mode;

TEST(Qrw32Arguments, Forms) {
  const struct {
    Strings args;
    Mode mode;
    bool noRename;
    const char* commandLine;
    Strings drops;
    bool error;
  } cases[] = {
      {{}, Mode::kRun, false, "", {}, false},
      {{"/data/zips"}, Mode::kRun, false, "/data/zips", {}, false},
      {{"C:\\My", "Zips"}, Mode::kRun, false, "C:\\My Zips", {}, false},
      {{"c:\\data", "/R"}, Mode::kRun, false, "c:\\data /R", {}, false},
      {{"/scans/&"}, Mode::kRun, false, "/scans/&", {}, false},
      {{"--no-rename", "/data"}, Mode::kRun, true, "/data", {}, false},
      {{"--", "--odd name"}, Mode::kRun, false, "--odd name", {}, false},
      {{"--drop", "a.zip", "dir", "--no-rename"}, Mode::kDrop, false, "", {"a.zip", "dir", "--no-rename"}, false},
      {{"--no-rename", "--drop", "x"}, Mode::kDrop, true, "", {"x"}, false},
      {{"--drop"}, Mode::kDrop, false, "", {}, true},
      {{"--bogus", "/data"}, Mode::kRun, false, "", {}, true},
      {{"--help"}, Mode::kHelp, false, "", {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Qrw32Arguments parsed = ParseQrw32Arguments(c.args);
    EXPECT_EQ(parsed.error.empty(), !c.error);
    if (c.error) continue;
    EXPECT_EQ(parsed.mode, c.mode);
    EXPECT_EQ(parsed.renameDisabled, c.noRename);
    EXPECT_EQ(parsed.commandLine, c.commandLine);
    EXPECT_EQ(parsed.dropItems, c.drops);
  }
}

}  // namespace
}  // namespace quarrow::ui
