#include "settings_file.h"

#include "path_text.h"

namespace quarrow::ui {

std::string SettingsFilePath(const std::string& programFolder) {
  return programFolder + "\\" + kSettingsFileName;
}

std::string SettingsFileText(std::string_view lastFolder) { return run::AsciiLower(lastFolder) + "\r\n"; }

std::string ReadFirstField(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  if (text[begin] == '"') {
    const size_t close = text.find_first_of("\"\r\n", begin + 1);
    return std::string(text.substr(begin + 1, close == std::string_view::npos ? std::string_view::npos : close - begin - 1));
  }
  const size_t end = text.find_first_of(",\r\n", begin);
  std::string_view field = text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  return std::string(field);
}

}  // namespace quarrow::ui
