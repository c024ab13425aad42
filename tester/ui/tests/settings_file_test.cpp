#include "settings_file.h"

#include <gtest/gtest.h>

namespace quarrow::ui {
namespace {

TEST(SettingsFile, WritesTheFolderInLowerCaseOnOneLine) {
  EXPECT_EQ(SettingsFileText("D:\\Zips\\New"), "d:\\zips\\new\r\n");
  EXPECT_EQ(SettingsFileText(""), "\r\n");
}

TEST(SettingsFile, OnePathForReadingAndWriting) {
  EXPECT_EQ(SettingsFilePath("c:\\qrw"), "c:\\qrw\\lastfold.ini");
}

TEST(SettingsFile, ReadsTheFirstDelimitedField) {
  struct Case {
    const char* text;
    const char* field;
  };
  const Case cases[] = {
      {"c:\\zips\r\n", "c:\\zips"},
      {"c:\\zips", "c:\\zips"},
      {"c:\\a,b\\zips\r\n", "c:\\a"},           // a comma ends the field
      {"\"c:\\a,b\\zips\"\r\n", "c:\\a,b\\zips"},  // quotes keep it whole
      {"  c:\\my zips  \r\n", "c:\\my zips"},      // blanks around are dropped
      {"\"c:\\open", "c:\\open"},                  // an unclosed quote ends at the end
      {"c:\\first\r\nc:\\second\r\n", "c:\\first"},
      {"\r\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadFirstField(c.text), c.field) << c.text;
}

TEST(SettingsFile, AFolderWithACommaComesBackCutAtTheComma) {
  EXPECT_EQ(ReadFirstField(SettingsFileText("C:\\Zips,Old")), "c:\\zips");
}

}  // namespace
}  // namespace quarrow::ui
