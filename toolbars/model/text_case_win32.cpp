#include "text_case.h"

#include <windows.h>

namespace mz {

std::wstring fold_case(std::wstring_view text) {
  if (text.empty()) return {};
  std::wstring folded(text);
  // Upper-casing never changes the length of UTF-16 text in LCMapString.
  LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
               folded.data(), static_cast<int>(folded.size()));
  return folded;
}

bool equal_ignoring_case(std::wstring_view a, std::wstring_view b) {
  return fold_case(a) == fold_case(b);
}

int compare_ignoring_case(std::wstring_view a, std::wstring_view b) {
  int result = CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                              b.data(), static_cast<int>(b.size()));
  return result - CSTR_EQUAL;
}

}  // namespace mz
