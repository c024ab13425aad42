#pragma once
// File-name masks: which entries an operation works on.
#include <string_view>

namespace quarrow::archive {

// The part of an entry name after its last '/' or '\'.
std::string_view PlainFileName(std::string_view entryName);

// True when `name` matches `mask`: '*' stands for any run of characters
// (including none), '?' for exactly one, and letters compare without regard
// to case. An empty mask matches every name.
bool MatchesMask(std::string_view mask, std::string_view name);

}  // namespace quarrow::archive
