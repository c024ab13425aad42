// Extraction: only matching entries, only below the destination folder, only
// whole and verified files.
#include <gtest/gtest.h>

#include "archive_tester.h"
#include "test_support.h"
#include "zip_builder.h"

namespace quarrow::archive {
namespace {

namespace fs = std::filesystem;
using fixtures::ZipBuilder;
using testing::ListTree;
using testing::ReadFileText;
using testing::TempDir;

struct NameCase {
  std::string entryName;
  std::string writtenAs;  // relative path below the destination, "" when never written
};

// Builds an archive with one entry per case (its content is the entry name)
// and extracts it with mask "*" into dir/dest. Returns the extract result.
int ExtractCases(const TempDir& dir, const std::vector<NameCase>& cases, bool keepFolderNames) {
  ZipBuilder zip;
  for (const NameCase& c : cases) zip.Add(c.entryName, c.entryName);
  fs::create_directory(dir.Path() / "dest");
  ArchiveTester tester;
  tester.SetKeepFolderNames(keepFolderNames);
  tester.SetFileMask("*");
  tester.SetDestinationFolder(dir / "dest");
  tester.SetArchiveName(testing::WriteArchive(dir, zip.Build()));
  return tester.Extract(0);
}

// The destination must hold exactly the files of the written cases (with
// their folders), each with its entry's content, and nothing may appear
// next to it.
void ExpectWritten(const TempDir& dir, const std::vector<NameCase>& cases,
                   const std::vector<std::string>& folders) {
  std::vector<std::string> expected = folders;
  for (const NameCase& c : cases) {
    if (c.writtenAs.empty()) continue;
    expected.push_back(c.writtenAs);
    EXPECT_EQ(ReadFileText(dir.Path() / "dest" / c.writtenAs), c.entryName) << c.entryName;
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(dir.Path() / "dest"), expected);
  std::vector<std::string> everything = {"archive.zip", "dest/"};
  for (const std::string& name : expected) everything.push_back("dest/" + name);
  std::sort(everything.begin(), everything.end());
  EXPECT_EQ(ListTree(dir.Path()), everything);
}

TEST(Extract, PlainFileNamesOnlyAndNeverAnUnsafeOne) {
  const std::vector<NameCase> cases = {
      {"normal.diz", "normal.diz"},
      {"../up.diz", "up.diz"},            // reduced to its plain name, inside the destination
      {"..\\..\\back.diz", "back.diz"},
      {"/etc/abs.diz", "abs.diz"},
      {"C:\\windows\\drive.diz", "drive.diz"},
      {"COM10.diz", "COM10.diz"},         // not a device
      {"folder/", ""},
      {"folder/..", ""},
      {"folder/.", ""},
      {"", ""},
      {"C:relative.diz", ""},
      {"file.diz:stream", ""},
      {"con", ""},
      {"CON.diz", ""},
      {"nul.txt.diz", ""},
      {"Aux", ""},
      {"prn.diz", ""},
      {"com1.diz", ""},
      {"LPT9", ""},
      {"conin$.diz", ""},
      {"CON .diz", ""},
      {"a<b.diz", ""},
      {"a>b.diz", ""},
      {"a\"b.diz", ""},
      {"a|b.diz", ""},
      {"a?b.diz", ""},
      {"a*b.diz", ""},
      {"bell\x07.diz", ""},
      {"tab\t.diz", ""},
      {"trailing.", ""},
      {"trailing ", ""},
  };
  TempDir dir;
  EXPECT_EQ(ExtractCases(dir, cases, /*keepFolderNames=*/false), kOk);
  ExpectWritten(dir, cases, {});
}

TEST(Extract, KeptFolderNamesStayBelowTheDestination) {
  const std::vector<NameCase> cases = {
      {"plain.diz", "plain.diz"},
      {"sub/ok.diz", "sub/ok.diz"},
      {"sub\\win.diz", "sub/win.diz"},
      {"deep/er/x.diz", "deep/er/x.diz"},
      {"../up.diz", ""},
      {"made/../../up.diz", ""},
      {"made/../x.diz", ""},
      {"/abs.diz", ""},
      {"\\abs.diz", ""},
      {"c:/drive.diz", ""},
      {"sub//double.diz", ""},
      {"./dot.diz", ""},
      {"made/con/x.diz", ""},
      {"made/aux.diz", ""},
      {"made/", ""},
  };
  TempDir dir;
  EXPECT_EQ(ExtractCases(dir, cases, /*keepFolderNames=*/true), kOk);
  // No folder is made for an entry that is not written ("made/").
  ExpectWritten(dir, cases, {"deep/", "deep/er/", "sub/"});
}

struct ExtractSetup {
  TempDir dir;
  ArchiveTester tester;

