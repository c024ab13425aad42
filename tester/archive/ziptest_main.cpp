// ziptest [--extract-to DIR] [--engine zlib|isal] PATH...
//
// Tests each archive named (a folder: every *.zip file below it, in sorted
// order) the way the tester does: with --extract-to, the "*.diz" entries are
// first extracted into DIR; then every entry is tested. Prints one line per
// archive: its verdict (good, bad, aborted, or unread when it could not be
// opened for lack of permission), the result code and the path, then for
// result 100 " - structure: CHECK" (the check that fired, see
// StructureCheckName), for 120 " - not verified (method N)" and for 420
// " - can't read (permission denied)". --engine picks the library that
// inflates deflate entries among those of the build (the default is the
// fastest); the results are the same with each.
// Exit status: 0 when every archive is good, 1 when any is not, 2 on a usage
// error.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive_tester.h"

namespace {

namespace fs = std::filesystem;
using quarrow::archive::ArchiveTester;
namespace code = quarrow::archive;

enum class Verdict { kGood, kBad, kAborted, kUnread };

struct Outcome {
  Verdict verdict;
  int result;
};

// What the component found besides the code of the operation that decided.
std::string Detail(const ArchiveTester& tester, int result) {
  if (result == code::kBadStructure) {
    return std::string(" - structure: ") + quarrow::archive::StructureCheckName(tester.LastStructureCheck());
  }
  if (result == code::kUnsupportedMethod) {
    return " - not verified (method " + std::to_string(tester.UnverifiedMethod()) + ")";
  }
  if (result == code::kPermissionDenied) return " - can't read (permission denied)";
  return "";
}

bool IsZipName(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".zip";
}

// The archives named by one command-line path.
std::vector<std::string> ArchivesAt(const std::string& path) {
  std::error_code error;
  if (!fs::is_directory(path, error)) return {path};
  std::vector<std::string> archives;
  fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error) && IsZipName(it->path())) archives.push_back(it->path().string());
  }
  std::sort(archives.begin(), archives.end());
  return archives;
}

// An extract pass (when asked for) and a test pass, judged as the tester
// judges them: an extract result of 100 or more is bad, except "nothing
// matched"; a test result is bad only for the damage codes.
Outcome Check(ArchiveTester& tester, const std::string& archive, const std::string& extractTo) {
  tester.SetKeepFolderNames(false);
  if (!extractTo.empty()) {
    tester.SetFileMask("*.diz");
    tester.SetDestinationFolder(extractTo);
    tester.SetArchiveName(archive);
    const int result = tester.Extract(0);
    if (result == code::kAborted) return {Verdict::kAborted, result};
    if (result == code::kPermissionDenied) return {Verdict::kUnread, result};
    if (result >= 100 && result != code::kNothingMatched) return {Verdict::kBad, result};
    if (result != code::kOk && result != code::kNothingMatched) return {Verdict::kGood, result};
  }
  tester.SetArchiveName(archive);
  tester.SetFileMask("");
  const int result = tester.Test();
  if (result == code::kAborted) return {Verdict::kAborted, result};
  if (result == code::kPermissionDenied) return {Verdict::kUnread, result};
  const bool bad = result == code::kBadStructure || result == code::kBadCrc ||
                   result == code::kBadData || result == code::kCannotRead;
  return {bad ? Verdict::kBad : Verdict::kGood, result};
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kGood: return "good";
    case Verdict::kBad: return "bad";
    case Verdict::kAborted: return "aborted";
    case Verdict::kUnread: return "unread";
  }
  return "?";
}

int Usage() {
  std::fprintf(stderr, "usage: ziptest [--extract-to DIR] [--engine zlib|isal] PATH...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string extractTo;
  quarrow::archive::InflateEngine engine = quarrow::archive::DefaultInflateEngine();
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--extract-to") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage();
      extractTo = argv[++i];
    } else if (arg == "--engine") {
      const auto named = i + 1 < argc ? quarrow::archive::InflateEngineNamed(argv[i + 1]) : std::nullopt;
      if (!named) return Usage();
      engine = *named;
      ++i;
    } else if (arg.starts_with("--")) {
      return Usage();
    } else {
      paths.emplace_back(arg);
    }
  }
  if (paths.empty()) return Usage();

  ArchiveTester tester;
  tester.SetEngine(engine);
  bool allGood = true;
  for (const std::string& path : paths) {
    for (const std::string& archive : ArchivesAt(path)) {
      const Outcome outcome = Check(tester, archive, extractTo);
      std::printf("%s %d %s%s\n", VerdictName(outcome.verdict), outcome.result, archive.c_str(),
                  Detail(tester, outcome.result).c_str());
      allGood = allGood && outcome.verdict == Verdict::kGood;
    }
  }
  return allGood ? 0 : 1;
}
