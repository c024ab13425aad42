#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quarrow::ui {

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("qrw32-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // A path below the folder, in the platform's form.
  std::string operator/(const std::string& relative) const {
    return (path_ / std::filesystem::path(relative).make_preferred()).string();
  }

 private:
  std::filesystem::path path_;
};

inline void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace quarrow::ui
