#include "extract_name.h"

#include <array>

#include "name_mask.h"

namespace quarrow::archive {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// Windows also takes the superscript digits 1, 2 and 3 (in the 8-bit code page
// and in UTF-8) as port numbers.
bool IsPortDigit(std::string_view digit) {
  constexpr std::array<std::string_view, 6> kSuperscripts = {
      "\xB9", "\xB2", "\xB3", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  if (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') return true;
  for (std::string_view superscript : kSuperscripts) {
    if (digit == superscript) return true;
  }
  return false;
}

bool IsDeviceName(std::string_view component) {
  // The device is named by the part before the first dot, blanks trimmed
  // from its end: "nul.txt" and "CON .diz" both open a device.
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsIgnoringCase(base, device)) return true;
  }
  if (base.size() < 4) return false;
  const std::string_view prefix = base.substr(0, 3);
  return (EqualsIgnoringCase(prefix, "COM") || EqualsIgnoringCase(prefix, "LPT")) &&
         IsPortDigit(base.substr(3));
}

bool HasForbiddenCharacter(std::string_view component) {
  for (const char c : component) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
    if (std::string_view(":<>\"|?*/\\").find(c) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace

bool IsSafeNameComponent(std::string_view component) {
  if (component.empty() || component == "." || component == "..") return false;
  if (component.back() == '.' || component.back() == ' ') return false;
  return !HasForbiddenCharacter(component) && !IsDeviceName(component);
}

std::optional<std::vector<std::string>> SafeExtractPath(std::string_view entryName,
                                                        bool keepFolderNames) {
  std::vector<std::string> components;
  if (!keepFolderNames) {
    const std::string_view plain = PlainFileName(entryName);
    if (!IsSafeNameComponent(plain)) return std::nullopt;
    components.emplace_back(plain);
    return components;
  }
  size_t start = 0;
  for (;;) {
    const size_t separator = entryName.find_first_of("/\\", start);
    const std::string_view component = entryName.substr(start, separator - start);
    if (!IsSafeNameComponent(component)) return std::nullopt;
    components.emplace_back(component);
    if (separator == std::string_view::npos) return components;
    start = separator + 1;
  }
}

}  // namespace quarrow::archive
