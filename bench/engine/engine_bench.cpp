// engine_bench DIR: benchmarks of the tester's run engine, on data it
// generates under DIR (which must be empty or missing).
//
//  1. Walk: a tree of 100,000 files in 10,000 folders holding no archive,
//     searched by the console tester, against `find DIR -name '*.zip'` in the
//     same run (target: within 2x).
//  2. Per-archive overhead: 10,000 small archives checked by the console
//     tester, against the same extract and test calls made directly on the
//     archive component; the difference per archive is what the engine, its
//     file-system calls and the console add (target: under 100 microseconds).
//
// Each figure is the best of several runs. Timings vary with the machine and
// its load; this is not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "archive_tester.h"
#include "console_platform.h"
#include "qrw32_app.h"
#include "zip_builder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 100, kFoldersPerTop = 100, kFilesPerFolder = 10;
constexpr int kArchiveFolders = 100, kArchivesPerFolder = 100;
constexpr int kWalkRuns = 5, kArchiveRuns = 5;

// "d7", "z42": names built without prepending to a temporary string, which
// GCC 12 misreports as an overlapping copy.
std::string Name(char prefix, int number) {
  std::string name(1, prefix);
  name += std::to_string(number);
  return name;
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Wall-clock and processor time of the best run (by wall clock). Processor
// time (user and system) leaves out the waits for the disk, which on a
// shared machine vary more than the work itself.
struct Timing {
  double wallMs = 1e300;
  double cpuMs = 1e300;
};

void Measure(Timing& best, const std::function<void()>& work) {
  const std::clock_t cpuStart = std::clock();
  const double wallMs = Milliseconds(work);
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  best.wallMs = std::min(best.wallMs, wallMs);
  best.cpuMs = std::min(best.cpuMs, cpuMs);
}

// 100 top folders, each with 99 sub-folders: 10,000 folders of 10 text files.
void MakeWalkTree(const fs::path& root) {
  for (int top = 0; top < kTopFolders; ++top) {
    const fs::path topFolder = root / Name('d', top);
    for (int sub = 0; sub < kFoldersPerTop; ++sub) {
      const fs::path folder = sub == 0 ? topFolder : topFolder / Name('s', sub);
      fs::create_directories(folder);
      for (int file = 0; file < kFilesPerFolder; ++file) {
        std::ofstream(folder / (Name('f', file) + ".txt")) << "text";
      }
    }
  }
}

std::vector<std::string> MakeArchives(const fs::path& root) {
  quarrow::fixtures::ZipBuilder zip;
  zip.Add("readme.txt", quarrow::fixtures::SampleText(600));
  zip.Add("file_id.diz", "A SMALL ARCHIVE\r\n");
  const std::vector<uint8_t> bytes = zip.Build();
  std::vector<std::string> archives;
  for (int folder = 0; folder < kArchiveFolders; ++folder) {
    const fs::path path = root / Name('a', folder);
    fs::create_directories(path);
    for (int i = 0; i < kArchivesPerFolder; ++i) {
      archives.push_back((path / (Name('z', i) + ".zip")).string());
      if (!quarrow::fixtures::WriteFile(archives.back(), bytes)) {
        std::cerr << "engine_bench: cannot write " << archives.back() << "\n";
        std::exit(1);
      }
    }
  }
  return archives;
}

// One whole console-tester run over `folder`; its output is discarded.
void TesterRun(const std::string& folder, const std::string& programFolder) {
  std::istringstream in;
  std::ostream discard(nullptr);
  quarrow::ui::ConsoleIo io{in, discard, discard};
  const int status = quarrow::ui::RunQrw32({folder}, io, programFolder);
  if (status != 0) {
    std::cerr << "engine_bench: the tester exited with " << status << "\n";
    std::exit(1);
  }
}

// The archive work alone: the extract pass and the test pass of each archive.
void ComponentOnly(const std::vector<std::string>& archives, const std::string& programFolder) {
  quarrow::archive::ArchiveTester tester;
  tester.OnStatus([](const quarrow::archive::StatusEvent&) {});
  for (const std::string& archive : archives) {
    tester.SetKeepFolderNames(false);
    tester.SetFileMask("*.diz");
    tester.SetDestinationFolder(programFolder);
    tester.SetArchiveName(archive);
    if (tester.Extract(0) != 0) std::exit(1);
    tester.SetArchiveName(archive);
    tester.SetFileMask("");
    if (tester.Test() != 0) std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: engine_bench DIR\n";
    return 2;
  }
  const fs::path root = fs::absolute(argv[1]);
  const std::string program = (root / "program").string();
  const std::string walkTree = (root / "walk").string();
  const std::string archiveTree = (root / "archives").string();
  fs::create_directories(program);

  std::printf("generating %d files in %d folders...\n", kTopFolders * kFoldersPerTop * kFilesPerFolder,
              kTopFolders * kFoldersPerTop);
  MakeWalkTree(walkTree);
  std::string find = "find '";
  find += walkTree;
  find += "' -name '*.zip' > /dev/null";
  if (std::system(find.c_str()) != 0) return 1;  // also warms the cache

  double findMs = 1e300, engineMs = 1e300;
  for (int i = 0; i < kWalkRuns; ++i) {
    findMs = std::min(findMs, Milliseconds([&] {
      if (std::system(find.c_str()) != 0) std::exit(1);
    }));
    engineMs = std::min(engineMs, Milliseconds([&] { TesterRun(walkTree, program); }));
  }
  std::printf("walk: %d files in %d folders, no archives (best of %d)\n",
              kTopFolders * kFoldersPerTop * kFilesPerFolder, kTopFolders * kFoldersPerTop, kWalkRuns);
  std::printf("  qrw32 search       %9.1f ms\n", engineMs);
  std::printf("  find -name '*.zip' %9.1f ms\n", findMs);
  std::printf("  ratio qrw32/find   %9.2f   (target: 2.00 or less)\n", engineMs / findMs);

  const int archiveCount = kArchiveFolders * kArchivesPerFolder;
  std::printf("generating %d archives...\n", archiveCount);
  const std::vector<std::string> archives = MakeArchives(archiveTree);
  // Alternated, so a change in the machine's load touches both alike.
  Timing component, tester;
  for (int i = 0; i < kArchiveRuns; ++i) {
    Measure(component, [&] { ComponentOnly(archives, program); });
    Measure(tester, [&] { TesterRun(archiveTree, program); });
  }
  std::printf("archives: %d small archives (%ju bytes each) in %d folders (best of %d)\n", archiveCount,
              static_cast<uintmax_t>(fs::file_size(archives.front())), kArchiveFolders, kArchiveRuns);
  std::printf("                     wall clock   processor\n");
  std::printf("  qrw32 run          %9.1f ms %9.1f ms\n", tester.wallMs, tester.cpuMs);
  std::printf("  component alone    %9.1f ms %9.1f ms\n", component.wallMs, component.cpuMs);
  std::printf("  overhead/archive   %9.1f us %9.1f us   (target: under 100 us)\n",
              (tester.wallMs - component.wallMs) * 1000.0 / archiveCount,
              (tester.cpuMs - component.cpuMs) * 1000.0 / archiveCount);
  return 0;
}
