#include "text_case.h"

#include <cwctype>

namespace mz {

std::wstring fold_case(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
  return folded;
}

bool equal_ignoring_case(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && fold_case(a) == fold_case(b);
}

int compare_ignoring_case(std::wstring_view a, std::wstring_view b) {
  return fold_case(a).compare(fold_case(b));
}

}  // namespace mz
