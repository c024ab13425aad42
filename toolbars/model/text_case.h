#pragma once
// Tool IDs, toolbar names and sorted combo-box items compare without regard
// to letter case. Windows builds use the system locale's rules; other builds
// fold with the C library, which is enough for the model's own tests.
#include <string>
#include <string_view>

namespace mz {

// The upper-case form used as a hash key: two texts fold to the same key
// exactly when they are equal ignoring case.
std::wstring fold_case(std::wstring_view text);

bool equal_ignoring_case(std::wstring_view a, std::wstring_view b);

// Negative, zero or positive, like a three-way comparison, ignoring case.
int compare_ignoring_case(std::wstring_view a, std::wstring_view b);

}  // namespace mz
