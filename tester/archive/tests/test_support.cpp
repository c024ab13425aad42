#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "zip_builder.h"

namespace quarrow::archive::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() / ("quarrow-archive-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code error;
  fs::remove_all(path_, error);
}

std::string TempDir::operator/(const std::string& name) const {
  return (path_ / fs::path(name).make_preferred()).string();
}

std::vector<std::string> ListTree(const fs::path& root) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    std::string name = entry.path().lexically_relative(root).generic_string();
    if (entry.is_directory() && !entry.is_symlink()) name += '/';
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadFileText(const fs::path& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string WriteArchive(const TempDir& dir, const std::vector<uint8_t>& bytes,
                         const std::string& name) {
  const std::string path = dir / name;
  if (!fixtures::WriteFile(path, bytes)) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace quarrow::archive::testing
