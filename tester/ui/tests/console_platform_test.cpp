// The console platform's file system on the machine's real one.
#include "console_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "temp_folder.h"

namespace quarrow::ui {
namespace {

struct RealPlatform {
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleIo io{in, out, err};
  ConsolePlatform platform{io};
};

std::string Folder(const TempFolder& temp) { return temp.Path().string() + PlatformEngineSettings().separator; }

TEST(ConsolePlatform, RenameNeverReplacesAnExistingFile) {
  TempFolder temp;
  RealPlatform p;
  WriteText(temp / "a.zip", "archive");
  WriteText(temp / "a.zip.bad", "older");

  EXPECT_FALSE(p.platform.Rename(temp / "a.zip", temp / "a.zip.bad"));
  EXPECT_EQ(ReadText(temp / "a.zip"), "archive");
  EXPECT_EQ(ReadText(temp / "a.zip.bad"), "older");

  EXPECT_TRUE(p.platform.Delete(temp / "a.zip.bad"));
  EXPECT_TRUE(p.platform.Rename(temp / "a.zip", temp / "a.zip.bad"));
  EXPECT_EQ(ReadText(temp / "a.zip.bad"), "archive");
  EXPECT_FALSE(std::filesystem::exists(temp / "a.zip"));
  EXPECT_FALSE(p.platform.Delete(temp / "a.zip"));
}

TEST(ConsolePlatform, ListsMatchingNamesIgnoringCase) {
  TempFolder temp;
  RealPlatform p;
  WriteText(temp / "A.ZIP", "");
  WriteText(temp / "b.zip", "");
  WriteText(temp / "c.txt", "");
  std::filesystem::create_directories(temp / "d.zip");

  std::vector<std::string> names;
  for (const run::FolderEntry& entry : p.platform.ListFolder(Folder(temp), "*.zip")) {
    names.push_back(entry.name + (entry.isFolder ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A.ZIP", "b.zip", "d.zip/"}));
  EXPECT_TRUE(p.platform.ListFolder(Folder(temp) + "missing" + PlatformEngineSettings().separator, "*.*").empty());
}

TEST(ConsolePlatform, OrdinaryFilesFoldersAndLengths) {
  TempFolder temp;
  RealPlatform p;
  WriteText(temp / "a.zip", "12345");
  std::filesystem::create_directories(temp / "sub");

  EXPECT_TRUE(p.platform.IsOrdinaryFile(temp / "a.zip"));
  EXPECT_FALSE(p.platform.IsOrdinaryFile(temp / "sub"));
  EXPECT_FALSE(p.platform.IsOrdinaryFile(temp / "none.zip"));
  EXPECT_TRUE(p.platform.IsFolder(temp / "sub"));
  EXPECT_FALSE(p.platform.IsFolder(temp / "a.zip"));
  EXPECT_EQ(p.platform.FileLength(temp / "a.zip"), 5u);
  EXPECT_EQ(p.platform.FileLength(temp / "sub"), std::nullopt);
  EXPECT_EQ(p.platform.OrdinaryFileLength(temp / "a.zip"), 5u);
  EXPECT_EQ(p.platform.OrdinaryFileLength(temp / "sub"), std::nullopt);
  EXPECT_EQ(p.platform.OrdinaryFileLength(temp / "none.zip"), std::nullopt);
  EXPECT_TRUE(p.platform.ResetAttributes(temp / "a.zip"));
  EXPECT_FALSE(p.platform.IsOnReadOnlyDrive(temp / "a.zip"));
}

TEST(ConsolePlatform, WritesAppendsAndReadsBytesUnchanged) {
  TempFolder temp;
  RealPlatform p;
  const std::string path = temp / "Quarrow.log";

  EXPECT_TRUE(p.platform.AppendFile(path, "one\r\n"));
  EXPECT_TRUE(p.platform.AppendFile(path, "two\r\n"));
  EXPECT_EQ(ReadText(path), "one\r\ntwo\r\n");
  EXPECT_TRUE(p.platform.WriteFile(path, "\xE9\r\n"));
  EXPECT_EQ(ReadText(path), "\xE9\r\n");
  EXPECT_EQ(p.platform.ReadFileStart(path, 2), "\xE9\r");
  EXPECT_EQ(p.platform.ReadFileStart(temp / "missing.txt", 10), std::nullopt);
  EXPECT_FALSE(p.platform.WriteFile(temp / "no/such/folder.txt", "x"));
}

}  // namespace
}  // namespace quarrow::ui