  explicit ExtractSetup(const std::vector<uint8_t>& archive, const std::string& mask = "*.diz") {
    fs::create_directory(dir.Path() / "dest");
    tester.SetFileMask(mask);
    tester.SetDestinationFolder(dir / "dest");
    tester.SetArchiveName(testing::WriteArchive(dir, archive));
  }
};

TEST(Extract, EntriesOverOneMebibyteAreCheckedButNotWritten) {
  constexpr size_t kLimit = 1 << 20;
  ZipBuilder zip;
  zip.Add("limit.diz", fixtures::SampleText(kLimit))
      .Add("over.diz", fixtures::SampleText(kLimit + 1))
      .Add("stored_over.diz", fixtures::SampleNoise(kLimit + 1), {.method = fixtures::kStored});
  std::vector<uint8_t> bytes = zip.Build();
  {
    ExtractSetup setup(bytes);
    EXPECT_EQ(setup.tester.Extract(0), kOk);
    EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), std::vector<std::string>{"limit.diz"});
    EXPECT_EQ(testing::ReadFileBytes(setup.dir.Path() / "dest" / "limit.diz"),
              fixtures::SampleText(kLimit));
  }
  // A damaged entry is reported even though it would not have been written.
  fixtures::PatchU32(bytes, zip.Layout().entries[1].central + fixtures::field::kCentralCrc, 0);
  fixtures::PatchU32(bytes, zip.Layout().entries[1].local + fixtures::field::kLocalCrc, 0);
  ExtractSetup damaged(bytes);
  EXPECT_EQ(damaged.tester.Extract(0), kBadCrc);
}

TEST(Extract, AtMostSixteenFilesAndFourMebibytesPerArchiveAreWritten) {
  constexpr size_t kMiB = 1 << 20;
  struct Case {
    const char* what;
    std::vector<size_t> sizes;  // one "NN.diz" entry per size, in order
    std::vector<std::string> written;
  };
  const std::vector<std::string> first16 = {"00.diz", "01.diz", "02.diz", "03.diz", "04.diz", "05.diz",
                                            "06.diz", "07.diz", "08.diz", "09.diz", "10.diz", "11.diz",
                                            "12.diz", "13.diz", "14.diz", "15.diz"};
  const Case cases[] = {
      {"twenty small files", std::vector<size_t>(20, 100), first16},
      {"five files of 1 MiB", std::vector<size_t>(5, kMiB), {"00.diz", "01.diz", "02.diz", "03.diz"}},
      {"a file that would pass 4 MiB is skipped, a smaller one after it fits",
       {kMiB, kMiB, kMiB, kMiB - 1000, 2000, 500},
       {"00.diz", "01.diz", "02.diz", "03.diz", "05.diz"}},
  };
  for (const Case& c : cases) {
    ZipBuilder zip;
    for (size_t i = 0; i < c.sizes.size(); ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%02zu.diz", i);
      zip.Add(name, fixtures::SampleText(c.sizes[i], static_cast<uint32_t>(i)));
    }
    std::vector<uint8_t> bytes = zip.Build();
    {
      ExtractSetup setup(bytes);
      EXPECT_EQ(setup.tester.Extract(0), kOk) << c.what;
      EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), c.written) << c.what;
    }
    // Entries past the caps are still checked: damage in the last one shows.
    const fixtures::EntryLayout& last = zip.Layout().entries.back();
    fixtures::PatchU32(bytes, last.central + fixtures::field::kCentralCrc, 0);
    fixtures::PatchU32(bytes, last.local + fixtures::field::kLocalCrc, 0);
    ExtractSetup damaged(bytes);
    EXPECT_EQ(damaged.tester.Extract(0), kBadCrc) << c.what;
  }
}

