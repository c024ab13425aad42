// The fixture table: every good and damaged archive through both operations,
// as the tester calls them, with every inflate engine of the build.
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "archive_tester.h"
#include "test_support.h"
#include "zip_builder.h"
#include "zip_catalog.h"

namespace quarrow::archive {
namespace {

using testing::ListTree;
using testing::ReadFileText;
using testing::TempDir;

const std::string kDizText =
    "QUARROW SAMPLE ARCHIVE\r\nA small archive for trying the tester.\r\n";

class CatalogTest
    : public ::testing::TestWithParam<std::tuple<fixtures::CatalogArchive, InflateEngine>> {};

TEST_P(CatalogTest, ExtractAndTestGiveTheExpectedCodes) {
  const auto& [archive, engine] = GetParam();
  TempDir dir;
  const std::string path = testing::WriteArchive(dir, archive.bytes, archive.name);
  std::filesystem::create_directory(dir.Path() / "out");

  ArchiveTester tester;
  tester.SetEngine(engine);
  tester.SetKeepFolderNames(false);
  tester.SetFileMask("*.diz");
  tester.SetDestinationFolder(dir / "out");
  tester.SetArchiveName(path);
  EXPECT_EQ(tester.Extract(0), archive.extractResult) << archive.description;
  EXPECT_EQ(StructureCheckName(tester.LastStructureCheck()),
            archive.extractResult == kBadStructure ? archive.check : "");

  // What extraction leaves behind: the description file, intact, exactly
  // when its archive could be extracted and it was not skipped.
  const std::vector<std::string> written = ListTree(dir.Path() / "out");
  const bool dizSkipped = archive.name == "encrypted_diz.zip" || archive.name == "unsupported_diz.zip";
  if (archive.extractResult == kOk && !dizSkipped) {
    ASSERT_EQ(written, std::vector<std::string>{"file_id.diz"}) << archive.description;
    EXPECT_EQ(ReadFileText(dir.Path() / "out" / "file_id.diz"), kDizText);
  } else {
    EXPECT_TRUE(written.empty()) << archive.description;
  }

  tester.SetArchiveName(path);
  tester.SetFileMask("");
  EXPECT_EQ(tester.Test(), archive.testResult) << archive.description;
  EXPECT_EQ(StructureCheckName(tester.LastStructureCheck()),
            archive.testResult == kBadStructure ? archive.check : "");
  EXPECT_FALSE(tester.Abort());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CatalogTest,
                         ::testing::Combine(::testing::ValuesIn(fixtures::FixtureCatalog()),
                                            ::testing::ValuesIn(InflateEngines())),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param).name;
                           name.resize(name.size() - 4);  // ".zip"
                           return name + "_" + std::string(InflateEngineName(std::get<1>(info.param)));
                         });

TEST(Catalog, CoversEveryResultCodeOfAnArchive) {
  std::set<int> extract;
  std::set<int> test;
  for (const fixtures::CatalogArchive& archive : fixtures::FixtureCatalog()) {
    extract.insert(archive.extractResult);
    test.insert(archive.testResult);
  }
  EXPECT_EQ(extract, (std::set<int>{kOk, kBadStructure, kBadCrc, kNothingMatched, kBadData}));
  EXPECT_EQ(test, (std::set<int>{kOk, kBadStructure, kBadCrc, kUnsupportedMethod, kEncrypted,
                                 kBadData}));
}

TEST(Catalog, ArchiveThatCannotBeOpenedGives410) {
  TempDir dir;
  ArchiveTester tester;
  int events = 0;
  tester.OnStatus([&](const StatusEvent&) { ++events; });
  std::filesystem::create_directory(dir.Path() / "folder.zip");
  for (const std::string& path : {dir / "missing.zip", dir / "folder.zip"}) {
    tester.SetArchiveName(path);
    tester.SetFileMask("*.diz");
    tester.SetDestinationFolder(dir / "folder.zip");
    EXPECT_EQ(tester.Extract(0), kCannotRead) << path;
    tester.SetFileMask("");
    EXPECT_EQ(tester.Test(), kCannotRead) << path;
  }
  EXPECT_EQ(events, 0);
  EXPECT_EQ(ListTree(dir.Path()), std::vector<std::string>{"folder.zip/"});
}

TEST(Catalog, OverlappingEntriesAreRejectedBeforeAnythingIsInflated) {
  for (const fixtures::CatalogArchive& archive : fixtures::FixtureCatalog()) {
    if (archive.name != "overlap_bomb.zip") continue;
    TempDir dir;
    ArchiveTester tester;
    int events = 0;
    tester.OnStatus([&](const StatusEvent&) { ++events; });
    tester.SetArchiveName(testing::WriteArchive(dir, archive.bytes));
    EXPECT_EQ(tester.Test(), kBadStructure);
    EXPECT_EQ(events, 0);  // no entry was even started
    return;
  }
  FAIL() << "overlap_bomb.zip missing from the catalog";
}

TEST(Catalog, CentralOrderDoesNotMatterAndEntriesAreReadInFileOrder) {
  fixtures::ZipBuilder zip;
  zip.Add("first.txt", fixtures::SampleText(1000, 1))
      .Add("second.txt", fixtures::SampleText(1000, 2))
      .Add("third.txt", fixtures::SampleText(1000, 3))
      .SetCentralOrder({2, 0, 1});
  TempDir dir;
  ArchiveTester tester;
  std::vector<std::string> order;
  tester.OnStatus([&](const StatusEvent& e) {
    if (e.Processed == 0) order.push_back(e.FileName);
  });
  tester.SetArchiveName(testing::WriteArchive(dir, zip.Build()));
  EXPECT_EQ(tester.Test(), kOk);
  EXPECT_EQ(order, (std::vector<std::string>{"first.txt", "second.txt", "third.txt"}));
}

TEST(Catalog, DuplicatedCentralEntryIsAnOverlap) {
  fixtures::ZipBuilder zip;
  zip.Add("one.txt", "one").Add("two.txt", "two").SetCentralOrder({0, 1, 1});
  TempDir dir;
  ArchiveTester tester;
  tester.SetArchiveName(testing::WriteArchive(dir, zip.Build()));
  EXPECT_EQ(tester.Test(), kBadStructure);
}

TEST(Catalog, EndRecordIsFoundBehindTheLongestComment) {
  TempDir dir;
  ArchiveTester tester;
  for (const size_t length : {size_t{0}, size_t{1}, size_t{65535}}) {
    fixtures::ZipBuilder zip;
    zip.Add("file_id.diz", "text").SetArchiveComment(std::string(length, 'c'));
    tester.SetArchiveName(testing::WriteArchive(dir, zip.Build()));
    EXPECT_EQ(tester.Test(), kOk) << length;
  }
  // Anything after the end record pushes it out of reach once the search
  // span is exceeded.
  fixtures::ZipBuilder zip;
  zip.Add("file_id.diz", "text");
  std::vector<uint8_t> bytes = zip.Build();
  bytes.resize(bytes.size() + 65536, 0);
  tester.SetArchiveName(testing::WriteArchive(dir, bytes));
  EXPECT_EQ(tester.Test(), kBadStructure);
}

}  // namespace
}  // namespace quarrow::archive
