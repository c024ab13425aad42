#include "mnemonic.h"

namespace mz::menus {

wchar_t mnemonic_of(std::wstring_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;  // "&&": a plain "&"
  }
  return 0;
}

}  // namespace mz::menus
