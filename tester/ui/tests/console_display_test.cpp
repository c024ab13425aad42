#include "console_display.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

namespace quarrow::ui {
namespace {

TEST(ConsoleDisplay, OnATerminalRedrawsOneStatusLineAndPrintsLinesAboveIt) {
  std::ostringstream out;
  ConsoleDisplay display(out, /*terminal=*/true, /*width=*/30);

  display.SetFolder("/t/");
  display.SetTitle("Searching...");
  display.SetTitle("Searching...");  // unchanged: not drawn again
  display.SetCounter(" 1  tested    -    0  bad");
  display.PrintLine("# 110 - /t/a.zip");
  display.SetTitle("");
  display.SetCounter("");
  display.ClearStatus();

  const std::string blank(29, ' ');
  EXPECT_EQ(out.str(),
            "\r/t/"
            "\rSearching...  /t/"
            // Truncated to the width less one column.
            "\r1  tested    -    0  bad  Sea"
            "\r" + blank + "\r# 110 - /t/a.zip\n"
            "\r1  tested    -    0  bad  Sea"
            "\r1  tested    -    0  bad  /t/"
            // Shorter than before: the rest of the old line is blanked.
            "\r/t/" + std::string(26, ' ') + "\r/t/" +
                "\r" + blank + "\r");
}

TEST(ConsoleDisplay, ElsewhereOnlyPrintedLinesAppear) {
  std::ostringstream out;
  ConsoleDisplay display(out, /*terminal=*/false, 80);

  display.SetFolder("/t/");
  display.SetCounter(" 1  tested    -    0  bad");
  display.PrintLine("good  /t/a.zip");
  display.ClearStatus();

  EXPECT_EQ(out.str(), "good  /t/a.zip\n");
}

// What has been handed on to the output (the terminal, a pipe) at each
// flush of the stream.
class FlushedText : public std::stringbuf {
 public:
  std::string flushed;

 protected:
  int sync() override {
    flushed = str();
    return 0;
  }
};

TEST(ConsoleDisplay, ATerminalGetsEachLineAtOnceOtherOutputsByTheEnd) {
  for (const bool terminal : {true, false}) {
    SCOPED_TRACE(terminal);
    FlushedText buffer;
    std::ostream out(&buffer);
    ConsoleDisplay display(out, terminal, 80);

    display.PrintLine("bad   # 110 - /t/a.zip");
    EXPECT_EQ(buffer.flushed, terminal ? "bad   # 110 - /t/a.zip\n" : "");
    display.PrintLine("good  /t/b.zip");
    display.ClearStatus();
    EXPECT_EQ(buffer.flushed, "bad   # 110 - /t/a.zip\ngood  /t/b.zip\n");
  }
}

TEST(ConsoleDisplay, ControlCharactersAreShownEscaped) {
  std::ostringstream out;
  ConsoleDisplay display(out, /*terminal=*/false, /*width=*/80);
  display.PrintLine("bad   # 110 - /t/a\nb\x1b[31m.zip");
  EXPECT_EQ(out.str(), "bad   # 110 - /t/a\\x0Ab\\x1B[31m.zip\n");
}

}  // namespace
}  // namespace quarrow::ui
