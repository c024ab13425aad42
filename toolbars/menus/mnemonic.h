#pragma once
// The mnemonic of a caption: the character after the first single "&"
// ("&&" stands for an "&" itself and marks nothing).
#include <string_view>

namespace mz::menus {

wchar_t mnemonic_of(std::wstring_view caption);

}  // namespace mz::menus
