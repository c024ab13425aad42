// File-name masks and the extraction-name check.
#include <gtest/gtest.h>

#include "extract_name.h"
#include "name_mask.h"

namespace quarrow::archive {
namespace {

TEST(Mask, MatchesWildcardsWithoutRegardToCase) {
  static const std::string kManyA(2000, 'a');
  struct Case {
    const char* mask;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"", "anything.txt", true},
      {"", "", true},
      {"*", "", true},
      {"*", "file_id.diz", true},
      {"*.diz", "file_id.diz", true},
      {"*.diz", "FILE_ID.DIZ", true},
      {"*.DIZ", "file_id.diz", true},
      {"*.diz", "file_id.diz.txt", false},
      {"*.diz", "file_id.dizz", false},
      {"*.diz", ".diz", true},
      {"*.diz", "diz", false},
      {"?.txt", "a.txt", true},
      {"?.txt", ".txt", false},
      {"?.txt", "ab.txt", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXbYY", false},
      {"a*b", "abab", true},
      {"*a*a*a*a*b", kManyA.c_str(), false},
      {"file_id.diz", "FILE_ID.diz", true},
      {"file_id.diz", "file_id.di", false},
      {"**", "x", true},
      {"\xC4*", "\xC4rger.txt", true},
      {"\xC4*", "\xE4rger.txt", false},  // only ASCII letters fold
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesMask(c.mask, c.name), c.matches) << '"' << c.mask << "\" vs \"" << c.name << '"';
  }
}

TEST(Mask, PlainFileNameFollowsTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(PlainFileName("a/b/c.diz"), "c.diz");
  EXPECT_EQ(PlainFileName("a\\b/c\\d.diz"), "d.diz");
  EXPECT_EQ(PlainFileName("top.diz"), "top.diz");
  EXPECT_EQ(PlainFileName("folder/"), "");
}

TEST(ExtractName, UnsafeComponentsAreRefused) {
  for (const std::string_view bad :
       {"", ".", "..", "a:b", "c:", "a<b", "a>b", "a\"b", "a|b", "a?b", "a*b", "a/b", "a\\b",
        "ctl\x01", "del\x7F", "dot.", "blank ", "CON", "con", "Con.txt", "con .txt", "NUL.a.b",
        "aux", "PRN.diz", "COM1", "com9.txt", "LPT1", "lpt5.x", "CONIN$", "conout$.log",
        "COM\xB9", "LPT\xC2\xB2.txt"}) {
    EXPECT_FALSE(IsSafeNameComponent(bad)) << '"' << bad << '"';
  }
  for (const std::string_view good :
       {"file_id.diz", "...x", ".hidden", "con1", "console.txt", "COM10", "LPT0", "xCON",
        "nul_", "a b", "\xE4rger.txt", "\xC3\xA4rger.txt"}) {
    EXPECT_TRUE(IsSafeNameComponent(good)) << '"' << good << '"';
  }
}

TEST(ExtractName, PathsKeepFoldersOnlyWhenAsked) {
  using Path = std::optional<std::vector<std::string>>;
  EXPECT_EQ(SafeExtractPath("a/b/c.diz", false), Path({"c.diz"}));
  EXPECT_EQ(SafeExtractPath("a/b/c.diz", true), Path({"a", "b", "c.diz"}));
  EXPECT_EQ(SafeExtractPath("a\\b/c.diz", true), Path({"a", "b", "c.diz"}));
  EXPECT_EQ(SafeExtractPath("../c.diz", false), Path({"c.diz"}));
  for (const std::string_view bad :
       {"../c.diz", "a/../c.diz", "a/..", "/c.diz", "\\c.diz", "c:/x.diz", "a//c.diz", "a/",
        "./c.diz", "a/con/c.diz", "a/b/nul"}) {
    EXPECT_EQ(SafeExtractPath(bad, true), std::nullopt) << bad;
  }
  for (const std::string_view bad : {"a/", "a/..", "x:/y/c:z", "con", "dir\\lpt1.txt"}) {
    EXPECT_EQ(SafeExtractPath(bad, false), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace quarrow::archive
