// What the console tester does with links and hidden names on POSIX systems.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "console_platform.h"
#include "qrw32_app.h"
#include "temp_folder.h"
#include "zip_builder.h"

namespace quarrow::ui {
namespace {

namespace fs = std::filesystem;

struct RealPlatform {
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleIo io{in, out, err};
  ConsolePlatform platform{io};
};

TEST(ConsolePlatformPosix, LinksToFoldersAreNotListedAsFolders) {
  TempFolder temp;
  RealPlatform p;
  fs::create_directories(temp / "real");
  fs::create_directory_symlink(temp / "real", temp / "link");

  std::map<std::string, bool> isFolder;
  for (const run::FolderEntry& entry : p.platform.ListFolder(temp.Path().string() + "/", "*.*")) {
    isFolder[entry.name] = entry.isFolder;
  }
  ASSERT_EQ(isFolder.count("real") + isFolder.count("link"), 2u);
  EXPECT_TRUE(isFolder["real"]);
  EXPECT_FALSE(isFolder["link"]);
}

TEST(ConsolePlatformPosix, DotNamesAreHidden) {
  TempFolder temp;
  RealPlatform p;
  WriteText(temp / ".a.zip", "PK");
  EXPECT_FALSE(p.platform.IsOrdinaryFile(temp / ".a.zip"));
  EXPECT_EQ(p.platform.OrdinaryFileLength(temp / ".a.zip"), std::nullopt);
}

// A link to a file is the file; a link to a folder or nowhere is no archive.
TEST(ConsolePlatformPosix, OrdinaryFileLengthFollowsLinksToFiles) {
  TempFolder temp;
  RealPlatform p;
  WriteText(temp / "a.zip", "12345");
  fs::create_directories(temp / "sub.zip");
  fs::create_symlink(temp / "a.zip", temp / "file-link.zip");
  fs::create_directory_symlink(temp / "sub.zip", temp / "folder-link.zip");
  fs::create_symlink(temp / "none.zip", temp / "dangling.zip");

  EXPECT_EQ(p.platform.OrdinaryFileLength(temp / "file-link.zip"), 5u);
  for (const char* name : {"sub.zip", "folder-link.zip", "dangling.zip", "none.zip"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(p.platform.OrdinaryFileLength(temp / name), std::nullopt);
    EXPECT_FALSE(p.platform.IsOrdinaryFile(temp / name));
  }
}

TEST(ConsolePlatformPosix, ResultFilesAreNotWrittenThroughALink) {
  TempFolder temp;
  RealPlatform p;
  WriteText(temp / "outside.txt", "keep");
  fs::create_symlink(temp / "outside.txt", temp / "QRtot.txt");

  EXPECT_FALSE(p.platform.WriteFile(temp / "QRtot.txt", " 1 \r\n"));
  EXPECT_FALSE(p.platform.AppendFile(temp / "QRtot.txt", " 1 \r\n"));
  EXPECT_EQ(ReadText(temp / "outside.txt"), "keep");
}

TEST(ConsolePlatformPosix, ARunOverLinkLoopsEndsAndStaysInTheTree) {
  TempFolder temp;
  fs::create_directories(temp / "program");
  fixtures::ZipBuilder zip;
  zip.Add("readme.txt", "hello");
  const std::vector<uint8_t> bytes = zip.Build();
  fs::create_directories(temp / "tree/sub");
  fs::create_directories(temp / "outside");
  ASSERT_TRUE(fixtures::WriteFile(temp / "tree/sub/a.zip", bytes));
  ASSERT_TRUE(fixtures::WriteFile(temp / "outside/b.zip", bytes));
  fs::create_directory_symlink(temp / "tree", temp / "tree/sub/loop");  // a loop
  fs::create_directory_symlink(temp / "outside", temp / "tree/away");    // out of the tree

  std::istringstream in;
  std::ostringstream out, err;
  ConsoleIo io{in, out, err};
  EXPECT_EQ(RunQrw32({temp / "tree"}, io, temp / "program"), 0) << err.str();

  EXPECT_NE(out.str().find(" 1 - zips tested"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("good  " + (temp / "tree/sub/a.zip")), std::string::npos);
}

}  // namespace
}  // namespace quarrow::ui