TEST(Extract, DamagedEntryNeverReplacesAnExistingFile) {
  ZipBuilder zip;
  zip.Add("file_id.diz", fixtures::SampleText(5000));
  std::vector<uint8_t> bytes = zip.Build();
  const fixtures::EntryLayout& entry = zip.Layout().entries[0];
  fixtures::FlipByte(bytes, entry.data + entry.dataSize - 1, 0x55);  // the deflate stream's tail

  ExtractSetup setup(bytes);
  testing::WriteText(setup.dir.Path() / "dest" / "file_id.diz", "old");
  const int result = setup.tester.Extract(0);
  EXPECT_TRUE(result == kBadCrc || result == kBadData) << result;
  EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), std::vector<std::string>{"file_id.diz"});
  EXPECT_EQ(ReadFileText(setup.dir.Path() / "dest" / "file_id.diz"), "old");
}

TEST(Extract, GoodEntryReplacesAnExistingFile) {
  ExtractSetup setup(ZipBuilder().Add("file_id.diz", "new text").Build());
  testing::WriteText(setup.dir.Path() / "dest" / "file_id.diz", "old text that was longer");
  EXPECT_EQ(setup.tester.Extract(0), kOk);
  EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), std::vector<std::string>{"file_id.diz"});
  EXPECT_EQ(ReadFileText(setup.dir.Path() / "dest" / "file_id.diz"), "new text");
}

TEST(Extract, FailedWriteSkipsTheEntryWithoutMakingTheArchiveBad) {
  const std::vector<uint8_t> archive = ZipBuilder().Add("file_id.diz", "text").Build();
  {
    ExtractSetup setup(archive);
    setup.tester.SetDestinationFolder(setup.dir / "missing");
    EXPECT_EQ(setup.tester.Extract(0), kOk);
    EXPECT_EQ(ListTree(setup.dir.Path()), (std::vector<std::string>{"archive.zip", "dest/"}));
  }
  {
    // A folder where the file should go.
    ExtractSetup setup(archive);
    fs::create_directory(setup.dir.Path() / "dest" / "file_id.diz");
    EXPECT_EQ(setup.tester.Extract(0), kOk);
    EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), std::vector<std::string>{"file_id.diz/"});
  }
  {
    ExtractSetup setup(archive);
    setup.tester.SetDestinationFolder("");
    EXPECT_EQ(setup.tester.Extract(0), kOk);
    EXPECT_TRUE(ListTree(setup.dir.Path() / "dest").empty());
  }
}

TEST(Extract, SkippedEntriesStillCountAsMatched) {
  ZipBuilder zip;
  zip.Add("secret.diz", "text", {.encrypted = true})
      .Add("packed.diz", "text", {.method = 98})
      .Add("con.diz", "text")
      .Add("readme.txt", "text");
  ExtractSetup setup(zip.Build());
  EXPECT_EQ(setup.tester.Extract(0), kOk);
  EXPECT_TRUE(ListTree(setup.dir.Path() / "dest").empty());

  setup.tester.SetFileMask("*.nfo");
  EXPECT_EQ(setup.tester.Extract(0), kNothingMatched);
}

TEST(Extract, MaskSelectsByPlainFileNameIgnoringCase) {
  ZipBuilder zip;
  zip.Add("docs/FILE_ID.DIZ", "one").Add("other.txt", "two").Add("diz/readme.txt", "three");
  ExtractSetup setup(zip.Build());
  EXPECT_EQ(setup.tester.Extract(0), kOk);
  EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), std::vector<std::string>{"FILE_ID.DIZ"});
}

#ifndef _WIN32
TEST(Extract, NeverWritesThroughASymbolicLink) {
  ZipBuilder zip;
  zip.Add("file_id.diz", "from the archive").Add("sub/inner.diz", "from the archive");
  ExtractSetup setup(zip.Build());
  const fs::path outside = setup.dir.Path() / "outside.txt";
  const fs::path outsideFolder = setup.dir.Path() / "outside";
  testing::WriteText(outside, "untouched");
  fs::create_directory(outsideFolder);
  fs::create_symlink(outside, setup.dir.Path() / "dest" / "file_id.diz");
  fs::create_directory_symlink(outsideFolder, setup.dir.Path() / "dest" / "sub");

  setup.tester.SetKeepFolderNames(true);
  EXPECT_EQ(setup.tester.Extract(0), kOk);
  EXPECT_EQ(ReadFileText(outside), "untouched");
  EXPECT_TRUE(fs::is_symlink(setup.dir.Path() / "dest" / "file_id.diz"));
  EXPECT_TRUE(fs::is_empty(outsideFolder));
  EXPECT_EQ(ListTree(setup.dir.Path() / "dest"), (std::vector<std::string>{"file_id.diz", "sub"}));
}
#endif

}  // namespace
}  // namespace quarrow::archive
