#pragma once
// Temporary folders and file helpers shared by the archive tests.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "archive_tester.h"

namespace quarrow::archive::testing {

// A fresh folder under the system temp folder, removed with everything in it
// when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // `name` below the folder, as the platform spells paths (with '\' on Windows).
  std::string operator/(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Every file and folder below `root`, as sorted '/'-separated relative paths;
// folders end in '/'.
std::vector<std::string> ListTree(const std::filesystem::path& root);

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileText(const std::filesystem::path& path);
void WriteText(const std::filesystem::path& path, const std::string& text);

// Writes `bytes` as the archive file `name` in `dir` and returns its path.
std::string WriteArchive(const TempDir& dir, const std::vector<uint8_t>& bytes,
                         const std::string& name = "archive.zip");

}  // namespace quarrow::archive::testing
