#include "extract_writer.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace quarrow::archive {
namespace {

namespace fs = std::filesystem;

// The folder `folder` / `name`, created when missing; false when something
// other than a real folder (a link, a file) is in the way.
bool EnterFolder(fs::path& folder, const std::string& name) {
  folder /= name;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(folder, error);
  if (status.type() == fs::file_type::not_found) return fs::create_directory(folder, error);
  return status.type() == fs::file_type::directory;
}

bool IsAbsent(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() == fs::file_type::not_found;
}

// A name for the temporary copy that nothing uses yet.
std::optional<fs::path> FreeTemporaryPath(const fs::path& folder, const std::string& name) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path candidate = folder / (name + ".part" + std::to_string(attempt));
    if (IsAbsent(candidate)) return candidate;
  }
  return std::nullopt;
}

bool WriteNewFile(const fs::path& path, std::span<const uint8_t> data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.close();
  return !out.fail();
}

}  // namespace

bool WriteExtractedFile(const std::string& destination, const std::vector<std::string>& components,
                        std::span<const uint8_t> data) {
  if (destination.empty() || components.empty()) return false;
  try {
    fs::path folder(destination);
    std::error_code error;
    if (!fs::is_directory(folder, error)) return false;
    for (size_t i = 0; i + 1 < components.size(); ++i) {
      if (!EnterFolder(folder, components[i])) return false;
    }
    const fs::path target = folder / components.back();
    const fs::file_type existing = fs::symlink_status(target, error).type();
    if (existing != fs::file_type::not_found && existing != fs::file_type::regular) return false;
    const std::optional<fs::path> temporary = FreeTemporaryPath(folder, components.back());
    if (!temporary) return false;
    // rename replaces an existing target (on Windows too: the library moves
    // with MOVEFILE_REPLACE_EXISTING) and never follows a link at it.
    if (WriteNewFile(*temporary, data)) {
      fs::rename(*temporary, target, error);
      if (!error) return true;
    }
    fs::remove(*temporary, error);
    return false;
  } catch (const std::exception&) {
    // Path conversions throw on names the platform cannot represent.
    return false;
  }
}

}  // namespace quarrow::archive
