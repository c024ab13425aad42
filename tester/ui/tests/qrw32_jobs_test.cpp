// The console tester with several archives checked at once: the same tree
// tested with --jobs 1 and --jobs 4 gives the same output, result files and
// renames, wherever the bad archives are.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "console_platform.h"
#include "path_text.h"
#include "qrw32_app.h"
#include "temp_folder.h"
#include "tester_archives.h"
#include "zip_builder.h"

namespace quarrow::ui {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

enum class Kind { kGood, kWithDiz, kBadCrc, kTruncated, kLarge, kLargeBadFirst, kLargeBadLate };

struct Placed {
  const char* path;  // below the tree's root
  Kind kind;
};

std::vector<uint8_t> Bytes(Kind kind, const std::string& path) {
  switch (kind) {
    case Kind::kGood: return fixtures::SmallGoodArchive("");
    case Kind::kWithDiz: return fixtures::SmallGoodArchive("description of " + path + "\r\n");
    case Kind::kBadCrc: return fixtures::BadCrcArchive();
    case Kind::kTruncated: return fixtures::TruncatedArchive();
    case Kind::kLarge: return fixtures::LargeArchive();
    case Kind::kLargeBadFirst: return fixtures::LargeArchive(0);
    case Kind::kLargeBadLate: return fixtures::LargeArchive(5);
  }
  return {};
}

// A text with the run's folders named by role and its clock readings
// (the date and time of the log's header lines, the seconds) blanked.
// (Paths are lower-cased where the file system ignores case.)
std::string Masked(std::string text, const TempFolder& temp) {
  for (const std::string& folder : {temp.Path().string(), run::AsciiLower(temp.Path().string())}) {
    for (size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "<temp>");
  }
  std::istringstream lines(text);
  std::string masked;
  for (std::string line; std::getline(lines, line);) {
    const bool header = line.size() >= 19 && line[2] == '-' && line[5] == '-' && line[13] == ':' && line[16] == ':';
    if (header) line = "<time>" + line.substr(19);
    if (line.find("seconds") != std::string::npos) line = "<seconds>";
    masked += line + "\n";
  }
  return masked;
}

// Every file left below `root`: the renames (with the archives' sizes), and
// any file a run should not have left (description files, temporaries). The
// result files' sizes vary with the seconds they record.
Strings FilesBelow(const fs::path& root) {
  Strings files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::string file = fs::relative(entry.path(), root).generic_string();
    if (file.rfind("program/", 0) != 0) file += " " + std::to_string(entry.file_size());
    files.push_back(file);
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct Outcome {
  int status = 0;
  std::string out, err, log, errors, totals;
  Strings files;

  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Outcome& o) {
  stream << "status " << o.status << "\nout:\n" << o.out << "err:\n" << o.err << "log:\n" << o.log << "files:\n";
  for (const std::string& file : o.files) stream << "  " << file << "\n";
  return stream;
}

Outcome RunTree(const std::vector<Placed>& tree, const Strings& options) {
  TempFolder temp;
  for (const Placed& placed : tree) {
    const std::string path = temp / (std::string("Tree/") + placed.path);
    fs::create_directories(fs::path(path).parent_path());
    EXPECT_TRUE(fixtures::WriteFile(path, Bytes(placed.kind, placed.path)));
  }
  fs::create_directories(temp / "program");

  std::istringstream in;
  std::ostringstream out, err;
  ConsoleIo io{in, out, err};
  Strings args = options;
  args.push_back(temp / "Tree");
  Outcome outcome;
  outcome.status = RunQrw32(args, io, temp / "program");
  outcome.out = Masked(out.str(), temp);
  outcome.err = Masked(err.str(), temp);
  outcome.log = Masked(ReadText(temp / "program/Quarrow.log"), temp);
  outcome.errors = Masked(ReadText(temp / "program/errors.txt"), temp);
  outcome.totals = ReadText(temp / "program/QRtot.txt");
  outcome.files = FilesBelow(temp.Path());
  return outcome;
}

TEST(Qrw32Jobs, OneJobAndFourJobsGiveTheSameRun) {
  using enum Kind;
  const struct {
    const char* name;
    std::vector<Placed> tree;
  } cases[] = {
      {"bad early",
       {{"a.zip", kBadCrc}, {"b.zip", kGood}, {"c.zip", kGood}, {"d.zip", kWithDiz}, {"e.zip", kGood},
        {"s/f.zip", kGood}, {"s/g.zip", kGood}, {"s/deep/h.zip", kGood}}},
      {"bad late",
       {{"a.zip", kGood}, {"b.zip", kGood}, {"c.zip", kGood}, {"s/d.zip", kGood}, {"s/deep/e.zip", kGood},
        {"s/deep/f.zip", kGood}, {"s/deep/g.zip", kTruncated}}},
      {"only bad",
       {{"a.zip", kBadCrc}, {"b.zip", kTruncated}, {"s/c.zip", kBadCrc}, {"s/deep/d.zip", kTruncated},
        {"t/e.zip", kBadCrc}}},
      {"none bad",
       {{"a.zip", kGood}, {"b.zip", kWithDiz}, {"s/c.zip", kGood}, {"s/d.zip", kWithDiz}, {"t/e.zip", kGood}}},
      {"nested with description files and folders named like archives",
       {{"a.zip", kWithDiz}, {"s/b.zip", kWithDiz}, {"s/x.zip/c.zip", kBadCrc}, {"s/x.zip/d.zip", kWithDiz},
        {"s/deep/e.zip", kGood}, {"s/deep/f.zip", kTruncated}, {"t/g.zip", kGood}, {"t/u/v/h.zip", kWithDiz}}},
      // Archives large enough that their entries are shared among the jobs.
      {"large archives, damaged late and early",
       {{"a.zip", kLargeBadLate}, {"b.zip", kGood}, {"c.zip", kLarge}, {"s/d.zip", kLargeBadFirst},
        {"s/e.zip", kBadCrc}, {"s/f.zip", kLargeBadLate}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome one = RunTree(c.tree, {"--jobs", "1"});
    const Outcome four = RunTree(c.tree, {"--jobs", "4"});
    EXPECT_EQ(four, one);
    EXPECT_NE(one.log, "");
    // No description file or temporary stays behind, in the tree or the program folder.
    for (const std::string& file : four.files) {
      EXPECT_EQ(file.find(".diz"), std::string::npos) << file;
      EXPECT_EQ(file.find(".part"), std::string::npos) << file;
    }
  }
}

TEST(Qrw32Jobs, NoRenameAndDropRunsAreTheSameWithFourJobs) {
  const std::vector<Placed> tree = {{"a.zip", Kind::kGood}, {"b.zip", Kind::kBadCrc}, {"s/c.zip", Kind::kTruncated},
                                    {"s/d.zip", Kind::kWithDiz}};
  EXPECT_EQ(RunTree(tree, {"--jobs", "4", "--no-rename"}), RunTree(tree, {"--jobs", "1", "--no-rename"}));
  EXPECT_EQ(RunTree(tree, {"--jobs", "4", "--drop"}), RunTree(tree, {"--jobs", "1", "--drop"}));
}

}  // namespace
}  // namespace quarrow::ui
